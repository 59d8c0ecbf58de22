// The frame engine: splits the PC's bytes into frames, checks them as the register does, hands
// each request to its handler and sends the reply with the faults a test asked for.
#include "emulator/EmulatorState.h"

#include <algorithm>

namespace emu {

namespace {

// The program sends these frames to address 1 whatever the register's own address is, so a
// register at another address takes them too (chosen here: nothing says otherwise).
bool FixedAddressCommand(uint8_t command, std::size_t length)
{
    switch (command) {
    case 'O': return length == 13;
    case 0x03: return length == 36 || length == 31;
    case 'm': return length == 252;
    case 'e': return length == 195;
    case 'l':
    case 'd': return length == 58;
    case 0x09:
    case 'c':
    case 0xCB: return length == 10;
    case '8': return length == 14;
    case '9': return length == 9;
    default: return false;
    }
}

// A request that stops arriving for this long is given up (the register's receive time-out).
constexpr auto PartialTimeout = std::chrono::milliseconds(500);

int MillisecondsUntil(Clock::time_point t, Clock::time_point now)
{
    if (t <= now)
        return 0;
    auto us = std::chrono::duration_cast<std::chrono::microseconds>(t - now).count();
    return static_cast<int>((us + 999) / 1000);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// engine

void RegisterEmulator::Impl::ProcessInput(bool stale)
{
    for (;;) {
        if (copy.active) {
            // The electronic copy is acknowledged by a single byte 0xAA outside any frame.
            int head = scanner.Empty() ? -1 : scanner.PeekByte();
            if (head == 0xAA) {
                scanner.TakeByteIf(0xAA);
                ++copyAcks;
                SendNextCopyChunk();
                continue;
            }
            if (head >= 0 && head != FrameStx) {
                scanner.TakeByteIf(static_cast<uint8_t>(head));
                ++skipped;
                continue;
            }
        }
        FrameScanner::Event ev = scanner.Next(stale);
        switch (ev.kind) {
        case FrameScanner::Event::Kind::NeedMore:
            return;
        case FrameScanner::Event::Kind::Skipped:
            skipped += ev.skipped;
            break;
        case FrameScanner::Event::Kind::Frame:
            if (keepHistory)
                received.push_back(ev.frame);
            cv.notify_all();
            HandleFrame(ev.frame);
            break;
        case FrameScanner::Event::Kind::LengthMismatch:
            if (!ev.frame.empty() && keepHistory) {
                received.push_back(ev.frame);
                cv.notify_all();
            }
            if (AddressAccepted(ev.address))
                FrameFault(ev.address, ev.number, 2);
            break;
        case FrameScanner::Event::Kind::BadEnd:
            if (AddressAccepted(ev.address))
                FrameFault(ev.address, ev.number, 3);
            break;
        }
    }
}

void RegisterEmulator::Impl::FrameFault(uint8_t frameAddress, uint16_t number, uint8_t code)
{
    if (faults.SilentRequests > 0) {
        --faults.SilentRequests;
        return;
    }
    Reply r = Error(code);
    r.attention = false;
    if (series.active)
        EndSeries();
    Deliver(frameAddress, number, std::move(r));
}

void RegisterEmulator::Impl::HandleFrame(const Bytes& f)
{
    const std::size_t length = f.size();
    const uint8_t frameAddress = f[1];
    const uint16_t number = GetU16(&f[4]);
    const uint8_t command = f[6];
    if (!AddressAccepted(frameAddress) && !(frameAddress == 1 && FixedAddressCommand(command, length)))
        return; // another register's frame
    if (prompt.active)
        return; // the register serves nobody while it waits for its operator
    const bool isAck = command == ReplyAck && length == 10;
    if (!isAck && faults.SilentRequests > 0) {
        --faults.SilentRequests;
        return;
    }
    if (f[length - 2] != FrameChecksum(f.data(), length)) {
        FrameFault(frameAddress, number, 1);
        return;
    }
    if (isAck) {
        HandleAck(f);
        return;
    }
    // A new request ends whatever series still runs.
    if (series.active)
        EndSeries();
    copy = CopyStream{};

    auto it = handlers.find({command, static_cast<uint16_t>(length)});
    if (it == handlers.end()) {
        bool known = std::any_of(handlers.begin(), handlers.end(),
                                 [&](const auto& h) { return h.first.first == command; });
        Reply r = Error(known ? 2 : 0);
        r.attention = false;
        Deliver(frameAddress, number, std::move(r));
        return;
    }
    const Request rq{f, frameAddress, number, command, length};
    if (it->second.kind == RequestKind::Program && AwaitOperator(rq))
        return;
    CarryOut(rq, it->second);
}

void RegisterEmulator::Impl::CarryOut(const Request& rq, const HandlerEntry& entry)
{
    const bool writes = entry.kind == RequestKind::Program || entry.kind == RequestKind::Delete;
    if (faults.ErrorCode >= 0 || (writes && faults.WriteErrorCode >= 0)) {
        int& code = faults.ErrorCode >= 0 ? faults.ErrorCode : faults.WriteErrorCode;
        Reply r = Error(static_cast<uint8_t>(code));
        code = -1;
        Deliver(rq.address, rq.number, std::move(r));
        return;
    }
    if (writes && faults.StatusReplyKind >= 0) {
        Reply r;
        r.kind = Reply::Kind::Status;
        r.replyKind = static_cast<uint8_t>(faults.StatusReplyKind);
        r.status = faults.StatusReplyStatus;
        faults.StatusReplyKind = -1;
        Deliver(rq.address, rq.number, std::move(r));
        return;
    }
    Deliver(rq.address, rq.number, (this->*(entry.fn))(rq));
}

void RegisterEmulator::Impl::HandleAck(const Bytes& f)
{
    const uint8_t status = f[7];
    if (status == 4)
        delayed.clear(); // the PC gave up: replies still waiting are not sent
    if (!series.active)
        return;
    switch (status) {
    case 0:
        SendNextSeriesFrame();
        break;
    case 1:
    case 3:
    case 4:
        EndSeries();
        break;
    default:
        break; // an unknown acknowledgement changes nothing; the series waits on
    }
}

void RegisterEmulator::Impl::Deliver(uint8_t replyAddress, uint16_t number, Reply r)
{
    switch (r.kind) {
    case Reply::Kind::None:
        return;
    case Reply::Kind::Status:
    case Reply::Kind::Error: {
        Bytes real = r.kind == Reply::Kind::Status ? MakeStatusReply(replyAddress, number, r.replyKind, r.status)
                                                   : MakeErrorFrame(replyAddress, number, r.code);
        EmitGarbage();
        int delay = 0;
        if (r.attention) {
            for (; faults.PrintingReplies > 0; --faults.PrintingReplies) {
                Emit(MakeStatusReply(replyAddress, number, ReplyAttention, 0x08), delay);
                delay += faults.PrintingDelayMs;
            }
            for (; faults.BusyReplies > 0; --faults.BusyReplies) {
                Emit(MakeStatusReply(replyAddress, number, ReplyAttention, 0x04), delay);
                delay += faults.BusyDelayMs;
            }
            if (faults.PaperOutReplies > 0) {
                --faults.PaperOutReplies;
                Emit(MakeStatusReply(replyAddress, number, ReplyAttention, 0x02), delay);
                delay += faults.PaperOutDelayMs;
            }
        }
        Emit(Spoil(std::move(real), true), delay);
        return;
    }
    case Reply::Kind::Frame:
        EmitGarbage();
        Emit(Spoil(std::move(r.bytes), r.checksummed), 0);
        return;
    case Reply::Kind::Series:
        if (r.frames.empty()) {
            EmitGarbage();
            Emit(Spoil(MakeStatusReply(replyAddress, number, ReplyAttention, r.emptyStatus), true), 0);
            return;
        }
        series = Series{};
        series.active = true;
        series.address = replyAddress;
        series.frames = std::move(r.frames);
        SendNextSeriesFrame();
        return;
    case Reply::Kind::CopyStream:
        copy = CopyStream{};
        copy.active = true;
        copy.chunks = CopyChunks(std::move(r.frames));
        SendNextCopyChunk();
        return;
    }
}

void RegisterEmulator::Impl::SendNextSeriesFrame()
{
    if (!series.active)
        return;
    if (series.next >= series.frames.size()) {
        EndSeries(); // acknowledged past the last frame
        return;
    }
    if (faults.DropAfterDataFrames >= 0 && series.sentCount >= faults.DropAfterDataFrames) {
        faults.DropAfterDataFrames = -1;
        dropRequest = true;
        EndSeries();
        return;
    }
    if (faults.SilentAfterDataFrames >= 0 && series.sentCount >= faults.SilentAfterDataFrames) {
        faults.SilentAfterDataFrames = -1;
        EndSeries();
        return;
    }
    EmitGarbage();
    Bytes frame = Spoil(series.frames[series.next++], true);
    ++series.sentCount;
    if (faults.WrongChecksumDataFrame == series.sentCount && frame.size() >= 3) {
        frame[frame.size() - 2] ^= 0x5A;
        faults.WrongChecksumDataFrame = 0;
    }
    Emit(frame, 0);
    if (faults.DropAfterDataFrames >= 0 && series.sentCount >= faults.DropAfterDataFrames) {
        faults.DropAfterDataFrames = -1;
        dropRequest = true;
        EndSeries();
    }
}

void RegisterEmulator::Impl::EndSeries()
{
    series = Series{};
}

void RegisterEmulator::Impl::SendNextCopyChunk()
{
    const bool silent = faults.SilentAfterDataFrames >= 0 && copy.next >= std::size_t(faults.SilentAfterDataFrames);
    if (silent)
        faults.SilentAfterDataFrames = -1;
    if (silent || copy.next >= copy.chunks.size()) {
        copy = CopyStream{};
        return;
    }
    Emit(Spoil(copy.chunks[copy.next++], false), 0);
}

void RegisterEmulator::Impl::Emit(const Bytes& bytes, int delayMs)
{
    if (bytes.empty())
        return;
    const auto now = this->now();
    if (delayMs <= 0 && delayed.empty()) {
        if (keepHistory)
            sent.push_back(bytes);
        if (sink)
            sink(bytes);
        return;
    }
    auto due = now + std::chrono::milliseconds(std::max(delayMs, 0));
    if (!delayed.empty() && delayed.back().due > due)
        due = delayed.back().due; // keep the order of the replies
    delayed.push_back(Delayed{due, bytes, sink});
}

void RegisterEmulator::Impl::EmitGarbage()
{
    if (faults.Garbage.empty())
        return;
    Bytes g;
    g.swap(faults.Garbage);
    Emit(g, 0);
}

Bytes RegisterEmulator::Impl::Spoil(Bytes bytes, bool checksummed)
{
    if (checksummed && faults.WrongChecksumReplies > 0 && bytes.size() >= 3) {
        bytes[bytes.size() - 2] ^= 0x5A;
        --faults.WrongChecksumReplies;
    }
    if (faults.ShortReplyBytes >= 0) {
        if (bytes.size() > static_cast<std::size_t>(faults.ShortReplyBytes))
            bytes.resize(static_cast<std::size_t>(faults.ShortReplyBytes));
        faults.ShortReplyBytes = -1;
        if (bytes.empty())
            bytes.shrink_to_fit();
    }
    return bytes;
}

int RegisterEmulator::Impl::PumpLocked()
{
    const auto now = this->now();
    while (!delayed.empty() && delayed.front().due <= now) {
        Delayed d = std::move(delayed.front());
        delayed.pop_front();
        if (keepHistory)
            sent.push_back(d.bytes);
        if (d.sink)
            d.sink(d.bytes);
    }
    if (!scanner.Empty() && now - lastInput >= PartialTimeout)
        ProcessInput(true);
    int wait = PumpOperatorPrompt(now);
    if (!delayed.empty() && (wait < 0 || MillisecondsUntil(delayed.front().due, now) < wait))
        wait = MillisecondsUntil(delayed.front().due, now);
    if (!scanner.Empty()) {
        int w = MillisecondsUntil(lastInput + PartialTimeout, now);
        wait = wait < 0 ? w : std::min(wait, w);
    }
    return wait;
}

// ---------------------------------------------------------------------------------------------
// public interface

RegisterEmulator::RegisterEmulator(Model model, uint8_t address) : impl_(std::make_unique<Impl>())
{
    impl_->model = model;
    impl_->address = address;
    impl_->ResetTablesLocked();
}

RegisterEmulator::~RegisterEmulator() = default;

void RegisterEmulator::Feed(const uint8_t* data, std::size_t n)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    const auto now = impl_->now();
    if (!impl_->scanner.Empty() && now - impl_->lastInput >= PartialTimeout)
        impl_->ProcessInput(true);
    impl_->scanner.Append(data, n);
    impl_->lastInput = now;
    impl_->ProcessInput(false);
}

void RegisterEmulator::SetClock(std::function<Clock::time_point()> now)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->now = now ? std::move(now) : [] { return Clock::now(); };
}

void RegisterEmulator::SetReplySink(std::function<void(const Bytes&)> sink)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->sink = std::move(sink);
}

int RegisterEmulator::Pump()
{
    std::lock_guard<std::mutex> l(impl_->mu);
    return impl_->PumpLocked();
}

void RegisterEmulator::ResetInput()
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->scanner.Clear();
    impl_->EndSeries();
    impl_->copy = Impl::CopyStream{};
    impl_->delayed.clear();
    impl_->prompt.sink = nullptr; // a confirmed frame's reply has no line to go to any more
}

bool RegisterEmulator::TakeDropRequest()
{
    std::lock_guard<std::mutex> l(impl_->mu);
    bool d = impl_->dropRequest;
    impl_->dropRequest = false;
    return d;
}

void RegisterEmulator::SetModel(Model m)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->model = m;
    // Goods beyond the smaller capacity go, names included.
    auto& goods = impl_->goods;
    while (!goods.empty() && goods.rbegin()->first > impl_->Capacity())
        impl_->EraseGoods(goods.rbegin()->first);
}

Model RegisterEmulator::GetModel() const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    return impl_->model;
}

void RegisterEmulator::SetAddress(uint8_t address)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->address = address;
}

uint8_t RegisterEmulator::GetAddress() const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    return impl_->address;
}

FaultsAccess RegisterEmulator::LockFaults()
{
    return FaultsAccess(std::unique_lock<std::mutex>(impl_->mu), impl_->faults);
}

void RegisterEmulator::SetFaults(const Faults& f)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->faults = f;
}

Faults RegisterEmulator::GetFaults() const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    return impl_->faults;
}

void RegisterEmulator::SetPortCode(uint8_t code)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->portCode = code;
}

std::vector<Bytes> RegisterEmulator::ReceivedFrames() const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    return impl_->received;
}

std::vector<Bytes> RegisterEmulator::ReceivedFramesWithCommand(uint8_t command) const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    std::vector<Bytes> out;
    for (const auto& f : impl_->received)
        if (f.size() > 6 && f[6] == command)
            out.push_back(f);
    return out;
}

void RegisterEmulator::ClearReceived()
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->received.clear();
    impl_->sent.clear();
}

bool RegisterEmulator::WaitForFrames(std::size_t count, int timeoutMs) const
{
    std::unique_lock<std::mutex> l(impl_->mu);
    return impl_->cv.wait_for(l, std::chrono::milliseconds(timeoutMs),
                              [&] { return impl_->received.size() >= count; });
}

bool RegisterEmulator::WaitForFramesWithCommand(uint8_t command, std::size_t count, int timeoutMs) const
{
    std::unique_lock<std::mutex> l(impl_->mu);
    return impl_->cv.wait_for(l, std::chrono::milliseconds(timeoutMs), [&] {
        return static_cast<std::size_t>(std::count_if(impl_->received.begin(), impl_->received.end(),
                                                      [&](const Bytes& f) { return f[6] == command; })) >= count;
    });
}

std::vector<Bytes> RegisterEmulator::SentReplies() const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    return impl_->sent;
}

std::size_t RegisterEmulator::SkippedBytes() const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    return impl_->skipped;
}

bool RegisterEmulator::SeriesRunning() const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    return impl_->series.active;
}

void RegisterEmulator::KeepHistory(bool keep)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->keepHistory = keep;
    if (!keep) {
        impl_->received.clear();
        impl_->sent.clear();
    }
}

} // namespace emu
