#pragma once
// The printed sheet of Code 128 symbols: one row per goods item (bars, the barcode text and the
// name under them), its page layout and its painting on any paint device.
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QFontMetrics;
class QPaintDevice;
class QPainter;
class QPrinter;

struct BarcodeSheetItem {
    std::string Barcode;   // the text to encode (cp1250 bytes)
    QString Name;
};

struct BarcodeRowPlace {
    int Page = 0;
    int Y0 = 0;       // top of the bars
};

// Rows at row x pixels-per-mm x (bar height + 15 mm) + 200 on each page; after a row the page
// ends when the next row's bars, its barcode text and two name heights would pass the page
// height. No page is started after the last row.
std::vector<BarcodeRowPlace> LayoutBarcodeSheet(int itemCount, int pageHeight, int dpi, int barMm, int nameHeight);

// The x of bar bit i counted from the first set bit, and the pen width of a bit.
constexpr int BarcodeBitPixels = 10;
int BarcodeBitX(int pageWidth, int bitFromFirstSet);

// Builds the symbol of text, packs it into the 384-bit row and draws the row, bars from y0 down
// barPixels; 0 when drawn, 1 when the text has no symbol that fits (nothing drawn).
int BuildCode128Modules(QPainter& painter, const std::string& text, int pageWidth, int y0, int barPixels);
// A caption centred on the page, placed by its top edge.
void DrawBarcodeCaption(QPainter& painter, const QFontMetrics& metrics, int pageWidth, int y, const QString& text);

// Paints the sheet on the printer (portrait). False when the printer could not be started.
bool PaintBarcodeSheet(QPrinter& printer, const std::vector<BarcodeSheetItem>& items, int barMm);
// The pages on any device the painter is open on, at the device's resolution; newPage starts
// the next page.
void PaintBarcodePages(QPainter& painter, QPaintDevice& device, const std::vector<BarcodeSheetItem>& items,
                       int barMm, const std::function<void()>& newPage);

// The list line of a goods record: "12. " right-aligned in 6, the name cut or padded to 20, the
// price right-aligned in 10, the PTU letter.
QString BarcodeGoodsLine(unsigned plu, const unsigned char* record);
