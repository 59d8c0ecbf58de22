#include "platform/SerialPort.h"

#include "platform/Time.h"
#include "tests/support/EnvGuard.h"
#include "tests/support/PtyPair.h"
#include "tests/support/TestEnvironment.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

class SerialPortOnPty : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.Ok());
        port = SerialPort::Open(pty.ComName());
        ASSERT_NE(port, nullptr) << "errno " << errno;
    }
    PtyPair pty{5};
    std::unique_ptr<SerialPort> port;
};

} // namespace

TEST(SerialPortNames, ComNamesGiveTheirPortNumbersAndDevicePaths)
{
    for (auto [name, number] : {std::pair{"COM1", 1}, {"COM9", 9}, {"\\\\.\\COM10", 10}, {"\\\\.\\COM255", 255},
                                {"\\\\.\\COM5", 5}, {"com3", 3}})
        EXPECT_EQ(SerialPort::PortNumberOfName(name), number) << name;
    for (const char* bad : {"", "COM", "COM0", "COM05", "COM256", "COM5x", "COM-1", " COM1", "LPT1", "\\\\.\\LPT1",
                            "\\\\.\\", "COM1000"})
        EXPECT_EQ(SerialPort::PortNumberOfName(bad), 0) << bad;

    EnvGuard guard({"RIVO_COM_DIR"});
    ::unsetenv("RIVO_COM_DIR");
    for (auto [number, path] : {std::pair{1, "/dev/ttyS0"}, {32, "/dev/ttyS31"}, {33, "/dev/ttyUSB0"},
                                {64, "/dev/ttyUSB31"}, {65, "/dev/ttyACM0"}, {99, "/dev/ttyACM34"}, {100, ""}, {0, ""}})
        EXPECT_EQ(SerialPort::DevicePath(number), path) << number;
    ::setenv("RIVO_COM_DIR", "", 1);
    EXPECT_EQ(SerialPort::DevicePath(3), "/dev/ttyS2");
    // The folder, when named, is the only place looked at.
    ::setenv("RIVO_COM_DIR", "/run/ports", 1);
    EXPECT_EQ(SerialPort::DevicePath(7), "/run/ports/COM7");
    EXPECT_EQ(SerialPort::DevicePath(120), "/run/ports/COM120");
}

TEST_F(SerialPortOnPty, ReadsEndAtTheirBoundOrAsSoonAsTheBytesCome)
{
    struct Case {
        const char* What;
        CommTimeouts Timeouts;
        std::vector<uint8_t> Before, Later;  // Later comes 100 ms into the read
        long long MinMs, MaxMs;
    };
    // Ten bytes are asked for: a multiplier of 10 and a constant of 200 bound the read at 300 ms.
    const Case cases[] = {
        {"nothing comes", CommTimeouts{0, 10, 200}, {}, {}, 290, 1500},
        {"fewer bytes than asked", CommTimeouts{0, 10, 200}, {7, 8, 9, 10}, {}, 290, 1500},
        {"the last byte ends the read", CommTimeouts{0, 0, 5000}, {1, 2, 3}, {4, 5, 6, 7, 8, 9, 10}, 90, 3000},
        {"a pause ends the read", CommTimeouts{50, 0, 5000}, {1, 2, 3}, {}, 0, 2500},
        {"before the first byte only the total bound counts", CommTimeouts{50, 0, 400}, {}, {}, 390, 1500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        port->SetTimeouts(c.Timeouts);
        ASSERT_TRUE(pty.Write(c.Before));
        ASSERT_TRUE(WaitUntil([&] { return port->BytesWaiting() == int(c.Before.size()); }));
        std::thread sender([&] {
            ::poll(nullptr, 0, 100);
            pty.Write(c.Later);
        });
        uint8_t buffer[10] = {};
        const long long start = MonotonicMs();
        const int count = port->Read(buffer, 10);
        const long long elapsed = MonotonicMs() - start;
        sender.join();
        std::vector<uint8_t> expected = c.Before;
        expected.insert(expected.end(), c.Later.begin(), c.Later.end());
        ASSERT_GE(count, 0);
        EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + count), expected);
        EXPECT_GE(elapsed, c.MinMs);
        EXPECT_LT(elapsed, c.MaxMs);
    }
}

TEST_F(SerialPortOnPty, XoffHoldsOutputUntilXon)
{
    SerialLineSettings s;
    s.XonXoff = true;
    ASSERT_TRUE(port->SetLineSettings(s));
    port->SetTimeouts({.WriteTotalTimeoutConstant = 200});
    CommStatus status;

    ASSERT_TRUE(pty.Write({0x13}));
    ASSERT_TRUE(WaitUntil([&] { return port->ClearCommError(status) && status.OutputHeld; }));
    const uint8_t frame[10] = {0x02, 0x01, 0x0A, 0x00, 0x01, 0x00, 0x06, 0x00, 0x0C, 0x03};
    EXPECT_EQ(port->Write(frame, 10), 0);
    EXPECT_FALSE(port->DeviceGone());  // a time-out is no reason to reopen the port

    ASSERT_TRUE(pty.Write({0x11}));
    ASSERT_TRUE(WaitUntil([&] { return port->ClearCommError(status) && !status.OutputHeld; }));
    EXPECT_EQ(port->Write(frame, 10), 10);
    EXPECT_EQ(pty.Read(10, 2000), std::vector<uint8_t>(frame, frame + 10));
}

TEST_F(SerialPortOnPty, BytesWaitingPurgeAndWaitReadable)
{
    CommStatus status;
    ASSERT_TRUE(port->ClearCommError(status));
    EXPECT_EQ(status.BytesWaiting, 0u);
    EXPECT_FALSE(status.LineError);  // a pty keeps no error counters: no error, not a failed query
    EXPECT_FALSE(status.OutputHeld);

    long long start = MonotonicMs();
    EXPECT_FALSE(port->WaitReadable(60));
    EXPECT_GE(MonotonicMs() - start, 50);

    ASSERT_TRUE(pty.Write({1, 2, 3, 4, 5, 6, 7}));
    EXPECT_TRUE(port->WaitReadable(2000));
    ASSERT_TRUE(WaitUntil([&] { return port->BytesWaiting() == 7; }));
    ASSERT_TRUE(port->ClearCommError(status));
    EXPECT_EQ(status.BytesWaiting, 7u);

    port->PurgeInput();
    EXPECT_EQ(port->BytesWaiting(), 0);
    port->SetTimeouts(CommTimeouts{0xFFFFFFFFu, 0, 0});
    uint8_t b;
    EXPECT_EQ(port->Read(&b, 1), 0);
}

TEST_F(SerialPortOnPty, MissingPortsOtherNamesASecondOpenAndAHungUpLineFail)
{
    errno = 0;
    EXPECT_EQ(SerialPort::Open("COM6"), nullptr);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(SerialPort::Open("LPT1"), nullptr);
    EXPECT_EQ(SerialPort::Open(""), nullptr);
    // A file that is no terminal is no port either.
    const int fd = ::open((pty.Folder() + "/COM7").c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    EXPECT_EQ(SerialPort::Open("COM7"), nullptr);

    EXPECT_EQ(SerialPort::Open(pty.ComName()), nullptr);
    EXPECT_EQ(errno, EBUSY);
    // The port still works for its holder.
    port->SetTimeouts(CommTimeouts{0, 10, 2000});
    ASSERT_TRUE(pty.Write({0x55}));
    uint8_t b = 0;
    EXPECT_EQ(port->Read(&b, 1), 1);
    port.reset();
    port = SerialPort::Open(pty.ComName());
    ASSERT_NE(port, nullptr) << "errno " << errno;

    // A hung-up line fails at once as a device gone, and the port does not open again.
    port->SetTimeouts(CommTimeouts{0, 10, 2000});
    pty.HangUp();
    EXPECT_EQ(port->Write(&b, 1), -1);
    EXPECT_TRUE(port->DeviceGone());
    EXPECT_EQ(port->LastError(), EIO);
    const long long start = MonotonicMs();
    EXPECT_EQ(port->Read(&b, 1), -1);
    EXPECT_LT(MonotonicMs() - start, 1000);
    CommStatus status;
    EXPECT_FALSE(port->ClearCommError(status));
    port.reset();
    EXPECT_EQ(SerialPort::Open(pty.ComName()), nullptr);
}

TEST_F(SerialPortOnPty, LineSettingsReachTheTerminal)
{
    auto flags = [&] {
        termios t{};
        EXPECT_EQ(::tcgetattr(port->Descriptor(), &t), 0);
        return t;
    };
    // Opening alone leaves a raw line.
    termios t = flags();
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_FALSE(t.c_iflag & (ICRNL | IXON));
    EXPECT_FALSE(t.c_oflag & OPOST);

    // A pty keeps neither the character size nor parity enable; the kind of parity it keeps.
    const struct {
        SerialLineSettings Settings;
        speed_t Speed;
        tcflag_t Control;  // of PARODD, CMSPAR, CSTOPB, CRTSCTS
        tcflag_t Input;    // of INPCK, IXON, IXOFF
    } rows[] = {
        {{.BaudRate = 115200}, B115200, 0, 0},
        {{.DataBits = 7, .Parity = 2, .StopBits = 1, .XonXoff = true, .RtsCts = true}, B9600, CSTOPB | CRTSCTS,
         INPCK | IXON | IXOFF},
        {{.DataBits = 5}, B9600, 0, 0},
        {{.DataBits = 5, .Parity = 1}, B9600, PARODD, INPCK},
        {{.DataBits = 5, .Parity = 3}, B9600, CMSPAR | PARODD, INPCK},
        {{.DataBits = 5, .Parity = 4}, B9600, CMSPAR, INPCK},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        ASSERT_TRUE(port->SetLineSettings(row.Settings));
        t = flags();
        EXPECT_EQ(::cfgetospeed(&t), row.Speed);
        EXPECT_EQ(t.c_cflag & (PARODD | CMSPAR | CSTOPB | CRTSCTS), row.Control);
        EXPECT_EQ(t.c_cflag & (CREAD | CLOCAL), tcflag_t(CREAD | CLOCAL));
        EXPECT_EQ(t.c_iflag & (INPCK | IXON | IXOFF), row.Input);
        EXPECT_EQ(port->LineSettings().DataBits, row.Settings.DataBits);
    }
    // Impossible settings are refused and leave the line as it was (the last row's).
    for (const SerialLineSettings& bad : {SerialLineSettings{.BaudRate = 0}, SerialLineSettings{.DataBits = 4},
                                          SerialLineSettings{.DataBits = 9}, SerialLineSettings{.Parity = 5},
                                          SerialLineSettings{.StopBits = 3}})
        EXPECT_FALSE(port->SetLineSettings(bad));
    EXPECT_EQ(port->LineSettings().Parity, 4);
    t = flags();
    EXPECT_EQ(t.c_cflag & (PARODD | CMSPAR), tcflag_t(CMSPAR));

    // Rates without a constant of their own are set too.
    for (uint32_t baud : {110u, 14400u, 56000u, 128000u, 256000u}) {
        SerialLineSettings s;
        s.BaudRate = baud;
        EXPECT_TRUE(port->SetLineSettings(s)) << baud;
    }
}
