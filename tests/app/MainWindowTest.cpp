// The main window: start-up state, status panel, database file commands, closing, the task
// dispatcher.
#include "app/MenuGlowne.h"
#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "core/NowaBazaD.h"
#include "export/EksportBazy.h"
#include "link/LinkSettings.h"
#include "platform/Modal.h"
#include "platform/Time.h"
#include "service/GrafikaNaglowek.h"
#include "tables/ProgramowanieNaglowka.h"
#include "tables/ProgramowanieTowarow.h"
#include "tables/ProgramowanieTablicyWiFi_Mail.h"
#include "tests/core/CoreTestUtil.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <poll.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

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
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

// Opens the writing end of the FIFO at path from a second on, so that a reader blocked on it gets
// its end of file (and fails on the time) instead of hanging the test.
std::jthread FifoWatchdog(const std::string& path)
{
    return std::jthread([path](std::stop_token stop) {
        for (const long long start = MonotonicMs(); !stop.stop_requested(); ::poll(nullptr, 0, 10))
            if (MonotonicMs() - start >= 1000)
                ::close(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    });
}

TEST_F(MainWindowTest, SpecialFilesAreRefusedAtOnceOnEveryOpenPath)
{
    TMenuGlowne& w = Make();
    TEksportBazy csv;
    TProgramowanieNaglowka header;
    TGrafikaNaglowek graphic;
    const struct {
        const char* Name;
        std::function<void()> Open;
        QString Refusal;  // %1 the path
    } paths[] = {
        {"baza.rkb", [&] { w.Otwrzplikbazydanych1Click(); }, "Nie można odczytać pliku bazy danych."},
        {"dane.csv", [&] { csv.BitBtn1Click(); }, "Nie mogę otworzyć pliku %1"},
        {"naglowek.rtf", [&] { header.ToolButton4Click(); }, "Nie mogę otworzyc pliku%1."},
        {"logo.bmp", [&] { graphic.SpeedButton4Click(); }, "Nie mogę otworzyc pliku%1."},
        {"ustaw.cfg", [] { LoadLinkSettings(); }, {}},
    };
    for (const auto& p : paths) {
        SCOPED_TRACE(p.Name);
        const std::string path = env.Path(p.Name);
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        const std::jthread watchdog = FifoWatchdog(path);
        prompts.Clear();
        prompts.OpenFile(QString::fromStdString(path));
        const long long start = MonotonicMs();
        p.Open();
        EXPECT_LT(MonotonicMs() - start, 1000);
        EXPECT_EQ(prompts.Texts().join(""), QString(p.Refusal).replace("%1", QString::fromStdString(path)));
    }
    EXPECT_EQ(LinkSettings.ComPortNumber, NoComPort);
}

TEST_F(MainWindowTest, StatusPanelAndHiddenHelpFollowWorkModeAndModel)
{
    TMenuGlowne& w = Make();
    struct Row {
        uint8_t Mode, Model;
        bool Online, Offline, Dux, Rivo, Name;
        QString Help;  // how the hidden help button's message starts, if it shows one
    };
    // Without the register the model label stays as it was.
    for (const Row& r : {Row{3, 0, true, false, true, false, true, {}}, Row{2, 1, true, false, false, true, false, {}},
                         Row{0, 0, false, false, false, true, false, " Aktualnie do tego komputera"},
                         Row{1, 0, false, true, false, true, true, " W trybie OFFLINE masz"}}) {
        SCOPED_TRACE(int(r.Mode));
        App.WorkMode = r.Mode;
        App.RegisterModelFlag = r.Model;
        w.UpdateStatusPanel();
        EXPECT_EQ(std::vector<bool>({!w.Label3->isHidden(), !w.Label4->isHidden(), !w.Label10->isHidden(),
                                     !w.Label11->isHidden(), !w.Label17->isHidden()}),
                  std::vector<bool>({r.Online, r.Offline, r.Dux, r.Rivo, r.Name}));
        prompts.Clear();
        w.SpeedButton1Click();
        EXPECT_EQ(prompts.Messages().size(), r.Help.isEmpty() ? 0 : 1);
        EXPECT_TRUE(prompts.Messages().value(0).startsWith(r.Help));
    }
}

TEST_F(MainWindowTest, DroppingAModifiedDatabaseAsksFirstAndKeepsItWhenTheSaveDidNotHappen)
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
    w.show();
    MarkDatabaseModified();

    // Cancel, or Yes and then the save dialog cancelled: the changes must not be thrown away.
    for (PromptAnswer answer : {PromptAnswer::Cancel, PromptAnswer::Yes}) {
        for (int command = 0; command < 3; ++command) {
            prompts.Answer(answer);
            if (answer == PromptAnswer::Yes)
                prompts.SaveFile("");
        }
        w.Nowabazadanych1Click();
        w.Otwrzplikbazydanych1Click();  // an unscripted open dialog would fail the test
        EXPECT_FALSE(w.close());
    }
    EXPECT_EQ(shown, 0);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_FALSE(fs::exists(env.Path("ustaw.cfg")));

    prompts.Answer(PromptAnswer::No);
    w.Nowabazadanych1Click();
    EXPECT_EQ(shown, 1);

    // A save that worked goes on to the new database, named and priced as the dialog says.
    prompts.Answer(PromptAnswer::Yes);
    prompts.SaveFile(QString::fromStdString(env.Path("zmiany.rkb")));
    w.Nowabazadanych1Click();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(fs::file_size(env.Path("zmiany.rkb")), DatabaseFileSize);
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(w.Label17->text(), "Sklep");
    EXPECT_EQ(w.Label8->text(), " EU");

    // Closing writes the settings.
    prompts.Answer(PromptAnswer::No);
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(FileBytes(env.Path("ustaw.cfg")).size(), LinkSettingsFileSize);

    w.show();
    prompts.Answer(PromptAnswer::Yes);
    prompts.SaveFile(QString::fromStdString(env.Path("koniec.rkb")));
    EXPECT_TRUE(w.close());
    EXPECT_EQ(fs::file_size(env.Path("koniec.rkb")), DatabaseFileSize);
    w.show();
    EXPECT_TRUE(w.close());  // saved: no question
    for (const auto& s : prompts.All())
        if (s.IsQuestion) {
            EXPECT_EQ(s.Text, "Czy chcesz zapisać zmiany w aktualnie edytowanej bazie?");
            EXPECT_EQ(s.Caption, "Orva RIVO");
        }
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

TEST_F(MainWindowTest, AStartWithoutAnImageSaysWhyAndOpeningAFileLoadsIt)
{
    std::optional<FileSizeLimit> full(100000);
    TMenuGlowne& w = Make();
    full.reset();
    EXPECT_EQ(prompts.Texts(), QStringList{QString::fromStdString("Nie można utworzyć bazy roboczej w folderze " + env.Folder() +
                                                                  ": brak miejsca na dysku. Otwórz plik bazy danych "
                                                                  "albo utwórz nową bazę, gdy przyczyna zniknie.")});
    EXPECT_EQ(App.WorkMode, 0);
    prompts.Clear();
    // A database file whose goods slot 1 holds PLU 1.
    std::vector<uint8_t> bytes(DatabaseFileSize, 0);
    std::memcpy(bytes.data(), DatabaseFileMagic, 16);
    bytes[GoodsTableOffset] = 1;
    std::memcpy(&bytes[GoodsTableOffset + 2], "Mleko", 5);
    const std::string good = env.Path("baza.rkb");
    WriteFileBytes(good, bytes);

    prompts.OpenFile("");  // cancelled
    w.Otwrzplikbazydanych1Click();
    EXPECT_EQ(App.CurrentDatabaseFileName, "BDTemp.bdt");

    prompts.OpenFile(QString::fromStdString(good));
    w.Otwrzplikbazydanych1Click();
    EXPECT_EQ(w.Label17->text(), "baza.rkb");
    EXPECT_EQ(App.WorkMode, 1);
    EXPECT_EQ(App.DatabaseModified, 0);
    EXPECT_EQ(DbReadStringAt(GoodsTableOffset + 2, 42), "Mleko");
}

TEST_F(MainWindowTest, TreeItemsOpenTheirWindowsUnderTheirGates)
{
    TMenuGlowne& w = Make();
    QList<QDialog*> shown;
    SetModalRunner([&](QDialog& d) {
        shown << &d;
        return int(QDialog::Rejected);
    });
    QTreeWidget* const trees[] = {w.ProgramowanieBazyTree, w.WykonywanieRaportowTree, w.TreeView3};
    const QString noDatabase = "Stwórz lub wczytaj z pliku bazę danych którą chcesz edytować, albo połącz się z kasą";
    // Tab, item, a work mode its gate refuses, one it lets through, and the window it opens.
    const struct {
        int Tab, Index;
        uint8_t Refused, Opens;
        const char* Window;
    } items[] = {
        {0, 2, 0, 1, "TProgramowanieTowarow"},
        {0, 9, 0, 1, "TProgramowanieTablicyHalo"},
        {0, 10, 0, 1, "TProgramowanieWalutyEwidencyjnej"},
        {1, 0, 1, 2, "TWykonywanieRaportuOkresowego"},
        {2, 0, 2, 3, "TSynchronizacjaBazyGrupTowarowych"},
        {2, 7, 1, 2, "TProgramowanieStawekPTU"},
        {2, 10, 1, 2, "TProgramowanieNaglowka"},
        {2, 12, 1, 2, "TProgramowanieStopki"},
        {2, 13, 1, 2, "TProgramowanieNIP"},
        {2, 15, 1, 2, "TDodatkoweUstawienia"},
        {2, 16, 1, 2, "TProgramowanieKlawiszyFunkcyjnych"},
        {2, 17, 1, 2, "TKlawiszeSzybkieSprzedazy"},
        {2, 18, 1, 2, "TJednostkiTowarowe"},
    };
    for (const auto& item : items) {
        SCOPED_TRACE(TreeTasks(item.Tab)[std::size_t(item.Index)].Text.toStdString());
        w.PageControl1->setCurrentIndex(item.Tab);
        trees[item.Tab]->setCurrentItem(trees[item.Tab]->topLevelItem(item.Index));
        shown.clear();
        prompts.Clear();
        App.WorkMode = item.Refused;
        w.OpenTreeItemForm();
        EXPECT_TRUE(shown.isEmpty());
        // Only the database tab says why.
        EXPECT_EQ(prompts.Messages(), item.Tab == 0 ? QStringList{noDatabase} : QStringList());
        App.WorkMode = item.Opens;
        w.OpenTreeItemForm();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_STREQ(shown[0]->metaObject()->className(), item.Window);
    }

    // No selection: nothing at all.
    shown.clear();
    prompts.Clear();
    w.PageControl1->setCurrentIndex(0);
    w.ProgramowanieBazyTree->clearSelection();
    App.WorkMode = 0;
    w.OpenTreeItemForm();
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_TRUE(prompts.Texts().isEmpty());

    // The goods and the Wi-Fi and e-mail buttons open their windows whatever the work mode.
    w.Button8->click();
    w.Button11->click();
    EXPECT_EQ(shown, (QList<QDialog*>{ProgramowanieTowarow, ProgramowanieTablicyWiFi_Mail}));

    // With a port open but no register found, the register tab lets through only from item 7 on.
    for (int index = 0; index < 22; ++index)
        EXPECT_EQ(TreeTaskAllowed(2, index, 2), index >= 7) << index;
}

} // namespace
