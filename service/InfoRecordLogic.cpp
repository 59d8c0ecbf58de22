#include "service/InfoRecordLogic.h"

#include "core/Helpers.h"
#include "link/Link.h"
#include "platform/Cp1250.h"

#include <QStringList>

namespace {

constexpr std::size_t ErrorFrameLength = 11;

QString Text(const uint8_t* p, std::size_t n) { return FromCp1250(BytesToString(p, n)); }
QString YesNo(uint8_t b) { return b ? QStringLiteral("TAK") : QStringLiteral("NIE"); }

// A port byte outside its list shows as its number, so that an unknown device is still told.
QString ListText(const QStringList& list, uint8_t b) { return b < list.size() ? list[b] : QString::number(b); }

// Record offsets are those of the new layout; the old one lacks two characters of the unique
// number and the Wi-Fi byte.
std::size_t At(std::size_t newOffset, InfoLayout layout)
{
    if (layout == InfoLayout::New || newOffset < 26)
        return newOffset;
    return newOffset < 115 ? newOffset - 2 : newOffset - 3;
}

} // namespace

InfoReply ClassifyInfoReply(const uint8_t* b, std::size_t got, InfoLayout& layout)
{
    if (got < 4 || b[0] != FrameStart)
        return InfoReply::Broken;
    const std::size_t length = RecordU16(b + 2);
    if (length < 9 || length > got || b[length - 1] != FrameEnd || FrameChecksum(b, got) != b[length - 2])
        return InfoReply::Broken;
    if (length == ErrorFrameLength && b[6] == ReplyAttention)
        return InfoReply::ErrorFrame;
    if (length == InfoReplyNewLength)
        layout = InfoLayout::New;
    else if (length == InfoReplyOldLength)
        layout = InfoLayout::Old;
    else
        return InfoReply::Broken;
    return InfoReply::Record;
}

QString InfoDateText(unsigned day, unsigned month, unsigned year, bool noneForZeroDay)
{
    if (noneForZeroDay && day == 0)
        return QStringLiteral("brak");
    return QStringLiteral("%1-%2-%3").arg(day).arg(month).arg(year);
}

QString InfoTimeDateText(unsigned hour, unsigned minute, unsigned day, unsigned month, unsigned year,
                         bool noneForZeroDay)
{
    if (noneForZeroDay && day == 0)
        return QStringLiteral("brak");
    return FromCp1250(IntToStr2(hour)) + u':' + FromCp1250(IntToStr2(minute)) + QStringLiteral("   ") +
           InfoDateText(day, month, year, false);
}

InfoRecordTexts DecodeInfoRecord(const uint8_t* payload, InfoLayout layout)
{
    auto p = [&](std::size_t newOffset) { return payload + At(newOffset, layout); };
    const bool old = layout == InfoLayout::Old;
    // Century first: bytes 20 and 25 are the year 2025.
    auto year = [](const uint8_t* q) { return unsigned(q[0]) * 100 + q[1]; };

    InfoRecordTexts t;
    t.Version = FromCp1250(FormatHundredths(RecordU16(p(0))));
    t.ProgramMemory = Text(p(2), 10);
    t.UniqueNumber = Text(p(12), old ? 12 : 14);
    t.Nip = Text(p(26), 17);
    t.Signature = QString::number(RecordU16(p(43)));
    t.WorkingMode = *p(45) == 1 ? QStringLiteral("FISKALNY") : QStringLiteral("NIEFISKALNY");
    t.MemoryState = *p(46) == 0 ? QStringLiteral("OTWARTA") : QStringLiteral("ZAMKNIĘTA. TYLKO DO ODCZYTU");
    const uint8_t* w = p(47);
    t.LastWrite = InfoDateText(w[3], w[2], year(w), true);
    const uint8_t* r = p(51);
    t.LastReport = InfoTimeDateText(r[4], r[5], r[3], r[2], year(r), true);
    t.ReportNumber = QString::number(RecordU16(p(57)));
    t.CopyMedium = *p(59) == 0 ? QStringLiteral("Niezainicjowany") : QString::number(*p(59));
    t.RamClears = QString::number(*p(60));
    t.ReceiptsSinceReport = QString::number(RecordU16(p(61)));
    t.ReceiptsSinceFiscal = QString::number(RecordU32(p(63)));
    t.SalesStarted = YesNo(*p(67));
    t.ServiceMode = YesNo(*p(68));
    t.HeaderProgrammed = YesNo(*p(69));
    t.VatWrites = QString::number(*p(70));
    t.RegisterNumber = QString::number(*p(71));
    t.Cashier = Text(p(72), 21);
    t.CurrencySymbol = FromCp1250(std::string(reinterpret_cast<const char*>(p(93)), 3));
    const uint8_t* c = p(96);
    t.CurrencyDate = InfoTimeDateText(c[4], c[5], c[3], c[2], year(c), false);
    t.ChangeRowsEnabled = *p(102) != 0;
    t.ChangePlanned = YesNo(*p(102));
    t.NewSymbol = Text(p(103), 3);
    const uint8_t* d = p(106);
    t.ChangeDate = InfoTimeDateText(d[4], d[5], d[3], d[2], RecordU16(d), true);

    static const QStringList comNew = {"Komputer PC", "Waga", "Skaner", "Brak", "Wirtualna klawiatura", "Monitoring"};
    static const QStringList comOld = {"Komputer PC", "Waga", "Skaner", "Brak"};
    static const QStringList usbNew = {"Brak", "Komputer PC", "Wirtualna klawiatura", "Monitoring"};
    static const QStringList usbOld = {"Brak", "Komputer PC"};
    const QStringList& com = old ? comOld : comNew;
    t.ComA = ListText(com, *p(112));
    t.ComB = ListText(com, *p(113));
    t.Usb = ListText(old ? usbOld : usbNew, *p(114));
    t.Wifi = old ? QStringLiteral("Nie zainstalowane") : ListText(usbNew, *p(115));
    t.CardSize = QString::number(RecordU16(p(116)));
    return t;
}
