#include "export/BarcodeSheet.h"

#include "core/DatabaseImage.h"
#include "core/Helpers.h"
#include "export/Code128.h"
#include "platform/Cp1250.h"
#include "platform/Printing.h"
#include "tables/GoodsLogic.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

std::vector<BarcodeRowPlace> LayoutBarcodeSheet(int itemCount, int pageHeight, int dpi, int barMm, int nameHeight)
{
    const double ppm = PrinterPixelsPerMm(dpi);
    const double pitch = ppm * (barMm + 15);
    const double bars = barMm * ppm;
    std::vector<BarcodeRowPlace> places;
    int page = 0;
    int row = 0;
    for (int i = 0; i < itemCount; ++i) {
        places.push_back({page, int(row * pitch + 200)});
        ++row;
        if (pageHeight < row * pitch + 200 + bars + 15 + 2 * nameHeight && i + 1 < itemCount) {
            ++page;
            row = 0;
        }
    }
    return places;
}

int BarcodeBitX(int pageWidth, int bitFromFirstSet) { return pageWidth / 2 - 600 + BarcodeBitPixels * bitFromFirstSet; }

bool PaintBarcodeSheet(QPrinter& printer, const std::vector<BarcodeSheetItem>& items, int barMm)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    PaintBarcodePages(painter, printer, items, barMm, [&] { printer.newPage(); });
    painter.end();
    return true;
}

void PaintBarcodePages(QPainter& painter, QPaintDevice& device, const std::vector<BarcodeSheetItem>& items,
                       int barMm, const std::function<void()>& newPage)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(12);
    const QFontMetrics metrics(font, &device);
    const int width = device.width();
    const int bars = int(barMm * PrinterPixelsPerMm(device.logicalDpiX()));
    const std::vector<BarcodeRowPlace> places =
        LayoutBarcodeSheet(int(items.size()), device.height(), device.logicalDpiX(), barMm, metrics.height());

    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing, false);
    int page = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const BarcodeRowPlace& at = places[i];
        if (at.Page != page) {
            newPage();
            page = at.Page;
        }
        BuildCode128Modules(painter, items[i].Barcode, width, at.Y0, bars);
        DrawBarcodeCaption(painter, metrics, width, at.Y0 + bars + 10, FromCp1250(items[i].Barcode));
        DrawBarcodeCaption(painter, metrics, width, at.Y0 + bars + 15 + metrics.height(), items[i].Name);
    }
}

int BuildCode128Modules(QPainter& painter, const std::string& text, int pageWidth, int y0, int barPixels)
{
    Code128Row row;
    if (!Code128RowOfText(text, row))
        return 1;
    const QPen old = painter.pen();
    painter.setPen(QPen(Qt::black, BarcodeBitPixels, Qt::SolidLine, Qt::FlatCap));
    // Leading spaces are not drawn; x counts from the first bar.
    int first = -1;
    for (int bit = 0; bit < Code128RowBits; ++bit) {
        if (!(row[std::size_t(bit / 8)] & (0x80 >> (bit % 8))))
            continue;
        if (first < 0)
            first = bit;
        const int x = BarcodeBitX(pageWidth, bit - first);
        painter.drawLine(x, y0, x, y0 + barPixels);
    }
    painter.setPen(old);
    return 0;
}

void DrawBarcodeCaption(QPainter& painter, const QFontMetrics& metrics, int pageWidth, int y, const QString& text)
{
    painter.setPen(Qt::black);
    painter.drawText(pageWidth / 2 - metrics.horizontalAdvance(text) / 2, y + metrics.ascent(), text);
}

QString BarcodeGoodsLine(unsigned plu, const unsigned char* record)
{
    const QString name = FromCp1250(BytesToString(record + GoodsField::Name, GoodsField::NameSize));
    return (QString::number(plu) + QStringLiteral(". ")).rightJustified(6) + name.leftJustified(20, u' ', true) +
           u' ' + FromCp1250(FormatHundredths(GoodsRecordPrice(record))).rightJustified(10) + u' ' +
           FromCp1250(BytesToString(record + GoodsField::Vat, 1));
}
