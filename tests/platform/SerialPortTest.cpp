#include "platform/SerialPort.h"

#include "platform/Time.h"
#include "tests/support/PtyPair.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

CommTimeouts ReadTimeouts(unsigned interval, unsigned multiplier, unsigned constant)
{
    CommTimeouts t;
    t.ReadIntervalTimeout = interval;
    t.ReadTotalTimeoutMultiplier = multiplier;
    t.ReadTotalTimeoutConstant = constant;
    return t;
}

CommTimeouts WriteTimeouts(unsigned multiplier, unsigned constant)
{
    CommTimeouts t;
    t.WriteTotalTimeoutMultiplier = multiplier;
    t.WriteTotalTimeoutConstant = constant;
    return t;
}

// Waits for a condition, checking every few milliseconds, at most timeoutMs.
template <class Condition>
bool WaitFor(Condition condition, int timeoutMs = 3000)
{
    const long long deadline = MonotonicMs() + timeoutMs;
    while (!condition()) {
        if (MonotonicMs() >= deadline)
            return false;
        ::poll(nullptr, 0, 5);
    }
    return true;
}

// Saves an environment variable and puts it back.
class EnvGuard {
public:
    explicit EnvGuard(const char* name) : name_(name)
    {
        if (const char* v = std::getenv(name)) {
            had_ = true;
            value_ = v;
        }
    }
    ~EnvGuard()
    {
        if (had_)
            ::setenv(name_, value_.c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    bool had_ = false;
    std::string value_;
};

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

    EnvGuard guard("RIVO_COM_DIR");
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

TEST(SerialPortOpen, ComNineAndComTenReachTheirOwnLines)
{
    PtyPair nine(9);
    PtyPair ten(10, nine.Folder());
    ASSERT_TRUE(nine.Ok());
    ASSERT_TRUE(ten.Ok());
    EXPECT_EQ(ten.ComName(), "\\\\.\\COM10");
    auto p9 = SerialPort::Open("COM9");
    auto p10 = SerialPort::Open("\\\\.\\COM10");
    ASSERT_NE(p9, nullptr);
    ASSERT_NE(p10, nullptr);
    EXPECT_EQ(p10->Name(), "\\\\.\\COM10");
    const CommTimeouts t = ReadTimeouts(0, 10, 2000);
    p9->SetTimeouts(t);
    p10->SetTimeouts(t);

    ASSERT_TRUE(nine.Write({'9', '9'}));
    ASSERT_TRUE(ten.Write({'1', '0'}));
    uint8_t buffer[2] = {};
    ASSERT_EQ(p9->Read(buffer, 2), 2);
    EXPECT_EQ(buffer[0], '9');
    ASSERT_EQ(p10->Read(buffer, 2), 2);
    EXPECT_EQ(buffer[0], '1');

    const uint8_t out[] = {0x02, 0x01, 0x0A};
    ASSERT_EQ(p10->Write(out, 3), 3);
    EXPECT_EQ(ten.Read(3, 2000), std::vector<uint8_t>(out, out + 3));
    EXPECT_TRUE(nine.Read(1, 0).empty());
}

TEST(SerialPortOpen, MissingPortsAndOtherNamesFail)
{
    PtyPair pty(5);
    errno = 0;
    EXPECT_EQ(SerialPort::Open("COM6"), nullptr);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(SerialPort::Open("LPT1"), nullptr);
    EXPECT_EQ(SerialPort::Open(""), nullptr);

    // A file that is no terminal is no port either.
    const std::string file = pty.Folder() + "/COM7";
    int fd = ::open(file.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    EXPECT_EQ(SerialPort::Open("COM7"), nullptr);
}

TEST(SerialPortOpen, SecondOpenFailsUntilTheFirstCloses)
{
    PtyPair pty(3);
    auto first = SerialPort::Open("COM3");
    ASSERT_NE(first, nullptr);
    errno = 0;
    EXPECT_EQ(SerialPort::Open("COM3"), nullptr);
    EXPECT_EQ(errno, EBUSY);
    // The port still works for its holder.
    first->SetTimeouts(ReadTimeouts(0, 10, 2000));
    ASSERT_TRUE(pty.Write({0x55}));
    uint8_t b = 0;
    EXPECT_EQ(first->Read(&b, 1), 1);

    first.reset();
    auto again = SerialPort::Open("COM3");
    EXPECT_NE(again, nullptr) << "errno " << errno;
}

TEST(SerialPortOpen, DescriptorZeroIsAnOpenPort)
{
    PtyPair pty(4);
    const int savedStdin = ::fcntl(0, F_DUPFD_CLOEXEC, 3);
    ::close(0);
    auto port = SerialPort::Open("COM4");
    const bool opened = port != nullptr;
    int descriptor = -1;
    int readCount = -1;
    if (opened) {
        descriptor = port->Descriptor();
        port->SetTimeouts(ReadTimeouts(0, 10, 2000));
        pty.Write({0x41});
        uint8_t b = 0;
        readCount = port->Read(&b, 1);
        port.reset();
    }
    const bool closedByPort = ::fcntl(0, F_GETFD) == -1;
    if (savedStdin >= 0) {
        ::dup2(savedStdin, 0);
        ::close(savedStdin);
    }
    ASSERT_TRUE(opened);
    EXPECT_EQ(descriptor, 0);
    EXPECT_EQ(readCount, 1);
    EXPECT_TRUE(closedByPort);
}

TEST_F(SerialPortOnPty, ReadReturnsAsSoonAsTheLastByteComes)
{
    port->SetTimeouts(ReadTimeouts(0, 0, 5000));
    std::thread sender([&] {
        ::poll(nullptr, 0, 100);
        pty.Write({1, 2, 3});
        ::poll(nullptr, 0, 100);
        pty.Write({4, 5});
    });
    uint8_t buffer[5] = {};
    const long long start = MonotonicMs();
    const int count = port->Read(buffer, 5);
    const long long elapsed = MonotonicMs() - start;
    sender.join();
    EXPECT_EQ(count, 5);
    EXPECT_EQ(buffer[4], 5);
    EXPECT_LT(elapsed, 3000);
}

TEST_F(SerialPortOnPty, TotalTimeoutBoundsTheRead)
{
    // 10 bytes asked: 10 * 10 + 200 = 300 ms.
    port->SetTimeouts(ReadTimeouts(0, 10, 200));
    uint8_t buffer[10];
    long long start = MonotonicMs();
    EXPECT_EQ(port->Read(buffer, 10), 0);
    long long elapsed = MonotonicMs() - start;
    EXPECT_GE(elapsed, 290);
    EXPECT_LT(elapsed, 1500);

    // Fewer bytes than asked: the count that came, at the same bound.
    ASSERT_TRUE(pty.Write({7, 8, 9, 10}));
    ASSERT_TRUE(WaitFor([&] { return port->BytesWaiting() == 4; }));
    start = MonotonicMs();
    EXPECT_EQ(port->Read(buffer, 10), 4);
    elapsed = MonotonicMs() - start;
    EXPECT_GE(elapsed, 290);
    EXPECT_LT(elapsed, 1500);
    EXPECT_EQ(buffer[3], 10);
}

TEST_F(SerialPortOnPty, IntervalTimeoutEndsTheReadAfterAPause)
{
    port->SetTimeouts(ReadTimeouts(50, 0, 5000));
    ASSERT_TRUE(pty.Write({1, 2, 3}));
    uint8_t buffer[10];
    long long start = MonotonicMs();
    EXPECT_EQ(port->Read(buffer, 10), 3);
    EXPECT_LT(MonotonicMs() - start, 2500);

    // Before the first byte only the total bound counts.
    port->SetTimeouts(ReadTimeouts(50, 0, 400));
    start = MonotonicMs();
    EXPECT_EQ(port->Read(buffer, 10), 0);
    EXPECT_GE(MonotonicMs() - start, 390);
}

TEST_F(SerialPortOnPty, HeldOutputComesBackShortWithinTheBound)
{
    // Nobody reads the line: the driver's queue fills and the write stops at its time-out.
    port->SetTimeouts(WriteTimeouts(0, 300));
    std::vector<uint8_t> data(4 << 20, 0x5A);
    const long long start = MonotonicMs();
    const int written = port->Write(data.data(), data.size());
    const long long elapsed = MonotonicMs() - start;
    EXPECT_GT(written, 0);
    EXPECT_LT(written, int(data.size()));
    EXPECT_GE(elapsed, 290);
    EXPECT_LT(elapsed, 3000);

    CommStatus status;
    ASSERT_TRUE(port->ClearCommError(status));
    EXPECT_TRUE(status.OutputHeld);
    EXPECT_FALSE(status.LineError);
    EXPECT_FALSE(port->DeviceGone());  // a time-out is no reason to reopen the port

    // Once the other end reads, the port is free again.
    EXPECT_EQ(pty.ReadUntilQuiet(100).size(), std::size_t(written));
    EXPECT_TRUE(WaitFor([&] { return port->ClearCommError(status) && !status.OutputHeld; }));
}

TEST_F(SerialPortOnPty, XoffHoldsOutputUntilXon)
{
    SerialLineSettings s;
    s.XonXoff = true;
    ASSERT_TRUE(port->SetLineSettings(s));
    port->SetTimeouts(WriteTimeouts(0, 200));
    CommStatus status;

    ASSERT_TRUE(pty.Write({0x13}));
    ASSERT_TRUE(WaitFor([&] { return port->ClearCommError(status) && status.OutputHeld; }));
    const uint8_t frame[10] = {0x02, 0x01, 0x0A, 0x00, 0x01, 0x00, 0x06, 0x00, 0x0C, 0x03};
    EXPECT_EQ(port->Write(frame, 10), 0);

    ASSERT_TRUE(pty.Write({0x11}));
    ASSERT_TRUE(WaitFor([&] { return port->ClearCommError(status) && !status.OutputHeld; }));
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
    ASSERT_TRUE(WaitFor([&] { return port->BytesWaiting() == 7; }));
    ASSERT_TRUE(port->ClearCommError(status));
    EXPECT_EQ(status.BytesWaiting, 7u);

    port->PurgeInput();
    EXPECT_EQ(port->BytesWaiting(), 0);
    port->SetTimeouts(ReadTimeouts(0xFFFFFFFFu, 0, 0));
    uint8_t b;
    EXPECT_EQ(port->Read(&b, 1), 0);
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

    SerialLineSettings s;
    s.BaudRate = 115200;
    ASSERT_TRUE(port->SetLineSettings(s));
    t = flags();
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B115200));
    EXPECT_FALSE(t.c_cflag & (PARODD | CMSPAR | CSTOPB | CRTSCTS));
    EXPECT_TRUE(t.c_cflag & CREAD);
    EXPECT_TRUE(t.c_cflag & CLOCAL);

    s = {};
    s.BaudRate = 9600;
    s.DataBits = 7;
    s.Parity = 2;
    s.StopBits = 1;
    s.RtsCts = true;
    s.XonXoff = true;
    ASSERT_TRUE(port->SetLineSettings(s));
    t = flags();
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B9600));
    EXPECT_FALSE(t.c_cflag & (PARODD | CMSPAR));
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_TRUE(t.c_cflag & CRTSCTS);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), tcflag_t(IXON | IXOFF));
    EXPECT_EQ(port->LineSettings().DataBits, 7);

    // A pty always reports eight bits without parity enable; the kind of parity it keeps.
    const struct {
        uint8_t parity;
        tcflag_t bits;
    } parities[] = {{0, 0}, {1, PARODD}, {3, CMSPAR | PARODD}, {4, CMSPAR}};
    for (const auto& p : parities) {
        s = {};
        s.DataBits = 5;
        s.Parity = p.parity;
        ASSERT_TRUE(port->SetLineSettings(s));
        t = flags();
        EXPECT_EQ(t.c_cflag & (PARODD | CMSPAR), p.bits) << int(p.parity);
        EXPECT_EQ(bool(t.c_iflag & INPCK), p.parity != 0) << int(p.parity);
        EXPECT_FALSE(t.c_iflag & IXON);
        EXPECT_FALSE(t.c_cflag & CSTOPB);
    }

    // Rates without a constant of their own are set too.
    for (uint32_t baud : {110u, 14400u, 56000u, 128000u, 256000u}) {
        s = {};
        s.BaudRate = baud;
        EXPECT_TRUE(port->SetLineSettings(s)) << baud;
    }
}

TEST_F(SerialPortOnPty, ImpossibleLineSettingsAreRefused)
{
    SerialLineSettings good;
    good.BaudRate = 19200;
    ASSERT_TRUE(port->SetLineSettings(good));
    auto bad = [&](auto change) {
        SerialLineSettings s = good;
        change(s);
        return !port->SetLineSettings(s);
    };
    EXPECT_TRUE(bad([](SerialLineSettings& s) { s.BaudRate = 0; }));
    EXPECT_TRUE(bad([](SerialLineSettings& s) { s.DataBits = 4; }));
    EXPECT_TRUE(bad([](SerialLineSettings& s) { s.DataBits = 9; }));
    EXPECT_TRUE(bad([](SerialLineSettings& s) { s.Parity = 5; }));
    EXPECT_TRUE(bad([](SerialLineSettings& s) { s.StopBits = 3; }));
    EXPECT_EQ(port->LineSettings().BaudRate, 19200u);
    termios t{};
    ASSERT_EQ(::tcgetattr(port->Descriptor(), &t), 0);
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B19200));
}

TEST_F(SerialPortOnPty, HungUpLineFailsAsDeviceGone)
{
    port->SetTimeouts(ReadTimeouts(0, 10, 2000));
    const uint8_t frame[3] = {1, 2, 3};
    pty.HangUp();
    EXPECT_EQ(port->Write(frame, 3), -1);
    EXPECT_TRUE(port->DeviceGone());
    EXPECT_EQ(port->LastError(), EIO);

    uint8_t buffer[10];
    const long long start = MonotonicMs();
    EXPECT_EQ(port->Read(buffer, 10), -1);
    EXPECT_LT(MonotonicMs() - start, 1000);
    CommStatus status;
    EXPECT_FALSE(port->ClearCommError(status));
    // The device is gone: it does not open again.
    port.reset();
    EXPECT_EQ(SerialPort::Open(pty.ComName()), nullptr);
}
