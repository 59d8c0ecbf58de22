// Code 128 checked against the standard: a decoder holding ISO/IEC 15417's table as bar and
// space widths reads the module strings and a painted sheet back to text.
#include "core/DatabaseImage.h"
#include "export/BarcodeSheet.h"
#include "export/Code128.h"
#include "tests/export/ExportTestUtil.h"
#include "tests/support/TestEnvironment.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <random>

namespace {

// Widths of bar, space, bar, space, bar, space for values 0..105 (ISO/IEC 15417, table 1).
const char* const IsoWidths[106] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232"};
const char* const IsoStop = "2331112";

struct Decoded {
    std::vector<int> Values;   // start, data, without check
    std::string Text;
    std::string Fault;
};

// Decodes element widths (bar first, quiet zones removed) to values and text.
Decoded DecodeWidths(const std::vector<int>& widths)
{
    Decoded d;
    if (widths.size() < 6 * 3 + 7 || (widths.size() - 7) % 6 != 0) {
        d.Fault = "bad element count " + std::to_string(widths.size());
        return d;
    }
    std::string stop;
    for (std::size_t i = widths.size() - 7; i < widths.size(); ++i)
        stop += char('0' + widths[i]);
    if (stop != IsoStop)
        d.Fault = "no stop";
    std::vector<int> all;
    for (std::size_t s = 0; s + 7 < widths.size(); s += 6) {
        std::string key;
        for (std::size_t i = 0; i < 6; ++i)
            key += char('0' + widths[s + i]);
        int v = -1;
        for (int k = 0; k < 106; ++k)
            if (key == IsoWidths[k])
                v = k;
        if (v < 0) {
            d.Fault = "unknown symbol " + key;
            return d;
        }
        all.push_back(v);
    }
    const int check = all.back();
    all.pop_back();
    long sum = all[0];
    for (std::size_t i = 1; i < all.size(); ++i)
        sum += long(i) * all[i];
    if (sum % 103 != check)
        d.Fault = "bad check";
    d.Values = all;
    int set = all[0];
    if (set < 103)
        d.Fault = "no start";
    for (std::size_t i = 1; i < all.size(); ++i) {
        const int v = all[i];
        int use = set;
        if (v == 98 && set != 105 && i + 1 < all.size()) {
            use = set == 103 ? 104 : 103;
            ++i;
            const int c = all[i];
            d.Text += char(use == 103 ? (c < 64 ? c + 32 : c - 64) : c + 32);
            continue;
        }
        if (set == 105 && v < 100) {
            d.Text += char('0' + v / 10);
            d.Text += char('0' + v % 10);
        } else if (v == 99 && set != 105) {
            set = 105;
        } else if (v == 100 && set != 104) {
            set = 104;
        } else if (v == 101 && set != 103) {
            set = 103;
        } else if (set == 103 && v < 96) {
            d.Text += char(v < 64 ? v + 32 : v - 64);
        } else if (set == 104 && v < 96) {
            d.Text += char(v + 32);
        } else {
            d.Fault = "value " + std::to_string(v) + " in set " + std::to_string(set);
        }
        (void)use;
    }
    return d;
}

// Runs of equal modules, leading and trailing spaces dropped, each run in units of `unit`.
std::vector<int> Runs(const std::vector<bool>& modules, int unit)
{
    std::vector<int> widths;
    std::size_t i = 0;
    while (i < modules.size() && !modules[i])
        ++i;
    std::size_t end = modules.size();
    while (end > i && !modules[end - 1])
        --end;
    while (i < end) {
        std::size_t j = i;
        while (j < end && modules[j] == modules[i])
            ++j;
        widths.push_back(int(j - i + unit / 2) / unit);
        i = j;
    }
    return widths;
}

Decoded DecodeModules(const std::string& modules)
{
    std::vector<bool> bits;
    for (char c : modules)
        bits.push_back(c == '1');
    return DecodeWidths(Runs(bits, 1));
}

std::vector<int> Encode(const std::string& text)
{
    std::vector<int> v;
    EncodeCode128Values(text, v);
    return v;
}

} // namespace

TEST(Code128, KnownSymbols)
{
    struct Case {
        const char* Text;
        std::vector<int> Values;
        int Check;
    };
    const Case cases[] = {
        {"ABC", {104, 33, 34, 35}, 1},
        {"PJJ123C", {104, 48, 42, 42, 17, 18, 19, 35}, 55},
        {"12345", {105, 12, 34, 100, 21}, 54},
        {"0000005907788", {105, 0, 0, 0, 59, 7, 78, 100, 24}, 88},
        {"A123456", {104, 33, 99, 12, 34, 56}, 66},
        {"AB12345", {104, 33, 34, 17, 18, 19, 20, 21}, -1},        // an odd run of 5 stays in B
        {"AB1234567", {104, 33, 34, 17, 99, 23, 45, 67}, -1},      // 7: one digit in B, then C
    };
    for (const Case& c : cases) {
        const std::vector<int> v = Encode(c.Text);
        EXPECT_EQ(v, c.Values) << c.Text;
        if (c.Check >= 0) {
            EXPECT_EQ(Code128CheckValue(v), c.Check) << c.Text;
        }
    }
    EXPECT_EQ(Code128ModuleWidth(8), 1);   // the 13-digit code: M = 143
    EXPECT_EQ(Code128ModuleWidth(4), 2);
    EXPECT_EQ(Code128ModuleWidth(21), 0);  // 286 modules do not fit
}

TEST(Code128, ControlAndLowerCaseCharactersStayValid)
{
    // A control character in B and a lower-case one in A go under SHIFT, also at the start.
    EXPECT_EQ(Encode(std::string("a\x01") + "b"), (std::vector<int>{103, 98, 65, 65, 98, 66}));
    EXPECT_EQ(Encode(std::string("\x01") + "a"), (std::vector<int>{103, 65, 98, 65}));
    EXPECT_EQ(Encode(std::string("x\x02yz")), (std::vector<int>{104, 88, 98, 66, 89, 90}));
    for (const std::string& text : {std::string(""), std::string("Mąka"), std::string(13, '\xff')}) {
        std::vector<int> v{1, 2};
        EXPECT_EQ(EncodeCode128Values(text, v), -1);
        EXPECT_TRUE(v.empty());
        Code128Row row;
        EXPECT_FALSE(Code128RowOfText(text, row));
    }
    EXPECT_EQ(Code128PatternLookup(106), nullptr);
    EXPECT_EQ(Code128PatternLookup(-1), nullptr);
    EXPECT_EQ(Code128ModuleWidth(-1), 0);
}

TEST(Code128, RandomTextsDecodeBack)
{
    std::mt19937 rng(128);
    for (int round = 0; round < 600; ++round) {
        std::string text;
        const bool digits = round % 2 == 0;
        const std::size_t n = 1 + rng() % 13;
        for (std::size_t i = 0; i < n; ++i)
            text += digits ? char('0' + rng() % 10) : char(rng() % 128);
        std::vector<int> values;
        const int count = EncodeCode128Values(text, values);
        ASSERT_GE(count, 0) << text;
        for (int v : values)
            ASSERT_TRUE(v >= 0 && v <= 105) << text;
        const int w = Code128ModuleWidth(count);
        if (w == 0)
            continue;
        const std::string modules = Code128ModuleString(values, w);
        ASSERT_LE(int(modules.size()) * w, Code128RowBits);
        const Decoded d = DecodeModules(modules);
        EXPECT_EQ(d.Fault, "") << text;
        EXPECT_EQ(d.Text, text);
        EXPECT_EQ(d.Values, values);
    }
}

TEST(Code128, PaintedSheetScansBack)
{
    TestEnvironment env(false);
    const std::vector<BarcodeSheetItem> items = {{"0000005907788", "Woda"}, {"ABC", "Litery"}, {"12345", "Liczby"}};
    QImage page(3000, 4000, QImage::Format_Grayscale8);
    page.setDotsPerMeterX(23622);   // 600 dpi
    page.setDotsPerMeterY(23622);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        PaintBarcodePages(p, page, items, 10, [] { ADD_FAILURE() << "a new page"; });
    }
    const double ppm = BarcodePixelsPerMm(600);
    const std::vector<BarcodeRowPlace> rows = LayoutBarcodeSheet(3, 4000, 600, 10, 0);
    for (std::size_t r = 0; r < items.size(); ++r) {
        const int y = rows[r].Y0 + int(5 * ppm);
        std::vector<bool> line;
        for (int x = 0; x < page.width(); ++x)
            line.push_back(qGray(page.pixel(x, y)) < 128);
        std::vector<int> values;
        const int w = Code128ModuleWidth(EncodeCode128Values(items[r].Barcode, values));
        const Decoded d = DecodeWidths(Runs(line, BarcodeBitPixels * w));
        EXPECT_EQ(d.Fault, "") << items[r].Barcode;
        EXPECT_EQ(d.Text, items[r].Barcode);
        // The first bar starts where the drawing rule puts the first set bit.
        std::size_t first = 0;
        while (!line[first])
            ++first;
        EXPECT_EQ(int(first), BarcodeBitX(3000, 0) - BarcodeBitPixels / 2);
    }
}

TEST(BarcodeSheet, RowsPerA4PageAt600Dpi)
{
    // 600 dpi A4: 7016 printable pixels high; the name caption 100 pixels high.
    struct Case {
        int BarMm;
        int RowsPerPage;
    };
    for (const Case& c : {Case{5, 14}, Case{20, 8}, Case{70, 3}}) {
        const double pitch = BarcodePixelsPerMm(600) * (c.BarMm + 15);
        const double bars = BarcodePixelsPerMm(600) * c.BarMm;
        // By hand: a page takes row r + 1 while r * pitch + 200 + bars + 15 + 200 <= 7016.
        int byHand = 1;
        while (byHand * pitch + 200 + bars + 15 + 200 <= 7016)
            ++byHand;
        EXPECT_EQ(byHand, c.RowsPerPage) << c.BarMm;
        const int n = 2 * c.RowsPerPage;
        const std::vector<BarcodeRowPlace> rows = LayoutBarcodeSheet(n, 7016, 600, c.BarMm, 100);
        ASSERT_EQ(int(rows.size()), n);
        EXPECT_EQ(rows[std::size_t(c.RowsPerPage - 1)].Page, 0) << c.BarMm;
        EXPECT_EQ(rows[std::size_t(c.RowsPerPage)].Page, 1) << c.BarMm;
        EXPECT_EQ(rows[std::size_t(c.RowsPerPage)].Y0, 200);
        EXPECT_EQ(rows.back().Page, 1) << "no empty last page";
    }
}

TEST(BarcodeSheet, GoodsListLines)
{
    uint8_t r[GoodsField::WrittenSize] = {};
    std::memcpy(r + GoodsField::Name, "Chleb razowy krojony duzy", 25);
    r[GoodsField::Vat] = 'A';
    r[GoodsField::Price] = 0xCF;  // 1999
    r[GoodsField::Price + 1] = 0x07;
    EXPECT_EQ(BarcodeGoodsLine(12, r), QString("  12. Chleb razowy krojony      19,99 A"));
    EXPECT_EQ(BarcodeGoodsLine(8000, r).left(6), QString("8000. "));
}
