#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "tests/core/CoreTestUtil.h"
#include "tests/support/TestEnvironment.h"

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
    uint8_t slot[83];
    DbReadBytesAt(GoodsRecordOffset(256), slot, sizeof slot);
    for (uint8_t b : slot)
        EXPECT_EQ(b, 0);
    EXPECT_FALSE(GoodsSlotUsed(0));
    EXPECT_FALSE(GoodsSlotUsed(App.MaxGoodsCount + 1));
}

TEST(ImageHelpers, PaddedStringFillsItsFieldAndNoMore)
{
    TestEnvironment env;
    const uint32_t at = TableOffsets.CashierTable + 1;
    DbWriteByteAt(at + 21, 0x77);
    DatabaseImage.Seek(at);
    EXPECT_EQ(DbWritePaddedString("Kierownik", 0, 21), 0);
    EXPECT_EQ(DatabaseImage.Position(), at + 21);

    uint8_t field[22];
    DbReadBytesAt(at, field, sizeof field);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(field), 9), "Kierownik");
    for (int i = 9; i < 21; ++i)
        EXPECT_EQ(field[i], 0) << i;
    EXPECT_EQ(field[21], 0x77);

    DbWritePaddedStringAt(at, "ab", ' ', 5);
    EXPECT_EQ(DbReadStringAt(at, 6), "ab   w");  // "Kierownik" from its sixth letter on stays
}

TEST(ImageHelpers, ReadsAndWritesShareOnePosition)
{
    TestEnvironment env;
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
    const uint32_t at = GoodsRecordOffset(7);
    // Bytes after 67 are not the writer's.
    const std::vector<uint8_t> sentinel(83 - GoodsField::WrittenSize, 0xAA);
    DbWriteBytesAt(at + GoodsField::WrittenSize, sentinel.data(), sentinel.size());

    ASSERT_EQ(WriteGoodsRecordToImage(SampleGoods(7)), 0);
    uint8_t rec[83];
    DbReadBytesAt(at, rec, sizeof rec);
    EXPECT_EQ(rec[0], 7);
    EXPECT_EQ(rec[1], 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(rec + 2), 5), "Chleb");
    for (int i = 7; i < 44; ++i)
        EXPECT_EQ(rec[i], 0) << i;
    EXPECT_EQ(rec[44], 'B');
    EXPECT_EQ(rec[45], 0x04);
    EXPECT_EQ(rec[48], 0x01);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(rec + 49), 13), "0000005907788");
    const uint8_t tail[6] = {1, 2, 1, 1, 9, 3};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(rec[62 + i], tail[i]) << 62 + i;
    for (int i = 68; i < 83; ++i)
        EXPECT_EQ(rec[i], 0xAA) << i;
    EXPECT_EQ(DbReadByteAt(GoodsRecordOffset(8)), 0);
}

TEST(GoodsRecordWriter, EmptyVatLetterShiftsNothing)
{
    TestEnvironment env;
    GoodsRecordFields f = SampleGoods(3);
    f.VatLetter.clear();
    f.Barcode = "1234567890123";
    ASSERT_EQ(WriteGoodsRecordToImage(f), 0);
    const uint32_t at = GoodsRecordOffset(3);
    EXPECT_EQ(DbReadByteAt(at + GoodsField::Vat), 0);
    EXPECT_EQ(DbReadU32At(at + GoodsField::Price), 0x01020304u);
    EXPECT_EQ(DbReadStringAt(at + GoodsField::Barcode, 13), "1234567890123");
    EXPECT_EQ(DbReadByteAt(at + GoodsField::Unit), 3);
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
