// The settings file reader: any bytes as ustaw.cfg, read at start-up.
#include "link/LinkSettings.h"
#include "tests/fuzz/FuzzTargets.h"

#include <cstdio>

bool FuzzSettingsFile(const uint8_t* data, std::size_t size)
{
    FuzzSetUp();
    if (FILE* f = std::fopen(LinkSettingsFileName, "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    LoadLinkSettings();
    if (size != LinkSettingsFileSize)
        return LinkSettings.BaudRate == 115200 && LinkSettings.ComPortNumber == NoComPort
            && LinkSettings.LinkType == 0;  // the defaults stand
    // What was read is written back as the same bytes (byte 0 is the file's own).
    uint8_t out[LinkSettingsFileSize];
    EncodeLinkSettings(LinkSettings, out);
    StructParametryProgramu again;
    DecodeLinkSettings(out, again);
    uint8_t twice[LinkSettingsFileSize];
    EncodeLinkSettings(again, twice);
    for (std::size_t i = 1; i < LinkSettingsFileSize; ++i)
        if (out[i] != twice[i])
            return false;
    return true;
}
