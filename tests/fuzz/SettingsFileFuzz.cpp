// The settings file reader: any bytes as ustaw.cfg, read at start-up and written back.
#include "link/LinkSettings.h"
#include "tests/core/CoreTestUtil.h"
#include "tests/fuzz/FuzzTargets.h"

bool FuzzSettingsFile(const uint8_t* data, std::size_t size)
{
    const std::vector<uint8_t> bytes(data, data + size);
    WriteFileBytes(LinkSettingsFileName, bytes);
    LoadLinkSettings();
    if (size != LinkSettingsFileSize)
        return LinkSettings.BaudRate == 115200 && LinkSettings.ComPortNumber == NoComPort
            && LinkSettings.LinkType == 0;  // the defaults stand
    // What was read is written back as the very bytes that were read.
    SaveLinkSettingsFile();
    return FileBytes(LinkSettingsFileName) == bytes;
}
