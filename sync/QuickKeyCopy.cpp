#include "sync/QuickKeyCopy.h"

#include "core/DatabaseImage.h"
#include "sync/RegisterRecords.h"
#include "tables/GoodsLogic.h"
#include "tables/QuickKeys.h"

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

QStringList QuickKeyDescription(const uint8_t* r)
{
    QStringList lines;
    for (int e = 0; e < 5; ++e) {
        const uint8_t* entry = r + 3 + e * 6;
        const unsigned plu = unsigned(entry[0] | (entry[1] << 8));
        if (plu == 0)
            continue;
        lines << QString::number(plu) + QStringLiteral(". ") + QuickKeyEntryLine(ReadGoodsName(plu), RecordU32(entry + 2));
    }
    lines << (r[33] ? QStringLiteral("Kończy paragon: TAK") : QStringLiteral("Kończy paragon: NIE"));
    return lines;
}
