#include "link/ModelDetection.h"

#include "core/AppState.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Prompts.h"

#include <cstring>

namespace {
constexpr std::size_t RivoConfigurationFrame = 36;
constexpr std::size_t TepoDuxConfigurationFrame = 31;
} // namespace

void DetectRegisterModel()
{
    DrainInput();
    SendCommandWithWord(Link.RegisterAddress, SingleFrameNumber, 0x03, 1);
    std::memset(Link.ReceiveBuffer, 0, RivoConfigurationFrame);
    // The shorter frame of the older model is taken as soon as it is whole.
    const int got = ReadRaw(Link.ReceiveBuffer, RivoConfigurationFrame, true);
    if (got <= 0) {
        App.RegisterModelFlag = 2;
        ShowMessage(QStringLiteral("Błąd transmisji !!!"));
        return;
    }
    if (got < 3)
        return;  // the length byte did not come
    switch (Link.ReceiveBuffer[2]) {
    case RivoConfigurationFrame:
        App.RegisterModelFlag = 1;
        App.GoodsRecordSize = 83;
        break;
    case TepoDuxConfigurationFrame:
        App.RegisterModelFlag = 0;
        App.GoodsRecordSize = 69;
        break;
    default:
        break;
    }
}
