#pragma once
// An in-memory line to the register for the link: the test (or a fuzzer) gives the bytes the
// register sends, and reads back what the program wrote. Waiting for bytes that are not there
// costs no real time: the clock the link reads moves instead.
#include "platform/ByteTransport.h"

#include <cstdint>
#include <deque>
#include <vector>

class MemoryLine : public ByteTransport {
public:
    // Puts itself in the link state in place of the port or socket, as a line of the given
    // kind (LinkSettings.LinkType 1 for TCP, 0 for serial), with its own fake clock.
    explicit MemoryLine(bool tcp = false);
    ~MemoryLine() override;
    MemoryLine(const MemoryLine&) = delete;
    MemoryLine& operator=(const MemoryLine&) = delete;

    // Bytes the register sends.
    void Send(const std::vector<uint8_t>& bytes) { Send(bytes.data(), bytes.size()); }
    void Send(const uint8_t* data, std::size_t n);
    // Everything the program wrote, in order.
    const std::vector<uint8_t>& Written() const { return written_; }
    // Sends these bytes as soon as the program next writes (the register's answer to a request).
    void AnswerNextWrite(const std::vector<uint8_t>& bytes) { answer_ = bytes; }

    int BytesWaiting() override { return int(incoming_.size()); }
    int Read(uint8_t* buffer, std::size_t n) override;
    int Write(const uint8_t* buffer, std::size_t n) override;
    bool WaitReadable(int timeoutMs) override;

private:
    long long now_ = 1'000'000;  // the link's clock while the line is in place
    std::deque<uint8_t> incoming_;
    std::vector<uint8_t> written_;
    std::vector<uint8_t> answer_;
};
