// The printed goods list: page breaks and totals from one rule, and a real PDF.
#include "tables/GoodsPrintout.h"
#include "tests/support/TestFiles.h"
#include "tests/tables/TablesTest.h"

#include <QFont>
#include <QFontMetrics>
#include <QPrinter>

#include <memory>

TEST(GoodsPrintoutLayout, PageHoldsTheRowsTheBreakRuleAllows)
{
    // H = 50 on a page 1000 high: after row k the page is full once (k + 4) * 50 + 105 > 1000,
    // that is after row 14; rows 2..14 make 13 rows.
    const GoodsPrintoutLayout one = LayoutGoodsPrintout(5, 1000, 50);
    EXPECT_EQ(one.RowsPerPage, 13);
    EXPECT_EQ(one.PageTotal, 1);
    ASSERT_EQ(one.Pages.size(), 1u);
    EXPECT_EQ(one.Pages[0].LineCount, 5);
    EXPECT_EQ(one.Pages[0].FooterY, 7 * 50 + 105);
    EXPECT_EQ(one.Pages[0].ClosingRuleY, 7 * 50 + 78);
    // The footer of a full page still lies on the page.
    const GoodsPrintoutLayout full = LayoutGoodsPrintout(13, 1000, 50);
    EXPECT_LE(full.Pages[0].FooterY + 50, 1000);
}

TEST(GoodsPrintoutLayout, TotalsComeFromTheBreaks)
{
    struct Case {
        int Lines;
        int Pages;
        int LastPageLines;
    };
    // 13 rows a page: an exactly full last page adds nothing, one more line opens a page
    // (the remainder-1 case), and no goods still print a page.
    const Case cases[] = {{0, 1, 0}, {1, 1, 1}, {12, 1, 12}, {13, 1, 13}, {14, 2, 1},
                          {26, 2, 13}, {27, 3, 1}, {28, 3, 2}};
    for (const Case& c : cases) {
        const GoodsPrintoutLayout l = LayoutGoodsPrintout(c.Lines, 1000, 50);
        EXPECT_EQ(l.PageTotal, c.Pages) << c.Lines;
        ASSERT_EQ(int(l.Pages.size()), c.Pages) << c.Lines;
        EXPECT_EQ(l.Pages.back().LineCount, c.LastPageLines) << c.Lines;
        int sum = 0;
        for (const GoodsPrintoutPage& p : l.Pages) {
            EXPECT_EQ(p.FirstLine, sum);
            sum += p.LineCount;
        }
        EXPECT_EQ(sum, c.Lines);
    }
}

TEST(GoodsPrintoutLayout, TinyPageStillMakesProgress)
{
    const GoodsPrintoutLayout l = LayoutGoodsPrintout(3, 100, 50);
    EXPECT_EQ(l.RowsPerPage, 1);
    EXPECT_EQ(l.PageTotal, 3);
    EXPECT_EQ(LayoutGoodsPrintout(3, 1000, 0).PageTotal, 1);
}

TEST(GoodsPrintoutLayout, VerticalRulesSeparateTheColumns)
{
    const GoodsPrintoutColumns c = GoodsPrintoutColumnsFor(4800, 60);
    const int texts[6] = {c.Plu, c.Name, c.Price, c.Ptu, c.PriceKind, c.Barcode};
    for (int i = 0; i < 6; ++i) {
        EXPECT_LT(c.VerticalRules[std::size_t(i)], texts[i]) << i;
        EXPECT_GT(c.VerticalRules[std::size_t(i) + 1], texts[i]) << i;
    }
    EXPECT_EQ(c.VerticalRules[6], 4790);
    EXPECT_EQ(c.TitleX, 2400 - 600);
}

TEST(GoodsPrintoutPdf, LinesFromTheImageAndOnePdfPagePerLayoutPage)
{
    TestEnvironment env;
    GoodsRecordFields f = GoodsOf(12, "Chleb", 250);
    f.Barcode = "5907788";
    f.FixedPrice = 1;
    StoreGoods(f);
    StoreGoods(3, "Mleko");
    std::vector<GoodsPrintLine> lines = SortGoodsForPrint();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Plu, QString("3"));
    EXPECT_EQ(lines[0].PriceKind, QString("ruchoma"));
    EXPECT_EQ(lines[1].Name, QString("Chleb"));
    EXPECT_EQ(lines[1].Price, QString("2,50"));
    EXPECT_EQ(lines[1].Ptu, QString("A"));
    EXPECT_EQ(lines[1].PriceKind, QString("sztywna"));
    EXPECT_EQ(lines[1].Barcode, QString("0000005907788"));

    const auto pdf = [&](const char* name) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(env.Path(name)));
        printer->setResolution(600);
        return printer;
    };
    {
        const auto printer = pdf("empty.pdf");
        ASSERT_TRUE(PaintGoodsPrintout(*printer, {}));
    }
    EXPECT_EQ(PdfPageCount(QString::fromStdString(env.Path("empty.pdf"))), 1);

    // Enough lines for several pages: the PDF has as many pages as the layout says.
    for (int i = 0; i < 70; ++i)
        lines.push_back(lines[i % 2]);
    int expected = 0;
    {
        const auto owned = pdf("many.pdf");
        QPrinter& printer = *owned;
        ASSERT_TRUE(PaintGoodsPrintout(printer, lines));
        // Same metrics as the painter used.
        QFont font(QStringLiteral("Courier New"));
        font.setStyleHint(QFont::TypeWriter);
        font.setPointSize(10);
        const int h = QFontMetrics(font, &printer).height() + 145;
        expected = LayoutGoodsPrintout(int(lines.size()), printer.height(), h).PageTotal;
    }
    EXPECT_GT(expected, 1);
    EXPECT_EQ(PdfPageCount(QString::fromStdString(env.Path("many.pdf"))), expected);

    App.WorkMode = 0;
    EXPECT_TRUE(SortGoodsForPrint().empty());
}
