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
    // Signature, file size, pixel offset, header size, width, height, planes 1 and 32 bits.
    const std::pair<int, uint32_t> header[] = {{0, 0x4D42}, {2, uint32_t(b.size())}, {10, 54}, {14, 40},
                                               {18, uint32_t(w)}, {22, uint32_t(h)}, {26, 1 | 32 << 16}};
    for (auto [at, v] : header)
        put32(at, v);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            put32(54 + 4 * ((h - 1 - y) * w + x), picture.pixel(x, y) & 0xFFFFFF);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(b);
}
