#include "platform/Prompts.h"

#include "platform/RegularFile.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QStringList>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>
#include <algorithm>
#include <clocale>
#include <cstdlib>

QColor Prompts::Colour(const QColor&) { return {}; }

namespace {

QMessageBox::Icon ToQtIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Error: return QMessageBox::Critical;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString DefaultCaption(const QString& caption)
{
    if (!caption.isEmpty())
        return caption;
    return QApplication::applicationName();
}

// The size column in Polish whatever locale the system formats with ("52 bajty", never
// "52 bytes").
class PolishSizes : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole && index.column() == 1) {
            const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
            const QModelIndex source = mapToSource(index);
            if (files && !files->isDir(source))
                return FileSizeText(files->size(source));
        }
        return QIdentityProxyModel::data(index, role);
    }
};

// Widens the dialog (within the screen) until its details view shows every column whole.
void GrowToShowColumns(QFileDialog& dialog, QTreeView& details)
{
    const int missing = details.header()->length() - details.viewport()->width();
    if (missing <= 0 || !dialog.isVisible() || !dialog.screen())
        return;
    const QRect screen = dialog.screen()->availableGeometry();
    QRect frame = dialog.geometry();
    frame.setWidth(std::min(frame.width() + missing, screen.width()));
    if (frame.right() > screen.right())
        frame.moveRight(screen.right());
    dialog.setGeometry(frame);
}

// Qt sizes the size, type and date columns for English texts ("128.88 GB"), which cuts the
// Polish ones: they take their texts' width, and the dialog grows (within the screen) rather than
// hide a column to the right. The dialog lays itself out when shown and the folder is listed in
// the background, so the growth is looked at after each, once the layout has settled.
void FitColumnsToTheirTexts(QFileDialog& dialog, QTreeView& details)
{
    QHeaderView* header = details.header();
    header->setStretchLastSection(false);
    for (int column = 1; column < header->count(); ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    const auto grow = [&dialog, &details] { GrowToShowColumns(dialog, details); };
    QObject::connect(header, &QHeaderView::sectionResized, &dialog, grow, Qt::QueuedConnection);
    QTimer::singleShot(0, &dialog, grow);  // runs once exec() has shown the dialog
}

QString RunFileDialog(QFileDialog::AcceptMode mode, const QString& title, const QString& filter,
                      const QString& initial)
{
    QFileDialog dialog(QApplication::activeWindow(), title, initial, QtFileFilter(filter));
    // Qt's own dialog speaks Polish; a desktop's native one follows the system's locale.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    if (mode == QFileDialog::AcceptOpen)
        dialog.setFileMode(QFileDialog::ExistingFile);
    else
        dialog.setOption(QFileDialog::DontConfirmOverwrite);   // the program asks its own question
    dialog.setProxyModel(new PolishSizes(&dialog));
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        FitColumnsToTheirTexts(dialog, *details);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

class QtPrompts : public Prompts {
public:
    void Message(const QString& text, const QString& caption, PromptIcon icon) override
    {
        QMessageBox box(ToQtIcon(icon), DefaultCaption(caption), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    }

    PromptAnswer Question(const QString& text, const QString& caption, PromptButtons buttons,
                          PromptIcon icon) override
    {
        QMessageBox::StandardButtons set;
        switch (buttons) {
        case PromptButtons::Ok: set = QMessageBox::Ok; break;
        case PromptButtons::YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
        case PromptButtons::YesNoCancel: set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
        case PromptButtons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
        }
        QMessageBox box(ToQtIcon(icon), DefaultCaption(caption), text, set, QApplication::activeWindow());
        switch (box.exec()) {
        case QMessageBox::Yes: return PromptAnswer::Yes;
        case QMessageBox::No: return PromptAnswer::No;
        case QMessageBox::Ok: return PromptAnswer::Ok;
        default: return PromptAnswer::Cancel;
        }
    }

    QString OpenFileName(const QString& title, const QString& filter, const QString& initial) override
    {
        return RunFileDialog(QFileDialog::AcceptOpen, title, filter, initial);
    }

    QString SaveFileName(const QString& title, const QString& filter, const QString& initial) override
    {
        return RunFileDialog(QFileDialog::AcceptSave, title, filter, initial);
    }

    QColor Colour(const QColor& initial) override
    {
        return QColorDialog::getColor(initial, QApplication::activeWindow());
    }
};

QtPrompts qtPrompts;
Prompts* current = nullptr;

} // namespace

Prompts& CurrentPrompts() { return current ? *current : qtPrompts; }

void SetPrompts(Prompts* p) { current = p; }

void ShowMessage(const QString& text, PromptIcon icon, const QString& caption)
{
    CurrentPrompts().Message(text, caption, icon);
}

PromptAnswer AskQuestion(const QString& text, PromptButtons buttons, const QString& caption, PromptIcon icon)
{
    return CurrentPrompts().Question(text, caption, buttons, icon);
}

QString FileSizeText(qint64 bytes)
{
    if (bytes < 0 || bytes >= 1024)
        return QLocale(QLocale::Polish, QLocale::Poland).formattedDataSize(bytes);
    // Qt has one Polish form ("5 bajty"); the count takes its own.
    return QString::number(bytes) + u' ' +
           PolishCountForm(bytes, QStringLiteral("bajt"), QStringLiteral("bajty"), QStringLiteral("bajtów"));
}

QString PolishCountForm(unsigned long long count, const QString& one, const QString& few, const QString& many)
{
    const unsigned long long ones = count % 10, tens = count % 100;
    if (count == 1)
        return one;
    return ones >= 2 && ones <= 4 && (tens < 12 || tens > 14) ? few : many;
}

bool ConfirmOverwrite(const QString& path, const QString& question)
{
    return !PathTaken(path) ||
           AskQuestion(QStringLiteral("Plik ") + path + question,
                       PromptButtons::YesNo, {}, PromptIcon::Warning) == PromptAnswer::Yes;
}

QString QtFileFilter(const QString& filter)
{
    // "Description|pattern;pattern|Description|pattern" -> "Description (pattern pattern);;...".
    // Qt takes the patterns from the last parentheses of an entry and splits them on blanks
    // only, so "(*.bmp, *.jpg)" would ask for files ending in "*.bmp,": the parentheses get
    // the entry's own patterns, blank-separated.
    static const QRegularExpression shownGroup(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(separators, Qt::SkipEmptyParts);
        QString desc = parts[i];
        const QRegularExpressionMatch m = shownGroup.match(desc);
        if (m.hasMatch()) {
            // Keep the patterns as the description shows them when they are the same ones.
            const QStringList shown = m.captured(1).split(separators, Qt::SkipEmptyParts);
            if (shown.join(' ').compare(patterns.join(' '), Qt::CaseInsensitive) == 0)
                patterns = shown;
            desc = desc.left(m.capturedStart()) + "(" + patterns.join(' ') + ")";
        } else {
            desc += " (" + patterns.join(' ') + ")";
        }
        out << desc;
    }
    return out.isEmpty() ? filter : out.join(";;");
}

void UsePolishSystemFormats()
{
    // LC_ALL would hide the categories below: what it says moves to LANG, so that the other
    // categories (the character set above all) stay as the user set them.
    if (const char* all = std::getenv("LC_ALL"); all && *all)
        ::setenv("LANG", all, 1);
    ::unsetenv("LC_ALL");
    for (const char* category : {"LC_TIME", "LC_NUMERIC", "LC_MEASUREMENT"})
        ::setenv(category, "pl_PL.UTF-8", 1);
}

bool InstallPolishInterface()
{
    // The application set the C library's locale from the environment: numbers the program
    // prints or reads through it stay in the C form whatever that locale says.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    // Owned by the application; installed once however often this is called.
    static QTranslator* translator = nullptr;
    if (translator)
        return true;
    auto* t = new QTranslator(QCoreApplication::instance());
    if (!t->load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    translator = t;
    return true;
}
