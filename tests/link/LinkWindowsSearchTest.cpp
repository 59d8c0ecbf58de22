// The register search window: ports and addresses probed, what is listed, the link put back.
#include "core/AppState.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "link/WyszukiwanieKasyRS.h"
#include "platform/SerialPort.h"
#include "tests/link/LinkTestUtil.h"
#include "tests/support/EmulatorFixture.h"

#include <QComboBox>
#include <QFrame>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

Bytes ProbeReply(uint8_t address, uint8_t kind, uint8_t status, bool goodChecksum = true)
{
    return RegisterFrame(kind, {status}, 0x8001, address, goodChecksum);
}

// Another kind of reply and a bad checksum are answered by the devices of the search below.
TEST(ProbeAnswer, OnlyAWholeAttentionReply)
{
    EXPECT_TRUE(IsProbeAnswer(ProbeReply(4, 'A', 0).data(), 10));
    EXPECT_FALSE(IsProbeAnswer(ProbeReply(4, 'A', 0).data(), 9));
    for (auto [at, value] : {std::pair{9, 0}, {2, 11}}) {  // no end byte; a longer length field
        auto r = ProbeReply(4, 'A', 0);
        r[std::size_t(at)] = uint8_t(value);
        EXPECT_FALSE(IsProbeAnswer(r.data(), 10)) << at;
    }
}

// A device on a COM port that answers every 10-byte frame at once with the given reply (a device
// that is no register, or one that garbles its answer).
class Responder {
public:
    Responder(int port, const std::string& folder, std::vector<uint8_t> reply)
        : pty_(port, folder), reply_(std::move(reply))
    {
        thread_ = std::thread([this] {
            while (!stop_) {
                if (pty_.Read(10, 20).size() == 10) {
                    pty_.Write(reply_);
                    ++answered_;
                }
            }
        });
    }
    ~Responder()
    {
        stop_ = true;
        thread_.join();
    }
    bool Ok() const { return pty_.Ok(); }
    int Answered() const { return answered_; }

private:
    PtyPair pty_;
    std::vector<uint8_t> reply_;
    std::atomic<bool> stop_{false};
    std::atomic<int> answered_{0};
    std::thread thread_;
};

// No register on any port, for the length of a test.
class EmptyComFolder {
public:
    EmptyComFolder() : dir_(EmulatorFixture::MakeEmptyComDir()) {}
    ~EmptyComFolder()
    {
        EmulatorFixture::RemoveComDir(dir_);
        ::unsetenv("RIVO_COM_DIR");
    }

private:
    std::string dir_;
};

class SearchWindow : public ::testing::Test {
protected:
    TestEnvironment env;
    ScriptedPrompts prompts;
    TWyszukiwanieKasyRS window;
    ~SearchWindow() override { window.hide(); }
};

TEST_F(SearchWindow, FindsTheRegisterAtAddressFourOnComTwoAndConnects)
{
    // COM1 answers like something that is no register, COM2 is a register at address 4,
    // COM3 answers 'A' with a broken checksum.
    EmulatorFixture fx{emu::Model::Rivo, 4};
    const std::string folder = fx.ServeCom(2);
    ASSERT_FALSE(folder.empty());
    Responder com1(1, folder, ProbeReply(1, 0x06, 0));
    Responder com3(3, folder, ProbeReply(1, 'A', 0, false));
    ASSERT_TRUE(com1.Ok() && com3.Ok());

    // The link in use before the search: COM3 at 9600, address 7, not open.
    LinkSettings = {0, 3, 9600};
    Link.RegisterAddress = 7;
    App.WorkMode = 1;

    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Wyszukiwanie kasy"));
    EXPECT_FALSE(window.Button2->isEnabled());
    window.Button1Click();

    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join('|').toStdString();
    EXPECT_EQ(window.ProgressBar1->maximum(), 27);
    EXPECT_EQ(window.ProgressBar1->value(), 27);
    EXPECT_FALSE(window.Panel1->isVisible());
    ASSERT_EQ(window.ComboBox1->count(), 1);
    EXPECT_EQ(window.ComboBox1->itemText(0), QStringLiteral("COM 2"));
    EXPECT_EQ(window.FoundRegisterAddress, std::vector<uint8_t>{4});
    EXPECT_TRUE(window.Button1->isEnabled() && window.Button2->isEnabled() && window.Button3->isEnabled());
    EXPECT_EQ(com1.Answered(), 9);
    EXPECT_EQ(com3.Answered(), 9);

    // Every address was probed on the register's port.
    const auto probes = fx.Emu().ReceivedFramesWithCommand('Q');
    ASSERT_EQ(probes.size(), 9u);
    for (std::size_t i = 0; i < probes.size(); ++i) {
        EXPECT_EQ(int(probes[i][1]), int(i + 1));
        EXPECT_EQ(probes[i][4] | (probes[i][5] << 8), 0);
    }

    // Without connecting, the link is as it was; the port in use is open again.
    EXPECT_EQ(LinkInUse(), "3 9600 @7 mode 1 COM3");

    window.Button2Click();
    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join('|').toStdString();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(LinkInUse(), "2 115200 @4 mode 3 COM2") << "at the rate the register answered at";

    // Shown again, the list starts empty.
    window.show();
    EXPECT_EQ(window.ComboBox1->count(), 0);
    EXPECT_FALSE(window.Button2->isEnabled());
    EXPECT_TRUE(window.FoundRegisterAddress.empty());
}

TEST_F(SearchWindow, NothingFoundSaysSoAndRestoresTheLinkOrKeepsATcpLinkUp)
{
    EmptyComFolder noPorts;
    LinkSettings = {0, 4, 4800};  // a port that is gone
    Link.RegisterAddress = 2;
    App.WorkMode = 3;
    window.show();
    window.Button1Click();
    EXPECT_EQ(prompts.Messages(), QStringList{QStringLiteral("Nie wykryto żadnej kasy podłączonej do tego komputera.")});
    EXPECT_EQ(window.ProgressBar1->maximum(), 0);
    EXPECT_EQ(window.ComboBox1->count(), 0);
    EXPECT_FALSE(window.Button2->isEnabled());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(LinkSettings.BaudRate, 4800u);
    EXPECT_EQ(Link.RegisterAddress, 2);
    // The port in use does not reopen: no message, the link is down.
    EXPECT_EQ(Link.SerialHandle, nullptr);
    EXPECT_EQ(App.WorkMode, 1);

    LinkSettings = {1, NoComPort, 4800, 8, 0, 0, 0, 0, 0, "127.0.0.1", 5001};
    App.WorkMode = 3;
    window.Button1Click();
    EXPECT_EQ(LinkSettings.LinkType, 1);
    EXPECT_EQ(LinkSettings.TcpHost, "127.0.0.1");
    EXPECT_EQ(App.WorkMode, 3);
    EXPECT_EQ(Link.SerialHandle, nullptr);
}

// Esc stops the search and leaves the window open; closing the window stops it and closes it.
// Either way the link is as it was.
TEST_F(SearchWindow, EscOrClosingStopsTheSearchCleanly)
{
    PtyPair com1(1);   // silent: every probe waits out the read time-out
    PtyPair com2(2, com1.Folder());
    for (bool esc : {true, false}) {
        LinkSettings = {0, 2, 9600};
        Link.RegisterAddress = 5;
        App.WorkMode = 3;
        window.show();
        // Once the search has probed a port, from the event loop: the controls, then Esc or close.
        QTimer timer;
        bool controlsDisabled = false;
        QObject::connect(&timer, &QTimer::timeout, &window, [&, esc] {
            if (window.Searching() && window.ProgressBar1->value() >= 1) {
                timer.stop();
                controlsDisabled = !window.Button1->isEnabled() && !window.Button2->isEnabled()
                    && !window.Button3->isEnabled() && !window.ComboBox1->isEnabled();
                esc ? PressKey(window, Qt::Key_Escape) : void(window.close());
            }
        });
        timer.start(5);
        window.Button1Click();

        EXPECT_TRUE(controlsDisabled);
        EXPECT_FALSE(window.Searching());
        EXPECT_EQ(window.ProgressBar1->maximum(), 18);
        EXPECT_LT(window.ProgressBar1->value(), 18);
        EXPECT_TRUE(prompts.Texts().isEmpty());
        EXPECT_EQ(window.isVisible(), esc);
        EXPECT_TRUE(window.Button1->isEnabled() && window.Button3->isEnabled());
        EXPECT_EQ(LinkInUse(), "2 9600 @5 mode 3 COM2");
    }
}

} // namespace
