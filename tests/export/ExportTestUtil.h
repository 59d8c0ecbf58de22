#pragma once
// Records and files for the export tests.
#include "core/DatabaseImage.h"
#include "platform/Cp1250.h"

#include <QString>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

inline std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteWhole(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::vector<uint8_t> ImageBytes()
{
    std::vector<uint8_t> bytes(ImageSize);
    DbReadBytesAt(0, bytes.data(), bytes.size());
    return bytes;
}

// A small-table record: number, then the given bytes from offset 1, the rest zero.
inline void StoreSmall(uint32_t table, uint32_t size, uint8_t number, const std::vector<uint8_t>& from1)
{
    std::vector<uint8_t> r(size, 0);
    r[0] = number;
    std::memcpy(r.data() + 1, from1.data(), std::min<std::size_t>(from1.size(), size - 1));
    DbWriteBytesAt(table + (number - 1u) * size, r.data(), r.size());
}

// Bytes of a text field of width w (cp1250, NUL-padded).
inline std::vector<uint8_t> Field(const QString& text, std::size_t w)
{
    const std::string b = ToCp1250(text);
    std::vector<uint8_t> out(w, 0);
    std::memcpy(out.data(), b.data(), std::min(b.size(), w));
    return out;
}

inline std::vector<uint8_t> U32(uint32_t v)
{
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

inline std::vector<uint8_t> Cat(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline void StoreGoods(uint16_t plu, const QString& name, uint32_t price, const char* vat, const char* barcode,
                       uint8_t group = 1, uint8_t unit = 3)
{
    GoodsRecordFields f;
    f.Plu = plu;
    f.Name = ToCp1250(name);
    f.Price = price;
    f.VatLetter = vat;
    f.Barcode = barcode;
    f.Group = group;
    f.Tandem = 2;
    f.FixedPrice = 1;
    f.WholeUnits = 0;
    f.Halo = 9;
    f.Unit = unit;
    WriteGoodsRecordToImage(f);
}
