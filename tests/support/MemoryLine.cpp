#include "tests/support/MemoryLine.h"

#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/Time.h"

#include <algorithm>

namespace {
// About the read time-out the link gives the port after a request.
constexpr int ReadTimeoutMs = 1000;
} // namespace

FakeClock::FakeClock()
{
    SetTimeSource([this] { return now_; }, [this](unsigned ms) { now_ += ms; });
}

FakeClock::~FakeClock() { SetTimeSource({}, {}); }

std::chrono::steady_clock::time_point FakeClock::SteadyNow() const
{
    return std::chrono::steady_clock::time_point(std::chrono::milliseconds(now_));
}

MemoryLine::MemoryLine(bool tcp)
{
    LinkSettings.LinkType = tcp ? 1 : 0;
    Link.Transport = this;
}

MemoryLine::~MemoryLine()
{
    if (emulator_) {
        emulator_->SetReplySink({});
        emulator_->SetClock({});
    }
    if (Link.Transport == this)
        Link.Transport = nullptr;
}

void MemoryLine::Send(const std::vector<uint8_t>& bytes) { incoming_.insert(incoming_.end(), bytes.begin(), bytes.end()); }

void MemoryLine::Send(const uint8_t* data, std::size_t n) { incoming_.insert(incoming_.end(), data, data + n); }

void MemoryLine::Attach(emu::RegisterEmulator& emulator)
{
    emulator_ = &emulator;
    emulator.SetClock([this] { return clock_.SteadyNow(); });
    emulator.SetReplySink([this](const emu::Bytes& reply) { Send(reply); });
}

void MemoryLine::Wait(int ms)
{
    clock_.Advance(std::max(ms, 1));
    if (emulator_)
        emulator_->Pump();
}

int MemoryLine::BytesWaiting() { return int(incoming_.size()); }

int MemoryLine::Read(uint8_t* buffer, std::size_t n)
{
    if (incoming_.empty() && n > 0)
        Wait(ReadTimeoutMs);  // a read with nothing there waits out its time-out
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
    if (emulator_)
        emulator_->Feed(buffer, n);
    return int(n);
}

bool MemoryLine::WaitReadable(int timeoutMs)
{
    if (incoming_.empty())
        Wait(timeoutMs);
    return !incoming_.empty();
}
