// The picture files of the header and footer graphics: any bytes as a .bmp (or, with the first
// byte odd, a .jpg) file, loaded and fitted to the register's field.
#include "service/GraphicsLogic.h"
#include "tests/fuzz/FuzzTargets.h"

#include <QFile>
#include <QImageReader>

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
    const MonoPicture fitted = MonochromeOfSource(image);
    const std::optional<MonoPicture> contrast = ContrastOfSource(image, data[0]);
    // Only a 1-bit picture skips the contrast step.
    if (contrast.has_value() == (image.depth() == 1))
        return false;
    // The register's bytes of the fitted picture make a BMP of the register's size.
    return GraphicBmpFile(fitted).size() == qsizetype(GraphicBmpFileSize);
}
