#include "sync/DatabaseCopy.h"

#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "core/StatusHook.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "platform/Time.h"
#include "sync/CashierSyncLogic.h"
#include "sync/GoodsSyncLogic.h"
#include "sync/RegisterRecords.h"
#include "sync/SendSeries.h"
#include "sync/SmallTableSync.h"
#include "tables/GoodsLogic.h"

#include <cstring>

namespace {

const QString TransmissionError = QStringLiteral("Wystąpił błąd transmisji.");

// The 'P' answer: one frame laid out as the VAT program frame.
constexpr std::size_t VatRateFrameLength = 31;
// The waits of the goods and cashier windows after a "printing" answer.
constexpr unsigned GoodsPrintingWaitFirstMs = 1500;
constexpr unsigned GoodsPrintingWaitLaterMs = 450;
constexpr unsigned CashierPrintingWaitFirstMs = 2300;
constexpr unsigned CashierPrintingWaitLaterMs = 1700;

// The small table of a copy item; false for the items that are not small tables.
bool SmallTableOf(int item, SmallTable& table)
{
    switch (item) {
    case CopyDiscounts: table = SmallTable::Discounts; return true;
    case CopyPaymentForms: table = SmallTable::PaymentForms; return true;
    case CopyCurrencies: table = SmallTable::Currencies; return true;
    case CopyGoodsGroups: table = SmallTable::GoodsGroups; return true;
    case CopyPackagings: table = SmallTable::Packagings; return true;
    default: return false;
    }
}

TableReadOptions CopyReadOptions()
{
    TableReadOptions options;
    options.ProcessEvents = true;
    options.EndReadOnChecksumError = true;
    return options;
}

// One table read of the register-to-file copy; true when it ended normally.
bool ReadOneTable(int item, RegisterTables& tables)
{
    TableReadResult result;
    if (item == CopyVatRates) {
        result = ReadRegisterTable('P', VatRateFrameLength, [&tables](const uint8_t* record) {
            std::memcpy(tables.Vat.data(), record, VatEntriesSize);
            tables.HasVat = true;
            return true;
        }, CopyReadOptions());
    } else if (item == CopyGoods) {
        result = ReadTableIntoMirror('T', GoodsDataFrameLength, tables.Goods, CopyReadOptions());
    } else if (item == CopyCashiers) {
        result = ReadTableIntoMirror('K', CashierDataFrameLength, tables.Cashiers, CopyReadOptions());
    } else {
        SmallTable t{};
        SmallTableOf(item, t);
        const SmallTableMember& m = Member(t);
        result = ReadTableIntoMirror(m.Letter, m.FrameLength, tables.Small[std::size_t(t)], CopyReadOptions());
    }
    return ReadWhole(result);
}

// The printing waits of a table: after its first record, after later ones.
struct PrintingWaits {
    unsigned First = FirstPrintingWaitMs;
    unsigned Later = 0;
};

} // namespace

RegisterTables::RegisterTables()
    : Goods(RegisterGoodsSlots, RegisterGoodsRecord::Size, RegisterTableMirror::Key::Word),
      Cashiers(RegisterCashierSlots, RegisterCashierRecord::Size)
{
    for (SmallTable t : {SmallTable::Discounts, SmallTable::PaymentForms, SmallTable::Currencies,
                         SmallTable::GoodsGroups, SmallTable::Packagings})
        Small.push_back(MakeMirror(Member(t)));
}

bool CheckCopyDependencies(RegisterCopyTicks& ticks)
{
    if (!ticks[CopyGoods] || (ticks[CopyVatRates] && ticks[CopyPackagings] && ticks[CopyGoodsGroups]))
        return true;
    ShowMessage(QStringLiteral("Baza towarów jest powiązana z bazą stawek PTU, opakowań oraz grup towarowych."));
    ticks[CopyVatRates] = ticks[CopyPackagings] = ticks[CopyGoodsGroups] = 1;
    return false;
}

bool ValidVatEntries(const uint8_t* entries)
{
    for (int i = 0; i < 7; ++i) {
        const uint8_t* e = entries + i * VatRateEntrySize;
        const unsigned rate = RecordU16(e + 1);
        if (e[0] != 'A' + i || (rate > 9999 && rate != 0xFFFE && rate != 0xFFFF))
            return false;
    }
    return true;
}

CopyReadEnd ReadRegisterTables(const RegisterCopyTicks& ticks, RegisterTables& tables)
{
    static const int order[] = {CopyVatRates, CopyPackagings, CopyGoodsGroups, CopyGoods,
                                CopyDiscounts, CopyCashiers, CopyPaymentForms, CopyCurrencies};
    for (int item : order) {
        if (!ticks[std::size_t(item)])
            continue;
        if (!ReadOneTable(item, tables)) {
            if (!Link.AbortRequestFlag)
                return CopyReadEnd::Failed;
            ShowMessage(TransferStoppedText);
            return CopyReadEnd::Stopped;
        }
        if (item == CopyVatRates && tables.HasVat && !ValidVatEntries(tables.Vat.data())) {
            ShowMessage(TransmissionError);
            return CopyReadEnd::Failed;
        }
    }
    return CopyReadEnd::Complete;
}

int WriteRegisterTables(const RegisterCopyTicks& ticks, const RegisterTables& tables)
{
    int written = 0;
    if (ticks[CopyVatRates] && tables.HasVat) {
        DbWriteBytesAt(TableOffsets.VatRateBlock, tables.Vat.data(), VatEntriesSize);
        ++written;
    }
    for (int item = 0; item < RegisterCopyItemCount; ++item) {
        SmallTable t{};
        if (!ticks[std::size_t(item)] || !SmallTableOf(item, t))
            continue;
        const SmallTableMember& m = Member(t);
        for (unsigned n = 1; n <= m.Slots; ++n)
            written += CopyRegisterRecordToImage(m, tables.Small[std::size_t(t)], n) ? 1 : 0;
    }
    if (ticks[CopyCashiers])
        for (unsigned n : tables.Cashiers.UsedNumbers())
            written += CopyRegisterCashierToImage(tables.Cashiers.Slot(n)) ? 1 : 0;
    if (ticks[CopyGoods]) {
        for (unsigned plu : tables.Goods.UsedNumbers()) {
            if (plu > App.MaxGoodsCount)
                break;
            uint8_t record[GoodsField::WrittenSize] = {};
            MergeRegisterGoodsRecord(tables.Goods.Slot(plu), record);
            DbWriteBytesAt(GoodsRecordOffset(plu), record, sizeof record);
            ++written;
        }
    }
    return written;
}

bool CopyRegisterToNewDatabase(const RegisterCopyTicks& ticks)
{
    RegisterTables tables;
    if (ReadRegisterTables(ticks, tables) != CopyReadEnd::Complete)
        return false;
    if (CreateDatabaseImage() != 0) {
        ShowMessage(QStringLiteral("Nie udało się utworzyć nowej bazy"));
        return false;
    }
    WriteRegisterTables(ticks, tables);
    App.WorkMode |= WorkModeDatabase;
    App.CurrentDatabaseFileName = "Bez nazwy";
    MarkDatabaseModified();
    RequestStatusRefresh();
    return true;
}

bool CopyDatabaseToRegister(const DatabaseCopyTicks& ticks)
{
    if (!DatabaseImage.Usable()) {
        ShowMessage(QString::fromUtf8(GoodsTexts::FileClosed));
        return false;
    }
    Link.AbortRequestFlag = 0;
    static const int order[] = {CopyPackagings, CopyGoodsGroups, CopyGoods, CopyDiscounts,
                                CopyCashiers, CopyPaymentForms, CopyCurrencies};
    for (int item : order) {
        if (!ticks[std::size_t(item)])
            continue;
        using Sender = int (*)(uint8_t, uint16_t, uint8_t, uint8_t, uint8_t);
        std::vector<unsigned> numbers;
        PrintingWaits waits;
        Sender send = nullptr;
        SmallTable t{};
        if (item == CopyGoods) {
            ForEachStoredGoods([&numbers](unsigned plu, const uint8_t*) { numbers.push_back(plu); });
            waits = {GoodsPrintingWaitFirstMs, GoodsPrintingWaitLaterMs};
        } else if (item == CopyCashiers) {
            for (unsigned n = 1; n <= SmallTableSlots; ++n)
                if (DbReadByteAt(TableOffsets.CashierTable + (n - 1) * CashierRecordSize) != 0)
                    numbers.push_back(n);
            waits = {CashierPrintingWaitFirstMs, CashierPrintingWaitLaterMs};
            send = SendCashierRecord;
        } else {
            SmallTableOf(item, t);
            const SmallTableMember& m = Member(t);
            for (unsigned n = 1; n <= SmallTableSlots; ++n)
                if (DbReadByteAt(TableOffsets[m.PcTable] + (n - 1) * m.PcRecordSize) != 0)
                    numbers.push_back(n);
            waits.Later = m.LaterPrintingWaitMs;
            send = m.Send;
        }
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            ProcessMessages();
            if (Link.AbortRequestFlag) {
                ShowMessage(TransferStoppedText);
                return false;
            }
            if (item == CopyGoods)
                SendGoodsRecord(Link.RegisterAddress, 1, uint16_t(numbers[i]), uint16_t(numbers[i]), 0);
            else
                send(Link.RegisterAddress, 1, uint8_t(numbers[i]), uint8_t(numbers[i]), 0);
            const int result = ReceiveAckWaitingOutPrinting(i == 0 ? waits.First : waits.Later);
            // The user's No at "Brak papieru! Kontynuować?" was already answered by the link.
            if (result == AckUserStopped)
                return false;
            if (result == AckStatus1 || result == AckStatus2 || result == AckBadReply) {
                // A stop asked for while the reply was awaited is the user's, whatever the register did.
                ShowMessage(StoppedDuringReply() ? TransferStoppedText : TransmissionError);
                return false;
            }
        }
    }
    return true;
}
