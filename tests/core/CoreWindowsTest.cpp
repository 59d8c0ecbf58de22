#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "core/NowaBazaD.h"
#include "core/OProgramie.h"
#include "platform/Shell.h"
#include "tests/core/CoreTestUtil.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(NowaBazaD, NewDatabaseOrARefusalThatKeepsTheOpenOneKeysConfirmAndClose)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    TNowaBazaD dialog;
    ASSERT_EQ(WriteGoodsRecordToImage({1, "Stary towar", "A", 100, "5907788"}), 0);
    App.CurrentDatabaseFileName = "moja.rkb";
    dialog.FormShow();
    EXPECT_EQ(dialog.Edit2->text(), "PLN");

    // Enter with no name does nothing at all.
    PressKey(dialog, Qt::Key_Return);
    EXPECT_TRUE(GoodsSlotUsed(1));
    EXPECT_EQ(App.DatabaseModified, 0);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(prompts.Texts().isEmpty());

    // A symbol the register cannot hold is refused before anything is made.
    dialog.Edit1->setText("Sklep");
    dialog.Edit2->setText("ДЕН");
    dialog.Button1Click();
    EXPECT_EQ(prompts.Texts(), QStringList{"Tekst „ДЕН” zawiera znaki, których kasa nie obsługuje: Д Е Н"});
    EXPECT_EQ(App.RecordCurrencySymbol, "PLN");
    prompts.Clear();

    // The working file cannot be replaced: the message, and the old database stays.
    const std::vector<uint8_t> before = ImageBytes();
    {
        BrokenTempFolder broken(env);
        dialog.Edit1->setText("Sklep");
        dialog.Edit2->setText("EU");
        dialog.Button1Click();
    }

    EXPECT_EQ(prompts.Texts(), QStringList{"Nie udało się utworzyć nowej bazy"});
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ImageBytes(), before);
    EXPECT_EQ(App.RecordCurrencySymbol, "PLN");
    EXPECT_EQ(DatabaseState(), "moja.rkb mode 1 modified 0 saved 0");
    prompts.Clear();

    // Enter confirms: a padded symbol, no goods, and the start folder, not the current one, is
    // made current again.
    App.WorkMode = WorkModeRegister;
    fs::create_directory(env.Path("inny"));
    fs::current_path(env.Path("inny"));
    dialog.Edit1->setText("Hurtownia");
    PressKey(dialog, Qt::Key_Enter);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(App.CurrentDatabaseFileName, "Hurtownia");
    EXPECT_EQ(DbReadStringAt(TableOffsets.RecordCurrencyBlock, 3), " EU");
    EXPECT_EQ(App.WorkMode, WorkModeRegister | WorkModeDatabase);
    EXPECT_FALSE(GoodsSlotUsed(1));
    EXPECT_EQ(fs::path(App.StartFolder), fs::path(env.Folder()));
    EXPECT_EQ(fs::current_path(), fs::path(env.Folder()));
    EXPECT_TRUE(prompts.Texts().isEmpty());
    prompts.SaveFile(QString());
    SaveDatabaseFile();
    EXPECT_EQ(prompts.LastSaveInitial, "Hurtownia");

    // Esc and the second button close without a change.
    App.CurrentDatabaseFileName = "x";
    dialog.setResult(QDialog::Accepted);
    PressKey(dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.setResult(QDialog::Accepted);
    dialog.Button2->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(App.CurrentDatabaseFileName, "x");
}

TEST(OProgramie, ShowsTheProgramAndOpensTheMailLink)
{
    TestApp();
    QStringList opened;
    SetLinkOpener([&](const QString& url) {
        opened << url;
        return true;
    });
    {
        TOProgramie about;
        EXPECT_EQ(OProgramie, &about);
        EXPECT_FALSE(about.Image1->pixmap().isNull());
        UserClick(*about.Label3);
        EXPECT_EQ(opened, QStringList{"mailto:serwis@rivo-service.example?subject=Kasa%20fiskalna%20ORVA%20RIVO"});

        about.setResult(QDialog::Accepted);
        PressKey(about, Qt::Key_Escape);
        EXPECT_EQ(about.result(), QDialog::Rejected);
        about.setResult(QDialog::Rejected);
        about.Button1->click();
        EXPECT_EQ(about.result(), QDialog::Accepted);
    }
    EXPECT_EQ(OProgramie, nullptr);
    SetLinkOpener(nullptr);
}
