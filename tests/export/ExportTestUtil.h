#pragma once
// The common includes, records and files for the export tests.
#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "platform/Cp1250.h"
#include "tests/core/CoreTestUtil.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"
#include "tests/tables/QtPrinting.h"

#include <QImage>
#include <QLabel>
#include <QString>
#include <cstring>
#include <gtest/gtest.h>
#include <initializer_list>

inline std::string Cp(const char* utf8) { return ToCp1250(QString::fromUtf8(utf8)); }

// Record bytes: text fields (cp1250, NUL-padded to w), u32 values, single bytes.
inline std::vector<uint8_t> Field(const char* utf8, std::size_t w)
{
    const std::string b = Cp(utf8);
    std::vector<uint8_t> out(w, 0);
    std::memcpy(out.data(), b.data(), std::min(b.size(), w));
    return out;
}

inline std::vector<uint8_t> U32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }

// A small-table record n: its number, then the parts from byte 1, the rest zero.
inline void StoreSmall(uint32_t table, uint32_t size, uint8_t n, std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> r{n};
    for (const auto& p : parts)
        r.insert(r.end(), p.begin(), p.end());
    r.resize(size, 0);
    DbWriteBytesAt(table + (n - 1u) * size, r.data(), r.size());
}

inline void StoreGoods(uint16_t plu, const char* name, uint32_t price, const char* vat, const char* barcode,
                       uint8_t group = 1, uint8_t unit = 3)
{
    GoodsRecordFields f{plu, Cp(name), vat, price, barcode, group, 2, 1, 0, 9, unit};
    WriteGoodsRecordToImage(f);
}

// A white page at 600 dpi.
inline QImage Page600(int width, int height)
{
    QImage page(width, height, QImage::Format_RGB32);
    page.setDotsPerMeterX(23622);
    page.setDotsPerMeterY(23622);
    page.fill(Qt::white);
    return page;
}
