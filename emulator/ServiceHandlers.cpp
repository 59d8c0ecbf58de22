// The register's service commands: the information record, the graphic rows with their
// faults, the port query and port test on the register's three ports, and the unique number
// with the fiscal-memory key.
#include "emulator/EmulatorState.h"

#include <algorithm>

namespace emu {

namespace {

enum : uint8_t {
    ErrUniqueNumber = 79,
    ErrFiscalMemoryKey = 81,
};

constexpr uint8_t StatusReceiptOpen = 0x80;
constexpr std::size_t PortTestLength = 5;

bool Digits(const uint8_t* p, std::size_t n)
{
    return std::all_of(p, p + n, [](uint8_t c) { return c >= '0' && c <= '9'; });
}

} // namespace

void RegisterEmulator::SetInfoRecord(const Bytes& payload)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->infoRecordSet = !payload.empty();
    impl_->infoRecord = payload;
}

void RegisterEmulator::SetGraphicRowFault(const GraphicRowFault& fault)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->graphicFault = fault;
}

void RegisterEmulator::SetInputPort(int code)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->inputPort = code;
}

bool RegisterEmulator::PortTalksToPc(int code) const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    return code < 0 || code > 2 || impl_->portTalks[code];
}

Reply RegisterEmulator::Impl::ReadInfoRecord(const Request& rq)
{
    if (infoRecordSet)
        return SingleFrame(rq, infoRecord, infoRecord.size() + 9);
    Reply r = ReadInfo(rq);
    auto test = settings.find('8');
    if (test == settings.end() || test->second.size() < PortTestLength)
        return r;
    // The port bytes tell what the last port test put on each port.
    const Bytes& t = test->second;
    const std::size_t comA = model == Model::Rivo ? 7 + 112 : 7 + 110;
    r.bytes[comA] = t[1];
    r.bytes[comA + 1] = t[3];
    r.bytes[comA + 2] = t[0];
    r.bytes[r.bytes.size() - 2] = FrameChecksum(r.bytes.data(), r.bytes.size());
    return r;
}

Reply RegisterEmulator::Impl::ProgramGraphicRowWithFaults(const Request& rq)
{
    GraphicRowFault& f = graphicFault;
    if (f.Row < 0 || rq.payload()[0] != f.Row || f.Times <= 0)
        return ProgramGraphicRow(rq);
    --f.Times;
    Reply r;
    switch (f.What) {
    case GraphicRowFault::Kind::ReceiptOpen:
        r.kind = Reply::Kind::Status;
        r.replyKind = ReplyAttention;
        r.status = StatusReceiptOpen;
        r.attention = false;
        return r;
    case GraphicRowFault::Kind::ErrorFrame: return Error(f.Code);
    case GraphicRowFault::Kind::Silence: return r;
    }
    return r;
}

Reply RegisterEmulator::Impl::PortQueryOfInput(const Request& rq)
{
    Reply r = PortQuery(rq);
    if (inputPort >= 0)
        r.status = static_cast<uint8_t>(inputPort);
    return r;
}

Reply RegisterEmulator::Impl::PortTest(const Request& rq)
{
    // Devices: USB 1 = PC; COM A and COM B 0 = PC. The reply still goes out on the port the
    // test came in on; the new setting holds from the next request.
    const uint8_t* p = rq.payload();
    portTalks[0] = p[0] == 1;
    portTalks[1] = p[1] == 0;
    portTalks[2] = p[3] == 0;
    return StoreSetting(rq);
}

Reply RegisterEmulator::Impl::ProgramUniqueNumberAndKey(const Request& rq)
{
    // Three capital letters, a blank and ten digits, then the ten digits of the key.
    const uint8_t* p = rq.payload();
    const bool letters = std::all_of(p, p + 3, [](uint8_t c) { return c >= 'A' && c <= 'Z'; });
    if (!letters || p[3] != ' ' || !Digits(p + 4, 10))
        return Error(ErrUniqueNumber);
    if (!Digits(p + 14, 10))
        return Error(ErrFiscalMemoryKey);
    settings['M'].assign(p, p + 14);
    settings['J'].assign(p + 14, p + 24);
    return Accepted(rq);
}

} // namespace emu
