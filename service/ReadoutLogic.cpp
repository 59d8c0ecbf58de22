#include "service/ReadoutLogic.h"

#include "core/Helpers.h"
#include "platform/Cp1250.h"

#include <QLocale>

namespace {

constexpr int MinWidth = 128, MaxWidth = 400;

} // namespace

QStringList TurnoverLines(const uint8_t* r)
{
    QStringList lines;
    if (r[0] == 0)
        return lines;
    lines << QStringLiteral("Obrót w miesiącu %1-%2").arg(r[0]).arg(unsigned(r[1] | r[2] << 8));
    for (int g = 1; g <= 20; ++g)
        lines << QStringLiteral("Grupa towarowa nr. %1: ").arg(g) +
                     QString::fromStdString(FormatHundredths(RecordU32(r + 3 + 4 * (g - 1))));
    lines << QString(32, QLatin1Char('-'));
    return lines;
}

QStringList HeaderLines(const uint8_t* payload)
{
    QStringList lines;
    for (int i = 0; i < 6; ++i) {
        std::string text;
        for (int k = 0; k < 42; ++k)
            if (const uint8_t b = payload[42 * i + k])
                text += char(b);
        lines << FromCp1250(text);
    }
    return lines;
}

void InvertScreenPixels(uint8_t* bitmap)
{
    for (std::size_t i = ScreenPixelOffset; i < ScreenBitmapSize; ++i)
        bitmap[i] = uint8_t(~bitmap[i]);
}

bool LooksLikeScreenBitmap(const uint8_t* b, std::size_t n)
{
    return n == ScreenBitmapSize && b[0] == 'B' && b[1] == 'M' && RecordU32(b + 10) == ScreenPixelOffset &&
           RecordU32(b + 18) == 128 && RecordU32(b + 22) == 64 && (b[28] | b[29] << 8) == 1;
}

bool ScreenZoom::Grow()
{
    if (Width >= MaxWidth)
        return false;
    Width += 16;
    Height += 8;
    Top -= 4;
    Left -= 8;
    Percent += 6;
    Stretch = true;
    return true;
}

bool ScreenZoom::Shrink()
{
    if (Width <= MinWidth)
        return false;
    Width -= 16;
    Height -= 8;
    Top += 4;
    Left += 8;
    Percent -= 6;
    Stretch = true;
    return true;
}

void ScreenZoom::SetMax() { *this = ScreenZoom{}; }

void ScreenZoom::SetMin() { *this = ScreenZoom{128, 64, 132, 152, 98, false}; }

QString ScreenZoom::Caption() const
{
    QString c = QStringLiteral("Rozmiar = %1 %").arg(Percent);
    if (Percent >= 200)
        c += QStringLiteral(" (MAX)");
    else if (Percent <= 98)
        c += QStringLiteral(" (MIN)");
    return c;
}

std::string CacheDumpTrailer(const QDateTime& when)
{
    const QString text = QStringLiteral("Data wykoniania kopii: ") +
                         QLocale().toString(when.date(), QLocale::ShortFormat) + QStringLiteral(" ") +
                         when.time().toString(QStringLiteral("hh:mm:ss"));
    return "\r" + ToCp1250(text);
}
