#pragma once
// What the small-table windows (discounts, payment forms, currencies, packagings, goods groups,
// cashiers, VAT rates) share without widgets: the field checks with their messages, the grid
// rows, and sending one frame.
#include "tables/SmallTableRecords.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace SmallTableTexts {
inline constexpr const char* FileClosed = "     Plik zamknięty.     ";
inline constexpr const char* DiscountBadChar = "Błędna wartość w polu Wartosc";
inline constexpr const char* DiscountBadDecimals = "Błędna wartość w polu Wartość";
inline constexpr const char* DiscountPercentRange =
    "    Wartość rabatu/narzutu procentowego musi zawierać się w przedziale: 0,01 % - 99,99 %      ";
inline constexpr const char* DiscountAmountZero =
    "    Wartość rabatu/narzutu kwotowego nie może być mniejsza lub równa 0     ";
inline constexpr const char* DiscountAmountMax = "    Maksymalna wartość rabatu/narzutu kwotowego to 999999,98     ";
inline constexpr const char* RateText = "Błędnie wypełnione pole KURS!";
inline constexpr const char* RateTooLarge = "Zbyt duża wartosc w polu KURS!";
inline constexpr const char* RateDigits = "Błędna wartość w polu Kurs";
inline constexpr const char* RateNumber = "     Błędna wartość w polu Kurs     ";
inline constexpr const char* BadPrice = "     Błędna wartość w polu Cena     ";
inline constexpr const char* ZeroPrice = "     Cena musi mieć wartość niezerową     ";
inline constexpr const char* BadVatFields = "Błędnie wypełnione pola!";
} // namespace SmallTableTexts

// ---- field checks ----

// The number of a number field: a whole number 1..max.
bool ParseRecordNumber(const QString& text, unsigned max, unsigned& number);
// True for a non-empty text of blanks only.
bool IsSpacesOnly(const QString& text);

// A checked number: the value, or the message of its refusal.
struct NumberCheck {
    uint32_t Value = 0;
    QString Message;
    bool Ok() const { return Message.isEmpty(); }
};
// A discount value in hundredths: "12,5" -> 1250. Percent 0,01..99,99; amount 0,01..999999,98.
NumberCheck CheckDiscountValue(const QString& text, bool amount);
// A packaging price in grosze, 0,01..999999,99 ('.' or ',' before the grosze).
NumberCheck CheckPackagingPrice(const QString& text);

// A currency rate as its field holds it (the first '.' already made ','): empty when the value
// is a number not above 999999,99, else the message.
QString CheckCurrencyRateValue(const QString& text);
// The rate's digits without the comma, widened by zeros to at least 8, and how many of them
// stand after the comma: "4,25" -> 42500000 with 7 decimals.
struct CurrencyRate {
    uint32_t Rate = 0;
    uint8_t Decimals = 0;
    QString Message;
    bool Ok() const { return Message.isEmpty(); }
};
CurrencyRate ParseCurrencyRate(const QString& text);
// The number of a used currency among the first slotCount slots whose symbol bytes equal symbol padded
// with spaces to 3; 0 when none.
unsigned FindCurrencyBySymbol(const std::string& symbol, unsigned slotCount);
// 42500000 with 7 decimals -> "4,2500000".
QString FormatCurrencyRate(uint32_t rate, uint8_t decimals);

// The register's payment-form types, in the order of the type list: the byte is the position.
const QStringList& PaymentTypeNames();
uint8_t PaymentTypeByte(int position);
// The type's name; empty for a byte the register does not know.
QString PaymentTypeText(uint8_t type);

// A cashier password from its field's text (blanks for unfilled places): the digits without the
// blanks around them, at most 4; false when what is left is not a number.
bool CashierPassword(const QString& text, std::string& password);

// Unties every goods record from packaging number (its tandem byte becomes 0); returns how many
// goods were untied. Nothing from an unusable image.
int RemovePackagingFromGoods(uint8_t number);

// ---- VAT rates ----
enum class VatState { Taxed, Exempt, Inactive };
struct VatInput {
    QString Text;
    VatState State = VatState::Inactive;
};
// The seven codes from the seven letters' inputs; none (nothing may be written) when a taxed
// letter's text is not a rate 0..99,99 with '.' or ',' before the hundredths.
std::optional<VatCodes> FormVatCodes(const std::array<VatInput, VatLetterCount>& inputs);
// A taxed code as its field shows it: 2300 -> "23.00", 5 -> "0.05".
QString VatCodeText(uint16_t code);

// ---- grid rows: one per used slot of the table, in slot order; none from an unusable image ----
using GridRows = std::vector<QStringList>;
GridRows DiscountGridRows(const QString& currencySymbol);
GridRows PaymentFormGridRows();
GridRows CurrencyGridRows();
GridRows PackagingGridRows();
GridRows GoodsGroupGridRows();
GridRows CashierGridRows();

// ---- sending ----
// What SendOneFrame returns when the builder sent nothing.
constexpr int NothingSent = -1;
// Drains the line and calls the builder. When it sent a frame and a reader is given, reads the
// reply with it, waiting a "printing" reply out once (1000 ms). Returns NothingSent, the reply's
// result, or AckAccepted when no reply is read.
int SendOneFrame(const std::function<int()>& builder, int (*reader)() = nullptr);
