#pragma once
// The link settings record and its file ustaw.cfg (14 bytes, in the start folder).
#include <cstdint>
#include <string>

struct StructParametryProgramu {
    uint8_t LinkType = 0;         // 0 serial port, 1 TCP/IP
    uint8_t ComPortNumber = 255;  // 1..99; 255 = no port chosen
    uint32_t BaudRate = 115200;
    uint8_t DataBits = 8;
    uint8_t Parity = 0;           // 0 none, 1 odd, 2 even, 3 mark, 4 space
    uint8_t StopBits = 0;         // 0 one, 1 one and a half, 2 two
    uint8_t XonXoffFlag = 0;
    uint8_t RtsCtsFlag = 0;
    uint8_t SpareSetting1 = 0;
    std::string TcpHost;
    int TcpPort = 0;
    uint8_t SpareSetting2 = 0;
    uint8_t SpareSetting3 = 0;
};

extern StructParametryProgramu LinkSettings;
extern StructParametryProgramu LinkSettingsBackup;

constexpr uint8_t NoComPort = 255;
constexpr const char* LinkSettingsFileName = "ustaw.cfg";
constexpr std::size_t LinkSettingsFileSize = 14;

// Defaults, then the file in the current folder when it can be read whole.
void LoadLinkSettings();
// Makes StartFolder current, closes an open COM port and writes ustaw.cfg there (whole or not
// at all); when it cannot be written the user is told why, and the old file stays.
void SaveLinkSettingsFile();

// The 14 bytes of the file for the settings, and the settings from such bytes.
void EncodeLinkSettings(const StructParametryProgramu& s, uint8_t out[LinkSettingsFileSize]);
void DecodeLinkSettings(const uint8_t in[LinkSettingsFileSize], StructParametryProgramu& s);

// Puts the record and its backup to their start values (tests).
void ResetLinkSettings();
