// The scale and scanner simulator: its state machine, and the window playing the device on a
// pseudo-terminal whose other end plays the register.
#include "platform/SerialPort.h"
#include "platform/Time.h"
#include "service/DeviceSimulator.h"
#include "service/SymulatorUrzadzen.h"
#include "tests/service/ServiceTestUtil.h"
#include "tests/support/PtyPair.h"

#include <QRadioButton>

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

// Runs timer steps until the register's end has n bytes from the window (bounded).
std::vector<uint8_t> StepUntilSent(TSymulatorUrzadzen& w, PtyPair& pty, std::size_t n)
{
    std::vector<uint8_t> got;
    const long long end = MonotonicMs() + 3000;
    while (got.size() < n && MonotonicMs() < end) {
        w.Timer1Timer();
        const std::vector<uint8_t> more = pty.Read(n - got.size(), 20);
        got.insert(got.end(), more.begin(), more.end());
    }
    return got;
}

struct SimulatorBench {
    TestEnvironment env{false};
    ScriptedPrompts prompts;
    PtyPair pty{8};
    TSymulatorUrzadzen w;
    SimulatorBench()
    {
        LinkSettings.LinkType = 0;
        LinkSettings.ComPortNumber = 8;
    }
};

} // namespace

TEST(DeviceSimulatorMachine, MessagesAndTheScaleExchange)
{
    EXPECT_EQ(ScaleWeightMessage(" 1.2 5"), std::string("\x02" "0001.205\x03"));

    // A register that sends ENQ twice: the second is not the DC1 awaited.
    DeviceSimulator m;
    m.CurrentState = DeviceSimulator::ScaleWaitingEnq;
    EXPECT_EQ(m.Advance(0x05, "01.250").Bytes, std::string("\x06"));
    bool beep = true;
    m.Sent(true, beep);
    EXPECT_FALSE(beep);
    EXPECT_EQ(m.Advance(0x05, "01.250").Message, "Błąd Transmisji(0x11)");
    EXPECT_EQ(m.CurrentState, DeviceSimulator::ScaleWaitingDc1);
    // A failed send ends the exchange.
    EXPECT_EQ(m.Sent(false, beep).Message, "Błąd Transmisji(Send))");
    EXPECT_EQ(m.CurrentState, DeviceSimulator::Idle);
}

// Start needs a serial port that opens; the scale answers one weighing, then the scanner sends
// its code once; closed, the window reads nothing more.
TEST(SimulatorWindow, ScaleThenScannerOnTheirPortAndCloseStopsReading)
{
    SimulatorBench b;
    LinkSettings.LinkType = 1;   // a COM port is stored, but TCP is chosen
    b.w.Button1Click();
    LinkSettings.LinkType = 0;
    LinkSettings.ComPortNumber = 9;   // nothing there
    b.w.Button1Click();
    ASSERT_EQ(b.prompts.Texts().size(), 2);
    EXPECT_EQ(b.prompts.Texts()[0], "Nie wybrano portu komunikacyjnego.");
    EXPECT_TRUE(b.prompts.Texts()[1].startsWith("Nie mogę otworzyć portu COM9")) << b.prompts.Texts()[1].toStdString();
    EXPECT_FALSE(b.w.Timer1->isActive());
    b.prompts.Clear();

    LinkSettings.ComPortNumber = 8;
    ASSERT_TRUE(b.pty.Ok());
    b.w.MaskEdit1->setText("01.250");
    b.w.Button1Click();
    ASSERT_NE(Link.SerialHandle, nullptr);   // start opened the port
    EXPECT_TRUE(b.w.Timer1->isActive());
    EXPECT_EQ(b.w.Label1->text(), "Oczekiwanie");

    b.pty.Write(Bytes("\x05"));
    EXPECT_EQ(StepUntilSent(b.w, b.pty, 1), Bytes("\x06"));
    b.pty.Write(Bytes("\x11"));
    EXPECT_EQ(StepUntilSent(b.w, b.pty, 10), Bytes("\x02" "0001.250\x03"));
    EXPECT_EQ(b.w.Label1->text(), "Wysłano...");
    EXPECT_EQ(b.w.LastWeight, "01.250");
    b.w.Timer1Timer();
    EXPECT_FALSE(b.w.Timer1->isActive());

    // Then the scanner, started again on the same port.
    b.w.RadioSkaner->setChecked(true);
    b.w.RadioGroup1Click();
    EXPECT_EQ(b.w.FieldText(), "00000000");
    b.w.RadioEan13->setChecked(true);
    b.w.RadioGroup2Click();
    b.w.MaskEdit1->setText("");
    EXPECT_EQ(b.w.FieldText(), QString(13, u' '));
    b.w.Button1Click();
    EXPECT_EQ(b.w.Label1->text(), "Gotowy");
    EXPECT_EQ(StepUntilSent(b.w, b.pty, 15), Bytes(std::string(13, '0') + "\r\n"));
    EXPECT_EQ(b.w.Label1->text(), "Skanowanie OK");
    b.w.Timer1Timer();
    EXPECT_FALSE(b.w.Timer1->isActive());
    EXPECT_TRUE(b.pty.ReadUntilQuiet(100, 500).empty());
    EXPECT_TRUE(b.prompts.Texts().isEmpty());

    // Started and closed, the window reads nothing more.
    b.w.show();
    b.w.Button1Click();
    ASSERT_TRUE(b.w.Timer1->isActive());
    b.w.close();
    EXPECT_FALSE(b.w.Timer1->isActive());
    // The register's ENQ stays on the line: nobody reads it and nobody answers.
    b.pty.Write(Bytes("\x05"));
    ASSERT_TRUE(Link.SerialHandle->WaitReadable(2000));
    QApplication::processEvents();
    EXPECT_EQ(Link.SerialHandle->BytesWaiting(), 1);
    EXPECT_TRUE(b.pty.ReadUntilQuiet(150, 500).empty());
}
