#include "link/UnreadReply.h"

#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "link/LinkIo.h"
#include "platform/Time.h"

#include <cstring>

namespace {

bool AnswerStillToCome(const uint8_t* reply, std::size_t got)
{
    return got == StatusReplyLength && IsWholeFrame(reply, got) && reply[6] == ReplyAttention
           && (reply[7] == StatusPrinting || reply[7] == StatusBusy);
}

} // namespace

int ReadReplyWithEvents(uint8_t* buffer, std::size_t n, bool& stopped)
{
    // As long as a busy wait may last: a report may print for a while before its answer.
    const long long giveUp = MonotonicMs() + BusyWaitLimitMs;
    long long bound = ReplyBoundMs;
    for (;;) {
        std::memset(buffer, 0, n);
        const std::size_t got = ReadFromLink(buffer, n, bound, true, 0, &stopped);
        bound = giveUp - MonotonicMs();
        if (stopped || !AnswerStillToCome(buffer, got) || bound <= 0)
            return int(got);
    }
}

void AwaitUnreadReply()
{
    ExchangeGuard guard;
    Link.AbortRequestFlag = 0;
    uint8_t reply[ErrorFrameLength];
    bool stopped = false;
    ReadReplyWithEvents(reply, sizeof reply, stopped);
}
