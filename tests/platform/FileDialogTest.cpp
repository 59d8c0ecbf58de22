// The program's file dialogs: Polish sizes whatever the locale (tests/CMakeLists.txt runs these
// under several), columns wide enough for their texts; the print dialog offers no file.
#include "platform/Printing.h"
#include "platform/Prompts.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <gtest/gtest.h>
#include <type_traits>

namespace {

// Calls act on the program's file (or print) dialog once it runs its loop, then closes any dialog
// left. The call goes with scope.
template <class Dialog = QFileDialog>
void InsideFileDialog(QObject& scope, const std::type_identity_t<std::function<void(Dialog&)>>& act)
{
    TestApp();
    SetPrompts(nullptr);
    QTimer::singleShot(0, &scope, [act] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
            act(*dialog);
        else
            ADD_FAILURE() << "no file dialog";
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
}

} // namespace

TEST(FileDialog, SizeTextsArePolishWithTheCountsOwnForm)
{
    const std::pair<qint64, const char*> cases[] = {
        {0, "0 bajtów"},    {1, "1 bajt"},          {4, "4 bajty"},       {12, "12 bajtów"},   {14, "14 bajtów"},
        {22, "22 bajty"},   {112, "112 bajtów"}, {1023, "1023 bajty"}, {1024, "1,00 KiB"},
        {805000, "786,13 KiB"}, {5LL << 30, "5,00 GiB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(FileSizeText(bytes).toStdString(), text) << bytes;
}

TEST(FileDialog, SizesArePolishAndColumnsShowTheirWholeTexts)
{
    TestEnvironment env(false);
    WriteWhole(env.Path("maly.rkb"), std::string(52, 'x'));
    WriteWhole(env.Path("duzy.rkb"), std::string(805000, 'x'));
    QObject scope;
    InsideFileDialog(scope, [](QFileDialog& dialog) {
        auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
        ASSERT_NE(details, nullptr);
        dialog.setViewMode(QFileDialog::Detail);
        const QAbstractItemModel& model = *details->model();
        const QModelIndex root = details->rootIndex();
        const auto text = [&](const QString& name, int column) {
            for (int row = 0; row < model.rowCount(root); ++row)
                if (model.index(row, 0, root).data().toString() == name)
                    return model.index(row, column, root).data().toString().toStdString();
            return std::string();
        };
        // The model lists the folder in the background.
        EXPECT_TRUE(WaitUntil([&] { return !text("maly.rkb", 2).empty() && !text("duzy.rkb", 2).empty(); }, 10000));
        EXPECT_EQ(text("maly.rkb", 1), "52 bajty");
        EXPECT_EQ(text("duzy.rkb", 1), "786,13 KiB");
        // Every column but the name fits its heading and texts, and none is hidden to the right.
        QHeaderView& header = *details->header();
        const auto fits = [&] {
            for (int column = 1; column < header.count(); ++column) {
                int need = header.sectionSizeHint(column);
                for (int row = 0; row < model.rowCount(root); ++row)
                    need = std::max(need, details->sizeHintForIndex(model.index(row, column, root)).width());
                if (header.sectionSize(column) < need)
                    return false;
            }
            return header.length() <= details->viewport()->width();
        };
        EXPECT_TRUE(WaitUntil(fits, 2000));
        // Typed as the user does, then "Otwórz".
        dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("maly.rkb"));
        static_cast<QDialog&>(dialog).accept();
    });
    const QString folder = QString::fromStdString(env.Folder());
    EXPECT_EQ(CurrentPrompts().OpenFileName("Otwórz bazę", "Bazy (*.rkb)|*.rkb", folder).toStdString(), env.Path("maly.rkb"));
}

TEST(FileDialog, SaveLeavesTheOverwriteQuestionToTheProgram)
{
    QObject scope;
    InsideFileDialog(scope, [](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));  // Qt would ask first
    });
    CurrentPrompts().SaveFileName("Zapisz bazę", "Bazy (*.rkb)|*.rkb", "/tmp/stara.rkb");
}

TEST(FileDialog, ThePrintDialogOffersNoFileToPrintInto)
{
    QObject scope;
    InsideFileDialog<QPrintDialog>(scope, [](QPrintDialog& dialog) {
        auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
        ASSERT_NE(printers, nullptr);
        EXPECT_EQ(printers->findText(QCoreApplication::translate("QPrintDialog", "Print to File (PDF)")), -1);
        const auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
        EXPECT_TRUE(name && !name->isEnabled());
    });
    QPrinter printer;
    EXPECT_FALSE(RunPrintDialog(printer, nullptr));
}
