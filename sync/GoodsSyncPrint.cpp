#include "sync/GoodsSyncPrint.h"

#include "core/DatabaseImage.h"
#include "core/Helpers.h"
#include "core/PdfOutput.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "tables/GoodsLogic.h"
#include "sync/GoodsSyncLogic.h"
#include "tables/GoodsPrintout.h"

#include <QCollator>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

const QString GoodsListHeading =
    QStringLiteral("PLU  Nazwa                 Cena      PTU  Rodzaj ceny  Kod kreskowy   ");

namespace {
constexpr int NumberWidth = 6;
} // namespace

QStringList GoodsSyncPrintLines()
{
    QStringList lines;
    ForEachStoredGoods([&](unsigned plu, const uint8_t* r) {
        const QString name = FromCp1250(BytesToString(r + GoodsField::Name, GoodsField::NameSize));
        lines.push_back(name.left(20).leftJustified(20, u' ') + u' ' +
                        QString::fromStdString(FormatHundredths(GoodsRecordPrice(r))).rightJustified(10, u' ') + u' ' +
                        FromCp1250(BytesToString(r + GoodsField::Vat, 1)) + QStringLiteral("   ") +
                        (r[GoodsField::FixedPrice] ? QStringLiteral("    sztywna") : QStringLiteral("    ruchoma")) +
                        QStringLiteral("   ") +
                        FromCp1250(BytesToString(r + GoodsField::Barcode, GoodsField::BarcodeSize))
                            .leftJustified(GoodsField::BarcodeSize, u' ') +
                        QString::number(plu).leftJustified(NumberWidth, u' '));
    });
    return lines;
}

void SortPrintLinesByName(QStringList& lines)
{
    QCollator collator(QLocale(QLocale::Polish, QLocale::Poland));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(lines.begin(), lines.end(),
                     [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
}

QString PrintedGoodsLine(const QString& line)
{
    return line.right(NumberWidth).trimmed().leftJustified(5, u' ') + line.left(line.size() - NumberWidth);
}

GoodsListPages LayOutGoodsList(int lineCount, int pageHeight, int lineHeight)
{
    GoodsListPages pages;
    if (lineHeight > 0)
        pages.LinesPerPage = std::max(1, (pageHeight - 80 - 3 * lineHeight) / lineHeight);
    pages.PageCount = std::max(1, (lineCount + pages.LinesPerPage - 1) / pages.LinesPerPage);
    return pages;
}

bool PrintGoodsList(const QStringList& lines, const QString& pdfPath)
{
    QPrinter printer(QPrinter::HighResolution);
    if (pdfPath.isEmpty()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            ShowMessage(QString::fromUtf8(GoodsSyncTexts::NoPrinter));
            return false;
        }
        printer.setPrinterName(info.printerName());
    } else {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
    }
    PdfOutput pdf;
    if (!pdf.Take(printer))
        return false;
    printer.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowMessage(QString::fromUtf8(GoodsSyncTexts::NoPrinter));
        return false;
    }
    PaintGoodsList(painter, printer, lines, [&] { printer.newPage(); });
    painter.end();
    return pdf.Finish();
}

void PaintGoodsList(QPainter& painter, QPaintDevice& device, const QStringList& lines,
                    const std::function<void()>& newPage)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(10);
    painter.setFont(font);
    const QFontMetrics metrics(font, &device);
    const int h = metrics.height();
    const int ascent = metrics.ascent();
    const GoodsListPages pages = LayOutGoodsList(int(lines.size()), device.height(), h);
    // Texts are placed by their top edge.
    auto text = [&](int x, int y, const QString& s) { painter.drawText(x, y + ascent, s); };
    for (int p = 0; p < pages.PageCount; ++p) {
        if (p > 0)
            newPage();
        text(80, 80, QStringLiteral("BAZA TOWAROWA"));
        painter.drawLine(80, 80 + h + h / 4, device.width() - 80, 80 + h + h / 4);
        text(80, h + 105, GoodsListHeading);
        const int first = p * pages.LinesPerPage;
        const int count = std::min<int>(pages.LinesPerPage, int(lines.size()) - first);
        for (int row = 1; row <= count; ++row)
            text(80, (row + 1) * h + 105, PrintedGoodsLine(lines[first + row - 1]));
        // The page number sits on the title's line, clear of the goods.
        const QString pageText = GoodsPrintoutFooter(p + 1, pages.PageCount);
        text(device.width() - 80 - metrics.horizontalAdvance(pageText), 80, pageText);
    }
}
