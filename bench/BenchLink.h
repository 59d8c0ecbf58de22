#pragma once
// The program's link to an emulator served for a benchmark: a pseudo-terminal paced at a baud
// rate (COM5 in a fresh folder) or loopback TCP. Closed, and the folder removed, at the end.
#include "emulator/RegisterEmulator.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/ClientSocket.h"

#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <unistd.h>

// The benchmarks' serial line: 115200 baud, ten bits on the wire per byte.
constexpr unsigned LineBaud = 115200;
constexpr double LineBytesPerSecond = LineBaud / 10.0;

// A wait that the program must make inside an exchange, named in the floor.
struct MandatedWait {
    const char* name;
    double seconds;
};

// One exchange on the paced line against its floor: the bytes of both directions at the line
// rate (the line is half-duplex: request and reply never overlap) plus the mandated waits. No
// program beats the line, so a ratio below 1.00 means the measurement is wrong: the run fails.
inline bool ReportAgainstFloor(const char* exchange, double seconds, std::size_t bytes,
                               std::initializer_list<MandatedWait> waits = {})
{
    const double wire = double(bytes) / LineBytesPerSecond;
    double floor = wire;
    std::string parts = std::to_string(bytes) + " B at " + std::to_string(LineBaud) + " baud";
    char number[32];
    std::snprintf(number, sizeof number, " %.3f s", wire);
    parts += number;
    for (const MandatedWait& w : waits) {
        floor += w.seconds;
        std::snprintf(number, sizeof number, " %.3f s", w.seconds);
        parts += std::string(" + ") + w.name + number;
    }
    const double ratio = seconds / floor;
    std::printf("%-40s floor %9.3f s = %s | measured %9.3f s | ratio %.3f\n", exchange, floor, parts.c_str(), seconds,
                ratio);
    if (ratio >= 1.0)
        return true;
    std::printf("FAILED: %s ran below its line-rate floor (ratio %.3f): the measurement is wrong\n", exchange, ratio);
    std::fflush(stdout);
    return false;
}

// The register's UART never sleeps, but the emulator standing in for it does, and on a virtual
// machine a sleeping processor wakes a tenth of a millisecond late: several times an exchange,
// that would be measured as the program's. While held, the kernel keeps idle processors ready to
// run at once (the PM QoS request of /dev/cpu_dma_latency, as latency benchmarks do); each run
// says whether it could.
class WakeLatencyHold {
public:
    WakeLatencyHold()
    {
        fd_ = ::open("/dev/cpu_dma_latency", O_WRONLY | O_CLOEXEC);
        const int32_t none = 0;
        if (fd_ >= 0 && ::write(fd_, &none, sizeof none) != sizeof none) {
            ::close(fd_);
            fd_ = -1;
        }
        std::printf(fd_ >= 0 ? "processors kept awake while the benchmark runs (cpu_dma_latency 0)\n"
                             : "processors may sleep (no access to /dev/cpu_dma_latency): every wake-up counts\n");
    }
    ~WakeLatencyHold()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    WakeLatencyHold(const WakeLatencyHold&) = delete;
    WakeLatencyHold& operator=(const WakeLatencyHold&) = delete;

private:
    int fd_ = -1;
};

// N from the command line: 1..max, or the default when not given; 0 when it is out of range.
inline long CountArgument(int argc, char** argv, int index, long fallback, long max)
{
    const long n = argc > index ? std::strtol(argv[index], nullptr, 10) : fallback;
    if (n >= 1 && n <= max)
        return n;
    std::fprintf(stderr, "N must be 1..%ld\n", max);
    return 0;
}

class BenchLink {
public:
    BenchLink(emu::EmulatorServer& server, bool tcp, unsigned baud) : server_(server)
    {
        if (tcp) {
            const int port = server.ListenTcp(0);
            LinkSettings.LinkType = 1;
            LinkSettings.TcpHost = "127.0.0.1";
            LinkSettings.TcpPort = port;
            Ok = port > 0 && ConnectTcp() == 0 && TcpSocket().WaitConnected(3000);
            if (!Ok)
                std::fprintf(stderr, "no TCP connection to the emulator\n");
            return;
        }
        char tmpl[] = "/tmp/rivo-bench-com-XXXXXX";
        if (!::mkdtemp(tmpl))
            return;
        comDir_ = tmpl;
        ::setenv("RIVO_COM_DIR", comDir_.c_str(), 1);
        server.SetBaud(baud);
        LinkSettings.LinkType = 0;
        LinkSettings.ComPortNumber = 5;
        LinkSettings.BaudRate = baud;
        Ok = server.ServeComPort(comDir_, 5) && OpenComPort(1, Link.SerialHandle) == 0;
        if (!Ok)
            std::fprintf(stderr, "no serial line to the emulator\n");
    }
    ~BenchLink()
    {
        ResetLinkState();
        server_.Stop();
        if (!comDir_.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(comDir_, ec);
            ::unsetenv("RIVO_COM_DIR");
        }
    }
    BenchLink(const BenchLink&) = delete;
    BenchLink& operator=(const BenchLink&) = delete;
    bool Ok = false;

private:
    emu::EmulatorServer& server_;
    std::string comDir_;
};
