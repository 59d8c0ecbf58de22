#include "tables/SmallTableLogic.h"

#include "core/Helpers.h"
#include "link/Link.h"
#include "platform/Cp1250.h"
#include "platform/Time.h"
#include "tables/GoodsLogic.h"

#include <algorithm>
#include <climits>

namespace {

using namespace SmallTableTexts;

constexpr uint32_t MaxDiscountPercent = 9999;
constexpr uint32_t MaxDiscountAmount = 99999998;
constexpr unsigned RateDigitCount = 8;
// A "printing" reply is read once more after this long.
constexpr unsigned PrintingWaitMs = 1000;

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The digits before and after the one separator of "[-]digits[,digits]"; false for any other text.
bool SplitDecimal(const QString& text, bool& negative, QString& whole, QString& fraction)
{
    QString t = text.trimmed();
    negative = t.startsWith(u'-');
    if (negative || t.startsWith(u'+'))
        t.remove(0, 1);
    const qsizetype comma = t.indexOf(u',');
    whole = comma < 0 ? t : t.left(comma);
    fraction = comma < 0 ? QString() : t.mid(comma + 1);
    if (whole.isEmpty() && fraction.isEmpty())
        return false;
    return std::all_of(whole.begin(), whole.end(), IsDigit) && std::all_of(fraction.begin(), fraction.end(), IsDigit);
}

QString SlotNumber(const uint8_t* record) { return QString::number(record[SmallField::Number]); }

QString SlotName(const uint8_t* record, const SmallTableGeometry& table)
{
    return FromCp1250(BytesToString(record + SmallField::Name, table.NameWidth));
}

// One row per used slot, made by row from the slot's bytes.
GridRows RowsOf(const SmallTableGeometry& table, const std::function<QStringList(const uint8_t*)>& row)
{
    const RecordBytes all = ReadSmallTableSlots(table);
    GridRows rows;
    for (unsigned s = 0; s < SmallTableSlots; ++s) {
        const uint8_t* r = all.data() + std::size_t(s) * table.RecordSize;
        if (r[SmallField::Number] != 0)
            rows.push_back(row(r));
    }
    return rows;
}

} // namespace

bool ParseRecordNumber(const QString& text, unsigned max, unsigned& number)
{
    unsigned long long value = 0;
    if (!ParseUnsigned(text.toStdString(), value) || value < 1 || value > max)
        return false;
    number = unsigned(value);
    return true;
}

bool IsSpacesOnly(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' '; });
}

NumberCheck CheckDiscountValue(const QString& text, bool amount)
{
    NumberCheck check;
    const qsizetype comma = text.indexOf(u',');
    for (qsizetype i = 0; i < text.size(); ++i)
        if (!(IsDigit(text[i]) || text[i] == u',') || (text[i] == u',' && i != comma)) {
            check.Message = DiscountBadChar;
            return check;
        }
    if (comma >= 0 && text.size() - comma - 1 > 2) {
        check.Message = DiscountBadDecimals;
        return check;
    }
    long long value = 0;
    const bool hasDigit = std::any_of(text.begin(), text.end(), IsDigit);
    if (!hasDigit) {
        check.Message = DiscountBadChar;
        return check;
    }
    // Digits beyond what a long long holds are above every limit.
    const bool parsed = ParseHundredths(text.toStdString(), value);
    const uint32_t max = amount ? MaxDiscountAmount : MaxDiscountPercent;
    if (value < 1 && parsed) {
        check.Message = amount ? DiscountAmountZero : DiscountPercentRange;
    } else if (!parsed || value > max) {
        check.Message = amount ? DiscountAmountMax : DiscountPercentRange;
    } else {
        check.Value = uint32_t(value);
    }
    return check;
}

NumberCheck CheckPackagingPrice(const QString& text)
{
    NumberCheck check;
    QString t = text;
    t.replace(u'.', u',');
    bool negative = false;
    QString whole, fraction;
    long long price = 0;
    if (!SplitDecimal(t, negative, whole, fraction) || negative || !ParseHundredths(t.toStdString(), price) ||
        price > MaxGoodsPrice) {
        check.Message = BadPrice;
    } else if (price == 0) {
        check.Message = ZeroPrice;
    } else {
        check.Value = uint32_t(price);
    }
    return check;
}

QString CheckCurrencyRateValue(const QString& text)
{
    bool negative = false;
    QString whole, fraction;
    if (!SplitDecimal(text, negative, whole, fraction))
        return RateText;
    if (negative)
        return {};
    while (whole.startsWith(u'0'))
        whole.remove(0, 1);
    // Above 999999,99: more than six whole digits, or 999999,99 with more non-zero digits after.
    const QString cents = fraction.left(2);
    const bool moreAfterCents = std::any_of(fraction.begin() + std::min<qsizetype>(2, fraction.size()),
                                            fraction.end(), [](QChar c) { return c != u'0'; });
    if (whole.size() > 6 || (whole == u"999999" && cents == u"99" && moreAfterCents))
        return RateTooLarge;
    return {};
}

CurrencyRate ParseCurrencyRate(const QString& text)
{
    CurrencyRate rate;
    QString t = text;
    t.replace(u'.', u',');
    const qsizetype comma = t.indexOf(u',');
    bool bad = t.isEmpty() || t[0] == u',' || (t[0] == u'0' && (t.size() < 2 || t[1] != u','));
    for (qsizetype i = 0; i < t.size() && !bad; ++i)
        bad = !(IsDigit(t[i]) || t[i] == u',') || (t[i] == u',' && i != comma);
    if (bad) {
        rate.Message = RateDigits;
        return rate;
    }
    unsigned decimals = comma < 0 ? 0 : unsigned(t.size() - comma - 1);
    QString digits = t;
    digits.remove(u',');
    while (digits.size() < RateDigitCount) {
        digits += u'0';
        ++decimals;
    }
    unsigned long long value = 0;
    if (!ParseUnsigned(digits.toStdString(), value) || value > UINT32_MAX || decimals > UINT8_MAX) {
        rate.Message = RateNumber;
        return rate;
    }
    rate.Rate = uint32_t(value);
    rate.Decimals = uint8_t(decimals);
    return rate;
}

unsigned FindCurrencyBySymbol(const std::string& symbol, unsigned slotCount)
{
    std::string padded = symbol.substr(0, SmallField::CurrencySymbolSize);
    padded.resize(SmallField::CurrencySymbolSize, ' ');
    const RecordBytes all = ReadSmallTableSlots(CurrencyTableGeometry);
    for (unsigned s = 0; s < std::min(slotCount, SmallTableSlots); ++s) {
        const uint8_t* r = all.data() + std::size_t(s) * CurrencyRecordSize;
        if (r[SmallField::Number] != 0 && padded.compare(0, padded.size(), reinterpret_cast<const char*>(
                                                                                  r + SmallField::CurrencySymbol),
                                                         SmallField::CurrencySymbolSize) == 0)
            return r[SmallField::Number];
    }
    return 0;
}

QString FormatCurrencyRate(uint32_t rate, uint8_t decimals)
{
    QString digits = QString::number(rate);
    while (digits.size() <= decimals)
        digits.prepend(u'0');
    if (decimals > 0)
        digits.insert(digits.size() - decimals, u',');
    return digits;
}

const QStringList& PaymentTypeNames()
{
    static const QStringList names = {QStringLiteral("Karta płatnicza"), QStringLiteral("Czek"), QStringLiteral("Bon"),
                                      QStringLiteral("Kredyt"), QStringLiteral("Inna")};
    return names;
}

uint8_t PaymentTypeByte(int position) { return uint8_t(std::clamp(position, 0, int(PaymentTypeNames().size()) - 1)); }

QString PaymentTypeText(uint8_t type) { return type < PaymentTypeNames().size() ? PaymentTypeNames()[type] : QString(); }

bool CashierPassword(const QString& text, std::string& password)
{
    QString digits = text;
    digits.remove(u' ');
    unsigned long long value = 0;
    if (!digits.isEmpty() && !ParseUnsigned(digits.toStdString(), value))
        return false;
    password = ToCp1250(text.trimmed()).substr(0, SmallField::CashierPasswordSize);
    return true;
}

int RemovePackagingFromGoods(uint8_t number)
{
    std::vector<unsigned> tied;
    ForEachStoredGoods([&](unsigned plu, const uint8_t* record) {
        if (number != 0 && record[GoodsField::Tandem] == number)
            tied.push_back(plu);
    });
    for (unsigned plu : tied)
        DbWriteByteAt(GoodsRecordOffset(plu) + GoodsField::Tandem, 0);
    return int(tied.size());
}

std::optional<VatCodes> FormVatCodes(const std::array<VatInput, VatLetterCount>& inputs)
{
    VatCodes codes{};
    for (unsigned i = 0; i < VatLetterCount; ++i) {
        const VatInput& in = inputs[i];
        if (in.State == VatState::Inactive) {
            codes[i] = VatInactive;
            continue;
        }
        if (in.State == VatState::Exempt) {
            codes[i] = VatExempt;
            continue;
        }
        QString t = in.Text;
        if (const qsizetype dot = t.indexOf(u'.'); dot >= 0)
            t[dot] = u',';
        bool negative = false;
        QString whole, fraction;
        long long rate = 0;
        if (!SplitDecimal(t, negative, whole, fraction) || negative || !ParseHundredths(t.toStdString(), rate) ||
            rate > MaxVatRate)
            return std::nullopt;
        codes[i] = uint16_t(rate);
    }
    return codes;
}

QString VatCodeText(uint16_t code)
{
    QString digits = QString::number(code);
    while (digits.size() < 3)
        digits.prepend(u'0');
    digits.insert(digits.size() - 2, u'.');
    return digits;
}

GridRows DiscountGridRows(const QString& currencySymbol)
{
    return RowsOf(DiscountTableGeometry, [&](const uint8_t* r) {
        const QString value = FromCp1250(FormatHundredths(RecordU32(r + SmallField::DiscountValue)));
        return QStringList{SlotNumber(r), SlotName(r, DiscountTableGeometry),
                           r[SmallField::DiscountKind] ? QStringLiteral("Narzut") : QStringLiteral("Rabat"),
                           value.rightJustified(10, u' '),
                           r[SmallField::DiscountType] ? currencySymbol : QStringLiteral("%")};
    });
}

GridRows PaymentFormGridRows()
{
    return RowsOf(PaymentFormTableGeometry, [](const uint8_t* r) {
        return QStringList{SlotNumber(r), SlotName(r, PaymentFormTableGeometry),
                           PaymentTypeText(r[SmallField::PaymentFormType])};
    });
}

GridRows CurrencyGridRows()
{
    return RowsOf(CurrencyTableGeometry, [](const uint8_t* r) {
        return QStringList{SlotNumber(r), SlotName(r, CurrencyTableGeometry),
                           FormatCurrencyRate(RecordU32(r + SmallField::CurrencyRate), r[SmallField::CurrencyDecimals]),
                           FromCp1250(BytesToString(r + SmallField::CurrencySymbol, SmallField::CurrencySymbolSize))};
    });
}

GridRows PackagingGridRows()
{
    return RowsOf(PackagingTableGeometry, [](const uint8_t* r) {
        return QStringList{SlotNumber(r), SlotName(r, PackagingTableGeometry),
                           FromCp1250(FormatHundredths(RecordU32(r + SmallField::PackagingPrice)))};
    });
}

GridRows GoodsGroupGridRows()
{
    return RowsOf(GoodsGroupTableGeometry,
                  [](const uint8_t* r) { return QStringList{SlotNumber(r), SlotName(r, GoodsGroupTableGeometry)}; });
}

GridRows CashierGridRows()
{
    return RowsOf(CashierTableGeometry,
                  [](const uint8_t* r) { return QStringList{SlotNumber(r), SlotName(r, CashierTableGeometry)}; });
}

int SendOneFrame(const std::function<int()>& builder, int (*reader)())
{
    DrainInput();
    if (builder() == 0)
        return NothingSent;
    if (!reader)
        return AckAccepted;
    return ReceiveAckWaitingOutPrinting(PrintingWaitMs, reader);
}
