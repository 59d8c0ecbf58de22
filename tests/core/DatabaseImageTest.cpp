#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "tests/core/CoreTestUtil.h"
#include "tests/support/TestEnvironment.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

constexpr uint32_t ExpectedStarts[14] = {669000, 669560, 670220, 670680, 671280, 671311, 672271,
                                         672573, 673013, 673032, 673040, 673060, 676560, 677060};

GoodsRecordFields SampleGoods(uint16_t plu)
{
    GoodsRecordFields f;
    f.Plu = plu;
    f.Name = "Chleb";
    f.VatLetter = "B";
    f.Price = 0x01020304;
    f.Barcode = "5907788";
    f.Group = 1;
    f.Tandem = 2;
    f.FixedPrice = 1;
    f.WholeUnits = 1;
    f.Halo = 9;
    f.Unit = 3;
    return f;
}

} // namespace

TEST(ImageLayout, SmallTablesNeverMoveWithTheGoodsGeometry)
{
    TestEnvironment env;
    for (int pass = 0; pass < 2; ++pass) {
        InitTableOffsets();
        for (int t = 0; t < 14; ++t)
            EXPECT_EQ(TableOffsets[t], ExpectedStarts[t]) << "T" << t << " pass " << pass;
        // The older model's geometry, as the automatic connection sets it.
        App.MaxGoodsCount = 2000;
        App.GoodsRecordSize = 69;
    }
    EXPECT_EQ(GoodsRecordOffset(2000), 142931u);

    // The last goods slot of the Rivo geometry ends exactly where T0 begins.
    App.MaxGoodsCount = 8000;
    App.GoodsRecordSize = 83;
    EXPECT_EQ(GoodsRecordOffset(8000) + 83, TableOffsets.DiscountTable);
}

TEST(ImageLayout, OlderModelGoodsLandInTheirSlotAndLeaveTheTablesAlone)
{
    TestEnvironment env;
    App.MaxGoodsCount = 2000;
    App.GoodsRecordSize = 69;
    const auto before = ImageBytes();
    ASSERT_EQ(WriteGoodsRecordToImage(SampleGoods(2000)), 0);
    EXPECT_EQ(DbReadU16At(142931), 2000);
    EXPECT_EQ(DbReadStringAt(142931 + GoodsField::Name, 42), "Chleb");
    const auto after = ImageBytes();
    for (uint32_t i = 0; i < ImageSize; ++i) {
        if (i < 142931 || i >= 142931 + GoodsField::WrittenSize) {
            ASSERT_EQ(after[i], before[i]) << "byte " << i;
        }
    }
    // PLU 2001 has no slot in this geometry.
    EXPECT_EQ(WriteGoodsRecordToImage(SampleGoods(2001)), 1);
}

TEST(ImageLayout, SlotIsFreeExactlyWhenItsNumberIsZero)
{
    TestEnvironment env;
    ASSERT_EQ(WriteGoodsRecordToImage(SampleGoods(5)), 0);
    EXPECT_TRUE(GoodsSlotUsed(5));
    EXPECT_FALSE(GoodsSlotUsed(6));
    // Only the PLU bytes count: the name left behind does not make a record.
    DbWriteU16At(GoodsRecordOffset(5), 0);
    EXPECT_FALSE(GoodsSlotUsed(5));
    // PLU 256 has a zero low byte and is still a record.
    ASSERT_EQ(WriteGoodsRecordToImage(SampleGoods(256)), 0);
    EXPECT_TRUE(GoodsSlotUsed(256));

    DbZeroFillAt(GoodsRecordOffset(256), App.GoodsRecordSize);
    std::vector<uint8_t> slot(83, 1);
    DbReadBytesAt(GoodsRecordOffset(256), slot.data(), slot.size());
    EXPECT_EQ(slot, std::vector<uint8_t>(83, 0));
    EXPECT_FALSE(GoodsSlotUsed(0));
    EXPECT_FALSE(GoodsSlotUsed(App.MaxGoodsCount + 1));
}

TEST(ImageHelpers, PaddedStringsAndOneSharedPosition)
{
    TestEnvironment env;
    const uint32_t at = TableOffsets.CashierTable + CashierRecordSize + 1;  // the second, free record
    DbWriteByteAt(at + 21, 0x77);
    DatabaseImage.Seek(at);
    EXPECT_EQ(DbWritePaddedString("Kierownik", 0, 21), 0);
    EXPECT_EQ(DatabaseImage.Position(), at + 21);

    std::vector<uint8_t> field(22);
    DbReadBytesAt(at, field.data(), field.size());
    std::vector<uint8_t> expect(22, 0);
    std::memcpy(expect.data(), "Kierownik", 9);
    expect[21] = 0x77;
    EXPECT_EQ(field, expect);

    DbWritePaddedStringAt(at, "ab", ' ', 5);
    EXPECT_EQ(DbReadStringAt(at, 6), "ab   w");  // "Kierownik" from its sixth letter on stays

    const uint32_t cashier = TableOffsets.CashierTable;
    // A full 21-byte name runs straight into the password: no terminator is needed.
    DbWriteStringAt(cashier + 1, "ABCDEFGHIJKLMNOPQRSTU");
    EXPECT_EQ(DbReadByteAt(cashier), 1);
    EXPECT_EQ(DbReadString(21), "ABCDEFGHIJKLMNOPQRSTU");
    EXPECT_EQ(DbReadString(4), "9473");
    EXPECT_EQ(DbReadByte(), 1);  // first permission
    // A write after a read goes on where the read stopped.
    DbWriteByte(0);
    EXPECT_EQ(DbReadByteAt(cashier + 27), 0);
    EXPECT_EQ(DbReadByteAt(cashier + 28), 1);

    EXPECT_EQ(DbReadStringAt(cashier + 1, 21).size(), 21u);
    // Past the end of the image there is nothing but 0xFF.
    EXPECT_EQ(DbReadByteAt(ImageSize), 0xFF);
}

TEST(GoodsRecordWriter, WritesEveryFieldAtItsOffset)
{
    TestEnvironment env;
    // Bytes after 67 are not the writer's; an empty VAT letter shifts nothing.
    for (const char* vat : {"B", ""}) {
        const uint32_t at = GoodsRecordOffset(7);
        const std::vector<uint8_t> sentinel(83 - GoodsField::WrittenSize, 0xAA);
        DbWriteBytesAt(at + GoodsField::WrittenSize, sentinel.data(), sentinel.size());
        GoodsRecordFields f = SampleGoods(7);
        f.VatLetter = vat;
        ASSERT_EQ(WriteGoodsRecordToImage(f), 0);

        std::vector<uint8_t> expect(83, 0);
        expect[0] = 7;
        std::memcpy(&expect[2], "Chleb", 5);
        expect[44] = uint8_t(vat[0]);
        const uint8_t price[4] = {4, 3, 2, 1}, tail[6] = {1, 2, 1, 1, 9, 3};
        std::memcpy(&expect[45], price, 4);
        std::memcpy(&expect[49], "0000005907788", 13);
        std::memcpy(&expect[62], tail, 6);
        std::fill(expect.begin() + 68, expect.end(), 0xAA);
        std::vector<uint8_t> rec(83);
        DbReadBytesAt(at, rec.data(), rec.size());
        EXPECT_EQ(rec, expect) << "VAT '" << vat << "'";
    }
    EXPECT_EQ(DbReadByteAt(GoodsRecordOffset(8)), 0);
}

TEST(GoodsRecordWriter, FailedStreamWritesNothingAndReadsGiveFF)
{
    TestEnvironment env;
    const std::string path = DatabaseImage.Path();
    DatabaseImage.MarkFailed();
    EXPECT_EQ(WriteGoodsRecordToImage(SampleGoods(1)), 1);
    EXPECT_EQ(DbReadByteAt(TableOffsets.CashierTable), 0xFF);
    EXPECT_EQ(DbReadStringAt(TableOffsets.CashierTable + 1, 3), "\xFF\xFF\xFF");
    EXPECT_FALSE(GoodsSlotUsed(1));

    ASSERT_TRUE(DatabaseImage.Open(path));
    EXPECT_EQ(DbReadU16At(GoodsRecordOffset(1)), 0);
}
