#pragma once
// The records of the small tables (discounts, cashiers, payment forms, currencies, packagings,
// goods groups), the VAT rate block and the report set in the database image: laying records
// out, reading and writing them. Byte 0 of a small-table record is its number; 0 marks a free
// slot, and record n lies in slot n - 1.
//
// Reads from an image that is not usable (no database, or a failed stream) give empty slots.
// Writes need a usable image: without one they write nothing and return false.
#include "core/DatabaseImage.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using RecordBytes = std::vector<uint8_t>;

struct SmallTableGeometry {
    uint32_t TableOffsetSet::*Start;
    uint32_t RecordSize;
    uint32_t NameWidth;
};

inline constexpr SmallTableGeometry DiscountTableGeometry{&TableOffsetSet::DiscountTable, DiscountRecordSize, 21};
inline constexpr SmallTableGeometry CashierTableGeometry{&TableOffsetSet::CashierTable, CashierRecordSize, 21};
inline constexpr SmallTableGeometry PaymentFormTableGeometry{&TableOffsetSet::PaymentFormTable, PaymentFormRecordSize,
                                                             21};
inline constexpr SmallTableGeometry CurrencyTableGeometry{&TableOffsetSet::CurrencyTable, CurrencyRecordSize, 21};
inline constexpr SmallTableGeometry PackagingTableGeometry{&TableOffsetSet::PackagingTable, PackagingRecordSize, 42};
inline constexpr SmallTableGeometry GoodsGroupTableGeometry{&TableOffsetSet::GoodsGroupTable, GoodsGroupRecordSize,
                                                            21};

// Field offsets inside the records.
namespace SmallField {
constexpr uint32_t Number = 0;
constexpr uint32_t Name = 1;
constexpr uint32_t DiscountKind = 22, DiscountType = 23, DiscountValue = 24;
constexpr uint32_t CashierPassword = 22, CashierPasswordSize = 4, CashierRights = 26, CashierRightCount = 7;
constexpr uint32_t PaymentFormType = 22;
constexpr uint32_t CurrencyRate = 22, CurrencyDecimals = 26, CurrencySymbol = 27, CurrencySymbolSize = 3;
constexpr uint32_t PackagingPrice = 43, PackagingPriceChangeable = 47;
} // namespace SmallField

// True when the image holds a database whose stream has not failed.
bool SmallTablesUsable();

uint32_t SmallRecordOffset(const SmallTableGeometry& table, unsigned number);
// The whole table, SmallTableSlots records; zeros when the image is not usable.
RecordBytes ReadSmallTableSlots(const SmallTableGeometry& table);
// Record number 1..20; zeros when the image is not usable or the number has no slot.
RecordBytes ReadSmallRecord(const SmallTableGeometry& table, unsigned number);
// Writes a whole record into the slot of its number byte, in one write.
bool WriteSmallRecord(const SmallTableGeometry& table, const RecordBytes& record);
// Zeroes the slot of number.
bool ClearSmallRecord(const SmallTableGeometry& table, unsigned number);

// The first free number among the first slotCount slots of the table; 0 when they are all used.
unsigned FirstFreeSmallNumber(const SmallTableGeometry& table, unsigned slotCount);
// The number of a used record among the first slotCount slots whose name equals name (cp1250), trailing
// spaces ignored on both sides; 0 when none. The record being replaced counts too.
unsigned FindSmallRecordByName(const SmallTableGeometry& table, unsigned slotCount, const std::string& name);

// Fields of a record: a name cut at its first NUL, little-endian integers.
std::string RecordName(const RecordBytes& record, const SmallTableGeometry& table);
std::string RecordText(const RecordBytes& record, uint32_t at, uint32_t width);
uint32_t RecordU32(const RecordBytes& record, uint32_t at);

// The records as the editing windows lay them out; names and texts are cp1250, cut to their
// field and NUL-padded.
RecordBytes DiscountRecordBytes(uint8_t number, const std::string& name, uint8_t kind, uint8_t type, uint32_t value);
RecordBytes CashierRecordBytes(uint8_t number, const std::string& name, const std::string& password,
                               const std::array<uint8_t, SmallField::CashierRightCount>& rights);
RecordBytes PaymentFormRecordBytes(uint8_t number, const std::string& name, uint8_t type);
// The symbol is padded with spaces to 3 characters.
RecordBytes CurrencyRecordBytes(uint8_t number, const std::string& name, uint32_t rate, uint8_t decimals,
                                const std::string& symbol);
RecordBytes PackagingRecordBytes(uint8_t number, const std::string& name, uint32_t price, uint8_t changeable);
RecordBytes GoodsGroupRecordBytes(uint8_t number, const std::string& name);

// ---- VAT rates: seven entries A..G of the letter and a u16 code ----
constexpr unsigned VatLetterCount = 7;
constexpr uint16_t VatInactive = 0xFFFE;
constexpr uint16_t VatExempt = 0xFFFF;
constexpr uint16_t MaxVatRate = 9999;
using VatCodes = std::array<uint16_t, VatLetterCount>;
// The codes of A..G; none when the image is not usable.
std::optional<VatCodes> ReadVatCodes();
// Writes the 21 bytes of the seven entries (letter, code low, code high); the bytes after
// them are left as they are.
bool WriteVatCodes(const VatCodes& codes);

// ---- the report set: one byte per report ----
using ReportSet = std::array<uint8_t, ReportSetBlockSize>;
std::optional<ReportSet> ReadReportSet();
bool WriteReportSet(const ReportSet& set);
