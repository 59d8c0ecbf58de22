// The register's reports and read-outs: the report requests with their option bytes checked,
// the sales and screen reads, the cutting of the electronic-copy stream, and what tests set
// for them.
#include "emulator/EmulatorState.h"

#include <algorithm>

namespace emu {

namespace {

// Error codes of the report options.
enum : uint8_t {
    ErrMonth = 60,
    ErrDay = 61,
    ErrPeriodicKind = 69,
    ErrReportNumbers = 71,
    ErrSelector = 72,
    ErrZeroing = 73,
    ErrZeroRecords = 74,
};

bool Flag(uint8_t b) { return b <= 1; }

bool HasSales(const Bytes& rec)
{
    return std::any_of(rec.begin() + goodsrec::Quantity, rec.begin() + goodsrec::Barcode,
                       [](uint8_t v) { return v != 0; });
}

// The periodic report: kind 0..3; selector 0xFF a month, 0 two dates, 1 report numbers.
int CheckPeriodic(const uint8_t* p)
{
    if (p[0] > 3)
        return ErrPeriodicKind;
    auto badMonth = [](uint8_t m) { return m < 1 || m > 12; };
    switch (p[1]) {
    case 0xFF:
        return badMonth(p[4]) ? ErrMonth : 0;
    case 0:
        for (const uint8_t* d : {p + 2, p + 6}) {
            if (badMonth(d[2]))
                return ErrMonth;
            if (d[3] < 1 || d[3] > DaysInMonth(GetU16(d), d[2]))
                return ErrDay;
        }
        return 0;
    case 1: {
        const uint16_t first = GetU16(p + 2), last = GetU16(p + 4);
        return first < 1 || last < first ? ErrReportNumbers : 0;
    }
    default:
        return ErrPeriodicKind;
    }
}

// The option bytes of the other reports, by command.
int CheckOptions(uint8_t command, const uint8_t* p)
{
    switch (command) {
    case 'o':
        return CheckPeriodic(p);
    case 's':
        if (p[0] < 1 || p[0] > 3)
            return ErrSelector;
        if (!Flag(p[5]))
            return ErrZeroing;
        return Flag(p[6]) ? 0 : ErrZeroRecords;
    case 'p':
    case 'b':
        if (p[0] < 1 || p[0] > 3)
            return ErrSelector;
        return Flag(p[5]) ? 0 : ErrZeroRecords;
    case 'k':
        return Flag(p[1]) ? 0 : ErrZeroing;
    case 'z':
    case 'r':
    case 'a':
    case 'f':
    case 'g':
        if (!Flag(p[0]))
            return ErrZeroRecords;
        return Flag(p[1]) ? 0 : ErrZeroing;
    case 0x05:
        return p[0] < 1 || p[0] > 12 || p[3] < 1 || p[3] > 12 ? ErrMonth : 0;
    default:
        return 0;
    }
}

} // namespace

Reply RegisterEmulator::Impl::SalesReport(const Request& rq)
{
    const uint8_t* p = rq.payload();
    if (const int code = CheckOptions(rq.command, p))
        return Error(uint8_t(code));
    // A zeroing sales report zeroes the sales of the goods it covers: a goods group when bytes
    // 9-11 are 0xFF, else the PLU range in bytes 8-11.
    if (p[5] == 1) {
        const bool byGroup = p[2] == 0xFF && p[3] == 0xFF && p[4] == 0xFF;
        const uint16_t first = GetU16(p + 1), last = GetU16(p + 3);
        for (auto& [plu, rec] : goods) {
            bool covered = byGroup ? rec[goodsrec::Group] == p[1] : (plu >= first && plu <= last);
            if (covered)
                std::fill(rec.begin() + goodsrec::Quantity, rec.begin() + goodsrec::Barcode, 0);
        }
    }
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::Report(const Request& rq)
{
    if (const int code = CheckOptions(rq.command, rq.payload()))
        return Error(uint8_t(code));
    return Accepted(rq); // printed on the register's own printer
}

Reply RegisterEmulator::Impl::ReadScreen(const Request&)
{
    Reply r;
    r.kind = Reply::Kind::Frame;
    r.checksummed = false; // raw bitmap, no frame around it
    r.bytes = screenBitmap.empty() ? MakeScreenBitmap() : screenBitmap;
    return r;
}

Reply RegisterEmulator::Impl::ReadSales(const Request& rq)
{
    const bool nonZeroOnly = rq.command == 'X';
    std::vector<Bytes> payloads;
    if (rawSalesSet) {
        payloads = rawSales;
    } else {
        for (const auto& [plu, rec] : goods) {
            if (nonZeroOnly && !HasSales(rec))
                continue;
            Bytes s(53, 0);
            std::copy_n(rec.begin(), 45, s.begin());                          // PLU, name, VAT letter
            std::copy_n(rec.begin() + goodsrec::Quantity, 8, s.begin() + 45); // quantity, value
            payloads.push_back(s);
        }
    }
    // No goods at all answers "empty base"; goods that sold nothing "zero sales value".
    return SeriesOf(rq, rq.command, payloads, 62, nonZeroOnly && !goods.empty() ? 0x40 : 0x10);
}

std::vector<Bytes> RegisterEmulator::Impl::CopyChunks(std::vector<Bytes> documents) const
{
    std::vector<Bytes> chunks;
    if (copyLeadingFrame)
        chunks.push_back(MakeStatusReply(address, SingleFrameNumber, ReplyAck, 0));
    if (copyChunkSize == 0) {
        chunks.insert(chunks.end(), documents.begin(), documents.end());
        return chunks;
    }
    Bytes all;
    for (const Bytes& d : documents)
        all.insert(all.end(), d.begin(), d.end());
    for (std::size_t at = 0; at < all.size(); at += copyChunkSize) {
        const auto from = all.begin() + static_cast<std::ptrdiff_t>(at);
        chunks.emplace_back(from, from + static_cast<std::ptrdiff_t>(std::min(copyChunkSize, all.size() - at)));
    }
    return chunks;
}

// ---------------------------------------------------------------------------------------------
// what tests set

void RegisterEmulator::SetScreenBitmap(const Bytes& bitmap)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->screenBitmap = bitmap;
}

void RegisterEmulator::SetRawSales(const std::vector<Bytes>& records53)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->rawSales = records53;
    for (Bytes& r : impl_->rawSales)
        r.resize(53, 0);
    impl_->rawSalesSet = true;
}

void RegisterEmulator::SetCopyStreaming(std::size_t chunkSize, bool leadingFrame)
{
    std::lock_guard<std::mutex> l(impl_->mu);
    impl_->copyChunkSize = chunkSize;
    impl_->copyLeadingFrame = leadingFrame;
}

std::size_t RegisterEmulator::CopyAcks() const
{
    std::lock_guard<std::mutex> l(impl_->mu);
    return impl_->copyAcks;
}

} // namespace emu
