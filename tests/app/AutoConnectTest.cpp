// The automatic connection, the reconnect and the port test buttons of the main window, against
// the emulator on a pseudo-terminal COM port and over TCP.
#include "app/MenuGlowne.h"
#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "link/Commands.h"
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
#include <deque>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <stdlib.h>
#include <thread>

namespace {

// Notes the model the status panel shows at each message: the panel must name the register
// before any message about it appears.
class PanelAtMessages : public ScriptedPrompts {
public:
    void Message(const QString& text, const QString& caption, PromptIcon icon) override
    {
        QString model = QStringLiteral("-");
        if (window && !window->Label10->isHidden())
            model = window->Label10->text();
        else if (window && !window->Label11->isHidden())
            model = window->Label11->text().trimmed();
        withPanel_.push_back((text + " [" + model + "]").toStdString());
        ScriptedPrompts::Message(text, caption, icon);
    }
    // "text [model]" of every message, as UTF-8 so that a failure reads plainly.
    std::vector<std::string> MessagesWithPanel() const { return withPanel_; }
    void Clear()
    {
        ScriptedPrompts::Clear();
        withPanel_.clear();
    }
    TMenuGlowne* window = nullptr;

private:
    std::vector<std::string> withPanel_;
};

// A register on an in-memory TCP line that answers each request with the next scripted reply
// (nothing once the script has run out).
class ScriptedTcpRegister : public MemoryLine {
public:
    ScriptedTcpRegister() : MemoryLine(true) {}
    void Then(const Bytes& reply) { replies_.push_back(reply); }
    int Write(const uint8_t* buffer, std::size_t n) override
    {
        const int written = MemoryLine::Write(buffer, n);
        if (!replies_.empty()) {
            Send(replies_.front());
            replies_.pop_front();
        }
        return written;
    }

private:
    std::deque<Bytes> replies_;
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
        ASSERT_EQ(WriteGoodsRecordToImage({.Plu = uint16_t(plu), .Name = "Towar " + std::to_string(plu), .VatLetter = "B",
                                           .Price = plu * 3, .Barcode = "590" + std::to_string(plu), .Group = 1,
                                           .Halo = 2, .Unit = 3}), 0);
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
        EXPECT_EQ(prompts.MessagesWithPanel(), Shown({TepoDuxFound, OneLeftOutOnTepoDux}));
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
    EXPECT_EQ(prompts.MessagesWithPanel(), Shown{RivoFound});
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

TEST_F(AutoConnectTest, OnSerialASilentModelQueryLeavesNoModel)
{
    for (bool silent : {true, false}) {  // silence, or an error frame for the model query
        SCOPED_TRACE(silent);
        PtyPair pty(7);
        ASSERT_TRUE(pty.Ok());
        prompts.Clear();
        App.RegisterModelFlag = 0;
        Bytes request;
        std::thread line([&] {
            if (pty.Read(10, 5000).size() != 10)
                return;
            pty.Write(StatusReply('A', 0));
            request = pty.Read(11, 5000);
            if (!silent)
                pty.Write(ErrorFrameBytes(2));
        });
        window->SpeedButton2Click();
        line.join();
        EXPECT_EQ(request, RegisterFrame(0x03, {1, 0}, SingleFrameNumber));
        EXPECT_EQ(App.WorkMode, 3);
        EXPECT_EQ(App.RegisterModelFlag, silent ? 2 : 0);
        EXPECT_EQ(App.GoodsRecordSize, 83);
        EXPECT_EQ(prompts.MessagesWithPanel(), silent ? Shown{"Błąd transmisji !!! [ORVA RIVO]"} : Shown());
        CloseComPort();
    }
}

TEST_F(AutoConnectTest, OverTcpTheModelIsAskedAsOnSerial)
{
    ASSERT_EQ(CreateDatabaseImage(), 0);
    App.WorkMode = WorkModeDatabase;
    PutGoods(7);
    PutGoods(2500);
    // A Tepo Dux found on a serial line first: a register reached over TCP must not inherit it.
    {
        EmulatorFixture dux{emu::Model::TepoDux};
        ASSERT_FALSE(dux.ServeCom(3).empty());
        window->SpeedButton2Click();
        ASSERT_EQ(App.RegisterModelFlag, 0);
        CloseComPort();
    }
    EmulatorFixture fx{emu::Model::Rivo};
    const int answering = fx.ServeTcp();
    ASSERT_GT(answering, 0);
    // A port where nothing listens any more: the socket reports the error to the main window.
    const int closed = EmulatorFixture().ServeTcp();
    ASSERT_GT(closed, 0);

    LinkSettings.LinkType = 1;
    ClientSocket& socket = TcpSocket();
    socket.Host = "127.0.0.1";
    socket.Port = closed;
    ASSERT_TRUE(socket.Open());
    EXPECT_FALSE(socket.WaitConnected(5000));
    EXPECT_EQ(Link.TcpConnectState, 2u);  // reported through the main window
    prompts.Clear();
    long long start = MonotonicMs();
    window->SpeedButton2Click();
    EXPECT_LT(MonotonicMs() - start, 5000);
    EXPECT_EQ(App.WorkMode, 1);
    EXPECT_EQ(App.RegisterModelFlag, 0);
    EXPECT_EQ(prompts.Messages(), QStringList{"Brak odpowiedzi kasy. Sprawdź poprawność ustawień sieciowych"});
    EXPECT_TRUE(window->Label3->isHidden());
    EXPECT_TRUE(window->Panel4->isHidden());

    socket.Port = answering;
    ASSERT_TRUE(socket.Open());
    ASSERT_TRUE(socket.WaitConnected(5000));
    EXPECT_EQ(Link.TcpConnectState, 3u);
    struct Step {
        emu::Model Model;
        Shown Messages;
    };
    const Step steps[] = {{emu::Model::Rivo, {RivoFound}},
                          {emu::Model::TepoDux, {TepoDuxFound, OneLeftOutOnTepoDux}},
                          {emu::Model::Rivo, {RivoFound}}};
    for (const Step& step : steps) {
        const bool rivo = step.Model == emu::Model::Rivo;
        SCOPED_TRACE(rivo ? "Rivo" : "Tepo Dux");
        fx.Emu().SetModel(step.Model);
        fx.Emu().ClearReceived();
        prompts.Clear();
        start = MonotonicMs();
        window->SpeedButton2Click();
        EXPECT_LT(MonotonicMs() - start, 5000);
        EXPECT_EQ(App.WorkMode, 3);
        EXPECT_EQ(App.RegisterModelFlag, rivo ? 1 : 0);
        EXPECT_EQ(App.GoodsRecordSize, rivo ? 83 : 69);
        EXPECT_EQ(App.MaxGoodsCount, rivo ? 8000 : 2000);
        EXPECT_EQ(prompts.MessagesWithPanel(), step.Messages);
        EXPECT_TRUE(window->Panel4->isHidden());
        std::vector<uint8_t> commands;
        for (const Bytes& frame : fx.Emu().ReceivedFrames())
            commands.push_back(frame.at(6));
        EXPECT_EQ(commands, (std::vector<uint8_t>{'Q', 0x03}));

        // Goods now go out in this register's layout, and it takes them.
        ASSERT_EQ(SendGoodsRecord(Link.RegisterAddress, SingleFrameNumber, 7, 0, 0), 1);
        const int ack = ReceiveAck();
        EXPECT_TRUE(ack == AckAccepted || ack == AckDone) << ack;
        const auto sent = fx.Emu().ReceivedFramesWithCommand('T');
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].size(), rivo ? 93u : 79u);
        EXPECT_EQ(fx.Emu().GoodsRecord(7).at(0), 7);
        EXPECT_EQ(prompts.MessagesWithPanel(), step.Messages) << "a refusal was shown";
        fx.Emu().ClearGoods();
        if (rivo)
            PutGoods(2500);  // one for the next Tepo Dux to leave out
    }
    socket.Close();
}

TEST_F(AutoConnectTest, OverTcpNoUsableModelAnswerKeepsTheModel)
{
    Bytes noise(36, 0);  // says 31 bytes but is no frame
    noise[0] = 0x02;
    noise[2] = 31;
    Bytes damaged = RegisterFrame(0x06, Bytes(22, 1), SingleFrameNumber);
    damaged[20] ^= 0x55;
    struct Answer {
        const char* Name;
        Bytes Reply;
        QStringList Messages;
    };
    const Answer answers[] = {{"silence", {}, {QStringLiteral("Błąd transmisji !!!")}},
                              {"error frame", ErrorFrameBytes(2), {}},
                              {"noise", noise, {}},
                              {"damaged frame", damaged, {}}};
    for (uint8_t before : {0, 1}) {
        for (const Answer& answer : answers) {
            SCOPED_TRACE(std::string(answer.Name) + (before ? " after a Rivo" : " after a Tepo Dux"));
            App.WorkMode = WorkModeDatabase;
            App.RegisterModelFlag = before;
            App.GoodsRecordSize = before ? 83 : 69;
            App.MaxGoodsCount = before ? 8000 : 2000;
            prompts.Clear();
            ScriptedTcpRegister line;
            line.Then(StatusReply('A', 0));
            if (!answer.Reply.empty())
                line.Then(answer.Reply);
            window->SpeedButton2Click();
            EXPECT_EQ(App.WorkMode, 3);
            EXPECT_EQ(App.RegisterModelFlag, before);
            EXPECT_EQ(App.GoodsRecordSize, before ? 83 : 69);
            EXPECT_EQ(App.MaxGoodsCount, before ? 8000 : 2000);
            EXPECT_EQ(window->Label10->isHidden(), before == 1);
            EXPECT_EQ(window->Label11->isHidden(), before == 0);
            EXPECT_EQ(prompts.Messages(), answer.Messages);
            // The probe, then the configuration read.
            const Bytes& written = line.Written();
            ASSERT_GE(written.size(), 21u);
            EXPECT_EQ(written[6], 'Q');
            EXPECT_EQ(Bytes(written.end() - 11, written.end()), RegisterFrame(0x03, {1, 0}, SingleFrameNumber));
        }
    }
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
    EXPECT_EQ(App.WorkMode, 2);

    w.Button1Click();
    const std::vector<uint8_t> sent = pty.Read(10, 2000);
    EXPECT_EQ(std::string(sent.begin(), sent.end()), "ORVA RIVO ");

    prompts.Clear();
    ASSERT_TRUE(pty.Write("ABC", 3));
    w.Button7Click();
    EXPECT_EQ(prompts.Messages(), (QStringList{"ABC", "3"}));
}

} // namespace
