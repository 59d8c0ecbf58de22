#include "link/ModelDetection.h"

#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "core/GoodsArea.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Prompts.h"

#include <cstring>

namespace {
constexpr std::size_t RivoConfigurationFrame = 36;
constexpr std::size_t TepoDuxConfigurationFrame = 31;
} // namespace

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

void DetectRegisterModel()
{
    switch (QueryRegisterModel()) {
    case ModelAnswer::None:
        App.RegisterModelFlag = 2;
        ShowMessage(QStringLiteral("Błąd transmisji !!!"));
        break;
    case ModelAnswer::Unusable:
        break;
    case ModelAnswer::Rivo:
        App.RegisterModelFlag = 1;
        ChangeGoodsRecordSize(DefaultGoodsRecordSize);
        break;
    case ModelAnswer::TepoDux:
        App.RegisterModelFlag = 0;
        ChangeGoodsRecordSize(TepoDuxGoodsRecordSize);
        break;
    }
}
