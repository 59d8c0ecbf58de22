#include "tables/RecordCurrencyLogic.h"

#include "platform/Cp1250.h"

namespace {

constexpr int RateDigitCount = 8;

} // namespace

RecordCurrencyRateParse ParseRecordCurrencyRate(const QString& typed)
{
    RecordCurrencyRateParse parse;
    const QString text = QString(typed).replace(u'.', u',');
    const QString badShort = QStringLiteral("Błędna wartość w polu Kurs");
    const QString badLong = QStringLiteral("     Błędna wartość w polu Kurs     ");
    const qsizetype comma = text.indexOf(u',');
    bool onlyDigitsAndComma = true;
    for (QChar c : text)
        onlyDigitsAndComma = onlyDigitsAndComma && ((c.isDigit() && c.unicode() < 128) || c == u',');
    if ((text.startsWith(u'0') && !text.startsWith(QStringLiteral("0,"))) || text.startsWith(u',') ||
        !onlyDigitsAndComma || text.count(u',') > 1) {
        parse.Refusal = badShort;
        return parse;
    }
    QString digits = text;
    digits.remove(u',');
    const int afterComma = comma < 0 ? 0 : int(text.size() - comma - 1);
    // A comma at the end and more than eight digits do not make a rate of eight digits.
    if (digits.isEmpty() || digits.size() > RateDigitCount || (comma >= 0 && afterComma == 0)) {
        parse.Refusal = badLong;
        return parse;
    }
    const int added = RateDigitCount - int(digits.size());
    digits += QString(added, u'0');
    parse.Rate.Digits = digits.toUInt();
    parse.Rate.Decimals = uint8_t(afterComma + added);
    if (parse.Rate.Digits == 0)
        parse.Refusal = badLong;
    return parse;
}

QString RecordCurrencyRateText(const RecordCurrencyRate& rate)
{
    QString digits = QString::number(rate.Digits).rightJustified(rate.Decimals + 1, u'0');
    QString whole = digits.left(digits.size() - rate.Decimals);
    QString fraction = digits.right(rate.Decimals);
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    return fraction.isEmpty() ? whole : whole + u',' + fraction;
}

std::string PaddedCurrencySymbol(const QString& symbol)
{
    std::string s = ToCp1250(symbol);
    if (s.size() < 3)
        s.insert(0, 3 - s.size(), ' ');
    return s;
}
