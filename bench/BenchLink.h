#pragma once
// The program's link to an emulator served for a benchmark: a pseudo-terminal paced at a baud
// rate (COM5 in a fresh folder) or loopback TCP. Closed, and the folder removed, at the end.
#include "emulator/RegisterEmulator.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/ClientSocket.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// The benchmarks' serial line: 115200 baud, ten bits on the wire per byte.
constexpr unsigned LineBaud = 115200;
constexpr double LineBytesPerSecond = LineBaud / 10.0;

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
