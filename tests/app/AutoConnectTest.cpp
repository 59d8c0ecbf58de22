// The automatic connection, the reconnect and the port test buttons of the main window, against
// the emulator on a pseudo-terminal COM port and over TCP.
#include "app/MenuGlowne.h"
#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/ClientSocket.h"
#include "platform/Time.h"
#include "tables/ProgramowanieTowarow.h"
#include "tests/core/CoreTestUtil.h"
#include "tests/link/LinkTestUtil.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/PtyPair.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <stdlib.h>
#include <thread>

namespace {

// Each message as "text [model]", the model being what the status panel shows at that moment:
// the panel must name the register before any message about it.
class PanelAtMessages : public ScriptedPrompts {
public:
    void Message(const QString& text, const QString& caption, PromptIcon icon) override
    {
        const QLabel* model = window && !window->Label10->isHidden() ? window->Label10 : window->Label11;
        shown.push_back((text + " [" + model->text().trimmed() + "]").toStdString());
        ScriptedPrompts::Message(text, caption, icon);
    }
    void Clear()
    {
        ScriptedPrompts::Clear();
        shown.clear();
    }
    TMenuGlowne* window = nullptr;
    std::vector<std::string> shown;
};

void PutGoods(unsigned plu)
{
    ASSERT_EQ(WriteGoodsRecordToImage({.Plu = uint16_t(plu), .Name = "Towar " + std::to_string(plu), .VatLetter = "B",
                                       .Price = plu * 3, .Barcode = "590" + std::to_string(plu), .Group = 1,
                                       .Halo = 2, .Unit = 3}), 0);
}

using Shown = std::vector<std::string>;
const std::string TepoDuxFound = "WYKRYTO KASĘ ORVA TEPO DUX [TEPO DUX]";
const std::string RivoFound = "WYKRYTO KASĘ ORVA RIVO [ORVA RIVO]";
const std::string OneLeftOutOnTepoDux =
    "Ta kasa mieści 2000 towarów. Towary o wyższych numerach (1) pominięto w bazie. [TEPO DUX]";

class AutoConnectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::setQuitOnLastWindowClosed(false);
        window = std::make_unique<TMenuGlowne>();
        prompts.window = window.get();
    }
    void TearDown() override { window.reset(); }
    // The automatic connection found a register of this model on COM3 and took its goods geometry.
    void ExpectFound(uint8_t modelFlag)
    {
        EXPECT_EQ(App.WorkMode, 3);
        EXPECT_EQ(App.RegisterModelFlag, modelFlag);
        EXPECT_EQ(App.MaxGoodsCount, modelFlag ? 8000 : 2000);
        EXPECT_EQ(App.GoodsRecordSize, modelFlag ? 83 : 69);
        EXPECT_NE(Link.SerialHandle, nullptr);
        EXPECT_EQ(LinkSettings.ComPortNumber, 3);
        EXPECT_EQ(LinkSettings.BaudRate, 115200u);
        EXPECT_FALSE(window->Label3->isHidden());  // the status panel follows (ONLINE)
        EXPECT_TRUE(window->Panel4->isHidden());
    }

    TestEnvironment env{false};
    PanelAtMessages prompts;
    std::unique_ptr<TMenuGlowne> window;
};

TEST_F(AutoConnectTest, GoodsKeepEveryByteAcrossAModelChange)
{
    ASSERT_EQ(CreateDatabaseImage(), 0);
    App.WorkMode = WorkModeDatabase;
    using Record = std::vector<uint8_t>;
    std::map<unsigned, Record> records;
    auto recordOf = [](unsigned plu) {
        Record r(GoodsField::WrittenSize);
        DbReadBytesAt(GoodsRecordOffset(plu), r.data(), r.size());
        return r;
    };
    auto expectKept = [&] {
        for (const auto& [plu, record] : records)
            EXPECT_EQ(recordOf(plu), record) << plu;
    };
    for (unsigned plu : {1u, 2u, 10u, 11u, 2000u, 2500u}) {
        PutGoods(plu);
        if (plu <= 2000)
            records[plu] = recordOf(plu);
    }
    const std::string file = env.Path("sklep.rkb");
    ASSERT_EQ(WriteDatabaseFile(file), 0);
    const std::vector<uint8_t> rivoFile = FileBytes(file);
    prompts.Clear();
    TMenuGlowne& w = *window;
    App.RegisterModelFlag = 1;  // a Rivo was connected before
    {
        EmulatorFixture dux{emu::Model::TepoDux};
        ASSERT_FALSE(dux.ServeCom(3).empty());
        w.SpeedButton2Click();
        // The panel and the detection come first, then what the smaller register cannot hold.
        EXPECT_EQ(prompts.shown, Shown({TepoDuxFound, OneLeftOutOnTepoDux}));
        ExpectFound(0);
        EXPECT_FALSE(dux.Emu().ReceivedFramesWithCommand('Q').empty());
        EXPECT_EQ(App.DatabaseModified, 1);
        TProgramowanieTowarow goods;
        goods.FormShow();
        EXPECT_EQ(goods.GridRowCount(), 5);
        goods.Edit1->setText("12");
        goods.Edit2->setText("Nowy");
        goods.Edit3->setText("1,00");
        goods.BitBtn4Click();
        records[12] = recordOf(12);
        EXPECT_EQ(records[12][0], 12);
        expectKept();
        // The file still holds PLU 2500: a save over it asks first, and "Nie" writes nothing.
        prompts.SaveFile(QString::fromStdString(file));
        prompts.Answer(PromptAnswer::Yes);
        prompts.Answer(PromptAnswer::No);
        w.Zapiszbazdanychdopliku1Click();
        EXPECT_EQ(prompts.Texts().last(), "Plik zawiera 1 towarów o numerach powyżej 2000, których ta baza nie "
                                          "obejmuje. Zapisanie ich usunie. Kontynuować?");
        EXPECT_EQ(FileBytes(file), rivoFile);
        ASSERT_EQ(WriteDatabaseFile(file), 0);
        CloseComPort();
    }
    EmulatorFixture rivo{emu::Model::Rivo};
    ASSERT_FALSE(rivo.ServeCom(3).empty());
    prompts.Clear();
    w.SpeedButton2Click();
    EXPECT_EQ(prompts.shown, Shown{RivoFound});
    ExpectFound(1);
    EXPECT_FALSE(rivo.Emu().ReceivedFramesWithCommand('Q').empty());
    expectKept();
    EXPECT_FALSE(GoodsSlotUsed(2500));
}

TEST_F(AutoConnectTest, NoPortASilentOneOrOneAnsweringNoiseIsNoRegister)
{
    for (int kind : {0, 1, 2}) {  // no port, a silent one, one answering noise
        SCOPED_TRACE(kind);
        const bool none = kind == 0, noisy = kind == 2;
        const std::string empty = none ? EmulatorFixture::MakeEmptyComDir() : std::string();
        std::optional<PtyPair> pty;
        if (!none) {
            ASSERT_TRUE(pty.emplace(7).Ok());
        }
        prompts.Clear();
        App.WorkMode = 3;  // a connection that was up before the search is dropped by it
        std::vector<uint8_t> noise(10, 0x55), probe;
        noise[6] = 'A';
        std::thread line([&] {
            if (pty)
                probe = pty->Read(11, 5000);
            if (noisy && !probe.empty())
                pty->Write(noise);
        });
        const long long start = MonotonicMs();
        window->SpeedButton2Click();
        EXPECT_LT(MonotonicMs() - start, 5000);  // a silent port costs only its read time-out
        line.join();
        EXPECT_EQ(probe.empty(), none);
        EXPECT_EQ(Link.SerialHandle, nullptr);
        EXPECT_EQ(App.WorkMode, 1);
        EXPECT_EQ(LinkSettings.ComPortNumber, NoComPort);
        EXPECT_TRUE(window->Label3->isHidden());
        EXPECT_TRUE(window->Panel4->isHidden());
        EXPECT_EQ(prompts.Messages(), QStringList{"Nie wykryto żadnej kasy podłączonej do tego komputera."});
        if (none) {
            EmulatorFixture::RemoveComDir(empty);
            ::unsetenv("RIVO_COM_DIR");
        }
    }
}

TEST_F(AutoConnectTest, ASilentModelQueryLeavesNoModelOnSerialButKeepsItOverTcp)
{
    {
        PtyPair pty(7);
        ASSERT_TRUE(pty.Ok());
        Bytes request;
        std::thread line([&] {
            if (pty.Read(10, 5000).size() == 10 && pty.Write(StatusReply('A', 0)))
                request = pty.Read(11, 5000);
        });
        window->SpeedButton2Click();
        line.join();
        EXPECT_EQ(request, RegisterFrame(0x03, {1, 0}, SingleFrameNumber));
        EXPECT_EQ(App.RegisterModelFlag, 2);
        EXPECT_EQ(prompts.shown, Shown{"Błąd transmisji !!! [ORVA RIVO]"});
        CloseComPort();
    }
    App.RegisterModelFlag = 0;
    prompts.Clear();
    MemoryLine line(true);
    line.AnswerNextWrite(StatusReply('A', 0));
    window->SpeedButton2Click();
    EXPECT_EQ(Bytes(line.Written().end() - 11, line.Written().end()), RegisterFrame(0x03, {1, 0}, SingleFrameNumber));
    EXPECT_EQ(App.RegisterModelFlag, 0);
    EXPECT_EQ(prompts.shown, Shown{"Błąd transmisji !!! [TEPO DUX]"});
}

TEST_F(AutoConnectTest, OverTcpTheModelIsAskedAsOnSerial)
{
    ASSERT_EQ(CreateDatabaseImage(), 0);
    App.WorkMode = WorkModeDatabase;
    App.RegisterModelFlag = 1;
    PutGoods(2500);
    EmulatorFixture fx{emu::Model::TepoDux};
    const int answering = fx.ServeTcp();
    ASSERT_GT(answering, 0);
    // A port where nothing listens any more: the socket reports the error to the main window.
    const int closed = EmulatorFixture().ServeTcp();
    ASSERT_GT(closed, 0);

    LinkSettings.LinkType = 1;
    LinkSettings.TcpHost = "127.0.0.1";
    const struct {
        int Port;
        emu::Model Model;
        uint8_t Flag;
        Shown Messages;
    } steps[] = {{closed, emu::Model::Rivo, 1, {"Brak odpowiedzi kasy. Sprawdź poprawność ustawień sieciowych [ORVA RIVO]"}},
                 {answering, emu::Model::TepoDux, 0, {TepoDuxFound, OneLeftOutOnTepoDux}},
                 {answering, emu::Model::Rivo, 1, {RivoFound}}};
    for (const auto& step : steps) {
        const bool connects = step.Port == answering;
        SCOPED_TRACE(step.Messages.front());
        fx.Emu().SetModel(step.Model);
        prompts.Clear();
        LinkSettings.TcpPort = step.Port;
        ASSERT_EQ(ConnectTcp(), 0);   // as the settings window connects
        EXPECT_EQ(TcpSocket().WaitConnected(5000), connects);
        EXPECT_EQ(Link.TcpConnectState, connects ? 3u : 2u);  // reported through the main window

        const long long start = MonotonicMs();
        window->SpeedButton2Click();
        EXPECT_LT(MonotonicMs() - start, 5000);
        EXPECT_EQ(App.WorkMode, connects ? 3 : 1);
        EXPECT_EQ(App.RegisterModelFlag, step.Flag);
        EXPECT_EQ(App.GoodsRecordSize, step.Flag ? 83 : 69);
        EXPECT_EQ(prompts.shown, step.Messages);
        EXPECT_EQ(window->Label3->isHidden(), !connects);
        EXPECT_TRUE(window->Panel4->isHidden());
    }
    // The register restarts, closing the connection: the search connects again to the address
    // the settings gave.
    fx.Server().Stop();
    EmulatorFixture restarted{emu::Model::Rivo};
    ASSERT_EQ(restarted.Server().ListenTcp(answering), answering);
    prompts.Clear();
    window->SpeedButton2Click();
    EXPECT_EQ(prompts.shown, Shown{RivoFound});
    EXPECT_EQ(App.WorkMode, 3);
    TcpSocket().Close();
}

TEST_F(AutoConnectTest, ReconnectOpensTheLastPortWithoutAProbe)
{
    EmulatorFixture fx{emu::Model::Rivo};
    ASSERT_FALSE(fx.ServeCom(3).empty());
    TMenuGlowne& w = *window;

    w.Po1Click();  // no port chosen
    EXPECT_EQ(prompts.Messages(), QStringList{"Nie wybrano portu"});
    EXPECT_EQ(App.WorkMode, 1);

    LinkSettings.ComPortNumber = 3;
    w.Po1Click();
    ASSERT_NE(Link.SerialHandle, nullptr);
    EXPECT_EQ(App.WorkMode, 3);
    EXPECT_FALSE(w.Label3->isHidden());
    EXPECT_FALSE(fx.Emu().WaitForFrames(1, 300));

    // Reconnecting while the port is open changes nothing.
    SerialPort* open = Link.SerialHandle;
    prompts.Clear();
    w.Po1Click();
    EXPECT_EQ(Link.SerialHandle, open);
    EXPECT_EQ(App.WorkMode, 3);
    EXPECT_TRUE(prompts.Texts().isEmpty());

    // A port that does not open: its message, and the link is down.
    CloseComPort();
    LinkSettings.ComPortNumber = 9;
    prompts.Clear();
    w.Po1Click();
    EXPECT_EQ(Link.SerialHandle, nullptr);
    EXPECT_EQ(App.WorkMode, 1);
    EXPECT_EQ(prompts.Messages().size(), 1);
}

TEST_F(AutoConnectTest, PortTestButtonsSendAndShowRawBytes)
{
    PtyPair pty(5);
    ASSERT_TRUE(pty.Ok());
    TMenuGlowne& w = *window;

    w.Button1Click();
    w.Button4Click();
    EXPECT_EQ(prompts.Messages(), (QStringList{"Nie wybrano portu komunikacyjnego.", "Nie wybrano portu"}));
    EXPECT_EQ(Link.SerialHandle, nullptr);

    LinkSettings.ComPortNumber = 5;
    w.Button4Click();
    ASSERT_NE(Link.SerialHandle, nullptr);

    w.Button1Click();
    const std::vector<uint8_t> sent = pty.Read(10, 2000);
    EXPECT_EQ(std::string(sent.begin(), sent.end()), "ORVA RIVO ");

    prompts.Clear();
    ASSERT_TRUE(pty.Write("ABC", 3));
    w.Button7Click();
    EXPECT_EQ(prompts.Messages(), (QStringList{"ABC", "3"}));
}

} // namespace
