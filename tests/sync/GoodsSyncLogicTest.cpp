// The goods synchronisation without windows: the occupancy colours, the print lines and pages.
#include "sync/GoodsSyncLogic.h"
#include "sync/GoodsSyncPrint.h"
#include "tests/sync/SyncTestUtil.h"

#include <QPaintEngine>
#include <QPainter>

TEST(GoodsSyncBars, ColourRunsFromGreenThroughYellowToRed)
{
    const std::pair<int, BarColour> cases[] = {
        {0, {0, 250}}, {3999, {249, 250}}, {4000, {250, 250}}, {4001, {250, 250}},
        {4016, {250, 249}}, {8000, {250, 0}}, {9000, {250, 0}},
    };
    for (const auto& [count, colour] : cases)
        EXPECT_EQ(OccupancyColour(count), colour) << count;
}

namespace {

// A letter page at 600 dpi that records every text a painter draws, with its page.
class TextRecorder : public QImage, public QPaintEngine {
public:
    std::vector<std::pair<int, QString>> Texts;
    int Page = 1;

    TextRecorder() : QImage(4800, 6600, QImage::Format_RGB32)
    {
        setDotsPerMeterX(23622);
        setDotsPerMeterY(23622);
    }
    QPaintEngine* paintEngine() const override { return const_cast<TextRecorder*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override { Texts.emplace_back(Page, item.text()); }
    Type type() const override { return User; }
};

} // namespace

TEST(GoodsSyncPrint, LinesSortByPolishNamesAndPrintNumberFirst)
{
    TestEnvironment env;
    GoodsRecordFields f = GoodsFields(30, "żurek");
    f.FixedPrice = 1;
    f.Barcode = "5900000000030";
    ASSERT_EQ(WriteGoodsRecordToImage(f), 0);
    ASSERT_EQ(WriteGoodsRecordToImage(GoodsFields(10, "Zupa")), 0);
    ASSERT_EQ(WriteGoodsRecordToImage(GoodsFields(20, "ćwikła")), 0);
    ASSERT_EQ(WriteGoodsRecordToImage(GoodsFields(5, "Cebula")), 0);
    QStringList lines = GoodsSyncPrintLines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[3], QString::fromUtf8("żurek                      2,50 A       sztywna   590000000003030    "));
    SortPrintLinesByName(lines);
    QStringList names;
    for (const QString& l : lines)
        names.push_back(l.left(20).trimmed());
    EXPECT_EQ(names, (QStringList{"Cebula", QString::fromUtf8("ćwikła"), "Zupa", QString::fromUtf8("żurek")}));
    EXPECT_EQ(PrintedGoodsLine(lines[0]).left(12), "5    Cebula ");

    // A page holds (height - 80 - 3 lines) / line; 60 lines make pages of that size.
    EXPECT_EQ(LayOutGoodsList(0, 6600, 100).PageCount, 1);
    EXPECT_EQ(LayOutGoodsList(60, 6600, 100).LinesPerPage, 62);
    EXPECT_EQ(LayOutGoodsList(62, 6600, 100).PageCount, 1);
    EXPECT_EQ(LayOutGoodsList(63, 6600, 100).PageCount, 2);
    EXPECT_EQ(LayOutGoodsList(5, 10, 100).LinesPerPage, 1);

    for (int i = 0; i < 150; ++i)
        lines.push_back(lines[i % 4]);
    TextRecorder device;
    QPainter painter(&device);
    PaintGoodsList(painter, device, lines, [&] { ++device.Page; });
    painter.end();
    const QFontMetrics metrics(QFont("Courier New", 10), &device);
    const GoodsListPages pages = LayOutGoodsList(int(lines.size()), 6600, metrics.height());
    ASSERT_GT(pages.PageCount, 1);
    EXPECT_EQ(device.Page, pages.PageCount);
    int goodsLines = 0;
    for (int p = 1; p <= pages.PageCount; ++p) {
        QStringList texts;
        for (const auto& [page, text] : device.Texts)
            if (page == p)
                texts.push_back(text);
        EXPECT_TRUE(texts.contains("BAZA TOWAROWA")) << p;
        EXPECT_TRUE(texts.contains(GoodsListHeading)) << p;
        EXPECT_TRUE(texts.contains(QStringLiteral("Strona: %1/%2").arg(p).arg(pages.PageCount))) << p;
        goodsLines += int(texts.size()) - 3;
        EXPECT_LE(int(texts.size()) - 3, pages.LinesPerPage);
    }
    EXPECT_EQ(goodsLines, lines.size());
}
