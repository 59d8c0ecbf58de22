// The picture files of the header and footer graphics: any bytes as a .bmp (or, with the first
// byte odd, a .jpg) file, loaded and fitted to the register's field. A BMP that loads has the
// size its header claims.
#include "service/GraphicsLogic.h"
#include "tests/fuzz/FuzzTargets.h"

#include <QFile>
#include <QImageReader>
#include <QSize>
#include <cstdlib>

namespace {

int32_t I32(const uint8_t* p) { return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24); }

// The size in the header of a Windows or OS/2 (12 bytes) bitmap; other header sizes claim
// nothing the reader is bound to.
QSize ClaimedBmpSize(const uint8_t* p, std::size_t n)
{
    if (n < 26 || p[0] != 'B' || p[1] != 'M')
        return {};
    const int32_t header = I32(p + 14);
    if (header == 12)  // 16-bit fields; the height signed, a negative one top-down as in Windows
        return QSize(p[18] | p[19] << 8, std::abs(int(int16_t(p[20] | p[21] << 8))));
    if (header == 40 || header == 52 || header == 56 || header == 108 || header == 124) {
        const int32_t h = I32(p + 22);
        return QSize(I32(p + 18), h == INT32_MIN ? -1 : std::abs(h));
    }
    return {};
}

} // namespace

bool FuzzGraphicFile(const uint8_t* data, std::size_t size)
{
    // A few bytes may claim a picture of hundreds of megabytes; a lower bound than the
    // program's keeps the runs fast and still reaches every path of the reader.
    QImageReader::setAllocationLimit(16);
    if (size == 0)
        return true;
    const bool jpeg = data[0] & 1;
    const QString path = jpeg ? QStringLiteral("fuzz.JPG") : QStringLiteral("fuzz.bmp");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        f.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
    }
    const QImage image = LoadGraphicFile(path);
    if (image.isNull())
        return true;
    if (!jpeg) {
        const QSize claimed = ClaimedBmpSize(data + 1, size - 1);
        if (claimed.isValid() && claimed != image.size())
            return false;
    }
    const MonoPicture fitted = MonochromeOfSource(image);
    const std::optional<MonoPicture> contrast = ContrastOfSource(image, data[0]);
    // Only a 1-bit picture skips the contrast step.
    if (contrast.has_value() == (image.depth() == 1))
        return false;
    // The register's bytes of the fitted picture make a BMP of the register's size.
    return GraphicBmpFile(fitted).size() == qsizetype(GraphicBmpFileSize);
}
