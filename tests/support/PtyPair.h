#pragma once
// A pseudo-terminal standing in for a register on a COM port: the slave end is linked as
// <folder>/COM<n> and RIVO_COM_DIR names the folder, so the program opens "COM<n>" and gets the
// slave; the test plays the register on the master end by hand.
//
// The pair keeps a descriptor of the slave open itself, so that the master never reads EIO when
// the program closes its side.
#include "tests/support/EnvGuard.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class PtyPair {
public:
    // Makes a fresh temporary folder, links the slave there as COM<port> and points
    // RIVO_COM_DIR at it (the old value comes back in the destructor). With a folder given,
    // links into that folder instead and leaves RIVO_COM_DIR alone (a second port beside the
    // first pair's).
    explicit PtyPair(int port = 5, const std::string& folder = {});
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return master_ >= 0; }
    int Port() const { return port_; }
    // The program's name of the port: "COM5", or "\\.\COM12" above 9.
    std::string ComName() const { return (port_ <= 9 ? "COM" : "\\\\.\\COM") + std::to_string(port_); }
    const std::string& Folder() const { return folder_; }

    // Writes all bytes to the master (as the register sending); false on an error.
    bool Write(const std::vector<uint8_t>& bytes) { return Write(bytes.data(), bytes.size()); }
    bool Write(const void* data, std::size_t n);
    // Reads what the program sent: returns as soon as n bytes came, or what came within
    // timeoutMs.
    std::vector<uint8_t> Read(std::size_t n, int timeoutMs) { return ReadSome(n, timeoutMs, timeoutMs); }
    // Reads until nothing more comes for quietMs (at most maxMs in all).
    std::vector<uint8_t> ReadUntilQuiet(int quietMs, int maxMs = 5000) { return ReadSome(SIZE_MAX, quietMs, maxMs); }
    // Closes the master and the kept slave and removes the COM link: the line hangs up under
    // the program, and the port is gone for the next open (like an unplugged adapter).
    void HangUp();

private:
    std::vector<uint8_t> ReadSome(std::size_t n, int quietMs, int maxMs);

    int master_ = -1;
    int slave_ = -1;
    int port_ = 0;
    std::optional<EnvGuard> comDir_;  // puts RIVO_COM_DIR back when the folder is this pair's
    std::string folder_;
    std::string slavePath_;
    std::string link_;
};
