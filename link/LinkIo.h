#pragma once
// Pieces of the link layer shared by its source files; not for use outside link/.
#include "platform/SerialPort.h"

#include <cstddef>
#include <cstdint>

// The bound on waiting for a reply (about 3 s), over either transport.
constexpr int ReplyBoundMs = 3000;
// The shortest frame of the protocol (header, checksum, end).
constexpr std::size_t MinFrameLength = 9;
// A status reply, and an error frame (a status reply with an error code).
constexpr std::size_t StatusReplyLength = 10;
constexpr std::size_t ErrorFrameLength = 11;
// The busy wait gives up after this long even when the register keeps saying "busy", so that
// a register stuck in that state cannot hold the program for good.
constexpr long long BusyWaitLimitMs = 60000;

// Status bytes of the register's "attention" replies.
enum : uint8_t {
    StatusPaperOut = 0x02,
    StatusBusy = 0x04,
    StatusPrinting = 0x08,
    StatusEmptyBase = 0x10,
    StatusZeroSales = 0x40,
    StatusReceiptOpen = 0x80,
};

// Puts the transport's private state back to its start values.
void ResetLinkIo();
bool LinkIsTcp();

uint16_t FrameLengthField(const uint8_t* frame);
// True when the first got bytes hold a whole frame (start, its own length, end byte) that is
// shorter than want.
bool IsCompleteShortFrame(const uint8_t* buffer, std::size_t got, std::size_t want);

// Sets the read/write time-outs of the link: on the open port, and as the bound of raw reads
// over TCP.
void SetLinkTimeouts(const CommTimeouts& t);

// Reads from the link in use until want bytes came, or (stopAtFrame) a whole frame shorter
// than want is there, or boundMs passed; intervalMs > 0 also ends the read after that long
// without a byte once some came. Returns the count read (partial counts included).
// With stopped given, a wait during a guarded transfer lets window events run and heeds the
// user's stop (the abort flag raised during the read), which stopped then says: on a silent line
// the read ends at once; a reply already arriving is read to its end first, for no longer than its
// bytes need on the line while they keep coming.
std::size_t ReadFromLink(uint8_t* buffer, std::size_t want, long long boundMs, bool stopAtFrame,
                         unsigned intervalMs = 0, bool* stopped = nullptr);
// ReceiveBytes whose wait, during a guarded transfer, ends on the user's stop: stopped is then
// set and nothing is handed over.
int ReceiveBytesUnlessStopped(uint8_t* buffer, std::size_t n, bool& stopped);
// True when bytes from the register wait to be read on the link in use.
bool InputWaiting();
