// The goods table without windows: names, the add checks, the download merge, the quick-key
// clean-up and the sample goods, against a fresh image.
#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "platform/Cp1250.h"
#include "tables/GoodsLogic.h"
#include "tests/support/TestEnvironment.h"
#include "tests/tables/QtPrinting.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

namespace {

GoodsRecordFields Goods(uint16_t plu, const QString& name, uint32_t price = 100)
{
    GoodsRecordFields f;
    f.Plu = plu;
    f.Name = ToCp1250(name);
    f.VatLetter = "A";
    f.Price = price;
    f.Barcode = "123";
    f.Group = 1;
    f.WholeUnits = 1;
    return f;
}

GoodsAddInput Input(const QString& plu, const QString& name, const QString& price)
{
    GoodsAddInput in;
    in.Plu = plu;
    in.Name = name;
    in.Price = price;
    return in;
}

std::vector<uint8_t> RecordBytes(unsigned plu)
{
    std::vector<uint8_t> r(App.GoodsRecordSize);
    DbReadBytesAt(GoodsRecordOffset(plu), r.data(), r.size());
    return r;
}

} // namespace

TEST(GoodsNames, NumberBeforeDotTakesTheListItemsNumber)
{
    bool ok = false;
    EXPECT_EQ(NumberBeforeDot("12. Chleb", &ok), 12);
    EXPECT_TRUE(ok);
    EXPECT_EQ(NumberBeforeDot("7", &ok), 7);
    EXPECT_TRUE(ok);
    EXPECT_EQ(NumberBeforeDot("3. Grupa 1.5", &ok), 3);
    for (const char* bad : {"", "Brak", ". x", "12a. Chleb", "99999999999999999999"}) {
        EXPECT_EQ(NumberBeforeDot(bad, &ok), 0) << bad;
        EXPECT_FALSE(ok) << bad;
    }
}

TEST(GoodsNames, NameKeyDropsPunctuationAndRaisesPolishLetters)
{
    EXPECT_EQ(GoodsNameKey(ToCp1250("Chleb razowy")), "CHLEBRAZOWY");
    EXPECT_EQ(GoodsNameKey(ToCp1250("CHLEB-RAZOWY")), "CHLEBRAZOWY");
    EXPECT_EQ(GoodsNameKey(ToCp1250("mąka żytnia ćśńółęź")), ToCp1250("MĄKAŻYTNIAĆŚŃÓŁĘŹ"));
    EXPECT_EQ(GoodsNameKey(ToCp1250("a\\b/c.d,e 1;2*3")), "A\\B/C.D,E123");
    // Only the first 42 characters count.
    const std::string longName = std::string(42, 'x') + "tail";
    EXPECT_EQ(GoodsNameKey(longName), std::string(42, 'X'));
}

TEST(GoodsNames, ReadGoodsNameReadsNothingFromAnUnusableImage)
{
    TestEnvironment env;
    ASSERT_EQ(WriteGoodsRecordToImage(Goods(9, "Kawa")), 0);
    EXPECT_EQ(ReadGoodsName(9), "Kawa");
    EXPECT_EQ(ReadGoodsName(0), "");
    EXPECT_EQ(ReadGoodsName(8001), "");
    App.WorkMode = WorkModeRegister;
    EXPECT_EQ(ReadGoodsName(9), "");
}

TEST(GoodsAddChecks, EmptyFieldsOnlyRaiseTheirLabels)
{
    TestEnvironment env;
    GoodsAddCheck c = CheckGoodsAdd(Input("", "Chleb", ""));
    EXPECT_EQ(c.Refusal, GoodsAddRefusal::EmptyFields);
    EXPECT_TRUE(c.PluEmpty);
    EXPECT_FALSE(c.NameEmpty);
    EXPECT_TRUE(c.PriceEmpty);
    EXPECT_TRUE(c.Message.isEmpty());
}

TEST(GoodsAddChecks, PluOutsideTheTableOrNotANumberIsRefused)
{
    TestEnvironment env;
    for (const char* plu : {"0", "8001", "abc", "-1", "12x", "99999999999999999999999"}) {
        GoodsAddCheck c = CheckGoodsAdd(Input(plu, "Chleb", "1,00"));
        EXPECT_EQ(c.Refusal, GoodsAddRefusal::BadPlu) << plu;
        EXPECT_EQ(c.Message, QString("     Błędna wartość : Numer towaru w kasie \n Pole musi zawierać liczbę z "
                                     "przedziału 1-8000a.     "));
    }
    EXPECT_EQ(CheckGoodsAdd(Input("8000", "Chleb", "1,00")).Refusal, GoodsAddRefusal::None);
    EXPECT_EQ(CheckGoodsAdd(Input("1", "Chleb", "1,00")).Refusal, GoodsAddRefusal::None);

    // The older model holds 2000 goods; the message still names 8000.
    App.MaxGoodsCount = 2000;
    App.GoodsRecordSize = 69;
    EXPECT_EQ(CheckGoodsAdd(Input("2001", "Chleb", "1,00")).Refusal, GoodsAddRefusal::BadPlu);
    EXPECT_EQ(CheckGoodsAdd(Input("2000", "Chleb", "1,00")).Refusal, GoodsAddRefusal::None);
}

TEST(GoodsAddChecks, NameOfSpacesOnlyIsRefusedAtAnyLength)
{
    TestEnvironment env;
    for (int n : {1, 40, 41, 42}) {
        GoodsAddCheck c = CheckGoodsAdd(Input("5", QString(n, u' '), "1,00"));
        EXPECT_EQ(c.Refusal, GoodsAddRefusal::SpacesOnlyName) << n;
        EXPECT_EQ(c.Message, QString("Nazwa towaru nie może składać się z samych znaków spacji!"));
    }
    // The PLU is checked first.
    EXPECT_EQ(CheckGoodsAdd(Input("0", "   ", "1,00")).Refusal, GoodsAddRefusal::BadPlu);
    EXPECT_EQ(CheckGoodsAdd(Input("5", " a ", "1,00")).Refusal, GoodsAddRefusal::None);
}

TEST(GoodsAddChecks, SameNameKeyUnderAnotherPluIsRefused)
{
    TestEnvironment env;
    ASSERT_EQ(WriteGoodsRecordToImage(Goods(17, "Chleb razowy")), 0);

    GoodsAddCheck c = CheckGoodsAdd(Input("18", "CHLEB-RAZOWY", "1,00"));
    EXPECT_EQ(c.Refusal, GoodsAddRefusal::DuplicateName);
    EXPECT_EQ(c.DuplicatePlu, 17u);
    EXPECT_EQ(c.Message, QString("Towar CHLEBRAZOWY jest już zapisany w bazie pod numerem 17"));

    // Storing it again under its own number is an overwrite, not a duplicate.
    EXPECT_EQ(CheckGoodsAdd(Input("17", "CHLEB-RAZOWY", "1,00")).Refusal, GoodsAddRefusal::None);
    // The name is checked before the price.
    EXPECT_EQ(CheckGoodsAdd(Input("18", "chleb razowy", "abc")).Refusal, GoodsAddRefusal::DuplicateName);
    // Polish letters take part in the key.
    ASSERT_EQ(WriteGoodsRecordToImage(Goods(20, "Mąka")), 0);
    EXPECT_EQ(CheckGoodsAdd(Input("21", "MĄKA", "1,00")).Refusal, GoodsAddRefusal::DuplicateName);
    EXPECT_EQ(CheckGoodsAdd(Input("21", "MAKA", "1,00")).Refusal, GoodsAddRefusal::None);

    // Stored names of an image that is not usable are not there to clash with.
    App.WorkMode = WorkModeRegister;
    EXPECT_EQ(CheckGoodsAdd(Input("18", "CHLEB-RAZOWY", "1,00")).Refusal, GoodsAddRefusal::None);
}

TEST(GoodsAddChecks, PriceIsParsedExactlyAndRangeChecked)
{
    TestEnvironment env;
    struct Case {
        const char* Text;
        GoodsAddRefusal Refusal;
        uint32_t Price;
    };
    const Case cases[] = {
        {"12.5", GoodsAddRefusal::None, 1250},
        {"12,5", GoodsAddRefusal::None, 1250},
        {"0,005", GoodsAddRefusal::None, 0},
        {"0,29", GoodsAddRefusal::None, 29},         // no binary rounding down to 28
        {"999999,99", GoodsAddRefusal::None, 99999999},
        {"1000000", GoodsAddRefusal::PriceOutOfRange, 0},
        {"-1", GoodsAddRefusal::PriceOutOfRange, 0},
        {"42949672,96", GoodsAddRefusal::PriceOutOfRange, 0},   // would wrap to 0 in 32 bits
        {"123456789012345678901234567890", GoodsAddRefusal::PriceOutOfRange, 0},
        {"abc", GoodsAddRefusal::BadPrice, 0},
        {"1,2,3", GoodsAddRefusal::BadPrice, 0},
        {"1e3", GoodsAddRefusal::BadPrice, 0},
    };
    for (const Case& k : cases) {
        GoodsAddCheck c = CheckGoodsAdd(Input("3", "Bułka", k.Text));
        EXPECT_EQ(c.Refusal, k.Refusal) << k.Text;
        if (k.Refusal == GoodsAddRefusal::None) {
            EXPECT_EQ(c.Fields.Price, k.Price) << k.Text;
        } else if (k.Refusal == GoodsAddRefusal::PriceOutOfRange) {
            EXPECT_EQ(c.Message, QString("Błąd! Cena musi zawierać się w przedziale 0,00 - 999999,99"));
        } else {
            EXPECT_EQ(c.Message, QString("     Błędna wartość w polu Cena     "));
        }
    }
}

TEST(GoodsAddChecks, FixedPriceNeedsAPriceAboveZero)
{
    TestEnvironment env;
    GoodsAddInput in = Input("3", "Bułka", "0,00");
    in.FixedPrice = true;
    GoodsAddCheck c = CheckGoodsAdd(in);
    EXPECT_EQ(c.Refusal, GoodsAddRefusal::FixedPriceZero);
    EXPECT_EQ(c.Message, QString("Cena sztywna musi mieć wartość większą od 0,00. Wprowadz inną wartość, lub "
                                 "odznacz pole \"Cena sztywna\""));
    in.Price = "0,01";
    EXPECT_EQ(CheckGoodsAdd(in).Refusal, GoodsAddRefusal::None);
}

TEST(GoodsAddChecks, ListsGiveTheRecordFieldsAndUnselectedListsStoreZero)
{
    TestEnvironment env;
    GoodsAddInput in = Input(" 42 ", "Żurek", "3,50");
    in.Barcode = "5907788";
    in.PtuIndex = 6;
    in.GroupIndex = 2;
    in.TandemIndex = 4;
    in.FixedPrice = true;
    in.WholeUnits = false;
    in.HaloIndex = 9;
    in.UnitIndex = 3;
    GoodsAddCheck c = CheckGoodsAdd(in);
    ASSERT_EQ(c.Refusal, GoodsAddRefusal::None);
    EXPECT_EQ(c.Fields.Plu, 42);
    EXPECT_EQ(c.Fields.Name, ToCp1250("Żurek"));
    EXPECT_EQ(c.Fields.VatLetter, "G");
    EXPECT_EQ(c.Fields.Price, 350u);
    EXPECT_EQ(c.Fields.Barcode, "5907788");
    EXPECT_EQ(c.Fields.Group, 3);
    EXPECT_EQ(c.Fields.Tandem, 4);
    EXPECT_EQ(c.Fields.FixedPrice, 1);
    EXPECT_EQ(c.Fields.WholeUnits, 0);
    EXPECT_EQ(c.Fields.Halo, 9);
    EXPECT_EQ(c.Fields.Unit, 3);

    in.PtuIndex = in.GroupIndex = in.TandemIndex = in.HaloIndex = in.UnitIndex = -1;
    c = CheckGoodsAdd(in);
    ASSERT_EQ(c.Refusal, GoodsAddRefusal::None);
    EXPECT_EQ(c.Fields.VatLetter, "");
    EXPECT_EQ(c.Fields.Group, 0);
    EXPECT_EQ(c.Fields.Tandem, 0);
    EXPECT_EQ(c.Fields.Halo, 0);
    EXPECT_EQ(c.Fields.Unit, 0);
    ASSERT_EQ(WriteGoodsRecordToImage(c.Fields), 0);
    EXPECT_EQ(RecordBytes(42)[GoodsField::Vat], 0);
}

TEST(GoodsFreePlu, FirstFreePluAboveSkipsStoredGoods)
{
    TestEnvironment env;
    for (uint16_t plu : {1, 2, 3, 5})
        ASSERT_EQ(WriteGoodsRecordToImage(Goods(plu, "T" + QString::number(plu))), 0);
    EXPECT_EQ(FirstFreePluAbove(0), 4u);
    EXPECT_EQ(FirstFreePluAbove(4), 6u);
    EXPECT_EQ(FirstFreePluAbove(7999), 8000u);
    EXPECT_EQ(FirstFreePluAbove(8000), 0u);

    // A full table above the number: no proposal.
    std::vector<uint8_t> area(std::size_t(App.MaxGoodsCount) * App.GoodsRecordSize, 0);
    for (unsigned s = 7000; s < App.MaxGoodsCount; ++s)
        area[s * App.GoodsRecordSize] = 1;
    DbWriteBytesAt(GoodsTableOffset + 7000 * App.GoodsRecordSize, area.data() + 7000 * App.GoodsRecordSize,
                   1000 * App.GoodsRecordSize);
    EXPECT_EQ(FirstFreePluAbove(7000), 0u);
    EXPECT_EQ(FirstFreePluAbove(6990), 6991u);
}

TEST(GoodsReading, StoredGoodsComeInPluOrderAndOnlyFromAReadableImage)
{
    TestEnvironment env;
    for (uint16_t plu : {7, 2, 8000})
        ASSERT_EQ(WriteGoodsRecordToImage(Goods(plu, "T" + QString::number(plu), 1234567)), 0);
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
    visited.clear();
    ForEachStoredGoods([&](unsigned plu, const uint8_t*) { visited.push_back(plu); });
    EXPECT_TRUE(visited.empty());
}

TEST(GoodsReading, SmallTableItemsNameProgrammedSlotsAndNumberTheRest)
{
    TestEnvironment env;
    // Packaging slot 3 carries number 9 and a name that fills its 42 bytes.
    uint8_t packaging[PackagingRecordSize] = {};
    packaging[0] = 9;
    std::memset(packaging + 1, 'x', 42);
    packaging[43] = 'Z';   // past the name
    DbWriteBytesAt(TableOffsets.PackagingTable + 2 * PackagingRecordSize, packaging, sizeof packaging);

    const QStringList groups = SmallTableItems(ReadGoodsGroups(), u". ");
    ASSERT_EQ(groups.size(), 20);
    EXPECT_EQ(groups[0], "1. Grupa podstawowa");
    EXPECT_EQ(groups[1], "2");
    EXPECT_EQ(groups[19], "20");
    const QStringList packagings = SmallTableItems(ReadPackagings(), u" ");
    ASSERT_EQ(packagings.size(), 20);
    EXPECT_EQ(packagings[0], "1");
    EXPECT_EQ(packagings[2], "9 " + QString(42, u'x'));
    EXPECT_EQ(ReadPackagings()[2].Number, 9);

    // Nothing is read from an image that cannot be read.
    App.WorkMode = WorkModeRegister;
    const std::vector<SmallTableEntry> unread = ReadGoodsGroups();
    ASSERT_EQ(unread.size(), 20u);
    EXPECT_TRUE(unread[0].Name.isEmpty());
    EXPECT_EQ(SmallTableItems(unread, u". ")[0], "1");
}

namespace {

// A 92-byte 'T' data frame around a register goods record.
std::vector<uint8_t> GoodsFrame(uint16_t plu, const char* name, const char* barcode13, uint8_t unit)
{
    std::vector<uint8_t> f(92, 0);
    uint8_t* r = f.data() + 7;
    r[0] = uint8_t(plu);
    r[1] = uint8_t(plu >> 8);
    std::memcpy(r + 2, name, std::strlen(name));
    r[44] = 'B';
    r[45] = 0x39;   // 12345
    r[46] = 0x30;
    for (int i = 49; i < 57; ++i)
        r[i] = 0xEE;   // counters the image does not keep
    std::memcpy(r + 57, barcode13, 13);
    r[70] = 2;   // group
    r[71] = 3;   // tandem
    r[72] = 1;   // fixed price
    r[73] = 0;   // whole units
    r[74] = 4;   // HALO
    r[75] = 0xE5;
    r[81] = unit;
    return f;
}

} // namespace

TEST(GoodsDownloadMerge, RegisterRecordLandsOnTheImageLayout)
{
    const std::vector<uint8_t> frame = GoodsFrame(77, "Sok", "  590123   12", 6);
    std::array<uint8_t, 68> rec{};
    MergeRegisterGoodsRecord(frame.data() + 7, rec.data());
    EXPECT_EQ(rec[0], 77);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(rec.data() + 2), 3), "Sok");
    EXPECT_EQ(rec[44], 'B');
    EXPECT_EQ(rec[45], 0x39);
    EXPECT_EQ(rec[46], 0x30);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(rec.data() + 49), 13), "0059012300012");
    EXPECT_EQ(rec[62], 2);
    EXPECT_EQ(rec[63], 3);
    EXPECT_EQ(rec[64], 1);
    EXPECT_EQ(rec[65], 0);
    EXPECT_EQ(rec[66], 4);
    EXPECT_EQ(rec[67], 6);
}

TEST(GoodsDownloadMerge, OnlyReceivedSlotsAreWrittenAndTheirTailStays)
{
    TestEnvironment env;
    // Goods the register does not send, and reserved bytes 68..82 of one it does.
    ASSERT_EQ(WriteGoodsRecordToImage(Goods(1, "Zostaje")), 0);
    ASSERT_EQ(WriteGoodsRecordToImage(Goods(5, "Stary")), 0);
    const uint8_t tail[15] = {9, 8, 7, 6, 5, 4, 3, 2, 1, 9, 8, 7, 6, 5, 4};
    DbWriteBytesAt(GoodsRecordOffset(5) + 68, tail, sizeof tail);
    const std::vector<uint8_t> before1 = RecordBytes(1);

    GoodsDownload table;
    EXPECT_TRUE(table.TakeFrame(GoodsFrame(5, "Nowy", "5900000000001", 2).data(), 92));
    EXPECT_TRUE(table.TakeFrame(GoodsFrame(8000, "Ostatni", "0000000000008", 0).data(), 92));
    // No slot for these: never written anywhere.
    EXPECT_FALSE(table.TakeFrame(GoodsFrame(0, "Zero", "0000000000000", 0).data(), 92));
    EXPECT_FALSE(table.TakeFrame(GoodsFrame(9000, "Za duzy", "0000000000000", 0).data(), 92));
    EXPECT_FALSE(table.TakeFrame(GoodsFrame(6, "Krotki", "0000000000000", 0).data(), 80));
    EXPECT_EQ(table.ReceivedCount(), 2u);

    const std::vector<uint8_t> t0Before = [] {
        std::vector<uint8_t> b(100);
        DbReadBytesAt(TableOffsets.DiscountTable, b.data(), b.size());
        return b;
    }();
    EXPECT_EQ(table.WriteToImage(), 2);

    EXPECT_EQ(RecordBytes(1), before1);
    EXPECT_EQ(ReadGoodsName(5), "Nowy");
    const std::vector<uint8_t> r5 = RecordBytes(5);
    EXPECT_EQ(0, std::memcmp(r5.data() + 68, tail, sizeof tail));
    EXPECT_EQ(r5[67], 2);
    EXPECT_EQ(ReadGoodsName(8000), "Ostatni");
    EXPECT_FALSE(GoodsSlotUsed(6));
    std::vector<uint8_t> t0After(100);
    DbReadBytesAt(TableOffsets.DiscountTable, t0After.data(), t0After.size());
    EXPECT_EQ(t0After, t0Before);
}

TEST(GoodsDownloadMerge, OlderModelTableEndsAt2000)
{
    TestEnvironment env;
    App.MaxGoodsCount = 2000;
    App.GoodsRecordSize = 69;
    GoodsDownload table;
    EXPECT_TRUE(table.TakeFrame(GoodsFrame(2000, "Ostatni", "0000000000001", 1).data(), 92));
    EXPECT_FALSE(table.TakeFrame(GoodsFrame(2001, "Poza", "0000000000001", 1).data(), 92));
    EXPECT_EQ(table.WriteToImage(), 1);
    EXPECT_EQ(DbReadU16At(5000 + 69 * 1999), 2000);
    EXPECT_EQ(DbReadByteAt(5000 + 69 * 1999 + 68), 0);   // the 69th byte stays as it was
}

namespace {

void PutEntry(uint8_t* rec, int i, uint16_t plu, uint32_t quantity)
{
    uint8_t* e = rec + 3 + 6 * i;
    e[0] = uint8_t(plu);
    e[1] = uint8_t(plu >> 8);
    std::memcpy(e + 2, &quantity, 4);
}

uint16_t EntryPlu(const uint8_t* rec, int i) { return uint16_t(rec[3 + 6 * i] | (rec[4 + 6 * i] << 8)); }

} // namespace

TEST(GoodsQuickKeys, DeletedPluLeavesTheKeysAndTheRestMovesUp)
{
    uint8_t rec[34] = {};
    rec[0] = 2;
    rec[1] = 7;
    PutEntry(rec, 0, 5, 10000);
    PutEntry(rec, 1, 300, 20000);
    PutEntry(rec, 2, 5, 30000);
    PutEntry(rec, 4, 900, 40000);
    rec[2] = 4;
    rec[33] = 1;
    ASSERT_TRUE(RemovePluFromQuickKeyRecord(rec, 5));
    EXPECT_EQ(rec[0], 2);
    EXPECT_EQ(rec[1], 7);
    EXPECT_EQ(rec[2], 2);
    EXPECT_EQ(EntryPlu(rec, 0), 300);
    EXPECT_EQ(EntryPlu(rec, 1), 900);
    uint32_t q = 0;
    std::memcpy(&q, rec + 3 + 6 + 2, 4);
    EXPECT_EQ(q, 40000u);
    for (int i = 15; i < 33; ++i)
        EXPECT_EQ(rec[i], 0) << i;
    EXPECT_EQ(rec[33], 1);

    uint8_t copy[34];
    std::memcpy(copy, rec, 34);
    EXPECT_FALSE(RemovePluFromQuickKeyRecord(rec, 5));
    EXPECT_FALSE(RemovePluFromQuickKeyRecord(rec, 0));
    EXPECT_EQ(0, std::memcmp(copy, rec, 34));
}

TEST(GoodsQuickKeys, EveryCashiersKeysAreCleared)
{
    TestEnvironment env;
    uint8_t rec[34] = {};
    PutEntry(rec, 0, 12, 10000);
    rec[2] = 1;
    DbWriteBytesAt(QuickKeyRecordOffset(1, 1), rec, 34);
    DbWriteBytesAt(QuickKeyRecordOffset(10, 10), rec, 34);
    PutEntry(rec, 0, 13, 10000);
    DbWriteBytesAt(QuickKeyRecordOffset(4, 2), rec, 34);
    const uint8_t after = DbReadByteAt(QuickKeyRecordOffset(10, 10) + 34);

    EXPECT_EQ(RemovePluFromQuickKeys(12), 2);
    EXPECT_EQ(DbReadU16At(QuickKeyRecordOffset(1, 1) + 3), 0);
    EXPECT_EQ(DbReadByteAt(QuickKeyRecordOffset(1, 1) + 2), 0);
    EXPECT_EQ(DbReadU16At(QuickKeyRecordOffset(10, 10) + 3), 0);
    EXPECT_EQ(DbReadU16At(QuickKeyRecordOffset(4, 2) + 3), 13);
    EXPECT_EQ(DbReadByteAt(QuickKeyRecordOffset(10, 10) + 34), after);
}

TEST(GoodsSamples, WrittenTwiceLeaveTheSameNineteenRecords)
{
    TestEnvironment env;
    ASSERT_EQ(WriteGoodsRecordToImage(Goods(100, "Cos innego", 999)), 0);
    EXPECT_EQ(WriteSampleGoods(), 19);
    std::vector<uint8_t> first(std::size_t(App.MaxGoodsCount) * App.GoodsRecordSize);
    DbReadBytesAt(GoodsTableOffset, first.data(), first.size());
    EXPECT_EQ(WriteSampleGoods(), 19);
    std::vector<uint8_t> second(first.size());
    DbReadBytesAt(GoodsTableOffset, second.data(), second.size());
    EXPECT_EQ(first, second);

    int stored = 0;
    for (unsigned plu = 1; plu <= App.MaxGoodsCount; ++plu)
        stored += GoodsSlotUsed(plu) ? 1 : 0;
    EXPECT_EQ(stored, 19);
    EXPECT_EQ(ReadGoodsName(100), "Piwo");
    EXPECT_EQ(ReadGoodsName(2), ToCp1250("Masło"));
    EXPECT_EQ(ReadGoodsName(2000), ToCp1250("Krzesło"));
    const std::vector<uint8_t> r = RecordBytes(1024);
    EXPECT_EQ(r[GoodsField::Vat], 'A');
    EXPECT_EQ(DbReadU32At(GoodsRecordOffset(1024) + GoodsField::Price), 200u);
    EXPECT_EQ(r[GoodsField::Group], 1);
    EXPECT_EQ(r[GoodsField::FixedPrice], 1);
    EXPECT_EQ(r[GoodsField::WholeUnits], 0);
    EXPECT_EQ(r[GoodsField::Unit], 9);
    for (const GoodsRecordFields& f : SampleGoods()) {
        EXPECT_GE(f.Barcode.size(), 1u);
        EXPECT_LE(f.Barcode.size(), 13u);
    }
}
