#pragma once
// Whole tables at once: the register's tables read into a fresh database, and the database's
// tables sent to the register.
#include "sync/TableRead.h"

#include <array>
#include <cstdint>
#include <vector>

// The items of the copy lists, in list order (the copy to the register adds the last two).
enum CopyItem {
    CopyGoods = 0,
    CopyDiscounts,
    CopyCashiers,
    CopyPaymentForms,
    CopyCurrencies,
    CopyVatRates,
    CopyPackagings,
    CopyGoodsGroups,
    CopyQuickKeys,
    CopyReportSet,
};
constexpr int RegisterCopyItemCount = 8;
constexpr int DatabaseCopyItemCount = 10;

using RegisterCopyTicks = std::array<uint8_t, RegisterCopyItemCount>;
using DatabaseCopyTicks = std::array<uint8_t, DatabaseCopyItemCount>;

// Goods need the VAT rates, packagings and groups they refer to. When goods are ticked without
// all three, ticks them and returns false (the copy does not start).
bool CheckCopyDependencies(RegisterCopyTicks& ticks);

// The seven VAT entries of a 'P' answer: letters A..G in order, each rate 0..9999, or 0xFFFE
// (not in use) or 0xFFFF (exempt).
bool ValidVatEntries(const uint8_t* entries);
constexpr std::size_t VatEntriesSize = 21;

// The register's tables as read, kept apart from the image until every read has ended.
struct RegisterTables {
    RegisterTables();
    RegisterTableMirror Goods;
    RegisterTableMirror Cashiers;
    std::vector<RegisterTableMirror> Small;  // in the order of SmallTable
    std::array<uint8_t, VatEntriesSize> Vat{};
    bool HasVat = false;
};

enum class CopyReadEnd { Complete, Failed, Stopped };

// Reads the ticked tables in the register's order (VAT rates, packagings, groups, goods,
// discounts, cashiers, payment forms, currencies). Each read drains the line first. An "empty
// base" answer is a table without records. Anything else that ends a read early ends the copy:
// its message was shown (a bad VAT answer shows "Wystąpił błąd transmisji.").
CopyReadEnd ReadRegisterTables(const RegisterCopyTicks& ticks, RegisterTables& tables);

// Writes what was read into the image through each table's copy-to-PC mapping; goods above the
// image's goods capacity have no place and are left out. Returns the records written.
int WriteRegisterTables(const RegisterCopyTicks& ticks, const RegisterTables& tables);

// The register-to-file copy after the user's question: reads, then a fresh image holding what
// was read, named "Bez nazwy" and marked modified. True when the image was replaced; on any
// failure the image stays as it was.
bool CopyRegisterToNewDatabase(const RegisterCopyTicks& ticks);

// Sends every stored record of the ticked tables (packagings, groups, goods, discounts, cashiers,
// payment forms, currencies; VAT rates, quick keys and the report set send nothing). Frame
// number 1 on every frame. A "printing" answer is waited out and read again; a record the
// register refuses does not stop the copy; no answer, a bad one or the user's stop ends the
// whole copy. False when it ended early.
bool CopyDatabaseToRegister(const DatabaseCopyTicks& ticks);
