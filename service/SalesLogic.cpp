#include "service/SalesLogic.h"

#include "core/Helpers.h"
#include "platform/Cp1250.h"
#include "tables/QuickKeys.h"

#include <algorithm>
#include <cstring>

namespace {

std::string PadLeft(std::string s, std::size_t width)
{
    return s.size() < width ? std::string(width - s.size(), ' ') + s : s;
}

std::string Name(const uint8_t* r) { return BytesToString(r + 2, 42); }
// A PTU byte of 0 is no letter.
std::string Ptu(const uint8_t* r) { return r[44] ? std::string(1, char(r[44])) : std::string(); }
std::string Quantity(const uint8_t* r) { return FormatQuantity(RecordU32(r + 45)).toStdString(); }
std::string Value(const uint8_t* r) { return FormatHundredths(RecordU32(r + 49)); }

} // namespace

void SalesTable::Reset(unsigned capacity) { slots_.assign(std::size_t(capacity) * SalesRecordSize, 0); }

bool SalesTable::TakeFrame(const uint8_t* frame)
{
    const uint8_t* record = frame + 7;
    const unsigned plu = unsigned(record[0] | record[1] << 8);
    if (plu == 0 || plu > Capacity())
        return false;
    std::memcpy(slots_.data() + std::size_t(plu - 1) * SalesRecordSize, record, SalesRecordSize);
    return true;
}

const uint8_t* SalesTable::Record(unsigned plu) const
{
    if (plu == 0 || plu > Capacity())
        return nullptr;
    const uint8_t* r = slots_.data() + std::size_t(plu - 1) * SalesRecordSize;
    return (r[0] | r[1]) ? r : nullptr;
}

std::string SalesListLine(unsigned plu, const uint8_t* r)
{
    std::string line = PadLeft(std::to_string(plu) + ". ", 6) + Name(r);
    if (line.size() < 48)
        line.append(48 - line.size(), ' ');
    line += " " + (r[44] ? Ptu(r) : std::string(" ")) + " ";
    line += PadLeft(Quantity(r), 12) + "   " + PadLeft(Value(r), 12);
    return line;
}

std::string SalesCsvLine(unsigned plu, const uint8_t* r)
{
    return std::to_string(plu) + ";" + Name(r) + ";" + Ptu(r) + ";" + Quantity(r) + ";" + Value(r);
}

std::string SalesCsv(const SalesTable& table)
{
    std::string csv = ToCp1250(QStringLiteral("Numer;Nazwa;PTU;Ilość;Wartość;")) + "\n";
    for (unsigned plu = 1; plu <= table.Capacity(); ++plu)
        if (const uint8_t* r = table.Record(plu))
            csv += SalesCsvLine(plu, r) + "\n";
    return csv;
}
