// rivo-service: the program's entry.
#include "app/AppWindows.h"
#include "app/MenuGlowne.h"
#include "app/Uruchamianie.h"
#include "core/DatabaseImage.h"
#include "platform/Prompts.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

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

} // namespace

int main(int argc, char** argv)
{
    if (!AcquireNamedMutex("ORVA TEPO RARI")) {
        const char* text = "Błąd! Próbujesz uruchomić program, który już działa. ";
        // Headless runs have nobody to close a message box.
        if (EnvironmentFlag("RIVO_NONINTERACTIVE")) {
            std::fprintf(stderr, "%s\n", text);
            return 0;
        }
        UsePolishSystemFormats();
        QApplication app(argc, argv);
        InstallPolishInterface();
        QApplication::setApplicationName(ApplicationTitle);
        ShowMessage(QString::fromUtf8(text));
        return 0;
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
