#pragma once
// The register's information record ('I'): checking the reply and turning the record into the
// texts of the information window. No widgets.
#include <QString>
#include <cstddef>
#include <cstdint>

enum class InfoLayout { New, Old };

constexpr std::size_t InfoReplyNewLength = 127;
constexpr std::size_t InfoReplyOldLength = 124;
constexpr std::size_t InfoPayloadOffset = 7;

// What the bytes read after the request hold.
enum class InfoReply {
    Record,      // a whole record frame of either layout, checksum right
    ErrorFrame,  // a whole error frame: the register's code is byte 8
    Broken,      // nothing, too little, a frame of another length, wrong start, end or checksum
};
InfoReply ClassifyInfoReply(const uint8_t* bytes, std::size_t got, InfoLayout& layout);

// Every value label of the window, in the order of the record.
struct InfoRecordTexts {
    QString Version, ProgramMemory, UniqueNumber, Nip, Signature, WorkingMode, MemoryState, LastWrite,
        LastReport, ReportNumber, CopyMedium, RamClears, ReceiptsSinceReport, ReceiptsSinceFiscal,
        SalesStarted, ServiceMode, HeaderProgrammed, VatWrites, RegisterNumber, Cashier, CurrencySymbol,
        CurrencyDate, ChangePlanned, NewSymbol, ChangeDate, ComA, ComB, Usb, Wifi, CardSize;
    bool ChangeRowsEnabled = false;
};

// payload: the record from frame byte 7, 118 bytes (new layout) or 115 (old).
InfoRecordTexts DecodeInfoRecord(const uint8_t* payload, InfoLayout layout);

// "5-3-2025"; "brak" for day 0 when noneForZeroDay.
QString InfoDateText(unsigned day, unsigned month, unsigned year, bool noneForZeroDay);
// "09:05" + three spaces + the date text.
QString InfoTimeDateText(unsigned hour, unsigned minute, unsigned day, unsigned month, unsigned year,
                         bool noneForZeroDay);
