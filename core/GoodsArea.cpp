#include "core/GoodsArea.h"

#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "platform/Prompts.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

unsigned SlotPlu(const uint8_t* slot) { return slot[0] | (unsigned(slot[1]) << 8); }

} // namespace

uint16_t GoodsCountForRecordSize(uint8_t recordSize)
{
    return recordSize == TepoDuxGoodsRecordSize ? 2000 : DefaultMaxGoodsCount;
}

GoodsRelay RelayGoodsArea(uint8_t* area, uint8_t fromSize, uint8_t toSize)
{
    const unsigned fromCount = GoodsCountForRecordSize(fromSize);
    const unsigned toCount = GoodsCountForRecordSize(toSize);
    std::vector<uint8_t> relaid(GoodsAreaSize, 0);
    GoodsRelay result;
    for (unsigned s = 0; s < fromCount && std::size_t(s + 1) * fromSize <= GoodsAreaSize; ++s) {
        const uint8_t* record = area + std::size_t(s) * fromSize;
        if (SlotPlu(record) == 0)
            continue;
        if (s >= toCount) {
            ++result.LeftOut;
            continue;
        }
        std::memcpy(relaid.data() + std::size_t(s) * toSize, record, GoodsField::WrittenSize);
        ++result.Kept;
    }
    std::memcpy(area, relaid.data(), GoodsAreaSize);
    return result;
}

uint8_t GoodsSpacingOfArea(const uint8_t* area)
{
    struct Fit {
        bool Consistent = true;
        unsigned Found = 0;
    };
    auto fitOf = [area](uint8_t size) {
        Fit fit;
        const unsigned count = GoodsCountForRecordSize(size);
        for (unsigned s = 0; s < count && fit.Consistent; ++s) {
            const unsigned plu = SlotPlu(area + std::size_t(s) * size);
            if (plu != 0 && plu != s + 1)
                fit.Consistent = false;
            else if (plu != 0)
                ++fit.Found;
        }
        return fit;
    };
    const Fit rivo = fitOf(DefaultGoodsRecordSize);
    const Fit dux = fitOf(TepoDuxGoodsRecordSize);
    if (dux.Consistent && (!rivo.Consistent || dux.Found > rivo.Found))
        return TepoDuxGoodsRecordSize;
    return DefaultGoodsRecordSize;
}

void ReportGoodsLeftOut(unsigned leftOut)
{
    if (leftOut == 0)
        return;
    ShowMessage(QStringLiteral("Ta kasa mieści %1 towarów. Towary o wyższych numerach (%2) pominięto w bazie.")
                    .arg(App.MaxGoodsCount)
                    .arg(leftOut));
}

void ChangeGoodsRecordSize(uint8_t recordSize)
{
    const uint8_t from = App.GoodsRecordSize;
    App.GoodsRecordSize = recordSize;
    App.MaxGoodsCount = GoodsCountForRecordSize(recordSize);
    if (from == recordSize || !DatabaseUsable() || !DatabaseImage.Usable())
        return;
    std::vector<uint8_t> area(GoodsAreaSize);
    DbReadBytesAt(GoodsTableOffset, area.data(), area.size());
    const GoodsRelay relay = RelayGoodsArea(area.data(), from, recordSize);
    if (relay.Kept == 0 && relay.LeftOut == 0)
        return;
    DbWriteBytesAt(GoodsTableOffset, area.data(), area.size());
    MarkDatabaseModified();
    ReportGoodsLeftOut(relay.LeftOut);
}
