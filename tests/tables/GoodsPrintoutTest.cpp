// The printed goods list: page breaks and totals from one rule, and a real PDF.
#include "platform/Printing.h"
#include "tables/GoodsPrintout.h"
#include "tables/ProgramowanieTowarow.h"
#include "tests/support/TestFiles.h"
#include "tests/tables/TablesTest.h"

#include <QFont>
#include <QFontMetrics>
#include <QMenu>
#include <QPrinter>

TEST(GoodsPrintoutLayout, EveryLineIsPrintedOnceAndTotalsComeFromTheBreaks)
{
    struct Case {
        int Lines;
        int PageHeight;
        int RowHeight;
        int Pages;
        int LastPageLines;
    };
    // 13 rows of 50 a page of 1000: an exactly full last page adds nothing, one more line opens a
    // page (the remainder-1 case), and no goods still print a page. A page too small for a row
    // still takes one, and rows without a height all fit.
    const Case cases[] = {{0, 1000, 50, 1, 0},  {1, 1000, 50, 1, 1},  {12, 1000, 50, 1, 12},
                          {13, 1000, 50, 1, 13}, {14, 1000, 50, 2, 1},  {26, 1000, 50, 2, 13},
                          {27, 1000, 50, 3, 1},  {28, 1000, 50, 3, 2},  {3, 100, 50, 3, 1},
                          {3, 1000, 0, 1, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Lines);
        const GoodsPrintoutLayout l = LayoutGoodsPrintout(c.Lines, c.PageHeight, c.RowHeight);
        EXPECT_EQ(l.PageTotal, c.Pages);
        ASSERT_EQ(int(l.Pages.size()), c.Pages);
        EXPECT_EQ(l.Pages.back().LineCount, c.LastPageLines);
        int sum = 0;
        for (const GoodsPrintoutPage& p : l.Pages) {
            EXPECT_EQ(p.FirstLine, sum);
            sum += p.LineCount;
        }
        EXPECT_EQ(sum, c.Lines);
    }
    // The footer of a full page still lies on the page.
    EXPECT_LE(LayoutGoodsPrintout(13, 1000, 50).Pages[0].FooterY + 50, 1000);
}

using GoodsPrintoutPdf = TablesTest;

TEST_F(GoodsPrintoutPdf, TheWindowPrintsLinesFromTheImageOnOnePdfPagePerLayoutPage)
{
    GoodsRecordFields f = GoodsOf(12, "Chleb", 250);
    f.Barcode = "5907788";
    f.FixedPrice = 1;
    StoreGoods(f);
    StoreGoods(3, "Mleko");
    // Enough lines for several pages.
    for (uint16_t plu = 100; plu < 170; ++plu)
        StoreGoods(plu, "Towar");
    TProgramowanieTowarow w;
    w.FormShow();
    w.PdfOutputPath = QString::fromStdString(env.Path("baza.pdf"));
    w.BitBtn6Click();
    w.PopupMenu1->hide();
    const std::vector<GoodsPrintLine>& lines = w.PrintLines;
    ASSERT_EQ(lines.size(), 72u);
    EXPECT_EQ(lines[0].Plu, QString("3"));
    EXPECT_EQ(lines[0].PriceKind, QString("ruchoma"));
    EXPECT_EQ(lines[1].Name, QString("Chleb"));
    EXPECT_EQ(lines[1].Price, QString("2,50"));
    EXPECT_EQ(lines[1].Ptu, QString("A"));
    EXPECT_EQ(lines[1].PriceKind, QString("sztywna"));
    EXPECT_EQ(lines[1].Barcode, QString("0000005907788"));
    w.N1Click();
    EXPECT_TRUE(prompts.Texts().isEmpty());

    // The PDF has as many pages as the layout says, with the painter's metrics.
    QPrinter printer(QPrinter::HighResolution);
    ASSERT_TRUE(ChoosePrinter(printer, w.PdfOutputPath, nullptr));
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(10);
    const int rowHeight = QFontMetrics(font, &printer).height() + 145;
    const int expected = LayoutGoodsPrintout(72, printer.height(), rowHeight).PageTotal;
    EXPECT_GT(expected, 1);
    EXPECT_EQ(PdfPageCount(w.PdfOutputPath), expected);

    App.WorkMode = 0;
    EXPECT_TRUE(SortGoodsForPrint().empty());
}
