#pragma once
// The checks and presets of the report windows, without widgets: each check returns the
// message to show ("" when the input is good) and fills in the values to send.
#include <QDate>
#include <QString>
#include <cstdint>

namespace ReportTexts {
inline const QString BadDate = QStringLiteral("Błędna data");
inline const QString BadFirstReport = QStringLiteral("Błędny numer raportu początkowego");
inline const QString BadLastReport = QStringLiteral("Błędny numer raportu końcowego");
inline const QString ReportOrder = QStringLiteral("Raport końcowy musi mieć większy numer niż raport początkowy");
inline const QString ReportRange = QStringLiteral("Numer raportu musi zawierać się w przedziale 1 - 8000a");
inline const QString BadGoodsNumber = QStringLiteral("Błędy numer towaru");
inline const QString GoodsRange = QStringLiteral("Numery towarów muszą zawierać się w przedziale 1-8000");
inline const QString GoodsOrder =
    QStringLiteral("Numer towaru początkowego nie może być większy niż numer towaru końcowego");
} // namespace ReportTexts

// The whole base is PLU 1..8000 whatever the register holds.
constexpr uint16_t WholeBaseLastPlu = 8000;

// A whole number as the user typed it (leading blanks allowed, trailing ones not); false when
// it is not one or does not fit an int.
bool ParseWholeNumber(const QString& text, int& value);

// "Miesięczny": characters 1-2 of the field are the month, 4-7 the year; the month is not
// range-checked (the register refuses a bad one).
QString CheckMonthlyField(const QString& text, uint16_t& year, uint8_t& month);
// The preset of "Miesięczny": the month before today's, in January December of the year before.
QString MonthlyPreset(const QDate& today);

// "Według numerów" of the periodic report: both numbers, in order, within 1..maxReport.
QString CheckReportNumbers(const QString& from, const QString& to, unsigned maxReport, uint16_t& first,
                           uint16_t& last);
// "Raport według numerów PLU": both numbers within 1..8000, in order.
QString CheckGoodsRange(const QString& from, const QString& to, uint16_t& first, uint16_t& last);
// A year field of the turnover report: "Błędna data" when it is not a number that fits.
QString CheckYear(const QString& text, uint16_t& year);
