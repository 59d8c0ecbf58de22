#include "platform/Cp1250.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <vector>

TEST(Cp1250, EveryByteAndCharacterConvertsAsTheReferenceDoes)
{
    iconv_t ref = ::iconv_open("UTF-16LE", "CP1250");
    ASSERT_NE(ref, reinterpret_cast<iconv_t>(-1));
    // Encoding must be the exact inverse of the reference's decoding: no character maps to two bytes.
    std::vector<int> byteOf(0x10000, -1);
    int undefined = 0;
    for (unsigned b = 0; b <= 0xFF; ++b) {
        char in = static_cast<char>(b);
        char out[2];
        char* src = &in;
        char* dst = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        char16_t expected = char16_t(b);
        if (::iconv(ref, &src, &inLeft, &dst, &outLeft) != static_cast<std::size_t>(-1) && outLeft == 0) {
            expected = char16_t(static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8);
        } else {
            // One of the five bytes the code page leaves undefined: ours map to the C1 control
            // of the same value.
            ++undefined;
            EXPECT_TRUE(b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98) << "byte " << b;
        }
        EXPECT_EQ(Cp1250ToUnicode(static_cast<unsigned char>(b)), expected) << "byte " << b;
        byteOf[expected] = int(b);
    }
    ::iconv_close(ref);
    EXPECT_EQ(undefined, 5);
    for (unsigned c = 0; c <= 0xFFFF; ++c) {
        const int got = UnicodeToCp1250(char16_t(c));
        if (got != byteOf[c])
            ADD_FAILURE() << "U+" << std::hex << c << ": " << got << " instead of " << byteOf[c];
    }
}

TEST(Cp1250, TextsConvertBothWaysAndOutsidersAreNamedOnce)
{
    std::string all;
    for (int b = 0; b <= 0xFF; ++b)
        all.push_back(static_cast<char>(b));
    const QString text = FromCp1250(all);
    ASSERT_EQ(text.size(), 256);  // the zero byte stays a character
    EXPECT_EQ(ToCp1250(text), all);
    EXPECT_EQ(FromCp1250(reinterpret_cast<const unsigned char*>(all.data()), all.size()), text);

    // Outside the code page: a question mark when converted, each named once when refused.
    EXPECT_EQ(ToCp1250(QString::fromUtf8("a→b日ç")), std::string("a?b?\xE7"));
    EXPECT_TRUE(Cp1250Refusal(QString::fromUtf8("Żółć € „x”")).isEmpty());
    EXPECT_EQ(CharactersOutsideCp1250(QString::fromUtf8("Kawa ☕ 🍺🍺 Чай и чай")), QString::fromUtf8("☕ 🍺 Ч а й и ч"));
    EXPECT_EQ(Cp1250Refusal(QString::fromUtf8("Чай")),
              QString::fromUtf8("Tekst „Чай” zawiera znaki, których kasa nie obsługuje: Ч а й"));
}
