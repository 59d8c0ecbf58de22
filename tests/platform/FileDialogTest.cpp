// The program's file dialogs as the user sees them: sizes in Polish units whatever the system's
// locale, and columns wide enough for their texts. tests/CMakeLists.txt runs these under the C,
// Polish and English locales as well.
#include "platform/Prompts.h"
#include "tests/support/TestEnvironment.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QTreeView>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace {

void WriteFileOfSize(const std::string& path, std::size_t size)
{
    std::ofstream(path, std::ios::binary) << std::string(size, 'x');
}

int RowOf(const QAbstractItemModel& model, const QModelIndex& root, const QString& name)
{
    for (int row = 0; row < model.rowCount(root); ++row)
        if (model.index(row, 0, root).data().toString() == name)
            return row;
    return -1;
}

// Shows the program's open-file dialog on folder in the detail view and calls look once every
// one of names shows its size and type; then picks the first of names and returns what the
// dialog answers. The dialog is closed whatever happened.
QString LookAtOpenDialog(const std::string& folder, const QStringList& names,
                         const std::function<void(QTreeView&, const QModelIndex& root)>& look)
{
    SetPrompts(nullptr);
    bool looked = false;
    QTimer inside;   // fires once the dialog runs its loop; gone with this scope
    inside.setSingleShot(true);
    QObject::connect(&inside, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* details = dialog ? dialog->findChild<QTreeView*>(QStringLiteral("treeView")) : nullptr;
        if (details) {
            dialog->setViewMode(QFileDialog::Detail);
            const QAbstractItemModel& model = *details->model();
            const bool shown = WaitUntil(
                [&] {
                    for (const QString& name : names) {
                        const int row = RowOf(model, details->rootIndex(), name);
                        if (row < 0 || model.index(row, 1, details->rootIndex()).data().toString().isEmpty() ||
                            model.index(row, 2, details->rootIndex()).data().toString().isEmpty())
                            return false;
                    }
                    return true;
                },
                10000);
            EXPECT_TRUE(shown) << "the dialog did not list " << names.join(", ").toStdString();
            if (shown) {
                look(*details, details->rootIndex());
                looked = true;
                // Typed as the user does, then "Otwórz".
                if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    name->setText(names.value(0));
                static_cast<QDialog*>(dialog)->accept();
            }
        }
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    inside.start(0);
    const QString chosen = CurrentPrompts().OpenFileName(QStringLiteral("Otwórz bazę"),
                                                         QStringLiteral("Plik bazy danych (*.rkb)|*.rkb"),
                                                         QString::fromStdString(folder));
    EXPECT_TRUE(looked) << "no file dialog in the detail view";
    return chosen;
}

} // namespace

TEST(FileDialog, SizeTextsArePolishWithTheCountsOwnForm)
{
    const std::pair<qint64, const char*> cases[] = {
        {0, "0 bajtów"},      {1, "1 bajt"},          {2, "2 bajty"},       {4, "4 bajty"},
        {5, "5 bajtów"},      {12, "12 bajtów"},      {14, "14 bajtów"},    {22, "22 bajty"},
        {52, "52 bajty"},     {112, "112 bajtów"},    {1023, "1023 bajty"}, {1024, "1,00 KiB"},
        {805000, "786,13 KiB"}, {5LL << 30, "5,00 GiB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(FileSizeText(bytes).toStdString(), text) << bytes;
}

TEST(FileDialog, SizesArePolishAndColumnsShowTheirWholeTexts)
{
    TestEnvironment env(false);
    WriteFileOfSize(env.Path("maly.rkb"), 52);
    WriteFileOfSize(env.Path("duzy.rkb"), 805000);
    const auto look = [](QTreeView& details, const QModelIndex& root) {
        const QAbstractItemModel& model = *details.model();
        const auto size = [&](const QString& name) {
            return model.index(RowOf(model, root, name), 1, root).data().toString().toStdString();
        };
        EXPECT_EQ(size("maly.rkb"), "52 bajty");
        EXPECT_EQ(size("duzy.rkb"), "786,13 KiB");

        // Every column but the name is as wide as its heading and its longest text need; the
        // widths settle after the rows are in.
        QHeaderView& header = *details.header();
        const auto cut = [&] {
            QStringList out;
            for (int column = 1; column < header.count(); ++column) {
                int need = header.sectionSizeHint(column);
                for (int row = 0; row < model.rowCount(root); ++row)
                    need = std::max(need, details.sizeHintForIndex(model.index(row, column, root)).width());
                if (header.sectionSize(column) < need)
                    out << QStringLiteral("column %1 (%2): %3 < %4")
                               .arg(column)
                               .arg(model.headerData(column, Qt::Horizontal).toString())
                               .arg(header.sectionSize(column))
                               .arg(need);
            }
            // Nothing hidden to the right, where the screen leaves room.
            if (header.length() > details.viewport()->width())
                out << QStringLiteral("columns %1 wide in a view of %2")
                           .arg(header.length())
                           .arg(details.viewport()->width());
            return out;
        };
        WaitUntil([&] { return cut().isEmpty(); }, 2000);
        EXPECT_EQ(cut().join("; ").toStdString(), "");
    };
    EXPECT_EQ(LookAtOpenDialog(env.Folder(), {"maly.rkb", "duzy.rkb"}, look).toStdString(), env.Path("maly.rkb"));
}

TEST(FileDialog, SaveAnswersTheProposedNameAndLeavesTheOverwriteQuestionToTheProgram)
{
    TestEnvironment env(false);
    const QString existing = QString::fromStdString(env.Path("stara.rkb"));
    WriteFileOfSize(existing.toStdString(), 10);
    SetPrompts(nullptr);
    QStringList asked;
    // A question of Qt's own would hold accept() in its loop: it is noted and closed.
    QTimer question;
    question.setSingleShot(true);
    QObject::connect(&question, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked << box->text();
            box->close();
        }
    });
    QTimer inside;
    inside.setSingleShot(true);
    QObject::connect(&inside, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            question.start(500);
            static_cast<QDialog*>(dialog)->accept();
        } else {
            ADD_FAILURE() << "no file dialog";
        }
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    inside.start(0);
    const QString chosen = CurrentPrompts().SaveFileName(
        QStringLiteral("Zapisz bazę"), QStringLiteral("Plik bazy danych (*.rkb)|*.rkb"), existing);
    EXPECT_EQ(chosen.toStdString(), existing.toStdString());
    EXPECT_TRUE(asked.isEmpty()) << asked.join("|").toStdString();
}
