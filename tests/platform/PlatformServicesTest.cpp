#include "platform/Prompts.h"
#include "platform/SingleInstance.h"
#include "platform/TempFolder.h"
#include "tests/support/EnvGuard.h"
#include "tests/support/OtherUser.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"

#include <QAbstractButton>
#include <QDate>
#include <QLocale>
#include <QMessageBox>
#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
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

using enum NamedMutexState;

// This process takes the lock, and a second copy is then kept out.
bool TakenOnce(const std::string& name)
{
    return AcquireNamedMutex(name) == Acquired && AcquireNamedMutex(name) == HeldElsewhere;
}

// Removes the private folders made beside a fixed /tmp name that was taken.
void RemoveFreshFolders(const std::string& fixed)
{
    std::error_code ec;
    for (const auto& e : fs::directory_iterator("/tmp"))
        if (e.path().string().rfind(fixed + "-", 0) == 0)
            fs::remove_all(e.path(), ec);
}

} // namespace

TEST(TempFolder, TempIsUsedWhenItIsAFolderAndAFallbackOfThisUserMadeWhenNot)
{
    EnvGuard guard({"TEMP", "XDG_RUNTIME_DIR"});
    TestEnvironment runtime(false);
    ::setenv("XDG_RUNTIME_DIR", runtime.Folder().c_str(), 1);
    ::setenv("TEMP", runtime.Folder().c_str(), 1);
    EXPECT_EQ(TempFolder("C:\\Rivo_Tmp").Path(), runtime.Folder());

    ::unsetenv("TEMP");
    const std::string expected = runtime.Folder() + "/Rivo_Tmp";
    EXPECT_EQ(TempFolder("C:\\Rivo_Tmp").Path(), expected);
    EXPECT_TRUE(fs::is_directory(expected));

    // A TEMP that names a file, or nothing that exists, is passed over too.
    const std::string file = runtime.Folder() + "/plik";
    std::ofstream(file) << "x";
    for (const std::string& temp : {file, runtime.Folder() + "/brak", std::string()}) {
        ::setenv("TEMP", temp.c_str(), 1);
        EXPECT_EQ(TempFolder("C:\\Tepo_Tmp").Path(), runtime.Folder() + "/Tepo_Tmp") << temp;
    }

    // Without a runtime folder: a folder of this user's own under /tmp.
    ::unsetenv("TEMP");
    ::setenv("XDG_RUNTIME_DIR", "/nonexistent-rivo-runtime", 1);
    const std::string name = "rivo-fallback-" + std::to_string(::getpid());
    const std::string mine = "/tmp/" + name + "-" + std::to_string(::getuid());
    EXPECT_EQ(TempFolder("C:\\" + name).Path(), mine);
    EXPECT_EQ(fs::status(mine).permissions(), fs::perms::owner_all);
    std::error_code ec;
    fs::remove_all(mine, ec);
}

TEST(TempFolder, FoldersFromTheEnvironmentAreUsedOnlyWhenTheUsersOwnAndWritableByNoOneElse)
{
    EnvGuard guard({"TEMP", "XDG_RUNTIME_DIR"});
    TestEnvironment env(false);
    const std::string name = "rivo-env-" + std::to_string(::getpid());
    const std::string fixed = "/tmp/" + name + "-" + std::to_string(::getuid());

    enum Place { Temp, Runtime, Sub };  // Sub: the runtime folder's subfolder
    enum Spoil { Link, ForeignLink, OpenToAll, GroupWritable, Foreign };  // links name a private folder of this user's
    enum Use { Tmp, Made, Target };  // the /tmp fallback, Sub, what the link resolved to
    const struct {
        Place Where;
        Spoil How;
        Use Expect;
    } cases[] = {{Temp, Link, Target},      {Temp, ForeignLink, Target}, {Temp, GroupWritable, Made},
                 {Temp, Foreign, Made},     {Runtime, Link, Target},     {Runtime, OpenToAll, Tmp},
                 {Sub, Link, Tmp},          {Sub, Foreign, Tmp},
                 {Sub, OpenToAll, Made}};  // a subfolder of this user's own is made private
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(i);
        if ((c.How == Foreign || c.How == ForeignLink) && !RunningAsRoot())
            continue;  // giving a folder or link to another user needs root
        const std::string temp = env.Path("temp" + std::to_string(i)), run = env.Path("run" + std::to_string(i));
        const std::string sub = run + "/" + name, spoiled = c.Where == Temp ? temp : c.Where == Runtime ? run : sub;
        ::mkdir(temp.c_str(), 0700);
        ::mkdir(run.c_str(), 0700);
        if (c.How == Link || c.How == ForeignLink) {
            fs::remove_all(spoiled);
            if (c.How == Link)
                fs::create_directory_symlink(env.Folder(), spoiled);
            else
                ASSERT_TRUE(PlantForeignLink(env.Folder(), spoiled));
        } else {
            fs::create_directory(spoiled);
            ASSERT_EQ(::chmod(spoiled.c_str(), c.How == OpenToAll ? 0777 : c.How == GroupWritable ? 0770 : 0700), 0);
            ASSERT_TRUE(c.How != Foreign || ::chown(spoiled.c_str(), OtherUid, OtherUid) == 0);
        }
        // Another user's link with "/." after it is followed once, and what it led to is used.
        ::setenv("TEMP", c.Where != Temp ? "" : c.How == ForeignLink ? (temp + "/.").c_str() : temp.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
        const std::string used = c.Expect == Tmp    ? fixed
                                 : c.Expect == Made ? sub
                                                    : env.Folder() + (c.Where == Temp ? "" : "/" + name);
        EXPECT_EQ(TempFolder("C:\\" + name).Path(), used);
        EXPECT_EQ(fs::symlink_status(used).permissions(), fs::perms::owner_all);
        std::error_code ec;
        fs::remove_all(fixed, ec);
    }
    // Nor does the lock go into a runtime folder that may not be used (the one of case 5).
    ::setenv("XDG_RUNTIME_DIR", env.Path("run5").c_str(), 1);
    EXPECT_EQ(NamedMutexPath("ORVA TEPO RARI").rfind(env.Path("run5"), 0), std::string::npos);
}

TEST(TempFolder, AFixedNameTakenBySomeoneElseGivesAFreshPrivateFolderAndTheLockStaysOne)
{
    EnvGuard guard({"TEMP", "XDG_RUNTIME_DIR"});
    TestEnvironment env(false);
    ::unsetenv("TEMP");
    ::unsetenv("XDG_RUNTIME_DIR");
    const std::string name = "rivo-taken-" + std::to_string(::getpid());
    const std::string fixed = "/tmp/" + name + "-" + std::to_string(::getuid());
    WriteWhole(fixed, "x");  // what holds the name
    const std::string folder = TempFolder("C:\\" + name).Path();
    EXPECT_EQ(folder.rfind(fixed + "-", 0), 0u) << folder;
    EXPECT_EQ(fs::symlink_status(folder).permissions(), fs::perms::owner_all);
    EXPECT_EQ(TempFolder("C:\\" + name).Path(), folder);  // the same one again, not one per image
    fs::remove(fixed);
    RemoveFreshFolders(fixed);

    if (!RunningAsRoot())
        GTEST_SKIP() << "needs root to take the lock folder's name as another user";
    // Another user took this user's lock folder name: the lock goes beside it and still keeps a
    // second copy out.
    const uid_t user = 65533;
    const std::string lockFolder = "/tmp/Rivo_Tmp-" + std::to_string(user), lock = UniqueName("ORVA TEPO RARI");
    std::error_code ec;
    fs::remove_all(lockFolder, ec);
    fs::create_directory(lockFolder);
    EXPECT_TRUE(
        AsAnotherUser([&] { return NamedMutexPath(lock).rfind(lockFolder + "-", 0) == 0 && TakenOnce(lock); }, user));
    RemoveFreshFolders(lockFolder);
    // Two copies that each made a folder beside it: the one that made the later name already runs.
    for (const char* beside : {"-000000", "-zzzzzz"}) {
        fs::create_directory(lockFolder + beside);
        ASSERT_EQ(::chown((lockFolder + beside).c_str(), user, user), 0);
    }
    std::string running = lockFolder + "-zzzzzz/" + lock + ".lock";
    std::replace(running.begin() + long(lockFolder.size()), running.end(), ' ', '_');
    const int held = HoldLock(running);
    ASSERT_TRUE(held >= 0 && ::fchown(held, user, user) == 0);
    EXPECT_TRUE(AsAnotherUser([&] { return AcquireNamedMutex(lock) == HeldElsewhere; }, user));
    ::close(held);
    RemoveFreshFolders(lockFolder);
    fs::remove_all(lockFolder, ec);
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
    EXPECT_EQ(AcquireNamedMutex(name), HeldElsewhere);
    ::close(other);  // as the kernel does when its process ends; the file stays
    EXPECT_EQ(AcquireNamedMutex(name), Acquired);
    // Now this process holds it: another one is refused.
    EXPECT_EQ(HoldLock(path), -1);

    // A runtime folder where no lock file can be made sends the lock on, as the working folders go.
    const std::string moved = UniqueName("RO");
    ASSERT_TRUE(!RunningAsRoot() || ::chown(runtime.Folder().c_str(), OtherUid, OtherUid) == 0);
    ::chmod(runtime.Folder().c_str(), 0500);
    EXPECT_TRUE(WherePermissionsBind([&] { return TakenOnce(moved) && ::unlink(NamedMutexPath(moved).c_str()) == 0; }));
    ::chmod(runtime.Folder().c_str(), 0700);
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
    ASSERT_EQ(AcquireNamedMutex(name), Acquired);
    EXPECT_TRUE(AsAnotherUser([&] { return TakenOnce(name) && ::unlink(NamedMutexPath(name).c_str()) == 0; }));
    std::error_code ec;
    fs::remove(NamedMutexPath(name), ec);
    // A lock file that the other user cannot open does not count as a running copy.
    fs::permissions(shared.Folder(), fs::perms::all);
    ::setenv("XDG_RUNTIME_DIR", shared.Folder().c_str(), 1);
    ASSERT_EQ(AcquireNamedMutex(name), Acquired);
    EXPECT_TRUE(AsAnotherUser([&] { return TakenOnce(name); }));
    // Nor does a lock file that another user made and holds in this user's own folder; nor is it
    // taken for ours: the lock goes on to the next place, and keeps a second copy out there.
    fs::permissions(shared.Folder(), fs::perms::owner_all, fs::perm_options::replace);
    for (bool runtime : {true, false}) {
        if (!runtime)
            ::unsetenv("XDG_RUNTIME_DIR");
        const std::string foreign = UniqueName(runtime ? "OBCY" : "OBCY TMP"), path = NamedMutexPath(foreign);
        const int fd = HoldLock(path);
        ASSERT_TRUE(fd >= 0 && ::fchown(fd, 65534, 65534) == 0) << path;
        EXPECT_TRUE(TakenOnce(foreign)) << path;
        ::close(fd);
        fs::remove(path, ec);
    }
    RemoveFreshFolders("/tmp/Rivo_Tmp-0");

    // The image folder under /tmp is the user's own: another user's folder of that name is not used.
    const std::string folderName = "rivo-other-" + std::to_string(::getpid());
    const std::string othersFolder = "/tmp/" + folderName + "-65534";
    fs::create_directory(othersFolder);
    EXPECT_TRUE(AsAnotherUser([&] { return TempFolder(folderName).Path().rfind(othersFolder + "-", 0) == 0; }));
    RemoveFreshFolders(othersFolder);
    fs::remove(othersFolder);
    EXPECT_TRUE(AsAnotherUser([&] { return TempFolder(folderName).Path() == othersFolder; }));
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
