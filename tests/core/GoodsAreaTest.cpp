// The goods area kept at the current spacing across model changes and file loads.
#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "core/GoodsArea.h"
#include "tests/core/CoreTestUtil.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

using Record = std::vector<uint8_t>;  // bytes 0..67

// A record with every byte 0..67 set, so that a shifted or lost byte shows; a short name and
// no barcode leave most of it zero, as the hardest case for telling the spacing.
Record MakeRecord(unsigned plu, bool shortName)
{
    Record r(GoodsField::WrittenSize, 0);
    r[0] = uint8_t(plu);
    r[1] = uint8_t(plu >> 8);
    const std::string name = shortName ? "Sok" : "Chleb razowy wieloziarnisty krojony 500 g";
    std::memcpy(&r[GoodsField::Name], name.data(), name.size());
    r[GoodsField::Vat] = 'A';
    r[GoodsField::Price] = uint8_t(plu * 7);
    if (!shortName) {
        std::memcpy(&r[GoodsField::Barcode], "5900017000135", 13);
        for (uint32_t i = GoodsField::Group; i < GoodsField::WrittenSize; ++i)
            r[i] = uint8_t(i);
    }
    return r;
}

std::vector<uint8_t> AreaWith(const std::vector<Record>& records, uint8_t spacing)
{
    std::vector<uint8_t> area(GoodsAreaSize, 0);
    for (const Record& r : records)
        std::memcpy(&area[std::size_t((r[0] | r[1] << 8) - 1) * spacing], r.data(), r.size());
    return area;
}

std::vector<Record> Records(bool shortName)
{
    std::vector<Record> records;
    for (unsigned plu : {1, 2, 3, 17, 2000})
        records.push_back(MakeRecord(plu, shortName));
    return records;
}

} // namespace

TEST(GoodsArea, RecordsSurviveEightyThreeToSixtyNineAndBackAndSpacingIsTold)
{
    for (bool shortName : {false, true}) {
        const std::vector<Record> records = Records(shortName);
        std::vector<uint8_t> area = AreaWith(records, 83);
        std::memcpy(&area[std::size_t(2499) * 83], MakeRecord(2500, shortName).data(), GoodsField::WrittenSize);

        GoodsRelay relay = RelayGoodsArea(area.data(), 83, 69);
        EXPECT_EQ(relay.Kept, records.size());
        EXPECT_EQ(relay.LeftOut, 1u) << "PLU 2500 has no slot on the older model";
        EXPECT_EQ(area, AreaWith(records, 69));
        EXPECT_EQ(GoodsSpacingOfArea(area.data()), 69);

        relay = RelayGoodsArea(area.data(), 69, 83);
        EXPECT_EQ(relay.LeftOut, 0u);
        EXPECT_EQ(area, AreaWith(records, 83));
        EXPECT_EQ(GoodsSpacingOfArea(area.data()), 83);
    }
    // Ties and noise go to the Rivo.
    const std::vector<uint8_t> empty(GoodsAreaSize, 0);
    EXPECT_EQ(GoodsSpacingOfArea(empty.data()), 83);
    const std::vector<uint8_t> one = AreaWith({MakeRecord(1, true)}, 69);
    EXPECT_EQ(GoodsSpacingOfArea(one.data()), 83) << "one record at the start fits both";
    const std::vector<uint8_t> noise(GoodsAreaSize, 0x41);
    EXPECT_EQ(GoodsSpacingOfArea(noise.data()), 83);
}

TEST(GoodsArea, FileOfEitherSpacingLoadsRightUnderEitherModel)
{
    for (uint8_t saved : {83, 69}) {
        for (uint8_t current : {83, 69}) {
            for (bool shortName : {false, true}) {
                TestEnvironment env;
                ScriptedPrompts prompts;
                const std::vector<Record> records = Records(shortName);
                std::vector<uint8_t> file = ImageBytes();
                const std::vector<uint8_t> area = AreaWith(records, saved);
                std::memcpy(&file[GoodsTableOffset], area.data(), area.size());
                App.GoodsRecordSize = current;
                App.MaxGoodsCount = GoodsCountForRecordSize(current);
                App.DatabaseModified = 0;

                ASSERT_EQ(LoadDatabaseBytes(file, "sklep.rkb"), 0);
                for (const Record& r : records) {
                    Record got(GoodsField::WrittenSize);
                    DbReadBytesAt(GoodsRecordOffset(r[0] | r[1] << 8), got.data(), got.size());
                    EXPECT_EQ(got, r) << int(saved) << " -> " << int(current) << " short " << shortName;
                }
                EXPECT_EQ(App.DatabaseModified, saved != current ? 1 : 0);
                EXPECT_TRUE(prompts.Texts().isEmpty());
            }
        }
    }
}

TEST(GoodsArea, ModelChangeMovesTheImageAndReportsWhatDoesNotFit)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    App.WorkMode = WorkModeDatabase;
    const std::vector<Record> records = {MakeRecord(5, false), MakeRecord(2500, false)};
    const std::vector<uint8_t> area = AreaWith(records, 83);
    DbWriteBytesAt(GoodsTableOffset, area.data(), area.size());
    const std::vector<uint8_t> before = ImageBytes();

    ChangeGoodsRecordSize(69);
    EXPECT_EQ(App.MaxGoodsCount, 2000);
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(prompts.Texts(),
              QStringList{"Ta kasa mieści 2000 towarów. Towary o wyższych numerach (1) pominięto w bazie."});
    std::vector<uint8_t> after = ImageBytes();
    EXPECT_TRUE(std::equal(before.begin() + GoodsTableOffset + GoodsAreaSize, before.end(),
                           after.begin() + GoodsTableOffset + GoodsAreaSize))
        << "the tables after the goods stay";
    EXPECT_TRUE(GoodsSlotUsed(5));

    // Without a usable image only the geometry changes.
    App.WorkMode = 0;
    prompts.Clear();
    ChangeGoodsRecordSize(83);
    EXPECT_EQ(App.MaxGoodsCount, 8000);
    EXPECT_EQ(DbReadU16At(GoodsTableOffset + 4 * 69), 5) << "still laid out at 69";
    EXPECT_TRUE(prompts.Texts().isEmpty());
}
