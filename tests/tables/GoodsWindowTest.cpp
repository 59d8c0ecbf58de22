// The goods window, the goods editor and the two goods lists, driven through their handlers
// against a fresh image (no register).
#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "platform/Cp1250.h"
#include "platform/Modal.h"
#include "tables/EdycjaTowaru.h"
#include "tables/GoodsLogic.h"
#include "tables/ListaTowarow.h"
#include "tables/ListaTowarowTandem.h"
#include "tables/ProgramowanieTowarow.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"
#include "tests/tables/QtPrinting.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

#include <cstring>

namespace {

void Store(uint16_t plu, const QString& name, uint32_t price = 100, uint8_t unit = 0, uint8_t tandem = 0)
{
    GoodsRecordFields f;
    f.Plu = plu;
    f.Name = ToCp1250(name);
    f.VatLetter = "B";
    f.Price = price;
    f.Barcode = "42";
    f.Group = 1;
    f.Tandem = tandem;
    f.WholeUnits = 1;
    f.Unit = unit;
    ASSERT_EQ(WriteGoodsRecordToImage(f), 0);
}

struct ModalGuard {
    explicit ModalGuard(ModalRunner r) { SetModalRunner(std::move(r)); }
    ~ModalGuard() { SetModalRunner({}); }
};

void PressKey(QWidget& w, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&w, &press);
}

void Fill(TProgramowanieTowarow& w, const QString& plu, const QString& name, const QString& price)
{
    w.Edit1->setText(plu);
    w.Edit2->setText(name);
    w.Edit3->setText(price);
}

} // namespace

TEST(GoodsWindow, ShowListsTheGoodsAndProposesAFreePlu)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    Store(1, "Chleb");
    Store(2, "Masło", 1234);
    Store(4, "Woda");
    TProgramowanieTowarow w;
    EXPECT_EQ(ProgramowanieTowarow, &w);
    w.FormShow();
    ASSERT_EQ(w.GridRowCount(), 3);
    QStringList row;
    for (int c = 0; c <= 10; ++c)
        row << w.GridCell(1, c);
    EXPECT_EQ(row, QStringList({"2", "Masło", "B", "12,34", "0000000000042", "1 Grupa podstawowa", "Brak", "Nie",
                                "Tak", "Brak", "Brak"}));
    EXPECT_EQ(w.Label10->text(), QString("7997/8000a"));
    EXPECT_EQ(w.ProgressBar1->value(), 7997);
    EXPECT_EQ(w.Edit1->text(), QString("3"));
    EXPECT_EQ(w.ComboBox2->itemText(0), QString("1. Grupa podstawowa"));
    EXPECT_EQ(w.ComboBox4->itemText(9), QString("9. 500,00"));
    EXPECT_TRUE(prompts.Texts().isEmpty());

    // The older model: the bar runs to its capacity.
    App.MaxGoodsCount = 2000;
    App.GoodsRecordSize = 69;
    w.FillGoodsGrid();
    EXPECT_EQ(w.ProgressBar1->maximum(), 2000);
}

TEST(GoodsWindow, AddWritesTheRecordAndPreparesTheNext)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    Store(6, "Stary");
    TProgramowanieTowarow w;
    w.FormShow();
    Fill(w, "5", "Chleb razowy", "3.5");
    w.Edit4->setText("5907788");
    w.ComboBox1->setCurrentIndex(2);
    w.ComboBox5->setCurrentIndex(3);
    w.CheckBox1->setChecked(true);
    App.DatabaseModified = 0;
    w.BitBtn4Click();

    EXPECT_TRUE(prompts.Texts().isEmpty());
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(ReadGoodsName(5), "Chleb razowy");
    const uint32_t at = GoodsRecordOffset(5);
    EXPECT_EQ(DbReadU32At(at + GoodsField::Price), 350u);
    EXPECT_EQ((std::vector<uint8_t>{DbReadByteAt(at + GoodsField::Vat), DbReadByteAt(at + GoodsField::FixedPrice),
                                    DbReadByteAt(at + GoodsField::Unit)}),
              (std::vector<uint8_t>{'C', 1, 3}));
    EXPECT_EQ(w.GridRowCount(), 2);
    EXPECT_EQ(w.Edit2->text() + w.Edit4->text() + w.Edit3->text(), QString("0,00"));
    EXPECT_EQ(w.Edit1->text(), QString("7"));   // 6 is taken

    // The same name under another number is refused and nothing changes.
    App.DatabaseModified = 0;
    Fill(w, "9", "CHLEB-RAZOWY", "1,00");
    w.CheckBox1->setChecked(false);
    w.BitBtn4Click();
    EXPECT_EQ(prompts.LastText(), QString("Towar CHLEBRAZOWY jest już zapisany w bazie pod numerem 5"));
    EXPECT_FALSE(GoodsSlotUsed(9));
    EXPECT_EQ(App.DatabaseModified, 0);
    EXPECT_EQ(w.Edit2->text(), QString("CHLEB-RAZOWY"));
}

TEST(GoodsWindow, EmptyFieldsShowTheirLabelsWithoutAMessage)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    TProgramowanieTowarow w;
    w.show();   // the labels can only be seen on a shown window
    Fill(w, "", "", "1,00");
    w.BitBtn4Click();
    EXPECT_TRUE(w.Label8->isVisible());
    EXPECT_TRUE(w.Label7->isVisible());
    EXPECT_FALSE(w.Label9->isVisible());
    EXPECT_EQ(w.Label7->text(), QString("Wprowadź nazwę!"));
    EXPECT_TRUE(prompts.Texts().isEmpty());
    Fill(w, "1", "Sok", "1,00");
    w.BitBtn4Click();
    EXPECT_FALSE(w.Label8->isVisible());
    EXPECT_FALSE(w.Label7->isVisible());
    EXPECT_TRUE(GoodsSlotUsed(1));
    w.hide();
}

TEST(GoodsWindow, FailedImageStreamTellsAndWritesNothing)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    TProgramowanieTowarow w;
    w.FormShow();
    DatabaseImage.MarkFailed();
    Fill(w, "3", "Sok", "1,00");
    w.BitBtn4Click();
    EXPECT_EQ(prompts.Texts(), QStringList{"     Plik zamknięty.     "});
    EXPECT_EQ(App.DatabaseModified, 0);
}

TEST(GoodsWindow, TextsOutsideTheCodePageAreRefusedAndNothingIsWritten)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    TProgramowanieTowarow w;
    w.FormShow();
    const std::vector<uint8_t> before = [] {
        std::vector<uint8_t> b(ImageSize);
        DbReadBytesAt(0, b.data(), b.size());
        return b;
    }();
    Fill(w, "3", "Чай", "1,00");
    w.BitBtn4Click();
    w.Edit2->setText("Herbata");
    w.Edit4->setText("59０0");
    w.BitBtn4Click();
    EXPECT_EQ(prompts.Texts(), QStringList({"Tekst „Чай” zawiera znaki, których kasa nie obsługuje: Ч а й",
                                            "Tekst „59０0” zawiera znaki, których kasa nie obsługuje: ０"}));
    std::vector<uint8_t> after(ImageSize);
    DbReadBytesAt(0, after.data(), after.size());
    EXPECT_EQ(after, before);
    EXPECT_EQ(App.DatabaseModified, 0);
}

TEST(GoodsWindow, EnterAddsOrSearchesByFocus)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    Store(1, "Chleb");
    Store(2, "Mleko");
    TProgramowanieTowarow w;
    w.show();
    w.Edit5->setText("mle");
    w.Edit5->setFocus();
    ASSERT_EQ(w.focusWidget(), w.Edit5);
    EXPECT_TRUE(w.FormKeyDown(Qt::Key_Return));
    EXPECT_EQ(w.GridRowCount(), 1);
    EXPECT_FALSE(GoodsSlotUsed(3));

    Fill(w, "3", "Kawa", "9,99");
    w.Edit2->setFocus();
    EXPECT_TRUE(w.FormKeyDown(Qt::Key_Enter));
    EXPECT_EQ(ReadGoodsName(3), "Kawa");
    EXPECT_FALSE(w.FormKeyDown(Qt::Key_A));
    EXPECT_TRUE(w.FormKeyDown(Qt::Key_Escape));
    EXPECT_FALSE(w.isVisible());
}

TEST(GoodsWindow, SearchKeepsMatchingRowsInOrder)
{
    TestEnvironment env;
    Store(1, "Chleb");
    Store(2, "Mleko");
    Store(3, "Chleb razowy");
    TProgramowanieTowarow w;
    w.FormShow();
    w.Edit5->setText("CHLEB");
    w.BitBtn7Click();
    ASSERT_EQ(w.GridRowCount(), 2);
    EXPECT_EQ(w.GridCell(0, 0), QString("1"));
    EXPECT_EQ(w.GridCell(1, 0), QString("3"));
    w.Edit5->setText("zzz");
    w.BitBtn7Click();
    EXPECT_EQ(w.GridRowCount(), 0);
    w.Edit5->clear();
    w.BitBtn7Click();
    EXPECT_EQ(w.GridRowCount(), 3);
}

TEST(GoodsWindow, DoubleClickTakesTheRowIntoTheFields)
{
    TestEnvironment env;
    GoodsRecordFields f;
    f.Plu = 8;
    f.Name = "Herbata";
    f.VatLetter = "D";
    f.Price = 1999;
    f.Barcode = "7";
    f.Group = 1;
    f.Tandem = 2;
    f.FixedPrice = 1;
    f.WholeUnits = 0;
    f.Halo = 4;
    f.Unit = 9;
    ASSERT_EQ(WriteGoodsRecordToImage(f), 0);
    TProgramowanieTowarow w;
    w.FormShow();
    w.SelectRow(0);
    w.StringGrid1DblClick();
    EXPECT_EQ(QStringList({w.Edit1->text(), w.Edit2->text(), w.Edit3->text(), w.Edit4->text()}),
              QStringList({"8", "Herbata", "19,99", "0000000000007"}));
    EXPECT_EQ((std::vector<int>{w.ComboBox1->currentIndex(), w.ComboBox2->currentIndex(), w.ComboBox3->currentIndex(),
                                w.CheckBox1->isChecked(), w.CheckBox2->isChecked(), w.ComboBox4->currentIndex(),
                                w.ComboBox5->currentIndex()}),
              (std::vector<int>{3, 0, 2, 1, 0, 4, 9}));
}

TEST(GoodsWindow, DeleteClearsTheSlotAndItsQuickKeysAndSelectsTheRowAbove)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    Store(1, "Chleb");
    Store(2, "Mleko");
    Store(3, "Woda");
    uint8_t key[34] = {};
    key[0] = 1;
    key[1] = 1;
    key[2] = 2;
    key[3] = 3;       // PLU 3
    key[9] = 1;       // PLU 1
    DbWriteBytesAt(QuickKeyRecordOffset(1, 1), key, sizeof key);
    TProgramowanieTowarow w;
    w.FormShow();
    App.DatabaseModified = 0;

    w.SelectRow(2);   // the last row
    w.BitBtn2Click();
    EXPECT_FALSE(GoodsSlotUsed(3));
    for (uint32_t i = 0; i < App.GoodsRecordSize; ++i)
        ASSERT_EQ(DbReadByteAt(GoodsRecordOffset(3) + i), 0) << i;
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(w.GridRowCount(), 2);
    EXPECT_EQ(w.SelectedRow(), 1);
    EXPECT_EQ(DbReadByteAt(QuickKeyRecordOffset(1, 1) + 2), 1);
    EXPECT_EQ(DbReadU16At(QuickKeyRecordOffset(1, 1) + 3), 1);
    EXPECT_EQ(DbReadU16At(QuickKeyRecordOffset(1, 1) + 9), 0);

    w.SelectRow(0);   // a middle row: the same row index stays selected
    w.BitBtn2Click();
    EXPECT_FALSE(GoodsSlotUsed(1));
    EXPECT_EQ(w.SelectedRow(), 0);
    EXPECT_EQ(w.GridCell(0, 0), QString("2"));
    EXPECT_EQ(DbReadByteAt(QuickKeyRecordOffset(1, 1) + 2), 0);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST(GoodsWindow, SampleGoodsFillTheGrid)
{
    TestEnvironment env;
    TProgramowanieTowarow w;
    w.FormShow();
    App.DatabaseModified = 0;
    w.Button1Click();
    EXPECT_EQ(w.GridRowCount(), 19);
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_FALSE(w.Button1->isVisibleTo(&w));
    EXPECT_FALSE(w.Button2->isVisibleTo(&w));
}

TEST(GoodsWindow, FullTableFillsQuicklyAndProposesNoPlu)
{
    TestEnvironment env;
    std::vector<uint8_t> area(std::size_t(App.MaxGoodsCount) * App.GoodsRecordSize, 0);
    for (unsigned s = 0; s < App.MaxGoodsCount; ++s) {
        uint8_t* r = area.data() + s * App.GoodsRecordSize;
        r[0] = uint8_t((s + 1) & 0xFF);
        r[1] = uint8_t((s + 1) >> 8);
        std::memcpy(r + 2, "Towar", 5);
    }
    DbWriteBytesAt(GoodsTableOffset, area.data(), area.size());
    TProgramowanieTowarow w;
    w.FormShow();
    EXPECT_EQ(w.GridRowCount(), 8000);
    EXPECT_EQ(w.Label10->text(), QString("0/8000a"));
    EXPECT_TRUE(w.Edit1->text().isEmpty());
}

TEST(GoodsWindow, PrintoutGoesToThePdf)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    Store(1, "Chleb");
    TProgramowanieTowarow w;
    w.FormShow();
    w.PdfOutputPath = QString::fromStdString(env.Path("baza.pdf"));
    w.BitBtn6Click();
    w.PopupMenu1->hide();
    ASSERT_EQ(w.PrintLines.size(), 1u);
    w.N1Click();
    QFile pdf(w.PdfOutputPath);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

// ---- the goods editor ----

TEST(GoodsEditor, ShowsTheRecordAndSavesItBackWithItsUnit)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    Store(12, "Guma", 5, 7, 0);
    TProgramowanieTowarow w;
    w.FormShow();
    w.ComboBox5->setCurrentIndex(1);   // whatever the goods window shows, the record keeps its unit
    App.DatabaseModified = 0;

    int shown = 0;
    ModalGuard modal([&](QDialog& d) {
        auto& e = dynamic_cast<TEdycjaTowaru&>(d);
        e.FormShow();
        ++shown;
        EXPECT_EQ(QStringList({e.Label2->text(), e.Edit1->text(), e.Edit2->text(), e.Edit3->text(),
                               e.ComboBox2->currentText(), e.ComboBox3->itemText(0)}),
                  QStringList({"12", "Guma", "0,05", "0000000000042", "1 Grupa podstawowa", "brak"}));
        EXPECT_EQ((std::vector<int>{e.ComboBox1->currentIndex(), e.ComboBox4->currentIndex(), e.CheckBox1->isChecked(),
                                    e.CheckBox2->isChecked()}),
                  (std::vector<int>{1, 0, 0, 1}));
        e.Button1Click();
        return e.result();
    });
    w.SelectRow(0);
    w.BitBtn3Click();
    ASSERT_EQ(shown, 1);
    ASSERT_NE(EdycjaTowaru, nullptr);
    EXPECT_EQ(EdycjaTowaru->result(), int(QDialog::Accepted));
    EXPECT_EQ(DbReadU32At(GoodsRecordOffset(12) + GoodsField::Price), 5u);
    EXPECT_EQ(DbReadByteAt(GoodsRecordOffset(12) + GoodsField::Unit), 7);
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(w.SelectedRow(), 0);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST(GoodsEditor, RefusedSaveKeepsTheEditorOpenWithItsReason)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    Store(12, "Guma", 0);
    Store(13, "Kawa");
    TEdycjaTowaru e;   // the goods window is made when the save needs it
    e.Label2->setText("12");
    e.FormShow();
    EXPECT_EQ(e.Edit2->text(), QString("0,00"));
    App.DatabaseModified = 0;

    e.Edit1->setText(QString(41, u' '));
    e.setResult(-1);
    e.Button1Click();
    EXPECT_EQ(prompts.LastText(), QString("Nazwa towaru nie może składać się z samych znaków spacji!"));
    EXPECT_EQ(e.result(), -1);
    EXPECT_EQ(App.DatabaseModified, 0);
    EXPECT_EQ(ReadGoodsName(12), "Guma");

    e.Edit1->clear();
    e.Button1Click();
    EXPECT_EQ(prompts.LastText(), QString("Wprowadź nazwę!"));
    EXPECT_EQ(e.result(), -1);

    e.Edit1->setText("KAWA");
    e.Button1Click();
    EXPECT_EQ(prompts.LastText(), QString("Towar KAWA jest już zapisany w bazie pod numerem 13"));
    EXPECT_EQ(e.result(), -1);

    // Enter saves; other keys leave the editor to its controls.
    e.show();
    e.Edit1->setText("Guma balonowa");
    PressKey(e, Qt::Key_Space);
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(ReadGoodsName(12), "Guma");
    PressKey(e, Qt::Key_Return);
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(e.result(), int(QDialog::Accepted));
    EXPECT_EQ(ReadGoodsName(12), "Guma balonowa");
    EXPECT_EQ(App.DatabaseModified, 1);
    ASSERT_NE(ProgramowanieTowarow, nullptr);
    EXPECT_FALSE(ProgramowanieTowarow->isVisible());
}

// ---- the goods lists ----

TEST(GoodsLists, ListShowsGoodsOnlyWithADatabaseAndHandsBackThePlu)
{
    TestEnvironment env;
    Store(3, "Chleb", 100, 0, 2);
    Store(9, "Mleko");
    TListaTowarow l;
    EXPECT_EQ(ListaTowarow, &l);
    App.WorkMode = WorkModeRegister;
    l.FormShow();
    EXPECT_EQ(l.GoodsModel->rowCount(), 0);
    EXPECT_EQ(l.GoodsModel->columnCount(), 9);
    EXPECT_EQ(l.GoodsModel->headerData(8, Qt::Horizontal).toString(), QString("Ilość całkowita"));

    App.WorkMode = WorkModeDatabase | WorkModeRegister;
    l.FormShow();
    ASSERT_EQ(l.GoodsModel->rowCount(), 2);
    EXPECT_EQ(l.GoodsModel->Text(0, 5), QString("1"));
    EXPECT_EQ(l.GoodsModel->Text(0, 6), QString("2"));
    l.SelectRow(1);
    l.Button1Click();
    EXPECT_EQ(l.SelectedPlu, 9u);
    EXPECT_EQ(l.result(), int(QDialog::Accepted));

    l.FormShow();
    EXPECT_FALSE(l.FormKeyDown(Qt::Key_Space));
    EXPECT_TRUE(l.FormKeyDown(Qt::Key_Escape));
    EXPECT_EQ(l.SelectedPlu, 0u);
    EXPECT_EQ(l.result(), int(QDialog::Rejected));
}

TEST(GoodsLists, TandemListNamesTheTiedGoodsAndWaitsForTheChoice)
{
    TestEnvironment env;
    Store(3, "Piwo jasne", 100, 0, 2);
    Store(4, "Piwo ciemne", 100, 0, 2);
    Store(5, "Woda", 100, 0, 1);
    TListaTowarowTandem t;
    t.TandemPackagingNumber = 2;
    t.PackagingDeleteConfirmed = 1;
    t.FormShow();
    EXPECT_EQ(t.PackagingDeleteConfirmed, 0);
    EXPECT_EQ(t.Memo1->toPlainText(), QString("Piwo jasne\nPiwo ciemne"));
    t.Button1Click();
    EXPECT_EQ(t.PackagingDeleteConfirmed, 1);

    t.TandemPackagingNumber = 7;
    t.FormShow();
    EXPECT_EQ(t.Memo1->toPlainText(), QString("Z opakowaniem nie są powiązane\nżadne towary."));
    EXPECT_TRUE(t.FormKeyDown(Qt::Key_Escape));
    EXPECT_EQ(t.PackagingDeleteConfirmed, 0);
    t.FormShow();
    t.Button2Click();
    EXPECT_EQ(t.PackagingDeleteConfirmed, 0);
}
