// The graphics window: the shift and zoom arrows, opening pictures, the send of the 96 rows and
// the deletes against the emulator with faults aimed at one row, and the saved file.
#include "core/DatabaseFiles.h"
#include "service/GrafikaNaglowek.h"
#include "service/JpegDecoder.h"
#include "tests/service/ServiceTestUtil.h"
#include "tests/support/OtherUser.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QProgressBar>
#include <ctime>

namespace {

using RowFault = emu::RegisterEmulator::GraphicRowFault;

// Black on the left half, white on the right.
QImage HalfBlackPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x)
            image.setPixel(x, y, qRgb(0, 0, 0));
    return image;
}

// A 384 x 96 run-length BMP (8 bits, black) of rows rows; its header gives the data's size, or 0.
QByteArray Rle8Bmp(int rows, bool sized)
{
    const QByteArray data = QByteArray::fromHex("FF0081000000").repeated(rows);   // 255 + 129 dots, end of row
    QByteArray bmp;
    QDataStream out(&bmp, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0x4D42) << quint32(62 + data.size()) << quint32(0) << quint32(62) << quint32(40)
        << qint32(384) << qint32(96) << quint16(1) << quint16(8) << quint32(1) << quint32(sized ? data.size() : 0)
        << quint32(0) << quint32(0) << quint32(2) << quint32(0) << quint32(0) << quint32(0xFFFFFF);
    return bmp + data;
}

// A progressive scan after the DC one: component, band start and end, bit above and bit now.
struct AcScan { int Component, Ss, Se, Ah, Al; };

// A progressive JPEG of a flat grey picture, every coefficient zero, that costs nothing to make
// however large it is: the DC scan of all components (one code "0" a block), then the given scans,
// each one pass of end-of-band runs of 255 blocks (code "0" and seven one bits, byte 0x7F).
QByteArray FlatProgressiveJpeg(int width, int height, int components, const std::vector<AcScan>& scans)
{
    auto table = [](char kind, char symbol) { return kind + QByteArray(1, 1) + QByteArray(15, 0) + symbol; };
    auto u16 = [](int v) { return QByteArray(1, char(v >> 8)) + char(v & 0xFF); };
    QByteArray data = QByteArray::fromHex("FFD8FFDB004300") + QByteArray(64, 1) + QByteArray::fromHex("FFC2") +
                      u16(8 + 3 * components) + char(8) + u16(height) + u16(width) + char(components);
    for (int c = 1; c <= components; ++c)
        data += QByteArray(1, char(c)) + char(0x11) + char(0);
    data += QByteArray::fromHex("FFC40026") + table(0, 0) + table(0x10, 0x70);
    data += QByteArray::fromHex("FFDA") + u16(6 + 2 * components) + char(components);
    for (int c = 1; c <= components; ++c)
        data += QByteArray(1, char(c)) + char(0);
    const qint64 blocks = qint64((width + 7) / 8) * ((height + 7) / 8);
    data += QByteArray(3, 0) + QByteArray((blocks * components + 7) / 8, 0);
    for (const AcScan& s : scans)
        data += QByteArray::fromHex("FFDA000801") + char(s.Component) + char(0) + char(s.Ss) + char(s.Se) +
                char(s.Ah << 4 | s.Al) + QByteArray((blocks + 254) / 255, 0x7F);
    return data + QByteArray::fromHex("FFD9");
}

// n scans of one grey component: every AC coefficient alone at each bit from 13 down to 0.
std::vector<AcScan> BitScans(int n)
{
    std::vector<AcScan> scans;
    for (int k = 1; k < 64; ++k)
        for (int al = 13; al >= 0 && int(scans.size()) < n; --al)
            scans.push_back({1, k, k, al == 13 ? 0 : al + 1, al});
    return scans;
}

struct GraphicsBench : WindowBench<TGrafikaNaglowek> {
    QString logo;

    GraphicsBench()
    {
        logo = QString::fromStdString(env.Path("logo.bmp"));
        HalfBlackPicture(400, 100).save(logo, "BMP");
    }
    bool Open(const QString& path)
    {
        prompts.OpenFile(path);
        w.SpeedButton4Click();
        return w.GraphicLoaded;
    }
};

} // namespace

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
}

TEST(GraphicsWindow, OpenCancelAndBadFiles)
{
    GraphicsBench b;
    b.w.BitBtn2Click();
    EXPECT_EQ(b.prompts.TakeTexts(), QStringList{"Brak wczytanego obrazu!"});

    ASSERT_TRUE(b.Open(b.logo));
    EXPECT_EQ(b.w.Label7->text(), "logo.bmp");
    EXPECT_EQ(b.w.LabelSzerokosc->text(), "384");
    EXPECT_EQ(b.w.LabelWysokosc->text(), "96");
    const MonoPicture view = b.w.PrintViewBitmap;
    EXPECT_TRUE(view.At(0, 0));
    EXPECT_FALSE(view.At(383, 0));

    // A cancelled dialog, a file that is not a picture, another extension, a JPEG with garbage in
    // its data, BMP files cut short (also run-length coded ones), and JPEG files asking too much
    // work (pixels, passes, bytes, arithmetic coding) change nothing, and are refused quickly.
    b.prompts.OpenFile(QString());
    b.w.SpeedButton4Click();
    QByteArray corrupt;
    QBuffer buffer(&corrupt);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && HalfBlackPicture(400, 100).save(&buffer, "JPG"));
    corrupt.insert(corrupt.size() / 2, QByteArray(400, 'Z'));
    // Comment segments make a small picture a file too large to decode within the bound.
    const QByteArray comment = QByteArray::fromHex("FFFEFFFF") + QByteArray(0xFFFD, 'c');
    QByteArray padded = FlatProgressiveJpeg(384, 96, 3, {});
    padded.insert(2, comment.repeated(int(JpegMaxFileBytes / comment.size()) + 1));
    // An 8 x 8 grey picture, arithmetic-coded: whole and correct, but no camera writes one.
    const QByteArray arithmetic = QByteArray::fromHex("FFD8FFDB004300") + QByteArray(64, 1) +
                                  QByteArray::fromHex("FFC9000B080008000801011100FFCC000600101005FFDA000801010000"
                                                      "3F00F8D5C618A460B9F0F835BD29AE9CFFD9");
    QStringList refused;
    for (const auto& [name, bytes] : {std::pair{"broken.jpg", QByteArray("\x89PNG\r\n")},
                                      {"logo.png", QByteArray("\x89PNG\r\n")},
                                      {"corrupt.jpg", corrupt},
                                      {"short.bmp", GraphicBmpFile(MonoPicture{}).left(154)},
                                      {"rle.bmp", Rle8Bmp(3, false)},
                                      {"rle3.bmp", Rle8Bmp(3, true)},
                                      {"scans.jpg", FlatProgressiveJpeg(8000, 8000, 1, BitScans(882))},
                                      {"large.jpg", FlatProgressiveJpeg(8000, 8000, 1, {})},
                                      {"passes.jpg", FlatProgressiveJpeg(4000, 4000, 1, BitScans(60))},
                                      {"padded.jpg", padded},
                                      {"arithmetic.jpg", arithmetic}}) {
        const QString path = QString::fromStdString(b.env.Path(name));
        WriteFileWhole(b.env.Path(name), reinterpret_cast<const uint8_t*>(bytes.data()), std::size_t(bytes.size()), false);
        const std::clock_t start = std::clock();
        b.Open(path);
        EXPECT_LT((std::clock() - start) * 1000 / CLOCKS_PER_SEC, JpegDecodeBoundMs) << name;
        refused += "Nie mogę otworzyc pliku" + path + ".";
    }
    EXPECT_EQ(b.prompts.Texts(), refused);
    EXPECT_TRUE(b.w.PrintViewBitmap == view);
    EXPECT_EQ(b.w.Label7->text(), "logo.bmp");
    EXPECT_EQ(b.w.GraphicFileName, b.logo);
    WriteWhole(b.env.Path("rle.bmp"), Rle8Bmp(96, true).toStdString());
    ASSERT_TRUE(b.Open(QString::fromStdString(b.env.Path("rle.bmp"))));
    EXPECT_TRUE(b.w.PrintViewBitmap.At(383, 95));

    // ".jpeg" is read as JPEG; open resets every shift and zoom.
    b.w.UpDown10Click(true);
    b.w.UpDown1Click(true);
    const QString jpeg = QString::fromStdString(b.env.Path("logo.jpeg"));
    ASSERT_TRUE(HalfBlackPicture(400, 100).save(jpeg, "JPG", 100));
    ASSERT_TRUE(b.Open(jpeg));
    EXPECT_EQ(b.w.UpDown10->Position, 0);
    EXPECT_EQ(b.w.UpDown1->Position, 0);
    EXPECT_EQ(b.w.GraphicDestRect, GraphicRect{});
    EXPECT_TRUE(b.w.PrintViewBitmap.At(10, 50));
    EXPECT_FALSE(b.w.PrintViewBitmap.At(300, 50));

    // A progressive colour photo of 4000 x 3000 loads within the bound, in the scans its encoder
    // writes by default: low frequencies of the brightness, colour, then every band bit by bit.
    const std::vector<AcScan> photoScans = {{1, 1, 5, 0, 2}, {3, 1, 63, 0, 1}, {2, 1, 63, 0, 1}, {1, 6, 63, 0, 2},
                                            {1, 1, 63, 2, 1}, {3, 1, 63, 1, 0}, {2, 1, 63, 1, 0}, {1, 1, 63, 1, 0}};
    WriteWhole(b.env.Path("photo.jpg"), FlatProgressiveJpeg(4000, 3000, 3, photoScans).toStdString());
    const std::clock_t start = std::clock();
    b.Open(QString::fromStdString(b.env.Path("photo.jpg")));
    EXPECT_LT((std::clock() - start) * 1000 / CLOCKS_PER_SEC, JpegDecodeBoundMs);
    EXPECT_EQ(b.w.Label7->text(), "photo.jpg");

    // Contrast works on the picture as decoded: grey 120 is white only below 120.
    QImage grey(384, 96, QImage::Format_RGB32);
    grey.fill(qRgb(120, 120, 120));
    ASSERT_TRUE(grey.save(b.logo, "BMP") && b.Open(b.logo));
    EXPECT_TRUE(b.w.PrintViewBitmap.At(200, 50));
    for (int i = 0; i < 5; ++i)
        b.w.UpDown2Click(false);
    EXPECT_FALSE(b.w.PrintViewBitmap.At(200, 50));
}

TEST(GraphicsWindow, SendStoresTheViewRowByRowSaveWritesItDeletesReportAndFaultsAtOneRow)
{
    GraphicsBench b;
    ASSERT_TRUE(b.fx.ConnectLink(false, 4));
    ASSERT_TRUE(b.Open(b.logo));
    b.w.UpDown9Click(true);    // three rows up: the bottom three rows are white
    b.w.UpDown10Click(true);   // four columns right: black from column 4 to 195, top bit first
    const MonoPicture view = b.w.PrintViewBitmap;
    emu::Bytes row(48, 0);
    std::fill(row.begin(), row.begin() + 25, 0xFF);
    row[0] = 0x0F;
    row[24] = 0xF0;

    b.w.BitBtn2Click();
    EXPECT_EQ(b.prompts.TakeTexts(), QStringList{"Zakończono wysyłanie."});
    const emu::Bytes stored = b.fx.Emu().GraphicRows('l');
    const auto frames = b.fx.Emu().ReceivedFramesWithCommand('l');
    ASSERT_EQ(frames.size(), 96u);
    for (int r = 0; r < 96; ++r) {
        EXPECT_EQ(emu::Bytes(stored.begin() + r * 48, stored.begin() + r * 48 + 48), r < 93 ? row : emu::Bytes(48, 0))
            << r;
        EXPECT_EQ(emu::GetU16(&frames[std::size_t(r)][4]), r == 95 ? 0x8001 : 1);
    }
    EXPECT_EQ(b.w.ProgressBar1->value(), 0);

    b.w.BitBtn1Click();
    EXPECT_EQ(b.prompts.Texts(), QStringList{"Zakończono wysyłanie."});
    EXPECT_EQ(b.fx.Emu().GraphicRows('d'), b.fx.Emu().GraphicRows('l'));

    // The saved file holds the view; an existing one is kept unless the user agrees.
    const QString saved = QString::fromStdString(b.env.Path("out"));
    b.prompts.SaveFile(saved);
    b.prompts.SaveFile(saved + ".bmp");
    b.prompts.Answer(PromptAnswer::No);
    b.w.SpeedButton1Click();
    b.w.Button1Click();
    b.w.SpeedButton1Click();
    EXPECT_EQ(b.prompts.TakeTexts().last(), "Plik " + saved + ".bmp już istnieje.Kontynuować? ");
    // A link that names nothing yet counts as a file already there.
    const QString dangling = QString::fromStdString(b.env.Path("link.bmp"));
    ASSERT_TRUE(QFile::link(QString::fromStdString(b.env.Path("none.bmp")), dangling));
    b.prompts.SaveFile(dangling);
    b.prompts.Answer(PromptAnswer::No);
    b.w.SpeedButton1Click();
    EXPECT_EQ(b.prompts.TakeTexts(), QStringList{"Plik " + dangling + " już istnieje.Kontynuować? "});
    // It reads back as the view: header, palette, row order and bit order all count.
    QFile f(saved + ".bmp");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray file = f.readAll();
    EXPECT_EQ(file.size(), 4670);
    EXPECT_TRUE(MonochromeOfSource(QImage::fromData(file, "BMP")) == view);

    // The deletes report only what the register did.
    b.w.BitBtn8Click();
    b.w.BitBtn3Click();
    EXPECT_EQ(b.prompts.TakeTexts(), (QStringList{"Nagłówek skasowany", "Stopka skasowana"}));
    const auto deletes = b.fx.Emu().ReceivedFramesWithCommand(0x09);
    ASSERT_EQ(deletes.size(), 2u);
    EXPECT_EQ(deletes[0][7], 'N');
    EXPECT_EQ(deletes[1][7], 'S');

    b.fx.Emu().LockFaults()->PrintingReplies = 2;
    b.w.BitBtn8Click();
    b.fx.Emu().LockFaults()->ErrorCode = 80;
    b.w.BitBtn8Click();
    b.fx.Emu().LockFaults()->SilentRequests = 1;
    b.w.BitBtn3Click();
    EXPECT_EQ(b.prompts.TakeTexts(), (QStringList{"Nagłówek skasowany", ErrorText(80), "Brak komunikacji."}));

    // A fault at row 10: an open receipt stops the send, an error frame is sent again once.
    struct Case {
        const char* Name;
        RowFault Fault;
        QStringList Messages;
        std::size_t FramesSent;
    };
    const Case cases[] = {
        {"receipt open", {10, RowFault::Kind::ReceiptOpen, 1, 0}, {"Operacja niedozwolona:\nOtwarty Paragon!"}, 11},
        {"error once", {10, RowFault::Kind::ErrorFrame, 1, 80}, {"Zakończono wysyłanie."}, 97},
        {"error twice", {10, RowFault::Kind::ErrorFrame, 2, 80}, {ErrorText(80)}, 12},
        {"silence", {10, RowFault::Kind::Silence, 1, 0}, {"Brak komunikacji."}, 11},
    };
    for (const Case& c : cases) {
        b.fx.Emu().ClearReceived();
        b.fx.Emu().SetGraphicRowFault(c.Fault);
        b.w.BitBtn2Click();
        EXPECT_EQ(b.prompts.TakeTexts(), c.Messages) << c.Name;
        const auto sent = b.fx.Emu().ReceivedFramesWithCommand('l');
        ASSERT_EQ(sent.size(), c.FramesSent) << c.Name;
        EXPECT_EQ(sent.back()[7], c.FramesSent >= 96 ? 95 : 10) << c.Name;
    }
}

TEST(GraphicsWindow, SaveReplacesAnotherUsersLinkAndNeverWritesWhereItPoints)
{
    GraphicsBench b;
    PlantedLink planted;
    if (!MakeSharedAndPrivateFolders(b.env.Folder(), planted))
        GTEST_SKIP() << "needs root to give a link to a second user";
    const QString link = QString::fromStdString(planted.Shared + "/logo.bmp");
    ASSERT_TRUE(b.Open(b.logo) && PlantForeignLink(planted.PrivateFile, link.toStdString()));
    b.prompts.SaveFile(link);
    b.prompts.Answer(PromptAnswer::Yes);
    b.w.SpeedButton1Click();
    EXPECT_EQ(b.prompts.TakeTexts(), QStringList{"Plik " + link + " już istnieje.Kontynuować? "});
    EXPECT_EQ(ReadWhole(link.toStdString()).size(), GraphicBmpFileSize);
    EXPECT_TRUE(ReadWhole(planted.PrivateFile) == planted.PrivateBytes) << "the private file was written";
}
