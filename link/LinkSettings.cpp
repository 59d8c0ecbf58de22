#include "link/LinkSettings.h"

#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "platform/RegularFile.h"

#include <QFile>
#include <QString>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

StructParametryProgramu LinkSettings;
StructParametryProgramu LinkSettingsBackup;

void ResetLinkSettings()
{
    LinkSettings = StructParametryProgramu{};
    LinkSettingsBackup = StructParametryProgramu{};
}

void EncodeLinkSettings(const StructParametryProgramu& s, uint8_t out[LinkSettingsFileSize])
{
    out[0] = 0;
    out[1] = s.ComPortNumber;
    out[2] = uint8_t(s.BaudRate);
    out[3] = uint8_t(s.BaudRate >> 8);
    out[4] = uint8_t(s.BaudRate >> 16);
    out[5] = uint8_t(s.BaudRate >> 24);
    out[6] = s.DataBits;
    out[7] = s.Parity;
    out[8] = s.StopBits;
    out[9] = s.XonXoffFlag;
    out[10] = s.RtsCtsFlag;
    out[11] = s.SpareSetting1;
    out[12] = s.SpareSetting2;
    out[13] = s.SpareSetting3;
}

void DecodeLinkSettings(const uint8_t in[LinkSettingsFileSize], StructParametryProgramu& s)
{
    s.ComPortNumber = in[1];
    s.BaudRate = uint32_t(in[2]) | uint32_t(in[3]) << 8 | uint32_t(in[4]) << 16 | uint32_t(in[5]) << 24;
    s.DataBits = in[6];
    s.Parity = in[7];
    s.StopBits = in[8];
    s.XonXoffFlag = in[9];
    s.RtsCtsFlag = in[10];
    s.SpareSetting1 = in[11];
    s.SpareSetting2 = in[12];
    s.SpareSetting3 = in[13];
}

namespace {

// Reads the whole file when it is exactly the settings' size.
bool ReadSettingsFile(const char* path, uint8_t bytes[LinkSettingsFileSize])
{
    const int fd = OpenRegularFile(path);
    FILE* f = fd < 0 ? nullptr : ::fdopen(fd, "rb");
    if (!f) {
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    uint8_t extra;
    const bool whole = std::fread(bytes, 1, LinkSettingsFileSize, f) == LinkSettingsFileSize &&
                       std::fread(&extra, 1, 1, f) == 0;
    std::fclose(f);
    return whole;
}

// Tells the user the new settings were not written, with the writer's reason; the old file stays.
void ReportNotSaved(WholeWrite result, const std::string& path, int error)
{
    const QString file = QFile::decodeName(path.c_str());
    const QString what = result == WholeWrite::OpenFailed ? QStringLiteral("Nie mogę otworzyć pliku docelowego ")
                                                          : QStringLiteral("Wystąpił błąd zapisu pliku ");
    ShowMessage(what + file + QStringLiteral(": ") + WriteFailureReason(error, LinkSettingsFileName) +
                QStringLiteral(". Nowe ustawienia transmisji nie zostały zapisane."));
}

} // namespace

void LoadLinkSettings()
{
    LinkSettings = StructParametryProgramu{};
    uint8_t bytes[LinkSettingsFileSize];
    // A file of any other length is not ours, or was cut short: the defaults stand.
    if (ReadSettingsFile(LinkSettingsFileName, bytes))
        DecodeLinkSettings(bytes, LinkSettings);
}

void SaveLinkSettingsFile()
{
    CloseComPort();
    if (App.StartFolder.empty())
        return;
    const std::string path = App.StartFolder + "/" + LinkSettingsFileName;
    if (::chdir(App.StartFolder.c_str()) != 0) {
        ReportNotSaved(WholeWrite::OpenFailed, path, errno);
        return;
    }

    uint8_t bytes[LinkSettingsFileSize];
    EncodeLinkSettings(LinkSettings, bytes);
    // Byte 0 is not ours to write: an existing file keeps its own.
    uint8_t old[LinkSettingsFileSize];
    if (ReadSettingsFile(LinkSettingsFileName, old))
        bytes[0] = old[0];

    // Whole or not at all: a failed write leaves the old file as it was.
    if (const WholeWrite result = WriteFileWhole(LinkSettingsFileName, bytes, sizeof bytes, true);
        result != WholeWrite::Ok)
        ReportNotSaved(result, path, errno);
}
