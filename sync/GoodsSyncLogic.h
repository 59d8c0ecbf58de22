#pragma once
// The goods synchronisation without windows: the register goods mirror, list items, the copies
// between the mirror and the image, the occupancy colours, the tick rules, the range delete
// frames, the barcode comparison and the details shown for a clicked goods.
#include "sync/TableRead.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace GoodsSyncTexts {
inline constexpr const char* BadFields = "Błędnie wypełnione pola!";
inline constexpr const char* NoPrinter = "Brak drukarki.";
} // namespace GoodsSyncTexts

// The register's goods as last read, one slot per goods number 1..8000.
constexpr unsigned RegisterGoodsSlots = 8000;
extern RegisterTableMirror RegisterGoodsMirror;
void ResetRegisterGoodsMirror();

// "12. " padded to 6, the name cut or padded to nameWidth, " ", the price right-aligned in 10,
// " ", the PTU letter. record is laid out as the image's or the register's goods record (their
// first 49 bytes agree).
QString GoodsSyncItem(unsigned n, const uint8_t* record, int nameWidth);
// The PC pane: every stored goods of the image's own slots 1..MaxGoodsCount, from one read.
QStringList PcGoodsItems();
// The register pane: every used mirror slot.
QStringList RegisterGoodsItems();

// The occupancy bar's colour for a pane of count items (blue is 0).
struct BarColour {
    int Red = 0;
    int Green = 0;
    bool operator==(const BarColour&) const = default;
};
BarColour OccupancyColour(int count);

// Writes the PC's 68 bytes of register goods n from the mirror into image record n (barcode
// spaces become '0'); false, and nothing written, when the mirror slot is empty, n has no image
// slot or the image is not usable.
bool CopyRegisterGoodsToImage(unsigned n);
// After the register accepted goods n: the mirror takes every field the program frame carried
// from image record n (bytes 0-48, 49-66 to 57-74, 67 to 81); counters and last sale stay.
void TakeSentGoodsIntoMirror(unsigned n);

// Today's date for the not-sold tick; tests set their own (an invalid date restores the clock).
QDate SyncToday();
void SetSyncToday(const QDate& date);
// True when more than days whole days passed from the goods' last sale (a year below 1980 counts
// as 1980, a month or day 0 as 1) to today; false for a date that is no calendar date.
bool NotSoldForMoreThan(const uint8_t* registerRecord, long long days, const QDate& today);

// A whole number as typed (blanks around it allowed); false for anything else.
bool ParseWholeNumber(const QString& text, long long& value);

// The range fields "od" / "do": empty means 1 / 8000; a field that is no whole number or an upper
// bound below the lower one gives Ok false; the bounds are then clamped to 1..8000.
struct GoodsNumberRange {
    bool Ok = false;
    unsigned From = 1;
    unsigned To = RegisterGoodsSlots;
};
GoodsNumberRange ParseGoodsRange(const QString& from, const QString& to);

// The delete frames of a range delete: one per used mirror slot s in from..to, numbered
// s - from + 1, the last with bit 15.
struct RangeDeleteFrame {
    unsigned Plu = 0;
    uint16_t FrameNumber = 0;
};
std::vector<RangeDeleteFrame> RangeDeleteFrames(unsigned from, unsigned to);

// Register goods whose barcode differs from the PC's, among the goods both sides hold; register
// spaces count as '0'.
struct BarcodeComparison {
    int Compared = 0;
    std::vector<unsigned> Different;
};
BarcodeComparison CompareBarcodes();

// 12345 ten-thousandths -> "1,2345"; 30000 -> "3" (exact, no trailing zeros).
QString FormatSoldQuantity(uint32_t tenThousandths);
// year-month-day  HH:MM from a u16 year and four bytes.
QString DateTimeText(const uint8_t* yearMonthDayHourMinute);

// The detail labels of a clicked goods; fields a side does not have stay empty.
struct GoodsDetails {
    QString Name, Ptu, Barcode, Group, Tandem, FixedPrice, WholeUnits, Halo, Unit, LastSale, Quantity, Value;
};
GoodsDetails PcGoodsDetails(unsigned n);
GoodsDetails RegisterGoodsDetails(unsigned n);
