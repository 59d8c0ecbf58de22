// The quick-key record functions: packing, adding, removing, and the quantity texts.
#include "tests/tables/TablesTest.h"

using Plus = std::vector<uint16_t>;

TEST(QuickKeyRecord, PackAddAndRemoveKeepTheUsedEntriesFirst)
{
    const QuickKeyRecord packed = PackQuickKeyRecord(KeyWith({0, 7, 0, 9}, 2, 1));
    QuickKeyRecord expected = KeyWith({7, 9}, 2, 1);
    SetQuickKeyEntry(expected, 1, 7, 20000);
    SetQuickKeyEntry(expected, 2, 9, 40000);
    EXPECT_EQ(packed, expected);

    QuickKeyRecord gap = KeyWith({4, 0, 6});
    AddQuickKeyEntry(gap, 8, 5);
    EXPECT_EQ(PlusOf(gap), (Plus{4, 6, 8, 0, 0}));
    EXPECT_EQ(gap[2], 3);
    QuickKeyRecord full = KeyWith({1, 2, 3, 4, 5});
    AddQuickKeyEntry(full, 6, 5);   // a sixth goods replaces the fifth
    EXPECT_EQ(PlusOf(full), (Plus{1, 2, 3, 4, 6}));
    EXPECT_EQ(QuickKeyEntryQuantity(full, 5), 5u);
    EXPECT_EQ(full[2], 5);

    // Removing is driven through the window's bin; a position outside the record touches nothing.
    EXPECT_FALSE(RemoveQuickKeyEntry(full, 0) || RemoveQuickKeyEntry(full, 6));
}

TEST(QuickKeyTexts, QuantitiesAreReadExactlyAndShownWithFourDecimals)
{
    for (const auto& [value, text] : {std::pair<uint32_t, const char*>{10000, "1,0000"}, {5, "0,0005"}, {0, "0,0000"},
                                      {123456789, "12345,6789"}, {UINT32_MAX, "429496,7295"}})
        EXPECT_EQ(FormatQuantity(value), QString(text)) << value;

    using P = QuantityParse;
    struct Case {
        bool Grid;   // the grid window's parser, else the drag-and-drop window's
        const char* Text;
        P Result;
        uint32_t Value;
    };
    const Case cases[] = {
        {false, "0,0003", P::Ok, 3},           {false, "2.5", P::Ok, 25000},          {false, "1,00009", P::Ok, 10000},
        {false, " 3 ", P::Ok, 30000},          {false, "99,9998", P::Ok, 999998},     {false, "99,9999", P::OutOfRange, 0},
        {false, "0", P::OutOfRange, 0},        {false, "0,00001", P::OutOfRange, 0}, {false, "-1", P::OutOfRange, 0},
        {false, "123456789012345678901", P::OutOfRange, 0},                           {false, "abc", P::NotNumber, 0},
        {false, "", P::NotNumber, 0},          {false, "1.2.3", P::NotNumber, 0},     {false, "1,5kg", P::NotNumber, 0},
        {true, "2.5", P::Ok, 25000},           {true, "1,00005", P::Ok, 10001},       {true, "1,00004999", P::Ok, 10000},
        {true, "0", P::Ok, 0},                 {true, "429496,7295", P::Ok, UINT32_MAX},
        {true, "429496,7296", P::OutOfRange, 0}, {true, "-0,5", P::OutOfRange, 0},    {true, "1.000.5", P::NotNumber, 0},
    };
    for (const Case& c : cases) {
        uint32_t value = 0;
        const P result = c.Grid ? ParseKeyQuantity(c.Text, value) : ParseAddedQuantity(c.Text, value);
        EXPECT_EQ(result, c.Result) << c.Text;
        if (c.Result == P::Ok) {
            EXPECT_EQ(value, c.Value) << c.Text;
        }
    }
}
