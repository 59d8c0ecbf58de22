#pragma once
// Opening the link to an emulator for the service window tests.
#include "core/AppState.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "tests/support/EmulatorFixture.h"

#include <gtest/gtest.h>
#include <string>

enum class Line { Serial, Tcp };

inline std::string LineName(const ::testing::TestParamInfo<Line>& info)
{
    return info.param == Line::Serial ? "Serial" : "Tcp";
}

// Opens the link to the emulator and marks the register connected.
inline bool ConnectService(EmulatorFixture& fx, Line line)
{
    if (!fx.ConnectLink(line == Line::Tcp, 4))
        return false;
    App.WorkMode |= WorkModeRegister;
    return true;
}
