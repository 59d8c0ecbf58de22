#include "tables/QuickKeys.h"

#include "core/AppState.h"
#include "core/Helpers.h"
#include "platform/Cp1250.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

bool ImageWritable() { return DatabaseUsable() && DatabaseImage.Usable(); }

bool KeyInRange(unsigned cashier, unsigned key)
{
    return cashier >= 1 && cashier <= QuickKeyCashiers && key >= 1 && key <= QuickKeysPerCashier;
}

uint8_t* EntryAt(QuickKeyRecord& record, unsigned position)
{
    return record.data() + QuickKeyFirstEntry + (position - 1) * QuickKeyEntrySize;
}

const uint8_t* EntryAt(const QuickKeyRecord& record, unsigned position)
{
    return record.data() + QuickKeyFirstEntry + (position - 1) * QuickKeyEntrySize;
}

// A decimal text as a whole number of ten-thousandths: the digits after the fourth decimal are
// dropped or, with roundHalfUp, round the last kept one. Only ',' separates the decimals (the
// callers turn '.' into ','). A number too large for the sum stands as the largest value. False
// when the text is no number.
bool ParseTenThousandths(const QString& text, bool roundHalfUp, bool& negative, unsigned long long& value)
{
    constexpr unsigned long long WholeLimit = 100000000000000ULL;
    const QString t = text.trimmed();
    qsizetype i = 0;
    negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        negative = t[i++] == u'-';
    unsigned long long whole = 0;
    int digits = 0;
    for (; i < t.size() && t[i].isDigit() && t[i].unicode() < 128; ++i, ++digits)
        whole = std::min(whole * 10 + unsigned(t[i].unicode() - u'0'), WholeLimit);
    unsigned long long fraction = 0;
    int decimals = 0;
    bool roundUp = false;
    if (i < t.size() && t[i] == u',') {
        for (++i; i < t.size() && t[i].isDigit() && t[i].unicode() < 128; ++i, ++digits, ++decimals) {
            const unsigned d = unsigned(t[i].unicode() - u'0');
            if (decimals < 4)
                fraction = fraction * 10 + d;
            else if (decimals == 4)
                roundUp = roundHalfUp && d >= 5;
        }
    }
    if (digits == 0 || i != t.size())
        return false;
    for (int d = decimals; d < 4; ++d)
        fraction *= 10;
    value = whole * QuickKeyOneUnit + fraction + (roundUp ? 1 : 0);
    return true;
}

QString FixedWidthName(const std::string& nameCp1250, int width)
{
    return FromCp1250(nameCp1250).left(width).leftJustified(width, u' ');
}

} // namespace

uint16_t QuickKeyEntryPlu(const QuickKeyRecord& record, unsigned position)
{
    const uint8_t* e = EntryAt(record, position);
    return uint16_t(e[0] | (e[1] << 8));
}

uint32_t QuickKeyEntryQuantity(const QuickKeyRecord& record, unsigned position)
{
    const uint8_t* e = EntryAt(record, position) + 2;
    return uint32_t(e[0]) | (uint32_t(e[1]) << 8) | (uint32_t(e[2]) << 16) | (uint32_t(e[3]) << 24);
}

void SetQuickKeyEntry(QuickKeyRecord& record, unsigned position, uint16_t plu, uint32_t quantity)
{
    uint8_t* e = EntryAt(record, position);
    e[0] = uint8_t(plu);
    e[1] = uint8_t(plu >> 8);
    for (int b = 0; b < 4; ++b)
        e[2 + b] = uint8_t(quantity >> (8 * b));
}

uint8_t QuickKeyUsedEntries(const QuickKeyRecord& record)
{
    uint8_t used = 0;
    for (unsigned p = 1; p <= QuickKeyEntries; ++p)
        used += QuickKeyEntryPlu(record, p) != 0 ? 1 : 0;
    return used;
}

QuickKeyRecord ReadQuickKeyRecord(unsigned cashier, unsigned key)
{
    QuickKeyRecord record{};
    if (KeyInRange(cashier, key) && ImageWritable())
        DbReadBytesAt(QuickKeyRecordOffset(cashier, key), record.data(), record.size());
    return record;
}

bool WriteQuickKeyRecord(QuickKeyRecord record, unsigned cashier, unsigned key)
{
    if (!KeyInRange(cashier, key) || !ImageWritable())
        return false;
    record[0] = uint8_t(cashier);
    DbWriteBytesAt(QuickKeyRecordOffset(cashier, key), record.data(), record.size());
    return true;
}

QuickKeyRecord PackQuickKeyRecord(const QuickKeyRecord& record)
{
    QuickKeyRecord packed{};
    packed[0] = record[0];
    packed[1] = record[1];
    packed[QuickKeyEndFlagByte] = record[QuickKeyEndFlagByte];
    unsigned used = 0;
    for (unsigned p = 1; p <= QuickKeyEntries; ++p) {
        if (QuickKeyEntryPlu(record, p) == 0)
            continue;
        std::memcpy(EntryAt(packed, ++used), EntryAt(record, p), QuickKeyEntrySize);
    }
    packed[QuickKeyCountByte] = uint8_t(used);
    return packed;
}

void AddQuickKeyEntry(QuickKeyRecord& record, uint16_t plu, uint32_t quantity)
{
    record = PackQuickKeyRecord(record);
    const unsigned used = record[QuickKeyCountByte];
    if (used < QuickKeyEntries) {
        SetQuickKeyEntry(record, used + 1, plu, quantity);
        record[QuickKeyCountByte] = uint8_t(used + 1);
    } else {
        SetQuickKeyEntry(record, QuickKeyEntries, plu, quantity);
    }
}

bool RemoveQuickKeyEntry(QuickKeyRecord& record, unsigned position)
{
    if (position < 1 || position > QuickKeyEntries)
        return false;
    SetQuickKeyEntry(record, position, 0, 0);
    record = PackQuickKeyRecord(record);
    return true;
}

int RepairQuickKeyTable(unsigned maxGoods)
{
    if (!ImageWritable())
        return 0;
    std::vector<uint8_t> table(QuickKeyTableUsedSize);
    DbReadBytesAt(TableOffsets.QuickKeyTable, table.data(), table.size());
    int dropped = 0;
    for (uint32_t at = 0; at < table.size(); at += QuickKeyRecordSize) {
        QuickKeyRecord record;
        std::memcpy(record.data(), table.data() + at, record.size());
        int droppedHere = 0;
        for (unsigned p = 1; p <= QuickKeyEntries; ++p) {
            if (QuickKeyEntryPlu(record, p) > maxGoods) {
                SetQuickKeyEntry(record, p, 0, 0);
                ++droppedHere;
            }
        }
        if (droppedHere == 0)
            continue;
        record = PackQuickKeyRecord(record);
        DbWriteBytesAt(TableOffsets.QuickKeyTable + at, record.data(), record.size());
        dropped += droppedHere;
    }
    return dropped;
}

QString FormatQuantity(uint32_t tenThousandths)
{
    const QString digits = QString::number(tenThousandths).rightJustified(5, u'0');
    return digits.left(digits.size() - 4) + u',' + digits.right(4);
}

QuantityParse ParseAddedQuantity(const QString& text, uint32_t& tenThousandths)
{
    QString t = text;
    if (const qsizetype dot = t.indexOf(u'.'); dot >= 0)
        t[dot] = u',';
    bool negative = false;
    unsigned long long value = 0;
    if (!ParseTenThousandths(t, false, negative, value))
        return QuantityParse::NotNumber;
    if (negative || value == 0 || value >= 999999)
        return QuantityParse::OutOfRange;
    tenThousandths = uint32_t(value);
    return QuantityParse::Ok;
}

QuantityParse ParseKeyQuantity(const QString& text, uint32_t& tenThousandths)
{
    QString t = text;
    t.replace(u'.', u',');
    bool negative = false;
    unsigned long long value = 0;
    if (!ParseTenThousandths(t, true, negative, value))
        return QuantityParse::NotNumber;
    if ((negative && value != 0) || value > UINT32_MAX)
        return QuantityParse::OutOfRange;
    tenThousandths = uint32_t(value);
    return QuantityParse::Ok;
}

QString QuickKeyGoodsLine(unsigned plu, const std::string& nameCp1250, uint32_t priceHundredths)
{
    return (QString::number(plu) + QStringLiteral(". ")).rightJustified(6, u' ') + FixedWidthName(nameCp1250, 20) +
           u' ' + FromCp1250(FormatHundredths(priceHundredths)).rightJustified(10, u' ') + u' ';
}

QString QuickKeyEntryLine(const std::string& nameCp1250, uint32_t quantity)
{
    return FixedWidthName(nameCp1250, 10) + u' ' + FormatQuantity(quantity);
}

QStringList QuickKeyCashierItems()
{
    QStringList items;
    const bool readable = ImageWritable();
    for (unsigned slot = 1; slot <= QuickKeyCashiers; ++slot) {
        uint8_t record[CashierRecordSize] = {};
        if (readable)
            DbReadBytesAt(TableOffsets.CashierTable + (slot - 1) * CashierRecordSize, record, sizeof record);
        if (record[0] != 0)
            items << QString::number(record[0]) + u' ' + FromCp1250(BytesToString(record + 1, 21));
        else
            items << QString::number(slot);
    }
    return items;
}
