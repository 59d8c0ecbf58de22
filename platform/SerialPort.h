#pragma once
// A serial port in the shape the program expects of a Windows COM port: opened by its COM name,
// raw 8-bit line, Win32-style read and write time-outs, bytes waiting and pending line errors.
//
// Port names: "COM5" and "\\.\COM12" both name port 5 / 12. The device of port n is
//  - the entry "COM<n>" of the folder named by the environment variable RIVO_COM_DIR, when that
//    variable is set (and then nothing else: tests and the emulator put pseudo-terminals there);
//  - otherwise /dev/ttyS<n-1> for n = 1..32, /dev/ttyUSB<n-33> for n = 33..64 and
//    /dev/ttyACM<n-65> for n = 65..99.
#include "platform/ByteTransport.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Win32 COMMTIMEOUTS, in milliseconds.
struct CommTimeouts {
    unsigned ReadIntervalTimeout = 0;
    unsigned ReadTotalTimeoutMultiplier = 0;
    unsigned ReadTotalTimeoutConstant = 0;
    unsigned WriteTotalTimeoutMultiplier = 0;
    unsigned WriteTotalTimeoutConstant = 0;
};

struct SerialLineSettings {
    uint32_t BaudRate = 9600;
    uint8_t DataBits = 8;  // 5..8
    uint8_t Parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
    uint8_t StopBits = 0;  // 0 one, 1 one and a half (taken as two), 2 two
    bool XonXoff = false;
    bool RtsCts = false;
};

struct CommStatus {
    bool LineError = false;   // framing, parity or overrun error seen since the last query
    bool OutputHeld = false;  // output held by flow control (CTS low or XOFF received)
    unsigned BytesWaiting = 0;
};

class SerialPort : public ByteTransport {
public:
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Port number of a COM name ("COM5", "\\.\COM12"); 0 when the name is not one.
    static int PortNumberOfName(const std::string& name);
    // Device path of port n by the rule above.
    static std::string DevicePath(int port);
    // Opens the port exclusively in raw mode; nullptr on failure (errno tells why).
    static std::unique_ptr<SerialPort> Open(const std::string& comName);

    // False when the line cannot be set so (baud rate of 0 or one the device refuses, ...).
    bool SetLineSettings(const SerialLineSettings& settings);
    const SerialLineSettings& LineSettings() const { return line_; }
    void SetTimeouts(const CommTimeouts& t) { timeouts_ = t; }
    const CommTimeouts& Timeouts() const { return timeouts_; }

    // Reads up to n bytes as a Win32 ReadFile would with the current time-outs: the total
    // time-out is multiplier * n + constant (0 and 0: no total bound); the interval time-out
    // ends the read when that long passes between two bytes (counted from the first byte).
    // Returns as soon as n bytes came. An interval of MAXDWORD with both totals 0 returns at
    // once with what is there. Returns the count read (0 on time-out), -1 on an error (also
    // when the device hung up).
    int Read(uint8_t* buffer, std::size_t n) override;
    // Writes n bytes within the write time-outs (multiplier * n + constant). Returns the count
    // written, which may be short when output is held; -1 on an error (LastError() tells).
    int Write(const uint8_t* buffer, std::size_t n) override;
    // True when the last failed write failed because the device went away (EIO, ENXIO, ENODEV,
    // EBADF): the program's "access denied" case, answered by reopening the port.
    bool DeviceGone() const;
    int LastError() const { return lastError_; }

    // Fills status; false when the query failed. Clears the pending line-error state.
    // LineError: the driver's framing, parity, overrun or break counters moved since the last
    // query (devices that keep no counters, such as pseudo-terminals, never report one).
    // OutputHeld: the driver takes no more output now (its queue is full, or stopped by a
    // received XOFF), or RTS/CTS is on, CTS is low and output is queued.
    bool ClearCommError(CommStatus& status);
    // Bytes received and not read yet; -1 on an error.
    int BytesWaiting() override;
    // Waits up to timeoutMs for at least one byte to be readable; true when one is.
    bool WaitReadable(int timeoutMs) override;
    // Discards everything received and not read.
    void PurgeInput();

    int Descriptor() const { return fd_; }
    const std::string& Name() const { return name_; }

private:
    SerialPort(int fd, std::string name);
    int fd_ = -1;
    std::string name_;
    SerialLineSettings line_;
    CommTimeouts timeouts_;
    int lastError_ = 0;
    int lastWriteError_ = 0;
    // Line-error counters at the last query, when the device keeps them.
    bool haveCounts_ = false;
    int counts_[5] = {};
};
