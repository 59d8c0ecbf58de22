#include "tables/HaloLogic.h"

QString HaloAmountText(uint32_t hundredths)
{
    if (hundredths == 0)
        return QStringLiteral(",0");
    // Two digits after the comma always: ",5" would read back as 50.
    QString digits = QString::number(hundredths).rightJustified(2, u'0');
    digits.insert(digits.size() - 2, u',');
    return digits.startsWith(QStringLiteral("0,")) ? digits.mid(1) : digits;
}

bool ParseHaloAmount(const QString& typed, uint32_t& hundredths)
{
    const QString text = typed.trimmed();
    unsigned long long whole = 0;
    unsigned long long fraction = 0;
    int fractionDigits = 0;
    bool separator = false;
    bool anyDigit = false;
    bool roundUp = false;
    for (QChar c : text) {
        if (c == u',' || c == u'.') {
            if (separator)
                return false;
            separator = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            return false;
        anyDigit = true;
        const int d = c.unicode() - u'0';
        if (!separator) {
            whole = whole * 10 + unsigned(d);
            if (whole > 0xFFFFFFFFull)
                return false;
        } else if (fractionDigits < 2) {
            fraction = fraction * 10 + unsigned(d);
            ++fractionDigits;
        } else if (fractionDigits++ == 2) {
            roundUp = d >= 5;
        }
    }
    if (!anyDigit)
        return false;
    if (fractionDigits == 1)
        fraction *= 10;
    const unsigned long long value = whole * 100 + fraction + (roundUp ? 1 : 0);
    if (value > 0xFFFFFFFFull)
        return false;
    hundredths = uint32_t(value);
    return true;
}
