#include "platform/Prompts.h"
#include "platform/SingleInstance.h"
#include "platform/TempFolder.h"
#include "tests/support/EnvGuard.h"
#include "tests/support/TestEnvironment.h"

#include <QAbstractButton>
#include <QDate>
#include <QLocale>
#include <QMessageBox>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Another holder of the lock file at path, with a descriptor of its own as another process has:
// the descriptor, or -1 when the lock is held already.
int HoldLock(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::string UniqueName(const char* base) { return std::string(base) + " " + std::to_string(::getpid()); }

} // namespace

TEST(TempFolder, TempIsUsedWhenItIsAFolderAndAFallbackOfThisUserMadeWhenNot)
{
    EnvGuard guard({"TEMP", "XDG_RUNTIME_DIR"});
    TestEnvironment runtime(false);
    ::setenv("XDG_RUNTIME_DIR", runtime.Folder().c_str(), 1);
    ::setenv("TEMP", runtime.Folder().c_str(), 1);
    EXPECT_EQ(TempFolder("C:\\Rivo_Tmp"), runtime.Folder());

    ::unsetenv("TEMP");
    const std::string expected = runtime.Folder() + "/Rivo_Tmp";
    EXPECT_EQ(TempFolder("C:\\Rivo_Tmp"), expected);
    EXPECT_TRUE(fs::is_directory(expected));

    // A TEMP that names a file, or nothing that exists, is passed over too.
    const std::string file = runtime.Folder() + "/plik";
    std::ofstream(file) << "x";
    for (const std::string& temp : {file, runtime.Folder() + "/brak", std::string()}) {
        ::setenv("TEMP", temp.c_str(), 1);
        EXPECT_EQ(TempFolder("C:\\Tepo_Tmp"), runtime.Folder() + "/Tepo_Tmp") << temp;
    }

    // Without a runtime folder: a folder of this user's own under /tmp.
    ::unsetenv("TEMP");
    ::setenv("XDG_RUNTIME_DIR", "/nonexistent-rivo-runtime", 1);
    const std::string name = "rivo-fallback-" + std::to_string(::getpid());
    const std::string mine = "/tmp/" + name + "-" + std::to_string(::getuid());
    EXPECT_EQ(TempFolder("C:\\" + name), mine);
    EXPECT_EQ(fs::status(mine).permissions(), fs::perms::owner_all);
    std::error_code ec;
    fs::remove_all(mine, ec);
}

TEST(SingleInstance, LockHeldElsewhereIsRefusedUntilItIsDropped)
{
    EnvGuard guard({"XDG_RUNTIME_DIR"});
    TestEnvironment runtime(false);
    ::setenv("XDG_RUNTIME_DIR", runtime.Folder().c_str(), 1);
    const std::string name = UniqueName("ORVA TEPO RARI"), path = NamedMutexPath(name);
    EXPECT_EQ(path, runtime.Folder() + "/" + "ORVA_TEPO_RARI_" + std::to_string(::getpid()) + ".lock");

    const int other = HoldLock(path);
    ASSERT_GE(other, 0);
    EXPECT_FALSE(AcquireNamedMutex(name));
    ::close(other);  // as the kernel does when its process ends; the file stays
    EXPECT_TRUE(AcquireNamedMutex(name));
    // Now this process holds it: another one is refused.
    EXPECT_EQ(HoldLock(path), -1);
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
    TestEnvironment shared(false);
    const std::string name = UniqueName("ORVA TEPO RARI");
    ::unsetenv("TEMP");

    // Without a runtime folder each user has a lock name of his own under /tmp.
    ::unsetenv("XDG_RUNTIME_DIR");
    ASSERT_TRUE(AcquireNamedMutex(name));
    EXPECT_TRUE(AsAnotherUser([&] { return AcquireNamedMutex(name) && ::unlink(NamedMutexPath(name).c_str()) == 0; }));
    std::error_code ec;
    fs::remove(NamedMutexPath(name), ec);
    // A lock file that the other user cannot open does not count as a running copy.
    fs::permissions(shared.Folder(), fs::perms::all);
    ::setenv("XDG_RUNTIME_DIR", shared.Folder().c_str(), 1);
    ASSERT_TRUE(AcquireNamedMutex(name));
    EXPECT_TRUE(AsAnotherUser([&] { return AcquireNamedMutex(name); }));
    // Nor does a lock file that another user made there and holds, nor one in this user's own folder.
    for (bool runtime : {true, false}) {
        if (!runtime)
            ::unsetenv("XDG_RUNTIME_DIR");
        const std::string foreign = UniqueName(runtime ? "OBCY" : "OBCY TMP"), path = NamedMutexPath(foreign);
        const int fd = HoldLock(path);
        ASSERT_TRUE(fd >= 0 && ::fchown(fd, 65534, 65534) == 0) << path;
        EXPECT_TRUE(AcquireNamedMutex(foreign)) << path;
        ::close(fd);
        fs::remove(path, ec);
    }

    // The image folder under /tmp is the user's own: another user's folder of that name is refused.
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
    // The file dialogs format sizes and dates with the system locale; C numbers stay C.
    EXPECT_EQ(QLocale::system().formattedDataSize(805000), "786,13 KiB");
    EXPECT_EQ(QLocale::system().toString(QDate(2026, 12, 7), QLocale::ShortFormat), "7.12.2026");
    EXPECT_EQ(std::strtod("1.5", nullptr), 1.5);
}
