// The cp1250 codec both ways: bytes from files and frames, and texts the user types.
#include "platform/Cp1250.h"
#include "tests/fuzz/FuzzTargets.h"

#include <string>

bool FuzzCp1250(const uint8_t* data, std::size_t size)
{
    // Every byte string comes back unchanged through the text.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (ToCp1250(FromCp1250(bytes)) != bytes)
        return false;
    // A text taken as UTF-16: when nothing is refused, nothing is changed on the way.
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    if (Cp1250Refusal(text).isEmpty())
        return FromCp1250(ToCp1250(text)) == text;
    return !CharactersOutsideCp1250(text).isEmpty();
}
