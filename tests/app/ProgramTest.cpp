// The rivo-service program as a whole, run headless as a child process.
#include "tests/support/TestEnvironment.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace fs = std::filesystem;

namespace {

// A private folder for one run: runtime folder (so the instance lock is the test's own),
// TEMP and working folder.
class ProgramRun {
public:
    ProgramRun()
    {
        for (const char* sub : {"run", "temp", "work"})
            fs::create_directory(Path(sub));
        fs::permissions(Path("run"), fs::perms::owner_all, fs::perm_options::replace);
    }
    std::string Path(const std::string& name) const { return env_.Path(name); }

    // A process of the program with this run's folders; extra variables on top.
    void Prepare(QProcess& p, const QStringList& extra) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(Path("run")));
        env.insert("TEMP", QString::fromStdString(Path("temp")));
        env.remove("RIVO_EXIT_AFTER_START_MS");
        env.remove("RIVO_NONINTERACTIVE");
        for (const QString& kv : extra)
            env.insert(kv.section('=', 0, 0), kv.section('=', 1));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(QString::fromStdString(Path("work")));
        p.setProgram(RIVO_SERVICE_PATH);
    }

private:
    TestEnvironment env_{false};
};

bool ImageBuilt(const ProgramRun& run)
{
    std::error_code ec;
    return fs::file_size(run.Path("temp/BDTemp.bdt"), ec) == 805000;
}

TEST(ProgramTest, StartsBuildsTheImageAndWritesSettingsWhenItEnds)
{
    ProgramRun run;
    QProcess p;
    run.Prepare(p, {"RIVO_EXIT_AFTER_START_MS=200"});
    p.start();
    ASSERT_TRUE(p.waitForStarted(10000));
    ASSERT_TRUE(p.waitForFinished(30000)) << p.readAllStandardError().toStdString();
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(ImageBuilt(run));
    std::error_code ec;
    EXPECT_EQ(fs::file_size(run.Path("work/ustaw.cfg"), ec), 14u);
}

TEST(ProgramTest, SecondCopyEndsAtOnceWhileTheFirstRuns)
{
    ProgramRun run;
    QProcess first;
    run.Prepare(first, {"RIVO_EXIT_AFTER_START_MS=60000"});
    first.start();
    ASSERT_TRUE(first.waitForStarted(10000));
    // The image is built after the lock is taken.
    WaitUntil([&] { return ImageBuilt(run) || first.state() != QProcess::Running; }, 30000);
    ASSERT_EQ(first.state(), QProcess::Running) << first.readAllStandardError().toStdString();
    ASSERT_TRUE(ImageBuilt(run));

    QProcess second;
    run.Prepare(second, {"RIVO_NONINTERACTIVE=1"});
    second.start();
    ASSERT_TRUE(second.waitForStarted(10000));
    ASSERT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    const QString err = QString::fromUtf8(second.readAllStandardError());
    EXPECT_TRUE(err.contains(QStringLiteral("Błąd! Próbujesz uruchomić program, który już działa. "))) << err.toStdString();
    // No main window was made: the second copy never wrote its settings.
    EXPECT_FALSE(fs::exists(run.Path("work/ustaw.cfg")));

    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    EXPECT_TRUE(first.waitForFinished(10000));
}

} // namespace
