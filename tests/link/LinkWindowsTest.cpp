// The link settings window, the wait window and the receive-buffer view.
#include "core/AppState.h"
#include "link/CzekajNaRS.h"
#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "link/PokazBuforOdb.h"
#include "link/UstawieniaTrans.h"
#include "platform/Modal.h"
#include "platform/SerialPort.h"
#include "tests/link/LinkTestUtil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
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

    void ChooseSerialPort(int port, int addressIndex)
    {
        window.RadioButton1->setChecked(true);
        window.ComboBox1->setCurrentIndex(port);
        window.ComboBox6->setCurrentIndex(addressIndex);
    }
    ~SettingsWindow() override { window.hide(); }
};

TEST_F(SettingsWindow, FreshStartShowsNoPortAFailedChoiceLeavesItClosedAndStoredSettingsShow)
{
    PtyPair pty(2);      // COM6 is not there
    LoadLinkSettings();  // no ustaw.cfg in the start folder
    window.show();
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

    // With neither transport chosen "Zastosuj" does nothing; "Zamknij" and Esc apply nothing, and
    // Enter presses no button.
    App.WorkMode = 1;
    window.ComboBox1->setCurrentIndex(2);
    window.Button2Click();
    EXPECT_TRUE(window.isVisible());
    window.RadioButton1->setChecked(true);
    window.Button3Click();
    EXPECT_FALSE(window.isVisible());
    window.show();
    window.ComboBox1->setCurrentIndex(2);
    PressKey(window, Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.FormKeyDown(Qt::Key_Escape));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(LinkInUse(), "255 115200 @1 mode 1 -");
    EXPECT_TRUE(prompts.Texts().isEmpty());

    window.show();
    ChooseSerialPort(6, 0);
    window.Button2Click();
    EXPECT_EQ(prompts.Messages(), QStringList{QStringLiteral("Nie mogę otworzyć portu COM6.")});
    EXPECT_EQ(LinkInUse(), "255 115200 @1 mode 1 -");
    EXPECT_EQ(Item(window.ComboBox1), QStringLiteral("Brak"));
    EXPECT_FALSE(window.SerialControlsEnabled());

    // Shown again, the stored settings: COM4, even parity, two stop bits, RTS/CTS.
    window.hide();
    LinkSettings = {0, 4, 9600, 7, 2, 2, 0, 1};
    window.show();
    EXPECT_TRUE(window.SerialControlsEnabled());
    EXPECT_EQ(QStringList({Item(window.ComboBox1), Item(window.ComboBox2), Item(window.ComboBox3),
                           Item(window.ComboBox4), Item(window.ComboBox5)}),
              QStringList({"COM 4", "9600", "7", "Parzyste", "2"}));
    EXPECT_FALSE(window.CheckBox1->isChecked());
    EXPECT_TRUE(window.CheckBox2->isChecked());

    // A rate the list does not hold selects nothing.
    window.hide();
    LinkSettings.BaudRate = 12345;
    window.show();
    EXPECT_EQ(window.ComboBox2->currentIndex(), -1);
}

TEST_F(SettingsWindow, PortThatDoesNotOpenRestoresThePreviousPortAndBrakClosesIt)
{
    LinkSettings.BaudRate = 19200;
    PtyPeer pty(2);
    ASSERT_TRUE(pty.Ok());
    App.WorkMode = 3;
    Link.RegisterAddress = 3;
    window.show();
    ChooseSerialPort(5, 7);   // nothing is linked as COM5
    window.ComboBox2->setCurrentText(QStringLiteral("9600"));
    window.Button2Click();

    EXPECT_EQ(prompts.Messages(), QStringList{QStringLiteral("Nie mogę otworzyć portu COM5.")});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(LinkInUse(), "2 19200 @3 mode 3 COM2");
    EXPECT_EQ(Item(window.ComboBox1) + Item(window.ComboBox2), QStringLiteral("COM 219200"));

    // "Brak" closes the port and lowers the link bit; without a database it does not claim one.
    prompts.Clear();
    for (auto [before, after] : {std::pair{3, 1}, {2, 0}}) {
        App.WorkMode = before;
        window.show();
        window.RadioButton1->setChecked(true);
        window.ComboBox1->setCurrentIndex(0);
        window.Button2Click();
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(LinkInUse(), "255 19200 @3 mode " + std::to_string(after) + " -");
    }
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_F(SettingsWindow, AvailablePortFilterListsOnlyPortsThatOpen)
{
    PtyPeer pty(7);
    ASSERT_TRUE(pty.Ok());  // the port in use is listed as well
    App.WorkMode = 2;  // no database
    window.show();
    window.CheckBox3->setChecked(true);
    window.CheckBox3Click();
    ASSERT_EQ(window.ComboBox1->count(), 2);
    EXPECT_EQ(window.ComboBox1->itemText(0), QStringLiteral("Brak"));
    EXPECT_EQ(Item(window.ComboBox1), QStringLiteral("COM 7"));
    EXPECT_TRUE(window.SerialControlsEnabled());
    // The scan only looks: the chosen port is not changed by it.
    EXPECT_EQ(LinkInUse(), "7 115200 @1 mode 0 -");

    // Applied, the link is up at the chosen rate, parity and address, with the register only.
    window.RadioButton1->setChecked(true);
    window.ComboBox2->setCurrentText(QStringLiteral("57600"));
    window.ComboBox4->setCurrentIndex(2);
    window.ComboBox6->setCurrentIndex(4);
    window.Button2Click();
    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join('|').toStdString();
    EXPECT_EQ(LinkInUse(), "7 57600 @5 mode 2 COM7");
    EXPECT_EQ(LinkSettings.Parity, 2);

    // Opening again shows the port in the filtered list.
    window.hide();
    window.show();
    EXPECT_EQ(Item(window.ComboBox1), QStringLiteral("COM 7"));

    // Unticked: every port again, the first one selected.
    window.CheckBox3->setChecked(false);
    window.CheckBox3Click();
    EXPECT_EQ(window.ComboBox1->count(), 100);
    EXPECT_EQ(Item(window.ComboBox1), QStringLiteral("COM 1"));
}

TEST_F(SettingsWindow, TcpSettingsThatCannotWorkKeepTheWindowOpen)
{
    window.show();
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

// ---- the wait window and the receive-buffer view ----

template <class Window>
class Shown : public ::testing::Test {
protected:
    TestEnvironment env{false};
    ScriptedPrompts prompts;
    Window window;
    ~Shown() override { window.hide(); }
};
using WaitWindow = Shown<TCzekajNaRS>;
using BufferViewWindow = Shown<TPokazBuforOdb>;

// While an exchange runs only its stop button, Esc and windows made meanwhile answer; a window
// closed meanwhile closes when the exchange ends. Minimised or hidden and shown again, a window is
// no newer; one the exchange admits answers during that exchange only.
TEST(ExchangeGuardTest, OnlyTheStopButtonEscAndNewWindowsAnswer)
{
    TestEnvironment env(false);
    QWidget window, wait;
    QPushButton stop("stop", &window), other("other", &window), go("go", &wait);
    QStringList clicks;
    auto count = [&clicks](QPushButton* b) {
        QObject::connect(b, &QPushButton::clicked, [&clicks, b] { clicks << b->text(); });
    };
    for (QPushButton* b : {&stop, &other, &go})
        count(b);
    window.show();
    {
        ExchangeGuard series(&stop);
        ExchangeGuard::Admit(&wait);   // as the wait for a held line is, under its exchange's one guard
        ExchangeGuard wait1;
        QPushButton box("box");
        count(&box);
        box.show();
        window.showMinimized();
        window.showNormal();
        window.hide();
        window.show();
        wait.show();
        for (QPushButton* b : {&other, &stop, &box, &go})
            UserClick(*b);
        PressKey(window, Qt::Key_Escape);
        EXPECT_EQ(Link.AbortRequestFlag, 1);
        window.close();
        EXPECT_TRUE(window.isVisible());
    }
    EXPECT_FALSE(window.isVisible() || ExchangeGuard::Held());
    UserClick(other);
    EXPECT_EQ(clicks, (QStringList{"stop", "box", "go", "other"}));
    {
        // A click that waits in the queue while an exchange runs no events is dropped with it.
        ExchangeGuard again;
        UserClick(go);
        UserClick(other, true);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks.size(), 4);
}

TEST_F(WaitWindow, ClosesWithResultOneWhenTheLineIsFree)
{
    PtyPeer pty(4);
    ASSERT_TRUE(pty.Ok());
    // Shown modally, the timer finds the line free by itself (7 if it never does).
    QTimer::singleShot(5000, &window, [this] { window.done(7); });
    EXPECT_EQ(ShowModal(window), 1);
    EXPECT_FALSE(window.Timer1->isActive());
}

TEST_F(WaitWindow, WithoutAPortItWaitsUntilPrzerwijOrEscAnsweredYes)
{
    window.show();
    EXPECT_TRUE(window.Timer1->isActive());
    EXPECT_EQ(window.ProgressBar1->value(), 0);
    // No port: the line never reports free; the bar goes up to 100 and back in steps of two.
    auto ticks = [this](int n) {
        for (int i = 0; i < n; ++i)
            window.Timer1Timer();
        return window.ProgressBar1->value();
    };
    EXPECT_EQ(ticks(2), 4);
    EXPECT_EQ(ticks(49), 98);
    EXPECT_EQ(ticks(50), 2) << "down to 0 and up again";
    EXPECT_TRUE(window.isVisible());
    window.hide();
    window.show();
    EXPECT_EQ(window.ProgressBar1->value(), 0) << "shown again, the bar starts over";
    EXPECT_EQ(window.Direction, 0);

    // Esc answered No goes on waiting.
    prompts.Answer(PromptAnswer::No);
    PressKey(window, Qt::Key_Escape);
    EXPECT_EQ(prompts.Texts(), QStringList{QStringLiteral("Czy przerwać oczekiwanie?")});
    EXPECT_TRUE(prompts.Messages().isEmpty()) << "asked as a question";
    EXPECT_TRUE(window.isVisible() && window.Timer1->isActive());

    // "Przerwij", or Esc answered Yes, closes it without result 1 and stops the timer.
    prompts.Answer(PromptAnswer::Yes);
    for (bool button : {true, false}) {
        window.show();
        if (button)
            window.Button1Click();
        else
            EXPECT_TRUE(window.FormKeyDown(Qt::Key_Escape));
        EXPECT_FALSE(window.isVisible() || window.Timer1->isActive());
        EXPECT_NE(window.result(), 1);
    }
    EXPECT_EQ(prompts.PendingAnswers(), 0u);
}

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

    PtyPeer pty(6);
    ASSERT_TRUE(pty.Ok());
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
