// Reading the register's replies and sorting them into result codes.
#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "link/LinkIo.h"
#include "platform/Prompts.h"
#include "platform/Time.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int BusyStepMs = 200;
constexpr long long WaitSpinUs = 300;

const uint8_t* Rx() { return Link.ReceiveBuffer; }

bool IsReply(uint8_t kind, uint8_t status)
{
    return FrameLengthField(Rx()) == StatusReplyLength && Rx()[6] == kind && Rx()[7] == status;
}

int MapPaperOut()
{
    switch (AskPaperOut()) {
    case 1: return AckUserStopped;
    case 0: return AckAccepted;
    case 3: return AckDone;
    default: return AckBadReply;
    }
}

// The status replies both readers know: printing, accepted, done, paper out; -1 for others.
int ClassifyStatusReply()
{
    if (IsReply(ReplyAttention, StatusPrinting))
        return AckPrinting;
    if (IsReply(ReplyAck, 0))
        return AckAccepted;
    if (IsReply(ReplyAck, 3))
        return AckDone;
    if (IsReply(ReplyAttention, StatusPaperOut))
        return MapPaperOut();
    return -1;
}

// The first ten bytes are in the buffer and their length field says 11: reads the last byte.
// Only a whole error frame with its checksum counts as one.
bool TakeErrorFrame()
{
    ReadRaw(Link.ReceiveBuffer + StatusReplyLength, 1);
    return IsWholeFrame(Rx(), ErrorFrameLength);
}

// The end of both readers, for a status reply checked whole. A "busy" register answers later:
// its answer is waited for, so that it never lands in the next exchange.
int ClassifyWholeStatusReply()
{
    if (IsReply(ReplyAttention, StatusBusy)) {
        if (WaitWhileBusy() != 1)
            return AckBadReply;
        return Rx()[7] == 3 ? AckDone : AckAccepted;
    }
    if (const int result = ClassifyStatusReply(); result >= 0)
        return result;
    if (Rx()[6] == ReplyAck && Rx()[7] == 1)
        return AckStatus1;
    if (Rx()[6] == ReplyAck && Rx()[7] == 2)
        return AckStatus2;
    return AckBadReply;
}

int ChecksumMismatch(uint8_t received, uint8_t computed)
{
    ShowMessage(QStringLiteral("CRC kasy: %1 CRC PC: %2").arg(received).arg(computed));
    ShowMessage(QStringLiteral("Błąd CRC!"));
    return FrameChecksumError;
}

} // namespace

void WaitWithEvents(int ms, bool endOnStop)
{
    ExchangeGuard guard;
    // Timed to the microsecond: a wait repeated for every record must not grow. A sleep wakes a
    // tenth of a millisecond late or more, so the last fraction is spent processing events.
    const long long end = MonotonicUs() + ms * 1000LL;
    for (;;) {
        ProcessMessages();
        const long long left = end - MonotonicUs();
        if (left <= 0 || (endOnStop && Link.AbortRequestFlag))
            return;
        if (left > WaitSpinUs)
            SleepUs(std::min<long long>(left - WaitSpinUs, 10000));
    }
}

int ReceiveAck()
{
    std::memset(Link.ReceiveBuffer, 0, 512);
    const std::size_t count = std::size_t(ReceiveBytes(Link.ReceiveBuffer, StatusReplyLength));
    if (count < StatusReplyLength)
        return AckBadReply;
    if (FrameLengthField(Rx()) == ErrorFrameLength)
        return TakeErrorFrame() ? AckErrorFrame : AckBadReply;
    if (!IsWholeFrame(Rx(), StatusReplyLength))
        return AckBadReply;
    if (IsReply(ReplyAttention, StatusReceiptOpen))
        return AckReceiptOpen;
    return ClassifyWholeStatusReply();
}

int ReceiveAckSerial()
{
    std::memset(Link.ReceiveBuffer, 0, 512);
    const int count = ReadRaw(Link.ReceiveBuffer, StatusReplyLength);
    if (count < int(StatusReplyLength))
        return AckBadReply;
    if (FrameLengthField(Rx()) == ErrorFrameLength) {
        if (!TakeErrorFrame())
            return AckBadReply;
        ShowRegisterError(Rx()[8]);
        return AckErrorFrame;
    }
    if (!IsWholeFrame(Rx(), StatusReplyLength))
        return AckBadReply;
    return ClassifyWholeStatusReply();
}

int ReceiveAckWaitingOutPrinting(unsigned waitMs, int (*read)(), const std::function<void(bool)>& printing)
{
    const long long giveUp = MonotonicMs() + BusyWaitLimitMs;
    int result = read();
    while (result == AckPrinting) {
        if (MonotonicMs() >= giveUp) {
            // The last "printing" reply is no answer: nothing in the buffer may pass for one.
            std::memset(Link.ReceiveBuffer, 0, StatusReplyLength);
            return AckBadReply;
        }
        if (printing)
            printing(true);
        // A reply already behind this one makes it stale: it is read at once. Otherwise the wait is
        // not ended by a stop: the register's answer to this frame still has to be read.
        if (!InputWaiting())
            WaitWithEvents(int(waitMs), false);
        if (printing)
            printing(false);
        result = read();
    }
    return result;
}

int ReceiveFrame(std::size_t n)
{
    const bool tcp = LinkIsTcp();
    if (n < MinFrameLength || n > ReceiveBufferSize) {
        ShowMessage(tcp ? QStringLiteral("Błąd komunikacji TCP/IP.") : QStringLiteral("Brak komunikacji."));
        return FrameFailed;
    }
    std::memset(Link.ReceiveBuffer, 0, n);
    bool stopped = false;
    const std::size_t count = std::size_t(ReceiveBytesUnlessStopped(Link.ReceiveBuffer, n, stopped));
    if (stopped) {
        // The user's stop while the frame was awaited: the register is told to stop, and the
        // caller, seeing the abort flag, reports it as a stop.
        SendAckStatus4(Link.RegisterAddress);
        return FrameFailed;
    }

    // A reply of the register's own ('A'), in place of the frame or as long as it, is believed only
    // whole and with its checksum.
    const bool attention = Rx()[6] == ReplyAttention
                           && (count == StatusReplyLength || count == ErrorFrameLength || count == n);
    if (attention && IsWholeFrame(Rx(), count)) {
        if (count == StatusReplyLength && Rx()[7] == StatusEmptyBase) {
            ShowMessage(QStringLiteral("Pusta baza."));
            return FrameFailed;
        }
        if (count == StatusReplyLength && Rx()[7] == StatusZeroSales) {
            ShowMessage(QStringLiteral("Zerowa wartość sprzedaży."));
            return FrameFailed;
        }
        if (count != StatusReplyLength) {
            ShowRegisterError(Rx()[8]);
            return FrameFailed;
        }
    }
    // A short reply came whole but for its checksum.
    if (attention && count < n && FrameChecksum(Rx(), count) != Rx()[count - 2])
        return ChecksumMismatch(Rx()[count - 2], FrameChecksum(Rx(), count));
    // Fewer than n bytes, or n bytes that are not one frame of exactly that length.
    if (count < n || Rx()[0] != FrameStart || Rx()[n - 1] != FrameEnd || FrameLengthField(Rx()) != n) {
        ShowMessage(tcp ? QStringLiteral("Błąd komunikacji TCP/IP.") : QStringLiteral("Brak komunikacji."));
        return FrameFailed;
    }
    const uint8_t computed = FrameChecksum(Rx(), n);
    const uint8_t received = Rx()[n - 2];
    if (computed != received)
        return ChecksumMismatch(received, computed);
    const uint16_t frameNumber = uint16_t(Rx()[4] | (Rx()[5] << 8));
    if (frameNumber & LastFrameBit) {
        SendAckStatus3(Link.RegisterAddress);
        return FrameLast;
    }
    if (Link.AbortRequestFlag) {
        SendAckStatus4(Link.RegisterAddress);
        return FrameLast;
    }
    SendAckStatus0(Link.RegisterAddress);
    return FrameMore;
}

bool ReceivedEmptyBase()
{
    return IsWholeFrame(Rx(), StatusReplyLength) && IsReply(ReplyAttention, StatusEmptyBase);
}

int AskPaperOut()
{
    PromptAnswer answer = PromptAnswer::Cancel;
    // The box has only Yes and No; anything else asks again (a few times at most).
    for (int asked = 0; asked < 3 && answer != PromptAnswer::Yes && answer != PromptAnswer::No; ++asked)
        answer = AskQuestion(QStringLiteral("Brak papieru! Kontynuować?"), PromptButtons::YesNo,
                             QStringLiteral("UWAGA!"), PromptIcon::Warning);
    if (answer != PromptAnswer::Yes) {
        AbortByUser();
        return 1;
    }
    std::memset(Link.ReceiveBuffer, 0, StatusReplyLength);
    if (ReadRaw(Link.ReceiveBuffer, StatusReplyLength) == int(StatusReplyLength)
        && IsWholeFrame(Rx(), StatusReplyLength) && Rx()[6] == ReplyAck) {
        if (Rx()[7] == 0)
            return 0;
        if (Rx()[7] == 3)
            return 3;
    }
    return 2;
}

void AbortByUser()
{
    SendAckStatus4(Link.RegisterAddress);
    ShowMessage(TransferStoppedText);
}

int WaitWhileBusy()
{
    const long long giveUp = MonotonicMs() + BusyWaitLimitMs;
    int shortReads = 0;
    // A stop asked for during an earlier transfer must not end this wait before it starts.
    Link.AbortRequestFlag = 0;
    for (;;) {
        WaitWithEvents(BusyStepMs);
        if (Link.AbortRequestFlag || MonotonicMs() >= giveUp)
            return 0;
        std::memset(Link.ReceiveBuffer, 0, StatusReplyLength);
        if (ReadRaw(Link.ReceiveBuffer, StatusReplyLength) < int(StatusReplyLength)) {
            if (++shortReads >= 2)
                return 0;
            continue;
        }
        if (IsWholeFrame(Rx(), StatusReplyLength) && Rx()[6] == ReplyAck && (Rx()[7] == 0 || Rx()[7] == 3))
            return 1;
    }
}
