#pragma once
// Playing the register by hand for the link tests: over a pseudo-terminal, or over an in-memory
// line of either kind so that one test runs over both transports.
#include "core/AppState.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/SerialPort.h"
#include "tests/support/MemoryLine.h"
#include "tests/support/PtyPair.h"
#include "tests/support/TestNames.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// The link in use at a glance: port, rate, address, work mode and the open port ("-" when none).
inline std::string LinkInUse()
{
    return std::to_string(LinkSettings.ComPortNumber) + " " + std::to_string(LinkSettings.BaudRate) + " @" +
           std::to_string(Link.RegisterAddress) + " mode " + std::to_string(App.WorkMode) + " " +
           (Link.SerialHandle ? Link.SerialHandle->Name() : std::string("-"));
}

// XOR of bytes 1 .. L-3, computed here on its own so that a fault in the link's checksum shows.
inline uint8_t XorOf(const Bytes& f, std::size_t from, std::size_t to)
{
    uint8_t x = 0;
    for (std::size_t i = from; i <= to && i < f.size(); ++i)
        x ^= f[i];
    return x;
}

// A frame as the register sends it: header, payload, checksum, end.
inline Bytes RegisterFrame(uint8_t command, const Bytes& payload, uint16_t frameNumber = 1, uint8_t address = 1,
                           bool goodChecksum = true)
{
    const std::size_t length = payload.size() + 9;
    Bytes f(length, 0);
    f[0] = 0x02;
    f[1] = address;
    f[2] = uint8_t(length);
    f[3] = uint8_t(length >> 8);
    f[4] = uint8_t(frameNumber);
    f[5] = uint8_t(frameNumber >> 8);
    f[6] = command;
    std::copy(payload.begin(), payload.end(), f.begin() + 7);
    const uint8_t sum = XorOf(f, 1, length - 3);
    f[length - 2] = goodChecksum ? sum : uint8_t(sum ^ 0x5A);
    f[length - 1] = 0x03;
    return f;
}

inline Bytes StatusReply(uint8_t kind, uint8_t status, bool goodChecksum = true)
{
    return RegisterFrame(kind, {status}, 1, 1, goodChecksum);
}

inline Bytes ErrorFrameBytes(uint8_t code) { return RegisterFrame('A', {0, code}); }

// A data frame of exactly length bytes whose payload bytes count up from seed.
inline Bytes DataFrame(std::size_t length, uint16_t frameNumber, uint8_t seed = 1, bool goodChecksum = true)
{
    Bytes payload(length - 9);
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = uint8_t(seed + i);
    return RegisterFrame(0x06, payload, frameNumber, 1, goodChecksum);
}

inline Bytes AckBytes(uint8_t status) { return RegisterFrame(0x06, {status}, 1, 1); }

// The register's end of a pseudo-terminal the link opened as its port.
class PtyPeer {
public:
    explicit PtyPeer(int port = 5) : pty_(port)
    {
        LinkSettings.LinkType = 0;
        LinkSettings.ComPortNumber = uint8_t(port);
        ok_ = pty_.Ok() && OpenComPort(1, Link.SerialHandle) == 0;
    }
    bool Ok() const { return ok_; }
    bool Write(const Bytes& b) { return pty_.Write(b); }
    // What the program sent: as soon as n bytes came, or what came within timeoutMs.
    Bytes Read(std::size_t n, int timeoutMs) { return pty_.Read(n, timeoutMs); }

private:
    PtyPair pty_;
    bool ok_ = false;
};

// The register's end of an in-memory line of either kind: waits for bytes that do not come cost
// no real time, so a reader test runs in microseconds.
class MemoryPeer {
public:
    explicit MemoryPeer(bool tcp) : line_(tcp) {}
    bool Write(const Bytes& b)
    {
        line_.Send(b);
        return true;
    }
    Bytes Read(std::size_t n, int)
    {
        const Bytes& all = line_.Written();
        const std::size_t take = std::min(n, all.size() - read_);
        Bytes out(all.begin() + std::ptrdiff_t(read_), all.begin() + std::ptrdiff_t(read_ + take));
        read_ += take;
        return out;
    }

private:
    MemoryLine line_;
    std::size_t read_ = 0;
};

// A test run over the in-memory line of either kind, its parameter telling whether TCP.
class OverMemoryLine : public testing::TestWithParam<bool> {
protected:
    TestEnvironment env{false};
    ScriptedPrompts prompts;
    MemoryPeer peer{GetParam()};
};

inline Bytes ReceivedBytes(std::size_t n) { return Bytes(Link.ReceiveBuffer, Link.ReceiveBuffer + n); }
