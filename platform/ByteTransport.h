#pragma once
// What the link needs of a line to the register: the COM port and the TCP socket implement it,
// and tests and fuzzing put an in-memory line in their place.
#include <cstddef>
#include <cstdint>

class ByteTransport {
public:
    virtual ~ByteTransport() = default;
    // Bytes that can be read at once; -1 when the line is broken.
    virtual int BytesWaiting() = 0;
    // Reads up to n bytes within the line's read time-outs (bytes already there come at once).
    // Returns the count read, -1 on an error.
    virtual int Read(uint8_t* buffer, std::size_t n) = 0;
    // Writes n bytes; returns the count written (short when the line held them), -1 on an error.
    virtual int Write(const uint8_t* buffer, std::size_t n) = 0;
    // Waits up to timeoutMs until a byte can be read or the line ends; true then.
    virtual bool WaitReadable(int timeoutMs) = 0;
};
