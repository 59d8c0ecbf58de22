// The small tables without windows: the field checks with their messages and the VAT codes.
#include "tables/SmallTableLogic.h"
#include "tests/tables/TablesTest.h"

namespace {

using namespace SmallTableTexts;

struct DiscountCase {
    bool Amount;             // else a percentage
    const char* Text;
    uint32_t Value;          // when accepted
    const char* Message;     // nullptr: accepted
};

std::array<VatInput, VatLetterCount> AllInactive()
{
    std::array<VatInput, VatLetterCount> in;
    for (VatInput& v : in)
        v = {QStringLiteral("x"), VatState::Inactive};
    return in;
}

} // namespace

TEST(SmallTableChecks, DiscountValueIsExactAndRangeCheckedByType)
{
    const DiscountCase cases[] = {
        {false, "12,5", 1250, nullptr},          {false, "99,99", 9999, nullptr},
        {false, "0,01", 1, nullptr},             {false, "100", 0, DiscountPercentRange},
        {false, "0", 0, DiscountPercentRange},   {false, "0,001", 0, DiscountBadDecimals},
        {false, "1.5", 0, DiscountBadChar},      {false, "1,2,3", 0, DiscountBadChar},
        {false, "-5", 0, DiscountBadChar},       {false, ",", 0, DiscountBadChar},
        {false, "42949723", 0, DiscountPercentRange},   // cut to 32 bits this would be 5004 (50,04 %)
        {true, "999999,98", 99999998, nullptr},  {true, "0,01", 1, nullptr},
        {true, "999999,99", 0, DiscountAmountMax}, {true, "0,00", 0, DiscountAmountZero},
        {true, "42949723", 0, DiscountAmountMax}, {true, "99999999999999999999", 0, DiscountAmountMax},
    };
    for (const DiscountCase& c : cases) {
        const NumberCheck got = CheckDiscountValue(QString::fromUtf8(c.Text), c.Amount);
        if (c.Message) {
            EXPECT_EQ(got.Message, QString::fromUtf8(c.Message)) << c.Text;
        } else {
            EXPECT_TRUE(got.Ok()) << c.Text << ": " << got.Message.toStdString();
            EXPECT_EQ(got.Value, c.Value) << c.Text;
        }
    }
}

TEST(SmallTableChecks, CurrencyRateKeepsItsDigitsAndDecimals)
{
    EXPECT_EQ(CheckCurrencyRateValue("999999,99"), "");
    EXPECT_EQ(CheckCurrencyRateValue("999999,990"), "");
    EXPECT_EQ(CheckCurrencyRateValue("999999,991"), RateTooLarge);
    EXPECT_EQ(CheckCurrencyRateValue("1000000"), RateTooLarge);
    EXPECT_EQ(CheckCurrencyRateValue("4,2x"), RateText);

    struct RateCase {
        const char* Text;
        uint32_t Rate;
        uint8_t Decimals;
        const char* Message;
    };
    const RateCase cases[] = {
        {"4,25", 42500000, 7, nullptr},  {"4.25", 42500000, 7, nullptr}, {"999999,99", 99999999, 2, nullptr},
        {"0,5", 5000000, 7, nullptr},    {"12345678", 12345678, 0, nullptr},
        {"05", 0, 0, RateDigits},        {",5", 0, 0, RateDigits},      {"0", 0, 0, RateDigits},
        {"1,2,3", 0, 0, RateDigits},     {"-4", 0, 0, RateDigits},      {"99999999999", 0, 0, RateNumber},
    };
    for (const RateCase& c : cases) {
        const CurrencyRate r = ParseCurrencyRate(QString::fromUtf8(c.Text));
        if (c.Message) {
            EXPECT_EQ(r.Message, QString::fromUtf8(c.Message)) << c.Text;
            continue;
        }
        EXPECT_TRUE(r.Ok()) << c.Text;
        EXPECT_EQ(r.Rate, c.Rate) << c.Text;
        EXPECT_EQ(r.Decimals, c.Decimals) << c.Text;
    }
    EXPECT_EQ(FormatCurrencyRate(12345678, 0), "12345678");
}

TEST(SmallTableChecks, VatCodesAreFormedWholeOrNotAtAll)
{
    auto in = AllInactive();
    in[0] = {"23,5", VatState::Taxed};
    in[1] = {"23.5", VatState::Taxed};
    in[2] = {"99.99", VatState::Taxed};
    in[3] = {"0.059", VatState::Taxed};
    in[4] = {"not a number", VatState::Exempt};
    std::optional<VatCodes> codes = FormVatCodes(in);
    ASSERT_TRUE(codes);
    EXPECT_EQ(*codes, (VatCodes{2350, 2350, 9999, 5, VatExempt, VatInactive, VatInactive}));

    for (const char* refused : {"100", "655.36", "-1", "", "1.2.3", "abc"}) {
        auto bad = AllInactive();
        bad[6] = {QString::fromUtf8(refused), VatState::Taxed};
        EXPECT_FALSE(FormVatCodes(bad)) << refused;
    }
    EXPECT_EQ(VatCodeText(5), "0.05");
}

TEST(SmallTableChecks, CashierPasswordAndCodePage)
{
    std::string password = "x";
    EXPECT_TRUE(CashierPassword("    ", password) && password.empty());
    EXPECT_TRUE(CashierPassword(" 12 ", password) && password == "12");
    EXPECT_FALSE(CashierPassword("12a ", password));
}
