#include "tables/SettingsLink.h"

#include "link/Link.h"
#include "platform/Cp1250.h"
#include "platform/Time.h"

#include <QStringList>

int ReceiveAckWaitingOutPrinting(unsigned waitMs)
{
    int result = ReceiveAck();
    if (result == AckPrinting) {
        Sleep(waitMs);
        result = ReceiveAck();
    }
    return result;
}

bool AckSucceeded(int result) { return result == AckAccepted || result == AckDone; }

bool IsWholeFrame(const uint8_t* bytes, std::size_t got, std::size_t length)
{
    if (length < 9 || got != length)
        return false;
    if (bytes[0] != FrameStart || bytes[length - 1] != FrameEnd)
        return false;
    if (std::size_t(bytes[2] | (bytes[3] << 8)) != length)
        return false;
    return FrameChecksum(bytes, length) == bytes[length - 2];
}

QString CharactersOutsideCp1250(const QString& text)
{
    QStringList named;
    for (char32_t c : text.toUcs4()) {
        if (c <= 0xFFFF && UnicodeToCp1250(char16_t(c)) >= 0)
            continue;
        const QString one = QString::fromUcs4(&c, 1);
        const QString name = QStringLiteral("„%1” (U+%2)").arg(one, QString::number(uint(c), 16).toUpper().rightJustified(4, u'0'));
        if (!named.contains(name))
            named << name;
    }
    return named.join(QStringLiteral(", "));
}

QString ForeignCharactersRefusal(const QString& text)
{
    const QString named = CharactersOutsideCp1250(text);
    if (named.isEmpty())
        return {};
    return QStringLiteral("Tekst zawiera znaki, których kasa nie obsługuje: %1. Nic nie zapisano ani nie wysłano.")
        .arg(named);
}
