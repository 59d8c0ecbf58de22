#include "sync/QuickKeyCopy.h"

#include "core/DatabaseImage.h"
#include "core/Helpers.h"
#include "platform/Cp1250.h"
#include "sync/GoodsSyncLogic.h"
#include "sync/RegisterRecords.h"
#include "tables/GoodsLogic.h"

#include <cstring>

bool RegisterQuickKeys::Take(const uint8_t* p)
{
    const unsigned cashier = p[0];
    const unsigned key = p[1];
    if (cashier < 1 || cashier > QuickKeyCashiers || key < 1 || key > QuickKeysPerCashier)
        return false;
    std::memcpy(bytes_.data() + ((cashier - 1) * QuickKeysPerCashier + (key - 1)) * QuickKeyRecordSize, p,
                QuickKeyRecordSize);
    return true;
}

const uint8_t* RegisterQuickKeys::Key(unsigned cashier, unsigned key) const
{
    static const uint8_t none[QuickKeyRecordSize] = {};
    if (cashier < 1 || cashier > QuickKeyCashiers || key < 1 || key > QuickKeysPerCashier)
        return none;
    return bytes_.data() + ((cashier - 1) * QuickKeysPerCashier + (key - 1)) * QuickKeyRecordSize;
}

std::array<uint8_t, 34> ReadImageQuickKey(unsigned cashier, unsigned key)
{
    std::array<uint8_t, 34> r{};
    DbReadBytesAt(QuickKeyRecordOffset(cashier, key), r.data(), r.size());
    return r;
}

QStringList QuickKeyDescription(const uint8_t* r)
{
    QStringList lines;
    for (int e = 0; e < 5; ++e) {
        const uint8_t* entry = r + 3 + e * 6;
        const unsigned plu = unsigned(entry[0] | (entry[1] << 8));
        if (plu == 0)
            continue;
        lines << QStringLiteral("%1. %2  %3")
                     .arg(plu)
                     .arg(FromCp1250(ReadGoodsName(plu)))
                     .arg(FormatQuantity(RecordU32(entry + 2)));
    }
    lines << (r[33] ? QStringLiteral("Kończy paragon: TAK") : QStringLiteral("Kończy paragon: NIE"));
    return lines;
}

QStringList QuickKeyCashierNames()
{
    QStringList names;
    for (unsigned c = 1; c <= QuickKeyCashiers; ++c) {
        const uint32_t at = TableOffsets.CashierTable + (c - 1) * CashierRecordSize;
        const std::string name = DbReadByteAt(at) ? DbReadStringAt(at + 1, 21) : std::string();
        names << (name.empty() ? QString::number(c) : FromCp1250(name));
    }
    return names;
}
