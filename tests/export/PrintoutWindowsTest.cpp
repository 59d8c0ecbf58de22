// The keyboard template and the barcode sheet window: the template's painting, the
// windows driven through their handlers, both printouts as PDF files.
#include "core/AppState.h"
#include "export/DrukowanieKodowKreskowych.h"
#include "export/KeyboardTemplate.h"
#include "export/WydrukKlawiatury.h"
#include "tests/export/ExportTestUtil.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QSlider>
#include <gtest/gtest.h>

TEST(KeyboardTemplate, PaintsCellsInTheirColoursAndLongTextsInside)
{
    TestEnvironment env(false);
    KeyboardTemplateData data{DefaultKeyLegends(), {}, {}, {}};
    data.Texts[6].Bottom = QStringLiteral("WALUTA OBC");   // 10 characters shrink to the cell
    for (auto& colours : data.TextColours)
        colours.fill(QColor(Qt::black));
    data.Backgrounds.fill(QColor(Qt::white));
    data.Backgrounds[6] = QColor(255, 255, 0);
    data.ArrowColours.fill(QColor(Qt::red));
    QImage page = Page600(2400, 2000);
    {
        QPainter p(&page);
        PaintKeyboardPage(p, page, data);
    }
    const KeyboardGeometry g = KeyboardGeometryFor(600);
    const QRect cell = KeyCellRect(7, g), arrow = KeyCellRect(15, g);
    EXPECT_EQ(page.pixel(cell.topLeft() + QPoint(5, 150)), QColor(255, 255, 0).rgb());
    int red = 0;
    for (int y = cell.top() + 2; y < cell.bottom() - 1; ++y) {
        EXPECT_EQ(page.pixel(cell.left() + 2, y), page.pixel(cell.right() - 2, y)) << y;   // nothing at the edges
        red += QColor(page.pixel(arrow.center().x(), y + arrow.top() - cell.top())) == QColor(Qt::red);
    }
    EXPECT_GT(red, 10);
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
