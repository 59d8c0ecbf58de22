#pragma once
// The goods table without windows: reading it, the add checks, the register download, the
// quick-key clean-up after a delete and the sample goods.
#include "core/DatabaseImage.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Texts the goods windows show.
namespace GoodsTexts {
inline constexpr const char* NoConnection = "Brak połączenia z Kasą Fiskalną!";
inline constexpr const char* Saved = "Towar zapisano w kasie";
inline constexpr const char* NotConfirmed = "Błąd! Kasa nie potwierdziła zapisu towaru!";
inline constexpr const char* NoDatabase = "Brak otwartej bazy danych - towar nie został wysłany do kasy.";
inline constexpr const char* EnterName = "Wprowadź nazwę!";
inline constexpr const char* EnterNumber = "Wprowadź numer!";
inline constexpr const char* EnterPrice = "Wprowadź cenę!";
inline constexpr const char* BadPlu =
    "     Błędna wartość : Numer towaru w kasie \n Pole musi zawierać liczbę z przedziału 1-8000a.     ";
inline constexpr const char* SpacesOnlyName = "Nazwa towaru nie może składać się z samych znaków spacji!";
inline constexpr const char* BadPrice = "     Błędna wartość w polu Cena     ";
inline constexpr const char* PriceOutOfRange = "Błąd! Cena musi zawierać się w przedziale 0,00 - 999999,99";
inline constexpr const char* FixedPriceZero =
    "Cena sztywna musi mieć wartość większą od 0,00. Wprowadz inną wartość, lub odznacz pole \"Cena sztywna\"";
inline constexpr const char* FileClosed = "     Plik zamknięty.     ";
inline constexpr const char* NotAdded = "     Błąd! Nie dodano towaru     ";
} // namespace GoodsTexts

constexpr uint32_t MaxGoodsPrice = 99999999;   // 999999,99

// "12. Chleb" -> 12, "7" -> 7: the whole number before the first dot (the whole text when there
// is none). A text that is no such number gives 0 and *ok false.
int NumberBeforeDot(const QString& text, bool* ok = nullptr);

// The 42 name bytes of goods plu up to the first NUL (cp1250). Empty when the image is not usable
// or plu has no slot.
std::string ReadGoodsName(unsigned plu);

// True when the goods area can be read: a database is open and its stream has not failed.
// Whatever an unusable image holds counts as empty.
bool GoodsImageReadable();

// The whole goods area (MaxGoodsCount records of GoodsRecordSize bytes) in one read; empty when
// the image is not readable.
std::vector<uint8_t> ReadGoodsArea();

// Calls visit(plu, record) for every stored goods record (PLU bytes not both 0), in PLU order,
// from one read of the goods area; calls nothing when the image is not readable.
void ForEachStoredGoods(const std::function<void(unsigned plu, const uint8_t* record)>& visit);

// Bytes 0..67 of the goods record of plu into record; false, and record left as it was, when plu
// has no slot or the image is not readable.
bool ReadGoodsRecord(unsigned plu, uint8_t (&record)[GoodsField::WrittenSize]);

// The price of a goods record in hundredths (u32 little-endian).
uint32_t GoodsRecordPrice(const uint8_t* record);

// One slot of the goods group or packaging table: its number byte (0: not programmed) and name.
struct SmallTableEntry {
    uint8_t Number = 0;
    QString Name;
};
// The SmallTableSlots goods groups (21-byte names) and packagings (42-byte names) of the image;
// every slot is empty when the image is not readable.
std::vector<SmallTableEntry> ReadGoodsGroups();
std::vector<SmallTableEntry> ReadPackagings();
// The list items of such a table: the number, separator and name of a programmed slot, else the
// slot number 1, 2, ...
QStringList SmallTableItems(const std::vector<SmallTableEntry>& entries, QStringView separator);

// The comparison key of a goods name (cp1250): its first 42 characters, Polish lower-case letters
// raised, only \ / . , digits, letters and the raised Polish letters kept, in upper case.
std::string GoodsNameKey(const std::string& name);

// The first stored goods other than exceptPlu whose name has this key; 0 when none.
unsigned FindGoodsWithNameKey(const std::string& key, unsigned exceptPlu);

// First free PLU above n (n+1 .. MaxGoodsCount); 0 when none is free.
unsigned FirstFreePluAbove(unsigned n);

// What the add action reads from its fields and lists (list indexes are -1 when nothing is
// selected).
struct GoodsAddInput {
    QString Plu;
    QString Name;
    QString Price;
    QString Barcode;
    int PtuIndex = 0;
    int GroupIndex = 0;
    int TandemIndex = 0;
    bool FixedPrice = false;
    bool WholeUnits = true;
    int HaloIndex = 0;
    int UnitIndex = 0;
};

enum class GoodsAddRefusal {
    None,
    EmptyFields,     // shown by the warning labels only
    BadPlu,
    SpacesOnlyName,
    UnencodableText, // the name or barcode holds characters outside cp1250
    DuplicateName,
    BadPrice,
    PriceOutOfRange,
    FixedPriceZero,
};

struct GoodsAddCheck {
    GoodsAddRefusal Refusal = GoodsAddRefusal::None;
    QString Message;           // the message box text; empty for None and EmptyFields
    bool PluEmpty = false;
    bool NameEmpty = false;
    bool PriceEmpty = false;
    unsigned DuplicatePlu = 0;
    GoodsRecordFields Fields;  // the record to write, when nothing was refused
};

// The add checks in their order; the first refusal ends them.
GoodsAddCheck CheckGoodsAdd(const GoodsAddInput& input);

// A register goods record (as a 'T' data frame carries it at byte 7) over the first 68 bytes of
// an image record: PLU, name, PTU and price as they are; barcode (spaces become '0'), group,
// tandem, flags and HALO from register bytes 57-74; the unit from register byte 81.
constexpr std::size_t RegisterGoodsPartSize = 82;
void MergeRegisterGoodsRecord(const uint8_t* registerRecord, uint8_t* imageRecord);

// The working table of a goods download: one slot per PLU 1..MaxGoodsCount.
class GoodsDownload {
public:
    GoodsDownload();
    // Takes the record of one data frame; false (and nothing kept) when the frame is too short
    // or its PLU has no slot.
    bool TakeFrame(const uint8_t* frame, std::size_t length);
    std::size_t ReceivedCount() const { return received_; }
    // Writes every received record over its image record; returns how many were written.
    int WriteToImage() const;

private:
    std::vector<uint8_t> slots_;
    std::vector<uint8_t> used_;
    std::size_t received_ = 0;
};

// Removes plu from a 34-byte quick-key record: its entries are dropped, the used entries are kept
// first, the count byte is fixed. True when the record changed.
bool RemovePluFromQuickKeyRecord(uint8_t* record, uint16_t plu);
// The same over every quick-key record of the image; returns how many records changed.
int RemovePluFromQuickKeys(uint16_t plu);

// The fixed sample goods, in the order they are written.
std::vector<GoodsRecordFields> SampleGoods();
// Writes them over whatever their PLUs hold; returns how many were written.
int WriteSampleGoods();
