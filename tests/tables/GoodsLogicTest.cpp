// The goods table without windows: reading, the add checks and the download merge, against a
// fresh image.
#include "tests/tables/TablesTest.h"

namespace {

GoodsAddInput Input(const QString& plu, const QString& name, const QString& price, bool fixedPrice = false)
{
    GoodsAddInput in;
    in.Plu = plu;
    in.Name = name;
    in.Price = price;
    in.FixedPrice = fixedPrice;
    return in;
}

std::vector<uint8_t> GoodsBytes(unsigned plu) { return ImageBytes(GoodsRecordOffset(plu), App.GoodsRecordSize); }

// A 92-byte 'T' data frame around a register goods record.
std::vector<uint8_t> GoodsFrame(uint16_t plu, const char* name, const char* barcode13, uint8_t unit = 0)
{
    std::vector<uint8_t> f(7, 0);
    const emu::Bytes r = RegisterGoodsRecord(plu, name, barcode13, unit);
    f.insert(f.end(), r.begin(), r.end());
    f.resize(92);
    return f;
}

} // namespace

TEST(GoodsAddChecks, EachRefusalInItsOrderWithItsMessage)
{
    TestEnvironment env;
    StoreGoods(17, "Chleb razowy");
    StoreGoods(20, "Mąka");
    using R = GoodsAddRefusal;
    const QString badPlu = "     Błędna wartość : Numer towaru w kasie \n Pole musi zawierać liczbę z przedziału 1-8000a.     ";
    const QString outOfRange = "Błąd! Cena musi zawierać się w przedziale 0,00 - 999999,99";
    const QString badPrice = "     Błędna wartość w polu Cena     ";
    const QString spaces = "Nazwa towaru nie może składać się z samych znaków spacji!";
    const QString duplicate = "Towar CHLEBRAZOWY jest już zapisany w bazie pod numerem 17";
    struct Case {
        QString Plu, Name, Price;
        bool Fixed;
        R Refusal;
        QString Message;
        uint32_t Price_ = 0;
    };
    const Case cases[] = {
        {"", "Chleb", "", false, R::EmptyFields, ""},
        {"0", "Chleb", "1,00", false, R::BadPlu, badPlu},
        {"8001", "   ", "1,00", false, R::BadPlu, badPlu},  // the PLU is checked first
        {"12x", "Chleb", "1,00", false, R::BadPlu, badPlu},
        {"99999999999999999999999", "Chleb", "1,00", false, R::BadPlu, badPlu},
        {"8000", "Chleb", "1,00", false, R::None, "", 100},
        {"5", QString(42, u' '), "1,00", false, R::SpacesOnlyName, spaces},
        {"5", " a ", "1,00", false, R::None, "", 100},
        {"18", "CHLEB-RAZOWY", "abc", false, R::DuplicateName, duplicate},  // the name before the price
        {"17", "CHLEB-RAZOWY", "1,00", false, R::None, "", 100},  // its own number: an overwrite
        {"21", "MĄKA", "1,00", false, R::DuplicateName, "Towar MĄKA jest już zapisany w bazie pod numerem 20"},
        {"21", "MAKA", "12.5", false, R::None, "", 1250},
        {"3", "Bułka", "0,005", false, R::None, "", 0},
        {"3", "Bułka", "0,29", false, R::None, "", 29},  // no binary rounding down to 28
        {"3", "Bułka", "999999,99", false, R::None, "", 99999999},
        {"3", "Bułka", "1000000", false, R::PriceOutOfRange, outOfRange},
        {"3", "Bułka", "-1", false, R::PriceOutOfRange, outOfRange},
        {"3", "Bułka", "42949672,96", false, R::PriceOutOfRange, outOfRange},  // would wrap to 0
        {"3", "Bułka", "123456789012345678901234567890", false, R::PriceOutOfRange, outOfRange},
        {"3", "Bułka", "1,2,3", false, R::BadPrice, badPrice},
        {"3", "Bułka", "1e3", false, R::BadPrice, badPrice},
        {"3", "Bułka", "0,00", true, R::FixedPriceZero,
         "Cena sztywna musi mieć wartość większą od 0,00. Wprowadz inną wartość, lub odznacz pole \"Cena sztywna\""},
        {"3", "Bułka", "0,01", true, R::None, "", 1},
    };
    for (const Case& k : cases) {
        const GoodsAddCheck c = CheckGoodsAdd(Input(k.Plu, k.Name, k.Price, k.Fixed));
        EXPECT_EQ(c.Refusal, k.Refusal) << k.Plu.toStdString() << " " << k.Price.toStdString();
        EXPECT_EQ(c.Message, k.Message) << k.Plu.toStdString() << " " << k.Price.toStdString();
        if (k.Refusal == R::None) {
            EXPECT_EQ(c.Fields.Price, k.Price_) << k.Price.toStdString();
        }
    }

    // The older model holds 2000 goods; the message still names 8000.
    App.MaxGoodsCount = 2000;
    EXPECT_EQ(CheckGoodsAdd(Input("2001", "Sok", "1,00")).Refusal, R::BadPlu);
    EXPECT_EQ(CheckGoodsAdd(Input("2000", "Sok", "1,00")).Refusal, R::None);
    // Stored names of an image that is not usable are not there to clash with.
    App.WorkMode = WorkModeRegister;
    EXPECT_EQ(CheckGoodsAdd(Input("18", "CHLEB-RAZOWY", "1,00")).Refusal, R::None);
}

TEST(GoodsFreePlu, FirstFreePluAboveSkipsStoredGoods)
{
    TestEnvironment env;
    for (uint16_t plu : {1, 2, 3, 5})
        StoreGoods(plu, "T" + QString::number(plu));
    EXPECT_EQ(FirstFreePluAbove(0), 4u);
    EXPECT_EQ(FirstFreePluAbove(4), 6u);
    EXPECT_EQ(FirstFreePluAbove(7999), 8000u);
    EXPECT_EQ(FirstFreePluAbove(8000), 0u);

    // A full table above the number: no proposal.
    for (unsigned plu = 7001; plu <= 8000; ++plu)
        DbWriteByteAt(GoodsRecordOffset(plu), 1);
    EXPECT_EQ(FirstFreePluAbove(7000), 0u);
    EXPECT_EQ(FirstFreePluAbove(6990), 6991u);
}

TEST(GoodsReading, StoredGoodsComeInPluOrderAndOnlyFromAReadableImage)
{
    TestEnvironment env;
    for (uint16_t plu : {7, 2, 8000})
        StoreGoods(plu, "T" + QString::number(plu), 1234567);
    std::vector<unsigned> visited;
    ForEachStoredGoods([&](unsigned plu, const uint8_t* record) {
        visited.push_back(plu);
        EXPECT_EQ(record[0] | (record[1] << 8), int(plu));
        EXPECT_EQ(GoodsRecordPrice(record), 1234567u);
    });
    EXPECT_EQ(visited, (std::vector<unsigned>{2, 7, 8000}));

    uint8_t record[GoodsField::WrittenSize] = {};
    ASSERT_TRUE(ReadGoodsRecord(8000, record));
    EXPECT_EQ(GoodsRecordPrice(record), 1234567u);
    record[0] = 0xAA;
    EXPECT_FALSE(ReadGoodsRecord(0, record));
    EXPECT_FALSE(ReadGoodsRecord(8001, record));
    EXPECT_EQ(record[0], 0xAA);   // a refused read leaves the bytes alone

    App.WorkMode = WorkModeRegister;
    EXPECT_FALSE(ReadGoodsRecord(7, record));
    EXPECT_EQ(ReadGoodsName(7), "");
}

TEST(GoodsDownloadMerge, OnlyReceivedSlotsAreWrittenAndTheirTailStays)
{
    TestEnvironment env;
    // Goods the register does not send, and reserved bytes 68..82 of one it does.
    StoreGoods(1, "Zostaje");
    StoreGoods(5, "Stary");
    const uint8_t tail[15] = {9, 8, 7, 6, 5, 4, 3, 2, 1, 9, 8, 7, 6, 5, 4};
    DbWriteBytesAt(GoodsRecordOffset(5) + 68, tail, sizeof tail);
    const std::vector<uint8_t> before1 = GoodsBytes(1);

    GoodsDownload table;
    EXPECT_TRUE(table.TakeFrame(GoodsFrame(5, "Nowy", "  590123   12", 2).data(), 92));
    EXPECT_TRUE(table.TakeFrame(GoodsFrame(8000, "Ostatni", "0000000000008").data(), 92));
    // No slot for these: never written anywhere.
    EXPECT_FALSE(table.TakeFrame(GoodsFrame(0, "Zero", "0000000000000").data(), 92));
    EXPECT_FALSE(table.TakeFrame(GoodsFrame(9000, "Za duzy", "0000000000000").data(), 92));
    EXPECT_FALSE(table.TakeFrame(GoodsFrame(6, "Krotki", "0000000000000").data(), 80));
    EXPECT_EQ(table.ReceivedCount(), 2u);

    const std::vector<uint8_t> t0Before = ImageBytes(TableOffsets.DiscountTable, 100);
    EXPECT_EQ(table.WriteToImage(), 2);

    EXPECT_EQ(GoodsBytes(1), before1);
    const std::vector<uint8_t> r5 = GoodsBytes(5);
    std::vector<uint8_t> expected{5, 0, 'N', 'o', 'w', 'y'};
    expected.resize(68);
    expected[44] = 'B';
    expected[45] = 0x39;
    expected[46] = 0x30;
    std::memcpy(&expected[49], "0059012300012", 13);   // blanks of the barcode become '0'
    const uint8_t flags[6] = {2, 3, 1, 0, 4, 2};
    std::memcpy(&expected[62], flags, 6);
    EXPECT_EQ(std::vector<uint8_t>(r5.begin(), r5.begin() + 68), expected);
    EXPECT_EQ(0, std::memcmp(r5.data() + 68, tail, sizeof tail));
    EXPECT_EQ(ReadGoodsName(8000), "Ostatni");
    EXPECT_FALSE(GoodsSlotUsed(6));
    EXPECT_EQ(ImageBytes(TableOffsets.DiscountTable, 100), t0Before);
}
