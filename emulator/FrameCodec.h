#pragma once
// The register's own frame encoder and decoder. Written from the frame format alone (it shares
// nothing with the program's link code, so that a fault in one shows up against the other).
//
// Frame: [0] 0x02, [1] address, [2-3] total length L (u16 LE), [4-5] frame number (u16 LE, bit 15
// marks the last frame of a series), [6] command or reply kind, [7 .. L-3] payload,
// [L-2] XOR of bytes 1 .. L-3, [L-1] 0x03.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace emu {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t FrameStx = 0x02;
constexpr uint8_t FrameEtx = 0x03;
constexpr uint8_t ReplyAck = 0x06;
constexpr uint8_t ReplyAttention = 0x41;  // 'A'
constexpr uint16_t LastFrameBit = 0x8000;
constexpr uint16_t SingleFrameNumber = 0x8001;
// The shortest request has no payload (start, address, length, number, command, checksum, end);
// the longest the program sends is far below the upper bound.
constexpr std::size_t MinFrameLength = 9;
constexpr std::size_t MaxFrameLength = 1024;

uint16_t GetU16(const uint8_t* p);
uint32_t GetU32(const uint8_t* p);
void PutU16(uint8_t* p, uint16_t v);
void PutU32(uint8_t* p, uint32_t v);

// XOR of bytes 1 .. length-3 (length >= 3).
uint8_t FrameChecksum(const uint8_t* frame, std::size_t length);

// A frame of `length` bytes carrying payload from byte 7 (cut or zero-filled to length - 9).
Bytes MakeFrame(uint8_t address, uint16_t number, uint8_t command, const Bytes& payload, std::size_t length);
// Same, length = payload + 9.
Bytes MakeFrame(uint8_t address, uint16_t number, uint8_t command, const Bytes& payload);
// The 10-byte status reply: [6] kind (0x06 or 'A'), [7] status.
Bytes MakeStatusReply(uint8_t address, uint16_t number, uint8_t kind, uint8_t status);
// The 11-byte error frame: [6] 'A', [7] 0, [8] code.
Bytes MakeErrorFrame(uint8_t address, uint16_t number, uint8_t code);

// Splits the bytes coming from the PC into frames. It never reads past what arrived; on a
// damaged frame it gives up one byte at a time and looks for the next start byte.
class FrameScanner {
public:
    struct Event {
        enum class Kind {
            NeedMore,       // nothing complete yet
            Frame,          // a well-formed frame (checksum not tested yet)
            LengthMismatch, // the length field does not fit the bytes; `frame` holds the frame the
                            // bytes do form when one was found, else it is empty
            BadEnd,         // the bytes at the length field's end are not a frame end
            Skipped,        // `skipped` bytes before a start byte were dropped
        };
        Kind kind = Kind::NeedMore;
        Bytes frame;
        uint8_t address = 0;     // for faults: the address byte of the candidate
        uint16_t number = 0;     // the frame number of the candidate (0 when it had none)
        std::size_t skipped = 0;
    };

    void Append(const uint8_t* data, std::size_t n);
    // Next event. `stale`: no byte came for a while, so a frame still incomplete never will be.
    Event Next(bool stale);
    bool Empty() const { return buffer_.empty(); }
    int PeekByte() const { return buffer_.empty() ? -1 : buffer_[0]; }
    // Drops the first byte when it equals b (raw one-byte answers outside the frame format).
    bool TakeByteIf(uint8_t b);
    void Clear() { buffer_.clear(); }

private:
    // The frame at the start whose end byte and checksum fit, other than the length field says.
    std::size_t FindOtherLength(std::size_t limit, std::size_t claimed) const;
    void Drop(std::size_t n);
    Bytes buffer_;
};

} // namespace emu
