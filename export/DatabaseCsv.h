#pragma once
// The CSV files of seven database tables: their columns, the export of a table into one file in
// memory, and the import, which checks a whole file into a staged copy of the table's area and
// writes it in one go only when every line is good.
#include "core/MessageList.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

enum class CsvTable { Goods, Packagings, Cashiers, Groups, Discounts, PaymentForms, Currencies };
constexpr int CsvTableCount = 7;

enum class CsvKind {
    RecordNumber,  // field 0: u16 PLU of goods, the number byte of a small-table record
    Byte,          // 0..255
    Text,          // cut to its width
    ExactText,     // refused when longer than its width (cutting would make another code)
    Hundredths,    // u32 money with a comma before the last two digits
    Rate,          // u32 digits at Offset, the decimals byte after them
    VatLetter,     // one byte: the field's first character, 0 when empty
};

struct CsvColumn {
    const char* Title;   // UTF-8
    CsvKind Kind;
    uint32_t Offset;     // within the record
    uint32_t Width;      // bytes of a text
};

struct CsvTableFormat {
    CsvTable Table;
    const char* ComboItem;     // the window's list item
    const char* FileTitle;     // line 1
    const char* NameSuffix;    // of the default file name
    const char* ExportedText;  // Label5 after an export
    const char* ImportedText;  // Label2 after an import
    unsigned Slots;            // numbers 1..Slots a line may hold (goods: the larger model's count)
    std::vector<CsvColumn> Columns;
};

const CsvTableFormat& CsvFormat(CsvTable table);
// Where the table lies in the image and how big a record is (goods follow the model).
uint32_t CsvAreaOffset(CsvTable table);
uint32_t CsvRecordSize(CsvTable table);
// The slots exported and imported: goods above the register's MaxGoodsCount are left out.
unsigned CsvSlotCount(CsvTable table);

// ---- export ----

// The line of one used record (no LF), cp1250.
std::string CsvRecordLine(CsvTable table, const uint8_t* record);
// "Nazwa;Cena;..." (no LF), cp1250.
std::string CsvColumnTitleLine(CsvTable table);
// The whole file from the table's area as read from the image (CsvSlotCount records): the two
// title lines, then a line per used slot, each ending in LF.
std::string BuildCsvFile(CsvTable table, const std::vector<uint8_t>& area);
// Names the used records (up to CsvErrorsShown of them) whose texts hold ';', a control character
// (CR and LF among them) or a byte cp1250 leaves undefined: an import would refuse their lines.
// Also warns when the whole file would read as UTF-8. Empty when every line comes back whole.
QString CsvNotReadBackWarning(CsvTable table, const std::vector<uint8_t>& area);
// The table's area in one read; empty when the image is not usable.
std::vector<uint8_t> ReadCsvArea(CsvTable table);
// "Bez nazwy" -> "Bez nazwy_towary.csv"; a name with ".rkb" loses it before the suffix.
std::string DefaultCsvFileName(const std::string& databaseName, CsvTable table);
// The currency rate: digits left-padded with '0' to at least max(8, decimals + 1), a comma
// before the last `decimals` of them.
std::string CsvCurrencyRate(uint32_t rate, uint8_t decimals);

// ---- import ----

constexpr std::size_t CsvLineMax = 700;
constexpr int CsvErrorsShown = MessageListShown;
constexpr int CsvShownTextMax = 40;
// The largest register's goods make about 1 MB: a far larger file is no database of ours.
constexpr long long CsvFileMax = 16 * 1024 * 1024;

struct CsvLineError {
    int Line = 0;          // 1-based, as an editor counts
    QString Column;        // column title; empty for a fault of the whole line
    QString Reason;
};

struct CsvImportCheck {
    bool Recognised = false;
    QString Title;                  // the first field of line 1 as read
    CsvTable Table = CsvTable::Goods;
    std::vector<CsvLineError> Errors;
    int RecordLines = 0;            // data lines taken
    unsigned LeftOut = 0;           // good goods lines numbered above what the register holds
    std::vector<uint8_t> Staged;    // the table's area with every record line laid in
    std::map<int, QString> Unmapped;   // characters of a UTF-8 file cp1250 lacks, by line
};

// Reads the whole file: recognises its table by the title, checks every line and lays the
// records into a copy of the table's area read from the image. Writes nothing. The file is
// cp1250, the format's own code page, unless it starts with the UTF-8 byte-order mark, or all of
// it is valid UTF-8 and cp1250 holds more than half of its characters beyond ASCII (as
// spreadsheets save it): then it is converted, and a character cp1250 lacks makes its line bad.
// A control character or a byte cp1250 leaves undefined in a text field makes its line bad too.
CsvImportCheck CheckCsvImport(const std::string& file);
// Writes the staged area in one go and marks the database modified; false when the write failed.
// A file without record lines writes nothing.
bool ApplyCsvImport(const CsvImportCheck& check);
// The refusal text: the heading, up to CsvErrorsShown lines, then how many more.
QString CsvImportRefusal(const std::vector<CsvLineError>& errors);
// A text quoted in a message: its first CsvShownTextMax characters, then "..." when there are
// more, control characters as \xNN.
QString CsvShownText(const QString& text);

enum class CsvLineResult { Laid, LeftOut, Refused };

// The parser of one data line: lays the record of the line into the staged area, or adds the
// line's first fault. A good goods line above the register's count is left out. line is
// without its LF.
CsvLineResult ParseCsvLine(CsvTable table, std::vector<uint8_t>& staged, const std::string& line, int lineNumber,
                           std::vector<CsvLineError>& errors);
// The same for each table.
CsvLineResult ParseGoodsCsvLine(std::vector<uint8_t>& staged, const std::string& line, int lineNumber,
                                std::vector<CsvLineError>& errors);
CsvLineResult ParsePackagingCsvLine(std::vector<uint8_t>& staged, const std::string& line, int lineNumber,
                                    std::vector<CsvLineError>& errors);
CsvLineResult ParseCashierCsvLine(std::vector<uint8_t>& staged, const std::string& line, int lineNumber,
                                  std::vector<CsvLineError>& errors);
CsvLineResult ParseGroupCsvLine(std::vector<uint8_t>& staged, const std::string& line, int lineNumber,
                                std::vector<CsvLineError>& errors);
CsvLineResult ParseDiscountCsvLine(std::vector<uint8_t>& staged, const std::string& line, int lineNumber,
                                   std::vector<CsvLineError>& errors);
CsvLineResult ParsePaymentFormCsvLine(std::vector<uint8_t>& staged, const std::string& line, int lineNumber,
                                      std::vector<CsvLineError>& errors);
CsvLineResult ParseCurrencyCsvLine(std::vector<uint8_t>& staged, const std::string& line, int lineNumber,
                                   std::vector<CsvLineError>& errors);

// The readers of each table: every data line of file from dataStart (after the two title
// lines) into check's staged area, or its faults into check's errors.
void ReadGoodsCsv(const std::string& file, std::size_t dataStart, CsvImportCheck& check);
void ReadPackagingsCsv(const std::string& file, std::size_t dataStart, CsvImportCheck& check);
void ReadCashiersCsv(const std::string& file, std::size_t dataStart, CsvImportCheck& check);
void ReadGroupsCsv(const std::string& file, std::size_t dataStart, CsvImportCheck& check);
void ReadDiscountsCsv(const std::string& file, std::size_t dataStart, CsvImportCheck& check);
void ReadPaymentFormsCsv(const std::string& file, std::size_t dataStart, CsvImportCheck& check);
void ReadCurrenciesCsv(const std::string& file, std::size_t dataStart, CsvImportCheck& check);
