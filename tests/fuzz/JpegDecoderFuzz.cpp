// The JPEG decoder over any bytes: a broken file is a null picture, never an exit, and a
// decoded picture has the size its frame header claims.
#include "service/GraphicsLogic.h"
#include "service/JpegDecoder.h"
#include "tests/fuzz/FuzzTargets.h"

#include <QSize>
#include <ctime>
#include <vector>

namespace {

// The decoder takes or refuses any file within its bound of processor time; three times that
// leaves room for the sanitizers, which slow the decoding several times over.
constexpr double DecodeBoundSeconds = 3 * JpegDecodeBoundMs / 1000.0;

// The size in the first start-of-frame segment, walking the segments from the start of image;
// an empty size when the walk meets something other than a marker.
QSize ClaimedSize(const uint8_t* p, std::size_t n)
{
    if (n < 4 || p[0] != 0xFF || p[1] != 0xD8)
        return {};
    std::size_t at = 2;
    while (at + 4 <= n && p[at] == 0xFF) {
        const uint8_t marker = p[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0x00)  // no marker: the decoder skips such bytes as it likes
            return {};
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // markers without a length
            at += 2;
            continue;
        }
        const std::size_t length = std::size_t(p[at + 2]) << 8 | p[at + 3];
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame)
            return at + 9 <= n ? QSize(p[at + 7] << 8 | p[at + 8], p[at + 5] << 8 | p[at + 6]) : QSize();
        if (length < 2)
            return {};
        at += 2 + length;
    }
    return {};
}

} // namespace

bool FuzzJpegDecoder(const uint8_t* data, std::size_t size)
{
    // A copy of exactly the input, so that a read past its end is a read outside the buffer.
    const std::vector<uint8_t> copy(data, data + size);
    const std::clock_t start = std::clock();
    const QImage image = DecodeJpeg(QByteArray::fromRawData(reinterpret_cast<const char*>(copy.data()), qsizetype(size)));
    if (double(std::clock() - start) / CLOCKS_PER_SEC > DecodeBoundSeconds)
        return false;
    if (image.isNull())
        return true;
    if (image.format() != QImage::Format_RGB888)
        return false;
    const QSize claimed = ClaimedSize(copy.data(), size);
    if (claimed.isValid() && claimed != image.size())
        return false;
    // The picture fits the field whatever its size.
    MonochromeOfSource(image);
    return ContrastOfSource(image, int(size % 256)).has_value();
}
