// The main window: start-up state, status panel, database file commands, closing, the task
// dispatcher.
#include "app/MenuGlowne.h"
#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "core/NowaBazaD.h"
#include "link/LinkSettings.h"
#include "platform/Modal.h"
#include "tables/ProgramowanieTowarow.h"
#include "tables/ProgramowanieTablicyWiFi_Mail.h"
#include "tests/core/CoreTestUtil.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace fs = std::filesystem;

namespace {

// A database file whose goods slot 1 holds PLU 1.
std::vector<uint8_t> DatabaseFileWithGoods()
{
    std::vector<uint8_t> bytes(DatabaseFileSize, 0);
    std::memcpy(bytes.data(), DatabaseFileMagic, 16);
    bytes[GoodsTableOffset] = 1;
    std::memcpy(&bytes[GoodsTableOffset + 2], "Mleko", 5);
    return bytes;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { QApplication::setQuitOnLastWindowClosed(false); }
    void TearDown() override
    {
        SetModalRunner({});
        window.reset();
    }
    TMenuGlowne& Make()
    {
        window = std::make_unique<TMenuGlowne>();
        return *window;
    }

    TestEnvironment env{false};  // the main window builds the image itself
    ScriptedPrompts prompts;
    std::unique_ptr<TMenuGlowne> window;
};

TEST_F(MainWindowTest, StartsOfflineWithAFreshUnnamedDatabase)
{
    // A settings file in the start folder is read while the window is made.
    WriteFileBytes(env.Path("ustaw.cfg"), {0, 3, 0x80, 0x25, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0});
    TMenuGlowne& w = Make();

    EXPECT_EQ(App.StartFolder, env.Folder());
    EXPECT_EQ(LinkSettings.ComPortNumber, 3);
    EXPECT_EQ(LinkSettings.BaudRate, 9600u);
    EXPECT_EQ(App.WorkMode, 1);
    EXPECT_EQ(App.DatabaseModified, 0);
    EXPECT_EQ(App.CurrentDatabaseFileName, "Bez nazwy");
    EXPECT_EQ(DatabaseImage.Length(), ImageSize);
    EXPECT_FALSE(w.Label4->isHidden());  // OFFLINE
    EXPECT_TRUE(w.Label3->isHidden());   // ONLINE
    EXPECT_EQ(w.Label17->text(), "Bez nazwy");
    EXPECT_EQ(w.Label8->text(), "PLN");
    EXPECT_TRUE(w.PageControl1->isHidden());
    EXPECT_EQ(w.ProgramowanieBazyTree->topLevelItemCount() + w.WykonywanieRaportowTree->topLevelItemCount()
                  + w.TreeView3->topLevelItemCount(),
              13 + 16 + 22);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_F(MainWindowTest, StatusPanelFollowsWorkModeAndModel)
{
    TMenuGlowne& w = Make();
    struct Row {
        uint8_t Mode, Model;
        bool Online, Offline, Dux, Rivo, Name;
    };
    // Without the register the model label stays as it was.
    for (const Row& r : {Row{3, 0, true, false, true, false, true}, Row{2, 1, true, false, false, true, false},
                         Row{0, 0, false, false, false, true, false}}) {
        App.WorkMode = r.Mode;
        App.RegisterModelFlag = r.Model;
        w.UpdateStatusPanel();
        EXPECT_EQ(std::vector<bool>({!w.Label3->isHidden(), !w.Label4->isHidden(), !w.Label10->isHidden(),
                                     !w.Label11->isHidden(), !w.Label17->isHidden()}),
                  std::vector<bool>({r.Online, r.Offline, r.Dux, r.Rivo, r.Name}))
            << int(r.Mode);
    }
}

TEST_F(MainWindowTest, ReplacingAModifiedDatabaseAsksFirstAndKeepsItWhenTheSaveDidNotHappen)
{
    TMenuGlowne& w = Make();
    int shown = 0;
    SetModalRunner([&](QDialog& d) {
        ++shown;
        auto* dialog = qobject_cast<TNowaBazaD*>(&d);
        EXPECT_NE(dialog, nullptr);
        if (!dialog || shown == 1)
            return int(QDialog::Rejected);
        dialog->Edit1->setText("Sklep");
        dialog->Edit2->setText("EU");
        dialog->Button1Click();
        return dialog->result();
    });
    MarkDatabaseModified();

    prompts.Answer(PromptAnswer::Cancel);
    w.Nowabazadanych1Click();
    EXPECT_EQ(shown, 0);

    // Yes, then the save dialog is cancelled: the changes must not be thrown away.
    prompts.Answer(PromptAnswer::Yes);
    prompts.SaveFile("");
    w.Nowabazadanych1Click();
    EXPECT_EQ(shown, 0);
    prompts.Answer(PromptAnswer::Yes);
    prompts.SaveFile("");
    w.Otwrzplikbazydanych1Click();  // an unscripted open dialog would fail the test

    prompts.Answer(PromptAnswer::No);
    w.Nowabazadanych1Click();
    EXPECT_EQ(shown, 1);

    // A save that worked goes on to the new database, named and priced as the dialog says.
    prompts.Answer(PromptAnswer::Yes);
    prompts.SaveFile(QString::fromStdString(env.Path("zmiany.rkb")));
    w.Nowabazadanych1Click();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(fs::file_size(env.Path("zmiany.rkb")), DatabaseFileSize);
    EXPECT_EQ(App.CurrentDatabaseFileName, "Sklep");
    EXPECT_EQ(App.RecordCurrencySymbol, " EU");
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(w.Label17->text(), "Sklep");
    EXPECT_EQ(w.Label8->text(), " EU");
    for (const auto& s : prompts.All())
        if (s.IsQuestion) {
            EXPECT_EQ(s.Text, "Czy chcesz zapisać zmiany w aktualnie edytowanej bazie?");
            EXPECT_EQ(s.Caption, "Orva RIVO");
        }
    EXPECT_EQ(prompts.PendingAnswers(), 0u);
}

TEST_F(MainWindowTest, ClosingWithUnsavedChangesAsksToSave)
{
    TMenuGlowne& w = Make();
    w.show();
    MarkDatabaseModified();

    prompts.Answer(PromptAnswer::Cancel);
    EXPECT_FALSE(w.close());
    prompts.Answer(PromptAnswer::Yes);
    prompts.SaveFile("");  // the save dialog cancelled
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_FALSE(fs::exists(env.Path("ustaw.cfg")));

    prompts.Answer(PromptAnswer::No);
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(fs::exists(env.Path("ustaw.cfg")));

    w.show();
    prompts.Answer(PromptAnswer::Yes);
    prompts.SaveFile(QString::fromStdString(env.Path("koniec.rkb")));
    EXPECT_TRUE(w.close());
    EXPECT_EQ(fs::file_size(env.Path("koniec.rkb")), DatabaseFileSize);
    EXPECT_EQ(prompts.PendingAnswers(), 0u);
}

TEST_F(MainWindowTest, EscAsksBeforeLeavingAndEnterDoesNothing)
{
    TMenuGlowne& w = Make();
    w.show();
    EXPECT_TRUE(w.FormKeyDown(Qt::Key_Return));
    EXPECT_TRUE(prompts.Texts().isEmpty());

    prompts.Answer(PromptAnswer::No);
    EXPECT_TRUE(w.FormKeyDown(Qt::Key_Escape));
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(prompts.All().size(), 1u);
    EXPECT_EQ(prompts.All()[0].Text, "Czy na pewno chcesz opuścić program?");
    EXPECT_EQ(prompts.All()[0].Caption, "Orva RIVO V1.04");

    prompts.Answer(PromptAnswer::Yes);
    w.FormKeyDown(Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.FormKeyDown(Qt::Key_A));
}

TEST_F(MainWindowTest, ClosingWritesSettingsIntoTheStartFolder)
{
    TMenuGlowne& w = Make();
    LinkSettings.ComPortNumber = 3;
    LinkSettings.BaudRate = 9600;
    const std::string elsewhere = env.Path("inny");
    fs::create_directory(elsewhere);
    fs::current_path(elsewhere);  // as a file dialog may leave it

    w.show();
    EXPECT_TRUE(w.close());  // not modified: no question
    EXPECT_FALSE(fs::exists(elsewhere + "/ustaw.cfg"));
    const std::vector<uint8_t> cfg = FileBytes(env.Path("ustaw.cfg"));
    ASSERT_EQ(cfg.size(), LinkSettingsFileSize);
    EXPECT_EQ(cfg[1], 3);
    EXPECT_EQ(std::vector<uint8_t>(cfg.begin() + 2, cfg.begin() + 6), (std::vector<uint8_t>{0x80, 0x25, 0, 0}));
}

TEST_F(MainWindowTest, OpeningADatabaseFileLoadsGoodFilesAndRefusesShortOnes)
{
    TMenuGlowne& w = Make();
    const std::string good = env.Path("baza.rkb");
    WriteFileBytes(good, DatabaseFileWithGoods());

    prompts.OpenFile("");  // cancelled
    w.Otwrzplikbazydanych1Click();
    EXPECT_EQ(App.CurrentDatabaseFileName, "Bez nazwy");

    prompts.OpenFile(QString::fromStdString(good));
    w.Otwrzplikbazydanych1Click();
    EXPECT_EQ(w.Label17->text(), "baza.rkb");
    EXPECT_EQ(App.WorkMode, 1);
    EXPECT_EQ(App.DatabaseModified, 0);
    EXPECT_EQ(DbReadStringAt(GoodsTableOffset + 2, 42), "Mleko");

    const std::string shortFile = env.Path("krotki.rkb");
    WriteFileBytes(shortFile, std::vector<uint8_t>(1000, 0));
    prompts.OpenFile(QString::fromStdString(shortFile));
    w.Otwrzplikbazydanych1Click();
    EXPECT_EQ(prompts.Messages().size(), 1);
    EXPECT_EQ(w.Label17->text(), "baza.rkb");
    EXPECT_EQ(DbReadStringAt(GoodsTableOffset + 2, 42), "Mleko");
}

// Puts a stand-in window behind a task tree item for one test.
class TaskStandIn {
public:
    TaskStandIn(int tab, int index) : task_(TreeTasks(tab).at(std::size_t(index))), old_(task_.Window)
    {
        task_.Window = [this] {
            ++opened;
            return &dialog_;
        };
    }
    ~TaskStandIn() { task_.Window = old_; }
    int opened = 0;

private:
    TreeTask& task_;
    std::function<QDialog*()> old_;
    QDialog dialog_;
};

void Select(QTreeWidget* tree, int index)
{
    tree->setCurrentItem(tree->topLevelItem(index));
}

TEST_F(MainWindowTest, DispatcherGatesTheDatabaseTab)
{
    TMenuGlowne& w = Make();
    QList<QDialog*> modal;
    SetModalRunner([&](QDialog& d) {
        modal << &d;
        return int(QDialog::Rejected);
    });
    w.PageControl1->setCurrentIndex(0);
    Select(w.ProgramowanieBazyTree, 2);

    App.WorkMode = 0;
    w.OpenTreeItemForm();
    EXPECT_TRUE(modal.isEmpty());
    EXPECT_EQ(prompts.Messages(),
              QStringList{"Stwórz lub wczytaj z pliku bazę danych którą chcesz edytować, albo połącz się z kasą"});

    App.WorkMode = 1;
    w.OpenTreeItemForm();
    ASSERT_EQ(modal.size(), 1);
    EXPECT_NE(qobject_cast<TProgramowanieTowarow*>(modal[0]), nullptr);
    EXPECT_EQ(modal[0], ProgramowanieTowarow);

    // The goods button opens the same window, whatever the work mode.
    App.WorkMode = 0;
    w.Button8->click();
    ASSERT_EQ(modal.size(), 2);
    EXPECT_EQ(modal[1], ProgramowanieTowarow);

    // No selection: nothing at all.
    prompts.Clear();
    w.ProgramowanieBazyTree->clearSelection();
    w.OpenTreeItemForm();
    EXPECT_EQ(modal.size(), 2);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_F(MainWindowTest, DispatcherGatesTheRegisterTabs)
{
    TMenuGlowne& w = Make();
    SetModalRunner([](QDialog&) { return int(QDialog::Rejected); });
    TaskStandIn report(1, 0), sync(2, 0), ptu(2, 7);

    w.PageControl1->setCurrentIndex(1);
    Select(w.WykonywanieRaportowTree, 0);
    App.WorkMode = 1;
    w.OpenTreeItemForm();
    EXPECT_EQ(report.opened, 0);
    App.WorkMode = 2;
    w.OpenTreeItemForm();
    EXPECT_EQ(report.opened, 1);

    w.PageControl1->setCurrentIndex(2);
    Select(w.TreeView3, 0);
    w.OpenTreeItemForm();  // WorkMode 2: no database
    EXPECT_EQ(sync.opened, 0);
    App.WorkMode = 3;
    w.OpenTreeItemForm();
    EXPECT_EQ(sync.opened, 1);

    Select(w.TreeView3, 7);
    App.WorkMode = 1;
    w.OpenTreeItemForm();
    EXPECT_EQ(ptu.opened, 0);
    App.WorkMode = 2;
    w.OpenTreeItemForm();
    EXPECT_EQ(ptu.opened, 1);
    EXPECT_TRUE(prompts.Texts().isEmpty());  // refusals on these tabs are silent

    for (int index = 0; index < 22; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(TreeTaskAllowed(2, index, 3), true);
        EXPECT_EQ(TreeTaskAllowed(2, index, 2), index >= 7);
        EXPECT_FALSE(TreeTaskAllowed(2, index, 1));
        EXPECT_FALSE(TreeTaskAllowed(2, index, 0));
    }
    for (int mode = 0; mode < 4; ++mode) {
        EXPECT_EQ(TreeTaskAllowed(0, 5, uint8_t(mode)), mode != 0);
        EXPECT_EQ(TreeTaskAllowed(1, 5, uint8_t(mode)), mode >= 2);
    }
}

TEST_F(MainWindowTest, SettingsWindowsOpenUnderTheirGates)
{
    TMenuGlowne& w = Make();
    QList<QDialog*> shown;
    SetModalRunner([&](QDialog& d) {
        shown << &d;
        return int(QDialog::Rejected);
    });
    // Tab, item, the window it opens; database items need a database, register items a link.
    const std::tuple<int, int, const char*> items[] = {
        {0, 9, "TProgramowanieTablicyHalo"},      {0, 10, "TProgramowanieWalutyEwidencyjnej"},
        {2, 10, "TProgramowanieNaglowka"},        {2, 12, "TProgramowanieStopki"},
        {2, 13, "TProgramowanieNIP"},             {2, 15, "TDodatkoweUstawienia"},
        {2, 16, "TProgramowanieKlawiszyFunkcyjnych"}, {2, 17, "TKlawiszeSzybkieSprzedazy"},
        {2, 18, "TJednostkiTowarowe"},
    };
    for (const auto& [tab, index, window] : items) {
        SCOPED_TRACE(TreeTasks(tab)[std::size_t(index)].Text.toStdString());
        w.PageControl1->setCurrentIndex(tab);
        Select(tab == 0 ? w.ProgramowanieBazyTree : w.TreeView3, index);
        shown.clear();
        App.WorkMode = tab == 0 ? 0 : 1;
        w.OpenTreeItemForm();
        EXPECT_TRUE(shown.isEmpty());
        App.WorkMode = tab == 0 ? 1 : 2;
        w.OpenTreeItemForm();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_STREQ(shown[0]->metaObject()->className(), window);
    }
    // The Wi-Fi and e-mail button opens its window whatever the work mode.
    shown.clear();
    App.WorkMode = 0;
    w.Button11->click();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0], ProgramowanieTablicyWiFi_Mail);
}

TEST_F(MainWindowTest, HiddenHelpButtonExplainsTheWorkMode)
{
    TMenuGlowne& w = Make();
    w.SpeedButton1Click();
    App.WorkMode = 0;
    w.SpeedButton1Click();
    App.WorkMode = 3;
    w.SpeedButton1Click();
    ASSERT_EQ(prompts.Messages().size(), 2);
    EXPECT_TRUE(prompts.Messages()[0].startsWith(" W trybie OFFLINE masz"));
    EXPECT_TRUE(prompts.Messages()[1].startsWith(" Aktualnie do tego komputera"));
}

} // namespace
