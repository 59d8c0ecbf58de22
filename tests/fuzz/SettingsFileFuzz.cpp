// The settings file reader: any bytes as ustaw.cfg, read at start-up and written back.
#include "link/LinkSettings.h"
#include "tests/fuzz/FuzzTargets.h"

#include <cstdio>
#include <cstring>

bool FuzzSettingsFile(const uint8_t* data, std::size_t size)
{
    if (FILE* f = std::fopen(LinkSettingsFileName, "wb")) {
        if (size > 0)   // an empty input comes as a null pointer, which fwrite may not take
            std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    LoadLinkSettings();
    if (size != LinkSettingsFileSize)
        return LinkSettings.BaudRate == 115200 && LinkSettings.ComPortNumber == NoComPort
            && LinkSettings.LinkType == 0;  // the defaults stand
    // What was read is written back as the very bytes that were read.
    SaveLinkSettingsFile();
    uint8_t back[LinkSettingsFileSize + 1] = {};
    FILE* f = std::fopen(LinkSettingsFileName, "rb");
    const std::size_t got = f ? std::fread(back, 1, sizeof back, f) : 0;
    if (f)
        std::fclose(f);
    return got == LinkSettingsFileSize && std::memcmp(back, data, LinkSettingsFileSize) == 0;
}
