#include "platform/Prompts.h"
#include "platform/SingleInstance.h"
#include "platform/TempFolder.h"
#include "tests/platform/EnvGuard.h"
#include "tests/support/TestEnvironment.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ScratchFolder {
public:
    ScratchFolder()
    {
        char tmpl[] = "/tmp/rivo-plat-XXXXXX";
        path_ = ::mkdtemp(tmpl);
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// A child process that takes the named lock, tells the parent whether it got it, and holds it
// until the parent closes the pipe.
class LockHolder {
public:
    explicit LockHolder(const std::string& name)
    {
        int up[2], down[2];
        if (::pipe2(up, O_CLOEXEC) != 0 || ::pipe2(down, O_CLOEXEC) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(up[0]);
            ::close(down[1]);
            const char answer = AcquireNamedMutex(name) ? 'Y' : 'N';
            (void)!::write(up[1], &answer, 1);
            char c;
            (void)!::read(down[0], &c, 1);
            ::_exit(0);
        }
        ::close(up[1]);
        ::close(down[0]);
        release_ = down[1];
        pollfd p{up[0], POLLIN, 0};
        char answer = 0;
        if (::poll(&p, 1, 10000) > 0 && ::read(up[0], &answer, 1) == 1)
            acquired_ = answer == 'Y';
        ::close(up[0]);
    }
    ~LockHolder() { Exit(); }
    bool Acquired() const { return acquired_; }
    void Exit()
    {
        if (release_ >= 0)
            ::close(release_);
        release_ = -1;
        if (pid_ > 0)
            ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool acquired_ = false;
};

std::string UniqueName(const char* base) { return std::string(base) + " " + std::to_string(::getpid()); }

} // namespace

TEST(TempFolder, TempIsUsedWhenItIsAFolderAndAFallbackMadeWhenNot)
{
    EnvGuard guard({"TEMP", "XDG_RUNTIME_DIR"});
    ScratchFolder runtime;
    ::setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    ::setenv("TEMP", runtime.Path().c_str(), 1);
    EXPECT_EQ(TempFolder("C:\\Rivo_Tmp"), runtime.Path());

    ::unsetenv("TEMP");
    const std::string expected = runtime.Path() + "/Rivo_Tmp";
    EXPECT_EQ(TempFolder("C:\\Rivo_Tmp"), expected);
    EXPECT_TRUE(fs::is_directory(expected));

    // A TEMP that names a file, or nothing that exists, is passed over too.
    const std::string file = runtime.Path() + "/plik";
    std::ofstream(file) << "x";
    for (const std::string& temp : {file, runtime.Path() + "/brak", std::string()}) {
        ::setenv("TEMP", temp.c_str(), 1);
        EXPECT_EQ(TempFolder("C:\\Tepo_Tmp"), runtime.Path() + "/Tepo_Tmp") << temp;
    }
}

TEST(TempFolder, NoRuntimeFolderFallsBackToAFolderOfThisUserUnderTmp)
{
    EnvGuard guard({"TEMP", "XDG_RUNTIME_DIR"});
    ::unsetenv("TEMP");
    ::setenv("XDG_RUNTIME_DIR", "/nonexistent-rivo-runtime", 1);
    const std::string name = "rivo-fallback-" + std::to_string(::getpid());
    const std::string expected = "/tmp/" + name + "-" + std::to_string(::getuid());
    EXPECT_EQ(TempFolder("C:\\" + name), expected);
    EXPECT_EQ(fs::status(expected).permissions(), fs::perms::owner_all);
    std::error_code ec;
    fs::remove_all(expected, ec);
}

TEST(SingleInstance, LockHeldByAnotherProcessIsRefusedUntilItExits)
{
    EnvGuard guard({"XDG_RUNTIME_DIR"});
    ScratchFolder runtime;
    ::setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    const std::string name = UniqueName("ORVA TEPO RARI");
    EXPECT_EQ(NamedMutexPath(name), runtime.Path() + "/" + "ORVA_TEPO_RARI_" + std::to_string(::getpid()) + ".lock");

    LockHolder holder(name);
    ASSERT_TRUE(holder.Acquired());
    EXPECT_FALSE(AcquireNamedMutex(name));
    holder.Exit();
    // The kernel dropped the lock with the process, though its file stays.
    EXPECT_TRUE(fs::exists(NamedMutexPath(name)));
    EXPECT_TRUE(AcquireNamedMutex(name));

    // Now this process holds it: another one is refused.
    LockHolder second(name);
    EXPECT_FALSE(second.Acquired());
}

// Runs check in a child process under another user; its result, or true when not root.
bool AsAnotherUser(const std::function<bool()>& check)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && check() ? 0 : 1);
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(SingleInstance, AnotherUsersLockDoesNotKeepTheProgramFromStarting)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "needs root to act as a second user";
    EnvGuard guard({"XDG_RUNTIME_DIR", "TEMP"});
    const std::string name = UniqueName("ORVA TEPO RARI");
    ::unsetenv("TEMP");

    // Without a runtime folder each user has a lock name of his own under /tmp.
    ::unsetenv("XDG_RUNTIME_DIR");
    ASSERT_TRUE(AcquireNamedMutex(name));
    EXPECT_TRUE(AsAnotherUser([&] { return AcquireNamedMutex(name) && ::unlink(NamedMutexPath(name).c_str()) == 0; }));
    std::error_code ec;
    fs::remove(NamedMutexPath(name), ec);
    // A lock file that the other user cannot open does not count as a running copy.
    ScratchFolder shared;
    fs::permissions(shared.Path(), fs::perms::all);
    ::setenv("XDG_RUNTIME_DIR", shared.Path().c_str(), 1);
    ASSERT_TRUE(AcquireNamedMutex(name));
    EXPECT_TRUE(AsAnotherUser([&] { return AcquireNamedMutex(name); }));

    // The image folder under /tmp is the user's own: another user's folder of that name is refused.
    ::unsetenv("XDG_RUNTIME_DIR");
    const std::string folderName = "rivo-other-" + std::to_string(::getpid());
    const std::string othersFolder = "/tmp/" + folderName + "-65534";
    fs::create_directory(othersFolder);
    EXPECT_TRUE(AsAnotherUser([&] { return TempFolder(folderName).empty(); }));
    fs::remove(othersFolder);
    EXPECT_TRUE(AsAnotherUser([&] { return TempFolder(folderName) == othersFolder; }));
    fs::remove_all(othersFolder, ec);
}

TEST(Prompts, FileFiltersBecomeQtFilters)
{
    EXPECT_EQ(QtFileFilter("Plik bazy danych (*.rkb)|*.rkb"), "Plik bazy danych (*.rkb)");
    EXPECT_EQ(QtFileFilter("Pliki tekstowe (*.rtf)|*.RTF"), "Pliki tekstowe (*.rtf)");
    // Qt splits the patterns on blanks only: the commas of the description must not reach it.
    EXPECT_EQ(QtFileFilter("Bitmap, JPEG (*.bmp, *.jpg, *.jpeg)|*.bmp; *.jpg; *.jpeg"),
              "Bitmap, JPEG (*.bmp *.jpg *.jpeg)");
    EXPECT_EQ(QtFileFilter("Pliki CSV|*.csv|Wszystkie|*.*"), "Pliki CSV (*.csv);;Wszystkie (*.*)");
    EXPECT_EQ(QtFileFilter("Obrazy (*.png)|*.bmp"), "Obrazy (*.bmp)");
    EXPECT_EQ(QtFileFilter("Teksty (*.txt)"), "Teksty (*.txt)");
}

TEST(Prompts, StandardButtonsSpeakPolish)
{
    TestApp();
    ASSERT_TRUE(InstallPolishInterface());
    QMessageBox box(QMessageBox::Question, "UWAGA!", "Kontynuować?", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(u'&'), "Tak");
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove(u'&'), "Nie");
}
