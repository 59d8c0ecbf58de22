#pragma once
// The register's own layouts of the records its table reads carry (frame bytes 7..). They are
// the program's reading of the register, kept apart from the emulator's.
#include "core/Helpers.h"

#include <cstddef>
#include <cstdint>

// A goods record of read 'T' (92-byte frames).
namespace RegisterGoodsRecord {
constexpr std::size_t Size = 83;
constexpr std::size_t Plu = 0;          // u16, 0 = empty
constexpr std::size_t Name = 2;         // 42 bytes, NUL-padded
constexpr std::size_t NameSize = 42;
constexpr std::size_t Ptu = 44;
constexpr std::size_t Price = 45;       // u32 hundredths
constexpr std::size_t Quantity = 49;    // u32 ten-thousandths
constexpr std::size_t Value = 53;       // u32 hundredths
constexpr std::size_t Barcode = 57;     // 13 characters; the register may send spaces for '0'
constexpr std::size_t BarcodeSize = 13;
constexpr std::size_t Group = 70;
constexpr std::size_t Tandem = 71;
constexpr std::size_t FixedPrice = 72;
constexpr std::size_t WholeUnits = 73;
constexpr std::size_t Halo = 74;
constexpr std::size_t SaleYear = 75;    // u16
constexpr std::size_t SaleMonth = 77;
constexpr std::size_t SaleDay = 78;
constexpr std::size_t SaleHour = 79;    // 24 = never sold
constexpr std::size_t SaleMinute = 80;
constexpr std::size_t Unit = 81;
constexpr uint8_t NeverSoldHour = 24;
} // namespace RegisterGoodsRecord

// A cashier record of read 'K': the first 324 bytes of the 338-byte frames' payload.
namespace RegisterCashierRecord {
constexpr std::size_t Size = 324;
constexpr std::size_t Number = 0;       // 1..20
constexpr std::size_t Name = 1;         // 21 bytes
constexpr std::size_t NameSize = 21;
constexpr std::size_t Password = 22;    // 4 characters
constexpr std::size_t PasswordSize = 4;
constexpr std::size_t CashTakings = 26;     // u32 hundredths
constexpr std::size_t TotalTakings = 30;    // u32
constexpr std::size_t ReceiptsIssued = 34;  // u16
constexpr std::size_t ReceiptsCancelled = 36;   // u16
constexpr std::size_t CancelledAmount = 38;     // u32
constexpr std::size_t StornoCount = 42;         // u16
constexpr std::size_t StornoAmount = 44;        // u32
constexpr std::size_t PayIns = 48;              // u32
constexpr std::size_t PayOuts = 52;             // u32
constexpr std::size_t PackagingsTaken = 56;     // u32
constexpr std::size_t PackagingsIssued = 60;    // u32
constexpr std::size_t Rights = 224;             // seven bytes
constexpr std::size_t RightCount = 7;
constexpr std::size_t LastLogin = 231;          // u16 year, month, day, hour, minute
constexpr std::size_t LastLogout = 237;
constexpr std::size_t WorkHours = 243;          // u16
constexpr std::size_t WorkMinutes = 245;
constexpr std::size_t LoggedIn = 246;
} // namespace RegisterCashierRecord
