// The printouts: Code 128 checked against the standard (a decoder holding ISO/IEC 15417's table as
// bar and space widths reads module strings and a scan line of a painted sheet back to values), the
// keyboard page's painting, and both windows driven through their handlers to PDF files.
#include "export/BarcodeSheet.h"
#include "export/Code128.h"
#include "export/DrukowanieKodowKreskowych.h"
#include "export/KeyboardTemplate.h"
#include "export/WydrukKlawiatury.h"
#include "tests/export/ExportTestUtil.h"
#include "tests/support/OtherUser.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPrinterInfo>
#include <QSlider>
#include <QTimer>
#include <sys/stat.h>

namespace {

// Bar, space, bar, space, bar, space widths of values 0..105 (ISO/IEC 15417), then the stop.
const char* const IsoWidths[107] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};

// Widths of a symbol (bar first, no quiet zones) to its values before the check; fault says what did not hold.
std::vector<int> Decode(const std::vector<int>& widths, std::string& fault)
{
    std::vector<int> v;
    for (std::size_t s = 0, n = 0; s < widths.size(); s += n) {
        n = std::min<std::size_t>(widths.size() - s, widths.size() - s == 7 ? 7 : 6);
        std::string key;
        for (std::size_t i = s; i < s + n; ++i)
            key += char('0' + widths[i]);
        const auto found = std::find(std::begin(IsoWidths), std::end(IsoWidths), key);
        if (found == std::end(IsoWidths))
            return fault = "unknown symbol " + key, v;
        v.push_back(int(found - std::begin(IsoWidths)));
    }
    if (v.size() < 3 || v.back() != 106 || v.front() < 103)
        return fault = "no start or stop", v;
    long sum = v[0];
    for (std::size_t i = 1; i + 2 < v.size(); ++i)
        sum += long(i) * v[i];
    if (sum % 103 != v[v.size() - 2])
        fault = "bad check";
    v.resize(v.size() - 2);
    return v;
}

// Runs of equal modules between the first and last bar, in units of unit modules.
std::vector<int> Runs(const std::vector<bool>& m, int unit)
{
    std::vector<int> widths;
    std::size_t i = std::find(m.begin(), m.end(), true) - m.begin();
    const std::size_t end = m.size() - (std::find(m.rbegin(), m.rend(), true) - m.rbegin());
    for (std::size_t j = i; i < end; i = j) {
        while (j < end && m[j] == m[i])
            ++j;
        widths.push_back(int(j - i + unit / 2) / unit);
    }
    return widths;
}

} // namespace

TEST(Code128, KnownSymbols)
{
    struct Case {
        std::string Text;
        std::vector<int> Values;
    };
    const Case cases[] = {
        {"ABC", {104, 33, 34, 35}},
        {"PJJ123C", {104, 48, 42, 42, 17, 18, 19, 35}},
        {"12345", {105, 12, 34, 100, 21}},
        {"0000005907788", {105, 0, 0, 0, 59, 7, 78, 100, 24}},
        {"A123456", {104, 33, 99, 12, 34, 56}},
        {"AB12345", {104, 33, 34, 17, 18, 19, 20, 21}},    // an odd run of 5 stays in B
        {"AB1234567", {104, 33, 34, 17, 99, 23, 45, 67}},  // 7: one digit in B, then C
        // Control characters in B and lower-case ones in A go under SHIFT, also at the start.
        {"a\x01" "b", {103, 98, 65, 65, 98, 66}},
        {"x\x02yz", {104, 88, 98, 66, 89, 90}},
    };
    for (const Case& c : cases) {
        std::vector<int> values;
        EncodeCode128Values(c.Text, values);
        EXPECT_EQ(values, c.Values) << c.Text;
        std::vector<bool> bits;
        for (char m : Code128ModuleString(c.Values, 1))
            bits.push_back(m == '1');
        std::string fault;
        EXPECT_EQ(Decode(Runs(bits, 1), fault), c.Values) << c.Text;
        EXPECT_EQ(fault, "") << c.Text;
    }
    EXPECT_EQ(Code128ModuleWidth(8), 1);   // the 13-digit code: M = 143
    EXPECT_EQ(Code128ModuleWidth(4), 2);
    EXPECT_EQ(Code128ModuleWidth(21), 0);  // 286 modules do not fit
    for (const std::string& text : {std::string(), std::string("Mąka"), std::string(300, 'a')}) {
        std::vector<int> v{1, 2};
        Code128Row row;
        EXPECT_EQ(EncodeCode128Values(text, v), -1);
        EXPECT_TRUE(v.empty());
        EXPECT_FALSE(Code128RowOfText(text, row));
    }
    EXPECT_TRUE(Code128PatternLookup(106) == nullptr && Code128PatternLookup(-1) == nullptr);
}

TEST(Code128, PaintedSheetScansBack)
{
    TestEnvironment env(false);
    const std::vector<BarcodeSheetItem> items = {{"0000005907788", "Woda"}, {"ABC", "Litery"}, {"12345", "Liczby"}};
    QImage page = Page600(3000, 4000);
    {
        QPainter p(&page);
        PaintBarcodePages(p, page, items, 10, [] { ADD_FAILURE() << "a new page"; });
    }
    const std::vector<BarcodeRowPlace> rows = LayoutBarcodeSheet(3, 4000, 600, 10, 0);
    for (std::size_t r = 0; r < items.size(); ++r) {
        std::vector<bool> line;
        for (int x = 0; x < page.width(); ++x)
            line.push_back(qGray(page.pixel(x, rows[r].Y0 + 100)) < 128);
        std::vector<int> values;
        const int w = Code128ModuleWidth(EncodeCode128Values(items[r].Barcode, values));
        std::string fault;
        EXPECT_EQ(Decode(Runs(line, BarcodeBitPixels * w), fault), values) << items[r].Barcode;
        EXPECT_EQ(fault, "");
        // The first bar starts where the drawing rule puts the first set bit.
        EXPECT_EQ(std::find(line.begin(), line.end(), true) - line.begin(), BarcodeBitX(3000, 0) - BarcodeBitPixels / 2);
    }
}

TEST(KeyboardWindow, EditedLegendsAndColoursReachTheKeysSurviveReopeningAndPrint)
{
    TestEnvironment env(false);
    ScriptedPrompts prompts;
    TWydrukKlawiatury w;
    w.FormShow();
    w.CollectKeyTextColours();   // right after opening: defaults in the window-text colour on white
    EXPECT_EQ(w.KeyTexts[11].Bottom, QString("PŁATNOŚCI"));
    EXPECT_EQ(w.KeyTextColours[0][KeyMiddle], QApplication::palette().color(QPalette::WindowText));

    w.SelectKeyCell(7);
    EXPECT_EQ(w.Label76->text(), QString("SYMBOLE"));
    w.Button1Click();
    w.Edit1->setText("ZNAKI");
    w.BitBtn1Click();
    EXPECT_EQ(w.KeyTexts[6].Top, QString("ZNAKI"));
    w.Button3Click();
    w.BitBtn1Click();   // "Ok" with an empty edit empties the text
    EXPECT_EQ(w.KeyTexts[6].Bottom, QString());
    prompts.ChooseColour(QColor(0, 0, 200));
    w.Shape26MouseDown();
    prompts.ChooseColour(QColor(200, 255, 200));
    w.Shape29MouseDown();
    EXPECT_EQ(w.PreviewTextColour(7, KeyTop), QColor(0, 0, 200));

    w.hide();
    w.FormShow();
    EXPECT_EQ(w.SelectedKey, 0);
    EXPECT_EQ(w.KeyTexts[6].Top, QString("ZNAKI"));
    EXPECT_EQ(w.KeyBackgroundColours[6], QColor(200, 255, 200));
    // With no key selected a colour changes the editor only; a cancelled dialog nothing.
    prompts.ChooseColour(QColor(255, 0, 0));
    w.Shape28MouseDown();
    prompts.ChooseColour(QColor());
    w.Shape28MouseDown();
    EXPECT_EQ(w.Shape28->Brush(), QColor(255, 0, 0));
    EXPECT_NE(w.PreviewTextColour(7, KeyBottom), QColor(255, 0, 0));

    // Arrow keys, colours copied to every key, the printout.
    w.SelectKeyCell(4);
    EXPECT_TRUE(w.Label75->isHidden() && !w.Label6->isHidden());
    prompts.ChooseColour(QColor(0, 128, 0));
    w.Shape27MouseDown();
    EXPECT_EQ(w.ArrowGlyphColours[0], QColor(0, 128, 0));
    EXPECT_EQ(w.KeyLabels[3][KeyMiddle]->text(), ArrowGlyphOfKey(4));   // the preview keeps its arrow

    // The page painted from these: a cell in its colour with a long text inside, an arrow in its own.
    w.KeyTexts[6].Bottom = QStringLiteral("WALUTA OBC");   // 10 characters shrink to the cell
    w.CollectKeyTextColours();
    QImage page = Page600(2400, 2000);
    {
        QPainter p(&page);
        PaintKeyboardPage(p, page, {w.KeyTexts, w.KeyTextColours, w.KeyBackgroundColours, w.ArrowGlyphColours});
    }
    const KeyboardGeometry g = KeyboardGeometryFor(600);
    const QRect cell = KeyCellRect(7, g), arrow = KeyCellRect(4, g);
    EXPECT_EQ(page.pixel(cell.topLeft() + QPoint(5, 150)), QColor(200, 255, 200).rgb());
    int green = 0;
    for (int y = cell.top() + 2; y < cell.bottom() - 1; ++y) {
        EXPECT_EQ(page.pixel(cell.left() + 2, y), page.pixel(cell.right() - 2, y)) << y;   // nothing at the edges
        green += QColor(page.pixel(arrow.center().x(), y + arrow.top() - cell.top())) == QColor(0, 128, 0);
    }
    EXPECT_GT(green, 5);

    // Each key's legends land in its own cell: with one key written, every other cell stays blank.
    const auto inked = [](const QImage& image, const QRect& r) {
        const QImage inside = image.copy(r.adjusted(3, 3, -3, -3));
        return inside != Page600(inside.width(), inside.height());
    };
    for (int key : {1, 7, 24}) {
        KeyboardTemplateData one;
        one.Texts[std::size_t(key - 1)] = {"A", "B", "C"};
        one.TextColours.fill({Qt::black, Qt::black, Qt::black});
        one.Backgrounds.fill(Qt::white);
        one.ArrowColours.fill(Qt::white);
        QImage alone = Page600(2400, 2000);
        QPainter p(&alone);
        PaintKeyboardPage(p, alone, one);
        p.end();
        for (int k = 1; k <= KeyCount; ++k)
            EXPECT_EQ(inked(alone, KeyCellRect(k, g)), k == key) << "written " << key << ", cell " << k;
    }

    w.SelectKeyCell(9);
    prompts.ChooseColour(QColor(10, 20, 30));
    w.Shape29MouseDown();
    w.BitBtn5Click();
    for (int key = 1; key <= KeyCount; ++key)
        EXPECT_EQ(w.Shapes[std::size_t(key - 1)]->Brush(), QColor(10, 20, 30)) << key;
    for (const QColor& c : w.ArrowGlyphColours)
        EXPECT_EQ(c, w.PreviewTextColour(9, KeyMiddle));
    w.Shape24ContextPopup();
    EXPECT_EQ(prompts.Texts(), QStringList{"click"});
    EXPECT_EQ(prompts.PendingAnswers(), 0u);

    w.PdfOutputPath = QString::fromStdString(env.Path("klawiatura.pdf"));
    w.BitBtn3Click();
    EXPECT_EQ(PdfPageCount(w.PdfOutputPath), 1);
    EXPECT_EQ(w.KeyBackgroundColours[23], QColor(10, 20, 30));
}

TEST(BarcodeWindow, ListsGoodsAndPrintsTheTickedOnes)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    StoreGoods(3, "Chleb", 199, "A", "5907788");
    for (uint16_t plu = 10; plu < 30; ++plu)
        StoreGoods(plu, "Towar", 100, "B", "12345");
    TDrukowanieKodowKreskowych w;
    w.FormShow();
    ASSERT_EQ(w.CheckListBox1->count(), 21);
    EXPECT_EQ(w.CheckListBox1->item(0)->text(), QString("   3. ") + QString("Chleb").leftJustified(20) + "       1,99 A");
    w.CheckListBox1->setCurrentRow(0);
    w.CheckListBox1Click();
    EXPECT_EQ(w.Label6->text(), QString("Kod towaru: 0000005907788"));
    w.BitBtn1Click();
    EXPECT_EQ(prompts.Texts(), QStringList{"Brak zaznaczonych towarów do wydrukowania"});

    w.CheckListBox1DblClick();
    for (int i = 1; i < 21; ++i)
        w.CheckListBox1->item(i)->setCheckState(Qt::Checked);
    w.TrackBar1->setValue(68);
    EXPECT_EQ(w.Label3->text(), QString("70 mm"));
    EXPECT_EQ(w.RowPitchMm, 85);
    w.PdfOutputPath = QString::fromStdString(env.Path("kody.pdf"));
    w.BitBtn1Click();
    ASSERT_EQ(w.PrintItems.size(), 21u);
    EXPECT_EQ(w.PrintItems[0].Barcode, "0000005907788");
    EXPECT_EQ(w.PrintItems[0].Name, QString("Chleb"));
    EXPECT_EQ(PdfPageCount(w.PdfOutputPath), 7);   // 3 rows of 70 mm a page
    w.FormShow();   // refilled unticked, 20 mm again
    EXPECT_EQ(w.CheckListBox1->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(w.BarHeightMm, 20);
}

// A printout into a file goes through the program's own writer: a place that cannot take the
// file says so as a save does, and another user's link there is replaced, never written through.
// Without a printer the file is named in the program's own dialog, and what is there (a FIFO)
// is replaced only after the program's question: no toolkit dialog opens it.
TEST(Printouts, PdfFilesAreWrittenWholeByTheProgramsWriter)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    const bool printers = !QPrinterInfo::availablePrinterNames().isEmpty();
    StoreGoods(3, "Chleb", 199, "A", "5907788");
    TWydrukKlawiatury keyboard;
    TDrukowanieKodowKreskowych barcodes;
    barcodes.FormShow();
    barcodes.CheckListBox1->item(0)->setCheckState(Qt::Checked);
    const std::tuple<std::string, QString*, std::function<void()>> cases[] = {
        {"klawiatura", &keyboard.PdfOutputPath, [&] { keyboard.BitBtn3Click(); }},
        {"kody", &barcodes.PdfOutputPath, [&] { barcodes.BitBtn1Click(); }}};
    PlantedLink planted;
    const bool root = MakeSharedAndPrivateFolders(env.Folder(), planted);
    for (const auto& [name, path, print] : cases) {
        if (!printers) {
            const QString chosen = QString::fromStdString(env.Path("wydruk-" + name));
            ASSERT_EQ(::mkfifo((chosen + ".pdf").toLocal8Bit().constData(), 0600), 0);
            for (const PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Yes}) {
                prompts.SaveFile(chosen);
                prompts.Answer(answer);
                QTimer::singleShot(500, &keyboard, [] {   // a toolkit dialog would wait for a user
                    if (QWidget* modal = QApplication::activeModalWidget())
                        modal->close();
                });
                print();
            }
            const QString question = "Plik " + chosen + ".pdf już istnieje. Kontynuować? ";
            EXPECT_EQ(prompts.TakeTexts(), QStringList(2, question)) << name;
            EXPECT_EQ(PdfPageCount(chosen + ".pdf"), 1) << name;
        }
        *path = QString::fromStdString(env.Path(name + ".pdf"));
        ASSERT_TRUE(QDir().mkdir(*path));
        print();
        EXPECT_EQ(prompts.TakeTexts(), QStringList{"Nie mogę zapisać do pliku" + *path + "."}) << name;
        if (!root)
            continue;
        *path = QString::fromStdString(planted.Shared + "/" + name + ".pdf");
        ASSERT_TRUE(PlantForeignLink(planted.PrivateFile, path->toStdString())) << name;
        print();
        EXPECT_EQ(PdfPageCount(*path), 1) << name;
        EXPECT_TRUE(ReadWhole(planted.PrivateFile) == planted.PrivateBytes) << name;
    }
    if (!root || printers)
        GTEST_SKIP() << "the planted links need root, the save dialog a system without printers";
}
