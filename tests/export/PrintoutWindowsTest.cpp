// The keyboard template and the barcode sheet window: the template's geometry and painting, the
// editor driven through its handlers, and both printouts as PDF files.
#include "app/MenuGlowne.h"
#include "core/AppState.h"
#include "export/EksportBazy.h"
#include "export/DrukowanieKodowKreskowych.h"
#include "export/KeyboardTemplate.h"
#include "export/WydrukKlawiatury.h"
#include "platform/Modal.h"
#include "tests/export/ExportTestUtil.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <gtest/gtest.h>

namespace {

int PdfPageCount(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = f.readAll();
    if (!pdf.startsWith("%PDF"))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(pdf).count(page));
}

} // namespace

TEST(KeyboardTemplate, GeometryAt600Dpi)
{
    const KeyboardGeometry g = KeyboardGeometryFor(600);
    EXPECT_EQ(g.S, 307);
    EXPECT_EQ(g.Key24Width, 732);
    EXPECT_EQ(KeyCellRect(1, g), QRect(100, 100, 307, 307));
    EXPECT_EQ(KeyCellRect(10, g), QRect(100 + 4 * 307, 100 + 307, 307, 307));
    EXPECT_EQ(KeyCellRect(21, g), QRect(100, 100 + 4 * 307, 307, 307));
    EXPECT_EQ(KeyCellRect(24, g), QRect(100 + 3 * 307, 100 + 4 * 307, 732, 307));
    // Texts centred in their cell; key 24 in its 31 mm.
    EXPECT_EQ(KeyTextX(7, 100, g), 100 + 307 + (153 - 50));
    EXPECT_EQ(KeyTextX(24, 101, g), 100 + 921 + int(366.14 - 50));
    EXPECT_EQ(KeyTopTextY(7, g), 100 + 307 + 11);
    EXPECT_EQ(KeyMiddleTextY(7, 60, g), 100 + 307 + 153 - 30);
    EXPECT_EQ(KeyBottomTextY(7, 40, g), 100 + 307 + int(307 - 11.81 - 40));
}

TEST(KeyboardTemplate, FontsShrinkToTheirCellAndStopAtOnePoint)
{
    // A text 60 pixels a point wide on a cell of 307: 5 points fit.
    EXPECT_EQ(ShrinkFontSize(6, [](int pt) { return pt * 60 > 307; }), 5);
    EXPECT_EQ(ShrinkFontSize(16, [](int pt) { return pt * 10 > 307; }), 16);
    EXPECT_EQ(ShrinkFontSize(16, [](int) { return true; }), 1);
}

TEST(KeyboardTemplate, PaintsCellsInTheirColoursAndTextsInside)
{
    TestEnvironment env(false);
    KeyboardTemplateData data;
    data.Texts = DefaultKeyLegends();
    data.Texts[6].Bottom = QStringLiteral("WALUTA OBC");   // 10 characters
    data.Texts[23].Middle = QStringLiteral("RAZEM RAZEM");
    for (auto& colours : data.TextColours)
        colours.fill(QColor(Qt::black));
    data.Backgrounds.fill(QColor(Qt::white));
    data.Backgrounds[6] = QColor(255, 255, 0);
    data.ArrowColours.fill(QColor(Qt::red));
    QImage page(2400, 2000, QImage::Format_RGB32);
    page.setDotsPerMeterX(23622);
    page.setDotsPerMeterY(23622);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        PaintKeyboardPage(p, page, data);
    }
    const KeyboardGeometry g = KeyboardGeometryFor(600);
    EXPECT_EQ(page.pixel(KeyCellRect(7, g).topLeft() + QPoint(5, 150)), QColor(255, 255, 0).rgb());
    // Every dark pixel of key 7 lies inside its cell: the long bottom text shrank to fit.
    const QRect cell = KeyCellRect(7, g);
    int dark = 0;
    for (int y = cell.top() + 2; y < cell.bottom() - 1; ++y) {
        EXPECT_NE(qGray(page.pixel(cell.left() + 2, y)), 0) << y;
        EXPECT_NE(qGray(page.pixel(cell.right() - 2, y)), 0) << y;
        for (int x = cell.left() + 2; x < cell.right() - 1; x += 3)
            dark += qGray(page.pixel(x, y)) < 100;
    }
    EXPECT_GT(dark, 50);
    // The arrows are drawn in their colour.
    const QRect arrow = KeyCellRect(15, g);
    bool red = false;
    for (int y = arrow.top(); y < arrow.bottom() && !red; ++y)
        for (int x = arrow.left(); x < arrow.right() && !red; ++x)
            red = QColor(page.pixel(x, y)) == QColor(Qt::red);
    EXPECT_TRUE(red);
}

class KeyboardWindow : public ::testing::Test {
protected:
    TestEnvironment env{false};
    ScriptedPrompts prompts;
    TWydrukKlawiatury w;
};

TEST_F(KeyboardWindow, EditedLegendsAndColoursReachTheKeyAndSurviveReopening)
{
    w.FormShow();
    // Right after opening, the printout gets the defaults on white in the window-text colour.
    w.CollectKeyTextColours();
    EXPECT_EQ(w.KeyTexts[11].Bottom, QString("PŁATNOŚCI"));
    EXPECT_EQ(w.KeyTextColours[0][KeyMiddle], QApplication::palette().color(QPalette::WindowText));
    EXPECT_EQ(w.KeyBackgroundColours[0], QColor(Qt::white));

    w.SelectKeyCell(7);
    EXPECT_EQ(w.Label76->text(), QString("SYMBOLE"));
    w.Button1Click();
    EXPECT_EQ(w.Label83->text(), QString("Edycja tekstu górnego:"));
    EXPECT_TRUE(w.Edit1->isEnabled());
    w.Edit1->setText("ZNAKI");
    w.BitBtn1Click();
    EXPECT_FALSE(w.Edit1->isEnabled());
    EXPECT_EQ(w.KeyTexts[6].Top, QString("ZNAKI"));
    EXPECT_EQ(w.KeyLabels[6][KeyTop]->text(), QString("ZNAKI"));
    // "Ok" with an empty edit empties the text.
    w.Button3Click();
    w.BitBtn1Click();
    EXPECT_EQ(w.KeyTexts[6].Bottom, QString());

    prompts.ChooseColour(QColor(0, 0, 200));
    w.Shape26MouseDown();
    prompts.ChooseColour(QColor(200, 255, 200));
    w.Shape29MouseDown();
    EXPECT_EQ(w.PreviewTextColour(7, KeyTop), QColor(0, 0, 200));
    EXPECT_EQ(w.Shapes[6]->Brush(), QColor(200, 255, 200));

    w.hide();
    w.FormShow();
    EXPECT_EQ(w.SelectedKey, 0);
    EXPECT_EQ(w.KeyTexts[6].Top, QString("ZNAKI"));
    EXPECT_EQ(w.KeyBackgroundColours[6], QColor(200, 255, 200));

    // With no key selected a colour changes the editor only.
    prompts.ChooseColour(QColor(255, 0, 0));
    w.Shape28MouseDown();
    EXPECT_EQ(w.Shape28->Brush(), QColor(255, 0, 0));
    EXPECT_NE(w.PreviewTextColour(7, KeyBottom), QColor(255, 0, 0));
    // A cancelled dialog changes nothing.
    prompts.ChooseColour(QColor());
    w.Shape28MouseDown();
    EXPECT_EQ(w.Shape28->Brush(), QColor(255, 0, 0));
    EXPECT_EQ(prompts.PendingAnswers(), 0u);
}

TEST_F(KeyboardWindow, ArrowKeysAndCopiedColours)
{
    w.FormShow();
    w.SelectKeyCell(4);
    EXPECT_TRUE(w.Label75->isHidden());
    EXPECT_FALSE(w.Label6->isHidden());
    prompts.ChooseColour(QColor(0, 128, 0));
    w.Shape27MouseDown();
    EXPECT_EQ(w.ArrowGlyphColours[0], QColor(0, 128, 0));
    EXPECT_EQ(w.KeyLabels[3][KeyMiddle]->text(), ArrowGlyphOfKey(4));   // the preview keeps its arrow

    w.SelectKeyCell(9);
    EXPECT_FALSE(w.Label75->isHidden());
    prompts.ChooseColour(QColor(10, 20, 30));
    w.Shape29MouseDown();
    w.BitBtn5Click();
    for (int key = 1; key <= KeyCount; ++key)
        EXPECT_EQ(w.Shapes[std::size_t(key - 1)]->Brush(), QColor(10, 20, 30)) << key;
    for (const QColor& c : w.ArrowGlyphColours)
        EXPECT_EQ(c, w.PreviewTextColour(9, KeyMiddle));

    w.Shape24ContextPopup();
    EXPECT_EQ(prompts.Texts(), QStringList{"click"});
}

TEST_F(KeyboardWindow, PrintsOnePdfPage)
{
    w.FormShow();
    w.PdfOutputPath = QString::fromStdString(env.Path("klawiatura.pdf"));
    w.BitBtn3Click();
    EXPECT_EQ(PdfPageCount(w.PdfOutputPath), 1);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST(BarcodeWindow, ListsGoodsAndPrintsTheTickedOnes)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    StoreGoods(3, QStringLiteral("Chleb"), 199, "A", "5907788");
    for (uint16_t plu = 10; plu < 30; ++plu)
        StoreGoods(plu, QStringLiteral("Towar %1").arg(plu), 100, "B", "12345");
    TDrukowanieKodowKreskowych w;
    w.FormShow();
    ASSERT_EQ(w.CheckListBox1->count(), 21);
    EXPECT_EQ(w.Label3->text(), QString("20 mm"));
    w.CheckListBox1->setCurrentRow(0);
    w.CheckListBox1Click();
    EXPECT_EQ(w.Label6->text(), QString("Kod towaru: 0000005907788"));

    w.BitBtn1Click();
    EXPECT_EQ(prompts.Texts(), QStringList{"Brak zaznaczonych towarów do wydrukowania"});

    w.CheckListBox1DblClick();
    for (int i = 1; i < 21; ++i)
        w.CheckListBox1->item(i)->setCheckState(Qt::Checked);
    w.TrackBar1->setValue(71);
    EXPECT_EQ(w.BarHeightMm, 70);
    EXPECT_EQ(w.RowPitchMm, 85);
    w.TrackBar1->setValue(33);
    EXPECT_EQ(w.BarHeightMm, 35);
    w.TrackBar1->setValue(70);
    w.PdfOutputPath = QString::fromStdString(env.Path("kody.pdf"));
    w.BitBtn1Click();
    ASSERT_EQ(w.PrintItems.size(), 21u);
    EXPECT_EQ(w.PrintItems[0].Barcode, "0000005907788");
    EXPECT_EQ(w.PrintItems[0].Name, QString("Chleb"));
    EXPECT_EQ(PdfPageCount(w.PdfOutputPath), 7);   // 3 rows of 70 mm a page

    // Shown again: the list is refilled unticked and the height is 20 mm again.
    w.FormShow();
    EXPECT_EQ(w.CheckListBox1->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(w.BarHeightMm, 20);
}

TEST(ExportOpeners, DispatcherItemsAndTheUnboundButton)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    std::vector<QDialog*> shown;
    SetModalRunner([&](QDialog& d) {
        shown.push_back(&d);
        return int(QDialog::Rejected);
    });
    {
        TMenuGlowne main;
        QDialog* csv = TreeTasks(0)[11].Window();
        QDialog* barcodes = TreeTasks(0)[12].Window();
        EXPECT_EQ(csv, static_cast<QDialog*>(EksportBazy));
        EXPECT_EQ(barcodes, static_cast<QDialog*>(DrukowanieKodowKreskowych));
        EXPECT_TRUE(TreeTasks(0)[11].RefreshAfter && TreeTasks(0)[12].RefreshAfter);
        main.BitBtn1Click();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0], static_cast<QDialog*>(WydrukKlawiatury));
    }
    SetModalRunner({});
}
