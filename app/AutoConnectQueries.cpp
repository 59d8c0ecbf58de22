#include "app/AutoConnectQueries.h"

#include "link/Commands.h"
#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "link/WyszukiwanieKasyRS.h"
#include "platform/ClientSocket.h"
#include "platform/SerialPort.h"

namespace {

constexpr int ReconnectBoundMs = 3000;

// The socket to the register, connected again to the saved address when the register has closed
// it (a restart): a socket readable with nothing to read has lost its peer, which a read confirms.
bool TcpSocketUp()
{
    ClientSocket& socket = TcpSocket();
    if (socket.Connected() && socket.WaitReadable(0) && socket.BytesWaiting() == 0) {
        uint8_t byte = 0;
        socket.Read(&byte, 1);
    }
    if (socket.Connected())
        return true;
    if (OpenLink() != 0)
        return false;
    // The connection completes in the event loop: no click may start anything meanwhile.
    ExchangeGuard guard;
    return socket.WaitConnected(ReconnectBoundMs);
}

} // namespace

bool ProbeRegister(bool tcp)
{
    // Over serial the read is bounded by the port's time-outs, so a silent port costs only that.
    if (tcp) {
        DrainInput();
        // A line put in place of the socket is not reconnected.
        if (!Link.Transport && !TcpSocketUp())
            return false;
    } else if (Link.SerialHandle) {
        Link.SerialHandle->PurgeInput();  // a freshly opened port: no message for old bytes
    }
    if (SendProbeQ(Link.RegisterAddress, SingleFrameNumber, 0) != 1)
        return false;
    const int n = tcp ? ReceiveBytes(Link.ReceiveBuffer, 10) : ReadRaw(Link.ReceiveBuffer, 10);
    return IsProbeAnswer(Link.ReceiveBuffer, n);
}
