// The sales download: any bytes as the data frames the register sent, each taken into the table
// by its PLU. Bytes 0-1 set the table's capacity; then 62-byte frames (the last one filled out
// with zeros, as the receive buffer holds them).
#include "service/SalesLogic.h"
#include "tests/fuzz/FuzzTargets.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The table's slots as a copy, read through its public face.
std::vector<uint8_t> Slots(const SalesTable& table)
{
    std::vector<uint8_t> copy(std::size_t(table.Capacity()) * SalesRecordSize);
    for (unsigned plu = 1; plu <= table.Capacity(); ++plu)
        if (const uint8_t* r = table.Record(plu))
            std::memcpy(copy.data() + std::size_t(plu - 1) * SalesRecordSize, r, SalesRecordSize);
    return copy;
}

} // namespace

bool FuzzSalesFrames(const uint8_t* data, std::size_t size)
{
    if (size < 2)
        return true;
    const unsigned capacity = unsigned(data[0] | data[1] << 8) % 1200;
    SalesTable table;
    table.Reset(capacity);
    for (std::size_t at = 2; at < size; at += SalesFrameLength) {
        // A frame of exactly its length, so that a read past it is a read outside its buffer.
        std::vector<uint8_t> frame(SalesFrameLength, 0);
        std::copy(data + at, data + std::min(size, at + SalesFrameLength), frame.begin());
        const unsigned plu = unsigned(frame[7] | frame[8] << 8);
        std::vector<uint8_t> wanted = Slots(table);
        const bool taken = table.TakeFrame(frame.data());
        if (taken != (plu >= 1 && plu <= capacity))
            return false;
        // A refused frame changes nothing; a taken one changes its own slot alone.
        if (taken)
            std::copy(frame.begin() + 7, frame.begin() + 7 + SalesRecordSize,
                      wanted.begin() + std::ptrdiff_t(plu - 1) * SalesRecordSize);
        if (Slots(table) != wanted)
            return false;
    }
    // Every stored record makes a list line and one line of the CSV file (name and PTU go in as
    // they stand, as in every CSV file of the program, so a line end inside them is one more).
    std::size_t lineEnds = 1;
    for (unsigned plu = 1; plu <= table.Capacity(); ++plu)
        if (const uint8_t* r = table.Record(plu)) {
            const uint8_t* name = r + 2;
            lineEnds += 1 + std::size_t(std::count(name, std::find(name, name + 42, 0), '\n')) + (r[44] == '\n');
            if (SalesListLine(plu, r).size() < 48)
                return false;
        }
    const std::string csv = SalesCsv(table);
    return std::size_t(std::count(csv.begin(), csv.end(), '\n')) == lineEnds;
}
