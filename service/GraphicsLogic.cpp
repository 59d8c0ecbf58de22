#include "service/GraphicsLogic.h"

#include "platform/RegularFile.h"
#include "service/JpegDecoder.h"

#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cstdlib>

namespace {

void Put16(QByteArray& b, int at, uint16_t v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

void Put32(QByteArray& b, int at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

// The source pixel under the centre of target pixel i of n, over a source of size s.
int CentreSample(int i, int n, int s) { return int((2LL * i + 1) * s / (2LL * n)); }

template <class WhiteTest>
MonoPicture Fit(const QImage& source, WhiteTest white)
{
    // Only the sampled pixels are read: no converted copy of a large picture.
    MonoPicture p;
    if (source.isNull())
        return p;
    for (int y = 0; y < GraphicCanvasHeight; ++y) {
        const int sy = CentreSample(y, GraphicCanvasHeight, source.height());
        for (int x = 0; x < GraphicCanvasWidth; ++x) {
            const QRgb px = source.pixel(CentreSample(x, GraphicCanvasWidth, source.width()), sy);
            p.Set(x, y, !white(qRed(px), qGreen(px), qBlue(px)));
        }
    }
    return p;
}

uint32_t Get16(const QByteArray& b, int at) { return uint8_t(b[at]) | uint32_t(uint8_t(b[at + 1])) << 8; }
uint32_t Get32(const QByteArray& b, int at) { return Get16(b, at) | Get16(b, at + 2) << 16; }

// Whether run-length pixel data from the file's position on reaches the picture's last row, by
// its end code or row by row. Qt's reader stops where the data stops and leaves the rows it did
// not reach blank.
bool RleReachesLastRow(QIODevice& f, qint64 width, qint64 height, bool fourBits)
{
    qint64 x = 0, y = 0;
    uint8_t pair[2];
    while (y < height) {
        if (f.read(reinterpret_cast<char*>(pair), 2) != 2)
            return y == height - 1 && x >= width;
        if (pair[0] != 0) {   // a run of one colour
            x += pair[0];
            continue;
        }
        switch (pair[1]) {
        case 0:                      // end of row
            x = 0;
            ++y;
            break;
        case 1: return true;         // end of picture
        case 2:                      // a jump right and down
            if (f.read(reinterpret_cast<char*>(pair), 2) != 2)
                return false;
            x += pair[0];
            y += pair[1];
            break;
        default: {                   // pixels as they stand, padded to 16 bits
            const qint64 bytes = fourBits ? (pair[1] + 1) / 2 : pair[1];
            if (f.skip(bytes + (bytes & 1)) != bytes + (bytes & 1))
                return false;
            x += pair[1];
        }
        }
    }
    return true;
}

// Whether the BMP file holds every pixel row its header promises. Qt's reader fills the rows of
// a file cut short without a word; such a picture is refused instead. A compressed file is
// measured by the size its header gives, when it gives one, and by its data.
bool BmpIsWhole(QFile& f)
{
    constexpr int FileHeader = 14;
    const QByteArray head = f.peek(54);
    if (head.size() < FileHeader + 12)
        return true;   // too short for a header: Qt's reader refuses it itself
    const qint64 pixelsAt = Get32(head, 10);
    const uint32_t infoSize = Get32(head, 14);
    qint64 width = 0, height = 0, bits = 0, needed = 0;
    uint32_t compression = 0;
    if (infoSize == 12) {
        width = Get16(head, 18);
        height = Get16(head, 20);
        bits = Get16(head, 24);
    } else if (infoSize >= 40 && head.size() >= FileHeader + 40) {
        width = int32_t(Get32(head, 18));
        height = int32_t(Get32(head, 22));
        bits = Get16(head, 28);
        compression = Get32(head, 30);
    } else {
        return true;
    }
    if (std::abs(width) > 0xFFFFFF || std::abs(height) > 0xFFFFFF || bits > 64)
        return true;   // beyond any picture Qt's reader takes
    enum { Rgb = 0, Rle8 = 1, Rle4 = 2, Bitfields = 3, AlphaBitfields = 6 };
    if (compression == Rgb || compression == Bitfields || compression == AlphaBitfields)
        needed = (std::abs(width) * bits + 31) / 32 * 4 * std::abs(height);
    else if (compression == Rle8 || compression == Rle4)
        needed = Get32(head, 34);
    if (pixelsAt + needed > f.size())
        return false;
    if (compression != Rle8 && compression != Rle4)
        return true;
    const bool whole = f.seek(pixelsAt) &&
                       RleReachesLastRow(f, std::abs(width), std::abs(height), compression == Rle4);
    return f.seek(0) && whole;
}

} // namespace

GraphicFileKind GraphicKindOfName(const QString& path)
{
    const QString lower = path.toLower();
    if (lower.endsWith(QStringLiteral(".bmp")))
        return GraphicFileKind::Bmp;
    if (lower.endsWith(QStringLiteral(".jpg")) || lower.endsWith(QStringLiteral(".jpeg")))
        return GraphicFileKind::Jpeg;
    return GraphicFileKind::Other;
}

QImage LoadGraphicFile(const QString& path)
{
    const GraphicFileKind kind = GraphicKindOfName(path);
    QFile f;
    if (kind == GraphicFileKind::Other || !OpenRegularFile(f, path))
        return {};
    if (kind == GraphicFileKind::Bmp) {
        if (!BmpIsWhole(f))
            return {};
        QImageReader reader(&f, "bmp");
        return reader.read();
    }
    if (f.size() > JpegMaxFileBytes)
        return {};
    return DecodeJpeg(f.readAll());
}

MonoPicture MonochromeOfSource(const QImage& source)
{
    return Fit(source, [](int r, int g, int b) { return r == 255 && g == 255 && b == 255; });
}

std::optional<MonoPicture> ContrastOfSource(const QImage& source, int threshold)
{
    if (source.isNull() || source.depth() == 1)
        return std::nullopt;
    const int t = std::clamp(threshold, 0, 255);
    return Fit(source, [t](int r, int g, int b) { return r > t && g > t && b > t; });
}

MonoPicture ApplyGraphicOffsets(const MonoPicture& converted, const GraphicRect& dest)
{
    MonoPicture view;
    const int w = dest.Right - dest.Left, h = dest.Bottom - dest.Top;
    if (w <= 0 || h <= 0)
        return view;
    const int x0 = std::max(dest.Left, 0), x1 = std::min(dest.Right, GraphicCanvasWidth);
    const int y0 = std::max(dest.Top, 0), y1 = std::min(dest.Bottom, GraphicCanvasHeight);
    for (int y = y0; y < y1; ++y) {
        const int sy = CentreSample(y - dest.Top, h, GraphicCanvasHeight);
        for (int x = x0; x < x1; ++x)
            view.Set(x, y, converted.At(CentreSample(x - dest.Left, w, GraphicCanvasWidth), sy));
    }
    return view;
}

GraphicControlRange RangeOf(GraphicControl control)
{
    switch (control) {
    case GraphicControl::ShiftVertical: return {-95, 95, 3};
    case GraphicControl::ShiftHorizontal: return {-380, 380, 4};
    case GraphicControl::ZoomVertical: return {-46, 46, 1};
    case GraphicControl::ZoomHorizontal: return {-184, 184, 4};
    case GraphicControl::ZoomBoth: return {-46, 46, 1};
    }
    return {0, 0, 0};
}

bool StepGraphicControl(GraphicControl control, bool up, int& position, GraphicRect& dest)
{
    const GraphicControlRange range = RangeOf(control);
    const int moved = std::clamp(position + (up ? range.Step : -range.Step), range.Min, range.Max);
    const int d = moved - position;
    if (d == 0)
        return false;
    GraphicRect r = dest;
    // Both zooms at once grow the width by the horizontal zoom's step for each step of height.
    const int zoomH = control == GraphicControl::ZoomBoth ? 4 * d : d;
    switch (control) {
    case GraphicControl::ShiftVertical: r.Top -= d; r.Bottom -= d; break;
    case GraphicControl::ShiftHorizontal: r.Left += d; r.Right += d; break;
    case GraphicControl::ZoomVertical: r.Top -= d; r.Bottom += d; break;
    case GraphicControl::ZoomHorizontal: r.Left -= zoomH; r.Right += zoomH; break;
    case GraphicControl::ZoomBoth:
        r.Top -= d;
        r.Bottom += d;
        r.Left -= zoomH;
        r.Right += zoomH;
        break;
    }
    if (r.Right <= r.Left || r.Bottom <= r.Top)
        return false;
    position = moved;
    dest = r;
    return true;
}

GraphicBytesArray GraphicBytesOf(const MonoPicture& view)
{
    GraphicBytesArray bytes{};
    for (int y = 0; y < GraphicCanvasHeight; ++y) {
        uint8_t* row = bytes.data() + std::size_t(GraphicCanvasHeight - 1 - y) * GraphicRowBytes;
        for (int x = 0; x < GraphicCanvasWidth; ++x)
            if (view.At(x, y))
                row[x / 8] |= uint8_t(0x80 >> (x % 8));
    }
    return bytes;
}

const uint8_t* GraphicRow(const GraphicBytesArray& bytes, int row)
{
    return bytes.data() + std::size_t(GraphicCanvasHeight - 1 - row) * GraphicRowBytes;
}

QByteArray GraphicBmpFile(const MonoPicture& view)
{
    QByteArray b(int(GraphicBmpFileSize), '\0');
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, uint32_t(GraphicBmpFileSize));
    Put32(b, 10, uint32_t(GraphicBmpHeaderSize));
    Put32(b, 14, 40);
    Put32(b, 18, GraphicCanvasWidth);
    Put32(b, 22, GraphicCanvasHeight);
    Put16(b, 26, 1);
    Put16(b, 28, 1);
    Put32(b, 34, uint32_t(GraphicBytesSize));
    Put32(b, 46, 2);
    // Palette: index 0 black, index 1 white.
    Put32(b, 54, 0x00000000);
    Put32(b, 58, 0x00FFFFFF);
    const GraphicBytesArray black = GraphicBytesOf(view);
    for (std::size_t i = 0; i < GraphicBytesSize; ++i)
        b[int(GraphicBmpHeaderSize + i)] = char(~black[i]);
    return b;
}

QImage GraphicImage(const MonoPicture& view)
{
    QImage image(GraphicCanvasWidth, GraphicCanvasHeight, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < GraphicCanvasHeight; ++y)
        for (int x = 0; x < GraphicCanvasWidth; ++x)
            image.setPixel(x, y, view.At(x, y) ? 1 : 0);
    return image;
}

QImage PreviewOf(const QImage& picture, QSize size)
{
    // Smoothing every pixel of a photo takes longer than decoding it: a large picture is first
    // thinned, pixel by pixel, to four times the view, and only that is smoothed.
    const QSize rough = (size * 4).boundedTo(picture.size());
    const QImage thinned = rough == picture.size() ? picture : picture.scaled(rough, Qt::IgnoreAspectRatio);
    return thinned.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
