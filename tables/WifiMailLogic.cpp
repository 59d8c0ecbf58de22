#include "tables/WifiMailLogic.h"

#include "core/Helpers.h"
#include "platform/Cp1250.h"
#include "tables/SettingsLink.h"

#include <algorithm>
#include <cstring>

namespace {

void PutText(uint8_t* block, std::size_t offset, std::size_t size, const QString& text)
{
    std::memset(block + offset, 0, size);
    const std::string bytes = ToCp1250(text);
    std::memcpy(block + offset, bytes.data(), std::min(size, bytes.size()));
}

QString TextAt(const uint8_t* payload, std::size_t offset, std::size_t size)
{
    return FromCp1250(BytesToString(payload + offset, size));
}

// The port typed, within its range; the range message otherwise.
QString ParsePort(const QString& text, unsigned low, unsigned high, uint16_t& port)
{
    unsigned long long value = 0;
    if (!ParseUnsigned(text.trimmed().toStdString(), value) || value < low || value > high)
        return QStringLiteral("Błąd!\nDopuszczalna wartosc [%1 - %2]").arg(low).arg(high);
    port = uint16_t(value);
    return {};
}

} // namespace

QString BuildEmailParamsBlock(const EmailParams& p, std::array<uint8_t, 243>& block)
{
    uint16_t port = 0;
    if (QString refusal = ParsePort(p.Port, 1, 65535, port); !refusal.isEmpty())
        return refusal;
    const QString subject = p.AutomaticSubject ? QStringLiteral("#") : p.Subject;
    if (QString refusal = Cp1250Refusal({{QStringLiteral("E-mail Orva RIVO"), p.Address},
                                         {QStringLiteral("Temat wiadomosci"), subject},
                                         {QStringLiteral("IP serwera SMTP"), p.SmtpIp},
                                         {QStringLiteral("Hasło"), p.Password},
                                         {QStringLiteral("Adres odbiorcy 1"), p.Recipients[0]},
                                         {QStringLiteral("Adres odbiorcy 2"), p.Recipients[1]},
                                         {QStringLiteral("Adres odbiorcy 3"), p.Recipients[2]}});
        !refusal.isEmpty())
        return refusal;
    uint8_t* b = block.data();
    PutText(b, 0, 40, p.Address);
    PutText(b, 40, 30, subject);
    PutText(b, 70, 15, p.SmtpIp);
    PutText(b, 85, 30, p.Password);
    b[115] = uint8_t(port);
    b[116] = uint8_t(port >> 8);
    for (std::size_t i = 0; i < 3; ++i)
        PutText(b, 117 + 40 * i, 40, p.Recipients[i]);
    b[237] = p.Graphics ? 1 : 0;
    b[238] = p.EmailOn ? 1 : 0;
    const uint32_t mask = p.ReportMask & ((1u << EmailReportCount) - 1);
    for (int i = 0; i < 4; ++i)
        b[239 + i] = uint8_t(mask >> (8 * i));
    return {};
}

QString BuildWifiParamsBlock(const WifiParams& p, std::array<uint8_t, 186>& block)
{
    uint16_t port = 0;
    if (QString refusal = ParsePort(p.Port, 1024, 65535, port); !refusal.isEmpty())
        return refusal;
    if (QString refusal = Cp1250Refusal({{QStringLiteral("IP Kasy"), p.Ip},
                                         {QStringLiteral("Maska podsieci"), p.Mask},
                                         {QStringLiteral("Brama domyslna"), p.Gateway},
                                         {QStringLiteral("Nazwa sieci"), p.Name},
                                         {QStringLiteral("Hasło"), p.Password}});
        !refusal.isEmpty())
        return refusal;
    uint8_t* b = block.data();
    b[0] = p.Dhcp ? 1 : 0;
    b[1] = 2;
    b[2] = p.WifiOn ? 1 : 0;
    PutText(b, 3, 15, p.Ip);
    PutText(b, 18, 15, p.Mask);
    PutText(b, 33, 15, p.Gateway);
    PutText(b, 48, 32, p.Name);
    b[80] = uint8_t(port);
    b[81] = uint8_t(port >> 8);
    PutText(b, 82, 104, p.Password);
    return {};
}

bool DecodeEmailParamsReply(const uint8_t* frame, std::size_t got, EmailParams& p)
{
    if (!IsWholeFrame(frame, got, EmailReplyFrameLength))
        return false;
    const uint8_t* d = frame + 7;
    p.Address = TextAt(d, 0, 40);
    p.Subject = TextAt(d, 40, 30);
    p.SmtpIp = TextAt(d, 70, 15);
    p.Password = TextAt(d, 85, 30);
    p.Port = QString::number(RecordU32(d + 115));
    for (std::size_t i = 0; i < 3; ++i)
        p.Recipients[i] = TextAt(d, 119 + 40 * i, 40);
    p.Graphics = d[239] != 0;
    p.EmailOn = d[240] != 0;
    p.ReportMask = (uint32_t(d[241]) | uint32_t(d[242]) << 8) & ((1u << EmailReportCount) - 1);
    return true;
}

bool DecodeWifiParamsReply(const uint8_t* frame, std::size_t got, WifiParams& p)
{
    if (!IsWholeFrame(frame, got, WifiReplyFrameLength))
        return false;
    const uint8_t* d = frame + 7;
    p.Ip = TextAt(d, 0, 15);
    p.Mask = TextAt(d, 15, 15);
    p.Gateway = TextAt(d, 30, 15);
    p.Name = TextAt(d, 45, 31);
    p.Port = QString::number(RecordU32(d + 76));
    p.Dhcp = d[80] != 0;
    p.WifiOn = d[82] != 0;
    p.Password = TextAt(d, 83, 103);
    return true;
}
