// The goods area kept at the current spacing across model changes and file loads.
#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "core/GoodsArea.h"
#include "tests/core/CoreTestUtil.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <algorithm>
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

TEST(GoodsArea, ModelChangeMovesTheRecordsThereAndBackAndReportsWhatDoesNotFit)
{
    for (bool shortName : {false, true}) {
        SCOPED_TRACE(shortName);
        TestEnvironment env;
        ScriptedPrompts prompts;
        const std::vector<Record> records = Records(shortName);
        std::vector<uint8_t> area = AreaWith(records, 83);
        std::memcpy(&area[std::size_t(2499) * 83], MakeRecord(2500, shortName).data(), GoodsField::WrittenSize);
        DbWriteBytesAt(GoodsTableOffset, area.data(), area.size());
        const std::vector<uint8_t> before = ImageBytes();
        // The image with the records laid out at this spacing and every other byte as it was.
        auto imageAt = [&](uint8_t spacing) {
            std::vector<uint8_t> image = before;
            area = AreaWith(records, spacing);
            std::copy(area.begin(), area.end(), image.begin() + GoodsTableOffset);
            return image;
        };
        auto spacingTold = [] { return GoodsSpacingOfArea(ImageBytes().data() + GoodsTableOffset); };

        ChangeGoodsRecordSize(69);
        EXPECT_EQ(App.MaxGoodsCount, 2000);
        EXPECT_EQ(App.DatabaseModified, 1);
        EXPECT_EQ(prompts.Texts(),
                  QStringList{"Ta kasa mieści 2000 towarów. Towary o wyższych numerach (1) pominięto w bazie."});
        EXPECT_TRUE(ImageBytes() == imageAt(69));
        EXPECT_EQ(spacingTold(), 69);

        prompts.Clear();
        ChangeGoodsRecordSize(83);
        EXPECT_TRUE(ImageBytes() == imageAt(83));
        EXPECT_EQ(spacingTold(), 83);
        EXPECT_TRUE(prompts.Texts().isEmpty());

        // Without a usable image only the geometry changes.
        App.WorkMode = 0;
        ChangeGoodsRecordSize(69);
        EXPECT_EQ(App.MaxGoodsCount, 2000);
        EXPECT_TRUE(ImageBytes() == imageAt(83));
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
