#include "core/Helpers.h"

#include <gtest/gtest.h>
#include <sstream>

TEST(Helpers, FormatHundredthsPutsTheCommaBeforeTwoDigits)
{
    EXPECT_EQ(FormatHundredths(123), "1,23");
    EXPECT_EQ(FormatHundredths(5), "0,05");
    EXPECT_EQ(FormatHundredths(0), "0,00");
    EXPECT_EQ(FormatHundredths(67890), "678,90");
    EXPECT_EQ(FormatHundredths(100), "1,00");
    EXPECT_EQ(FormatHundredths(99), "0,99");
    EXPECT_EQ(FormatHundredths(2147483647), "21474836,47");
    EXPECT_EQ(FormatHundredths(-5), "-0,05");
}

TEST(Helpers, SmallByteAndTextHelpers)
{
    EXPECT_EQ(IntToStr2(7), "07");
    EXPECT_EQ(IntToStr2(0), "00");
    EXPECT_EQ(IntToStr2(123), "123");

    const uint8_t name[6] = {'A', 'b', 0, 'x', 'y', 'z'};
    EXPECT_EQ(BytesToString(name, 6), "Ab");
    EXPECT_EQ(BytesToString(name + 3, 3), "xyz");

    uint8_t buf[5] = {9, 9, 9, 9, 9};
    ZeroBuffer(buf, 0);
    ZeroBytes(buf, -3);
    ZeroBytes(buf, 0);
    EXPECT_EQ(buf[0], 9);
    ZeroBuffer(buf, 2);
    ZeroBytes(buf + 2, 1);
    EXPECT_EQ(std::vector<uint8_t>(buf, buf + 5), (std::vector<uint8_t>{0, 0, 0, 9, 9}));
}

TEST(Helpers, ReadCsvFieldFindsFieldsOfLines)
{
    std::istringstream file("a;b\r\nc;;d;e\n" + std::string(50, 'x') + ";k\nlast;line");
    EXPECT_EQ(ReadCsvField(file, 0, 0), "a");
    EXPECT_EQ(ReadCsvField(file, 0, 1), "b\r");  // a CR stays in the last field of its line
    EXPECT_EQ(ReadCsvField(file, 0, 2), "");
    EXPECT_EQ(ReadCsvField(file, 1, 1), "");
    EXPECT_EQ(ReadCsvField(file, 1, 3), "e");
    EXPECT_EQ(ReadCsvField(file, 2, 0), std::string(42, 'x'));
    EXPECT_EQ(ReadCsvField(file, 2, 1), "k");
    // The last line has no LF: read whole, its last character once.
    EXPECT_EQ(ReadCsvField(file, 3, 1), "line");
    EXPECT_EQ(ReadCsvField(file, 3, 2), "");
    EXPECT_EQ(ReadCsvField(file, 4, 0), "");
    // Each call starts over, also after one that ran into the end.
    EXPECT_EQ(ReadCsvField(file, 0, 0), "a");

    std::istringstream a("a;b");
    EXPECT_EQ(ReadCsvField(a, 0, 0), "a");
    EXPECT_EQ(ReadCsvField(a, 0, 2), "");
}

TEST(Helpers, ReadTextLineReadsLineByLine)
{
    std::istringstream file("one\r\n\ntwo\n" + std::string(705, 'y') + "\nthree");
    EXPECT_EQ(ReadTextLine(file), "one");
    EXPECT_EQ(ReadTextLine(file), "");
    EXPECT_EQ(ReadTextLine(file), "two");
    EXPECT_EQ(ReadTextLine(file), std::string(700, 'y'));
    EXPECT_EQ(ReadTextLine(file), "yyyyy");
    EXPECT_EQ(ReadTextLine(file), "three");
    EXPECT_EQ(ReadTextLine(file), "");
    EXPECT_EQ(ReadTextLine(file), "");
}

TEST(Helpers, CsvFieldOfLine)
{
    EXPECT_EQ(CsvFieldOfLine("x;y;z", 1), "y");
    EXPECT_EQ(CsvFieldOfLine("x;y;z", 2), "z");
    EXPECT_EQ(CsvFieldOfLine("x;y;z", 3), "");
    EXPECT_EQ(CsvFieldOfLine("x;y;z", 0), "x");
    EXPECT_EQ(CsvFieldOfLine("x;y\r", 1), "y");
    EXPECT_EQ(CsvFieldOfLine("", 0), "");
}

TEST(Helpers, ParseUnsignedAndSignedAreExact)
{
    unsigned long long u = 7;
    EXPECT_TRUE(ParseUnsigned("0", u));
    EXPECT_EQ(u, 0u);
    EXPECT_TRUE(ParseUnsigned(" 42 ", u));
    EXPECT_EQ(u, 42u);
    EXPECT_TRUE(ParseUnsigned("18446744073709551615", u));
    EXPECT_EQ(u, 18446744073709551615ULL);
    for (const char* bad : {"18446744073709551616", "99999999999999999999999", "", " ", "12a", "1 2", "-1", "1.0"})
        EXPECT_FALSE(ParseUnsigned(bad, u)) << bad;

    long long s = 0;
    EXPECT_TRUE(ParseSigned("-5", s));
    EXPECT_EQ(s, -5);
    EXPECT_TRUE(ParseSigned("+5", s));
    EXPECT_EQ(s, 5);
    EXPECT_TRUE(ParseSigned("-9223372036854775808", s));
    EXPECT_EQ(s, std::numeric_limits<long long>::min());
    EXPECT_TRUE(ParseSigned("9223372036854775807", s));
    EXPECT_EQ(s, std::numeric_limits<long long>::max());
    for (const char* bad : {"9223372036854775808", "-9223372036854775809", "--1", "-", "x"})
        EXPECT_FALSE(ParseSigned(bad, s)) << bad;
}

TEST(Helpers, ParseHundredthsIsExactAndLocaleFree)
{
    struct Case {
        const char* Text;
        long long Expect;
    };
    for (const Case& c : {Case{"12.5", 1250}, Case{"12,5", 1250}, Case{"0,005", 0}, Case{"999999,99", 99999999},
                          Case{"1,239", 123}, Case{"7", 700}, Case{",5", 50}, Case{"3,", 300}, Case{" 0,10 ", 10},
                          Case{"-3,5", -350}, Case{"0,29", 29}, Case{"92233720368547758,07", 9223372036854775807LL}}) {
        long long v = -1;
        EXPECT_TRUE(ParseHundredths(c.Text, v)) << c.Text;
        EXPECT_EQ(v, c.Expect) << c.Text;
    }
    for (const char* bad : {"abc", "", ",", "-", "1,2x", "1.2.3", "1,2,3", "1 000", "92233720368547758,08",
                            "99999999999999999999", "1e3"}) {
        long long v = 0;
        EXPECT_FALSE(ParseHundredths(bad, v)) << bad;
    }
}
