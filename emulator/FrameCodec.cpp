#include "emulator/FrameCodec.h"

#include <algorithm>

namespace emu {

uint16_t GetU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t GetU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

void PutU16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void PutU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint8_t FrameChecksum(const uint8_t* frame, std::size_t length)
{
    uint8_t x = 0;
    for (std::size_t i = 1; i + 2 < length; ++i)
        x ^= frame[i];
    return x;
}

Bytes MakeFrame(uint8_t address, uint16_t number, uint8_t command, const Bytes& payload, std::size_t length)
{
    Bytes f(length, 0);
    f[0] = FrameStx;
    f[1] = address;
    PutU16(&f[2], static_cast<uint16_t>(length));
    PutU16(&f[4], number);
    f[6] = command;
    const std::size_t room = length - 9;
    std::copy_n(payload.begin(), std::min(room, payload.size()), f.begin() + 7);
    f[length - 2] = FrameChecksum(f.data(), length);
    f[length - 1] = FrameEtx;
    return f;
}

Bytes MakeFrame(uint8_t address, uint16_t number, uint8_t command, const Bytes& payload)
{
    return MakeFrame(address, number, command, payload, payload.size() + 9);
}

Bytes MakeStatusReply(uint8_t address, uint16_t number, uint8_t kind, uint8_t status)
{
    return MakeFrame(address, number, kind, Bytes{status}, 10);
}

Bytes MakeErrorFrame(uint8_t address, uint16_t number, uint8_t code)
{
    return MakeFrame(address, number, ReplyAttention, Bytes{0, code}, 11);
}

void FrameScanner::Append(const uint8_t* data, std::size_t n)
{
    buffer_.insert(buffer_.end(), data, data + n);
}

bool FrameScanner::TakeByteIf(uint8_t b)
{
    if (buffer_.empty() || buffer_[0] != b)
        return false;
    Drop(1);
    return true;
}

void FrameScanner::Drop(std::size_t n)
{
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(std::min(n, buffer_.size())));
}

std::size_t FrameScanner::FindOtherLength(std::size_t limit, std::size_t claimed) const
{
    limit = std::min({limit, buffer_.size(), MaxFrameLength});
    for (std::size_t len = MinFrameLength; len <= limit; ++len) {
        if (len == claimed)
            continue;
        if (buffer_[len - 1] == FrameEtx && buffer_[len - 2] == FrameChecksum(buffer_.data(), len))
            return len;
    }
    return 0;
}

FrameScanner::Event FrameScanner::Next(bool stale)
{
    Event ev;
    if (buffer_.empty())
        return ev;
    if (buffer_[0] != FrameStx) {
        auto it = std::find(buffer_.begin(), buffer_.end(), FrameStx);
        ev.kind = Event::Kind::Skipped;
        ev.skipped = static_cast<std::size_t>(it - buffer_.begin());
        Drop(ev.skipped);
        return ev;
    }
    ev.address = buffer_.size() > 1 ? buffer_[1] : 0;
    ev.number = buffer_.size() >= 6 ? GetU16(&buffer_[4]) : 0;
    if (buffer_.size() < 4) {
        if (!stale)
            return ev;
        ev.kind = Event::Kind::Skipped;
        ev.skipped = 1;
        Drop(1);
        return ev;
    }
    const std::size_t claimed = GetU16(&buffer_[2]);
    if (claimed < MinFrameLength || claimed > MaxFrameLength) {
        // No frame can end there: a length fault; the bytes after the start byte are looked at
        // again for the next frame.
        ev.kind = Event::Kind::LengthMismatch;
        if (std::size_t len = FindOtherLength(buffer_.size(), claimed)) {
            ev.frame.assign(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(len));
            Drop(len);
        } else {
            Drop(1);
        }
        return ev;
    }
    if (buffer_.size() < claimed) {
        if (!stale)
            return ev;
        // The rest never came: when the bytes that did come form a frame of their own, the
        // length field was wrong; otherwise it was a torn frame, dropped quietly.
        if (std::size_t len = FindOtherLength(buffer_.size(), claimed)) {
            ev.kind = Event::Kind::LengthMismatch;
            ev.frame.assign(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(len));
            Drop(len);
            return ev;
        }
        ev.kind = Event::Kind::Skipped;
        ev.skipped = 1;
        Drop(1);
        return ev;
    }
    if (buffer_[claimed - 1] != FrameEtx) {
        if (std::size_t len = FindOtherLength(claimed, claimed)) {
            ev.kind = Event::Kind::LengthMismatch;
            ev.frame.assign(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(len));
            Drop(len);
            return ev;
        }
        ev.kind = Event::Kind::BadEnd;
        Drop(1);
        return ev;
    }
    ev.kind = Event::Kind::Frame;
    ev.frame.assign(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(claimed));
    Drop(claimed);
    return ev;
}

} // namespace emu
