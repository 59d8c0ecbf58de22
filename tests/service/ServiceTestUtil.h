#pragma once
// Opening the link to an emulator for the service window tests.
#include "core/AppState.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/ClientSocket.h"
#include "tests/support/EmulatorFixture.h"

#include <gtest/gtest.h>
#include <string>

enum class Line { Serial, Tcp };

inline std::string LineName(const ::testing::TestParamInfo<Line>& info)
{
    return info.param == Line::Serial ? "Serial" : "Tcp";
}

// Serves the emulator on COM4 or loopback TCP, opens the link and marks the register connected.
inline bool ConnectService(EmulatorFixture& fx, Line line)
{
    if (line == Line::Serial) {
        if (fx.ServeCom(4).empty())
            return false;
        LinkSettings.LinkType = 0;
        LinkSettings.ComPortNumber = 4;
        if (OpenComPort(1, Link.SerialHandle) != 0)
            return false;
    } else {
        const int port = fx.ServeTcp();
        if (port <= 0)
            return false;
        LinkSettings.LinkType = 1;
        LinkSettings.TcpHost = "127.0.0.1";
        LinkSettings.TcpPort = port;
        ConnectTcp();
        if (!TcpSocket().WaitConnected(3000))
            return false;
    }
    App.WorkMode |= WorkModeRegister;
    return true;
}
