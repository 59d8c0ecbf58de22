#include "sync/SendSeries.h"

#include "link/Link.h"
#include "platform/Prompts.h"
#include "platform/Time.h"

bool StoppedDuringReply()
{
    ProcessMessages();
    return Link.AbortRequestFlag != 0;
}

bool SeriesStop::BeforeFrame()
{
    ProcessMessages();
    asked_ = asked_ || Link.AbortRequestFlag != 0;
    return asked_;
}

bool SeriesStop::EndsSeries(int reply)
{
    if (reply == AckUserStopped)
        shownByLink_ = asked_ = true;
    else if (!asked_ && reply != AckAccepted && reply != AckDone && reply != AckErrorFrame)
        asked_ = StoppedDuringReply();
    ended_ = asked_;
    return ended_;
}

bool SeriesStop::ReportStop() const
{
    if (ended_ && !shownByLink_)
        ShowMessage(TransferStoppedText);
    return ended_;
}
