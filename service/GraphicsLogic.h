#pragma once
// The header and footer graphics: reading a picture, fitting it to the register's 384 x 96
// field, black and white, contrast, shift and zoom, the rows the register takes and the 1-bit
// BMP. No widgets.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

constexpr int GraphicCanvasWidth = 384;
constexpr int GraphicCanvasHeight = 96;
constexpr int GraphicRowBytes = GraphicCanvasWidth / 8;
constexpr std::size_t GraphicBytesSize = std::size_t(GraphicRowBytes) * GraphicCanvasHeight;  // 4608
constexpr std::size_t GraphicBmpHeaderSize = 62;
constexpr std::size_t GraphicBmpFileSize = GraphicBmpHeaderSize + GraphicBytesSize;           // 4670

// A 384 x 96 black-and-white picture, row by row from the top, 1 = black.
struct MonoPicture {
    std::array<uint8_t, std::size_t(GraphicCanvasWidth) * GraphicCanvasHeight> Black{};
    bool At(int x, int y) const { return Black[std::size_t(y) * GraphicCanvasWidth + std::size_t(x)] != 0; }
    void Set(int x, int y, bool black) { Black[std::size_t(y) * GraphicCanvasWidth + std::size_t(x)] = black; }
    bool operator==(const MonoPicture&) const = default;
};

// Edges as the register's field counts them: right and bottom are one past the last pixel.
struct GraphicRect {
    int Left = 0, Top = 0, Right = GraphicCanvasWidth, Bottom = GraphicCanvasHeight;
    bool operator==(const GraphicRect&) const = default;
};

enum class GraphicFileKind { Bmp, Jpeg, Other };
// By the extension, in any case: .bmp, or .jpg / .jpeg.
GraphicFileKind GraphicKindOfName(const QString& path);

// The picture of a file; a null image when the file cannot be read or is not of its kind.
QImage LoadGraphicFile(const QString& path);

// Fitted to 384 x 96 without keeping proportions, each pixel taking the source pixel under its
// centre; white only where the source is pure white.
MonoPicture MonochromeOfSource(const QImage& source);
// The contrast step: every colour channel at or below threshold becomes 0, above it 255, so a
// pixel is white when all its channels are above it; then fitted. Nothing for a 1-bit source,
// which stays as it is.
std::optional<MonoPicture> ContrastOfSource(const QImage& source, int threshold);

// The print view: a white field with the picture drawn into dest (stretched, cut at the field).
MonoPicture ApplyGraphicOffsets(const MonoPicture& converted, const GraphicRect& dest);

// The shift and zoom arrows. Each moves its position by its step within its range and the
// edges of dest by as many pixels; false (and nothing changed) at the end of the range or when
// dest would be left with no width or height.
enum class GraphicControl { ShiftVertical, ShiftHorizontal, ZoomVertical, ZoomHorizontal, ZoomBoth };
struct GraphicControlRange {
    int Min, Max, Step;
};
GraphicControlRange RangeOf(GraphicControl control);
// up: the up or right arrow.
bool StepGraphicControl(GraphicControl control, bool up, int& position, GraphicRect& dest);

// The BMP pixel area, bottom row first, each byte inverted: 1 = black, leftmost pixel in bit 7.
using GraphicBytesArray = std::array<uint8_t, GraphicBytesSize>;
GraphicBytesArray GraphicBytesOf(const MonoPicture& view);
// The 48 bytes of frame row r (0 = top row of the picture).
const uint8_t* GraphicRow(const GraphicBytesArray& bytes, int row);

// A 384 x 96 1-bit BMP: 62-byte header, palette black then white, 4670 bytes.
QByteArray GraphicBmpFile(const MonoPicture& view);
// For showing on screen.
QImage GraphicImage(const MonoPicture& view);
// The picture as chosen, stretched to size for the window.
QImage PreviewOf(const QImage& picture, QSize size);
