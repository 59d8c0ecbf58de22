#pragma once
// A register emulator served in-process for a test: the emulator, its server thread, and the
// folder its pseudo-terminal is linked in (RIVO_COM_DIR points the program's serial ports there).
#include "emulator/RegisterEmulator.h"

#include <cstdint>
#include <filesystem>
#include <string>

class EmulatorFixture {
public:
    explicit EmulatorFixture(emu::Model model = emu::Model::Rivo, uint8_t address = 1);
    ~EmulatorFixture();
    EmulatorFixture(const EmulatorFixture&) = delete;
    EmulatorFixture& operator=(const EmulatorFixture&) = delete;

    emu::RegisterEmulator& Emu() { return emulator_; }
    emu::EmulatorServer& Server() { return server_; }

    // Serves a pseudo-terminal as COM<n> in a fresh temporary folder, sets RIVO_COM_DIR to that
    // folder and returns it ("" on failure). Further calls add ports to the same folder. A port
    // code makes the line one of the register's ports (0 USB, 1 COM A, 2 COM B).
    std::string ServeCom(int n, int portCode = -1);
    // Listens on a free loopback port and returns it (-1 on failure).
    int ServeTcp() { return server_.ListenTcp(0); }
    // Paces the line at this rate, the program's port set to it as on a real line.
    void SetBaud(unsigned baud);
    // Opens the program's link to this emulator as the settings window would, over COM<comPort>
    // or over loopback TCP, and marks the register connected beside the database; false on failure.
    bool ConnectLink(bool tcp, int comPort = 7);

    // A fresh EMPTY folder with RIVO_COM_DIR pointing at it: no register on any port. The
    // caller removes it (RemoveComDir) and unsets the variable when done.
    static std::string MakeEmptyComDir();
    static void RemoveComDir(const std::string& dir)
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

private:
    emu::RegisterEmulator emulator_;
    emu::EmulatorServer server_;
    std::string comDir_;
    bool setComDir_ = false;
};
