// The quick-key record functions: packing, adding, removing, the repair of a damaged table, the
// quantity texts and the list lines.
#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "tables/QuickKeys.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A record of cashier 1, key 2 with these PLUs at entry positions 1..5 (quantity = PLU * 10).
QuickKeyRecord RecordWith(std::vector<uint16_t> plus, uint8_t endFlag = 1)
{
    QuickKeyRecord r{};
    r[0] = 1;
    r[1] = 2;
    for (unsigned p = 1; p <= plus.size(); ++p)
        SetQuickKeyEntry(r, p, plus[p - 1], plus[p - 1] * 10u);
    r[QuickKeyCountByte] = QuickKeyUsedEntries(r);
    r[QuickKeyEndFlagByte] = endFlag;
    return r;
}

std::vector<uint16_t> Plus(const QuickKeyRecord& r)
{
    std::vector<uint16_t> plus;
    for (unsigned p = 1; p <= QuickKeyEntries; ++p)
        plus.push_back(QuickKeyEntryPlu(r, p));
    return plus;
}

std::vector<uint8_t> QuickKeyArea()
{
    std::vector<uint8_t> area(QuickKeyTableSize);
    DbReadBytesAt(TableOffsets.QuickKeyTable, area.data(), area.size());
    return area;
}

} // namespace

TEST(QuickKeyRecord, PackMovesUsedEntriesFirstAndKeepsTheirQuantities)
{
    const QuickKeyRecord packed = PackQuickKeyRecord(RecordWith({0, 7, 0, 9, 0}));
    EXPECT_EQ(Plus(packed), (std::vector<uint16_t>{7, 9, 0, 0, 0}));
    EXPECT_EQ(QuickKeyEntryQuantity(packed, 1), 70u);
    EXPECT_EQ(QuickKeyEntryQuantity(packed, 2), 90u);
    EXPECT_EQ(QuickKeyEntryQuantity(packed, 3), 0u);
    EXPECT_EQ(packed[QuickKeyCountByte], 2);
    EXPECT_EQ(packed[0], 1);
    EXPECT_EQ(packed[1], 2);
    EXPECT_EQ(packed[QuickKeyEndFlagByte], 1);
}

TEST(QuickKeyRecord, AddFillsTheFirstFreeEntryAndASixthReplacesTheFifth)
{
    QuickKeyRecord gap = RecordWith({4, 0, 6});
    AddQuickKeyEntry(gap, 8, 30000);
    EXPECT_EQ(Plus(gap), (std::vector<uint16_t>{4, 6, 8, 0, 0}));
    EXPECT_EQ(QuickKeyEntryQuantity(gap, 3), 30000u);
    EXPECT_EQ(gap[QuickKeyCountByte], 3);

    QuickKeyRecord full = RecordWith({1, 2, 3, 4, 5});
    AddQuickKeyEntry(full, 6, 5);
    EXPECT_EQ(Plus(full), (std::vector<uint16_t>{1, 2, 3, 4, 6}));
    EXPECT_EQ(QuickKeyEntryQuantity(full, 5), 5u);
    EXPECT_EQ(full[QuickKeyCountByte], 5);
}

TEST(QuickKeyRecord, RemoveTakesTheEntryAtItsPosition)
{
    QuickKeyRecord three = RecordWith({11, 12, 13});
    ASSERT_TRUE(RemoveQuickKeyEntry(three, 2));
    EXPECT_EQ(Plus(three), (std::vector<uint16_t>{11, 13, 0, 0, 0}));
    EXPECT_EQ(QuickKeyEntryQuantity(three, 2), 130u);
    EXPECT_EQ(three[QuickKeyCountByte], 2);

    // Position 3 of a record with a gap at 2 is the goods of entry 3, not the second used one.
    QuickKeyRecord gap = RecordWith({21, 0, 23, 24});
    ASSERT_TRUE(RemoveQuickKeyEntry(gap, 3));
    EXPECT_EQ(Plus(gap), (std::vector<uint16_t>{21, 24, 0, 0, 0}));

    QuickKeyRecord same = RecordWith({31, 32});
    EXPECT_FALSE(RemoveQuickKeyEntry(same, 0));
    EXPECT_FALSE(RemoveQuickKeyEntry(same, 6));
    EXPECT_EQ(same, RecordWith({31, 32}));
}

TEST(QuickKeyRecord, ReadAndWriteNeedAUsableImage)
{
    TestEnvironment env;
    QuickKeyRecord r = RecordWith({5, 6});
    r[0] = 9;   // the cashier given wins
    ASSERT_TRUE(WriteQuickKeyRecord(r, 3, 2));
    const QuickKeyRecord back = ReadQuickKeyRecord(3, 2);
    EXPECT_EQ(back[0], 3);
    EXPECT_EQ(Plus(back), Plus(r));
    EXPECT_EQ(DbReadU16At(QuickKeyRecordOffset(3, 2) + 3), 5);
    EXPECT_FALSE(WriteQuickKeyRecord(r, 11, 1));
    EXPECT_FALSE(WriteQuickKeyRecord(r, 1, 0));

    App.WorkMode = 0;
    EXPECT_FALSE(WriteQuickKeyRecord(RecordWith({1}), 1, 1));
    EXPECT_EQ(ReadQuickKeyRecord(3, 2), QuickKeyRecord{});
    App.WorkMode = WorkModeDatabase;
    DatabaseImage.MarkFailed();
    EXPECT_FALSE(WriteQuickKeyRecord(RecordWith({1}), 1, 1));
    EXPECT_EQ(RepairQuickKeyTable(1), 0);
    EXPECT_EQ(ReadQuickKeyRecord(3, 2), QuickKeyRecord{});
}

TEST(QuickKeyRecord, RepairDropsOnlyTheGoodsTheTableCannotHold)
{
    TestEnvironment env;
    for (unsigned c = 1; c <= 10; ++c)
        for (unsigned k = 1; k <= 10; ++k)
            ASSERT_TRUE(WriteQuickKeyRecord(RecordWith({uint16_t(c * 10 + k), 1999}, 0), c, k));
    ASSERT_TRUE(WriteQuickKeyRecord(RecordWith({17, 2500, 18}), 4, 7));
    std::vector<uint8_t> expected = QuickKeyArea();
    QuickKeyRecord mended = PackQuickKeyRecord(RecordWith({17, 0, 18}));
    mended[0] = 4;
    std::copy(mended.begin(), mended.end(), expected.begin() + (3 * 340 + 6 * 34));

    EXPECT_EQ(RepairQuickKeyTable(2000), 1);
    EXPECT_EQ(QuickKeyArea(), expected);
    EXPECT_EQ(RepairQuickKeyTable(2000), 0);
    EXPECT_EQ(RepairQuickKeyTable(8000), 0);
}

TEST(QuickKeyTexts, FormatQuantity)
{
    const std::pair<uint32_t, const char*> cases[] = {
        {10000, "1,0000"}, {5, "0,0005"}, {0, "0,0000"}, {25000, "2,5000"},
        {123456789, "12345,6789"}, {UINT32_MAX, "429496,7295"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FormatQuantity(value), QString::fromUtf8(text)) << value;
}

TEST(QuickKeyTexts, AddedQuantityIsCutAfterTheFourthDecimalAndBounded)
{
    struct Case {
        const char* Text;
        QuantityParse Result;
        uint32_t Value;
    };
    const Case cases[] = {
        {"0,0003", QuantityParse::Ok, 3},         {"2.5", QuantityParse::Ok, 25000},
        {"1,00009", QuantityParse::Ok, 10000},    {" 3 ", QuantityParse::Ok, 30000},
        {"99,9998", QuantityParse::Ok, 999998},   {"99,9999", QuantityParse::OutOfRange, 0},
        {"0", QuantityParse::OutOfRange, 0},      {"0,00001", QuantityParse::OutOfRange, 0},
        {"-1", QuantityParse::OutOfRange, 0},     {"123456789012345678901234", QuantityParse::OutOfRange, 0},
        {"abc", QuantityParse::NotNumber, 0},     {"", QuantityParse::NotNumber, 0},
        {"1.2.3", QuantityParse::NotNumber, 0},   {"1,5kg", QuantityParse::NotNumber, 0},
        {"-", QuantityParse::NotNumber, 0},
    };
    for (const Case& c : cases) {
        uint32_t value = 0;
        EXPECT_EQ(ParseAddedQuantity(QString::fromUtf8(c.Text), value), c.Result) << c.Text;
        if (c.Result == QuantityParse::Ok)
            EXPECT_EQ(value, c.Value) << c.Text;
    }
}

TEST(QuickKeyTexts, KeyQuantityIsRoundedHalfUpAndFitsItsField)
{
    struct Case {
        const char* Text;
        QuantityParse Result;
        uint32_t Value;
    };
    const Case cases[] = {
        {"2.5", QuantityParse::Ok, 25000},          {"1.0000", QuantityParse::Ok, 10000},
        {"1,00005", QuantityParse::Ok, 10001},      {"1,00004999", QuantityParse::Ok, 10000},
        {"0", QuantityParse::Ok, 0},                {"429496,7295", QuantityParse::Ok, UINT32_MAX},
        {"429496,7296", QuantityParse::OutOfRange, 0}, {"999999999999", QuantityParse::OutOfRange, 0},
        {"-0,5", QuantityParse::OutOfRange, 0},     {"1.000.5", QuantityParse::NotNumber, 0},
        {"x", QuantityParse::NotNumber, 0},
    };
    for (const Case& c : cases) {
        uint32_t value = 0;
        EXPECT_EQ(ParseKeyQuantity(QString::fromUtf8(c.Text), value), c.Result) << c.Text;
        if (c.Result == QuantityParse::Ok)
            EXPECT_EQ(value, c.Value) << c.Text;
    }
}

TEST(QuickKeyTexts, ListLinesHaveFixedColumns)
{
    EXPECT_EQ(QuickKeyGoodsLine(12, "Chleb", 250), QString("  12. Chleb                      2,50 "));
    EXPECT_EQ(QuickKeyGoodsLine(8000, "Bardzo d\xB3uga nazwa towaru w kasie", 99999999),
              QString::fromUtf8("8000. Bardzo d\u0142uga nazwa t  999999,99 "));
    EXPECT_EQ(QuickKeyGoodsLine(1, "", 0), QString("   1.                            0,00 "));
    EXPECT_EQ(QuickKeyEntryLine("Chleb razowy", 10000), QString("Chleb razo 1,0000"));
    EXPECT_EQ(QuickKeyEntryLine("Ser", 5), QString("Ser        0,0005"));
}

TEST(QuickKeyTexts, CashierChoicesNameTheProgrammedSlots)
{
    TestEnvironment env;
    uint8_t cashier[CashierRecordSize] = {3, 'A', 'n', 'n', 'a'};
    DbWriteBytesAt(TableOffsets.CashierTable + CashierRecordSize, cashier, sizeof cashier);
    const QStringList items = QuickKeyCashierItems();
    ASSERT_EQ(items.size(), 10);
    EXPECT_EQ(items[1], QString("3 Anna"));
    EXPECT_EQ(items[2], QString("3"));
    EXPECT_EQ(items[9], QString("10"));
}
