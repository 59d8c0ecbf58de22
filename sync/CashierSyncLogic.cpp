#include "sync/CashierSyncLogic.h"

#include "core/DatabaseImage.h"
#include "core/Helpers.h"
#include "platform/Cp1250.h"
#include "sync/GoodsSyncLogic.h"
#include "sync/RegisterRecords.h"
#include "tables/GoodsLogic.h"

#include <cstring>

namespace C = RegisterCashierRecord;

const std::array<QString, 7> CashierRightLabels = {
    QStringLiteral("Możliwość wykonywania raportów niezerujących"),
    QStringLiteral("Możliwość wykonywania raportów zerujących"),
    QStringLiteral("Możliwość ręcznego udzielania rabatów"),
    QStringLiteral("Możliwość udzielania rabatów z bazy"),
    QStringLiteral("Możliwość anulowania paragonu"),
    QStringLiteral("Możliwość wykonywania operacji storno"),
    QStringLiteral("Możliwość wykonywania wpłat i wypłat z kasy"),
};

namespace {

// PC cashier record: number, name 21, password 4, seven rights.
constexpr std::size_t PcPassword = 22;
constexpr std::size_t PcRights = 26;

QString Text(const uint8_t* bytes, std::size_t n) { return FromCp1250(BytesToString(bytes, n)); }

QString Money(const uint8_t* p) { return QString::fromStdString(FormatHundredths(RecordU32(p))); }

void FillRights(CashierDetails& d, const uint8_t* rights)
{
    for (std::size_t i = 0; i < C::RightCount; ++i)
        d.Rights[i] = rights[i] ? QStringLiteral("TAK") : QStringLiteral("NIE");
}

} // namespace

QString CashierSyncItem(unsigned n, const uint8_t* name21)
{
    return (QString::number(n) + QStringLiteral(". ")).leftJustified(4, u' ') +
           Text(name21, C::NameSize).left(21).leftJustified(21, u' ');
}

QStringList PcCashierItems()
{
    QStringList items;
    if (!GoodsImageReadable())
        return items;
    uint8_t table[PcCashierPaneSlots * CashierRecordSize];
    DbReadBytesAt(TableOffsets.CashierTable, table, sizeof table);
    for (unsigned n = 1; n <= PcCashierPaneSlots; ++n) {
        const uint8_t* r = table + (n - 1) * CashierRecordSize;
        if (r[0] != 0)
            items.push_back(CashierSyncItem(n, r + 1));
    }
    return items;
}

QStringList RegisterCashierItems(const RegisterTableMirror& mirror)
{
    QStringList items;
    for (unsigned n : mirror.UsedNumbers())
        items.push_back(CashierSyncItem(n, mirror.Slot(n) + C::Name));
    return items;
}

bool CopyRegisterCashierToImage(const uint8_t* r)
{
    const unsigned n = r[C::Number];
    if (n == 0 || n > RegisterCashierSlots || !GoodsImageReadable())
        return false;
    uint8_t pc[CashierRecordSize];
    std::memcpy(pc, r, PcRights);
    std::memcpy(pc + PcRights, r + C::Rights, C::RightCount);
    DbWriteBytesAt(TableOffsets.CashierTable + (n - 1) * CashierRecordSize, pc, sizeof pc);
    return true;
}

CashierDetails PcCashierDetails(unsigned n)
{
    CashierDetails d;
    if (n == 0 || n > RegisterCashierSlots || !GoodsImageReadable())
        return d;
    uint8_t pc[CashierRecordSize];
    DbReadBytesAt(TableOffsets.CashierTable + (n - 1) * CashierRecordSize, pc, sizeof pc);
    d.Name = Text(pc + 1, C::NameSize);
    d.Password = Text(pc + PcPassword, C::PasswordSize);
    FillRights(d, pc + PcRights);
    return d;
}

CashierDetails RegisterCashierDetails(const uint8_t* r)
{
    CashierDetails d;
    d.Name = Text(r + C::Name, C::NameSize);
    d.Password = Text(r + C::Password, C::PasswordSize);
    FillRights(d, r + C::Rights);
    d.CashTakings = Money(r + C::CashTakings);
    d.TotalTakings = Money(r + C::TotalTakings);
    d.ReceiptsIssued = QString::number(RecordU16(r + C::ReceiptsIssued));
    d.ReceiptsCancelled = QString::number(RecordU16(r + C::ReceiptsCancelled));
    d.CancelledAmount = Money(r + C::CancelledAmount);
    d.StornoCount = QString::number(RecordU16(r + C::StornoCount));
    d.StornoAmount = Money(r + C::StornoAmount);
    d.PayIns = Money(r + C::PayIns);
    d.PayOuts = Money(r + C::PayOuts);
    d.PackagingsTaken = Money(r + C::PackagingsTaken);
    d.PackagingsIssued = Money(r + C::PackagingsIssued);
    d.LastLogin = DateTimeText(r + C::LastLogin);
    d.LastLogout = DateTimeText(r + C::LastLogout);
    d.WorkTime = QString::number(RecordU16(r + C::WorkHours)) + QStringLiteral(" godzin ") +
                 QString::number(r[C::WorkMinutes]) + QStringLiteral(" minut");
    d.LoggedIn = r[C::LoggedIn] != 0;
    return d;
}
