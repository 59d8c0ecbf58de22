// The link settings record and its file ustaw.cfg.
#include "core/AppState.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "tests/core/CoreTestUtil.h"
#include "tests/link/LinkTestUtil.h"
#include "tests/support/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// The serial fields in file order: link type, port, rate, data bits, parity, stop bits, XON/XOFF, RTS/CTS.
std::vector<unsigned> SerialFields()
{
    return {LinkSettings.LinkType,  LinkSettings.ComPortNumber, LinkSettings.BaudRate,    LinkSettings.DataBits,
            LinkSettings.Parity,    LinkSettings.StopBits,      LinkSettings.XonXoffFlag, LinkSettings.RtsCtsFlag};
}
const std::vector<unsigned> Defaults = {0, 255, 115200, 8, 0, 0, 0, 0};

} // namespace

TEST(LinkSettingsFile, OnlyAWholeFileIsReadAndWrittenSettingsComeBackWithByteZeroKept)
{
    TestEnvironment env(false);
    LinkSettings.ComPortNumber = 4;
    LinkSettings.LinkType = 1;
    LoadLinkSettings();  // a fresh start: no file
    EXPECT_EQ(SerialFields(), Defaults);
    for (std::size_t size : {0u, 6u, 13u, 15u}) {
        WriteFileBytes(env.Path("ustaw.cfg"), Bytes(size, 7));
        LoadLinkSettings();
        EXPECT_EQ(SerialFields(), Defaults) << size;
    }

    WriteFileBytes(env.Path("ustaw.cfg"), Bytes{0x5A, 1, 0, 0xC2, 1, 0, 8, 0, 0, 0, 0, 0, 0, 0});
    LoadLinkSettings();
    EXPECT_EQ(SerialFields(), (std::vector<unsigned>{0, 1, 115200, 8, 0, 0, 0, 0}));
    // TCP, COM3 at 9600, 7 data bits, even parity, two stop bits, XON/XOFF, the spare bytes.
    LinkSettings = {1, 3, 9600, 7, 2, 2, 1, 0, 0x11, "10.0.0.5", 0, 0x22, 0x33};
    fs::create_directory(env.Path("inny"));
    fs::current_path(env.Path("inny"));  // a file dialog moved the current folder
    SaveLinkSettingsFile();
    EXPECT_FALSE(fs::exists(env.Path("inny/ustaw.cfg")));
    EXPECT_EQ(FileBytes(env.Path("ustaw.cfg")), (Bytes{0x5A, 3, 0x80, 0x25, 0, 0, 7, 2, 2, 1, 0, 0x11, 0x22, 0x33}));

    LoadLinkSettings();
    EXPECT_EQ(SerialFields(), (std::vector<unsigned>{0, 3, 9600, 7, 2, 2, 1, 0})) << "every start begins serial";
    EXPECT_EQ(LinkSettings.SpareSetting3, 0x33);
    EXPECT_TRUE(LinkSettings.TcpHost.empty());

    // The backup holds the serial fields only.
    SaveLinkSettings();
    LinkSettings = {0, 255, 1200, 8, 0, 0, 0, 1, 0, "", 4000};
    RestoreLinkSettings();
    EXPECT_EQ(SerialFields(), (std::vector<unsigned>{0, 3, 9600, 7, 2, 2, 1, 0}));
    EXPECT_EQ(LinkSettings.TcpPort, 4000);
}

TEST(LinkSettingsFile, FailedWriteLeavesTheOldFileAPlantedLinkIsNotFollowedAndClosingClosesThePort)
{
    TestEnvironment env(false);
    ScriptedPrompts prompts;
    const Bytes old = {0, 4, 0x80, 0x25, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0};
    WriteFileBytes(env.Path("ustaw.cfg"), old);
    // Someone else's file, linked where a fixed temporary name would be.
    WriteFileBytes(env.Path("cudzy"), Bytes{1, 2, 3});
    fs::create_symlink(env.Path("cudzy"), env.Path("ustaw.cfg.tmp"));
    const auto notSaved = [](const std::string& why) {
        return QStringList{QString::fromStdString(why + ". Nowe ustawienia transmisji nie zostały zapisane.")};
    };

    PtyPeer peer;
    ASSERT_TRUE(peer.Ok());
    LinkSettings.ComPortNumber = 9;
    {
        FileSizeLimit full(10);
        SaveLinkSettingsFile();
    }
    EXPECT_EQ(Link.SerialHandle, nullptr);
    EXPECT_EQ(FileBytes(env.Path("ustaw.cfg")), old);
    EXPECT_EQ(prompts.TakeTexts(),
              notSaved("Wystąpił błąd zapisu pliku " + env.Path("ustaw.cfg") + ": brak miejsca na dysku"));
    SaveLinkSettingsFile();
    EXPECT_TRUE(prompts.TakeTexts().isEmpty());
    EXPECT_EQ(FileBytes(env.Path("ustaw.cfg")).at(1), 9);
    EXPECT_TRUE(fs::is_symlink(env.Path("ustaw.cfg.tmp")));
    EXPECT_EQ(FileBytes(env.Path("cudzy")), (Bytes{1, 2, 3}));

    // Places the file cannot be put, even by root: a folder in its place, a start folder gone.
    fs::create_directories(env.Path("zajete/ustaw.cfg"));
    App.StartFolder = env.Path("zajete");
    SaveLinkSettingsFile();
    EXPECT_EQ(prompts.TakeTexts(), notSaved("Wystąpił błąd zapisu pliku " + env.Path("zajete/ustaw.cfg") +
                                            ": w miejscu pliku ustaw.cfg jest folder"));
    App.StartFolder = env.Path("missing");
    SaveLinkSettingsFile();
    EXPECT_FALSE(fs::exists(env.Path("missing")));
    EXPECT_EQ(prompts.TakeTexts(), notSaved("Nie mogę otworzyć pliku docelowego " + env.Path("missing/ustaw.cfg") +
                                            ": folder nie istnieje"));
}
