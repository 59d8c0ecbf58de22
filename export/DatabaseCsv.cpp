#include "export/DatabaseCsv.h"

#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "core/Helpers.h"
#include "platform/Cp1250.h"
#include "tables/GoodsLogic.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <string_view>

namespace {

using K = CsvKind;

const CsvTableFormat Formats[CsvTableCount] = {
    {CsvTable::Goods, "Baza towarowa", "Towary", "_towary", "Wyeksportowano bazę towarów",
     "Zaimportowano bazę towarów", DefaultMaxGoodsCount,
     {{"Numer", K::RecordNumber, GoodsField::Plu, 2},
      {"Nazwa", K::Text, GoodsField::Name, GoodsField::NameSize},
      {"Cena", K::Hundredths, GoodsField::Price, 4},
      {"PTU", K::VatLetter, GoodsField::Vat, 1},
      {"Kod", K::ExactText, GoodsField::Barcode, GoodsField::BarcodeSize},
      {"Numer grupy", K::Byte, GoodsField::Group, 1},
      {"Numer opakowania", K::Byte, GoodsField::Tandem, 1},
      {"Cena sztywna", K::Byte, GoodsField::FixedPrice, 1},
      {"Sprzedaz na sztuki", K::Byte, GoodsField::WholeUnits, 1},
      {"Indeks HALO", K::Byte, GoodsField::Halo, 1}}},
    {CsvTable::Packagings, "Baza opakowań", "Opakowania", "_opakowania", "Wyeksportowano bazę opakowań",
     "Zaimportowano bazę opakowań", 20,
     {{"Numer", K::RecordNumber, 0, 1},
      {"Nazwa", K::Text, 1, 42},
      {"Cena", K::Hundredths, 43, 4},
      {"Cena sztywna", K::Byte, 47, 1}}},
    {CsvTable::Cashiers, "Baza kasjerów", "Kasjerzy", "_kasjerzy", "Wyeksportowano bazę kasjerów",
     "Zaimportowano bazę kasjerów", 10,
     {{"Numer", K::RecordNumber, 0, 1},
      {"Nazwa", K::Text, 1, 21},
      {"Hasło", K::ExactText, 22, 4},
      {"Rap. niezerujące", K::Byte, 26, 1},
      {"Rap. zerujące", K::Byte, 27, 1},
      {"Rab. z ręki", K::Byte, 28, 1},
      {"Rab. z bazy", K::Byte, 29, 1},
      {"Anul. parag.", K::Byte, 30, 1},
      {"Storno", K::Byte, 31, 1},
      {"Wpłaty/wypłaty", K::Byte, 32, 1}}},
    {CsvTable::Groups, "Baza grup towarowych", "Grupy", "_grupy", "Wyeksportowano bazę grup towarowych",
     "Zaimportowano bazę grup towarowych", 20,
     {{"Numer", K::RecordNumber, 0, 1}, {"Nazwa", K::Text, 1, 21}}},
    {CsvTable::Discounts, "Baza rabatów/natzutów", "Rabaty i narzuty", "_rabaty", "Wyeksportowano bazę rabatów/narzutów",
     "Zaimportowano bazę rabatów", 20,
     {{"Numer", K::RecordNumber, 0, 1},
      {"Nazwa", K::Text, 1, 21},
      {"Rodzaj 0-R 1-N", K::Byte, 22, 1},
      {"Typ 0-proc. 1-kwot.", K::Byte, 23, 1},
      {"Wartość (x100)", K::Hundredths, 24, 4}}},
    {CsvTable::PaymentForms, "Baza form płatności", "Formy płatności", "_formy_plat",
     "Wyeksportowano bazę form płatności", "Zaimportowano bazę form płatności", 10,
     {{"Numer", K::RecordNumber, 0, 1}, {"Nazwa", K::Text, 1, 21}, {"Typ", K::Byte, 22, 1}}},
    {CsvTable::Currencies, "Baza walut obcych", "Waluty", "_waluty", "Wyeksportowano bazę walut",
     "Zaimportowano bazę walut", 10,
     {{"Numer", K::RecordNumber, 0, 1},
      {"Nazwa", K::Text, 1, 21},
      {"Kurs", K::Rate, 22, 4},
      {"Symbol", K::ExactText, 27, 3}}},
};

std::string Cp(const char* utf8) { return ToCp1250(QString::fromUtf8(utf8)); }

void PutU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

bool RecordUsed(CsvTable table, const uint8_t* record)
{
    return table == CsvTable::Goods ? (record[0] != 0 || record[1] != 0) : record[0] != 0;
}

std::string_view TrimmedView(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// Fields of a line split once at every ';'.
std::vector<std::string_view> SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t sep = line.find(';', start);
        if (sep == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, sep - start));
        start = sep + 1;
    }
}

bool BlankLine(std::string_view line)
{
    return line.find_first_not_of("; \t\r") == std::string_view::npos;
}

QString Shown(std::string_view text) { return CsvShownText(FromCp1250(std::string(text))); }

QString NotInteger(std::string_view text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(Shown(text));
}

QString NotFloat(std::string_view text)
{
    return QStringLiteral("'%1' is not a valid floating point value").arg(Shown(text));
}

// A byte no text takes from a file: a control character, or one of the bytes cp1250 leaves
// undefined, which the codec maps to the C1 control of the same value.
bool RefusedTextByte(unsigned char b) { return QChar(Cp1250ToUnicode(b)).category() == QChar::Other_Control; }

// Why a text field cannot go into a record: its control characters and undefined bytes, each
// named once; empty when it can.
QString TextFault(std::string_view text)
{
    QStringList controls, undefined;
    for (const unsigned char b : text) {
        if (!RefusedTextByte(b))
            continue;
        const QString code = QStringLiteral("\\x%1").arg(uint(b), 2, 16, QLatin1Char('0'));
        QStringList& found = b < 0x80 ? controls : undefined;
        if (!found.contains(code))
            found << code;
    }
    QStringList parts;
    if (!controls.isEmpty())
        parts << QStringLiteral("znaki sterujące: ") + controls.join(QLatin1Char(' '));
    if (!undefined.isEmpty())
        parts << QStringLiteral("bajty spoza strony kodowej 1250: ") + undefined.join(QLatin1Char(' '));
    return parts.join(QStringLiteral(", "));
}

// One field converted: the number of number kinds, the bytes of texts.
struct FieldValue {
    unsigned long long Number = 0;
    std::string Text;
    uint8_t Decimals = 0;
};

// Converts field text of column c; an empty reason when it converted.
QString ConvertField(const CsvColumn& c, std::string_view text, unsigned highestNumber, FieldValue& v)
{
    if (c.Kind == K::Text || c.Kind == K::ExactText || c.Kind == K::VatLetter)
        if (QString fault = TextFault(text); !fault.isEmpty())
            return fault;
    switch (c.Kind) {
    case K::RecordNumber:
    case K::Byte: {
        long long n = 0;
        if (!ParseSigned(std::string(text), n))
            return NotInteger(text);
        const long long low = c.Kind == K::Byte ? 0 : 1;
        const long long high = c.Kind == K::Byte ? 255 : (long long)highestNumber;
        if (n < low || n > high)
            return QStringLiteral("liczba spoza zakresu %1-%2").arg(low).arg(high);
        v.Number = (unsigned long long)n;
        return {};
    }
    case K::Text:
        v.Text = std::string(text.substr(0, c.Width));
        return {};
    case K::ExactText:
        if (text.size() > c.Width)
            return QStringLiteral("tekst dłuższy niż %1 znaków").arg(c.Width);
        v.Text = std::string(text);
        return {};
    case K::VatLetter:
        v.Text = std::string(text.substr(0, 1));
        return {};
    case K::Hundredths: {
        long long h = 0;
        if (!ParseHundredths(std::string(text), h, HundredthsSyntax::CommaRounded))
            return NotFloat(text);
        if (h < 0 || h > (long long)std::numeric_limits<uint32_t>::max())
            return QStringLiteral("kwota spoza zakresu 0,00-42949672,95");
        v.Number = (unsigned long long)h;
        return {};
    }
    case K::Rate: {
        std::string digits(TrimmedView(text));
        std::size_t decimals = 0;
        if (const auto comma = digits.find(','); comma != std::string::npos) {
            decimals = digits.size() - comma - 1;
            digits.erase(comma, 1);
        }
        unsigned long long rate = 0;
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
            return NotInteger(text);
        if (!ParseUnsigned(digits, rate) || rate > std::numeric_limits<uint32_t>::max())
            return QStringLiteral("kurs większy niż 4294967295");
        if (decimals > 255)
            return QStringLiteral("więcej niż 255 miejsc po przecinku");
        v.Number = rate;
        v.Decimals = uint8_t(decimals);
        return {};
    }
    }
    return {};
}

// Lays converted fields into a small-table record: every byte is set.
void LaySmallRecord(const CsvTableFormat& format, const std::vector<FieldValue>& values, uint8_t* record, uint32_t size)
{
    std::memset(record, 0, size);
    for (std::size_t i = 0; i < format.Columns.size(); ++i) {
        const CsvColumn& c = format.Columns[i];
        const FieldValue& v = values[i];
        switch (c.Kind) {
        case K::RecordNumber:
        case K::Byte: record[c.Offset] = uint8_t(v.Number); break;
        case K::Text:
        case K::ExactText:
        case K::VatLetter: std::memcpy(record + c.Offset, v.Text.data(), std::min<std::size_t>(v.Text.size(), c.Width)); break;
        case K::Hundredths: PutU32(record + c.Offset, uint32_t(v.Number)); break;
        case K::Rate:
            PutU32(record + c.Offset, uint32_t(v.Number));
            record[c.Offset + 4] = v.Decimals;
            break;
        }
    }
}

// Goods go through the one goods record layout; the unit (not in the file) stays the slot's.
void LayGoodsRecord(const std::vector<FieldValue>& v, uint8_t* slot)
{
    GoodsRecordFields f;
    f.Plu = uint16_t(v[0].Number);
    f.Name = v[1].Text;
    f.Price = uint32_t(v[2].Number);
    f.VatLetter = v[3].Text;
    f.Barcode = v[4].Text;
    f.Group = uint8_t(v[5].Number);
    f.Tandem = uint8_t(v[6].Number);
    f.FixedPrice = uint8_t(v[7].Number);
    f.WholeUnits = uint8_t(v[8].Number);
    f.Halo = uint8_t(v[9].Number);
    f.Unit = slot[GoodsField::Unit];
    uint8_t record[GoodsField::WrittenSize];
    LayOutGoodsRecord(f, record);
    std::memcpy(slot, record, sizeof record);
}

// UTF-8 when the byte-order mark says so, or when the whole file is valid UTF-8 and cp1250 has a
// place for more than half of its characters beyond ASCII, as in a spreadsheet's Polish text;
// the lines with the others are then refused. cp1250 texts that happen to be valid UTF-8 ("ĘŚ"
// is CA 8C) decode mostly to characters cp1250 lacks, so the program's own files stay cp1250.
bool Utf8File(const std::string& file)
{
    if (file.rfind("\xEF\xBB\xBF", 0) == 0)
        return true;
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder(QByteArrayView(file.data(), qsizetype(file.size())));
    if (decoder.hasError())
        return false;
    qsizetype beyondAscii = 0, placed = 0;
    for (const QChar c : text) {
        if (c.unicode() < 0x80 || c.isLowSurrogate())   // a pair is one character
            continue;
        ++beyondAscii;
        const int code = UnicodeToCp1250(c.unicode());
        placed += code >= 0 && !RefusedTextByte(uint8_t(code));
    }
    return 2 * placed > beyondAscii;
}

// The file in cp1250; characters the code page has no place for are collected per line (1-based).
std::string Utf8ToCp1250(const std::string& file, std::map<int, QString>& unmapped)
{
    const QString text = QString::fromUtf8(file.data(), qsizetype(file.size()));
    std::string out;
    out.reserve(file.size());
    int line = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (i == 0 && c == QChar(0xFEFF))
            continue;
        if (c == u'\n')
            ++line;
        const int code = UnicodeToCp1250(c.unicode());
        if (code >= 0) {
            out.push_back(char(code));
            continue;
        }
        unmapped[line] += c;
        out.push_back('?');
    }
    return out;
}

} // namespace

const CsvTableFormat& CsvFormat(CsvTable table) { return Formats[int(table)]; }

uint32_t CsvAreaOffset(CsvTable table)
{
    switch (table) {
    case CsvTable::Goods: return GoodsTableOffset;
    case CsvTable::Packagings: return TableOffsets.PackagingTable;
    case CsvTable::Cashiers: return TableOffsets.CashierTable;
    case CsvTable::Groups: return TableOffsets.GoodsGroupTable;
    case CsvTable::Discounts: return TableOffsets.DiscountTable;
    case CsvTable::PaymentForms: return TableOffsets.PaymentFormTable;
    case CsvTable::Currencies: return TableOffsets.CurrencyTable;
    }
    return 0;
}

uint32_t CsvRecordSize(CsvTable table)
{
    switch (table) {
    case CsvTable::Goods: return App.GoodsRecordSize;
    case CsvTable::Packagings: return PackagingRecordSize;
    case CsvTable::Cashiers: return CashierRecordSize;
    case CsvTable::Groups: return GoodsGroupRecordSize;
    case CsvTable::Discounts: return DiscountRecordSize;
    case CsvTable::PaymentForms: return PaymentFormRecordSize;
    case CsvTable::Currencies: return CurrencyRecordSize;
    }
    return 0;
}

unsigned CsvSlotCount(CsvTable table)
{
    return table == CsvTable::Goods ? App.MaxGoodsCount : CsvFormat(table).Slots;
}

std::string CsvCurrencyRate(uint32_t rate, uint8_t decimals)
{
    std::string digits = std::to_string(rate);
    const std::size_t width = std::max<std::size_t>(8, std::size_t(decimals) + 1);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    if (decimals > 0)
        digits.insert(digits.size() - decimals, 1, ',');
    return digits;
}

std::string CsvRecordLine(CsvTable table, const uint8_t* record)
{
    std::string line;
    const CsvTableFormat& format = CsvFormat(table);
    for (std::size_t i = 0; i < format.Columns.size(); ++i) {
        const CsvColumn& c = format.Columns[i];
        if (i > 0)
            line += ';';
        switch (c.Kind) {
        case K::RecordNumber:
            line += std::to_string(c.Width == 2 ? unsigned(record[0] | (record[1] << 8)) : unsigned(record[0]));
            break;
        case K::Byte: line += std::to_string(unsigned(record[c.Offset])); break;
        case K::Text:
        case K::ExactText:
        case K::VatLetter: line += BytesToString(record + c.Offset, c.Width); break;
        case K::Hundredths: line += FormatHundredths(RecordU32(record + c.Offset)); break;
        case K::Rate: line += CsvCurrencyRate(RecordU32(record + c.Offset), record[c.Offset + 4]); break;
        }
    }
    return line;
}

std::string CsvColumnTitleLine(CsvTable table)
{
    std::string line;
    for (const CsvColumn& c : CsvFormat(table).Columns) {
        if (!line.empty())
            line += ';';
        line += Cp(c.Title);
    }
    return line;
}

std::string BuildCsvFile(CsvTable table, const std::vector<uint8_t>& area)
{
    std::string file = Cp(CsvFormat(table).FileTitle) + '\n' + CsvColumnTitleLine(table) + '\n';
    const std::size_t size = CsvRecordSize(table);
    for (std::size_t at = 0; at + size <= area.size(); at += size)
        if (RecordUsed(table, area.data() + at))
            file += CsvRecordLine(table, area.data() + at) + '\n';
    return file;
}

QString CsvNotReadBackWarning(CsvTable table, const std::vector<uint8_t>& area)
{
    QStringList numbers;
    qsizetype refused = 0;
    const std::size_t size = CsvRecordSize(table);
    const std::size_t separators = CsvFormat(table).Columns.size() - 1;
    for (std::size_t at = 0; at + size <= area.size(); at += size) {
        if (!RecordUsed(table, area.data() + at))
            continue;
        const std::string line = CsvRecordLine(table, area.data() + at);
        if (std::size_t(std::count(line.begin(), line.end(), ';')) == separators &&
            std::none_of(line.begin(), line.end(), [](char b) { return RefusedTextByte(uint8_t(b)); }))
            continue;
        if (numbers.size() < CsvErrorsShown)
            numbers << QString::fromStdString(line.substr(0, line.find(';')));
        ++refused;
    }
    QStringList warnings;
    if (!numbers.isEmpty()) {
        QString listed = numbers.join(QStringLiteral(", "));
        if (refused > numbers.size())
            listed += QStringLiteral(" (i jeszcze %1)").arg(refused - numbers.size());
        warnings << QStringLiteral("Teksty rekordów o numerach %1 zawierają znak ';', znak sterujący (np. koniec "
                                   "wiersza) lub bajt spoza strony kodowej 1250. Import tego pliku ich nie przyjmie.")
                        .arg(listed);
    }
    if (Utf8File(BuildCsvFile(table, area)))
        warnings << QStringLiteral("Cały plik jest zarazem poprawnym tekstem UTF-8: import odczyta go jako UTF-8 "
                                   "i jego teksty wrócą zmienione.");
    return warnings.join(QLatin1Char('\n'));
}

std::vector<uint8_t> ReadCsvArea(CsvTable table)
{
    if (!GoodsImageReadable())
        return {};
    std::vector<uint8_t> area(std::size_t(CsvSlotCount(table)) * CsvRecordSize(table));
    DbReadBytesAt(CsvAreaOffset(table), area.data(), area.size());
    return area;
}

std::string DefaultCsvFileName(const std::string& databaseName, CsvTable table)
{
    std::string name = databaseName;
    if (name.find("rkb") != std::string::npos)
        if (const auto dot = name.find(".rkb"); dot != std::string::npos)
            name.erase(dot, 4);
    return name + CsvFormat(table).NameSuffix + ".csv";
}

// ---- import ----

CsvLineResult ParseCsvLine(CsvTable table, std::vector<uint8_t>& staged, const std::string& line, int lineNumber,
                           std::vector<CsvLineError>& errors)
{
    const CsvTableFormat& format = CsvFormat(table);
    const std::vector<std::string_view> fields = SplitFields(line);
    std::vector<FieldValue> values(format.Columns.size());
    // The first fault of a line is named: the rest of a broken line says little more.
    for (std::size_t i = 0; i < format.Columns.size(); ++i) {
        const std::string_view text = i < fields.size() ? fields[i] : std::string_view();
        const QString reason = ConvertField(format.Columns[i], text, format.Slots, values[i]);
        if (!reason.isEmpty()) {
            errors.push_back({lineNumber, QString::fromUtf8(format.Columns[i].Title), reason});
            return CsvLineResult::Refused;
        }
    }
    for (std::size_t i = format.Columns.size(); i < fields.size(); ++i)
        if (!TrimmedView(fields[i]).empty()) {
            errors.push_back({lineNumber, {},
                              QStringLiteral("więcej pól niż kolumn (%1), czy nazwa nie zawiera znaku ';'?")
                                  .arg(format.Columns.size())});
            return CsvLineResult::Refused;
        }
    // Goods of the larger model's file that a smaller register cannot hold.
    if (values[0].Number > CsvSlotCount(table))
        return CsvLineResult::LeftOut;
    const uint32_t size = CsvRecordSize(table);
    uint8_t* slot = staged.data() + std::size_t(values[0].Number - 1) * size;
    if (table == CsvTable::Goods)
        LayGoodsRecord(values, slot);
    else
        LaySmallRecord(format, values, slot, size);
    return CsvLineResult::Laid;
}

namespace {

// The line from pos without its LF (and a CR before it); pos moves past it. False at the end.
bool NextLine(const std::string& file, std::size_t& pos, std::string_view& line)
{
    if (pos >= file.size())
        return false;
    std::size_t end = file.find('\n', pos);
    if (end == std::string::npos)
        end = file.size();
    line = std::string_view(file).substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    pos = end + 1;
    return true;
}

using CsvLineParser = CsvLineResult (*)(std::vector<uint8_t>&, const std::string&, int, std::vector<CsvLineError>&);

void ReadRecords(const std::string& file, std::size_t pos, CsvImportCheck& check, CsvLineParser parse)
{
    std::string_view line;
    for (int number = 3; NextLine(file, pos, line); ++number) {
        if (line.size() > CsvLineMax) {
            check.Errors.push_back({number, {}, QStringLiteral("wiersz dłuższy niż %1 znaków").arg(CsvLineMax)});
            continue;
        }
        if (BlankLine(line))
            continue;
        if (const auto bad = check.Unmapped.find(number); bad != check.Unmapped.end()) {
            check.Errors.push_back({number, {}, QStringLiteral("znaki spoza strony kodowej 1250: ") + CsvShownText(bad->second)});
            continue;
        }
        if (parse(check.Staged, std::string(line), number, check.Errors) == CsvLineResult::LeftOut)
            ++check.LeftOut;
        else
            ++check.RecordLines;
    }
}

} // namespace

#define RIVO_CSV_TABLE(Reader, Parser, table)                                                                     \
    CsvLineResult Parser(std::vector<uint8_t>& staged, const std::string& line, int number,                        \
                         std::vector<CsvLineError>& e)                                                             \
    {                                                                                                              \
        return ParseCsvLine(table, staged, line, number, e);                                                       \
    }                                                                                                              \
    void Reader(const std::string& file, std::size_t dataStart, CsvImportCheck& check)                            \
    {                                                                                                              \
        ReadRecords(file, dataStart, check, Parser);                                                               \
    }
RIVO_CSV_TABLE(ReadGoodsCsv, ParseGoodsCsvLine, CsvTable::Goods)
RIVO_CSV_TABLE(ReadPackagingsCsv, ParsePackagingCsvLine, CsvTable::Packagings)
RIVO_CSV_TABLE(ReadCashiersCsv, ParseCashierCsvLine, CsvTable::Cashiers)
RIVO_CSV_TABLE(ReadGroupsCsv, ParseGroupCsvLine, CsvTable::Groups)
RIVO_CSV_TABLE(ReadDiscountsCsv, ParseDiscountCsvLine, CsvTable::Discounts)
RIVO_CSV_TABLE(ReadPaymentFormsCsv, ParsePaymentFormCsvLine, CsvTable::PaymentForms)
RIVO_CSV_TABLE(ReadCurrenciesCsv, ParseCurrencyCsvLine, CsvTable::Currencies)
#undef RIVO_CSV_TABLE

CsvImportCheck CheckCsvImport(const std::string& bytes)
{
    CsvImportCheck check;
    const std::string file = Utf8File(bytes) ? Utf8ToCp1250(bytes, check.Unmapped) : bytes;
    std::size_t pos = 0;
    std::string_view line;
    NextLine(file, pos, line);
    const std::string_view title = line.substr(0, std::min<std::size_t>(line.find(';'), 42));
    check.Title = FromCp1250(std::string(title));
    const QString wanted = check.Title.toUpper();
    for (int t = 0; t < CsvTableCount; ++t)
        if (wanted == QString::fromUtf8(Formats[t].FileTitle).toUpper()) {
            check.Recognised = true;
            check.Table = CsvTable(t);
        }
    if (!check.Recognised)
        return check;
    check.Staged = ReadCsvArea(check.Table);
    if (check.Staged.empty())
        return check;
    NextLine(file, pos, line);  // the column titles
    using Reader = void (*)(const std::string&, std::size_t, CsvImportCheck&);
    static const Reader readers[CsvTableCount] = {ReadGoodsCsv,    ReadPackagingsCsv,   ReadCashiersCsv,  ReadGroupsCsv,
                                                  ReadDiscountsCsv, ReadPaymentFormsCsv, ReadCurrenciesCsv};
    readers[int(check.Table)](file, pos, check);
    return check;
}

bool ApplyCsvImport(const CsvImportCheck& check)
{
    if (!check.Recognised || !check.Errors.empty() || check.Staged.empty())
        return false;
    if (check.RecordLines == 0)
        return true;
    DbWriteBytesAt(CsvAreaOffset(check.Table), check.Staged.data(), check.Staged.size());
    if (!DatabaseImage.Usable())
        return false;
    MarkDatabaseModified();
    return true;
}

QString CsvImportRefusal(const std::vector<CsvLineError>& errors)
{
    const QString heading = QStringLiteral("Plik zawiera błędy, nic nie zaimportowano.");
    return ListedInMessage(heading, errors.size(), [&errors](std::size_t i) {
        const CsvLineError& e = errors[i];
        QString line = QStringLiteral("Wiersz %1").arg(e.Line);
        if (!e.Column.isEmpty())
            line += QStringLiteral(", kolumna \"%1\"").arg(e.Column);
        return line + QStringLiteral(": ") + e.Reason;
    });
}

QString CsvShownText(const QString& text)
{
    QString shown;
    for (const QChar c : text.left(CsvShownTextMax))
        shown += c.category() == QChar::Other_Control ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                                                      : QString(c);
    return text.size() > CsvShownTextMax ? shown + QStringLiteral("...") : shown;
}
