#pragma once
// The register's side of the frame protocol: the register's tables and settings, and a frame
// engine that turns request bytes into reply bytes. It shares no code with the program's link
// layer, so that a fault in one is caught by the other. Thread-safe: the server threads feed it
// while a test reads it.
#include "emulator/FrameCodec.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace emu {

enum class Model { Rivo, TepoDux };

using Bytes = std::vector<uint8_t>;

// Faults for the next requests. Counters count down as they are used.
// The "printing", "busy" and "paper out" replies go only with requests that the register answers
// with a status reply or an error frame (program, delete, report and setting frames); the error
// code goes with any request; data replies are never preceded by them.
struct Faults {
    int PrintingReplies = 0;      // "printing" status replies ('A' 0x08) sent before the real reply
    int BusyReplies = 0;          // "busy" replies ('A' 0x04) sent before the real reply
    int PaperOutReplies = 0;      // "paper out" reply ('A' 0x02), one per request; the real reply
                                  // follows PaperOutDelayMs later unless the PC stops (ACK status 4)
    int ErrorCode = -1;           // the next request is answered by an error frame with this code
    int WriteErrorCode = -1;      // the same for the next program or delete request only
    int StatusReplyKind = -1;     // the next program/delete request is answered by this status reply
    uint8_t StatusReplyStatus = 0; //   ([6] kind, e.g. 'A' or ACK, [7] this status) and not carried out
    int WrongChecksumReplies = 0; // replies (status or data frames) sent with a wrong checksum
    int ShortReplyBytes = -1;     // the next reply is cut to this many bytes
    int SilentRequests = 0;       // requests that get no answer at all (they are not carried out)
    Bytes Garbage;                // bytes sent once, before the next reply
    int DropAfterDataFrames = -1; // in a series, the connection is dropped after this many data frames
    int WrongChecksumDataFrame = 0; // in the next series, data frame k (1-based) has a wrong checksum
    int SilentAfterDataFrames = -1; // in the next series or copy stream, nothing more is sent after this many
                                    // data frames or chunks
    bool AnyAddress = false;      // answer frames of any address

    // Spacing of the replies above (the program reads one reply at a time).
    int PrintingDelayMs = 100;    // between "printing" replies and before the real one
    int BusyDelayMs = 300;        // between "busy" replies and before the real one
    int PaperOutDelayMs = 200;    // after "paper out", before the real reply
};

class RegisterEmulator;

// The faults under the emulator's lock, for as long as this object lives:
//   emu.LockFaults()->PrintingReplies = 2;
class FaultsAccess {
public:
    FaultsAccess(std::unique_lock<std::mutex> lock, Faults& faults) : lock_(std::move(lock)), faults_(faults) {}
    Faults* operator->() { return &faults_; }
    Faults& operator*() { return faults_; }

private:
    std::unique_lock<std::mutex> lock_;
    Faults& faults_;
};

// Register-side record sizes and the frame lengths of the table reads.
constexpr std::size_t RegisterGoodsRecordSize = 83;
constexpr std::size_t GoodsReadFrameLength = 92;

class RegisterEmulator {
public:
    explicit RegisterEmulator(Model model = Model::Rivo, uint8_t address = 1);
    ~RegisterEmulator();
    RegisterEmulator(const RegisterEmulator&) = delete;
    RegisterEmulator& operator=(const RegisterEmulator&) = delete;

    // ---- the frame engine ----
    // Feeds bytes that arrived from the PC; replies go to the sink (called on the feeding thread,
    // under the emulator's lock: the sink must not call back into the emulator).
    void Feed(const uint8_t* data, std::size_t n);
    void SetReplySink(std::function<void(const Bytes&)> sink);
    // Sends the delayed replies that are due and finishes a request left incomplete for a while.
    // Returns the milliseconds until it has work again, -1 when nothing waits. The server calls
    // it from its loop; a test driving Feed by hand calls it itself.
    int Pump();
    // Another clock for the engine's delays and receive time-out (tests driving Feed and Pump
    // by hand); an empty function puts the steady clock back.
    void SetClock(std::function<std::chrono::steady_clock::time_point()> now);
    // Drops bytes of a partial request, a running series and replies not sent yet (a new
    // connection starts clean); a frame waiting for the operator then gets no reply.
    void ResetInput();
    // Set by the engine when a fault asks for the connection to be dropped; the server reads it.
    bool TakeDropRequest();

    // ---- configuration ----
    void SetModel(Model m);
    Model GetModel() const;
    void SetAddress(uint8_t address);
    uint8_t GetAddress() const;
    FaultsAccess LockFaults();
    void SetFaults(const Faults& f);
    Faults GetFaults() const;
    // The register port the PC talks through, as the port query answers it: 0 USB, 1 COM A, 2 COM B.
    void SetPortCode(uint8_t code);
    // Service commands (ServiceHandlers.cpp).
    // The payload the information read answers with, of either layout or any other size (the
    // reply is 9 bytes longer); empty puts the register's own record back.
    void SetInfoRecord(const Bytes& payload);
    // A fault aimed at one row of a graphic: the register answers that row with a receipt open,
    // an error frame (times in a row) or nothing.
    struct GraphicRowFault {
        enum class Kind { ReceiptOpen, ErrorFrame, Silence };
        int Row = -1;
        Kind What = Kind::ErrorFrame;
        int Times = 1;
        uint8_t Code = 80;
    };
    void SetGraphicRowFault(const GraphicRowFault& fault);
    // The register port the bytes being fed came in on (0 USB, 1 COM A, 2 COM B; -1 untagged),
    // and whether that port talks to the PC (the port test decides).
    void SetInputPort(int code);
    bool PortTalksToPc(int code) const;

    // ---- the operator at the register's keyboard ----
    // A small-table or VAT program frame with its confirm byte set waits for the operator: it is
    // neither stored nor answered until the operator confirms it.
    bool ConfirmPending() const;
    bool WaitForConfirmPending(int timeoutMs) const;
    // The operator confirms; the next Pump stores the record and sends the reply.
    void ConfirmOnKeyboard();
    // The operator confirms by himself this many milliseconds after the frame came; -1 (the
    // default) leaves it to ConfirmOnKeyboard.
    void SetConfirmDelay(int ms);

    // ---- inspection for tests ----
    // Every complete frame received (request or acknowledgement), in order; also frames for other
    // addresses and frames with a wrong checksum.
    std::vector<Bytes> ReceivedFrames() const;
    // Received frames with this command byte (byte 6).
    std::vector<Bytes> ReceivedFramesWithCommand(uint8_t command) const;
    void ClearReceived();
    // Waits up to timeoutMs until at least count frames have been received.
    bool WaitForFrames(std::size_t count, int timeoutMs) const;
    // Waits up to timeoutMs until at least count frames with this command byte have been received.
    bool WaitForFramesWithCommand(uint8_t command, std::size_t count, int timeoutMs) const;
    // Every chunk of bytes handed to the reply sink, in order (replies, data frames, garbage).
    std::vector<Bytes> SentReplies() const;
    // Bytes dropped while looking for the start of a frame.
    std::size_t SkippedBytes() const;
    // True while a read series waits for the PC's acknowledgement.
    bool SeriesRunning() const;
    // Whether frames received and replies sent are kept for the calls above (on by default; a
    // long-running emulator nobody inspects turns it off).
    void KeepHistory(bool keep);

    // ---- the register's tables ----
    // The goods table: one 83-byte register goods record per PLU (counters included); capacity
    // 8000 (Rivo) or 2000 (Tepo Dux).
    Bytes GoodsRecord(uint16_t plu) const;        // 83 bytes, zero when empty
    void PutGoodsRecord(const Bytes& record83);   // keyed by its PLU
    void ClearGoods();
    std::size_t GoodsCount() const;
    std::size_t GoodsCapacity() const;
    // Small tables: records keyed by number (1-based), register-side layout.
    // Table letters as the read requests name them: 'K' cashiers (324 bytes), 'R' discounts (36),
    // 'F' payment forms (31), 'W' currencies (42), 'G' goods groups (26), 'Z' packagings (66).
    Bytes TableRecord(uint8_t table, uint8_t number) const;   // zero when empty
    void PutTableRecord(uint8_t table, const Bytes& record);
    void DeleteTableRecord(uint8_t table, uint8_t number);
    std::size_t TableCount(uint8_t table) const;
    // Settings blocks by command code: the last payload stored (frame bytes 7 .. L-3), or the
    // register's default. 'P' VAT rates (21 bytes + flag), 'N' header (259), 'D' footer (130 +
    // flag), 'L' HALO (36), 'C' clock, 0x03 configuration (the 27- or 22-byte record), 'I' NIP,
    // 'M' unique number (and key), 'J' fiscal memory key, 'E' record currency, 'H' manager
    // password, 'q' goods units, 'O' and 'X' the last function / sales key, 'm' e-mail block
    // (243), 'e' Wi-Fi block (186), '8' port test, ... Empty when never set.
    Bytes Setting(uint8_t command) const;
    void PutSetting(uint8_t command, const Bytes& payload);
    // Quick key of cashier 1..10, key 1..10: the 34-byte record (cashier, key, bytes 2-33).
    Bytes QuickKeyRecord(uint8_t cashier, uint8_t key) const;
    // The header ('l') or footer ('d') graphic: 96 rows of 48 bytes.
    Bytes GraphicRows(uint8_t command) const;
    // What the read-outs send: the cache memory (256 bytes a frame), the documents of the
    // electronic copy, the monthly group turnover records (83 bytes each), the display bitmap.
    void SetCacheMemory(const Bytes& bytes);
    void SetElectronicCopy(const std::vector<std::string>& documents);
    void SetGroupTurnover(const std::vector<Bytes>& records83);
    Bytes ScreenBitmap() const;
    // The display bitmap the screen read sends (any length: a test may send a short one).
    void SetScreenBitmap(const Bytes& bitmap);
    // Sales records (53 bytes each) the sales reads send as they stand, in place of the ones
    // made from the goods table (a PLU of 0 or beyond the capacity included).
    void SetRawSales(const std::vector<Bytes>& records53);
    // Chunks of the copy stream: 0 sends one document per chunk, else chunks of this many bytes
    // (splitting documents or packing several); leadingFrame sends a link frame chunk first.
    void SetCopyStreaming(std::size_t chunkSize, bool leadingFrame);
    // The 0xAA bytes that acknowledged copy chunks.
    std::size_t CopyAcks() const;
    // Puts every table and setting back to the register's defaults.
    void ResetTables();

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

// Serves an emulator on loopback TCP and/or on pseudo-terminals linked as DIR/COM<n>. One
// thread with poll(); writes never block: replies the PC does not read wait in a bounded queue
// and are dropped beyond it.
class EmulatorServer {
public:
    // The name of its thread, as a debugger or /proc shows it.
    static constexpr const char* ServerThreadName = "rivo-emu-server";

    explicit EmulatorServer(RegisterEmulator& emulator);
    ~EmulatorServer();
    EmulatorServer(const EmulatorServer&) = delete;
    EmulatorServer& operator=(const EmulatorServer&) = delete;
    // Listens on 127.0.0.1:port (0 picks a free port); returns the port, or -1 with errno set.
    int ListenTcp(int port);
    // Opens a pseudo-terminal and links it as dir/COM<n>, making dir (0700) when it is missing;
    // a dir that is not the user's own, or that others can write, is refused. False with errno
    // set, and why saying what went wrong, on failure. With a port code
    // (0 USB, 1 COM A, 2 COM B) the line is that register port: its requests are answered only
    // while the port talks to the PC, and the port query names it.
    bool ServeComPort(const std::string& dir, int n, int portCode = -1, std::string* why = nullptr);
    // Paces the serial line at this baud rate (10 bits a byte) both ways: replies go out at that rate,
    // and a request is taken only when its last byte would have arrived; 0 = no pacing.
    void SetBaud(unsigned baud);
    // Reply bytes dropped because nobody read them.
    std::size_t DroppedBytes() const;
    void Stop();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace emu
