// The RTF reader of the receipt header and footer: any bytes as a file the editor opens.
#include "platform/Rtf.h"
#include "tests/fuzz/FuzzTargets.h"

#include <QTextDocument>

bool FuzzRtf(const uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    document.setPlainText(QStringLiteral("przed"));
    if (ReadRtf(bytes, document) != RtfRead::Ok)
        return document.toPlainText() == QStringLiteral("przed");  // a refused file changes nothing
    // What was read, written and read again is written as the same bytes.
    const QByteArray written = WriteRtf(document);
    QTextDocument again;
    if (ReadRtf(written, again) != RtfRead::Ok)
        return false;
    return WriteRtf(again) == written && again.toPlainText() == document.toPlainText();
}
