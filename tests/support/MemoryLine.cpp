#include "tests/support/MemoryLine.h"

#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/Time.h"

#include <algorithm>

namespace {
// About the read time-out the link gives the port after a request.
constexpr int ReadTimeoutMs = 1000;
} // namespace

MemoryLine::MemoryLine(bool tcp)
{
    SetTimeSource([this] { return now_; }, [this](unsigned ms) { now_ += ms; });
    LinkSettings.LinkType = tcp ? 1 : 0;
    Link.Transport = this;
}

MemoryLine::~MemoryLine()
{
    if (Link.Transport == this)
        Link.Transport = nullptr;
    SetTimeSource({}, {});
}

void MemoryLine::Send(const uint8_t* data, std::size_t n) { incoming_.insert(incoming_.end(), data, data + n); }

int MemoryLine::Read(uint8_t* buffer, std::size_t n)
{
    if (incoming_.empty() && n > 0)
        now_ += ReadTimeoutMs;  // a read with nothing there waits out its time-out
    const std::size_t take = std::min(n, incoming_.size());
    std::copy_n(incoming_.begin(), take, buffer);
    incoming_.erase(incoming_.begin(), incoming_.begin() + std::ptrdiff_t(take));
    return int(take);
}

int MemoryLine::Write(const uint8_t* buffer, std::size_t n)
{
    written_.insert(written_.end(), buffer, buffer + n);
    Send(answer_);
    answer_.clear();
    return int(n);
}

bool MemoryLine::WaitReadable(int timeoutMs)
{
    if (incoming_.empty())
        now_ += std::max(timeoutMs, 1);
    return !incoming_.empty();
}
