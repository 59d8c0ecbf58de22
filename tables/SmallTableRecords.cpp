#include "tables/SmallTableRecords.h"

#include "core/AppState.h"
#include "core/Helpers.h"

#include <algorithm>
#include <cstring>

namespace {

uint32_t TableStart(const SmallTableGeometry& table) { return TableOffsets.*(table.Start); }

void PutText(RecordBytes& record, uint32_t at, const std::string& text, uint32_t width)
{
    std::memcpy(record.data() + at, text.data(), std::min<std::size_t>(text.size(), width));
}

void PutU32(RecordBytes& record, uint32_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        record[at + i] = uint8_t(value >> (8 * i));
}

RecordBytes NumberedRecord(const SmallTableGeometry& table, uint8_t number, const std::string& name)
{
    RecordBytes record(table.RecordSize, 0);
    record[SmallField::Number] = number;
    PutText(record, SmallField::Name, name, table.NameWidth);
    return record;
}

std::string WithoutTrailingSpaces(std::string text)
{
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

} // namespace

bool SmallTablesUsable() { return DatabaseUsable() && DatabaseImage.Usable(); }

uint32_t SmallRecordOffset(const SmallTableGeometry& table, unsigned number)
{
    return TableStart(table) + (number - 1) * table.RecordSize;
}

RecordBytes ReadSmallTableSlots(const SmallTableGeometry& table)
{
    RecordBytes bytes(std::size_t(SmallTableSlots) * table.RecordSize, 0);
    if (SmallTablesUsable())
        DbReadBytesAt(TableStart(table), bytes.data(), bytes.size());
    return bytes;
}

RecordBytes ReadSmallRecord(const SmallTableGeometry& table, unsigned number)
{
    RecordBytes record(table.RecordSize, 0);
    if (number >= 1 && number <= SmallTableSlots && SmallTablesUsable())
        DbReadBytesAt(SmallRecordOffset(table, number), record.data(), record.size());
    return record;
}

bool WriteSmallRecord(const SmallTableGeometry& table, const RecordBytes& record)
{
    const unsigned number = record.empty() ? 0 : record[SmallField::Number];
    if (record.size() != table.RecordSize || number < 1 || number > SmallTableSlots || !SmallTablesUsable())
        return false;
    DbWriteBytesAt(SmallRecordOffset(table, number), record.data(), record.size());
    return DatabaseImage.Usable();
}

bool ClearSmallRecord(const SmallTableGeometry& table, unsigned number)
{
    if (number < 1 || number > SmallTableSlots || !SmallTablesUsable())
        return false;
    DbZeroFillAt(SmallRecordOffset(table, number), table.RecordSize);
    return DatabaseImage.Usable();
}

unsigned FirstFreeSmallNumber(const SmallTableGeometry& table, unsigned slotCount)
{
    const RecordBytes all = ReadSmallTableSlots(table);
    for (unsigned s = 0; s < std::min(slotCount, SmallTableSlots); ++s)
        if (all[std::size_t(s) * table.RecordSize] == 0)
            return s + 1;
    return 0;
}

unsigned FindSmallRecordByName(const SmallTableGeometry& table, unsigned slotCount, const std::string& name)
{
    const std::string wanted = WithoutTrailingSpaces(name.substr(0, table.NameWidth));
    const RecordBytes all = ReadSmallTableSlots(table);
    for (unsigned s = 0; s < std::min(slotCount, SmallTableSlots); ++s) {
        const uint8_t* r = all.data() + std::size_t(s) * table.RecordSize;
        if (r[0] != 0 && WithoutTrailingSpaces(BytesToString(r + SmallField::Name, table.NameWidth)) == wanted)
            return r[0];
    }
    return 0;
}

std::string RecordName(const RecordBytes& record, const SmallTableGeometry& table)
{
    return RecordText(record, SmallField::Name, table.NameWidth);
}

std::string RecordText(const RecordBytes& record, uint32_t at, uint32_t width)
{
    if (at >= record.size())
        return {};
    return BytesToString(record.data() + at, std::min<std::size_t>(width, record.size() - at));
}

uint32_t RecordU32(const RecordBytes& record, uint32_t at)
{
    if (at + 4 > record.size())
        return 0;
    return uint32_t(record[at]) | (uint32_t(record[at + 1]) << 8) | (uint32_t(record[at + 2]) << 16) |
           (uint32_t(record[at + 3]) << 24);
}

RecordBytes DiscountRecordBytes(uint8_t number, const std::string& name, uint8_t kind, uint8_t type, uint32_t value)
{
    RecordBytes r = NumberedRecord(DiscountTableGeometry, number, name);
    r[SmallField::DiscountKind] = kind;
    r[SmallField::DiscountType] = type;
    PutU32(r, SmallField::DiscountValue, value);
    return r;
}

RecordBytes CashierRecordBytes(uint8_t number, const std::string& name, const std::string& password,
                               const std::array<uint8_t, SmallField::CashierRightCount>& rights)
{
    RecordBytes r = NumberedRecord(CashierTableGeometry, number, name);
    PutText(r, SmallField::CashierPassword, password, SmallField::CashierPasswordSize);
    std::copy(rights.begin(), rights.end(), r.begin() + SmallField::CashierRights);
    return r;
}

RecordBytes PaymentFormRecordBytes(uint8_t number, const std::string& name, uint8_t type)
{
    RecordBytes r = NumberedRecord(PaymentFormTableGeometry, number, name);
    r[SmallField::PaymentFormType] = type;
    return r;
}

RecordBytes CurrencyRecordBytes(uint8_t number, const std::string& name, uint32_t rate, uint8_t decimals,
                                const std::string& symbol)
{
    RecordBytes r = NumberedRecord(CurrencyTableGeometry, number, name);
    PutU32(r, SmallField::CurrencyRate, rate);
    r[SmallField::CurrencyDecimals] = decimals;
    std::string padded = symbol.substr(0, SmallField::CurrencySymbolSize);
    padded.resize(SmallField::CurrencySymbolSize, ' ');
    PutText(r, SmallField::CurrencySymbol, padded, SmallField::CurrencySymbolSize);
    return r;
}

RecordBytes PackagingRecordBytes(uint8_t number, const std::string& name, uint32_t price, uint8_t changeable)
{
    RecordBytes r = NumberedRecord(PackagingTableGeometry, number, name);
    PutU32(r, SmallField::PackagingPrice, price);
    r[SmallField::PackagingPriceChangeable] = changeable;
    return r;
}

RecordBytes GoodsGroupRecordBytes(uint8_t number, const std::string& name)
{
    return NumberedRecord(GoodsGroupTableGeometry, number, name);
}

std::optional<VatCodes> ReadVatCodes()
{
    if (!SmallTablesUsable())
        return std::nullopt;
    uint8_t block[VatLetterCount * VatRateEntrySize] = {};
    DbReadBytesAt(TableOffsets.VatRateBlock, block, sizeof block);
    VatCodes codes{};
    for (unsigned i = 0; i < VatLetterCount; ++i)
        codes[i] = uint16_t(block[3 * i + 1] | (block[3 * i + 2] << 8));
    return codes;
}

bool WriteVatCodes(const VatCodes& codes)
{
    if (!SmallTablesUsable())
        return false;
    uint8_t block[VatLetterCount * VatRateEntrySize] = {};
    for (unsigned i = 0; i < VatLetterCount; ++i) {
        block[3 * i] = uint8_t('A' + i);
        block[3 * i + 1] = uint8_t(codes[i]);
        block[3 * i + 2] = uint8_t(codes[i] >> 8);
    }
    DbWriteBytesAt(TableOffsets.VatRateBlock, block, sizeof block);
    return DatabaseImage.Usable();
}

std::optional<ReportSet> ReadReportSet()
{
    if (!SmallTablesUsable())
        return std::nullopt;
    ReportSet set{};
    DbReadBytesAt(TableOffsets.ReportSetBlock, set.data(), set.size());
    return set;
}

bool WriteReportSet(const ReportSet& set)
{
    if (!SmallTablesUsable())
        return false;
    DbWriteBytesAt(TableOffsets.ReportSetBlock, set.data(), set.size());
    return DatabaseImage.Usable();
}
