#pragma once
// Set-up shared by the service window tests: the common includes, a clean environment, scripted
// prompts and the emulator, with the program's link opened over a pseudo-terminal or loopback TCP.
#include "core/AppState.h"
#include "emulator/FrameCodec.h"
#include "emulator/RegisterEmulator.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/Cp1250.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestNames.h"
#include "tests/tables/QtPrinting.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

struct ServiceRig {
    explicit ServiceRig(bool tcp) { connected = fx.ConnectLink(tcp); }
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx;
    bool connected = false;
};

// The same set-up with one window; the test opens the link when it needs one.
template <class W> struct WindowBench {
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx;
    W w;
};

// The request frames the emulator got, acknowledgements left out.
inline std::vector<emu::Bytes> Requests(EmulatorFixture& fx)
{
    std::vector<emu::Bytes> out;
    for (const emu::Bytes& f : fx.Emu().ReceivedFrames())
        if (!(f.size() == 10 && f[6] == 0x06))
            out.push_back(f);
    return out;
}

// Waits until the emulator got an acknowledgement with this status.
inline bool WaitForAck(EmulatorFixture& fx, uint8_t status)
{
    return WaitUntil([&] {
        for (const emu::Bytes& f : fx.Emu().ReceivedFrames())
            if (f.size() == 10 && f[6] == 0x06 && f[7] == status)
                return true;
        return false;
    });
}

// Parameter: false over a pseudo-terminal, true over loopback TCP.
class LinkTest : public ::testing::TestWithParam<bool> {};
