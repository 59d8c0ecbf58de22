#pragma once
// What the benchmarks share: a database image with N goods in a private TEMP folder, and the
// program's link to an emulator server.
#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "emulator/RegisterEmulator.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/ClientSocket.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// A fresh database image holding goods 1..count, in a TEMP folder of its own.
class BenchDatabase {
public:
    // False (after saying why) when the image cannot be built.
    bool Open(uint16_t count)
    {
        char tmpl[] = "/tmp/rivo-bench-XXXXXX";
        if (!::mkdtemp(tmpl))
            return false;
        folder_ = tmpl;
        ::setenv("TEMP", folder_.c_str(), 1);
        InitTableOffsets();
        if (CreateDatabaseImage() != 0) {
            std::fprintf(stderr, "cannot build the image\n");
            return false;
        }
        App.WorkMode = WorkModeDatabase;
        for (uint16_t plu = 1; plu <= count; ++plu) {
            GoodsRecordFields g;
            g.Plu = plu;
            g.Name = "Towar testowy " + std::to_string(plu);
            g.VatLetter = "A";
            g.Price = 199u + plu;
            g.Barcode = std::to_string(5900000000000ull + plu);
            g.Group = 1;
            WriteGoodsRecordToImage(g);
        }
        return true;
    }
    ~BenchDatabase()
    {
        DatabaseImage.Close();
        std::error_code ec;
        if (!folder_.empty())
            std::filesystem::remove_all(folder_, ec);
    }

private:
    std::string folder_;
};

// The program's link to an emulator server: loopback TCP, or a pseudo-terminal in a fresh folder
// that RIVO_COM_DIR names, paced at a baud rate.
class BenchLine {
public:
    // Opens the link; false (after saying why) when it cannot.
    bool Open(emu::EmulatorServer& server, bool tcp, unsigned baud)
    {
        if (tcp) {
            const int port = server.ListenTcp(0);
            LinkSettings.LinkType = 1;
            LinkSettings.TcpHost = "127.0.0.1";
            LinkSettings.TcpPort = port;
            if (port <= 0 || ConnectTcp() != 0 || !TcpSocket().WaitConnected(3000)) {
                std::fprintf(stderr, "no TCP connection to the emulator\n");
                return false;
            }
            return true;
        }
        char tmpl[] = "/tmp/rivo-bench-com-XXXXXX";
        if (!::mkdtemp(tmpl))
            return false;
        comDir_ = tmpl;
        ::setenv("RIVO_COM_DIR", comDir_.c_str(), 1);
        server.SetBaud(baud);
        LinkSettings.LinkType = 0;
        LinkSettings.ComPortNumber = 5;
        LinkSettings.BaudRate = baud;
        if (!server.ServeComPort(comDir_, 5) || OpenComPort(1, Link.SerialHandle) != 0) {
            std::fprintf(stderr, "no serial line to the emulator\n");
            return false;
        }
        return true;
    }

    // Closes the link and stops the server.
    void Close(emu::EmulatorServer& server)
    {
        ResetLinkState();
        server.Stop();
        if (!comDir_.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(comDir_, ec);
            ::unsetenv("RIVO_COM_DIR");
            comDir_.clear();
        }
    }

private:
    std::string comDir_;
};
