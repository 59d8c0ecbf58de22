#include "core/DatabaseImage.h"

#include "core/AppState.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TableOffsetSet TableOffsets;
ImageStream DatabaseImage;

uint32_t TableOffsetSet::operator[](int t) const
{
    const uint32_t all[14] = {DiscountTable, CashierTable,   PaymentFormTable, CurrencyTable, VatRateBlock,
                              PackagingTable, HeaderBlock,   GoodsGroupTable,  ReportSetBlock,
                              RecordCurrencyBlock, SpareBlock, QuickKeyTable,  FooterBlock,   HaloBlock};
    return (t >= 0 && t < 14) ? all[t] : 0;
}

void InitTableOffsets()
{
    // The small tables never move, whatever goods geometry the register turns out to have.
    uint32_t* starts[14] = {&TableOffsets.DiscountTable, &TableOffsets.CashierTable,
                            &TableOffsets.PaymentFormTable, &TableOffsets.CurrencyTable,
                            &TableOffsets.VatRateBlock, &TableOffsets.PackagingTable,
                            &TableOffsets.HeaderBlock, &TableOffsets.GoodsGroupTable,
                            &TableOffsets.ReportSetBlock, &TableOffsets.RecordCurrencyBlock,
                            &TableOffsets.SpareBlock, &TableOffsets.QuickKeyTable,
                            &TableOffsets.FooterBlock, &TableOffsets.HaloBlock};
    const uint32_t sizes[13] = {SmallTableSlots * DiscountRecordSize, SmallTableSlots * CashierRecordSize,
                                SmallTableSlots * PaymentFormRecordSize, SmallTableSlots * CurrencyRecordSize,
                                VatRateBlockSize, SmallTableSlots * PackagingRecordSize, HeaderBlockSize,
                                SmallTableSlots * GoodsGroupRecordSize, ReportSetBlockSize,
                                RecordCurrencyBlockSize, SpareBlockSize, QuickKeyTableSize, FooterBlockSize};
    uint32_t start = uint32_t(DefaultMaxGoodsCount) * DefaultGoodsRecordSize + GoodsTableOffset;
    for (int t = 0; t < 14; ++t) {
        *starts[t] = start;
        if (t < 13)
            start += sizes[t];
    }
}

uint32_t GoodsRecordOffset(unsigned plu)
{
    return GoodsTableOffset + uint32_t(App.GoodsRecordSize) * (plu - 1);
}

uint32_t QuickKeyRecordOffset(unsigned cashier, unsigned key)
{
    return TableOffsets.QuickKeyTable + (cashier - 1) * 340 + (key - 1) * QuickKeyRecordSize;
}

// ---- ImageStream ----

ImageStream::~ImageStream() { Close(); }

bool ImageStream::Open(const std::string& path)
{
    Close();
    // A link there was not made by the program; a FIFO or device would block or never end.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        fd = -1;
    }
    Adopt(fd, path);
    return fd_ >= 0;
}

void ImageStream::Adopt(int fd, const std::string& path)
{
    Close();
    fd_ = fd;
    failed_ = fd_ < 0;
    pos_ = 0;
    path_ = path;
}

void ImageStream::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    failed_ = false;
    pos_ = 0;
}

void ImageStream::Read(uint8_t* out, std::size_t n)
{
    std::memset(out, 0xFF, n);
    if (Usable()) {
        std::size_t done = 0;
        while (done < n) {
            ssize_t r = ::pread(fd_, out + done, n - done, off_t(pos_) + off_t(done));
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0)
                break;
            done += std::size_t(r);
        }
        if (done < n)
            std::memset(out + done, 0xFF, n - done);
    }
    pos_ += uint32_t(n);
}

bool ImageStream::Write(const uint8_t* data, std::size_t n)
{
    if (!Usable())
        return false;
    std::size_t done = 0;
    while (done < n) {
        ssize_t w = ::pwrite(fd_, data + done, n - done, off_t(pos_) + off_t(done));
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0) {
            failed_ = true;
            return false;
        }
        done += std::size_t(w);
    }
    pos_ += uint32_t(n);
    return true;
}

long long ImageStream::Length() const
{
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0)
        return -1;
    return st.st_size;
}

// ---- helpers ----

int DbWriteStringAt(uint32_t offset, const std::string& text)
{
    DatabaseImage.Seek(offset);
    return DbWriteString(text);
}

int DbWritePaddedStringAt(uint32_t offset, const std::string& text, uint8_t fill, uint32_t width)
{
    DatabaseImage.Seek(offset);
    return DbWritePaddedString(text, fill, width);
}

int DbWriteString(const std::string& text)
{
    DatabaseImage.Write(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return 0;
}

int DbWritePaddedString(const std::string& text, uint8_t fill, uint32_t width)
{
    std::string field = text;
    if (field.size() < width)
        field.append(width - field.size(), char(fill));
    return DbWriteString(field);
}

int DbWriteByte(uint8_t value)
{
    DatabaseImage.Write(&value, 1);
    return 0;
}

void DbWriteByteAt(uint32_t offset, uint8_t value)
{
    DatabaseImage.Seek(offset);
    DbWriteByte(value);
}

uint8_t DbReadByteAt(uint32_t offset)
{
    DatabaseImage.Seek(offset);
    return DbReadByte();
}

uint8_t DbReadByte()
{
    uint8_t b;
    DatabaseImage.Read(&b, 1);
    return b;
}

std::string DbReadStringAt(uint32_t offset, uint32_t width)
{
    DatabaseImage.Seek(offset);
    return DbReadString(width);
}

std::string DbReadString(uint32_t width)
{
    uint8_t buf[251];
    const uint32_t n = std::min<uint32_t>(width, sizeof buf);
    DatabaseImage.Read(buf, n);
    const uint8_t* end = std::find(buf, buf + n, 0);
    return std::string(reinterpret_cast<const char*>(buf), std::size_t(end - buf));
}

void DbZeroFillAt(uint32_t offset, uint32_t count)
{
    std::string zeros(count, '\0');
    DatabaseImage.Seek(offset);
    DbWriteString(zeros);
}

void DbReadBytesAt(uint32_t offset, uint8_t* out, std::size_t n)
{
    DatabaseImage.Seek(offset);
    DatabaseImage.Read(out, n);
}

void DbWriteBytesAt(uint32_t offset, const uint8_t* data, std::size_t n)
{
    DatabaseImage.Seek(offset);
    DatabaseImage.Write(data, n);
}

uint16_t DbReadU16At(uint32_t offset)
{
    uint8_t b[2];
    DbReadBytesAt(offset, b, 2);
    return uint16_t(b[0] | (b[1] << 8));
}

uint32_t DbReadU32At(uint32_t offset)
{
    uint8_t b[4];
    DbReadBytesAt(offset, b, 4);
    return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}

void DbWriteU16At(uint32_t offset, uint16_t value)
{
    const uint8_t b[2] = {uint8_t(value), uint8_t(value >> 8)};
    DbWriteBytesAt(offset, b, 2);
}

void DbWriteU32At(uint32_t offset, uint32_t value)
{
    const uint8_t b[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
    DbWriteBytesAt(offset, b, 4);
}

void LayOutGoodsRecord(const GoodsRecordFields& f, uint8_t (&rec)[GoodsField::WrittenSize])
{
    std::memset(rec, 0, sizeof rec);
    rec[0] = uint8_t(f.Plu);
    rec[1] = uint8_t(f.Plu >> 8);
    std::memcpy(rec + GoodsField::Name, f.Name.data(), std::min<std::size_t>(f.Name.size(), GoodsField::NameSize));
    rec[GoodsField::Vat] = f.VatLetter.empty() ? 0 : uint8_t(f.VatLetter[0]);
    for (int i = 0; i < 4; ++i)
        rec[GoodsField::Price + i] = uint8_t(f.Price >> (8 * i));
    const std::string barcode = f.Barcode.substr(0, std::min<std::size_t>(f.Barcode.size(), GoodsField::BarcodeSize));
    std::memset(rec + GoodsField::Barcode, '0', GoodsField::BarcodeSize);
    std::memcpy(rec + GoodsField::Barcode + GoodsField::BarcodeSize - barcode.size(), barcode.data(), barcode.size());
    rec[GoodsField::Group] = f.Group;
    rec[GoodsField::Tandem] = f.Tandem;
    rec[GoodsField::FixedPrice] = f.FixedPrice;
    rec[GoodsField::WholeUnits] = f.WholeUnits;
    rec[GoodsField::Halo] = f.Halo;
    rec[GoodsField::Unit] = f.Unit;
}

int WriteGoodsRecordToImage(GoodsRecordFields f)
{
    if (!DatabaseImage.Usable() || f.Plu == 0 || f.Plu > App.MaxGoodsCount)
        return 1;
    // The record is laid out whole first, so that every field lands at its offset.
    uint8_t rec[GoodsField::WrittenSize];
    LayOutGoodsRecord(f, rec);
    DatabaseImage.Seek(GoodsRecordOffset(f.Plu));
    return DatabaseImage.Write(rec, sizeof rec) ? 0 : 1;
}

bool GoodsSlotUsed(unsigned plu)
{
    // A slot of an image that cannot be read counts as empty: its 0xFF bytes are no record.
    if (plu == 0 || plu > App.MaxGoodsCount || !DatabaseImage.Usable())
        return false;
    uint8_t b[2];
    DbReadBytesAt(GoodsRecordOffset(plu), b, 2);
    return b[0] != 0 || b[1] != 0;
}
