// The goods and cashier synchronisation without windows: list items, colours, ticks, copies
// between the mirror and the image, range frames, barcode comparison, print lines and pages.
#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "platform/Cp1250.h"
#include "sync/CashierSyncLogic.h"
#include "sync/GoodsSyncLogic.h"
#include "sync/GoodsSyncPrint.h"
#include "sync/RegisterRecords.h"
#include "tests/support/TestEnvironment.h"
#include "tests/sync/SyncTestUtil.h"

#include <QPaintEngine>
#include <QPainter>
#include <gtest/gtest.h>

#include <cstring>

namespace R = RegisterGoodsRecord;

TEST(GoodsSyncItems, ColumnsOfBothPanesInSlotOrder)
{
    TestEnvironment env;
    const emu::Bytes rec = RegisterGoods(7, "Chleb żytni razowy krojony", "5900000000007", 123456);
    const QString pc = GoodsSyncItem(7, rec.data(), 20);
    EXPECT_EQ(pc, QString::fromUtf8("7.    Chleb żytni razowy k    1234,56 B"));
    const QString reg = GoodsSyncItem(8000, rec.data(), 22);
    EXPECT_EQ(reg, QString::fromUtf8("8000. Chleb żytni razowy kro    1234,56 B"));
    EXPECT_EQ(NumberBeforeDot(reg), 8000);
    const emu::Bytes shortName = RegisterGoods(12, "Sok", "", 5);
    EXPECT_EQ(GoodsSyncItem(12, shortName.data(), 20), QStringLiteral("12.   Sok                        0,05 B"));

    const emu::Bytes cashier = RegisterCashier(3, "Anna Kowalska-Nowakowska");
    EXPECT_EQ(CashierSyncItem(3, cashier.data() + 1), QStringLiteral("3.  Anna Kowalska-Nowakow"));
    EXPECT_EQ(CashierSyncItem(12, RegisterCashier(12, "Jan").data() + 1),
              QStringLiteral("12. Jan                  "));

    // The panes list the used slots in order.
    StoreGoods(8000, "Ostatni");
    StoreGoods(2, "Drugi");
    ResetRegisterGoodsMirror();
    RegisterGoodsMirror.Take(RegisterGoods(5, "Piąty", "", 1).data());
    RegisterGoodsMirror.Take(RegisterGoods(1, "Pierwszy", "", 1).data());
    const QStringList pcItems = PcGoodsItems();
    ASSERT_EQ(pcItems.size(), 2);
    EXPECT_TRUE(pcItems[0].startsWith("2.    Drugi"));
    EXPECT_TRUE(pcItems[1].startsWith("8000. Ostatni"));
    const QStringList regItems = RegisterGoodsItems();
    ASSERT_EQ(regItems.size(), 2);
    EXPECT_TRUE(regItems[0].startsWith("1.    Pierwszy"));
    EXPECT_TRUE(regItems[1].startsWith(QString::fromUtf8("5.    Piąty")));
}

TEST(GoodsSyncBars, ColourRunsFromGreenThroughYellowToRed)
{
    const std::pair<int, BarColour> cases[] = {
        {0, {0, 250}}, {3999, {249, 250}}, {4000, {250, 250}}, {4001, {250, 250}},
        {4016, {250, 249}}, {8000, {250, 0}}, {9000, {250, 0}},
    };
    for (const auto& [count, colour] : cases)
        EXPECT_EQ(OccupancyColour(count), colour) << count;
}

TEST(GoodsSyncTicks, NotSoldCountsWholeDaysFromTheLastSale)
{
    const QDate today(2026, 12, 6);
    struct Case {
        uint16_t year;
        uint8_t month, day;
        long long days;
        bool ticked;
    };
    const long long since1980 = QDate(1980, 1, 1).daysTo(today);
    const Case cases[] = {
        {0, 0, 0, since1980 - 1, true},    // never dated: counts from 1 January 1980
        {0, 0, 0, since1980, false},
        {1975, 1, 0, since1980 - 1, true}, // before 1980 counts as 1980
        {2026, 11, 5, 30, true},           // 31 days
        {2026, 11, 6, 30, false},          // 30 days is not more than 30
        {2026, 4, 31, 0, false},           // no such date: never ticked
        {2027, 1, 1, 0, false},            // a sale in the future
        {2027, 1, 1, -27, true},
    };
    for (const Case& c : cases) {
        emu::Bytes r = RegisterGoods(1, "X", "", 1);
        emu::PutU16(r.data() + R::SaleYear, c.year);
        r[R::SaleMonth] = c.month;
        r[R::SaleDay] = c.day;
        EXPECT_EQ(NotSoldForMoreThan(r.data(), c.days, today), c.ticked) << c.year << "-" << int(c.month) << "-"
                                                                           << int(c.day) << " N=" << c.days;
    }
}

TEST(GoodsSyncTicks, RangeFieldsAreParsedExactlyAndClamped)
{
    struct Case {
        const char* from;
        const char* to;
        bool ok;
        unsigned lo, hi;
    };
    const Case cases[] = {
        {"", "", true, 1, 8000},     {"10", "", true, 10, 8000}, {" 5 ", "7", true, 5, 7},
        {"20", "10", false, 0, 0},   {"0", "3", true, 1, 3},     {"1", "9000", true, 1, 8000},
        {"abc", "", false, 0, 0},    {"", "1,5", false, 0, 0},   {"-5", "4", true, 1, 4},
        {"", "-5", false, 0, 0},     {"99999999999999999999", "", false, 0, 0},
    };
    for (const Case& c : cases) {
        const GoodsNumberRange r = ParseGoodsRange(c.from, c.to);
        EXPECT_EQ(r.Ok, c.ok) << c.from << ".." << c.to;
        if (r.Ok && c.ok) {
            EXPECT_EQ(r.From, c.lo) << c.from;
            EXPECT_EQ(r.To, c.hi) << c.to;
        }
    }
}

TEST(GoodsSyncCopies, CopyToPcWritesExactlyTheSixtyEightBytes)
{
    TestEnvironment env;
    StoreGoods(4, "Stary");
    StoreGoods(6, "Sąsiad");
    const uint8_t tail[15] = {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
    DbWriteBytesAt(GoodsRecordOffset(5) + 68, tail, sizeof tail);
    const std::vector<uint8_t> before = ImageBytes();
    ResetRegisterGoodsMirror();
    emu::Bytes r = RegisterGoods(5, "Nowy", "  590 000 001", 4321);
    r[R::Group] = 3, r[R::Tandem] = 2, r[R::FixedPrice] = 1, r[R::WholeUnits] = 1, r[R::Halo] = 7, r[R::Unit] = 5;
    emu::PutU32(r.data() + R::Quantity, 777);   // counters never reach the image
    RegisterGoodsMirror.Take(r.data());
    EXPECT_FALSE(CopyRegisterGoodsToImage(9));   // empty slot
    ASSERT_TRUE(CopyRegisterGoodsToImage(5));

    const std::vector<uint8_t> after = ImageBytes();
    const uint32_t at = GoodsRecordOffset(5);
    ExpectOnlyChanged(before, after, at, 68);
    EXPECT_EQ(0, std::memcmp(after.data() + at, r.data(), 49));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(after.data() + at + 49), 13), "0059000000001");
    const uint8_t tailBytes[] = {3, 2, 1, 1, 7, 5};
    EXPECT_EQ(0, std::memcmp(after.data() + at + 62, tailBytes, sizeof tailBytes));
}

TEST(GoodsSyncCopies, MirrorTakesEveryFieldTheSendCarried)
{
    TestEnvironment env;
    GoodsRecordFields f = GoodsFields(9, "Nowa nazwa");
    f.Barcode = "1234567890123";
    f.Group = 4, f.Tandem = 1, f.FixedPrice = 1, f.WholeUnits = 0, f.Halo = 6, f.Unit = 2;
    ASSERT_EQ(WriteGoodsRecordToImage(f), 0);
    ResetRegisterGoodsMirror();
    emu::Bytes old = RegisterGoods(9, "Stara", "0000000000000", 100);
    emu::PutU32(old.data() + R::Quantity, 5000);
    emu::PutU32(old.data() + R::Value, 6000);
    old[R::SaleYear] = 0xE9, old[R::SaleHour] = 13, old[R::Halo] = 1, old[R::Unit] = 9, old[82] = 0x77;
    RegisterGoodsMirror.Take(old.data());

    TakeSentGoodsIntoMirror(9);
    const uint8_t* m = RegisterGoodsMirror.Slot(9);
    std::vector<uint8_t> image(68);
    DbReadBytesAt(GoodsRecordOffset(9), image.data(), image.size());
    EXPECT_EQ(0, std::memcmp(m, image.data(), 49));
    EXPECT_EQ(0, std::memcmp(m + 57, image.data() + 49, 18));
    EXPECT_EQ(m[R::Halo], 6);
    EXPECT_EQ(m[R::Unit], 2);
    EXPECT_EQ(0, std::memcmp(m + 49, old.data() + 49, 8));    // counters stay
    EXPECT_EQ(0, std::memcmp(m + 75, old.data() + 75, 6));    // last sale stays
    EXPECT_EQ(m[82], 0x77);
}

TEST(GoodsSyncCopies, CashierCopyWritesThirtyThreeBytesWithoutCounters)
{
    TestEnvironment env;
    const std::vector<uint8_t> before = ImageBytes();
    emu::Bytes r = RegisterCashier(4, "Ewa");
    std::memcpy(r.data() + 22, "1234", 4);
    for (int i = 0; i < 7; ++i)
        r[224 + i] = uint8_t(i % 2);
    emu::PutU32(r.data() + 26, 99999);
    ASSERT_TRUE(CopyRegisterCashierToImage(r.data()));
    EXPECT_FALSE(CopyRegisterCashierToImage(RegisterCashier(0, "Nikt").data()));
    EXPECT_FALSE(CopyRegisterCashierToImage(RegisterCashier(21, "Za daleko").data()));

    const std::vector<uint8_t> after = ImageBytes();
    const uint32_t at = TableOffsets.CashierTable + 3 * CashierRecordSize;
    ExpectOnlyChanged(before, after, at, 33);
    EXPECT_EQ(0, std::memcmp(after.data() + at, r.data(), 26));
    EXPECT_EQ(0, std::memcmp(after.data() + at + 26, r.data() + 224, 7));
    EXPECT_EQ(PcCashierItems().filter("Ewa").size(), 1);
    const CashierDetails d = PcCashierDetails(4);
    EXPECT_EQ(d.Password, "1234");
    EXPECT_EQ(d.Rights[1], "TAK");
    EXPECT_EQ(d.Rights[0], "NIE");
}

TEST(GoodsSyncRange, DeleteFramesCountFromTheLowerBound)
{
    ResetRegisterGoodsMirror();
    for (uint16_t plu : {3, 50, 55})
        RegisterGoodsMirror.Take(RegisterGoods(plu, "X", "", 1).data());
    const auto frames = RangeDeleteFrames(40, 60);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].FrameNumber, 11);
    EXPECT_EQ(frames[1].FrameNumber, 0x8000 | 16);
    EXPECT_TRUE(RangeDeleteFrames(4, 49).empty());
}

TEST(GoodsSyncDetails, RegisterGoodsShowsItsCountersExactly)
{
    ResetRegisterGoodsMirror();
    emu::Bytes r = RegisterGoods(6, "Masło", "5900000000006", 599);
    emu::PutU32(r.data() + R::Quantity, 12345);
    emu::PutU32(r.data() + R::Value, 7395);
    emu::PutU16(r.data() + R::SaleYear, 2026);
    r[R::SaleMonth] = 3, r[R::SaleDay] = 4, r[R::SaleHour] = 7, r[R::SaleMinute] = 5, r[R::Tandem] = 2;
    RegisterGoodsMirror.Take(r.data());
    GoodsDetails d = RegisterGoodsDetails(6);
    EXPECT_EQ(d.Name, QString::fromUtf8("Masło"));
    EXPECT_EQ(d.Quantity, "1,2345");
    EXPECT_EQ(d.Value, "73,95");
    EXPECT_EQ(d.LastSale, "2026-3-4  07:05");
    EXPECT_EQ(d.Tandem, "2");
    EXPECT_EQ(d.Halo, "Brak");
    r[R::SaleHour] = 24;
    RegisterGoodsMirror.Take(r.data());
    EXPECT_EQ(RegisterGoodsDetails(6).LastSale, "Brak");
}

namespace {

// Records every text a painter draws, with its position, and the pages.
class TextRecorder : public QPaintDevice {
public:
    struct Text {
        int Page;
        QPointF At;
        QString Value;
    };
    std::vector<Text> Texts;
    int Page = 1;

    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        // A letter page at 600 dpi.
        switch (m) {
        case PdmWidth: return 4800;
        case PdmHeight: return 6600;
        case PdmWidthMM: return 203;
        case PdmHeightMM: return 279;
        case PdmDepth: return 32;
        case PdmNumColors: return INT_MAX;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        default: return 600;   // the four resolutions
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(TextRecorder& owner) : owner_(owner) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override
        {
            owner_.Texts.push_back({owner_.Page, p, item.text()});
        }
        Type type() const override { return User; }

    private:
        TextRecorder& owner_;
    };
    mutable Engine engine_{*this};
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
        for (const auto& t : device.Texts)
            if (t.Page == p)
                texts.push_back(t.Value);
        EXPECT_TRUE(texts.contains("BAZA TOWAROWA")) << p;
        EXPECT_TRUE(texts.contains(GoodsListHeading)) << p;
        EXPECT_TRUE(texts.contains(QStringLiteral("Strona: %1/%2").arg(p).arg(pages.PageCount))) << p;
        goodsLines += int(texts.size()) - 3;
        EXPECT_LE(int(texts.size()) - 3, pages.LinesPerPage);
    }
    EXPECT_EQ(goodsLines, lines.size());
}
