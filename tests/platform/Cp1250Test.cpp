#include "platform/Cp1250.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace {

// The five bytes the code page leaves undefined; ours map to the C1 control of the same value.
bool IsUndefinedByte(unsigned b) { return b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98; }

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(::iconv_open(to, from)) {}
    ~Iconv()
    {
        if (ok())
            ::iconv_close(cd_);
    }
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    // Converts the input whole; false when the reference has no mapping.
    bool Convert(const char* in, std::size_t inSize, char* out, std::size_t& outSize)
    {
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        char* dst = out;
        std::size_t inLeft = inSize, outLeft = outSize;
        if (::iconv(cd_, &src, &inLeft, &dst, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0)
            return false;
        outSize -= outLeft;
        return true;
    }

private:
    iconv_t cd_;
};

} // namespace

TEST(Cp1250, EveryByteDecodesAsTheReferenceDoes)
{
    Iconv ref("UTF-16LE", "CP1250");
    ASSERT_TRUE(ref.ok());
    int undefined = 0;
    for (unsigned b = 0; b <= 0xFF; ++b) {
        const char in = static_cast<char>(b);
        char out[8];
        std::size_t outSize = sizeof out;
        if (!ref.Convert(&in, 1, out, outSize)) {
            ++undefined;
            EXPECT_TRUE(IsUndefinedByte(b)) << "byte " << b;
            EXPECT_EQ(Cp1250ToUnicode(static_cast<unsigned char>(b)), char16_t(b)) << "byte " << b;
            continue;
        }
        ASSERT_EQ(outSize, 2u) << "byte " << b;
        const char16_t expected = char16_t(static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8);
        EXPECT_EQ(Cp1250ToUnicode(static_cast<unsigned char>(b)), expected) << "byte " << b;
    }
    EXPECT_EQ(undefined, 5);
}

TEST(Cp1250, EveryCharacterEncodesAsTheReferenceDoes)
{
    Iconv ref("CP1250", "UTF-16LE");
    ASSERT_TRUE(ref.ok());
    int mapped = 0;
    for (unsigned c = 0; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            EXPECT_EQ(UnicodeToCp1250(char16_t(c)), -1);
            continue;
        }
        const char in[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        char out[8];
        std::size_t outSize = sizeof out;
        int expected = -1;
        if (ref.Convert(in, 2, out, outSize) && outSize == 1)
            expected = static_cast<unsigned char>(out[0]);
        if (c <= 0xFF && IsUndefinedByte(c))
            expected = int(c);
        const int got = UnicodeToCp1250(char16_t(c));
        if (got != expected)
            ADD_FAILURE() << "U+" << std::hex << c << ": " << got << " instead of " << expected;
        if (got >= 0)
            ++mapped;
    }
    EXPECT_EQ(mapped, 256);  // one character for every byte, no more
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
