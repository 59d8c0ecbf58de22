#pragma once
// Prompts for tests: records every text shown and answers questions and file dialogs from
// queues. A question or dialog that nobody scripted fails the test (and answers Cancel).
#include "platform/Prompts.h"

#include <QString>
#include <QStringList>
#include <deque>

class ScriptedPrompts : public Prompts {
public:
    ScriptedPrompts() { SetPrompts(this); }               // installs itself
    ~ScriptedPrompts() override { SetPrompts(nullptr); }  // puts the Qt prompts back

    struct Shown {
        QString Text;
        QString Caption;
        bool IsQuestion = false;
    };

    // Queue answers, in the order the program will ask.
    void Answer(PromptAnswer a) { answers_.push_back(a); }
    void OpenFile(const QString& path) { openFiles_.push_back(path); }
    void SaveFile(const QString& path) { saveFiles_.push_back(path); }
    // An invalid colour answers Cancel.
    void ChooseColour(const QColor& c) { colours_.push_back(c); }

    void Message(const QString& text, const QString& caption, PromptIcon icon) override;
    PromptAnswer Question(const QString& text, const QString& caption, PromptButtons buttons,
                          PromptIcon icon) override;
    QString OpenFileName(const QString& title, const QString& filter, const QString& initial) override;
    QString SaveFileName(const QString& title, const QString& filter, const QString& initial) override;
    QColor Colour(const QColor& initial) override;

    // Texts of every message and question, in order; of plain messages only.
    QStringList Texts() const { return TextsOf(true); }
    QStringList Messages() const { return TextsOf(false); }
    const std::deque<Shown>& All() const { return shown_; }
    QString LastText() const { return shown_.empty() ? QString() : shown_.back().Text; }
    bool Saw(const QString& text) const { return Texts().contains(text); }
    void Clear() { shown_.clear(); }
    // Texts() of what was shown since the last Clear() or TakeTexts(), which forgets it.
    QStringList TakeTexts() { const QStringList texts = Texts(); Clear(); return texts; }
    // The initial name last given to a save dialog.
    QString LastSaveInitial;
    QString LastSaveTitle;
    // Answers still queued (a test may check that all were used).
    std::size_t PendingAnswers() const { return answers_.size() + openFiles_.size() + saveFiles_.size() + colours_.size(); }

private:
    QStringList TextsOf(bool questions) const;
    std::deque<Shown> shown_;
    std::deque<PromptAnswer> answers_;
    std::deque<QString> openFiles_;
    std::deque<QString> saveFiles_;
    std::deque<QColor> colours_;
};
