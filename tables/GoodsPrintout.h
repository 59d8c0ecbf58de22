#pragma once
// The printed goods list "BAZA TOWAROWA": its lines, its page layout and its painting.
#include <QString>
#include <array>
#include <functional>
#include <vector>

class QPaintDevice;
class QPainter;
class QPrinter;

// One printed line per stored goods record.
struct GoodsPrintLine {
    QString Plu;
    QString Name;
    QString Price;
    QString Ptu;
    QString PriceKind;   // "sztywna" or "ruchoma"
    QString Barcode;
};

// The lines of every stored goods record, in PLU order (none from an unusable image).
std::vector<GoodsPrintLine> SortGoodsForPrint();

struct GoodsPrintoutPage {
    int FirstLine = 0;
    int LineCount = 0;
    int FooterY = 0;       // the footer "Strona: p/n" and the closing rule's row: k * H + 105
    int ClosingRuleY = 0;  // k * H + 78, where the vertical rules start
};

struct GoodsPrintoutLayout {
    int RowsPerPage = 1;
    int PageTotal = 1;
    std::vector<GoodsPrintoutPage> Pages;
};

// Goods rows k = 2, 3, ... of a page lie at k * H + 105; a page is full once (k + 4) * H + 105
// passes the page height. The page total comes from the same rule, and a list that fills its
// last page exactly adds no empty page; no goods still give one page.
GoodsPrintoutLayout LayoutGoodsPrintout(int lineCount, int pageHeight, int rowHeight);

// Horizontal positions of a page width and the width W of "W".
struct GoodsPrintoutColumns {
    int TitleX = 0;
    int Plu = 0;
    int Name = 0;
    int Price = 0;
    int Ptu = 0;
    int PriceKind = 0;
    int Barcode = 0;
    std::array<int, 7> VerticalRules{};
    int RuleEnd = 0;
};
GoodsPrintoutColumns GoodsPrintoutColumnsFor(int pageWidth, int w);

// The footer text of page p (1-based) of n.
QString GoodsPrintoutFooter(int page, int total);

// Paints the list on the printer (portrait, "Courier New" 10 pt). False when the printer could
// not be started.
bool PaintGoodsPrintout(QPrinter& printer, const std::vector<GoodsPrintLine>& lines);
// The pages on any device the painter is open on; newPage starts the next page.
void PaintGoodsPages(QPainter& painter, QPaintDevice& device, const std::vector<GoodsPrintLine>& lines,
                     const std::function<void()>& newPage);
