#pragma once
// The database image: one flat file of fixed layout (BDTemp.bdt in the temporary folder),
// reached through one process-wide stream with one shared position. Every access is a seek and
// a read or write on the file; nothing is cached.
#include <cstddef>
#include <cstdint>
#include <string>

constexpr uint32_t ImageSize = 805000;
constexpr uint32_t ImageHeaderSize = 5000;
constexpr uint32_t GoodsTableOffset = 5000;

// Record and block sizes of the tables T0..T13.
constexpr uint32_t DiscountRecordSize = 28;
constexpr uint32_t CashierRecordSize = 33;
constexpr uint32_t PaymentFormRecordSize = 23;
constexpr uint32_t CurrencyRecordSize = 30;
constexpr uint32_t VatRateBlockSize = 31;
constexpr uint32_t VatRateEntrySize = 3;
constexpr uint32_t PackagingRecordSize = 48;
constexpr uint32_t HeaderBlockSize = 302;
constexpr uint32_t GoodsGroupRecordSize = 22;
constexpr uint32_t ReportSetBlockSize = 19;
constexpr uint32_t RecordCurrencyBlockSize = 8;
constexpr uint32_t SpareBlockSize = 20;
constexpr uint32_t QuickKeyTableSize = 3500;
constexpr uint32_t QuickKeyRecordSize = 34;
constexpr uint32_t FooterBlockSize = 500;
constexpr uint32_t HaloBlockSize = 40;
constexpr unsigned SmallTableSlots = 20;

// The image's start values of the goods geometry, which fix where T0 lies for the whole run.
constexpr uint16_t DefaultMaxGoodsCount = 8000;
constexpr uint8_t DefaultGoodsRecordSize = 83;

// Fields of a goods record (offsets within the record).
namespace GoodsField {
constexpr uint32_t Plu = 0;
constexpr uint32_t Name = 2;
constexpr uint32_t NameSize = 42;
constexpr uint32_t Vat = 44;
constexpr uint32_t Price = 45;
constexpr uint32_t Barcode = 49;
constexpr uint32_t BarcodeSize = 13;
constexpr uint32_t Group = 62;
constexpr uint32_t Tandem = 63;
constexpr uint32_t FixedPrice = 64;
constexpr uint32_t WholeUnits = 65;
constexpr uint32_t Halo = 66;
constexpr uint32_t Unit = 67;
constexpr uint32_t WrittenSize = 68;  // bytes 0..67 are written; the rest stays zero
} // namespace GoodsField

// Start offsets of the tables T0..T13.
struct TableOffsetSet {
    uint32_t DiscountTable = 0;      // T0
    uint32_t CashierTable = 0;       // T1
    uint32_t PaymentFormTable = 0;   // T2
    uint32_t CurrencyTable = 0;      // T3
    uint32_t VatRateBlock = 0;       // T4
    uint32_t PackagingTable = 0;     // T5
    uint32_t HeaderBlock = 0;        // T6
    uint32_t GoodsGroupTable = 0;    // T7
    uint32_t ReportSetBlock = 0;     // T8
    uint32_t RecordCurrencyBlock = 0;// T9
    uint32_t SpareBlock = 0;         // T10
    uint32_t QuickKeyTable = 0;      // T11
    uint32_t FooterBlock = 0;        // T12
    uint32_t HaloBlock = 0;          // T13
    uint32_t operator[](int t) const;
};

extern TableOffsetSet TableOffsets;
// Computes the fourteen starts from the start geometry (8000 x 83): T0 = 669000, and so on.
void InitTableOffsets();

// Absolute offsets of records.
uint32_t GoodsRecordOffset(unsigned plu);  // 5000 + GoodsRecordSize * (plu - 1)
uint32_t QuickKeyRecordOffset(unsigned cashier, unsigned key);

// The working image's stream.
class ImageStream {
public:
    ~ImageStream();
    // Opens path for reading and writing, created when missing, not truncated; false on failure,
    // and for a link or anything but a regular file.
    bool Open(const std::string& path);
    // Takes a descriptor open for reading and writing on the regular file at path as the image.
    void Adopt(int fd, const std::string& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    // Usable: open and no read or write has failed since it was opened.
    bool Usable() const { return fd_ >= 0 && !failed_; }
    const std::string& Path() const { return path_; }

    void Seek(uint32_t offset) { pos_ = offset; }
    uint32_t Position() const { return pos_; }
    // Reads n bytes at the position and advances; bytes past the end of the file, or of a
    // failed stream, read as 0xFF.
    void Read(uint8_t* out, std::size_t n);
    // Writes n bytes at the position and advances; false when the write failed (the stream is
    // then failed).
    bool Write(const uint8_t* data, std::size_t n);
    // File length in bytes; -1 when not open.
    long long Length() const;

    // Tests simulate a broken disk with this.
    void MarkFailed() { failed_ = true; }

private:
    int fd_ = -1;
    bool failed_ = false;
    uint32_t pos_ = 0;
    std::string path_;
};

extern ImageStream DatabaseImage;

// The image helpers. Texts are cp1250 byte strings. None reports a failure: a failed stream
// does nothing, and reads then give 0xFF.
int DbWriteStringAt(uint32_t offset, const std::string& text);
int DbWritePaddedStringAt(uint32_t offset, const std::string& text, uint8_t fill, uint32_t width);
int DbWriteString(const std::string& text);
int DbWritePaddedString(const std::string& text, uint8_t fill, uint32_t width);
int DbWriteByte(uint8_t value);
void DbWriteByteAt(uint32_t offset, uint8_t value);
uint8_t DbReadByteAt(uint32_t offset);
uint8_t DbReadByte();
// Reads width bytes (at most 251) and returns them up to the first NUL.
std::string DbReadStringAt(uint32_t offset, uint32_t width);
std::string DbReadString(uint32_t width);
void DbZeroFillAt(uint32_t offset, uint32_t count);

// Byte blocks and little-endian integers, for record copies and numeric fields.
void DbReadBytesAt(uint32_t offset, uint8_t* out, std::size_t n);
void DbWriteBytesAt(uint32_t offset, const uint8_t* data, std::size_t n);
uint16_t DbReadU16At(uint32_t offset);
uint32_t DbReadU32At(uint32_t offset);
void DbWriteU16At(uint32_t offset, uint16_t value);
void DbWriteU32At(uint32_t offset, uint32_t value);

// The in-memory form of one goods record.
struct GoodsRecordFields {
    uint16_t Plu = 0;
    std::string Name;      // cp1250, at most 42 bytes
    std::string VatLetter; // one character, or empty for none
    uint32_t Price = 0;    // grosze
    std::string Barcode;   // digits, at most 13
    uint8_t Group = 0;
    uint8_t Tandem = 0;
    uint8_t FixedPrice = 0;
    uint8_t WholeUnits = 0;
    uint8_t Halo = 0;
    uint8_t Unit = 0;
};

// Lays bytes 0..67 of a goods record out: exactly 42 name bytes (cut or NUL-padded), one VAT
// byte (0 when there is no letter), the barcode right-aligned in 13 bytes after '0's.
void LayOutGoodsRecord(const GoodsRecordFields& fields, uint8_t (&record)[GoodsField::WrittenSize]);

// Writes bytes 0..67 of the goods record of its PLU. Always exactly 42 name bytes, one VAT byte
// (0 when there is no letter) and 13 barcode bytes, so a record can never shift. Returns 0 when
// written, 1 when the image stream is failed or the PLU has no slot (nothing written then).
int WriteGoodsRecordToImage(GoodsRecordFields fields);
// True when the goods slot of plu holds a record (its PLU bytes are not both 0).
bool GoodsSlotUsed(unsigned plu);
