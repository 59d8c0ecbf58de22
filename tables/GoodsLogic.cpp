#include "tables/GoodsLogic.h"

#include "core/AppState.h"
#include "core/Helpers.h"
#include "platform/Cp1250.h"
#include "tables/QuickKeys.h"
#include "tables/SmallTableRecords.h"

#include <QRegularExpression>
#include <algorithm>
#include <climits>
#include <cstring>

namespace {

std::string NameOfRecord(const uint8_t* record)
{
    const uint8_t* name = record + GoodsField::Name;
    std::size_t n = 0;
    while (n < GoodsField::NameSize && name[n] != 0)
        ++n;
    return std::string(reinterpret_cast<const char*>(name), n);
}

bool SlotUsed(const uint8_t* record) { return record[0] != 0 || record[1] != 0; }

// Polish lower-case letters of code page 1250 and their capitals.
constexpr unsigned char kPolishLower[9] = {0xB9, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0x9C, 0x9F, 0xBF};
constexpr unsigned char kPolishUpper[9] = {0xA5, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0x8C, 0x8F, 0xAF};

} // namespace

int NumberBeforeDot(const QString& text, bool* ok)
{
    const qsizetype dot = text.indexOf(u'.');
    const QString number = (dot < 0 ? text : text.left(dot)).trimmed();
    unsigned long long value = 0;
    const bool good = !number.isEmpty() && ParseUnsigned(number.toStdString(), value) && value <= INT_MAX;
    if (ok)
        *ok = good;
    return good ? int(value) : 0;
}

bool GoodsImageReadable() { return DatabaseUsable() && DatabaseImage.Usable(); }

std::string ReadGoodsName(unsigned plu)
{
    if (plu == 0 || plu > App.MaxGoodsCount || !GoodsImageReadable())
        return {};
    return DbReadStringAt(GoodsRecordOffset(plu) + GoodsField::Name, GoodsField::NameSize);
}

std::vector<uint8_t> ReadGoodsArea()
{
    if (!GoodsImageReadable())
        return {};
    std::vector<uint8_t> area(std::size_t(App.MaxGoodsCount) * App.GoodsRecordSize);
    DbReadBytesAt(GoodsTableOffset, area.data(), area.size());
    return area;
}

void ForEachStoredGoods(const std::function<void(unsigned plu, const uint8_t* record)>& visit)
{
    const std::vector<uint8_t> area = ReadGoodsArea();
    const std::size_t size = App.GoodsRecordSize;
    for (std::size_t s = 0; s * size < area.size(); ++s) {
        const uint8_t* record = area.data() + s * size;
        if (SlotUsed(record))
            visit(unsigned(s + 1), record);
    }
}

bool ReadGoodsRecord(unsigned plu, uint8_t (&record)[GoodsField::WrittenSize])
{
    if (plu == 0 || plu > App.MaxGoodsCount || !GoodsImageReadable())
        return false;
    DbReadBytesAt(GoodsRecordOffset(plu), record, sizeof record);
    return true;
}

uint32_t GoodsRecordPrice(const uint8_t* record)
{
    const uint8_t* p = record + GoodsField::Price;
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

namespace {

std::vector<SmallTableEntry> ReadSmallTable(const SmallTableGeometry& table)
{
    const RecordBytes bytes = ReadSmallTableSlots(table);
    std::vector<SmallTableEntry> entries(SmallTableSlots);
    for (unsigned i = 0; i < SmallTableSlots; ++i) {
        const uint8_t* r = bytes.data() + std::size_t(i) * table.RecordSize;
        entries[i].Number = r[0];
        entries[i].Name = FromCp1250(BytesToString(r + 1, table.NameWidth));
    }
    return entries;
}

} // namespace

std::vector<SmallTableEntry> ReadGoodsGroups() { return ReadSmallTable(GoodsGroupTableGeometry); }

std::vector<SmallTableEntry> ReadPackagings() { return ReadSmallTable(PackagingTableGeometry); }

QStringList SmallTableItems(const std::vector<SmallTableEntry>& entries, QStringView separator)
{
    QStringList items;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].Number != 0)
            items.append(QString::number(entries[i].Number).append(separator).append(entries[i].Name));
        else
            items.append(QString::number(i + 1));
    }
    return items;
}

std::string GoodsNameKey(const std::string& name)
{
    std::string key;
    const std::size_t n = std::min<std::size_t>(name.size(), GoodsField::NameSize);
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        for (int p = 0; p < 9; ++p)
            if (c == kPolishLower[p])
                c = kPolishUpper[p];
        const bool polish = std::find(std::begin(kPolishUpper), std::end(kPolishUpper), c) != std::end(kPolishUpper);
        const bool kept = c == '\\' || c == '/' || c == '.' || c == ',' || (c >= '0' && c <= '9') ||
                          (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || polish;
        if (!kept)
            continue;
        if (c >= 'a' && c <= 'z')
            c = static_cast<unsigned char>(c - 'a' + 'A');
        key.push_back(static_cast<char>(c));
    }
    return key;
}

unsigned FindGoodsWithNameKey(const std::string& key, unsigned exceptPlu)
{
    const std::vector<uint8_t> area = ReadGoodsArea();
    const std::size_t size = App.GoodsRecordSize;
    for (std::size_t s = 0; s * size < area.size(); ++s) {
        const uint8_t* record = area.data() + s * size;
        if (!SlotUsed(record) || s + 1 == exceptPlu)
            continue;
        if (GoodsNameKey(NameOfRecord(record)) == key)
            return unsigned(s + 1);
    }
    return 0;
}

unsigned FirstFreePluAbove(unsigned n)
{
    if (n >= App.MaxGoodsCount)
        return 0;
    const std::vector<uint8_t> area = ReadGoodsArea();
    if (area.empty())
        return n + 1;   // nothing readable is stored
    for (unsigned s = n; s < App.MaxGoodsCount; ++s)
        if (!SlotUsed(area.data() + std::size_t(s) * App.GoodsRecordSize))
            return s + 1;
    return 0;
}

GoodsAddCheck CheckGoodsAdd(const GoodsAddInput& in)
{
    GoodsAddCheck check;
    check.PluEmpty = in.Plu.isEmpty();
    check.NameEmpty = in.Name.isEmpty();
    check.PriceEmpty = in.Price.isEmpty();
    if (check.PluEmpty || check.NameEmpty || check.PriceEmpty) {
        check.Refusal = GoodsAddRefusal::EmptyFields;
        return check;
    }

    unsigned long long plu = 0;
    if (!ParseUnsigned(in.Plu.trimmed().toStdString(), plu) || plu < 1 || plu > App.MaxGoodsCount) {
        check.Refusal = GoodsAddRefusal::BadPlu;
        check.Message = GoodsTexts::BadPlu;
        return check;
    }

    if (std::all_of(in.Name.begin(), in.Name.end(), [](QChar c) { return c == u' '; })) {
        check.Refusal = GoodsAddRefusal::SpacesOnlyName;
        check.Message = GoodsTexts::SpacesOnlyName;
        return check;
    }

    // A character the register cannot hold would be stored as '?', and collide with the next.
    for (const QString& text : {in.Name, in.Barcode}) {
        if (const QString refusal = Cp1250Refusal(text); !refusal.isEmpty()) {
            check.Refusal = GoodsAddRefusal::UnencodableText;
            check.Message = refusal;
            return check;
        }
    }

    const std::string name = ToCp1250(in.Name).substr(0, GoodsField::NameSize);
    const std::string key = GoodsNameKey(name);
    if (unsigned other = FindGoodsWithNameKey(key, unsigned(plu))) {
        check.Refusal = GoodsAddRefusal::DuplicateName;
        check.DuplicatePlu = other;
        check.Message = QStringLiteral("Towar ") + FromCp1250(key) +
                        QStringLiteral(" jest już zapisany w bazie pod numerem ") + QString::number(other);
        return check;
    }

    std::string vat;
    if (in.PtuIndex >= 0 && in.PtuIndex <= 6)
        vat.push_back(char('A' + in.PtuIndex));

    QString priceText = in.Price.trimmed();
    priceText.replace(u'.', u',');
    long long price = 0;
    if (!ParseHundredths(priceText.toStdString(), price)) {
        // A well-formed amount too large to hold is out of range, not malformed.
        static const QRegularExpression amount(QStringLiteral("^[+-]?[0-9]+(,[0-9]*)?$"));
        const bool tooLarge = amount.match(priceText).hasMatch();
        check.Refusal = tooLarge ? GoodsAddRefusal::PriceOutOfRange : GoodsAddRefusal::BadPrice;
        check.Message = tooLarge ? GoodsTexts::PriceOutOfRange : GoodsTexts::BadPrice;
        return check;
    }
    if (price < 0 || price > MaxGoodsPrice) {
        check.Refusal = GoodsAddRefusal::PriceOutOfRange;
        check.Message = GoodsTexts::PriceOutOfRange;
        return check;
    }
    if (price == 0 && in.FixedPrice) {
        check.Refusal = GoodsAddRefusal::FixedPriceZero;
        check.Message = GoodsTexts::FixedPriceZero;
        return check;
    }

    // An unselected list stores 0.
    auto byteOf = [](int index) { return uint8_t(std::clamp(index, 0, 255)); };
    GoodsRecordFields& f = check.Fields;
    f.Plu = uint16_t(plu);
    f.Name = name;
    f.VatLetter = vat;
    f.Price = uint32_t(price);
    f.Barcode = ToCp1250(in.Barcode).substr(0, GoodsField::BarcodeSize);
    f.Group = in.GroupIndex < 0 ? 0 : byteOf(in.GroupIndex + 1);
    f.Tandem = byteOf(in.TandemIndex);
    f.FixedPrice = in.FixedPrice ? 1 : 0;
    f.WholeUnits = in.WholeUnits ? 1 : 0;
    f.Halo = byteOf(in.HaloIndex);
    f.Unit = byteOf(in.UnitIndex);
    return check;
}

void MergeRegisterGoodsRecord(const uint8_t* reg, uint8_t* rec)
{
    std::memcpy(rec, reg, 49);                                 // PLU, name, PTU, price
    std::memcpy(rec + GoodsField::Barcode, reg + 57, 18);      // barcode .. HALO
    for (uint32_t i = 0; i < GoodsField::BarcodeSize; ++i)
        if (rec[GoodsField::Barcode + i] == ' ')
            rec[GoodsField::Barcode + i] = '0';
    rec[GoodsField::Unit] = reg[81];
}

GoodsDownload::GoodsDownload()
    : slots_(std::size_t(App.MaxGoodsCount) * RegisterGoodsPartSize, 0), used_(App.MaxGoodsCount, 0)
{
}

bool GoodsDownload::TakeFrame(const uint8_t* frame, std::size_t length)
{
    if (length < 7 + RegisterGoodsPartSize)
        return false;
    const unsigned plu = frame[7] | (unsigned(frame[8]) << 8);
    if (plu == 0 || plu > used_.size())
        return false;
    std::memcpy(slots_.data() + std::size_t(plu - 1) * RegisterGoodsPartSize, frame + 7, RegisterGoodsPartSize);
    if (!used_[plu - 1]) {
        used_[plu - 1] = 1;
        ++received_;
    }
    return true;
}

int GoodsDownload::WriteToImage() const
{
    if (!GoodsImageReadable())
        return 0;
    int written = 0;
    for (std::size_t s = 0; s < used_.size() && s < App.MaxGoodsCount; ++s) {
        if (!used_[s])
            continue;
        uint8_t rec[GoodsField::WrittenSize] = {};
        MergeRegisterGoodsRecord(slots_.data() + s * RegisterGoodsPartSize, rec);
        DbWriteBytesAt(GoodsRecordOffset(unsigned(s + 1)), rec, sizeof rec);
        ++written;
    }
    return written;
}

bool RemovePluFromQuickKeyRecord(uint8_t* record, uint16_t plu)
{
    if (plu == 0)
        return false;
    QuickKeyRecord key;
    std::memcpy(key.data(), record, key.size());
    bool found = false;
    for (unsigned p = 1; p <= QuickKeyEntries; ++p) {
        if (QuickKeyEntryPlu(key, p) == plu) {
            SetQuickKeyEntry(key, p, 0, 0);
            found = true;
        }
    }
    if (!found)
        return false;
    key = PackQuickKeyRecord(key);
    std::memcpy(record, key.data(), key.size());
    return true;
}

int RemovePluFromQuickKeys(uint16_t plu)
{
    if (!GoodsImageReadable())
        return 0;
    constexpr unsigned kRecords = 100;
    std::vector<uint8_t> table(kRecords * QuickKeyRecordSize);
    DbReadBytesAt(TableOffsets.QuickKeyTable, table.data(), table.size());
    int changed = 0;
    for (unsigned r = 0; r < kRecords; ++r) {
        uint8_t* record = table.data() + r * QuickKeyRecordSize;
        if (RemovePluFromQuickKeyRecord(record, plu)) {
            DbWriteBytesAt(TableOffsets.QuickKeyTable + r * QuickKeyRecordSize, record, QuickKeyRecordSize);
            ++changed;
        }
    }
    return changed;
}

std::vector<GoodsRecordFields> SampleGoods()
{
    struct Sample {
        uint16_t Plu;
        const char* Name;
        char Ptu;
        uint8_t WholeUnits;
        uint8_t Unit;
        const char* Barcode;
    };
    static const Sample samples[] = {
        {1, "Chleb", 'A', 1, 1, "5901234123457"},
        {2, "Masło", 'C', 1, 2, "5900512300108"},
        {3, "Mleko", 'B', 1, 3, "5900820000233"},
        {4, "Bułka", 'A', 1, 4, "2000000000015"},
        {5, "Woda", 'D', 0, 5, "5900541000019"},
        {100, "Piwo", 'E', 1, 6, "5901359004017"},
        {102, "Jogurt", 'A', 1, 7, "5900120000219"},
        {101, "Wino", 'F', 1, 8, "5907522000012"},
        {1024, "Ser", 'A', 0, 9, "21000012"},
        {1000, "Drukarka fiskalna", 'A', 1, 0, "123456789012"},
        {2000, "Krzesło", 'B', 1, 0, "2000"},
        {10, "Chleb razowy", 'A', 1, 0, "5900017000135"},
        {20, "Długopis", 'C', 1, 0, "5905669000013"},
        {50, "Kartka", 'A', 1, 0, "50"},
        {6, "Klawiatura", 'A', 1, 0, "5901000100006"},
        {7, "Kawa", 'D', 0, 0, "5900649000017"},
        {8, "Herbata", 'C', 0, 0, "5900300000018"},
        {9, "Cukier", 'C', 0, 0, "5900211000011"},
        {11, "Mąka", 'C', 0, 0, "7"},
    };
    std::vector<GoodsRecordFields> out;
    for (const Sample& s : samples) {
        GoodsRecordFields f;
        f.Plu = s.Plu;
        f.Name = ToCp1250(QString::fromUtf8(s.Name));
        f.VatLetter = std::string(1, s.Ptu);
        f.Price = 200;
        f.Barcode = s.Barcode;
        f.Group = 1;
        f.Tandem = 0;
        f.FixedPrice = 1;
        f.WholeUnits = s.WholeUnits;
        f.Halo = 0;
        f.Unit = s.Unit;
        out.push_back(f);
    }
    return out;
}

int WriteSampleGoods()
{
    if (!GoodsImageReadable())
        return 0;
    int written = 0;
    for (const GoodsRecordFields& f : SampleGoods())
        if (WriteGoodsRecordToImage(f) == 0)
            ++written;
    return written;
}
