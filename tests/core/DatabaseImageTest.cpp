#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "tests/core/CoreTestUtil.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>

TEST(ImageLayout, SlotIsUsedExactlyWhenItsNumberIsNotZeroInAUsableImage)
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
    EXPECT_EQ(Text(ImageBytes(), GoodsRecordOffset(256), 83), std::string(83, '\0'));
    EXPECT_FALSE(GoodsSlotUsed(0));
    EXPECT_FALSE(GoodsSlotUsed(App.MaxGoodsCount + 1));

    // An unusable image takes no write and reads as 0xFF, so no slot is used.
    const std::string path = DatabaseImage.Path();
    DatabaseImage.MarkFailed();
    EXPECT_EQ(WriteGoodsRecordToImage(SampleGoods(1)), 1);
    EXPECT_EQ(DbReadByteAt(TableOffsets.CashierTable), 0xFF);
    EXPECT_EQ(DbReadStringAt(TableOffsets.CashierTable + 1, 3), "\xFF\xFF\xFF");
    EXPECT_FALSE(GoodsSlotUsed(1));
    ASSERT_TRUE(DatabaseImage.Open(path));
    EXPECT_EQ(DbReadU16At(GoodsRecordOffset(1)), 0);
}

TEST(ImageStream, OpensOnlyARegularFileAndNeverThroughALink)
{
    TestEnvironment env;
    const std::string path = DatabaseImage.Path(), victim = env.Path("root.conf");
    WriteWhole(victim, "tajne");
    for (bool link : {true, false}) {  // the working file swapped for a link, or for a FIFO
        ::unlink(path.c_str());
        ASSERT_EQ(link ? ::symlink(victim.c_str(), path.c_str()) : ::mkfifo(path.c_str(), 0600), 0);
        EXPECT_FALSE(DatabaseImage.Open(path)) << link;
        DbWriteByteAt(0, 'X');
        EXPECT_EQ(ReadWhole(victim), "tajne");
    }
}

TEST(ImageHelpers, PaddedStringsAndOneSharedPosition)
{
    TestEnvironment env;
    const uint32_t at = TableOffsets.CashierTable + CashierRecordSize + 1;  // the second, free record
    DbWriteByteAt(at + 21, 0x77);
    DatabaseImage.Seek(at);
    EXPECT_EQ(DbWritePaddedString("Kierownik", 0, 21), 0);
    EXPECT_EQ(DatabaseImage.Position(), at + 21);

    EXPECT_EQ(Text(ImageBytes(), at, 22), "Kierownik" + std::string(12, '\0') + "\x77");

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

TEST(GoodsRecordWriter, WritesEveryFieldInItsSlotAndNothingElse)
{
    struct Case {
        uint8_t Size;
        uint16_t Count, Plu;
        uint32_t At;
        const char* Vat;
    };
    // An empty VAT letter shifts nothing; the older model's goods keep their own spacing.
    for (const Case& c : {Case{83, 8000, 7, 5498, "B"}, Case{83, 8000, 7, 5498, ""}, Case{69, 2000, 2000, 142931, "B"}}) {
        SCOPED_TRACE(c.Plu);
        TestEnvironment env;
        App.GoodsRecordSize = c.Size;
        App.MaxGoodsCount = c.Count;
        // The whole slot is dirty first: the writer pads its 68 bytes and leaves the rest alone.
        const std::vector<uint8_t> dirty(c.Size, 0xAA);
        DbWriteBytesAt(c.At, dirty.data(), dirty.size());
        std::vector<uint8_t> expect = ImageBytes();
        GoodsRecordFields f = SampleGoods(c.Plu);
        f.VatLetter = c.Vat;
        ASSERT_EQ(WriteGoodsRecordToImage(f), 0);

        std::fill(expect.begin() + c.At, expect.begin() + c.At + GoodsField::WrittenSize, 0);
        expect[c.At] = uint8_t(c.Plu);
        expect[c.At + 1] = uint8_t(c.Plu >> 8);
        std::memcpy(&expect[c.At + 2], "Chleb", 5);
        expect[c.At + 44] = uint8_t(c.Vat[0]);
        const uint8_t price[4] = {4, 3, 2, 1}, tail[6] = {1, 2, 1, 1, 9, 3};
        std::memcpy(&expect[c.At + 45], price, 4);
        std::memcpy(&expect[c.At + 49], "0000005907788", 13);
        std::memcpy(&expect[c.At + 62], tail, 6);
        const std::vector<uint8_t> now = ImageBytes();
        EXPECT_TRUE(now == expect) << "byte " << std::mismatch(now.begin(), now.end(), expect.begin()).first - now.begin();
        // A PLU past the model's count has no slot.
        EXPECT_EQ(WriteGoodsRecordToImage(SampleGoods(uint16_t(c.Count + 1))), 1);
    }
}
