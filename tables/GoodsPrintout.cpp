#include "tables/GoodsPrintout.h"

#include "core/DatabaseImage.h"
#include "core/Helpers.h"
#include "platform/Cp1250.h"
#include "tables/GoodsLogic.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

std::vector<GoodsPrintLine> SortGoodsForPrint()
{
    std::vector<GoodsPrintLine> lines;
    ForEachStoredGoods([&lines](unsigned, const uint8_t* r) {
        GoodsPrintLine line;
        line.Plu = QString::number(r[0] | (r[1] << 8));
        line.Name = FromCp1250(BytesToString(r + GoodsField::Name, GoodsField::NameSize));
        line.Price = FromCp1250(FormatHundredths(GoodsRecordPrice(r)));
        line.Ptu = FromCp1250(BytesToString(r + GoodsField::Vat, 1));
        line.PriceKind = r[GoodsField::FixedPrice] ? QStringLiteral("sztywna") : QStringLiteral("ruchoma");
        line.Barcode = FromCp1250(BytesToString(r + GoodsField::Barcode, GoodsField::BarcodeSize));
        lines.push_back(line);
    });
    return lines;
}

GoodsPrintoutLayout LayoutGoodsPrintout(int lineCount, int pageHeight, int rowHeight)
{
    const int h = std::max(rowHeight, 1);
    GoodsPrintoutLayout layout;
    // Rows k = 2 .. last fit on a page; a page holds at least one row.
    int last = 2;
    while ((last + 4) * h + 105 <= pageHeight)
        ++last;
    layout.RowsPerPage = last - 1;
    const int lines = std::max(lineCount, 0);
    layout.PageTotal = std::max(1, (lines + layout.RowsPerPage - 1) / layout.RowsPerPage);
    for (int p = 0; p < layout.PageTotal; ++p) {
        GoodsPrintoutPage page;
        page.FirstLine = p * layout.RowsPerPage;
        page.LineCount = std::min(layout.RowsPerPage, lines - page.FirstLine);
        const int k = 2 + page.LineCount;
        page.FooterY = k * h + 105;
        page.ClosingRuleY = k * h + 78;
        layout.Pages.push_back(page);
    }
    return layout;
}

GoodsPrintoutColumns GoodsPrintoutColumnsFor(int width, int w)
{
    GoodsPrintoutColumns c;
    c.TitleX = width / 2 - 10 * w;
    c.Plu = 80;
    c.Name = 80 + 5 * w;
    c.Price = width - 43 * w;
    c.Ptu = width - 33 * w;
    c.PriceKind = width - 29 * w;
    c.Barcode = width - 15 * w;
    c.VerticalRules = {0,
                       80 + 4 * w + w / 2,
                       width - 44 * w + w / 2,
                       width - 34 * w + w / 2,
                       width - 30 * w + w / 2,
                       width - 16 * w + w / 2,
                       width - 10};
    c.RuleEnd = width - 10;
    return c;
}

QString GoodsPrintoutFooter(int page, int total)
{
    return QStringLiteral("Strona: ") + QString::number(page) + u'/' + QString::number(total);
}

bool PaintGoodsPrintout(QPrinter& printer, const std::vector<GoodsPrintLine>& lines)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    PaintGoodsPages(painter, printer, lines, [&] { printer.newPage(); });
    painter.end();
    return true;
}

void PaintGoodsPages(QPainter& painter, QPaintDevice& device, const std::vector<GoodsPrintLine>& lines,
                     const std::function<void()>& newPage)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(10);
    QFont titleFont = font;
    titleFont.setBold(true);
    titleFont.setItalic(true);

    const QFontMetrics metrics(font, &device);
    const int width = device.width();
    const int height = device.height();
    const int w = metrics.horizontalAdvance(u'W');
    const int h = metrics.height() + 145;
    const int ascent = metrics.ascent();
    const GoodsPrintoutColumns col = GoodsPrintoutColumnsFor(width, w);
    const GoodsPrintoutLayout layout = LayoutGoodsPrintout(int(lines.size()), height, h);

    painter.setPen(QPen(Qt::black, std::max(1, w / 8)));
    // Texts are placed by their top edge.
    auto text = [&](int x, int y, const QString& s) { painter.drawText(x, y + ascent, s); };

    for (int p = 0; p < layout.PageTotal; ++p) {
        const GoodsPrintoutPage& page = layout.Pages[std::size_t(p)];
        if (p > 0)
            newPage();
        painter.setFont(titleFont);
        text(col.TitleX, 80, QStringLiteral("BAZA TOWAROWA"));
        painter.setFont(font);
        painter.drawLine(0, h + 78, col.RuleEnd, h + 78);
        text(col.Plu, h + 105, QStringLiteral("PLU"));
        text(col.Name, h + 105, QStringLiteral("Nazwa"));
        text(col.Price, h + 105, QStringLiteral("Cena"));
        text(col.Ptu, h + 105, QStringLiteral("PTU"));
        text(col.PriceKind, h + 105, QStringLiteral("Rodzaj ceny"));
        text(col.Barcode, h + 105, QStringLiteral("Kod kreskowy"));
        for (int i = 0; i < page.LineCount; ++i) {
            const GoodsPrintLine& line = lines[std::size_t(page.FirstLine + i)];
            const int k = 2 + i;
            painter.drawLine(0, k * h + 78, col.RuleEnd, k * h + 78);
            text(col.Plu, k * h + 105, line.Plu);
            text(col.Name, k * h + 105, line.Name);
            text(col.Price, k * h + 105, line.Price);
            text(col.Ptu, k * h + 105, line.Ptu);
            text(col.PriceKind, k * h + 105, line.PriceKind);
            text(col.Barcode, k * h + 105, line.Barcode);
        }
        text(col.TitleX, page.FooterY, GoodsPrintoutFooter(p + 1, layout.PageTotal));
        painter.drawLine(0, page.ClosingRuleY, col.RuleEnd, page.ClosingRuleY);
        for (int x : col.VerticalRules)
            painter.drawLine(x, page.ClosingRuleY, x, h + 80);
    }
}
