#pragma once
// Set-up shared by the quick-key tests: goods and keys in the image and in the register, and
// reading the table back.
#include "core/DatabaseImage.h"
#include "emulator/FrameCodec.h"
#include "tables/QuickKeys.h"
#include "tests/support/EmulatorFixture.h"

#include <gtest/gtest.h>

#include <vector>

inline void StoreGoods(uint16_t plu, const char* name, uint32_t price = 100)
{
    GoodsRecordFields f;
    f.Plu = plu;
    f.Name = name;
    f.VatLetter = "A";
    f.Price = price;
    ASSERT_EQ(WriteGoodsRecordToImage(f), 0);
}

// A key record with these PLUs at positions 1..5 (entry p sells p units), count fixed.
inline QuickKeyRecord KeyWith(std::vector<uint16_t> plus, uint8_t key = 1, uint8_t endFlag = 0)
{
    QuickKeyRecord r{};
    r[1] = key;
    for (unsigned p = 1; p <= plus.size(); ++p)
        SetQuickKeyEntry(r, p, plus[p - 1], QuickKeyOneUnit * p);
    r[QuickKeyCountByte] = QuickKeyUsedEntries(r);
    r[QuickKeyEndFlagByte] = endFlag;
    return r;
}

inline void StoreKey(unsigned cashier, unsigned key, std::vector<uint16_t> plus, uint8_t endFlag = 0)
{
    ASSERT_TRUE(WriteQuickKeyRecord(KeyWith(std::move(plus), uint8_t(key), endFlag), cashier, key));
}

inline std::vector<uint16_t> PlusOf(const QuickKeyRecord& r)
{
    std::vector<uint16_t> plus;
    for (unsigned p = 1; p <= QuickKeyEntries; ++p)
        plus.push_back(QuickKeyEntryPlu(r, p));
    return plus;
}

inline std::vector<uint8_t> QuickKeyArea()
{
    std::vector<uint8_t> area(QuickKeyTableSize);
    DbReadBytesAt(TableOffsets.QuickKeyTable, area.data(), area.size());
    return area;
}

inline void RegisterGoods(EmulatorFixture& fx, std::initializer_list<uint16_t> plus)
{
    for (uint16_t plu : plus) {
        emu::Bytes r(emu::RegisterGoodsRecordSize, 0);
        emu::PutU16(r.data(), plu);
        fx.Emu().PutGoodsRecord(r);
    }
}
