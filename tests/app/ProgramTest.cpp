// The rivo-service program as a whole, run headless as a child process.
#include "tests/support/OtherUser.h"
#include "tests/support/TestEnvironment.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace fs = std::filesystem;

namespace {

TEST(ProgramTest, StartsBuildsTheImageRefusesASecondCopyAndWritesSettingsWhenItEnds)
{
    // A private runtime folder (so the instance lock is the test's own), TEMP and working folder.
    TestEnvironment env(false);
    for (const char* sub : {"run", "temp", "work"})
        fs::create_directory(env.Path(sub));
    fs::permissions(env.Path("run"), fs::perms::owner_all, fs::perm_options::replace);
    // A process of the program with these folders; one extra variable on top.
    auto prepare = [&](QProcess& p, const QString& extra) {
        QProcessEnvironment vars = QProcessEnvironment::systemEnvironment();
        vars.insert("QT_QPA_PLATFORM", "offscreen");
        vars.insert("XDG_RUNTIME_DIR", QString::fromStdString(env.Path("run")));
        vars.insert("TEMP", QString::fromStdString(env.Path("temp")));
        vars.remove("RIVO_EXIT_AFTER_START_MS");
        vars.remove("RIVO_NONINTERACTIVE");
        vars.insert(extra.section('=', 0, 0), extra.section('=', 1));
        p.setProcessEnvironment(vars);
        p.setWorkingDirectory(QString::fromStdString(env.Path("work")));
        p.setProgram(RIVO_SERVICE_PATH);
    };
    std::error_code ec;
    auto imageBuilt = [&] { return fs::file_size(env.Path("temp/BDTemp.bdt"), ec) == 805000; };

    QProcess first;
    prepare(first, "RIVO_EXIT_AFTER_START_MS=5000");
    first.start();
    ASSERT_TRUE(first.waitForStarted(10000));
    // The image is built after the lock is taken.
    WaitUntil([&] { return imageBuilt() || first.state() != QProcess::Running; }, 30000);
    ASSERT_EQ(first.state(), QProcess::Running) << first.readAllStandardError().toStdString();
    ASSERT_TRUE(imageBuilt());

    QProcess second;
    prepare(second, "RIVO_NONINTERACTIVE=1");
    second.start();
    ASSERT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    const QString err = QString::fromUtf8(second.readAllStandardError());
    EXPECT_TRUE(err.contains(QStringLiteral("Błąd! Próbujesz uruchomić program, który już działa. "))) << err.toStdString();
    // No main window was made: the second copy never wrote its settings.
    EXPECT_FALSE(fs::exists(env.Path("work/ustaw.cfg")));

    // The first copy ends by itself and writes them.
    ASSERT_TRUE(first.waitForFinished(30000)) << first.readAllStandardError().toStdString();
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_EQ(fs::file_size(env.Path("work/ustaw.cfg"), ec), 14u);

    // With no place for the lock at all no copy starts, and the message says where and why.
    const std::optional<bool> refused = WithReadOnlyTmp([] {
        FILE* out = ::popen("env -u XDG_RUNTIME_DIR RIVO_NONINTERACTIVE=1 RIVO_EXIT_AFTER_START_MS=3000 "
                            "timeout 15 " RIVO_SERVICE_PATH " 2>&1", "r");
        std::string said;
        for (char line[512]; out && std::fgets(line, sizeof line, out);)
            said += line;
        const std::string why = "nie można utworzyć pliku blokady w folderze /tmp/Rivo_Tmp-" +
                                std::to_string(::getuid()) + ": system plików tylko do odczytu";
        return out && ::pclose(out) == 0 && said.find(why) != std::string::npos;
    });
    EXPECT_TRUE(refused.value_or(true));
}

} // namespace
