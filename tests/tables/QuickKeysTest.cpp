// The quick-key quantity texts: read exactly and shown with four decimals.
#include "tests/tables/TablesTest.h"

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
