#include "core/Helpers.h"

#include <gtest/gtest.h>
#include <limits>

TEST(Helpers, SmallByteAndTextHelpers)
{
    EXPECT_EQ(IntToStr2(7), "07");
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

TEST(Helpers, ParseUnsignedAndSignedAreExact)
{
    const std::pair<const char*, unsigned long long> unsignedOk[] = {
        {"0", 0}, {" 42 ", 42}, {"18446744073709551615", 18446744073709551615ULL}};
    for (const auto& [text, value] : unsignedOk) {
        unsigned long long u = 7;
        EXPECT_TRUE(ParseUnsigned(text, u) && u == value) << text;
    }
    const std::pair<const char*, long long> signedOk[] = {
        {"-5", -5}, {"+5", 5}, {"-9223372036854775808", std::numeric_limits<long long>::min()},
        {"9223372036854775807", std::numeric_limits<long long>::max()}};
    for (const auto& [text, value] : signedOk) {
        long long v = 0;
        EXPECT_TRUE(ParseSigned(text, v) && v == value) << text;
    }
    unsigned long long u = 0;
    for (const char* bad : {"18446744073709551616", "99999999999999999999999", "", " ", "12a", "1 2", "-1", "1.0"})
        EXPECT_FALSE(ParseUnsigned(bad, u)) << bad;
    long long s = 0;
    for (const char* bad : {"9223372036854775808", "-9223372036854775809", "--1", "-", "x"})
        EXPECT_FALSE(ParseSigned(bad, s)) << bad;
}

TEST(Helpers, HundredthsAreParsedExactlyAndLocaleFreeAndShownWithAComma)
{
    const std::pair<long long, const char*> shown[] = {{123, "1,23"}, {5, "0,05"}, {0, "0,00"}, {100, "1,00"},
                                                       {99, "0,99"}, {2147483647, "21474836,47"}, {-5, "-0,05"}};
    for (const auto& [value, text] : shown)
        EXPECT_EQ(FormatHundredths(value), text);
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
