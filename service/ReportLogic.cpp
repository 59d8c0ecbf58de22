#include "service/ReportLogic.h"

#include "core/Helpers.h"

#include <limits>

bool ParseWholeNumber(const QString& text, int& value)
{
    // Blanks may lead, not trail (a mask's unfilled places at the end are no number).
    long long v = 0;
    if (text.endsWith(QLatin1Char(' ')) || !ParseSigned(text.toStdString(), v) ||
        v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    value = int(v);
    return true;
}

QString CheckMonthlyField(const QString& text, uint16_t& year, uint8_t& month)
{
    const QString field = text.left(7);
    int m = 0, y = 0;
    if (!ParseWholeNumber(field.mid(0, 2), m) || !ParseWholeNumber(field.mid(3, 4), y) || m < 0 || m > 255 ||
        y < 0 || y > 0xFFFF)
        return ReportTexts::BadDate;
    month = uint8_t(m);
    year = uint16_t(y);
    return {};
}

QString MonthlyPreset(const QDate& today)
{
    const QDate previous = today.addMonths(-1);
    return QStringLiteral("%1-%2").arg(previous.month(), 2, 10, QLatin1Char('0')).arg(previous.year(), 4, 10,
                                                                                       QLatin1Char('0'));
}

QString CheckReportNumbers(const QString& from, const QString& to, unsigned maxReport, uint16_t& first,
                           uint16_t& last)
{
    int a = 0, b = 0;
    if (!ParseWholeNumber(from, a))
        return ReportTexts::BadFirstReport;
    if (!ParseWholeNumber(to, b))
        return ReportTexts::BadLastReport;
    if (b < a)
        return ReportTexts::ReportOrder;
    if (a < 1 || unsigned(b) > maxReport)
        return ReportTexts::ReportRange;
    first = uint16_t(a);
    last = uint16_t(b);
    return {};
}

QString CheckGoodsRange(const QString& from, const QString& to, uint16_t& first, uint16_t& last)
{
    int a = 0, b = 0;
    if (!ParseWholeNumber(from, a) || !ParseWholeNumber(to, b))
        return ReportTexts::BadGoodsNumber;
    if (a < 1 || a > WholeBaseLastPlu || b < 1 || b > WholeBaseLastPlu)
        return ReportTexts::GoodsRange;
    if (a > b)
        return ReportTexts::GoodsOrder;
    first = uint16_t(a);
    last = uint16_t(b);
    return {};
}

QString CheckYear(const QString& text, uint16_t& year)
{
    int y = 0;
    if (!ParseWholeNumber(text, y) || y < 0 || y > 0xFFFF)
        return ReportTexts::BadDate;
    year = uint16_t(y);
    return {};
}
