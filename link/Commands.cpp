#include "link/Commands.h"

#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "link/Link.h"
#include "platform/Prompts.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace {

constexpr uint8_t FixedAddress = 1;

// One outgoing frame, laid out by BuildFrameHeader; payload writes never reach the checksum
// and end bytes.
class Frame {
public:
    Frame(uint8_t address, uint16_t length, uint16_t frameNumber, uint8_t command) : length_(length)
    {
        assert(length >= 9 && length <= sizeof bytes_);
        BuildFrameHeader(bytes_, address, length, frameNumber, command);
    }

    uint8_t* Data() { return bytes_; }
    uint16_t Length() const { return length_; }

    void Put8(std::size_t at, uint8_t v)
    {
        if (Fits(at, 1))
            bytes_[at] = v;
    }
    void Put16(std::size_t at, uint16_t v)
    {
        Put8(at, uint8_t(v));
        Put8(at + 1, uint8_t(v >> 8));
    }
    void Put32(std::size_t at, uint32_t v)
    {
        Put16(at, uint16_t(v));
        Put16(at + 2, uint16_t(v >> 16));
    }
    void Fill(std::size_t at, uint8_t v, std::size_t n)
    {
        if (Fits(at, n))
            std::memset(bytes_ + at, v, n);
    }
    void PutBytes(std::size_t at, const uint8_t* data, std::size_t n)
    {
        if (Fits(at, n))
            std::memcpy(bytes_ + at, data, n);
    }
    // The text's bytes, cut to the field; the rest of the field stays 0.
    void PutText(std::size_t at, const std::string& text, std::size_t width)
    {
        PutBytes(at, reinterpret_cast<const uint8_t*>(text.data()), std::min(text.size(), width));
    }
    void PutImage(std::size_t at, uint32_t offset, std::size_t n)
    {
        if (Fits(at, n))
            DbReadBytesAt(offset, bytes_ + at, n);
    }

    // Stores the checksum and sends the whole frame: SendBytes' result (0 sent).
    int Send()
    {
        SealFrame(bytes_);
        return SendBytes(bytes_, 1, length_);
    }

private:
    bool Fits(std::size_t at, std::size_t n) const
    {
        const bool ok = at >= 7 && at + n + 2 <= length_;
        assert(ok);
        return ok;
    }

    uint8_t bytes_[272] = {};
    uint16_t length_;
};

int ResultOfSend(Frame& f) { return f.Send() == 0 ? 1 : 0; }

// Records come only from an image that can be read and holds a database; any other slot
// counts as empty.
bool ImageReadable() { return DatabaseImage.Usable() && DatabaseUsable(); }

int SendSmallTableRecord(uint8_t address, uint16_t frameNumber, uint8_t command, uint16_t length, uint32_t table,
                         uint32_t recordSize, uint8_t n, std::size_t bytesSent, std::size_t flagAt, uint8_t confirmFlag)
{
    if (n < 1 || n > SmallTableSlots || !ImageReadable())
        return 0;
    const uint32_t offset = table + (n - 1) * recordSize;
    if (DbReadByteAt(offset) == 0)
        return 0;
    Frame f(address, length, frameNumber, command);
    f.PutImage(7, offset, bytesSent);
    f.Put8(flagAt, confirmFlag);
    f.Send();
    return 1;
}

int SendFlagOne(uint8_t address, uint16_t frameNumber, uint8_t command)
{
    Frame f(address, 10, frameNumber, command);
    f.Put8(7, 1);
    f.Send();
    return 1;
}

int SendTwoBytes(uint8_t address, uint16_t frameNumber, uint8_t command, uint8_t b1, uint8_t b2)
{
    Frame f(address, 12, frameNumber, command);
    f.Put8(7, b1);
    f.Put8(8, b2);
    f.Send();
    return 1;
}

int SendByGroup(uint8_t address, uint16_t frameNumber, uint8_t command, uint8_t selector, uint8_t group, uint8_t flag)
{
    Frame f(address, 15, frameNumber, command);
    f.Put8(7, selector);
    f.Put8(8, group);
    f.Fill(9, 0xFF, 3);
    f.Put8(12, flag);
    f.Send();
    return 1;
}

int SendByRange(uint8_t address, uint16_t frameNumber, uint8_t command, uint8_t selector, uint16_t first,
                uint16_t last, uint8_t flag)
{
    Frame f(address, 15, frameNumber, command);
    f.Put8(7, selector);
    f.Put16(8, first);
    f.Put16(10, last);
    f.Put8(12, flag);
    f.Send();
    return 1;
}

int SendNumberedName(uint8_t address, uint16_t frameNumber, uint8_t command, uint16_t length, uint8_t number,
                     const std::string& name, std::size_t nameWidth)
{
    Frame f(address, length, frameNumber, command);
    f.Put8(7, number);
    f.PutText(8, name, nameWidth);
    return ResultOfSend(f);
}

int SendGraphicRow(uint16_t frameNumber, uint8_t command, uint8_t row, const uint8_t pixels[48])
{
    Frame f(FixedAddress, 58, frameNumber, command);
    f.Put8(7, row);
    f.PutBytes(8, pixels, 48);
    f.Send();
    return 1;
}

Frame CopyRequest(uint8_t address, uint16_t frameNumber, uint8_t kind, uint8_t handling)
{
    Frame f(address, 24, frameNumber, 0x01);
    f.Put8(7, kind);
    f.Put8(21, handling);
    return f;
}

bool TooLong(const std::string& text, std::size_t limit, const char* message)
{
    if (text.size() <= limit)
        return false;
    ShowMessage(QString::fromUtf8(message));
    return true;
}

} // namespace

// ---- program frames ----

int SendGoodsRecord(uint8_t address, uint16_t frameNumber, uint16_t plu, uint16_t, uint8_t confirmFlag)
{
    const unsigned size = App.GoodsRecordSize;
    if (size < 11 || !ImageReadable() || !GoodsSlotUsed(plu))
        return 0;
    uint8_t record[256] = {};
    DbReadBytesAt(GoodsRecordOffset(plu), record, size);
    const uint16_t length = uint16_t(size + 10);
    Frame f(address, length, frameNumber, 'T');
    f.PutBytes(7, record, 2);
    // The record from its name on; its trailing reserved bytes are not sent. The 69-byte record
    // of the older model still carries every written field (bytes 2..67): cutting it at the same
    // distance from its end as the 83-byte one would drop the last barcode digit, the group, the
    // tandem packaging, both flags, the HALO index and the unit.
    const unsigned sent = std::max(size - 10, GoodsField::WrittenSize - 2);
    f.PutBytes(9, record + 2, sent);
    f.Put8(length - 3, confirmFlag);
    f.Send();
    return 1;
}

int SendDiscountRecord(uint8_t address, uint16_t frameNumber, uint8_t n, uint8_t, uint8_t confirmFlag)
{
    return SendSmallTableRecord(address, frameNumber, 'R', 38, TableOffsets.DiscountTable, DiscountRecordSize, n,
                                DiscountRecordSize, 35, confirmFlag);
}

int SendCashierRecord(uint8_t address, uint16_t frameNumber, uint8_t n, uint8_t, uint8_t confirmFlag)
{
    // Bytes 40-41 stay 0: only the cashier's own 33 bytes are sent.
    return SendSmallTableRecord(address, frameNumber, 'K', 45, TableOffsets.CashierTable, CashierRecordSize, n,
                                CashierRecordSize, 42, confirmFlag);
}

int SendPaymentFormRecord(uint8_t address, uint16_t frameNumber, uint8_t n, uint8_t, uint8_t confirmFlag)
{
    return SendSmallTableRecord(address, frameNumber, 'F', 33, TableOffsets.PaymentFormTable, PaymentFormRecordSize,
                                n, PaymentFormRecordSize, 30, confirmFlag);
}

int SendCurrencyRecord(uint8_t address, uint16_t frameNumber, uint8_t n, uint8_t, uint8_t confirmFlag)
{
    return SendSmallTableRecord(address, frameNumber, 'W', 40, TableOffsets.CurrencyTable, CurrencyRecordSize, n,
                                CurrencyRecordSize, 37, confirmFlag);
}

int SendVatRates(uint8_t address, uint16_t frameNumber, uint8_t confirmFlag)
{
    if (!ImageReadable() || DbReadByteAt(TableOffsets.VatRateBlock) == 0)
        return 0;
    Frame f(address, 31, frameNumber, 'P');
    f.PutImage(7, TableOffsets.VatRateBlock, 7 * VatRateEntrySize);
    f.Put8(28, confirmFlag);
    f.Send();
    return 1;
}

int SendPackagingRecord(uint8_t address, uint16_t frameNumber, uint8_t n, uint8_t, uint8_t confirmFlag)
{
    return SendSmallTableRecord(address, frameNumber, 'Z', 58, TableOffsets.PackagingTable, PackagingRecordSize, n,
                                PackagingRecordSize, 55, confirmFlag);
}

int SendHeader(uint8_t address, uint16_t frameNumber)
{
    if (!ImageReadable())
        return 0;
    Frame f(address, 268, frameNumber, 'N');
    f.PutImage(7, TableOffsets.HeaderBlock, 259);
    f.Send();
    return 1;
}

int SendGoodsGroupRecord(uint8_t address, uint16_t frameNumber, uint8_t n, uint8_t, uint8_t confirmFlag)
{
    // The number and the first 20 name bytes; the 21st name byte does not fit the frame.
    return SendSmallTableRecord(address, frameNumber, 'G', 31, TableOffsets.GoodsGroupTable, GoodsGroupRecordSize, n,
                                21, 28, confirmFlag);
}

int SendQuickKeyRecord(uint8_t address, uint16_t frameNumber, uint8_t cashier, uint8_t key, uint8_t confirmFlag)
{
    if (cashier < 1 || cashier > 10 || key < 1 || key > 10 || !ImageReadable())
        return 0;
    Frame f(address, 44, frameNumber, 'S');
    f.Put8(7, cashier);
    f.Put8(8, key);
    f.PutImage(9, QuickKeyRecordOffset(cashier, key) + 2, 32);
    f.Put8(41, confirmFlag);
    f.Send();
    return 1;
}

int SendFooter(uint8_t address, uint16_t frameNumber, uint8_t flag)
{
    if (!ImageReadable())
        return 0;
    Frame f(address, 140, frameNumber, 'D');
    f.PutImage(7, TableOffsets.FooterBlock, 130);
    f.Put8(137, flag);
    f.Send();
    return 1;
}

int SendHaloTable(uint8_t address, uint16_t frameNumber)
{
    if (!ImageReadable())
        return 0;
    Frame f(address, 45, frameNumber, 'L');
    f.PutImage(7, TableOffsets.HaloBlock + 4, 36);
    f.Send();
    return 1;
}

// ---- settings frames ----

int SendClock(uint8_t address, uint16_t frameNumber, uint32_t yearMonth, uint32_t dayHour, uint32_t minuteSecond)
{
    Frame f(address, 17, frameNumber, 'C');
    f.Put16(7, uint16_t(yearMonth));
    f.Put8(9, uint8_t(yearMonth >> 16));
    f.Put8(10, uint8_t(dayHour));
    f.Put8(11, uint8_t(dayHour >> 16));
    f.Put8(12, uint8_t(minuteSecond));
    f.Put8(13, uint8_t(minuteSecond >> 16));
    f.Send();
    return 1;
}

int SendRecordCurrency(uint8_t address, uint16_t frameNumber, const std::string& symbol, uint32_t rate,
                       uint8_t decimals, uint8_t constant, uint8_t flag, uint16_t year, uint8_t month, uint8_t day)
{
    Frame f(address, 23, frameNumber, 'E');
    f.Put32(7, rate);
    f.Put8(11, decimals);
    f.PutText(12, symbol, 3);
    f.Put8(15, constant);
    f.Put8(16, flag);
    f.Put16(17, year);
    f.Put8(19, month);
    f.Put8(20, day);
    f.Send();
    return 1;
}

int SendManagerPassword(uint8_t address, uint16_t frameNumber, const std::string& first, const std::string& second,
                        uint8_t confirmFlag)
{
    Frame f(address, 30, frameNumber, 'H');
    f.PutText(7, first, 10);
    f.PutText(17, second, 10);
    f.Put8(27, confirmFlag);
    f.Send();
    return 1;
}

int SendGoodsUnits(uint8_t address, uint16_t frameNumber, const std::string& unit1, const std::string& unit2,
                   const std::string& unit3)
{
    Frame f(address, 18, frameNumber, 'q');
    f.PutText(7, unit1, 3);
    f.PutText(10, unit2, 3);
    f.PutText(13, unit3, 3);
    f.Send();
    return 1;
}

int SendSalesQuickKey(uint8_t address, uint16_t frameNumber, uint32_t keyBytes, uint8_t number)
{
    Frame f(address, 14, frameNumber, 'X');
    f.Put32(7, keyBytes);
    const uint8_t third = uint8_t(keyBytes >> 16);
    if (third >= 2 && third <= 7)
        f.Put8(9, uint8_t(third + 1));
    f.Put8(11, number);
    f.Send();
    return 1;
}

int SendFunctionKey(uint8_t, uint16_t frameNumber, uint8_t b1, uint8_t b2, uint8_t b3)
{
    Frame f(FixedAddress, 13, frameNumber, 'O');
    f.Put8(7, b1);
    f.Put8(8, b2);
    f.Put8(9, b3);
    f.Send();
    return 1;
}

int SendConfiguration(uint8_t, uint16_t frameNumber, const uint8_t record[ConfigurationRecordSize], uint8_t modelFlag)
{
    if (modelFlag > 1)
        return 0;
    const uint16_t length = modelFlag == 1 ? 36 : 31;
    Frame f(FixedAddress, length, frameNumber, 0x03);
    f.PutBytes(7, record, length - 9u);
    return ResultOfSend(f);
}

int SendEmailParams(uint8_t, uint16_t frameNumber, const uint8_t block[EmailParamsBlockSize])
{
    Frame f(FixedAddress, 252, frameNumber, 'm');
    f.PutBytes(7, block, EmailParamsBlockSize);
    return ResultOfSend(f);
}

int SendWifiParams(uint8_t, uint16_t frameNumber, const uint8_t block[WifiParamsBlockSize])
{
    Frame f(FixedAddress, 195, frameNumber, 'e');
    f.PutBytes(7, block, WifiParamsBlockSize);
    return ResultOfSend(f);
}

int SendHeaderGraphicRow(uint8_t, uint16_t frameNumber, uint8_t row, const uint8_t pixels[48])
{
    return SendGraphicRow(frameNumber, 'l', row, pixels);
}

int SendFooterGraphicRow(uint8_t, uint16_t frameNumber, uint8_t row, const uint8_t pixels[48])
{
    return SendGraphicRow(frameNumber, 'd', row, pixels);
}

int DeleteHeaderGraphic(uint8_t, uint16_t frameNumber)
{
    Frame f(FixedAddress, 10, frameNumber, 0x09);
    f.Put8(7, 'N');
    f.Send();
    return 1;
}

int DeleteFooterGraphic(uint8_t, uint16_t frameNumber)
{
    Frame f(FixedAddress, 10, frameNumber, 0x09);
    f.Put8(7, 'S');
    f.Send();
    return 1;
}

int SendPortTest(const uint8_t bytes[5], uint16_t frameNumber)
{
    Frame f(FixedAddress, 14, frameNumber, '8');
    f.PutBytes(7, bytes, 5);
    f.Send();
    return 1;
}

int SendPortQuery(uint8_t, uint16_t frameNumber)
{
    Frame f(FixedAddress, 9, frameNumber, '9');
    f.Send();
    return 1;
}

int SendClearDatabase(uint8_t, uint16_t frameNumber) { return SendFlagOne(FixedAddress, frameNumber, 'c'); }

int SendClearSales(uint8_t, uint16_t frameNumber) { return SendFlagOne(FixedAddress, frameNumber, 0xCB); }

int SendProbeQ(uint8_t address, uint16_t frameNumber, uint8_t byte)
{
    Frame f(address, 10, frameNumber, 'Q');
    f.Put8(7, byte);
    return ResultOfSend(f);
}

int RequestCacheDump(uint8_t address, uint16_t frameNumber)
{
    Frame f(address, 10, frameNumber, ':');
    f.Put8(7, 1);
    return ResultOfSend(f);
}

// ---- identity texts ----

int SendNip(uint8_t address, uint16_t frameNumber, const std::string& text)
{
    if (TooLong(text, 16, "Zbyt długi NIP!"))
        return 0;
    Frame f(address, 25, frameNumber, 'I');
    f.PutText(7, text, 16);
    return ResultOfSend(f);
}

int SendUniqueNumber(uint8_t address, uint16_t frameNumber, const std::string& text)
{
    if (TooLong(text, 14, "Zbyt długi numer unikatowy!"))
        return 0;
    Frame f(address, 23, frameNumber, 'M');
    f.PutText(7, text, 14);
    return ResultOfSend(f);
}

int SendFiscalMemoryKey(uint8_t address, uint16_t frameNumber, const std::string& key)
{
    if (TooLong(key, 10, "Zbyt długi klucz!"))
        return 0;
    Frame f(address, 19, frameNumber, 'J');
    f.PutText(7, key, 10);
    return ResultOfSend(f);
}

int SendKeyAndUniqueNumber(uint8_t address, uint16_t frameNumber, const std::string& uniqueNumber,
                           const std::string& key)
{
    if (TooLong(key, 10, "Zbyt długi klucz!") || TooLong(uniqueNumber, 14, "Zbyt długi numer unikatowy!"))
        return 0;
    Frame f(address, 33, frameNumber, 'M');
    f.PutText(7, uniqueNumber, 14);
    f.PutText(7 + uniqueNumber.size(), key, 10);
    // The checksum follows the key directly; with shorter texts the bytes after it stay 0.
    uint8_t* bytes = f.Data();
    bytes[7 + uniqueNumber.size() + key.size()] = FrameChecksum(bytes, f.Length());
    return SendBytes(bytes, 1, f.Length()) == 0 ? 1 : 0;
}

// ---- report requests ----

int RequestPeriodicReportByNumbers(uint8_t address, uint16_t frameNumber, uint8_t kind, uint16_t first, uint16_t last)
{
    Frame f(address, 19, frameNumber, 'o');
    f.Put8(7, kind);
    f.Put8(8, 1);
    f.Put16(9, first);
    f.Put16(11, last);
    f.Fill(13, 0xFF, 4);
    return ResultOfSend(f);
}

int RequestPeriodicReportByDates(uint8_t address, uint16_t frameNumber, uint8_t kind, uint16_t year1, uint8_t month1,
                                 uint8_t day1, uint16_t year2, uint8_t month2, uint8_t day2)
{
    Frame f(address, 19, frameNumber, 'o');
    f.Put8(7, kind);
    f.Put8(8, 0);
    f.Put16(9, year1);
    f.Put8(11, month1);
    f.Put8(12, day1);
    f.Put16(13, year2);
    f.Put8(15, month2);
    f.Put8(16, day2);
    return ResultOfSend(f);
}

int RequestPeriodicReportMonthly(uint8_t address, uint16_t frameNumber, uint8_t kind, uint16_t year, uint8_t month)
{
    Frame f(address, 19, frameNumber, 'o');
    f.Put8(7, kind);
    f.Put8(8, 0xFF);
    f.Put16(9, year);
    f.Put8(11, month);
    f.Fill(12, 0xFF, 5);
    return ResultOfSend(f);
}

int RequestSalesReportByGroup(uint8_t address, uint16_t frameNumber, uint8_t selector, uint8_t group, uint8_t flag1,
                              uint8_t flag2)
{
    Frame f(address, 16, frameNumber, 's');
    f.Put8(7, selector);
    f.Put8(8, group);
    f.Fill(9, 0xFF, 3);
    f.Put8(12, flag1);
    f.Put8(13, flag2);
    f.Send();
    return 1;
}

int RequestSalesReportByRange(uint8_t address, uint16_t frameNumber, uint8_t selector, uint16_t first, uint16_t last,
                              uint8_t flag1, uint8_t flag2)
{
    Frame f(address, 16, frameNumber, 's');
    f.Put8(7, selector);
    f.Put16(8, first);
    f.Put16(10, last);
    f.Put8(12, flag1);
    f.Put8(13, flag2);
    f.Send();
    return 1;
}

int RequestInactiveGoodsReport(uint8_t address, uint16_t frameNumber) { return SendFlagOne(address, frameNumber, 'n'); }

int RequestBaseWithPtuReportByGroup(uint8_t address, uint16_t frameNumber, uint8_t selector, uint8_t group, uint8_t flag)
{
    return SendByGroup(address, frameNumber, 'p', selector, group, flag);
}

int RequestBaseWithPtuReportByRange(uint8_t address, uint16_t frameNumber, uint8_t selector, uint16_t first,
                                    uint16_t last, uint8_t flag)
{
    return SendByRange(address, frameNumber, 'p', selector, first, last, flag);
}

int RequestFullPluReportByGroup(uint8_t address, uint16_t frameNumber, uint8_t selector, uint8_t group, uint8_t flag)
{
    return SendByGroup(address, frameNumber, 'b', selector, group, flag);
}

int RequestFullPluReportByRange(uint8_t address, uint16_t frameNumber, uint8_t selector, uint16_t first, uint16_t last,
                                uint8_t flag)
{
    return SendByRange(address, frameNumber, 'b', selector, first, last, flag);
}

int RequestCashierReport(uint8_t address, uint16_t frameNumber, uint8_t b1, uint8_t b2, uint8_t b3)
{
    Frame f(address, 12, frameNumber, 'k');
    f.Put8(7, b1);
    f.Put8(8, b2);
    f.Put8(9, b3);
    f.Send();
    return 1;
}

int RequestShiftSalesReport(uint8_t address, uint16_t frameNumber, uint8_t b1, uint8_t b2)
{
    return SendTwoBytes(address, frameNumber, 'z', b1, b2);
}

int RequestDiscountsReport(uint8_t address, uint16_t frameNumber, uint8_t b1, uint8_t b2)
{
    return SendTwoBytes(address, frameNumber, 'r', b1, b2);
}

int RequestPackagingsReport(uint8_t address, uint16_t frameNumber, uint8_t b1, uint8_t b2)
{
    return SendTwoBytes(address, frameNumber, 'a', b1, b2);
}

int RequestPaymentFormsReport(uint8_t address, uint16_t frameNumber, uint8_t b1, uint8_t b2)
{
    return SendTwoBytes(address, frameNumber, 'f', b1, b2);
}

int RequestGoodsGroupsReport(uint8_t address, uint16_t frameNumber, uint8_t b1, uint8_t b2)
{
    return SendTwoBytes(address, frameNumber, 'g', b1, b2);
}

int RequestGroupTurnoverReport(uint8_t address, uint16_t frameNumber, uint32_t firstYearMonth, uint32_t, uint32_t,
                               uint32_t, uint32_t secondYearMonth, uint32_t, uint32_t, uint32_t, uint8_t operation,
                               bool zeroRecords)
{
    Frame f(address, 17, frameNumber, 0x05);
    f.Put8(7, uint8_t(firstYearMonth >> 16));
    f.Put16(8, uint16_t(firstYearMonth));
    f.Put8(10, uint8_t(secondYearMonth >> 16));
    f.Put16(11, uint16_t(secondYearMonth));
    f.Put8(13, operation);
    f.Put8(14, zeroRecords ? 't' : 'n');
    f.Send();
    return 1;
}

int RequestFixedTextsReport(uint8_t address, uint16_t frameNumber) { return SendFlagOne(address, frameNumber, 'w'); }

int RequestVatRatesReport(uint8_t address, uint16_t frameNumber) { return SendFlagOne(address, frameNumber, 'v'); }

int RequestRegisterStateReport(uint8_t address, uint16_t frameNumber) { return SendFlagOne(address, frameNumber, 't'); }

int RequestQuickKeysReport(uint8_t address, uint16_t frameNumber) { return SendFlagOne(address, frameNumber, 'h'); }

// ---- electronic-copy requests ----

int RequestCopyLastReceipt(uint8_t address, uint16_t frameNumber, uint8_t handling)
{
    Frame f = CopyRequest(address, frameNumber, 1, handling);
    return ResultOfSend(f);
}

int RequestCopyByNumbers(uint8_t address, uint16_t frameNumber, uint8_t, uint16_t firstReport, uint32_t firstReceipt,
                         uint16_t lastReport, uint32_t lastReceipt, uint8_t range, uint8_t handling)
{
    Frame f = CopyRequest(address, frameNumber, 2, handling);
    f.Put16(8, firstReport);
    f.Put32(10, firstReceipt);
    f.Put16(14, lastReport);
    f.Put32(16, lastReceipt);
    f.Put8(20, range);
    return ResultOfSend(f);
}

int RequestCopyByDates(uint8_t address, uint16_t frameNumber, const CopyDateTime& first, const CopyDateTime& second,
                       uint8_t range, uint8_t handling)
{
    Frame f = CopyRequest(address, frameNumber, 3, handling);
    std::size_t at = 8;
    for (const CopyDateTime* d : {&first, &second}) {
        f.Put8(at, d->Hour);
        f.Put8(at + 1, d->Minute);
        f.Put8(at + 2, d->Day);
        f.Put8(at + 3, d->Month);
        f.Put16(at + 4, d->Year);
        at += 6;
    }
    f.Put8(20, range);
    return ResultOfSend(f);
}

int RequestCopyCacheMemory(uint8_t address, uint16_t frameNumber, uint8_t, uint8_t handling)
{
    Frame f = CopyRequest(address, frameNumber, 4, handling);
    return ResultOfSend(f);
}

// ---- delete frames ----

int DeleteGoodsRecord(uint8_t address, uint16_t frameNumber, uint16_t plu, const std::string& name, uint8_t confirmFlag)
{
    Frame f(address, 54, frameNumber, '0');
    f.Put16(7, plu);
    f.PutText(9, name, 42);
    f.Put8(51, confirmFlag);
    return ResultOfSend(f);
}

int DeleteDiscountRecord(uint8_t address, uint16_t frameNumber, uint8_t number, const std::string& name,
                         uint8_t confirmFlag)
{
    Frame f(address, 32, frameNumber, '1');
    f.Put8(7, number);
    f.PutText(8, name, 21);
    f.Put8(29, confirmFlag);
    return ResultOfSend(f);
}

int DeleteCashierRecord(uint8_t address, uint16_t frameNumber, uint8_t number, const std::string& name)
{
    return SendNumberedName(address, frameNumber, '2', 26, number, name, 16);
}

int DeletePaymentFormRecord(uint8_t address, uint16_t frameNumber, uint8_t number, const std::string& name,
                            uint8_t confirmFlag)
{
    Frame f(address, 33, frameNumber, '3');
    f.Put8(7, number);
    f.PutText(8, name, 22);
    f.Put8(30, confirmFlag);
    return ResultOfSend(f);
}

int DeleteCurrencyRecord(uint8_t address, uint16_t frameNumber, uint8_t number, const std::string& name)
{
    return SendNumberedName(address, frameNumber, '4', 33, number, name, 23);
}

int DeletePackagingRecord(uint8_t address, uint16_t frameNumber, uint8_t number, const std::string& name)
{
    return SendNumberedName(address, frameNumber, '5', 53, number, name, 43);
}

int DeleteGoodsGroupRecord(uint8_t address, uint16_t frameNumber, uint8_t number, const std::string& name, uint8_t)
{
    return SendNumberedName(address, frameNumber, '6', 31, number, name, 21);
}

// ---- read requests ----

int SendCommandWithWord(uint8_t address, uint16_t frameNumber, uint8_t command, uint16_t word)
{
    Frame f(address, 11, frameNumber, command);
    f.Put16(7, word);
    return ResultOfSend(f);
}
