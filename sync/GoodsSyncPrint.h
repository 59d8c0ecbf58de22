#pragma once
// The goods list the goods synchronisation window prints: its lines, the order by name and the
// pages.
#include <QString>
#include <QStringList>
#include <functional>

class QPaintDevice;
class QPainter;

// One line per stored goods of the image, in slot order: the name in 20, " ", the price
// right-aligned in 10, " ", PTU, "   ", "    sztywna" or "    ruchoma", "   ", the 13 barcode
// characters, the goods number padded to 6.
QStringList GoodsSyncPrintLines();
// Sorts as a sorted list box does: case-insensitive, Polish letters in alphabet order.
void SortPrintLinesByName(QStringList& lines);
// A line as printed: the goods number moved to the front.
QString PrintedGoodsLine(const QString& line);

struct GoodsListPages {
    int LinesPerPage = 1;
    int PageCount = 1;   // no goods still print one page
};
// lines per page = (page height - 80 - 3 x line height) / line height, at least 1.
GoodsListPages LayOutGoodsList(int lineCount, int pageHeight, int lineHeight);

// The heading line over the goods.
extern const QString GoodsListHeading;

// Prints the lines on the default printer, or into pdfPath when it is given; false (after
// "Brak drukarki.") when there is no printer or it cannot start.
bool PrintGoodsList(const QStringList& lines, const QString& pdfPath = {});
// The pages on any device the painter is open on; newPage starts the next page.
void PaintGoodsList(QPainter& painter, QPaintDevice& device, const QStringList& lines,
                    const std::function<void()>& newPage);
