#include "app/AutoConnectQueries.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "link/WyszukiwanieKasyRS.h"
#include "platform/SerialPort.h"

#include <cstring>

namespace {
constexpr std::size_t RivoConfigurationFrame = 36;
constexpr std::size_t TepoDuxConfigurationFrame = 31;
} // namespace

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

ModelAnswer QueryRegisterModel()
{
    DrainInput();
    SendCommandWithWord(Link.RegisterAddress, SingleFrameNumber, 0x03, 1);
    std::memset(Link.ReceiveBuffer, 0, RivoConfigurationFrame);
    // The shorter frame of the older model is taken as soon as it is whole.
    const int got = ReadRaw(Link.ReceiveBuffer, RivoConfigurationFrame, true);
    if (got <= 0)
        return ModelAnswer::None;
    // Only a whole configuration frame tells the model; noise must not move the goods.
    if (!IsWholeFrame(Link.ReceiveBuffer, std::size_t(got)))
        return ModelAnswer::Unusable;
    if (std::size_t(got) == RivoConfigurationFrame)
        return ModelAnswer::Rivo;
    if (std::size_t(got) == TepoDuxConfigurationFrame)
        return ModelAnswer::TepoDux;
    return ModelAnswer::Unusable;
}
