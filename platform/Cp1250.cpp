#include "platform/Cp1250.h"

#include <QHash>
#include <QStringList>

namespace {

// Unicode of the bytes 0x80..0xFF. The five bytes the code page leaves undefined map to the
// C1 control of the same value, so that any byte survives a round trip through the UI's text.
const char16_t kHigh[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9
};

const QHash<char16_t, unsigned char>& ReverseTable()
{
    static const QHash<char16_t, unsigned char> table = [] {
        QHash<char16_t, unsigned char> t;
        for (int i = 0; i < 128; ++i)
            t.insert(kHigh[i], static_cast<unsigned char>(0x80 + i));
        return t;
    }();
    return table;
}

} // namespace

char16_t Cp1250ToUnicode(unsigned char byte)
{
    return byte < 0x80 ? char16_t(byte) : kHigh[byte - 0x80];
}

int UnicodeToCp1250(char16_t ch)
{
    if (ch < 0x80)
        return ch;
    const auto& t = ReverseTable();
    auto it = t.find(ch);
    return it == t.end() ? -1 : it.value();
}

QString FromCp1250(const std::string& bytes)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (unsigned char b : bytes)
        out.append(QChar(Cp1250ToUnicode(b)));
    return out;
}

QString FromCp1250(const unsigned char* bytes, std::size_t count)
{
    return FromCp1250(std::string(reinterpret_cast<const char*>(bytes), count));
}

std::string ToCp1250(const QString& text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        int b = UnicodeToCp1250(c.unicode());
        out.push_back(static_cast<char>(b < 0 ? '?' : b));
    }
    return out;
}

QString CharactersOutsideCp1250(const QString& text)
{
    QStringList found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A character beyond the basic plane is its surrogate pair, named whole.
        const qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, width);
        if ((width == 2 || UnicodeToCp1250(text[i].unicode()) < 0) && !found.contains(ch))
            found << ch;
        i += width - 1;
    }
    return found.join(QLatin1Char(' '));
}

QString Cp1250Refusal(const QString& text)
{
    const QString outside = CharactersOutsideCp1250(text);
    if (outside.isEmpty())
        return {};
    return QStringLiteral("Tekst „%1” zawiera znaki, których kasa nie obsługuje: %2").arg(text, outside);
}

QString Cp1250Refusal(std::initializer_list<std::pair<QString, QString>> labelledTexts)
{
    QStringList lines;
    for (const auto& [label, text] : labelledTexts)
        if (const QString refusal = Cp1250Refusal(text); !refusal.isEmpty())
            lines << label + QStringLiteral(": ") + refusal;
    return lines.join(QLatin1Char('\n'));
}
