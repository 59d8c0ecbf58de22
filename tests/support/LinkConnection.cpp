#include "tests/support/LinkConnection.h"

#include "core/AppState.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/ClientSocket.h"

bool ConnectToEmulator(EmulatorFixture& fx, bool tcp)
{
    if (!tcp) {
        if (fx.ServeCom(7).empty())
            return false;
        LinkSettings.LinkType = 0;
        LinkSettings.ComPortNumber = 7;
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
    App.WorkMode = WorkModeDatabase | WorkModeRegister;
    return true;
}
