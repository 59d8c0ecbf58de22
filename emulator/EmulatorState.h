#pragma once
// Inside of the register emulator: its state, the reply engine and the command handlers
// (RegisterEmulator.cpp holds the engine, RegisterHandlers.cpp the handlers).
#include "emulator/RegisterEmulator.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace emu {

using Clock = std::chrono::steady_clock;

// Field offsets of the 83-byte register goods record.
namespace goodsrec {
constexpr std::size_t Plu = 0, Name = 2, Ptu = 44, Price = 45, Quantity = 49, Value = 53, Barcode = 57, Group = 70,
                      Tandem = 71, FixedPrice = 72, WholeUnits = 73, Halo = 74, SaleYear = 75, SaleHour = 79, Unit = 81;
constexpr std::size_t NameWidth = 42, BarcodeWidth = 13;
} // namespace goodsrec

constexpr uint8_t NeverSoldHour = 24;
int DaysInMonth(int year, int month);
constexpr uint32_t MaxPrice = 99999999;

// What a handler answers; the engine adds the faults and sends it.
struct Reply {
    enum class Kind {
        None,       // no reply
        Status,     // 10-byte status reply: [6] kind, [7] status
        Error,      // 11-byte error frame with code
        Frame,      // one data frame (complete) or raw bytes
        Series,     // data frames sent one at a time, each after the PC's acknowledgement
        CopyStream, // text chunks, each after the PC's byte 0xAA
    };
    Kind kind = Kind::None;
    uint8_t replyKind = ReplyAck;
    uint8_t status = 0;
    uint8_t code = 0;
    bool attention = true;   // the "printing" / "busy" / "paper out" faults may come first
    bool checksummed = true; // a frame (false: raw bytes, no checksum to spoil)
    Bytes bytes;
    std::vector<Bytes> frames;
    uint8_t emptyStatus = 0x10; // a series without frames answers 'A' with this status
};

enum class RequestKind { Program, Delete, Read, Other };

struct Request {
    const Bytes& frame;
    uint8_t address;
    uint16_t number;
    uint8_t command;
    std::size_t length;
    const uint8_t* payload() const { return frame.data() + 7; }
    uint8_t at(std::size_t i) const { return frame[i]; }
    bool last() const { return (number & LastFrameBit) != 0; }
};

struct RegisterEmulator::Impl {
    // ---- configuration and engine state ----
    mutable std::mutex mu;
    mutable std::condition_variable cv;
    Model model = Model::Rivo;
    uint8_t address = 1;
    uint8_t portCode = 0;
    Faults faults;
    std::function<void(const Bytes&)> sink;
    std::function<Clock::time_point()> now = [] { return Clock::now(); };

    FrameScanner scanner;
    Clock::time_point lastInput{};
    std::vector<Bytes> received;
    std::vector<Bytes> sent;
    std::size_t skipped = 0;
    bool keepHistory = true;
    bool dropRequest = false;

    struct Delayed {
        Clock::time_point due;
        Bytes bytes;
        std::function<void(const Bytes&)> sink;
    };
    std::deque<Delayed> delayed;

    struct Series {
        bool active = false;
        uint8_t address = 1;
        std::vector<Bytes> frames;
        std::size_t next = 0;
        int sentCount = 0;
    } series;

    struct CopyStream {
        bool active = false;
        std::vector<Bytes> chunks;
        std::size_t next = 0;
    } copy;

    // ---- the register's tables ----
    std::map<uint16_t, Bytes> goods;                           // 83-byte register records
    std::multimap<std::string, uint16_t> goodsNames;           // name -> PLU, for the duplicate test
    std::map<uint8_t, std::map<uint8_t, Bytes>> tables;        // letter -> number -> record
    std::map<uint16_t, Bytes> quickKeys;                       // cashier * 256 + key -> 34 bytes
    std::map<uint8_t, Bytes> settings;                         // command -> payload
    Bytes headerGraphic, footerGraphic;                        // 96 x 48
    Bytes cacheMemory;
    std::vector<std::string> copyDocuments;
    std::vector<Bytes> groupTurnover;
    bool groupTurnoverSet = false;
    Bytes screenBitmap;                                        // empty: the register's own picture
    std::vector<Bytes> rawSales;
    bool rawSalesSet = false;
    std::size_t copyChunkSize = 0;
    bool copyLeadingFrame = false;
    std::size_t copyAcks = 0;
    int vatWrites = 0;
    Bytes managerPassword;                                     // 10 bytes

    // A program frame waiting for the operator's confirmation on the register's keyboard
    // (OperatorConfirm.cpp).
    struct OperatorPrompt {
        bool active = false;
        bool confirmed = false;
        Clock::time_point due{};   // with a confirm delay: when the operator confirms
        Bytes frame;
        std::function<void(const Bytes&)> sink;
    } prompt;
    int confirmDelayMs = -1;        // -1: only ConfirmOnKeyboard confirms

    // service commands (ServiceHandlers.cpp)
    bool infoRecordSet = false;
    Bytes infoRecord;
    RegisterEmulator::GraphicRowFault graphicFault;
    int inputPort = -1;
    bool portTalks[3] = {true, true, true};

    // ---- handlers: one per command code and frame length ----
    using Handler = Reply (Impl::*)(const Request&);
    struct HandlerEntry {
        RequestKind kind;
        Handler fn;
    };
    std::map<std::pair<uint8_t, uint16_t>, HandlerEntry> handlers;

    Impl();
    void InstallHandlers();
    void ResetTablesLocked();

    // engine (RegisterEmulator.cpp)
    void ProcessInput(bool stale);
    void HandleFrame(const Bytes& f);
    void HandleAck(const Bytes& f);
    void FrameFault(uint8_t frameAddress, uint16_t number, uint8_t code);
    bool AddressAccepted(uint8_t a) const { return a == address || faults.AnyAddress; }
    void Deliver(uint8_t replyAddress, uint16_t number, Reply reply);
    void SendNextSeriesFrame();
    void EndSeries();
    void SendNextCopyChunk();
    // The chunks of a copy stream as the test asked them cut (ReportHandlers.cpp).
    std::vector<Bytes> CopyChunks(std::vector<Bytes> documents) const;
    void Emit(const Bytes& bytes, int delayMs);
    void EmitGarbage();
    Bytes Spoil(Bytes bytes, bool checksummed);
    int PumpLocked();
    void CarryOut(const Request& rq, const HandlerEntry& entry);
    // operator confirmation (OperatorConfirm.cpp)
    bool AwaitOperator(const Request& rq);
    int PumpOperatorPrompt(Clock::time_point now);

    // tables (RegisterTables.cpp)
    void SetGoods(uint16_t plu, Bytes record);
    void EraseGoods(uint16_t plu);
    void ClearGoodsLocked();
    // A name as the register compares it: up to its first NUL, without trailing blanks.
    static std::string NameKey(const uint8_t* p, std::size_t width);

    // helpers for handlers (RegisterHandlers.cpp)
    std::size_t Capacity() const { return model == Model::Rivo ? 8000 : 2000; }
    static std::size_t TableRecordSize(uint8_t table);
    static std::size_t TableReadFrameLength(uint8_t table);
    Bytes ConfigurationRecord() const;
    Bytes InfoRecord() const;
    Bytes MakeScreenBitmap() const;
    bool VatLetterInUse(uint8_t letter) const;
    bool NameTaken(uint8_t table, uint8_t number, const uint8_t* name, std::size_t width) const;
    Reply Accepted(const Request& rq) const;
    static Reply Error(uint8_t code);
    Reply SeriesOf(const Request& rq, uint8_t command, const std::vector<Bytes>& payloads, std::size_t length,
                   uint8_t emptyStatus = 0x10) const;
    Reply SingleFrame(const Request& rq, const Bytes& payload, std::size_t length) const;

    // program frames
    Reply ProgramGoods(const Request& rq);
    Reply ProgramDiscount(const Request& rq);
    Reply ProgramCashier(const Request& rq);
    Reply ProgramPaymentForm(const Request& rq);
    Reply ProgramCurrency(const Request& rq);
    Reply ProgramVatRates(const Request& rq);
    Reply ProgramPackaging(const Request& rq);
    Reply ProgramHeader(const Request& rq);
    Reply ProgramFooter(const Request& rq);
    Reply ProgramGoodsGroup(const Request& rq);
    Reply ProgramQuickKey(const Request& rq);
    Reply ProgramHalo(const Request& rq);
    Reply ProgramClock(const Request& rq);
    Reply ProgramRecordCurrency(const Request& rq);
    Reply ProgramKeyForCashier(const Request& rq);
    Reply ProgramConfiguration(const Request& rq);
    Reply ProgramManagerPassword(const Request& rq);
    Reply ProgramGraphicRow(const Request& rq);
    Reply DeleteGraphic(const Request& rq);
    Reply StoreSetting(const Request& rq);
    Reply ClearDatabase(const Request& rq);
    Reply ClearSales(const Request& rq);
    Reply SalesReport(const Request& rq);
    Reply Report(const Request& rq);
    // delete frames
    Reply DeleteGoods(const Request& rq);
    Reply DeleteSmallRecord(const Request& rq);
    // other requests
    Reply Probe(const Request& rq);
    Reply PortQuery(const Request& rq);
    Reply CacheDump(const Request& rq);
    Reply ElectronicCopy(const Request& rq);
    // reads (the 11-byte requests)
    Reply ReadGoods(const Request& rq);
    Reply ReadSmallTable(const Request& rq);
    Reply ReadQuickKeys(const Request& rq);
    Reply ReadVatRates(const Request& rq);
    Reply ReadInfo(const Request& rq);
    Reply ReadEmail(const Request& rq);
    Reply ReadWifi(const Request& rq);
    Reply ReadScreen(const Request& rq);
    Reply ReadSales(const Request& rq);
    Reply ReadConfiguration(const Request& rq);
    Reply ReadGoodsUnits(const Request& rq);
    Reply ReadHeader(const Request& rq);
    Reply ReadGroupTurnover(const Request& rq);
    // service commands (ServiceHandlers.cpp)
    Reply ReadInfoRecord(const Request& rq);
    Reply ProgramGraphicRowWithFaults(const Request& rq);
    Reply PortQueryOfInput(const Request& rq);
    Reply PortTest(const Request& rq);
    Reply ProgramUniqueNumberAndKey(const Request& rq);
};

} // namespace emu
