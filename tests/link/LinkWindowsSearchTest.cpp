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

#include <vector>

namespace {

Bytes ProbeReply(uint8_t address, uint8_t kind, uint8_t status, bool goodChecksum = true)
{
    return RegisterFrame(kind, {status}, 0x8001, address, goodChecksum);
}

// A register's probe answer is a whole 10-byte attention reply with its checksum; anything else a
// device on the port sends is no register.
TEST(ProbeAnswer, OnlyAWholeAttentionReply)
{
    EXPECT_TRUE(IsProbeAnswer(ProbeReply(4, 'A', 0).data(), 10));
    EXPECT_FALSE(IsProbeAnswer(ProbeReply(4, 'A', 0).data(), 9));
    EXPECT_FALSE(IsProbeAnswer(ProbeReply(1, 0x06, 0).data(), 10));
    EXPECT_FALSE(IsProbeAnswer(ProbeReply(1, 'A', 0, false).data(), 10));
    for (auto [at, value] : {std::pair{9, 0}, {2, 11}}) {  // no end byte; a longer length field
        auto r = ProbeReply(4, 'A', 0);
        r[std::size_t(at)] = uint8_t(value);
        EXPECT_FALSE(IsProbeAnswer(r.data(), 10)) << at;
    }
}

class SearchWindow : public ::testing::Test {
protected:
    TestEnvironment env;
    ScriptedPrompts prompts;
    TWyszukiwanieKasyRS window;
    ~SearchWindow() override { window.hide(); }
};

TEST_F(SearchWindow, FindsTheRegisterAtAddressFourOnComTwoAndConnects)
{
    // COM2 is a register at address 4, and the link in use before the search: at 9600, address 7,
    // not open.
    EmulatorFixture fx{emu::Model::Rivo, 4};
    ASSERT_FALSE(fx.ServeCom(2).empty());
    LinkSettings = {0, 2, 9600};
    Link.RegisterAddress = 7;
    App.WorkMode = 1;

    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Wyszukiwanie kasy"));
    EXPECT_FALSE(window.Button2->isEnabled());
    window.Button1Click();

    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join('|').toStdString();
    EXPECT_EQ(window.ProgressBar1->maximum(), 9);
    EXPECT_EQ(window.ProgressBar1->value(), 9);
    EXPECT_FALSE(window.Panel1->isVisible());
    ASSERT_EQ(window.ComboBox1->count(), 1);
    EXPECT_EQ(window.ComboBox1->itemText(0), QStringLiteral("COM 2"));
    EXPECT_EQ(window.FoundRegisterAddress, std::vector<uint8_t>{4});
    EXPECT_TRUE(window.Button1->isEnabled() && window.Button2->isEnabled() && window.Button3->isEnabled());

    // Every address was probed on the register's port.
    const auto probes = fx.Emu().ReceivedFramesWithCommand('Q');
    ASSERT_EQ(probes.size(), 9u);
    for (std::size_t i = 0; i < probes.size(); ++i) {
        EXPECT_EQ(int(probes[i][1]), int(i + 1));
        EXPECT_EQ(probes[i][4] | (probes[i][5] << 8), 0);
    }

    // Without connecting, the link is as it was; the port in use is open again.
    EXPECT_EQ(LinkInUse(), "2 9600 @7 mode 1 COM2");

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
    EnvGuard comDir{"RIVO_COM_DIR"};
    const std::string noPorts = EmulatorFixture::MakeEmptyComDir();  // no register on any port
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
    EmulatorFixture::RemoveComDir(noPorts);
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
