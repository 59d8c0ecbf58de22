#pragma once
// The downloaded sales: the table of records by PLU, and its list and CSV lines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// SalesRecord: [0-1] PLU, [2-43] name, [44] PTU letter, [45-48] quantity in ten-thousandths,
// [49-52] value in grosze; the payload of a 62-byte frame from byte 7.
constexpr std::size_t SalesRecordSize = 53;
constexpr std::size_t SalesFrameLength = 62;

class SalesTable {
public:
    // Empties the table and sizes it to capacity slots (the goods capacity).
    void Reset(unsigned capacity);
    // Stores the record of a data frame in the slot of its PLU; false (nothing stored) when the
    // PLU is 0 or beyond the table.
    bool TakeFrame(const uint8_t* frame);
    unsigned Capacity() const { return unsigned(slots_.size() / SalesRecordSize); }
    // The record in slot plu (1-based); nullptr when that slot is empty or not there.
    const uint8_t* Record(unsigned plu) const;

private:
    std::vector<uint8_t> slots_;
};

// One list line: "   17. name..." to 48 characters, PTU, quantity and value right-aligned (cp1250).
std::string SalesListLine(unsigned plu, const uint8_t* record);
// One CSV line without its end: number;name;PTU;quantity;value (cp1250).
std::string SalesCsvLine(unsigned plu, const uint8_t* record);
// The whole CSV file: the title line, then one line per stored record, each ended by LF.
std::string SalesCsv(const SalesTable& table);
