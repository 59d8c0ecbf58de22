#include "tests/fuzz/FuzzTargets.h"

#include "platform/Prompts.h"
#include "tests/support/TestEnvironment.h"

#include <cstdlib>

namespace {

class FuzzPrompts : public Prompts {
public:
    void Message(const QString&, const QString&, PromptIcon) override {}
    PromptAnswer Question(const QString&, const QString&, PromptButtons, PromptIcon) override
    {
        return yes ? PromptAnswer::Yes : PromptAnswer::No;
    }
    QString OpenFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString SaveFileName(const QString&, const QString&, const QString&) override { return {}; }
    bool yes = false;
};

FuzzPrompts prompts;

} // namespace

void FuzzSetUp()
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static TestEnvironment environment(true);  // made once; its folder goes when the process ends
    SetPrompts(&prompts);
}

void FuzzNextAnswer(bool yes) { prompts.yes = yes; }
