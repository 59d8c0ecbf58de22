#pragma once
// A small client for the emulator's own tests: frames built with the emulator's codec (the link
// tests hold that codec to the program's) and a raw TCP or pseudo-terminal connection. It uses
// none of the program's link code.
#include "emulator/FrameCodec.h"
#include "emulator/RegisterEmulator.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <arpa/inet.h>
#include <string>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace testclient {

using Bytes = emu::Bytes;
using Clock = std::chrono::steady_clock;

inline uint16_t U16(const Bytes& b, std::size_t at) { return emu::GetU16(&b[at]); }
inline uint8_t Xor(const Bytes& f) { return emu::FrameChecksum(f.data(), f.size()); }
inline bool ChecksumOk(const Bytes& f) { return f.size() >= 9 && f[f.size() - 2] == Xor(f); }

// A frame of length L (payload + 9 when 0) with the payload from byte 7.
inline Bytes Frame(uint8_t address, uint16_t number, uint8_t command, const Bytes& payload, std::size_t length = 0)
{
    return emu::MakeFrame(address, number, command, payload, length ? length : payload.size() + 9);
}

inline Bytes ReadRequest(uint8_t command, uint16_t word = 0, uint16_t number = 1, uint8_t address = 1)
{
    return Frame(address, number, command, Bytes{static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8)}, 11);
}

inline Bytes Probe(uint8_t address = 1)
{
    return Frame(address, 0x8001, 'Q', Bytes{0}, 10);
}

inline Bytes Ack(uint8_t status, uint8_t address = 1)
{
    return Frame(address, 1, 0x06, Bytes{status}, 10);
}

// A whole status reply ([6] kind, [7] status) or error frame ([8] code), as the register sends it.
inline bool IsStatus(const Bytes& r, uint8_t kind, uint8_t status)
{
    return r.size() > 6 && r == emu::MakeStatusReply(r[1], U16(r, 4), kind, status);
}

inline bool IsError(const Bytes& r, uint8_t code)
{
    return r.size() > 6 && r == emu::MakeErrorFrame(r[1], U16(r, 4), code);
}

// The PC goods record (68 bytes used) as the goods program frame carries it.
struct Goods {
    uint16_t plu = 1;
    std::string name = "Chleb";
    char letter = 'A';
    uint32_t price = 350;
    std::string barcode = "0000005907788";
    uint8_t group = 1, tandem = 0, fixed = 0, whole = 0, halo = 0, unit = 3;
};

// 'T' program frame: [7-8] PLU, [9..] PC record bytes 2.., ConfirmFlag at L-3.
inline Bytes GoodsFrame(const Goods& g, std::size_t length = 93, uint16_t number = 0x8001, uint8_t address = 1)
{
    Bytes pc(68, 0);
    emu::PutU16(&pc[0], g.plu);
    std::memcpy(&pc[2], g.name.data(), std::min<std::size_t>(g.name.size(), 42));
    pc[44] = static_cast<uint8_t>(g.letter);
    emu::PutU32(&pc[45], g.price);
    std::memcpy(&pc[49], g.barcode.data(), std::min<std::size_t>(g.barcode.size(), 13));
    const uint8_t tail[] = {g.group, g.tandem, g.fixed, g.whole, g.halo, g.unit};
    std::copy(std::begin(tail), std::end(tail), pc.begin() + 62);
    return Frame(address, number, 'T', pc, length);
}

inline Bytes GoodsDelete(uint16_t plu, const std::string& name, uint16_t number = 0x8001)
{
    Bytes p(44, 0);
    emu::PutU16(&p[0], plu);
    std::memcpy(&p[2], name.data(), std::min<std::size_t>(name.size(), 42));
    return Frame(1, number, '0', p, 54);
}

// A raw connection (TCP socket or the slave side of a pseudo-terminal).
class Conn {
public:
    Conn() = default;
    explicit Conn(int fd) : fd_(fd) {}
    Conn(Conn&& o) noexcept : fd_(o.fd_) { o.fd_ = -1; }
    Conn& operator=(Conn&& o) noexcept
    {
        std::swap(fd_, o.fd_);
        return *this;
    }
    ~Conn()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool Ok() const { return fd_ >= 0; }

    bool Send(const Bytes& b)
    {
        std::size_t done = 0;
        while (done < b.size()) {
            ssize_t n = ::write(fd_, b.data() + done, b.size() - done);
            if (n <= 0)
                return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

    // Up to n bytes, waiting at most timeoutMs for all of them.
    Bytes Read(std::size_t n, int timeoutMs)
    {
        Bytes out;
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (out.size() < n) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
            if (left <= 0)
                break;
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left)) <= 0)
                break;
            uint8_t buf[4096];
            ssize_t r = ::read(fd_, buf, std::min(sizeof buf, n - out.size()));
            if (r <= 0)
                break;
            out.insert(out.end(), buf, buf + r);
        }
        return out;
    }

    // One frame: the four header bytes, then the rest its length field gives.
    Bytes ReadFrame(int timeoutMs = 3000)
    {
        Bytes head = Read(4, timeoutMs);
        if (head.size() < 4)
            return head;
        std::size_t length = U16(head, 2);
        if (length < 4 || length > 4096)
            return head;
        Bytes rest = Read(length - 4, timeoutMs);
        head.insert(head.end(), rest.begin(), rest.end());
        return head;
    }

private:
    int fd_ = -1;
};

inline Conn ConnectTcp(int port)
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<uint16_t>(port));
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd);
        fd = -1;
    }
    return Conn(fd);
}

// Opens a COM link (the pseudo-terminal's slave) in raw mode.
inline Conn OpenCom(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) {
        termios t{};
        ::tcgetattr(fd, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(fd, TCSANOW, &t);
    }
    return Conn(fd);
}

// Whether the emulator server's thread of this process waits in this system call now (SYS_ppoll:
// idle; SYS_futex: on the emulator's lock). Never so where the system does not show it.
inline bool ServerThreadWaitsIn(long call)
{
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
        std::ifstream comm(task.path() / "comm"), syscall(task.path() / "syscall");
        std::string name;
        long now = -1;
        if (std::getline(comm, name) && name == emu::EmulatorServer::ServerThreadName && syscall >> now)
            return now == call;
    }
    return false;
}

} // namespace testclient
