#include "platform/SerialPort.h"

#include "platform/Time.h"

// The kernel's termios2 interface rather than <termios.h>: it is the only way to set rates that
// have no Bxxx constant (14400, 56000, 128000, 256000), and the two cannot share a file.
#include <algorithm>
#include <asm/termbits.h>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr unsigned kMaxDword = 0xFFFFFFFFu;

bool IsGoneError(int e) { return e == EIO || e == ENXIO || e == ENODEV || e == EBADF; }

tcflag_t SpeedConstant(uint32_t baud)
{
    struct Pair {
        uint32_t baud;
        tcflag_t constant;
    };
    static const Pair table[] = {
        {50, B50},         {75, B75},         {110, B110},       {134, B134},       {150, B150},
        {200, B200},       {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
        {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
        {57600, B57600},   {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
    };
    for (const Pair& p : table)
        if (p.baud == baud)
            return p.constant;
    return BOTHER;
}

// What cfmakeraw does, for the kernel's structure.
void MakeRaw(termios2& t)
{
    t.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    t.c_oflag &= ~tcflag_t(OPOST);
    t.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~tcflag_t(CSIZE | PARENB);
    t.c_cflag |= CS8 | CLOCAL | CREAD;
    // Reads never block in the driver: every wait is a poll() with the port's time-outs.
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
}

int ClampToInt(long long ms)
{
    if (ms < 0)
        return 0;
    return ms > INT_MAX ? INT_MAX : int(ms);
}

// The driver's line-error counters (framing, parity, overrun, buffer overrun, break).
bool ReadCounts(int fd, int (&out)[5])
{
    serial_icounter_struct c{};
    if (::ioctl(fd, TIOCGICOUNT, &c) != 0)
        return false;
    out[0] = c.frame;
    out[1] = c.parity;
    out[2] = c.overrun;
    out[3] = c.buf_overrun;
    out[4] = c.brk;
    return true;
}

} // namespace

SerialPort::SerialPort(int fd, std::string name) : fd_(fd), name_(std::move(name))
{
    haveCounts_ = ReadCounts(fd_, counts_);
}

SerialPort::~SerialPort()
{
    if (fd_ < 0)
        return;
    // The exclusive flag belongs to the terminal, not to this descriptor: left set, it would keep
    // the port from being opened again while anyone else (the other end of a pty) holds it.
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

int SerialPort::PortNumberOfName(const std::string& name)
{
    std::string s = name;
    if (s.rfind("\\\\.\\", 0) == 0)
        s.erase(0, 4);
    if (s.size() < 4 || s.size() > 6)
        return 0;
    for (int i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(s[i])) != "COM"[i])
            return 0;
    if (s[3] == '0')
        return 0;
    int n = 0;
    for (std::size_t i = 3; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9')
            return 0;
        n = n * 10 + (s[i] - '0');
    }
    return n <= 255 ? n : 0;
}

std::string SerialPort::DevicePath(int port)
{
    if (port < 1 || port > 255)
        return {};
    if (const char* dir = std::getenv("RIVO_COM_DIR"); dir && *dir)
        return std::string(dir) + "/COM" + std::to_string(port);
    if (port <= 32)
        return "/dev/ttyS" + std::to_string(port - 1);
    if (port <= 64)
        return "/dev/ttyUSB" + std::to_string(port - 33);
    if (port <= 99)
        return "/dev/ttyACM" + std::to_string(port - 65);
    return {};
}

std::unique_ptr<SerialPort> SerialPort::Open(const std::string& comName)
{
    const std::string path = DevicePath(PortNumberOfName(comName));
    if (path.empty()) {
        errno = ENOENT;
        return nullptr;
    }
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    auto fail = [fd](int error) {
        ::close(fd);
        errno = error;
        return nullptr;
    };
    termios2 t{};
    if (::ioctl(fd, TCGETS2, &t) != 0)
        return fail(errno == EINVAL ? ENOTTY : errno);
    // TIOCEXCL does not hold against a privileged process, so a lock on the device keeps two
    // instances of the program off the same port as well.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return fail(errno == EWOULDBLOCK ? EBUSY : errno);
    if (::ioctl(fd, TIOCEXCL) != 0)
        return fail(errno);
    MakeRaw(t);
    if (::ioctl(fd, TCSETS2, &t) != 0) {
        int e = errno;
        ::ioctl(fd, TIOCNXCL);
        return fail(e);
    }
    return std::unique_ptr<SerialPort>(new SerialPort(fd, comName));
}

bool SerialPort::SetLineSettings(const SerialLineSettings& s)
{
    if (fd_ < 0) {
        lastError_ = EBADF;
        return false;
    }
    if (s.BaudRate == 0 || s.DataBits < 5 || s.DataBits > 8 || s.Parity > 4 || s.StopBits > 2) {
        lastError_ = EINVAL;
        return false;
    }
    termios2 t{};
    if (::ioctl(fd_, TCGETS2, &t) != 0) {
        lastError_ = errno;
        return false;
    }
    MakeRaw(t);
    // Input speed follows the output speed (CIBAUD 0).
    t.c_cflag &= ~tcflag_t(CBAUD | CIBAUD | CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS);
    t.c_iflag &= ~tcflag_t(INPCK);
    const tcflag_t speed = SpeedConstant(s.BaudRate);
    t.c_cflag |= speed;
    t.c_ispeed = t.c_ospeed = s.BaudRate;

    static const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    t.c_cflag |= sizes[s.DataBits - 5];
    switch (s.Parity) {
    case 1: t.c_cflag |= PARENB | PARODD; break;
    case 2: t.c_cflag |= PARENB; break;
    case 3: t.c_cflag |= PARENB | CMSPAR | PARODD; break;  // mark
    case 4: t.c_cflag |= PARENB | CMSPAR; break;           // space
    default: break;
    }
    if (s.Parity != 0)
        t.c_iflag |= INPCK;
    if (s.StopBits != 0)  // one and a half is not to be had here; two is the nearest
        t.c_cflag |= CSTOPB;
    if (s.XonXoff) {
        t.c_iflag |= IXON | IXOFF;
        t.c_cc[VSTART] = 0x11;
        t.c_cc[VSTOP] = 0x13;
    }
    if (s.RtsCts)
        t.c_cflag |= CRTSCTS;

    // A pseudo-terminal keeps or ignores some of these; only a refused call is a failure.
    if (::ioctl(fd_, TCSETS2, &t) != 0) {
        lastError_ = errno;
        return false;
    }
    // DTR stays off, RTS too unless it does the handshake (devices without modem lines refuse).
    int dtr = TIOCM_DTR;
    ::ioctl(fd_, TIOCMBIC, &dtr);
    int rts = TIOCM_RTS;
    ::ioctl(fd_, s.RtsCts ? TIOCMBIS : TIOCMBIC, &rts);
    line_ = s;
    return true;
}

int SerialPort::Read(uint8_t* buffer, std::size_t n)
{
    if (fd_ < 0) {
        lastError_ = EBADF;
        return -1;
    }
    if (n > INT_MAX)
        n = INT_MAX;
    if (n == 0)
        return 0;
    const CommTimeouts t = timeouts_;
    const bool returnAtOnce = t.ReadIntervalTimeout == kMaxDword && t.ReadTotalTimeoutMultiplier == 0 &&
                              t.ReadTotalTimeoutConstant == 0;
    const long long total = static_cast<long long>(t.ReadTotalTimeoutMultiplier) * static_cast<long long>(n) +
                            t.ReadTotalTimeoutConstant;
    const bool totalBound = total > 0;
    const bool intervalBound = t.ReadIntervalTimeout != 0 && t.ReadIntervalTimeout != kMaxDword;
    const long long deadline = MonotonicMs() + total;
    long long lastByte = 0;
    bool hungUp = false;
    std::size_t got = 0;

    for (;;) {
        ssize_t r = ::read(fd_, buffer + got, n - got);
        if (r > 0) {
            got += static_cast<std::size_t>(r);
            lastByte = MonotonicMs();
            hungUp = false;
            if (got == n)
                return int(got);
            continue;
        }
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 && errno != EAGAIN) {
            lastError_ = errno;
            return got ? int(got) : -1;
        }
        // Nothing to read now.
        if (hungUp) {
            lastError_ = EIO;
            return got ? int(got) : -1;
        }
        if (returnAtOnce)
            return int(got);
        const long long now = MonotonicMs();
        long long wait = -1;
        if (totalBound) {
            if (now >= deadline)
                return int(got);
            wait = deadline - now;
        }
        if (intervalBound && got > 0) {
            const long long left = lastByte + t.ReadIntervalTimeout - now;
            if (left <= 0)
                return int(got);
            wait = wait < 0 ? left : std::min(wait, left);
        }
        pollfd p{fd_, POLLIN, 0};
        int pr = ::poll(&p, 1, wait < 0 ? -1 : ClampToInt(wait));
        if (pr < 0 && errno != EINTR) {
            lastError_ = errno;
            return got ? int(got) : -1;
        }
        // A hung-up line polls readable for ever; one more read tells whether bytes are left.
        if (pr > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)))
            hungUp = true;
    }
}

int SerialPort::Write(const uint8_t* buffer, std::size_t n)
{
    if (fd_ < 0) {
        lastError_ = lastWriteError_ = EBADF;
        return -1;
    }
    if (n > INT_MAX)
        n = INT_MAX;
    const long long total = static_cast<long long>(timeouts_.WriteTotalTimeoutMultiplier) * static_cast<long long>(n) +
                            timeouts_.WriteTotalTimeoutConstant;
    const bool bounded = total > 0;
    const long long deadline = MonotonicMs() + total;
    std::size_t done = 0;
    while (done < n) {
        ssize_t r = ::write(fd_, buffer + done, n - done);
        if (r > 0) {
            done += static_cast<std::size_t>(r);
            continue;
        }
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 && errno != EAGAIN) {
            lastError_ = lastWriteError_ = errno;
            return -1;
        }
        // The driver takes nothing more now: output is held or the queue is full.
        long long wait = -1;
        if (bounded) {
            wait = deadline - MonotonicMs();
            if (wait <= 0)
                break;
        }
        pollfd p{fd_, POLLOUT, 0};
        int pr = ::poll(&p, 1, wait < 0 ? -1 : ClampToInt(wait));
        if (pr < 0 && errno != EINTR) {
            lastError_ = lastWriteError_ = errno;
            return -1;
        }
        if (pr > 0 && (p.revents & POLLNVAL)) {
            lastError_ = lastWriteError_ = EBADF;
            return -1;
        }
    }
    return int(done);
}

bool SerialPort::DeviceGone() const { return IsGoneError(lastWriteError_); }

bool SerialPort::ClearCommError(CommStatus& status)
{
    status = {};
    if (fd_ < 0) {
        lastError_ = EBADF;
        return false;
    }
    int waiting = 0;
    if (::ioctl(fd_, FIONREAD, &waiting) != 0) {
        lastError_ = errno;
        return false;
    }
    status.BytesWaiting = waiting > 0 ? unsigned(waiting) : 0;

    int now[5];
    if (haveCounts_ && ReadCounts(fd_, now)) {
        for (int i = 0; i < 5; ++i) {
            if (now[i] != counts_[i])
                status.LineError = true;
            counts_[i] = now[i];
        }
    }

    pollfd p{fd_, POLLOUT, 0};
    if (::poll(&p, 1, 0) == 0)
        status.OutputHeld = true;
    if (line_.RtsCts && !status.OutputHeld) {
        int lines = 0, queued = 0;
        if (::ioctl(fd_, TIOCMGET, &lines) == 0 && !(lines & TIOCM_CTS) && ::ioctl(fd_, TIOCOUTQ, &queued) == 0 &&
            queued > 0)
            status.OutputHeld = true;
    }
    return true;
}

int SerialPort::BytesWaiting()
{
    if (fd_ < 0) {
        lastError_ = EBADF;
        return -1;
    }
    int waiting = 0;
    if (::ioctl(fd_, FIONREAD, &waiting) != 0) {
        lastError_ = errno;
        return -1;
    }
    return waiting;
}

bool SerialPort::WaitReadable(int timeoutMs)
{
    if (fd_ < 0)
        return false;
    const long long deadline = MonotonicMs() + std::max(timeoutMs, 0);
    for (;;) {
        pollfd p{fd_, POLLIN, 0};
        const long long left = deadline - MonotonicMs();
        int pr = ::poll(&p, 1, ClampToInt(left));
        if (pr > 0)
            return (p.revents & POLLIN) != 0;
        if (pr == 0 || errno != EINTR)
            return false;
    }
}

void SerialPort::PurgeInput()
{
    if (fd_ >= 0)
        ::ioctl(fd_, TCFLSH, TCIFLUSH);
}
