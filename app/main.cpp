// rivo-service: the program's entry.
#include "app/AppWindows.h"
#include "app/MenuGlowne.h"
#include "app/Uruchamianie.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "platform/Prompts.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

namespace {

const char* const ApplicationTitle = "ZUZAz103";

bool EnvironmentFlag(const char* name)
{
    const char* v = std::getenv(name);
    return v && std::strcmp(v, "1") == 0;
}

// RIVO_EXIT_AFTER_START_MS lets a test run the program headless and see it end by itself.
int ExitAfterMs()
{
    const char* v = std::getenv("RIVO_EXIT_AFTER_START_MS");
    if (!v || !*v)
        return -1;
    char* end = nullptr;
    const long ms = std::strtol(v, &end, 10);
    return (*end == '\0' && ms >= 0 && ms <= 24L * 3600 * 1000) ? static_cast<int>(ms) : -1;
}

// The start refused before any window exists, with the reason.
int RefuseToStart(int argc, char** argv, const QString& text)
{
    // Headless runs have nobody to close a message box.
    if (EnvironmentFlag("RIVO_NONINTERACTIVE")) {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
        return 0;
    }
    UsePolishSystemFormats();
    QApplication app(argc, argv);
    InstallPolishInterface();
    QApplication::setApplicationName(ApplicationTitle);
    ShowMessage(text);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::string lockFolder;
    switch (AcquireNamedMutex("ORVA TEPO RARI", &lockFolder)) {
    case NamedMutexState::Acquired: break;
    case NamedMutexState::HeldElsewhere:
        return RefuseToStart(argc, argv, QStringLiteral("Błąd! Próbujesz uruchomić program, który już działa. "));
    case NamedMutexState::Unavailable: {
        // Without the lock a second copy could work on the same working image: none starts.
        const QString why = WriteFailureReason(errno, "ORVA_TEPO_RARI.lock");
        return RefuseToStart(argc, argv,
                             QStringLiteral("Błąd! Nie można uruchomić programu: nie można utworzyć pliku blokady w "
                                            "folderze %1: %2. ")
                                 .arg(QFile::decodeName(lockFolder.c_str()), why));
    }
    }

    UsePolishSystemFormats();
    QApplication app(argc, argv);
    InstallPolishInterface();
    auto* splash = new TUruchamianie;
    splash->ShowAndPaint();
    QApplication::setApplicationName(ApplicationTitle);

    try {
        InitTableOffsets();
        CreateAllWindows();
    } catch (const std::exception& e) {
        delete splash;
        ShowMessage(QString::fromLocal8Bit(e.what()), PromptIcon::Error);
        DestroyAllWindows();
        return 1;
    }
    delete splash;

    MenuGlowne->show();
    if (const int ms = ExitAfterMs(); ms >= 0)
        QTimer::singleShot(ms, MenuGlowne, [] {
            MenuGlowne->close();
            QCoreApplication::quit();
        });
    const int result = QApplication::exec();
    DestroyAllWindows();
    return result;
}
