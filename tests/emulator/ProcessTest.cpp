// rivo-emulator as a child process: its command line, its first line, its faults.
#include "tests/emulator/TestClient.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/EmulatorProcess.h"
#include "tests/support/OtherUser.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace testclient;

TEST(EmulatorProcess, TepoDuxAtAddressTwoOverCom)
{
    const std::string dir = EmulatorFixture::MakeEmptyComDir();
    EmulatorProcess p({"--com-dir", dir, "--com", "3", "--model", "dux", "--address", "2", "--baud", "115200"});
    EXPECT_EQ(p.FirstLine(), "serving " + dir + "/COM3");
    EXPECT_EQ(p.Port(), -1);
    Conn c = OpenCom(dir + "/COM3");
    ASSERT_TRUE(c.Ok());
    ASSERT_TRUE(c.Send(ReadRequest(0x03, 1, 0x8001, 1))); // address 1: not this register
    ASSERT_TRUE(c.Send(ReadRequest(0x03, 1, 0x8001, 2)));
    Bytes config = c.ReadFrame();
    EXPECT_EQ(config.size(), 31u);
    EXPECT_TRUE(ChecksumOk(config));
    ASSERT_TRUE(c.Send(GoodsFrame(Goods{}, 79, 0x8001, 2)));
    EXPECT_TRUE(IsStatus(c.ReadFrame(), 0x06, 3));
    p.Stop();
    EXPECT_FALSE(std::filesystem::exists(dir + "/COM3")); // the link goes with the program
    EmulatorFixture::RemoveComDir(dir);
    ::unsetenv("RIVO_COM_DIR");
}

TEST(EmulatorProcess, ServesTcpWithFaultsFromTheCommandLine)
{
    EmulatorProcess p({"--tcp", "0", "--error-code", "66", "--printing", "1"});
    ASSERT_GT(p.Port(), 0) << p.FirstLine();
    Conn c = ConnectTcp(p.Port());
    ASSERT_TRUE(c.Send(ReadRequest(0x03, 1, 0x8001))); // not a program or delete request: answered
    EXPECT_EQ(c.ReadFrame().size(), 36u);
    ASSERT_TRUE(c.Send(GoodsFrame(Goods{})));
    EXPECT_TRUE(IsStatus(c.ReadFrame(), 'A', 0x08));
    EXPECT_TRUE(IsError(c.ReadFrame(), 66));
    ASSERT_TRUE(c.Send(GoodsFrame(Goods{})));
    EXPECT_TRUE(IsStatus(c.ReadFrame(), 0x06, 3));
    const int status = p.Stop();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(EmulatorProcess, HelpAndBadOptions)
{
    EmulatorProcess help({"--help"});
    EXPECT_EQ(help.FirstLine().rfind("Usage: rivo-emulator", 0), 0u) << help.FirstLine();
    int status = help.WaitExit(5000);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    for (const char* option : {"--model", "--address"}) {
        EmulatorProcess bad({"--tcp", "0", option, "10"});
        EXPECT_FALSE(bad.Started()) << option; // nothing on stdout: the message goes to stderr
        status = bad.WaitExit(5000);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << option;
    }
}

// A missing link folder is made, private to the user at every level; whatever keeps it from
// serving, it says what and why, and ends with status 1.
TEST(EmulatorProcess, MakesAMissingComFolderOrSaysWhyItCannotServe)
{
    const std::string base = EmulatorFixture::MakeEmptyComDir();
    ::unsetenv("RIVO_COM_DIR");
    const std::string dir = base + "/rivo-com/inner";
    {
        EmulatorProcess p({"--com-dir", dir, "--com", "3"});
        EXPECT_EQ(p.FirstLine(), "serving " + dir + "/COM3");
        for (const std::string& made : {base + "/rivo-com", dir}) {
            struct stat st{};
            ASSERT_EQ(::stat(made.c_str(), &st), 0) << made;
            EXPECT_EQ(st.st_mode & (S_IFMT | 07777), S_IFDIR | 0700u) << made;
        }
    }
    const std::string file = base + "/file";
    std::ofstream(file) << "not a folder";
    // Folders in which another user could swap the links: one of this user's open to all, and,
    // as another user would leave them, his 0777 folder and a link to it.
    const std::string open = base + "/open", foreign = base + "/foreign", link = base + "/link";
    std::filesystem::create_directory(open);
    std::filesystem::create_directory(foreign);
    ::chmod(open.c_str(), 0777);
    ::chmod(foreign.c_str(), 0777);
    const bool root = RunningAsRoot() && ::chown(foreign.c_str(), OtherUid, OtherUid) == 0 &&
                      PlantForeignLink(foreign, link);
    const std::string others = ": the folder belongs to another user (uid " + std::to_string(OtherUid) + ")";
    EmulatorFixture busy;
    const std::string port = std::to_string(busy.ServeTcp());
    const struct {
        std::vector<std::string> args;
        std::string message;
        bool asRoot = false;
    } cases[] = {
        {{"--com-dir", file + "/sub", "--com", "3"}, "cannot serve " + file + "/sub/COM3: Not a directory"},
        {{"--com-dir", file, "--com", "4"}, "cannot serve " + file + "/COM4: Not a directory"},
        {{"--tcp", port}, "cannot listen on 127.0.0.1:" + port + ": Address already in use"},
        {{"--com-dir", open, "--com", "3"}, "cannot serve " + open + "/COM3: other users can write in the folder (mode 0777)"},
        {{"--com-dir", foreign, "--com", "3"}, "cannot serve " + foreign + "/COM3" + others, true},
        {{"--com-dir", link, "--com", "3"}, "cannot serve " + link + "/COM3" + others, true},
    };
    for (const auto& c : cases) {
        if (c.asRoot && !root)
            continue;
        EmulatorProcess p(c.args, 10000, RIVO_EMULATOR_PATH, 2);
        EXPECT_EQ(p.FirstLine(), "rivo-emulator: " + c.message);
        const int status = p.WaitExit(5000);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << c.message;
    }
    EXPECT_TRUE(std::filesystem::is_empty(open) && std::filesystem::is_empty(foreign));
    EmulatorFixture::RemoveComDir(base);
    if (!root)
        GTEST_SKIP() << "needs root to give a folder to another user";
}
