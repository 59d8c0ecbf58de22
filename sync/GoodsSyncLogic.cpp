#include "sync/GoodsSyncLogic.h"

#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "core/Helpers.h"
#include "platform/Cp1250.h"
#include "sync/RegisterRecords.h"
#include "tables/GoodsLogic.h"

#include <algorithm>
#include <cstring>

namespace R = RegisterGoodsRecord;

RegisterTableMirror RegisterGoodsMirror(RegisterGoodsSlots, R::Size, RegisterTableMirror::Key::Word);

void ResetRegisterGoodsMirror() { RegisterGoodsMirror.Clear(); }

namespace {

QDate todayOverride;

QString Fit(const QString& text, int width) { return text.left(width).leftJustified(width, u' '); }

QString YesNo(uint8_t b) { return b ? QStringLiteral("TAK") : QStringLiteral("NIE"); }

QString NumberOrNone(uint8_t b) { return b ? QString::number(b) : QStringLiteral("Brak"); }

QString Text(const uint8_t* bytes, std::size_t n) { return FromCp1250(BytesToString(bytes, n)); }

} // namespace

QString GoodsSyncItem(unsigned n, const uint8_t* record, int nameWidth)
{
    return (QString::number(n) + QStringLiteral(". ")).leftJustified(6, u' ') +
           Fit(Text(record + R::Name, R::NameSize), nameWidth) + u' ' +
           QString::fromStdString(FormatHundredths(RecordU32(record + R::Price))).rightJustified(10, u' ') + u' ' +
           Text(record + R::Ptu, 1);
}

QStringList PcGoodsItems()
{
    QStringList items;
    ForEachStoredGoods([&](unsigned plu, const uint8_t* record) { items.push_back(GoodsSyncItem(plu, record, 20)); });
    return items;
}

QStringList RegisterGoodsItems()
{
    QStringList items;
    for (unsigned n : RegisterGoodsMirror.UsedNumbers())
        items.push_back(GoodsSyncItem(n, RegisterGoodsMirror.Slot(n), 22));
    return items;
}

BarColour OccupancyColour(int count)
{
    count = std::clamp(count, 0, int(RegisterGoodsSlots));
    if (count < 4000)
        return {count / 16, 250};
    return {250, 250 - (count - 4000) / 16};
}

bool CopyRegisterGoodsToImage(unsigned n)
{
    if (!RegisterGoodsMirror.Used(n) || n > App.MaxGoodsCount || !GoodsImageReadable())
        return false;
    uint8_t record[GoodsField::WrittenSize] = {};
    MergeRegisterGoodsRecord(RegisterGoodsMirror.Slot(n), record);
    DbWriteBytesAt(GoodsRecordOffset(n), record, sizeof record);
    return true;
}

void TakeSentGoodsIntoMirror(unsigned n)
{
    uint8_t image[GoodsField::WrittenSize];
    uint8_t* slot = RegisterGoodsMirror.Slot(n);
    if (!slot || !ReadGoodsRecord(n, image))
        return;
    std::memcpy(slot, image, GoodsField::Barcode);
    std::memcpy(slot + R::Barcode, image + GoodsField::Barcode, GoodsField::Unit - GoodsField::Barcode);
    slot[R::Unit] = image[GoodsField::Unit];
}

QDate SyncToday() { return todayOverride.isValid() ? todayOverride : QDate::currentDate(); }

void SetSyncToday(const QDate& date) { todayOverride = date; }

bool NotSoldForMoreThan(const uint8_t* record, long long days, const QDate& today)
{
    const int year = std::max<int>(RecordU16(record + R::SaleYear), 1980);
    const int month = std::max<int>(record[R::SaleMonth], 1);
    const int day = std::max<int>(record[R::SaleDay], 1);
    const QDate sold(year, month, day);
    return sold.isValid() && sold.daysTo(today) > days;
}

bool ParseWholeNumber(const QString& text, long long& value)
{
    return ParseSigned(text.trimmed().toStdString(), value);
}

GoodsNumberRange ParseGoodsRange(const QString& from, const QString& to)
{
    long long lo = 1;
    long long hi = RegisterGoodsSlots;
    GoodsNumberRange range;
    if ((!from.trimmed().isEmpty() && !ParseWholeNumber(from, lo)) ||
        (!to.trimmed().isEmpty() && !ParseWholeNumber(to, hi)) || hi < lo)
        return range;
    range.Ok = true;
    range.From = unsigned(std::clamp<long long>(lo, 1, RegisterGoodsSlots));
    range.To = unsigned(std::clamp<long long>(hi, 1, RegisterGoodsSlots));
    return range;
}

std::vector<RangeDeleteFrame> RangeDeleteFrames(unsigned from, unsigned to)
{
    std::vector<RangeDeleteFrame> frames;
    for (unsigned s = std::max(from, 1u); s <= std::min(to, RegisterGoodsSlots); ++s)
        if (RegisterGoodsMirror.Used(s))
            frames.push_back({s, uint16_t(s - from + 1)});
    if (!frames.empty())
        frames.back().FrameNumber |= 0x8000;
    return frames;
}

BarcodeComparison CompareBarcodes()
{
    BarcodeComparison result;
    const std::vector<uint8_t> area = ReadGoodsArea();
    const std::size_t size = App.GoodsRecordSize;
    for (unsigned n : RegisterGoodsMirror.UsedNumbers()) {
        if (std::size_t(n) * size > area.size())
            break;
        const uint8_t* pc = area.data() + (n - 1) * size;
        if (RecordU16(pc) == 0)
            continue;
        ++result.Compared;
        std::string registerCode(reinterpret_cast<const char*>(RegisterGoodsMirror.Slot(n) + R::Barcode), R::BarcodeSize);
        std::replace(registerCode.begin(), registerCode.end(), ' ', '0');
        if (BytesToString(pc + GoodsField::Barcode, GoodsField::BarcodeSize) != BytesToString(
                reinterpret_cast<const uint8_t*>(registerCode.data()), registerCode.size()))
            result.Different.push_back(n);
    }
    return result;
}

QString FormatSoldQuantity(uint32_t tenThousandths)
{
    QString text = QString::number(tenThousandths / 10000);
    QString fraction = QString::number(tenThousandths % 10000).rightJustified(4, u'0');
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += u',' + fraction;
    return text;
}

QString DateTimeText(const uint8_t* p)
{
    return QString::number(RecordU16(p)) + u'-' + QString::number(p[2]) + u'-' + QString::number(p[3]) +
           QStringLiteral("  ") + QString::fromStdString(IntToStr2(p[4])) + u':' +
           QString::fromStdString(IntToStr2(p[5]));
}

GoodsDetails PcGoodsDetails(unsigned n)
{
    GoodsDetails d;
    uint8_t r[GoodsField::WrittenSize];
    if (!ReadGoodsRecord(n, r))
        return d;
    d.Name = FromCp1250(ReadGoodsName(n));
    d.Ptu = Text(r + GoodsField::Vat, 1);
    d.Group = QString::number(r[GoodsField::Group]);
    d.Barcode = Text(r + GoodsField::Barcode, GoodsField::BarcodeSize);
    d.Tandem = NumberOrNone(r[GoodsField::Tandem]);
    d.FixedPrice = YesNo(r[GoodsField::FixedPrice]);
    d.WholeUnits = YesNo(r[GoodsField::WholeUnits]);
    d.Halo = NumberOrNone(r[GoodsField::Halo]);
    d.Unit = NumberOrNone(r[GoodsField::Unit]);
    return d;
}

GoodsDetails RegisterGoodsDetails(unsigned n)
{
    GoodsDetails d;
    if (!RegisterGoodsMirror.Used(n))
        return d;
    const uint8_t* r = RegisterGoodsMirror.Slot(n);
    d.Name = Text(r + R::Name, R::NameSize);
    d.Ptu = Text(r + R::Ptu, 1);
    d.Barcode = FromCp1250(std::string(reinterpret_cast<const char*>(r + R::Barcode), R::BarcodeSize));
    d.Group = QString::number(r[R::Group]);
    d.Tandem = NumberOrNone(r[R::Tandem]);
    d.FixedPrice = YesNo(r[R::FixedPrice]);
    d.WholeUnits = YesNo(r[R::WholeUnits]);
    d.Halo = NumberOrNone(r[R::Halo]);
    d.LastSale = r[R::SaleHour] == R::NeverSoldHour ? QStringLiteral("Brak") : DateTimeText(r + R::SaleYear);
    d.Quantity = FormatSoldQuantity(RecordU32(r + R::Quantity));
    d.Value = QString::fromStdString(FormatHundredths(RecordU32(r + R::Value)));
    return d;
}
