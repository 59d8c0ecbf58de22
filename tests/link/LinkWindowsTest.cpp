// The link settings window, the wait window and the receive-buffer view.
#include "core/AppState.h"
#include "link/Commands.h"
#include "link/CzekajNaRS.h"
#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "link/PokazBuforOdb.h"
#include "link/UstawieniaTrans.h"
#include "platform/Modal.h"
#include "platform/SerialPort.h"
#include "tests/link/LinkTestUtil.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/PtyPair.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

namespace {

QString Item(const QComboBox* box) { return box->currentText(); }

// ---- the link settings window ----

class SettingsWindow : public ::testing::Test {
protected:
    TestEnvironment env;
    ScriptedPrompts prompts;
    TUstawieniaTrans window;

    void Show() { window.show(); }
    void ChooseSerialPort(int port, int addressIndex)
    {
        window.RadioButton1->setChecked(true);
        window.ComboBox1->setCurrentIndex(port);
        window.ComboBox6->setCurrentIndex(addressIndex);
    }
    ~SettingsWindow() override { window.hide(); }
};

TEST_F(SettingsWindow, FreshStartShowsNoPortAndAFailedChoiceLeavesThePortClosed)
{
    PtyPair pty(2);      // COM6 is not there
    LoadLinkSettings();  // no ustaw.cfg in the start folder
    Show();
    EXPECT_EQ(Item(window.ComboBox1), QStringLiteral("Brak"));
    EXPECT_EQ(window.ComboBox1->itemText(99), QStringLiteral("COM 99"));
    EXPECT_FALSE(window.SerialControlsEnabled() || window.GroupBox1->isEnabled() || window.CheckBox1->isEnabled());
    EXPECT_FALSE(window.RadioButton1->isChecked() || window.RadioButton2->isChecked());
    EXPECT_EQ(QStringList({window.Edit2->text(), window.Edit3->text(), Item(window.ComboBox2), Item(window.ComboBox3)}),
              QStringList({"192.168.1.100", "5001", "115200", "8"}));

    // Choosing a port enables the serial controls, "Brak" greys them again.
    window.ComboBox1->setCurrentIndex(3);
    EXPECT_TRUE(window.SerialControlsEnabled());
    window.ComboBox1->setCurrentIndex(0);
    EXPECT_FALSE(window.SerialControlsEnabled());

    App.WorkMode = 1;
    ChooseSerialPort(6, 0);
    window.Button2Click();
    EXPECT_EQ(prompts.Messages(), QStringList{QStringLiteral("Nie mogę otworzyć portu COM6.")});
    EXPECT_EQ(LinkSettings.ComPortNumber, NoComPort);
    EXPECT_EQ(Link.SerialHandle, nullptr);
    EXPECT_EQ(App.WorkMode, 1);
    EXPECT_EQ(Item(window.ComboBox1), QStringLiteral("Brak"));
    EXPECT_FALSE(window.SerialControlsEnabled());
}

TEST_F(SettingsWindow, ShowsTheStoredSerialSettings)
{
    LinkSettings.ComPortNumber = 4;
    LinkSettings.BaudRate = 9600;
    LinkSettings.DataBits = 7;
    LinkSettings.Parity = 2;
    LinkSettings.StopBits = 2;
    LinkSettings.RtsCtsFlag = 1;
    Show();
    EXPECT_TRUE(window.SerialControlsEnabled());
    EXPECT_EQ(QStringList({Item(window.ComboBox1), Item(window.ComboBox2), Item(window.ComboBox3),
                           Item(window.ComboBox4), Item(window.ComboBox5)}),
              QStringList({"COM 4", "9600", "7", "Parzyste", "2"}));
    EXPECT_FALSE(window.CheckBox1->isChecked());
    EXPECT_TRUE(window.CheckBox2->isChecked());

    // A rate the list does not hold selects nothing.
    window.hide();
    LinkSettings.BaudRate = 12345;
    Show();
    EXPECT_EQ(window.ComboBox2->currentIndex(), -1);
}

TEST_F(SettingsWindow, ApplyingComTwoWithAddressFiveOpensTheLink)
{
    EmulatorFixture fx{emu::Model::Rivo, 5};
    ASSERT_FALSE(fx.ServeCom(2).empty());
    App.WorkMode = 1;
    Show();
    ChooseSerialPort(2, 4);
    window.ComboBox2->setCurrentText(QStringLiteral("57600"));
    window.ComboBox4->setCurrentIndex(2);
    window.Button2Click();

    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join('|').toStdString();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ((std::vector<unsigned>{LinkSettings.LinkType, LinkSettings.ComPortNumber, LinkSettings.BaudRate,
                                     LinkSettings.Parity, Link.RegisterAddress, App.WorkMode}),
              (std::vector<unsigned>{0, 2, 57600, 2, 5, 3}));
    ASSERT_NE(Link.SerialHandle, nullptr);

    // The open port reaches the register.
    ASSERT_EQ(SendProbeQ(Link.RegisterAddress, SingleFrameNumber, 0), 1);
    ASSERT_TRUE(fx.Emu().WaitForFrames(1, 3000));
    const auto frames = fx.Emu().ReceivedFrames();
    EXPECT_EQ(frames.back()[1], 5);
    EXPECT_EQ(frames.back()[6], 'Q');

    // Applied without a database, the program works with the register only.
    App.WorkMode = 0;
    Show();
    ChooseSerialPort(2, 0);
    window.Button2Click();
    EXPECT_EQ(App.WorkMode, 2);
    EXPECT_EQ(Link.RegisterAddress, 1);
}

TEST_F(SettingsWindow, PortThatDoesNotOpenRestoresAndReopensThePreviousPort)
{
    PtyPair pty(2);
    LinkSettings.ComPortNumber = 2;
    LinkSettings.BaudRate = 19200;
    ASSERT_EQ(OpenComPort(1, Link.SerialHandle), 0);
    App.WorkMode = 3;
    Link.RegisterAddress = 3;
    Show();
    ChooseSerialPort(5, 7);   // nothing is linked as COM5
    window.ComboBox2->setCurrentText(QStringLiteral("9600"));
    window.Button2Click();

    EXPECT_EQ(prompts.Messages(), QStringList{QStringLiteral("Nie mogę otworzyć portu COM5.")});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(LinkInUse(), "2 19200 @3 mode 3 COM2");
    EXPECT_EQ(Item(window.ComboBox1) + Item(window.ComboBox2), QStringLiteral("COM 219200"));
}

TEST_F(SettingsWindow, BrakClosesThePortAndLowersTheLinkBit)
{
    PtyPair pty(2);
    LinkSettings.ComPortNumber = 2;
    ASSERT_EQ(OpenComPort(1, Link.SerialHandle), 0);
    App.WorkMode = 3;
    Show();
    window.RadioButton1->setChecked(true);
    window.ComboBox1->setCurrentIndex(0);
    window.Button2Click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Link.SerialHandle, nullptr);
    EXPECT_EQ(LinkSettings.ComPortNumber, NoComPort);
    EXPECT_EQ(App.WorkMode, 1);

    // Without a database it does not claim one.
    App.WorkMode = 2;
    Show();
    window.RadioButton1->setChecked(true);
    window.ComboBox1->setCurrentIndex(0);
    window.Button2Click();
    EXPECT_EQ(App.WorkMode, 0);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_F(SettingsWindow, AvailablePortFilterListsOnlyPortsThatOpen)
{
    PtyPair pty(7);
    LinkSettings.ComPortNumber = 7;
    ASSERT_EQ(OpenComPort(1, Link.SerialHandle), 0);  // the port in use is listed as well
    App.WorkMode = 3;
    Show();
    window.CheckBox3->setChecked(true);
    window.CheckBox3Click();
    ASSERT_EQ(window.ComboBox1->count(), 2);
    EXPECT_EQ(window.ComboBox1->itemText(0), QStringLiteral("Brak"));
    EXPECT_EQ(Item(window.ComboBox1), QStringLiteral("COM 7"));
    EXPECT_TRUE(window.SerialControlsEnabled());
    EXPECT_EQ(App.WorkMode, 1);
    EXPECT_EQ(Link.SerialHandle, nullptr);
    // The scan only looks: the chosen port is not changed by it.
    EXPECT_EQ(LinkSettings.ComPortNumber, 7);

    window.RadioButton1->setChecked(true);
    window.Button2Click();
    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join('|').toStdString();
    EXPECT_EQ(LinkSettings.ComPortNumber, 7);
    EXPECT_EQ(App.WorkMode, 3);
    ASSERT_NE(Link.SerialHandle, nullptr);
    EXPECT_EQ(Link.SerialHandle->Name(), "COM7");

    // Opening again shows the port in the filtered list.
    window.hide();
    Show();
    EXPECT_EQ(Item(window.ComboBox1), QStringLiteral("COM 7"));

    // Unticked: every port again, the first one selected.
    window.CheckBox3->setChecked(false);
    window.CheckBox3Click();
    EXPECT_EQ(window.ComboBox1->count(), 100);
    EXPECT_EQ(Item(window.ComboBox1), QStringLiteral("COM 1"));
}

TEST_F(SettingsWindow, TcpSettingsThatCannotWorkKeepTheWindowOpen)
{
    Show();
    window.RadioButton2->setChecked(true);
    // Only a plain number from 1 to 65535 is a port.
    for (auto [host, port] : {std::pair{"10.0.0.1", "50a1"}, {"10.0.0.1", ""}, {"10.0.0.1", "70000"}, {"10.0.0.1", "0"},
                              {"10.0.0.1", "65536"}, {"10.0.0.1", "99999999999"}, {"10.0.0.1", "-1"}, {"10.0.0.1", "+80"},
                              {"10.0.0.1", "5 001"}, {"10.0.0.1", "1e3"}, {"", "5001"}}) {
        prompts.Clear();
        window.Edit2->setText(QString::fromLatin1(host));
        window.Edit3->setText(QString::fromLatin1(port));
        window.Button2Click();
        EXPECT_EQ(prompts.Messages(), QStringList{*host ? QStringLiteral("Błędny numer portu TCP/IP.")
                                                        : QStringLiteral("Nie udało się otworzyć portu komunikacyjnego")})
            << host << ":" << port;
        EXPECT_TRUE(window.isVisible());
        if (*host) {  // a bad port number changes nothing
            EXPECT_EQ(std::tuple(LinkSettings.LinkType, LinkSettings.TcpHost, LinkSettings.TcpPort),
                      std::tuple(uint8_t(0), std::string(), 0));
        }
    }
}

TEST_F(SettingsWindow, CloseAndEscChangeNothingAndNoTransportDoesNothing)
{
    PtyPair pty(2);
    App.WorkMode = 1;
    Show();
    window.ComboBox1->setCurrentIndex(2);
    window.Button2Click();  // neither transport chosen
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(LinkSettings.ComPortNumber, NoComPort);

    window.RadioButton1->setChecked(true);
    window.Button3Click();
    EXPECT_FALSE(window.isVisible());
    Show();
    window.ComboBox1->setCurrentIndex(2);
    // Enter presses no button; Esc closes without applying.
    PressKey(window, Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(LinkSettings.ComPortNumber, NoComPort);
    EXPECT_TRUE(window.FormKeyDown(Qt::Key_Escape));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(LinkSettings.ComPortNumber, NoComPort);
    EXPECT_EQ(Link.SerialHandle, nullptr);
    EXPECT_EQ(App.WorkMode, 1);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

// ---- the wait window ----

class WaitWindow : public ::testing::Test {
protected:
    TestEnvironment env{false};
    ScriptedPrompts prompts;
    TCzekajNaRS window;
    ~WaitWindow() override { window.hide(); }
};

// While an exchange runs only its stop button, Esc and windows shown meanwhile answer; a window
// closed meanwhile closes when the exchange ends.
TEST(ExchangeGuardTest, OnlyTheStopButtonEscAndNewWindowsAnswer)
{
    TestEnvironment env(false);
    QWidget window;
    QPushButton stop("stop", &window), other("other", &window), box("box");
    QStringList clicks;
    for (QPushButton* b : {&stop, &other, &box})
        QObject::connect(b, &QPushButton::clicked, [&clicks, b] { clicks << b->text(); });
    window.show();
    {
        ExchangeGuard series(&stop), wait;
        box.show();
        for (QPushButton* b : {&other, &stop, &box})
            UserClick(*b);
        PressKey(window, Qt::Key_Escape);
        EXPECT_EQ(Link.AbortRequestFlag, 1);
        window.close();
        EXPECT_TRUE(window.isVisible());
    }
    EXPECT_FALSE(window.isVisible() || ExchangeGuard::Held());
    UserClick(other);
    EXPECT_EQ(clicks, (QStringList{"stop", "box", "other"}));
}

TEST_F(WaitWindow, ClosesWithResultOneWhenTheLineIsFree)
{
    PtyPair pty(4);
    LinkSettings.ComPortNumber = 4;
    ASSERT_EQ(OpenComPort(1, Link.SerialHandle), 0);
    // Shown modally, the timer finds the line free by itself.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &window, [this] { window.done(7); });
    guard.start(5000);
    EXPECT_EQ(ShowModal(window), 1);
    EXPECT_FALSE(window.Timer1->isActive());
}

TEST_F(WaitWindow, WithoutAPortItWaitsUntilPrzerwijOrEscAnsweredYes)
{
    window.show();
    EXPECT_TRUE(window.Timer1->isActive());
    EXPECT_EQ(window.ProgressBar1->value(), 0);
    // No port: the line never reports free, the bar moves.
    window.Timer1Timer();
    window.Timer1Timer();
    EXPECT_EQ(window.ProgressBar1->value(), 4);
    EXPECT_TRUE(window.isVisible());
    for (int i = 0; i < 49; ++i)
        window.Timer1Timer();
    EXPECT_EQ(window.ProgressBar1->value(), 98) << "up to 100 and back in steps of two";
    for (int i = 0; i < 50; ++i)
        window.Timer1Timer();
    EXPECT_EQ(window.ProgressBar1->value(), 2) << "down to 0 and up again";
    window.hide();
    window.show();
    EXPECT_EQ(window.ProgressBar1->value(), 0) << "shown again, the bar starts over";
    EXPECT_EQ(window.Direction, 0);

    window.Button1Click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_NE(window.result(), 1);
    EXPECT_FALSE(window.Timer1->isActive());

    window.show();
    prompts.Answer(PromptAnswer::No);
    PressKey(window, Qt::Key_Escape);
    ASSERT_EQ(prompts.All().size(), 1u);
    EXPECT_TRUE(prompts.All()[0].IsQuestion);
    EXPECT_EQ(prompts.All()[0].Text, QStringLiteral("Czy przerwać oczekiwanie?"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.Timer1->isActive());

    prompts.Answer(PromptAnswer::Yes);
    EXPECT_TRUE(window.FormKeyDown(Qt::Key_Escape));
    EXPECT_FALSE(window.isVisible());
    EXPECT_NE(window.result(), 1);
    EXPECT_FALSE(window.Timer1->isActive());
    EXPECT_EQ(prompts.PendingAnswers(), 0u);
}

// ---- the receive-buffer view ----

class BufferViewWindow : public ::testing::Test {
protected:
    TestEnvironment env{false};
    ScriptedPrompts prompts;
    TPokazBuforOdb window;
    ~BufferViewWindow() override { window.hide(); }
};

TEST_F(BufferViewWindow, ShowsTheProgramBufferOrReadsThePcBufferFromTheOpenPort)
{
    const uint8_t bytes[] = {0x02, 0x01, 0x0A, 0x00, 0x01, 0x00, 0x06};
    std::memcpy(Link.ReceiveBuffer, bytes, sizeof bytes);
    window.show();
    EXPECT_EQ(window.RichEdit1->toPlainText(), QStringLiteral("02 01 0A "));
    // The receive buffer changes; switching the mode shows the same bytes as before.
    Link.ReceiveBuffer[0] = 0x30;
    window.SetRadioGroup1ItemIndex(1);
    window.RadioGroup1Click();
    EXPECT_EQ(window.RichEdit1->toPlainText(), QStringLiteral("2 1 10 "));
    // The program-buffer button reads it again.
    window.SetRadioGroup1ItemIndex(0);
    window.Button1Click();
    EXPECT_EQ(window.RichEdit1->toPlainText(), QStringLiteral("30 01 0A "));

    // Without an open port there is nothing to read.
    Link.ReceiveBuffer[0] = 0x41;
    window.Button2Click();
    EXPECT_EQ(window.RichEdit1->toPlainText(), QString());

    PtyPair pty(6);
    LinkSettings.ComPortNumber = 6;
    ASSERT_EQ(OpenComPort(1, Link.SerialHandle), 0);
    const std::vector<uint8_t> line{'A', 0xA5, 'B', 0x00, 'C'};
    ASSERT_TRUE(pty.Write(line));
    window.SetRadioGroup1ItemIndex(2);
    window.Button2Click();
    EXPECT_EQ(window.RichEdit1->toPlainText(), QStringLiteral("A Ą B "));
    window.SetRadioGroup1ItemIndex(0);
    window.RadioGroup1Click();
    EXPECT_EQ(window.RichEdit1->toPlainText(), QStringLiteral("41 A5 42 "));
    // The program's buffer was not touched.
    EXPECT_EQ(Link.ReceiveBuffer[0], 0x41);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

} // namespace
