#include "app/AutoConnectQueries.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "link/WyszukiwanieKasyRS.h"
#include "platform/SerialPort.h"

bool ProbeRegister(bool tcp)
{
    // Over serial the read is bounded by the port's time-outs, so a silent port costs only that.
    if (tcp)
        DrainInput();
    else if (Link.SerialHandle)
        Link.SerialHandle->PurgeInput();  // a freshly opened port: no message for old bytes
    if (SendProbeQ(Link.RegisterAddress, SingleFrameNumber, 0) != 1)
        return false;
    const int n = tcp ? ReceiveBytes(Link.ReceiveBuffer, 10) : ReadRaw(Link.ReceiveBuffer, 10);
    return IsProbeAnswer(Link.ReceiveBuffer, n);
}
