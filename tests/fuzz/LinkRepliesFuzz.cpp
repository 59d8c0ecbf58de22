// The link's readers over a line that delivers any bytes: the status readers, the frame reader
// and the model detection, over serial or TCP.
#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "link/Link.h"
#include "link/ModelDetection.h"
#include "tests/fuzz/FuzzTargets.h"
#include "tests/support/MemoryLine.h"

bool FuzzLinkReplies(const uint8_t* data, std::size_t size)
{
    if (size < 2)
        return true;
    const uint8_t mode = data[0];
    ResetLinkState();
    App.GoodsRecordSize = DefaultGoodsRecordSize;
    App.MaxGoodsCount = DefaultMaxGoodsCount;
    App.RegisterModelFlag = 7;
    FuzzNextAnswer((mode & 0x80) != 0);
    MemoryLine line((mode & 0x40) != 0);
    line.Send(data + 2, size - 2);

    switch (mode & 3) {
    case 0:
    case 1: {
        const int result = (mode & 3) == 0 ? ReceiveAck() : ReceiveAckSerial();
        // Success only on a whole acknowledgement with its checksum.
        if (result == AckAccepted || result == AckDone)
            return IsWholeFrame(Link.ReceiveBuffer, 10) && Link.ReceiveBuffer[6] == ReplyAck
                && Link.ReceiveBuffer[7] == (result == AckDone ? 3 : 0);
        if (result == AckErrorFrame)
            return IsWholeFrame(Link.ReceiveBuffer, 11);
        return true;
    }
    case 2: {
        const std::size_t n = 9 + data[1] % 120;
        const int result = ReceiveFrame(n);
        if (result == FrameMore || result == FrameLast)
            return IsWholeFrame(Link.ReceiveBuffer, n);
        return result == FrameChecksumError || result == FrameFailed;
    }
    default: {
        DetectRegisterModel();
        if (App.RegisterModelFlag == 1)
            return IsWholeFrame(Link.ReceiveBuffer, 36) && App.GoodsRecordSize == 83;
        if (App.RegisterModelFlag == 0)
            return IsWholeFrame(Link.ReceiveBuffer, 31) && App.GoodsRecordSize == 69;
        return App.GoodsRecordSize == 83;
    }
    }
}
