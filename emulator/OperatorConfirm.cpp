// The operator at the register's keyboard. A program frame of a small table or of the VAT rates
// whose confirm byte is set makes the register ask its operator before it stores the record:
// until the operator confirms, it stores nothing and answers nothing. Chosen here: while the
// question is up the register serves nobody else, so every frame that comes meanwhile (requests
// and acknowledgements alike) is dropped unanswered and not carried out; the waiting frame is
// carried out and answered on the line it came from once confirmed.
#include "emulator/EmulatorState.h"

namespace emu {

namespace {

// Where each program frame carries its confirm byte; 0 for frames without one.
std::size_t ConfirmByteAt(uint8_t command, std::size_t length)
{
    switch (command) {
    case 'R': return length == 38 ? 35 : 0;
    case 'K': return length == 45 ? 42 : 0;
    case 'F': return length == 33 ? 30 : 0;
    case 'W': return length == 40 ? 37 : 0;
    case 'P': return length == 31 ? 28 : 0;
    case 'Z': return length == 58 ? 55 : 0;
    case 'G': return length == 31 ? 28 : 0;
    default: return 0;
    }
}

// While the question waits for a test to confirm it, the server looks in this often.
constexpr int PromptPollMs = 20;

} // namespace

bool RegisterEmulator::Impl::AwaitOperator(const Request& rq)
{
    const std::size_t at = ConfirmByteAt(rq.command, rq.length);
    if (at == 0 || rq.at(at) == 0)
        return false;
    prompt = OperatorPrompt{};
    prompt.active = true;
    prompt.frame = rq.frame;
    prompt.sink = sink;
    if (confirmDelayMs >= 0)
        prompt.due = Clock::now() + std::chrono::milliseconds(confirmDelayMs);
    cv.notify_all();
    return true;
}

int RegisterEmulator::Impl::PumpOperatorPrompt(Clock::time_point now)
{
    if (!prompt.active)
        return -1;
    const bool dueByDelay = confirmDelayMs >= 0 && prompt.due <= now;
    if (!prompt.confirmed && !dueByDelay) {
        if (confirmDelayMs < 0)
            return PromptPollMs;
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(prompt.due - now).count();
        return static_cast<int>(ms) + 1;
    }
    OperatorPrompt confirmed = std::move(prompt);
    prompt = OperatorPrompt{};
    const Bytes& f = confirmed.frame;
    auto it = handlers.find({f[6], static_cast<uint16_t>(f.size())});
    if (it == handlers.end())
        return -1;
    // The reply goes to the line the frame came from.
    std::swap(sink, confirmed.sink);
    const Request rq{f, f[1], GetU16(&f[4]), f[6], f.size()};
    CarryOut(rq, it->second);
    std::swap(sink, confirmed.sink);
    return -1;
}

bool RegisterEmulator::ConfirmPending() const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    return impl_->prompt.active;
}

bool RegisterEmulator::WaitForConfirmPending(int timeoutMs) const
{
    std::unique_lock<std::mutex> l(impl_->mu);
    return impl_->cv.wait_for(l, std::chrono::milliseconds(timeoutMs), [&] { return impl_->prompt.active; });
}

void RegisterEmulator::ConfirmOnKeyboard()
{
    std::lock_guard<std::mutex> l(impl_->mu);
    if (impl_->prompt.active)
        impl_->prompt.confirmed = true;
}

void RegisterEmulator::SetConfirmDelay(int ms)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->confirmDelayMs = ms < 0 ? -1 : ms;
}

} // namespace emu
