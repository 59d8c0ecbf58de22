#pragma once
// Every message box, question and file dialog of the program goes through one interface,
// so that tests can script the answers and read back every text that was shown.
#include <QColor>
#include <QString>

class QWidget;

enum class PromptButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class PromptAnswer { Ok, Yes, No, Cancel };
enum class PromptIcon { None, Information, Warning, Error, Question };

class Prompts {
public:
    virtual ~Prompts() = default;
    // A plain message with an OK button.
    virtual void Message(const QString& text, const QString& caption, PromptIcon icon) = 0;
    virtual PromptAnswer Question(const QString& text, const QString& caption, PromptButtons buttons,
                                  PromptIcon icon) = 0;
    // Empty result: the user cancelled.
    virtual QString OpenFileName(const QString& title, const QString& filter, const QString& initial) = 0;
    virtual QString SaveFileName(const QString& title, const QString& filter, const QString& initial) = 0;
    // The colour dialog; an invalid colour: the user cancelled (what prompts without the dialog
    // answer).
    virtual QColor Colour(const QColor& initial);
};

// The prompts in force (Qt dialogs unless a test installed its own).
Prompts& CurrentPrompts();
// Installs p (not owned); nullptr puts the Qt dialogs back.
void SetPrompts(Prompts* p);

// Short forms used all over the program. The caption defaults to the application title.
void ShowMessage(const QString& text, PromptIcon icon = PromptIcon::None, const QString& caption = {});
PromptAnswer AskQuestion(const QString& text, PromptButtons buttons, const QString& caption = {},
                         PromptIcon icon = PromptIcon::Question);

// The program's own question before an existing file is replaced; true when path does not exist
// or the user answered Yes.
bool ConfirmOverwrite(const QString& path, const QString& question = QStringLiteral(" już istnieje. Kontynuować? "));

// The form of a Polish noun that goes with a count: one ("1 błąd"), few ("2 błędy", "22 błędy")
// or many ("5 błędów", "12 błędów").
QString PolishCountForm(unsigned long long count, const QString& one, const QString& few, const QString& many);

// A file's size as the file dialogs show it, in Polish whatever the system's locale: "52 bajty",
// "786,13 KiB".
QString FileSizeText(qint64 bytes);

// Converts a file filter of the form "Opis (*.rkb)|*.rkb" into Qt's "Opis (*.rkb)".
QString QtFileFilter(const QString& filter);

// Makes the interface Polish whatever the system's locale: Polish dates and names in every
// widget that formats them, and Qt's own Polish translation, so that standard buttons and the
// file and print dialogs speak Polish. False when that translation is not installed (they then
// stay in English). Numbers the user types are parsed without any locale.
bool InstallPolishInterface();
// Called before the QApplication is made: the system locale that Qt reads from the environment
// then formats dates the Polish way too (the file dialogs' date column).
void UsePolishSystemFormats();
