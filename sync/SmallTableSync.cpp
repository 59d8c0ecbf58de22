#include "sync/SmallTableSync.h"

#include "core/DatabaseImage.h"
#include "core/Helpers.h"
#include "link/Commands.h"
#include "platform/Cp1250.h"
#include "sync/RegisterRecords.h"
#include "sync/TableRead.h"
#include "tables/SmallTableLogic.h"

#include <algorithm>
#include <cstring>

namespace {

QString RightAligned(const std::string& text, int width) { return QString::fromStdString(text).rightJustified(width, ' '); }

// The delete builders of the tables that take no confirmation flag.
int DeleteCurrency(uint8_t address, uint16_t frameNumber, uint8_t n, const std::string& name, uint8_t)
{
    return DeleteCurrencyRecord(address, frameNumber, n, name);
}
int DeletePackaging(uint8_t address, uint16_t frameNumber, uint8_t n, const std::string& name, uint8_t)
{
    return DeletePackagingRecord(address, frameNumber, n, name);
}

const QString CopyTickedToRegister = QStringLiteral("Skopiuj zaznaczone\nrekordy do kasy");
const QString CopyTickedToPc = QStringLiteral("Skopiuj zaznaczone\nrekordy do PC");
const QString DeleteShort = QStringLiteral("Usuń");

std::vector<SmallTableMember> MakeMembers()
{
    std::vector<SmallTableMember> all(5);

    SmallTableMember& d = all[0];
    d.Caption = QStringLiteral("Podgląd bazy rabatów");
    d.Letter = 'R';
    d.FrameLength = 45;
    d.Slots = 20;
    d.PcTable = 0;
    d.PcRecordSize = DiscountRecordSize;
    d.Send = SendDiscountRecord;
    d.Delete = DeleteDiscountRecord;
    d.LaterPrintingWaitMs = 390;
    d.FinalDelayMs = 400;
    d.Ending = QStringLiteral(" rabatów.");
    d.ConfirmCaption = QStringLiteral("Potwierdzaj wprowadzanie rabatów z klawiatury kasy");
    d.CopyToRegisterCaption = CopyTickedToRegister;
    d.CopyToPcCaption = QStringLiteral("Skopiuj Zaznaczone\nrekordy do PC");
    d.DeleteCaption = QStringLiteral("Usuń zaznaczone\nrekordy z kasy");
    d.PcListCaption = QStringLiteral("Baza PC");
    d.ToPc = {{0, 0, 28}};
    d.Columns = ListColumns::Discount;
    d.Details = {{QStringLiteral("Obrót rabatu/narzutu:"), DetailField::Money32, 28},
                 {QStringLiteral("Ilość użyć rabatu/narzutu:"), DetailField::Count32, 32}};
    d.ClearsDetailsOnPcClick = true;

    SmallTableMember& f = all[1];
    f.Caption = QStringLiteral("Podgląd bazy form płatności");
    f.Letter = 'F';
    f.FrameLength = 40;
    f.Slots = 10;
    f.PcTable = 2;
    f.PcRecordSize = PaymentFormRecordSize;
    f.Send = SendPaymentFormRecord;
    f.Delete = DeletePaymentFormRecord;
    f.LaterPrintingWaitMs = 390;
    f.FinalDelayMs = 450;
    f.Ending = QStringLiteral(" form płatnosci.");
    f.ConfirmCaption = QStringLiteral("Potwiedzaj wprowadzanie form płatności z klawiatury kasy");
    f.CopyToRegisterCaption = CopyTickedToRegister;
    f.CopyToPcCaption = CopyTickedToPc;
    f.DeleteCaption = DeleteShort;
    f.PcListCaption = QStringLiteral("Baza PC");
    f.ToPc = {{0, 0, 22}, {26, 22, 1}};
    f.Columns = ListColumns::PaymentForm;
    f.Details = {{QStringLiteral("Obrót formy płatności:"), DetailField::Money32, 22},
                 {QStringLiteral("Ilość użyć formy płatności"), DetailField::Count32, 27}};
    f.ClearsDetailsOnPcClick = true;

    SmallTableMember& w = all[2];
    w.Caption = QStringLiteral("Podgląd bazy walut obcych");
    w.Letter = 'W';
    w.FrameLength = 51;
    w.Slots = 10;
    w.PcTable = 3;
    w.PcRecordSize = CurrencyRecordSize;
    w.Send = SendCurrencyRecord;
    w.Delete = DeleteCurrency;
    w.LaterPrintingWaitMs = 390;
    w.FinalDelayMs = 430;
    w.Ending = QStringLiteral(" walut.");
    w.ConfirmCaption = QStringLiteral("Potwierdzaj wprowadzanie walut z klawiatury kasy");
    w.CopyToRegisterCaption = CopyTickedToRegister;
    w.CopyToPcCaption = CopyTickedToPc;
    w.DeleteCaption = DeleteShort;
    w.PcListCaption = QStringLiteral("Baza");
    w.ToPc = {{0, 0, 22}, {26, 22, 8}};
    w.Columns = ListColumns::Currency;
    w.Details = {{QStringLiteral("Obrót:"), DetailField::Money32, 22},
                 {QStringLiteral("Ilość użyć:"), DetailField::Count32, 34}};

    SmallTableMember& g = all[3];
    g.Caption = QStringLiteral("Podgląd bazy grup towarowych");
    g.Letter = 'G';
    g.FrameLength = 35;
    g.Slots = 20;
    g.PcTable = 7;
    g.PcRecordSize = GoodsGroupRecordSize;
    g.Send = SendGoodsGroupRecord;
    g.Delete = DeleteGoodsGroupRecord;
    g.LaterPrintingWaitMs = 450;
    g.FinalDelayMs = 430;
    g.Ending = QStringLiteral(" grup towarowych.");
    g.ConfirmCaption = QStringLiteral("Potwierdzaj wprowadzanie grup towarowych z klawiatury kasy");
    g.CopyToRegisterCaption = QStringLiteral("Skopiuj wszystkie\nrekordy do kasy");
    g.CopyToPcCaption = QStringLiteral("Skopiuj wszystkie\nrekordy do PC");
    g.DeleteCaption = DeleteShort;
    g.PcListCaption = QStringLiteral("Baza");
    g.ToPc = {{0, 0, 22}};
    g.Columns = ListColumns::None;
    g.Details = {{QStringLiteral("Utarg wybranej grupy towarowej:"), DetailField::Money32, 22}};
    g.ClearsDetailsOnPcClick = true;

    SmallTableMember& z = all[4];
    z.Caption = QStringLiteral("Podgląd bazy opakowań");
    z.Letter = 'Z';
    z.FrameLength = 75;
    z.Slots = 20;
    z.PcTable = 5;
    z.PcRecordSize = PackagingRecordSize;
    z.NameWidth = 42;
    z.Send = SendPackagingRecord;
    z.Delete = DeletePackaging;
    z.LaterPrintingWaitMs = 450;
    z.FinalDelayMs = 1300;
    z.Ending = QStringLiteral(" opakowań.");
    z.ConfirmCaption = QStringLiteral("Potwierdzaj wprowadzanie opakowań z klawiatury kasy");
    z.CopyToRegisterCaption = QStringLiteral("Skopiuj wszystkie\nrekordy do kasy");
    z.CopyToPcCaption = QStringLiteral("Skopiuj wszystkie\nrekordy do PC");
    z.DeleteCaption = DeleteShort;
    z.PcListCaption = QStringLiteral("Baza");
    z.ToPc = {{0, 0, 47}, {65, 47, 1}};
    z.Columns = ListColumns::Packaging;
    z.Details = {{QStringLiteral("Wartość przyjęć:"), DetailField::Money32, 47},
                 {QStringLiteral("Wartość zwrotów:"), DetailField::Money32, 51},
                 {QStringLiteral("Data ostatniej sprzedaży:"), DetailField::LastSale, 55},
                 {QStringLiteral("Liczba przyjęć opakowań zwrotnych:"), DetailField::Count16, 61},
                 {QStringLiteral("Liczba zwrotów opakowań zwrotnych:"), DetailField::Count16, 63}};
    z.ClearsPcSelectionOnRegisterClick = false;

    for (SmallTableMember& m : all)
        m.RegisterRecordSize = uint16_t(m.FrameLength - 9);
    return all;
}

} // namespace

const SmallTableMember& Member(SmallTable table)
{
    static const std::vector<SmallTableMember> members = MakeMembers();
    return members[static_cast<std::size_t>(table)];
}

std::vector<uint8_t> RegisterRecordToPc(const SmallTableMember& m, const uint8_t* registerRecord)
{
    std::vector<uint8_t> pc(m.PcRecordSize, 0);
    for (const ByteCopy& c : m.ToPc)
        std::memcpy(pc.data() + c.To, registerRecord + c.From, c.Count);
    return pc;
}

QString SmallTableLine(const SmallTableMember& m, const uint8_t* pc)
{
    QString line = (QString::number(pc[0]) + QStringLiteral(". ")).leftJustified(4, ' ');
    line += FromCp1250(BytesToString(pc + 1, m.NameWidth)).leftJustified(int(m.NameWidth), ' ', true);
    switch (m.Columns) {
    case ListColumns::Discount:
        line += pc[22] ? QStringLiteral("[N]") : QStringLiteral("[R]");
        line += RightAligned(FormatHundredths(RecordU32(pc + 24)), 10);
        line += pc[23] ? QStringLiteral(" kwotowy") : QStringLiteral(" %");
        break;
    case ListColumns::PaymentForm:
        line += QStringLiteral(" ") + PaymentTypeNames().value(pc[22], QString::number(pc[22]));
        break;
    case ListColumns::Currency:
        line += FormatCurrencyRate(RecordU32(pc + 22), pc[26]).rightJustified(12, ' ');
        line += QStringLiteral(" ") + FromCp1250(BytesToString(pc + 27, 3)).leftJustified(3, ' ');
        break;
    case ListColumns::Packaging:
        line += RightAligned(FormatHundredths(RecordU32(pc + 43)), 10);
        line += pc[47] ? QStringLiteral(" ruchoma") : QStringLiteral(" sztywna");
        break;
    case ListColumns::None:
        break;
    }
    return line;
}

QString DetailText(const DetailField& field, const uint8_t* r)
{
    const uint8_t* p = r + field.Offset;
    switch (field.Type) {
    case DetailField::Money32: return QString::fromStdString(FormatHundredths(RecordU32(p)));
    case DetailField::Count32: return QString::number(RecordU32(p));
    case DetailField::Count16: return QString::number(RecordU16(p));
    case DetailField::LastSale:
        // year u16, month, day, hour, minute; hour 24 = never sold
        if (p[4] == 24)
            return QStringLiteral("Brak");
        return QString::fromStdString(IntToStr2(p[4]) + ":" + IntToStr2(p[5]) + " " + std::to_string(p[3]) + "-" +
                                      std::to_string(p[2]) + "-" + std::to_string(RecordU16(p)));
    }
    return {};
}

RegisterTableMirror MakeMirror(const SmallTableMember& m) { return RegisterTableMirror(m.Slots, m.RegisterRecordSize); }

std::string MirrorName(const SmallTableMember& m, const RegisterTableMirror& mirror, unsigned n)
{
    const uint8_t* r = mirror.Slot(n);
    return r ? BytesToString(r + 1, m.NameWidth) : std::string();
}

std::vector<uint8_t> ReadPcRecord(const SmallTableMember& m, unsigned n)
{
    std::vector<uint8_t> r(m.PcRecordSize, 0);
    DbReadBytesAt(TableOffsets[m.PcTable] + (n - 1) * m.PcRecordSize, r.data(), r.size());
    return r;
}

bool CopyRegisterRecordToImage(const SmallTableMember& m, const RegisterTableMirror& mirror, unsigned n)
{
    if (!mirror.Used(n))
        return false;
    const std::vector<uint8_t> pc = RegisterRecordToPc(m, mirror.Slot(n));
    DbWriteBytesAt(TableOffsets[m.PcTable] + (n - 1) * m.PcRecordSize, pc.data(), pc.size());
    return true;
}
