#pragma once
// The cashier synchronisation without windows: list items, the copy of a register cashier into
// the image and the details shown for a clicked cashier.
#include "sync/TableRead.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

constexpr unsigned RegisterCashierSlots = 20;
// The PC pane lists the first ten slots of the cashier table.
constexpr unsigned PcCashierPaneSlots = 10;

// "3. " padded to 4, then the name (21 bytes up to the first NUL) cut or padded to 21.
QString CashierSyncItem(unsigned n, const uint8_t* name21);
// Cashier slots 1..10 of the image whose number byte is not 0 (none from an unusable image).
QStringList PcCashierItems();
QStringList RegisterCashierItems(const RegisterTableMirror& mirror);

// Writes the 33 PC bytes (number, name, password, the seven rights) of a register cashier
// record into its image slot; false, and nothing written, when its number is 0 or above 20 or
// the image is not usable.
bool CopyRegisterCashierToImage(const uint8_t* registerRecord);

struct CashierDetails {
    QString Name, Password;
    std::array<QString, 7> Rights;   // "TAK" / "NIE"
    // register side only
    QString CashTakings, TotalTakings, ReceiptsIssued, ReceiptsCancelled, CancelledAmount, StornoCount,
        StornoAmount, PayIns, PayOuts, PackagingsTaken, PackagingsIssued, LastLogin, LastLogout, WorkTime;
    bool LoggedIn = false;
};
CashierDetails PcCashierDetails(unsigned n);
CashierDetails RegisterCashierDetails(const uint8_t* registerRecord);

// The labels of the seven rights, in record order.
extern const std::array<QString, 7> CashierRightLabels;
