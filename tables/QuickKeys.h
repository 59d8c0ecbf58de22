#pragma once
// The quick-key table without windows: its 34-byte records, packing, adding and removing goods,
// the repair of a damaged table, the quantity texts and the list lines of both key editors.
#include "core/DatabaseImage.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <string>

// Record of cashier c, key k: [0] cashier, [1] key, [2] goods in use, [3..32] five entries of a
// u16 PLU (0 = empty) and a u32 quantity in ten-thousandths, [33] end-of-receipt flag.
using QuickKeyRecord = std::array<uint8_t, QuickKeyRecordSize>;

constexpr unsigned QuickKeyCashiers = 10;
constexpr unsigned QuickKeysPerCashier = 10;
constexpr unsigned QuickKeyEntries = 5;
constexpr unsigned QuickKeyEntrySize = 6;
constexpr unsigned QuickKeyFirstEntry = 3;
constexpr unsigned QuickKeyCountByte = 2;
constexpr unsigned QuickKeyEndFlagByte = 33;
constexpr uint32_t QuickKeyTableUsedSize = QuickKeyCashiers * QuickKeysPerCashier * QuickKeyRecordSize;   // 3400
constexpr uint32_t QuickKeyOneUnit = 10000;

namespace QuickKeyTexts {
// %1 the goods capacity, %2 how many entries were dropped.
inline constexpr const char* DamagedTable =
    "Wykryto błąd bazy klawiszy szybkich! Z klawiszy szybkich usunięto towary o numerach powyżej %1 (pozycji: %2), "
    "pozostałe przypisania zachowano, a baza danych naprawiona.";
inline constexpr const char* BadQuantity = "Błędna ilość";
inline constexpr const char* BadGoodsNumber =
    "     Błędna wartość : Numer towaru w kasie\n Pole musi zawierać liczbę z przedziału 0-8000a. (0 - brak towaru)    ";
inline constexpr const char* EnterNumber = "Wprowadź numer!";
inline constexpr const char* EnterQuantity = "Wprowadź ilość!";
inline constexpr const char* Stored = "Zapisano w bazie";
} // namespace QuickKeyTexts

// Entry position 1..5 of a record.
uint16_t QuickKeyEntryPlu(const QuickKeyRecord& record, unsigned position);
uint32_t QuickKeyEntryQuantity(const QuickKeyRecord& record, unsigned position);
void SetQuickKeyEntry(QuickKeyRecord& record, unsigned position, uint16_t plu, uint32_t quantity);
// How many entries hold goods (wherever they stand).
uint8_t QuickKeyUsedEntries(const QuickKeyRecord& record);

// The record of cashier 1..10, key 1..10 from the image; all zero when the image is not usable
// or the numbers are out of range.
QuickKeyRecord ReadQuickKeyRecord(unsigned cashier, unsigned key);
// Writes the record at its place with byte 0 = cashier; false (nothing written) when the image
// is not usable or the numbers are out of range.
bool WriteQuickKeyRecord(QuickKeyRecord record, unsigned cashier, unsigned key);
// The entries in use moved to the front in their order, the rest zero, byte 2 = their number;
// bytes 0, 1 and 33 kept.
QuickKeyRecord PackQuickKeyRecord(const QuickKeyRecord& record);
// Packs, then puts the goods into the first free entry, or over the fifth when all five are used.
void AddQuickKeyEntry(QuickKeyRecord& record, uint16_t plu, uint32_t quantity);
// Empties entry position 1..5 and packs; false (record unchanged) for any other position.
bool RemoveQuickKeyEntry(QuickKeyRecord& record, unsigned position);

// Drops every entry whose PLU is above maxGoods from the image's table (the records concerned are
// packed and written back, nothing else changes); returns how many entries were dropped, 0 when
// the image is not usable.
int RepairQuickKeyTable(unsigned maxGoods);

// Ten-thousandths as text: at least five digits, a comma before the last four (1,0000; 0,0005).
QString FormatQuantity(uint32_t tenThousandths);

enum class QuantityParse { Ok, NotNumber, OutOfRange };
// The drag-and-drop editor's quantity: a decimal number ('.' or ',' before the decimals), cut
// after the fourth decimal. OutOfRange for 0, a negative number and 999999 ten-thousandths or
// more.
QuantityParse ParseAddedQuantity(const QString& text, uint32_t& tenThousandths);
// The grid editor's quantity: a decimal number rounded half up to ten-thousandths. OutOfRange for
// a negative number and one beyond the u32 field.
QuantityParse ParseKeyQuantity(const QString& text, uint32_t& tenThousandths);

// "   12. " + name (20 characters) + " " + price (10 columns) + " ".
QString QuickKeyGoodsLine(unsigned plu, const std::string& nameCp1250, uint32_t priceHundredths);
// Name (10 characters) + " " + FormatQuantity.
QString QuickKeyEntryLine(const std::string& nameCp1250, uint32_t quantity);
// The ten cashier choices: "number name" for a programmed slot, else the slot number.
QStringList QuickKeyCashierItems();
