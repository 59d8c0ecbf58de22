#include "tests/support/EmulatorFixture.h"

#include "core/AppState.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/ClientSocket.h"

#include <cstdlib>
#include <filesystem>
#include <stdlib.h>

namespace {

std::string MakeTempDir(const char* prefix)
{
    std::string tmpl = std::filesystem::temp_directory_path().string() + "/" + prefix + "XXXXXX";
    return ::mkdtemp(tmpl.data()) ? tmpl : std::string();
}

} // namespace

EmulatorFixture::EmulatorFixture(emu::Model model, uint8_t address) : emulator_(model, address), server_(emulator_) {}

EmulatorFixture::~EmulatorFixture()
{
    server_.Stop();
    if (setComDir_)
        ::unsetenv("RIVO_COM_DIR");
    if (!comDir_.empty())
        RemoveComDir(comDir_);
}

std::string EmulatorFixture::ServeCom(int n, int portCode)
{
    if (comDir_.empty()) {
        comDir_ = MakeTempDir("rivo-com-");
        if (comDir_.empty())
            return {};
    }
    if (!server_.ServeComPort(comDir_, n, portCode))
        return {};
    ::setenv("RIVO_COM_DIR", comDir_.c_str(), 1);
    setComDir_ = true;
    return comDir_;
}

std::string EmulatorFixture::MakeEmptyComDir()
{
    std::string dir = MakeTempDir("rivo-com-empty-");
    if (!dir.empty())
        ::setenv("RIVO_COM_DIR", dir.c_str(), 1);
    return dir;
}

void EmulatorFixture::SetBaud(unsigned baud)
{
    server_.SetBaud(baud);
    if (baud)
        LinkSettings.BaudRate = baud;
}

bool EmulatorFixture::ConnectLink(bool tcp, int comPort)
{
    if (tcp) {
        const int port = ServeTcp();
        if (port <= 0)
            return false;
        LinkSettings.LinkType = 1;
        LinkSettings.TcpHost = "127.0.0.1";
        LinkSettings.TcpPort = port;
        if (ConnectTcp() != 0 || !TcpSocket().WaitConnected(3000))
            return false;
    } else {
        if (ServeCom(comPort).empty())
            return false;
        LinkSettings.LinkType = 0;
        LinkSettings.ComPortNumber = comPort;
        if (OpenComPort(1, Link.SerialHandle) != 0)
            return false;
    }
    App.WorkMode |= WorkModeRegister;
    return true;
}
