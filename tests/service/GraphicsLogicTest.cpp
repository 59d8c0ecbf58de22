// The graphics' plain functions: reading pictures (BMP of several depths, JPEG whole, broken,
// cut short and huge), fitting, black and white, contrast, shift and zoom, rows and the BMP.
#include "service/GraphicsLogic.h"
#include "service/JpegDecoder.h"
#include "tests/service/GraphicsTestUtil.h"
#include "tests/support/TestEnvironment.h"

#include <QBuffer>
#include <QFile>
#include <gtest/gtest.h>

TEST(GraphicFiles, BmpDepthsAndJpegLoad)
{
    TestEnvironment env(false);
    const QImage picture = HalfBlackPicture(200, 60);
    const QString bmp8 = QString::fromStdString(env.Path("p8.bmp"));
    ASSERT_TRUE(picture.convertToFormat(QImage::Format_Indexed8).save(bmp8, "BMP"));
    const QString bmp32 = QString::fromStdString(env.Path("p32.bmp"));
    WriteBmp32(bmp32, picture);
    const QString bmp1 = QString::fromStdString(env.Path("p1.bmp"));
    ASSERT_TRUE(picture.convertToFormat(QImage::Format_Mono).save(bmp1, "BMP"));
    const QString jpeg = QString::fromStdString(env.Path("p.jpeg"));
    ASSERT_TRUE(picture.save(jpeg, "JPG", 100));

    const MonoPicture expected = MonochromeOfSource(picture);
    for (const QString& path : {bmp8, bmp32, bmp1, jpeg}) {
        const QImage loaded = LoadGraphicFile(path);
        ASSERT_FALSE(loaded.isNull()) << path.toStdString();
        EXPECT_EQ(loaded.size(), QSize(200, 60));
        if (path != jpeg) {
            EXPECT_TRUE(MonochromeOfSource(loaded) == expected) << path.toStdString();
        }
    }
    EXPECT_TRUE(LoadGraphicFile(QString::fromStdString(env.Path("none.bmp"))).isNull());
    // The extension picks the reader, in any case.
    EXPECT_EQ(GraphicKindOfName("logo.JPG"), GraphicFileKind::Jpeg);
    EXPECT_EQ(GraphicKindOfName("logo.jpg.txt"), GraphicFileKind::Other);
}

TEST(GraphicFiles, BrokenJpegsAreRefusedWithoutEndingTheProgram)
{
    QByteArray good;
    QBuffer buffer(&good);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(HalfBlackPicture(64, 32).save(&buffer, "JPG", 90));
    ASSERT_FALSE(DecodeJpeg(good).isNull());

    QByteArray corrupt = good;
    for (int i = 20; i < corrupt.size() - 2; i += 7)
        corrupt[i] = char(0xFF);
    const QByteArray garbage = QByteArray("\xFF\xD8\xFF\xE0", 4) + "not a jpeg at all";
    QByteArray huge = good;
    // The frame header claims 20000 x 20000 pixels: well over the decoding limit.
    const int sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    for (int at : {sof + 5, sof + 7}) {
        huge[at] = char(20000 >> 8);
        huge[at + 1] = char(20000 & 0xFF);
    }
    const std::pair<const char*, QByteArray> cases[] = {
        {"empty", QByteArray()},
        {"garbage", garbage},
        {"corrupt", corrupt},
        {"truncated", good.left(good.size() / 2)},
        {"header only", good.left(sof + 10)},
        {"huge", huge},
    };
    for (const auto& [name, bytes] : cases)
        EXPECT_TRUE(DecodeJpeg(bytes).isNull()) << name;
}

TEST(GraphicConversion, FittingIgnoresProportionsAndSamplesPixelCentres)
{
    // 1024 x 256 squeezed and 100 x 50 stretched: the black left half stays the left half.
    for (QSize size : {QSize(1024, 256), QSize(100, 50)}) {
        const MonoPicture p = MonochromeOfSource(HalfBlackPicture(size.width(), size.height()));
        for (int y : {0, 47, 95}) {
            EXPECT_TRUE(p.At(0, y));
            EXPECT_TRUE(p.At(191, y));
            EXPECT_FALSE(p.At(192, y));
            EXPECT_FALSE(p.At(383, y));
        }
    }
    // Only pure white is white.
    QImage grey(10, 10, QImage::Format_RGB32);
    grey.fill(qRgb(250, 255, 255));
    EXPECT_TRUE(MonochromeOfSource(grey).At(5, 5));
    grey.fill(Qt::white);
    EXPECT_FALSE(MonochromeOfSource(grey).At(5, 5));
}

TEST(GraphicConversion, ContrastThresholdsEveryChannel)
{
    QImage colour(8, 8, QImage::Format_RGB32);
    colour.fill(qRgb(100, 150, 200));
    const std::pair<int, bool> cases[] = {{0, false}, {99, false}, {100, true}, {150, true}, {199, true}, {255, true}};
    for (const auto& [threshold, black] : cases) {
        const std::optional<MonoPicture> p = ContrastOfSource(colour, threshold);
        ASSERT_TRUE(p.has_value());
        EXPECT_EQ(p->At(100, 50), black) << threshold;
    }
    colour.fill(qRgb(0, 255, 255));
    EXPECT_TRUE(ContrastOfSource(colour, 0)->At(0, 0));   // a channel of 0 stays 0
    // A 1-bit picture stays as it is.
    EXPECT_FALSE(ContrastOfSource(HalfBlackPicture(20, 20).convertToFormat(QImage::Format_Mono), 10).has_value());
}

TEST(GraphicOffsets, ArrowsMoveWithinTheirRangesAndNeverEmptyTheField)
{
    using C = GraphicControl;
    struct Case {
        C Control;
        bool Up;
        int Position;
        GraphicRect Dest;
        bool Moved;
        int PositionAfter;
        GraphicRect DestAfter;
    };
    const Case cases[] = {
        {C::ShiftHorizontal, true, 16, {16, 0, 400, 96}, true, 20, {20, 0, 404, 96}},
        {C::ShiftVertical, true, 93, {}, true, 95, {0, -2, 384, 94}},   // what is left of the range
        {C::ShiftVertical, true, 95, {}, false, 95, {}},                // the end of the range
        {C::ZoomHorizontal, false, 0, {}, true, -4, {4, 0, 380, 96}},
        {C::ZoomBoth, false, -1, {0, 46, 384, 50}, true, -2, {4, 47, 380, 49}},
        {C::ZoomBoth, false, -2, {4, 47, 380, 49}, false, -2, {4, 47, 380, 49}},   // no height left
    };
    for (const Case& c : cases) {
        int position = c.Position;
        GraphicRect dest = c.Dest;
        EXPECT_EQ(StepGraphicControl(c.Control, c.Up, position, dest), c.Moved) << int(c.Control);
        EXPECT_EQ(position, c.PositionAfter) << int(c.Control);
        EXPECT_EQ(dest, c.DestAfter) << int(c.Control);
    }
    // Moved 20 pixels right, the left 20 columns are white.
    const MonoPicture view = ApplyGraphicOffsets(MonochromeOfSource(HalfBlackPicture(384, 96)), {20, 0, 404, 96});
    EXPECT_FALSE(view.At(19, 10));
    EXPECT_TRUE(view.At(20, 10));
    EXPECT_TRUE(view.At(211, 10));
    EXPECT_FALSE(view.At(212, 10));
}

TEST(GraphicRows, TopRowFirstBlackAsOneAndTheBmpFile)
{
    MonoPicture view;
    view.Set(0, 0, true);       // top left
    view.Set(383, 95, true);    // bottom right
    const GraphicBytesArray bytes = GraphicBytesOf(view);
    EXPECT_EQ(GraphicRow(bytes, 0)[0], 0x80);
    EXPECT_EQ(GraphicRow(bytes, 0)[47], 0x00);
    EXPECT_EQ(GraphicRow(bytes, 95)[47], 0x01);
    EXPECT_EQ(bytes[95 * 48], 0x80);   // the BMP's last row is the picture's top row

    // The file reads back as the view: header, palette and bit order all count.
    const QByteArray file = GraphicBmpFile(view);
    ASSERT_EQ(file.size(), 4670);
    const QImage back = QImage::fromData(file, "BMP");
    ASSERT_EQ(back.size(), QSize(384, 96));
    EXPECT_EQ(back.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(back.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_TRUE(MonochromeOfSource(back) == view);
}
