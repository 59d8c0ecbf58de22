#pragma once
// Plain pieces of the read-out windows: group turnover lines, header lines, the screen bitmap
// and its zoom, the cache dump's trailer.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <string>

// GroupTurnoverRecord (frame bytes 7..89): [0] month (0 = no data), [1-2] year, [3..82] twenty
// u32 turnovers. The memo lines of one record: title, twenty groups, dashes; none for month 0.
constexpr std::size_t GroupTurnoverFrameLength = 92;
QStringList TurnoverLines(const uint8_t* record);

// The six lines of a header payload: 42 bytes each, zero bytes dropped wherever they stand.
constexpr std::size_t HeaderFrameLength = 268;
QStringList HeaderLines(const uint8_t* payload);

// ScreenBitmap: a 1-bit BMP of 62 header bytes and 1024 pixel bytes.
constexpr std::size_t ScreenBitmapSize = 1086;
constexpr std::size_t ScreenPixelOffset = 62;
// Inverts the pixel bytes; the header and palette stay.
void InvertScreenPixels(uint8_t* bitmap);
// True when the bytes start like the register's screen bitmap (a BMP of the right size).
bool LooksLikeScreenBitmap(const uint8_t* bitmap, std::size_t n);

// The zoom of the screen picture: 17 steps of 16 x 8 pixels between 128 x 64 and 400 x 200.
struct ScreenZoom {
    int Width = 400, Height = 200, Top = 64, Left = 16, Percent = 200;
    bool Stretch = true;
    // False when already at the end.
    bool Grow();
    bool Shrink();
    void SetMax();
    void SetMin();
    QString Caption() const;
};

// Ends the cache dump file: 0x0D, "Data wykoniania kopii: ", the short date, " ", hh:mm:ss (cp1250).
std::string CacheDumpTrailer(const QDateTime& when);
