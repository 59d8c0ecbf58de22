// Code 128 checked against the standard: a decoder holding ISO/IEC 15417's table as bar and
// space widths reads module strings and a scan line of a painted sheet back to text.
#include "export/BarcodeSheet.h"
#include "export/Code128.h"
#include "tests/export/ExportTestUtil.h"
#include "tests/support/TestEnvironment.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Bar, space, bar, space, bar, space widths of values 0..105 (ISO/IEC 15417), then the stop.
const char* const IsoWidths[107] = {
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
    "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};

// Widths of a symbol (bar first, no quiet zones) to its text; fault says what did not hold.
std::string Decode(const std::vector<int>& widths, std::string& fault)
{
    std::vector<int> v;
    for (std::size_t s = 0, n = 0; s < widths.size(); s += n) {
        n = std::min<std::size_t>(widths.size() - s, widths.size() - s == 7 ? 7 : 6);
        std::string key;
        for (std::size_t i = s; i < s + n; ++i)
            key += char('0' + widths[i]);
        const auto found = std::find(std::begin(IsoWidths), std::end(IsoWidths), key);
        if (found == std::end(IsoWidths))
            return fault = "unknown symbol " + key, "";
        v.push_back(int(found - std::begin(IsoWidths)));
    }
    if (v.size() < 3 || v.back() != 106 || v.front() < 103)
        return fault = "no start or stop", "";
    long sum = v[0];
    for (std::size_t i = 1; i + 2 < v.size(); ++i)
        sum += long(i) * v[i];
    if (sum % 103 != v[v.size() - 2])
        fault = "bad check";
    std::string text;
    int set = v[0];
    for (std::size_t i = 1; i + 2 < v.size(); ++i) {
        const bool shift = v[i] == 98 && set != 105;
        const int use = shift ? 207 - set : set, c = v[i + (shift ? 1 : 0)];
        i += shift ? 1 : 0;
        if (use == 105 && c < 100)
            text += std::to_string(c / 10) + std::to_string(c % 10);
        else if (c >= 99 && c <= 101 && !shift)
            set = c == 99 ? 105 : 204 - c;
        else if (c < 96)
            text += char(use == 103 && c >= 64 ? c - 64 : c + 32);
        else
            fault = "value " + std::to_string(c);
    }
    return text;
}

// Runs of equal modules between the first and last bar, in units of unit modules.
std::vector<int> Runs(const std::vector<bool>& m, int unit)
{
    std::vector<int> widths;
    std::size_t i = std::find(m.begin(), m.end(), true) - m.begin();
    const std::size_t end = m.size() - (std::find(m.rbegin(), m.rend(), true) - m.rbegin());
    for (std::size_t j = i; i < end; i = j) {
        while (j < end && m[j] == m[i])
            ++j;
        widths.push_back(int(j - i + unit / 2) / unit);
    }
    return widths;
}

} // namespace

TEST(Code128, KnownSymbols)
{
    struct Case {
        std::string Text;
        std::vector<int> Values;
        int Check;
    };
    const Case cases[] = {
        {"ABC", {104, 33, 34, 35}, 1},
        {"PJJ123C", {104, 48, 42, 42, 17, 18, 19, 35}, 55},
        {"12345", {105, 12, 34, 100, 21}, 54},
        {"0000005907788", {105, 0, 0, 0, 59, 7, 78, 100, 24}, 88},
        {"A123456", {104, 33, 99, 12, 34, 56}, 66},
        {"AB12345", {104, 33, 34, 17, 18, 19, 20, 21}, -1},    // an odd run of 5 stays in B
        {"AB1234567", {104, 33, 34, 17, 99, 23, 45, 67}, -1},  // 7: one digit in B, then C
        // Control characters in B and lower-case ones in A go under SHIFT, also at the start.
        {"a\x01" "b", {103, 98, 65, 65, 98, 66}, -1},
        {"x\x02yz", {104, 88, 98, 66, 89, 90}, -1},
    };
    for (const Case& c : cases) {
        std::vector<int> values;
        EncodeCode128Values(c.Text, values);
        EXPECT_EQ(values, c.Values) << c.Text;
        EXPECT_TRUE(c.Check < 0 || Code128CheckValue(c.Values) == c.Check) << c.Text;
        std::vector<bool> bits;
        for (char m : Code128ModuleString(c.Values, 1))
            bits.push_back(m == '1');
        std::string fault;
        EXPECT_EQ(Decode(Runs(bits, 1), fault), c.Text);
        EXPECT_EQ(fault, "") << c.Text;
    }
    EXPECT_EQ(Code128ModuleWidth(8), 1);   // the 13-digit code: M = 143
    EXPECT_EQ(Code128ModuleWidth(4), 2);
    EXPECT_EQ(Code128ModuleWidth(21), 0);  // 286 modules do not fit
    for (const std::string& text : {std::string(), std::string("Mąka"), std::string(300, 'a')}) {
        std::vector<int> v{1, 2};
        Code128Row row;
        EXPECT_EQ(EncodeCode128Values(text, v), -1);
        EXPECT_TRUE(v.empty());
        EXPECT_FALSE(Code128RowOfText(text, row));
    }
    EXPECT_TRUE(Code128PatternLookup(106) == nullptr && Code128PatternLookup(-1) == nullptr);
}

TEST(Code128, PaintedSheetScansBack)
{
    TestEnvironment env(false);
    const std::vector<BarcodeSheetItem> items = {{"0000005907788", "Woda"}, {"ABC", "Litery"}, {"12345", "Liczby"}};
    QImage page = Page600(3000, 4000);
    {
        QPainter p(&page);
        PaintBarcodePages(p, page, items, 10, [] { ADD_FAILURE() << "a new page"; });
    }
    const std::vector<BarcodeRowPlace> rows = LayoutBarcodeSheet(3, 4000, 600, 10, 0);
    for (std::size_t r = 0; r < items.size(); ++r) {
        std::vector<bool> line;
        for (int x = 0; x < page.width(); ++x)
            line.push_back(qGray(page.pixel(x, rows[r].Y0 + 100)) < 128);
        std::vector<int> values;
        const int w = Code128ModuleWidth(EncodeCode128Values(items[r].Barcode, values));
        std::string fault;
        EXPECT_EQ(Decode(Runs(line, BarcodeBitPixels * w), fault), items[r].Barcode);
        EXPECT_EQ(fault, "");
        // The first bar starts where the drawing rule puts the first set bit.
        EXPECT_EQ(std::find(line.begin(), line.end(), true) - line.begin(), BarcodeBitX(3000, 0) - BarcodeBitPixels / 2);
    }
}
