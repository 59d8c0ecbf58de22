#include "service/CommissioningLogic.h"

#include "link/Link.h"
#include "platform/Cp1250.h"

namespace {

std::string PadRight(std::string s, std::size_t width)
{
    if (s.size() < width)
        s.append(width - s.size(), '0');
    return s;
}

} // namespace

QString FullWidthText(const QString& displayText, QChar maskBlank)
{
    QString s = displayText;
    s.replace(maskBlank, u' ');
    return s;
}

std::string PaddedFiscalMemoryKey(const QString& fieldText)
{
    std::string key = ToCp1250(fieldText.trimmed());
    if (key.size() < 10)
        key.insert(0, 10 - key.size(), '0');
    return key;
}

std::string PaddedUniqueNumber(const QString& fieldText) { return PadRight(ToCp1250(fieldText), 12); }

std::string PaddedTrainingNip(const QString& fieldText) { return PadRight(ToCp1250(fieldText), 13); }

int PortCodeOfReply(const uint8_t* b, std::size_t got)
{
    constexpr std::size_t length = 10;
    if (got != length || b[0] != FrameStart || b[2] != length || b[3] != 0 || b[length - 1] != FrameEnd ||
        FrameChecksum(b, length) != b[length - 2] || b[6] != '9')
        return -1;
    return b[7];
}

bool PackageStepRequired(PackageStep step) { return step != PackageStep::NumberOnly && step != PackageStep::Count; }
