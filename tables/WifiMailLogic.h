#pragma once
// The register's e-mail and network parameters: the blocks of the program frames ('m', 'e')
// built from the window's values, and the read replies, which lay the fields out otherwise.
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>

constexpr std::size_t EmailReplyFrameLength = 252;
constexpr std::size_t WifiReplyFrameLength = 195;
constexpr int EmailReportCount = 13;   // bits 0..12 of the report mask

struct EmailParams {
    QString Address, Subject, SmtpIp, Password, Port;
    std::array<QString, 3> Recipients;
    bool AutomaticSubject = false;
    bool Graphics = false;
    bool EmailOn = false;
    uint32_t ReportMask = 0;
};

struct WifiParams {
    bool Dhcp = false;
    bool WifiOn = false;
    QString Ip, Mask, Gateway, Name, Port, Password;
};

// Fill the 243- / 186-byte blocks. Each text field is zeroed before its text goes in, so no
// earlier text leaves a tail; a text that fills its field has no NUL. Returns the refusal to
// show (a port out of range, a character outside code page 1250); empty when built.
QString BuildEmailParamsBlock(const EmailParams& params, std::array<uint8_t, 243>& block);
QString BuildWifiParamsBlock(const WifiParams& params, std::array<uint8_t, 186>& block);

// The values of one whole read reply (its length, start, end and checksum checked); false
// for anything else. Texts stop at their field.
bool DecodeEmailParamsReply(const uint8_t* frame, std::size_t got, EmailParams& params);
bool DecodeWifiParamsReply(const uint8_t* frame, std::size_t got, WifiParams& params);
