#pragma once
// Pictures for the graphics tests.
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdint>

// Black on the left half, white on the right.
inline QImage HalfBlackPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x)
            image.setPixel(x, y, qRgb(0, 0, 0));
    return image;
}

// A 32-bit uncompressed BMP, which Qt's own writer does not make.
inline void WriteBmp32(const QString& path, const QImage& picture)
{
    const int w = picture.width(), h = picture.height();
    QByteArray b(54 + 4 * w * h, '\0');
    auto put32 = [&b](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, uint32_t(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(w));
    put32(22, uint32_t(h));
    b[26] = 1;
    b[28] = 32;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            put32(54 + 4 * ((h - 1 - y) * w + x), picture.pixel(x, y) & 0xFFFFFF);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(b);
}
