#pragma once
// The link to the register: frames, the two transports (COM port or TCP socket), sending,
// receiving, classifying replies and acknowledging data frames.
#include "link/LinkSettings.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

class ByteTransport;
class SerialPort;
class ClientSocket;

constexpr std::size_t ReceiveBufferSize = 4096;

// The link state: one record, one instance.
struct LinkState {
    uint8_t ReceiveBuffer[ReceiveBufferSize] = {};
    SerialPort* SerialHandle = nullptr;   // the open COM port; nullptr = closed
    uint8_t RegisterAddress = 1;          // 1..9
    volatile uint8_t AbortRequestFlag = 0;
    uint32_t TcpConnectState = 0;         // 1 connecting, 3 connected, 2 socket error, 0 failed start
    // A line put in place of the COM port or the TCP socket (tests, fuzzing); nullptr = the
    // port or socket of the link type in force. Not owned.
    ByteTransport* Transport = nullptr;
};

extern LinkState Link;

// Closes an open port and puts the link state back to its start values (tests).
void ResetLinkState();

// The main window's TCP client socket, which only the link drives. Created on first use.
ClientSocket& TcpSocket();

// Shown while a serial write is held by flow control; returns 1 when the line came free, any
// other value when the user gave up. Defaults to the wait window; tests install their own.
void SetFlowControlWait(std::function<int()> wait);

// ---- result codes ----
enum AckResult : int {
    AckAccepted = 0,
    AckStatus1 = 1,
    AckStatus2 = 2,
    AckDone = 3,
    AckBadReply = 4,
    AckErrorFrame = 5,
    AckPrinting = 6,
    AckUserStopped = 8,
    AckReceiptOpen = 128,
};

enum FrameResult : int {
    FrameChecksumError = 0,
    FrameMore = 1,
    FrameLast = 2,
    FrameFailed = 3,
};

// ---- frames ----
constexpr uint8_t FrameStart = 0x02;
constexpr uint8_t FrameEnd = 0x03;
constexpr uint8_t ReplyAck = 0x06;
constexpr uint8_t ReplyAttention = 0x41;  // 'A'
constexpr uint16_t LastFrameBit = 0x8000;
constexpr uint16_t SingleFrameNumber = 0x8001;

// Writes bytes 0..6 of a frame of the given length, zeroes the payload and puts 0x03 at length-1.
void BuildFrameHeader(uint8_t* buffer, uint8_t address, uint16_t length, uint16_t frameNumber, uint8_t command);
// XOR of bytes 1 .. L-3, L taken from bytes 2-3 of the frame; never reads past maxLength bytes
// (a length field that does not fit gives 0 and no read outside).
uint8_t FrameChecksum(const uint8_t* frame, std::size_t maxLength = ReceiveBufferSize);
// Stores the checksum at L-2 of a frame laid out by BuildFrameHeader.
void SealFrame(uint8_t* frame);
// True when the count bytes are exactly one frame: start byte, its length field equal to count,
// end byte and checksum right.
bool IsWholeFrame(const uint8_t* frame, std::size_t count);

void SendAckStatus0(uint8_t address);
void SendAckStatus1(uint8_t address);
void SendAckStatus3(uint8_t address);
void SendAckStatus4(uint8_t address);

// ---- transport ----
int OpenLink();
// Opens port LinkSettings.ComPortNumber with the stored line settings; 0 success, 1 failure.
int OpenComPort(int showErrors, SerialPort*& handle);
// Closes the open COM port, if any (SerialHandle becomes nullptr).
void CloseComPort();
int ConnectTcp();
// 0 no problem; 1 the query failed or a line error is pending; 2 output is held.
int CheckCommError(SerialPort* handle);
void SaveLinkSettings();
void RestoreLinkSettings();
// Mode 0: a NUL-terminated text (count ignored); mode 1: exactly count bytes. 0 sent, 1 failure.
int SendBytes(uint8_t* buffer, int mode, std::size_t count);
// Up to n bytes of a reply into buffer (at most ReceiveBufferSize). Waits up to about 3 s over
// serial for n bytes, and hands over at once a complete shorter reply (a status reply or an
// error frame). Over TCP the same bound applies. Returns the count read.
int ReceiveBytes(uint8_t* buffer, std::size_t n);
// Reads up to n raw bytes from the link in use with the port's current time-outs (serial) or
// the same bound (TCP), for windows that read replies straight from the port. Returns the count.
// With stopAtFrame the read also ends as soon as a whole frame shorter than n is there (its
// own length field says so), and takes no byte past it.
int ReadRaw(uint8_t* buffer, std::size_t n, bool stopAtFrame = false);
// For raw streams: waits up to waitMs for bytes on the link in use (serial or TCP), then reads
// the bytes waiting, at most max; more tells whether bytes were left waiting. Returns the count
// (0 when nothing came), -1 when the link is closed or broken.
int ReadWaiting(uint8_t* buffer, std::size_t max, int waitMs, bool& more);
// Reads up to n raw bytes from the link in use: waits up to boundMs for them, and ends once gapMs
// pass without a byte after some came (a short reply). During a guarded transfer the wait lets Esc
// and the stop button act: on a silent line it ends at once, and a reply already arriving is read
// to its end first, so that the next exchange starts on a quiet line; stopped says so. Returns
// the count.
std::size_t ReadRawReply(uint8_t* buffer, std::size_t n, int boundMs, int gapMs, bool* stopped);
// How often a wait during a guarded transfer lets window events run, so that Esc and the stop
// button act at once.
constexpr long long EventSliceMs = 20;
// One read of one byte from the COM port with the current time-outs; 1 when a byte came.
int ReadByte(uint8_t& byte);
int DrainInput();

// ---- replies ----
// The two status readers check every reply whole (start, length, end, checksum) before they
// believe it: anything else, a partial reply included, is AckBadReply, and only a whole 11-byte
// error frame is AckErrorFrame (its code in ReceiveBuffer[8]). A "busy" reply is waited out with
// WaitWhileBusy, so that the register's late answer never lands in the next exchange.
// ReceiveAck reads through the link in use; ReceiveAckSerial reads with the port's own time-outs
// and shows the register's error text itself.
int ReceiveAck();
int ReceiveAckSerial();
// A reply read with read (ReceiveAck or ReceiveAckSerial); while it is "printing", waits waitMs
// with window events running (printing(true) before the wait, printing(false) after it) and reads
// again, as often as it comes, for as long as a "busy" wait may last. A "printing" reply with a
// newer one already behind it is stale and is read through without a wait. A register still
// printing then gives AckBadReply.
int ReceiveAckWaitingOutPrinting(unsigned waitMs = 800, int (*read)() = ReceiveAck,
                                 const std::function<void(bool)>& printing = {});
int ReceiveFrame(std::size_t n);
// True when the receive buffer holds the register's "empty base" status reply.
bool ReceivedEmptyBase();
void ShowRegisterError(int code);
int AskPaperOut();
// What a transfer the user stopped says.
inline const QString TransferStoppedText = QStringLiteral("Komunikacja przerwana przez użytkownika.");
// Tells the register and the user that the transfer was stopped.
void AbortByUser();
// Reads status replies until the register accepts (1) or the wait ends (0): a minute at most,
// two silent reads, or Esc (the abort flag). It lets window events run meanwhile, under an
// ExchangeGuard, so that no click starts another exchange.
int WaitWhileBusy();
// Waits ms milliseconds while window events run (so that "Anuluj" or Esc is taken meanwhile),
// holding an ExchangeGuard; with endOnStop it returns early once the abort flag is set.
void WaitWithEvents(int ms, bool endOnStop = true);

// The register's error texts; an index outside the table gives the empty text.
const QString& ErrorText(int code);
constexpr int ErrorTextCount = 120;
