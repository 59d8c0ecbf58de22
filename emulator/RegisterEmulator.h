#pragma once
// The register's side of the frame protocol: the register's tables and settings, and a frame
// engine that turns request bytes into reply bytes. It shares no code with the program's link
// layer, so that a fault in one is caught by the other. Thread-safe: the server threads feed it
// while a test reads it.
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
struct Faults {
    int PrintingReplies = 0;      // "printing" status replies ('A' 0x08) sent before the real reply
    int BusyReplies = 0;          // "busy" replies ('A' 0x04) sent before the real reply
    int PaperOutReplies = 0;      // "paper out" replies ('A' 0x02); the real reply follows the PC's next bytes
    int ErrorCode = -1;           // the next program/delete request is answered by an error frame with this code
    int WrongChecksumReplies = 0; // replies (status or data frames) sent with a wrong checksum
    int ShortReplyBytes = -1;     // the next reply is cut to this many bytes
    int SilentRequests = 0;       // requests that get no answer at all
    Bytes Garbage;                // bytes sent once, before the next reply
    int DropAfterDataFrames = -1; // in a series, the connection is dropped after this many data frames
    bool AnyAddress = false;      // answer frames of any address
};

class RegisterEmulator {
public:
    explicit RegisterEmulator(Model model = Model::Rivo, uint8_t address = 1);
    ~RegisterEmulator();

    // ---- the frame engine ----
    // Feeds bytes that arrived from the PC; replies go to the sink (called on the feeding thread).
    void Feed(const uint8_t* data, std::size_t n);
    void SetReplySink(std::function<void(const Bytes&)> sink);
    // Drops bytes of a partial request (a new connection starts clean).
    void ResetInput();
    // Set by the engine when a fault asks for the connection to be dropped; the server reads it.
    bool TakeDropRequest();

    // ---- configuration ----
    void SetModel(Model m);
    Model GetModel() const;
    void SetAddress(uint8_t address);
    Faults& LockFaults();   // use with FaultsMutex held, or through SetFaults
    void SetFaults(const Faults& f);

    // ---- inspection for tests ----
    // Every complete frame received (request or acknowledgement), in order.
    std::vector<Bytes> ReceivedFrames() const;
    // Received frames with this command byte (byte 6).
    std::vector<Bytes> ReceivedFramesWithCommand(uint8_t command) const;
    void ClearReceived();
    // Waits up to timeoutMs until at least count frames have been received.
    bool WaitForFrames(std::size_t count, int timeoutMs) const;

    // ---- the register's tables ----
    // The goods table: one 83-byte register goods record per PLU (counters included); capacity
    // 8000 (Rivo) or 2000 (Tepo Dux).
    Bytes GoodsRecord(uint16_t plu) const;        // 83 bytes, zero when empty
    void PutGoodsRecord(const Bytes& record83);   // keyed by its PLU
    void ClearGoods();
    std::size_t GoodsCount() const;
    // Small tables: records keyed by number (1-based), register-side layout.
    // Table letters as the read requests name them: 'K' cashiers, 'R' discounts, 'F' payment
    // forms, 'W' currencies, 'G' goods groups, 'Z' packagings.
    Bytes TableRecord(uint8_t table, uint8_t number) const;
    void PutTableRecord(uint8_t table, const Bytes& record);
    // Settings blocks by command code ('P' VAT rates, 'N' header, 'D' footer, 'L' HALO, 'S' quick
    // keys, 'C' clock, 0x03 configuration, 'I' NIP, ...): the last payload stored.
    Bytes Setting(uint8_t command) const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

// Serves an emulator on loopback TCP and/or on a pseudo-terminal linked as DIR/COM<n>.
class EmulatorServer {
public:
    explicit EmulatorServer(RegisterEmulator& emulator);
    ~EmulatorServer();
    // Listens on 127.0.0.1:port (0 picks a free port); returns the port, or -1.
    int ListenTcp(int port);
    // Opens a pseudo-terminal and links it as dir/COM<n>; false on failure.
    bool ServeComPort(const std::string& dir, int n);
    // Paces the bytes sent on the serial line at this baud rate (10 bits a byte); 0 = no pacing.
    void SetBaud(unsigned baud);
    void Stop();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace emu
