// The goods window, the goods editor and the two goods lists, driven through their handlers
// against a fresh image (no register).
#include "tables/EdycjaTowaru.h"
#include "tables/ListaTowarow.h"
#include "tables/ProgramowanieTowarow.h"
#include "tests/tables/TablesTest.h"

#include <QProgressBar>

namespace {

void Fill(TProgramowanieTowarow& w, const QString& plu, const QString& name, const QString& price)
{
    w.Edit1->setText(plu);
    w.Edit2->setText(name);
    w.Edit3->setText(price);
}

using GoodsWindow = TablesTest;
using GoodsEditor = TablesTest;
using GoodsLists = TablesTest;

} // namespace

TEST_F(GoodsWindow, ShowListsTheGoodsAndProposesAFreePluAndADoubleClickTakesARow)
{
    StoreGoods(1, "Chleb");
    StoreGoods(2, "Masło", 1234);
    StoreGoods(4, "Woda");
    GoodsRecordFields f = GoodsOf(8, "Herbata", 1999);
    f.VatLetter = "D";
    f.Barcode = "7";
    f.Tandem = 2;
    f.FixedPrice = 1;
    f.WholeUnits = 0;
    f.Halo = 4;
    f.Unit = 9;
    StoreGoods(f);
    TProgramowanieTowarow w;
    w.FormShow();
    ASSERT_EQ(w.GridRowCount(), 4);
    QStringList row;
    for (int c = 0; c <= 10; ++c)
        row << w.GridCell(1, c);
    EXPECT_EQ(row, QStringList({"2", "Masło", "A", "12,34", "0000000000042", "1 Grupa podstawowa", "Brak", "Nie",
                                "Tak", "Brak", "Brak"}));
    EXPECT_EQ(w.Label10->text(), QString("7996/8000a"));
    EXPECT_EQ(w.ProgressBar1->value(), 7996);
    EXPECT_EQ(w.Edit1->text(), QString("3"));
    EXPECT_EQ(w.ComboBox4->itemText(9), QString("9. 500,00"));
    EXPECT_TRUE(prompts.Texts().isEmpty());

    // A double click takes the row into the fields.
    w.SelectRow(3);
    w.StringGrid1DblClick();
    EXPECT_EQ(QStringList({w.Edit1->text(), w.Edit2->text(), w.Edit3->text(), w.Edit4->text()}),
              QStringList({"8", "Herbata", "19,99", "0000000000007"}));
    EXPECT_EQ((std::vector<int>{w.ComboBox1->currentIndex(), w.ComboBox2->currentIndex(), w.ComboBox3->currentIndex(),
                                w.CheckBox1->isChecked(), w.CheckBox2->isChecked(), w.ComboBox4->currentIndex(),
                                w.ComboBox5->currentIndex()}),
              (std::vector<int>{3, 0, 2, 1, 0, 4, 9}));

    // The older model: the bar runs to its capacity.
    App.MaxGoodsCount = 2000;
    App.GoodsRecordSize = 69;
    w.FillGoodsGrid();
    EXPECT_EQ(w.ProgressBar1->maximum(), 2000);
}

TEST_F(GoodsWindow, EnterAddsOrSearchesByFocusAndRefusedFieldsWriteNothing)
{
    StoreGoods(1, "Chleb");
    StoreGoods(2, "Mleko");
    StoreGoods(3, "Chleb razowy");
    TProgramowanieTowarow w;
    w.show();
    w.Edit5->setText("chleb");
    w.Edit5->setFocus();
    ASSERT_EQ(w.focusWidget(), w.Edit5);
    EXPECT_TRUE(w.FormKeyDown(Qt::Key_Return));
    ASSERT_EQ(w.GridRowCount(), 2);
    EXPECT_EQ(w.GridCell(0, 0), QString("1"));
    EXPECT_EQ(w.GridCell(1, 0), QString("3"));
    EXPECT_FALSE(GoodsSlotUsed(4));
    w.Edit5->setText("zzz");
    w.BitBtn7Click();
    EXPECT_EQ(w.GridRowCount(), 0);
    w.Edit5->clear();
    w.BitBtn7Click();
    EXPECT_EQ(w.GridRowCount(), 3);

    // Empty fields show their labels, without a message.
    Fill(w, "", "", "1,00");
    w.BitBtn4Click();
    EXPECT_TRUE(w.Label8->isVisible());
    EXPECT_TRUE(w.Label7->isVisible());
    EXPECT_FALSE(w.Label9->isVisible());
    EXPECT_EQ(w.Label7->text(), QString("Wprowadź nazwę!"));
    EXPECT_TRUE(prompts.Texts().isEmpty());

    Fill(w, "4", "Kawa", "9,99");
    w.Edit2->setFocus();
    App.DatabaseModified = 0;
    EXPECT_TRUE(w.FormKeyDown(Qt::Key_Enter));
    EXPECT_EQ(ReadGoodsName(4), "Kawa");
    EXPECT_FALSE(w.Label7->isVisible());
    EXPECT_EQ(App.DatabaseModified, 1);
    // The fields are ready for the next goods.
    EXPECT_EQ(w.Edit2->text() + w.Edit4->text() + w.Edit3->text(), QString("0,00"));
    EXPECT_EQ(w.Edit1->text(), QString("5"));

    // Texts outside the code page, or a failed image, write nothing.
    const std::vector<uint8_t> before = WholeImage();
    App.DatabaseModified = 0;
    Fill(w, "5", "Чай", "1,00");
    w.BitBtn4Click();
    w.Edit2->setText("Herbata");
    w.Edit4->setText("59０0");
    w.BitBtn4Click();
    EXPECT_EQ(WholeImage(), before);
    DatabaseImage.MarkFailed();
    w.Edit4->setText("590");
    w.BitBtn4Click();
    EXPECT_EQ(prompts.Texts(), QStringList({"Tekst „Чай” zawiera znaki, których kasa nie obsługuje: Ч а й",
                                            "Tekst „59０0” zawiera znaki, których kasa nie obsługuje: ０",
                                            FileClosed}));
    EXPECT_EQ(App.DatabaseModified, 0);

    EXPECT_FALSE(w.FormKeyDown(Qt::Key_A));
    EXPECT_TRUE(w.FormKeyDown(Qt::Key_Escape));
    EXPECT_FALSE(w.isVisible());
}

TEST_F(GoodsWindow, DeleteClearsTheSlotAndItsQuickKeysAndSamplesFillTheGrid)
{
    StoreGoods(1, "Chleb");
    StoreGoods(2, "Mleko");
    StoreGoods(3, "Woda");
    StoreKey(1, 1, {3, 1});
    StoreKey(10, 10, {3, 2, 3, 0, 1}, 1);   // every cashier's keys lose the goods
    StoreKey(4, 2, {2});
    const QuickKeyRecord untouched = ReadQuickKeyRecord(4, 2);
    TProgramowanieTowarow w;
    w.FormShow();
    App.DatabaseModified = 0;

    w.SelectRow(2);   // the last row
    w.BitBtn2Click();
    EXPECT_FALSE(GoodsSlotUsed(3));
    EXPECT_EQ(ImageBytes(GoodsRecordOffset(3), App.GoodsRecordSize), std::vector<uint8_t>(App.GoodsRecordSize, 0));
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(w.GridRowCount(), 2);
    EXPECT_EQ(w.SelectedRow(), 1);
    EXPECT_EQ(DbReadByteAt(QuickKeyRecordOffset(1, 1) + 2), 1);
    EXPECT_EQ(DbReadU16At(QuickKeyRecordOffset(1, 1) + 3), 1);
    EXPECT_EQ(DbReadU16At(QuickKeyRecordOffset(1, 1) + 9), 0);
    // The rest moves up, each goods with its own quantity; the end flag stays.
    QuickKeyRecord rest = KeyWith({2, 1}, 10, 1);
    rest[0] = 10;
    SetQuickKeyEntry(rest, 1, 2, 20000);
    SetQuickKeyEntry(rest, 2, 1, 50000);
    EXPECT_EQ(ReadQuickKeyRecord(10, 10), rest);
    EXPECT_EQ(ReadQuickKeyRecord(4, 2), untouched);
    EXPECT_EQ(RemovePluFromQuickKeys(0), 0);   // goods 0 is no goods: the empty entries stay

    w.SelectRow(0);   // a middle row: the same row index stays selected
    w.BitBtn2Click();
    EXPECT_FALSE(GoodsSlotUsed(1));
    EXPECT_EQ(w.SelectedRow(), 0);
    EXPECT_EQ(w.GridCell(0, 0), QString("2"));
    EXPECT_EQ(DbReadByteAt(QuickKeyRecordOffset(1, 1) + 2), 0);
    EXPECT_TRUE(prompts.Texts().isEmpty());

    // The sample goods take the place of goods 2 and fill the grid.
    App.DatabaseModified = 0;
    w.Button1Click();
    EXPECT_EQ(w.GridRowCount(), 19);
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_FALSE(w.Button1->isVisibleTo(&w));
    EXPECT_FALSE(w.Button2->isVisibleTo(&w));
}

// ---- the goods editor ----

TEST_F(GoodsEditor, ShowsTheRecordRefusesABadNameAndSavesItBackWithItsUnit)
{
    GoodsRecordFields guma = GoodsOf(12, "Guma", 5);
    guma.VatLetter = "B";
    guma.Unit = 7;
    StoreGoods(guma);
    {
        TEdycjaTowaru e;   // the goods window is made when the save needs it
        e.Label2->setText("12");
        e.FormShow();
        EXPECT_EQ(QStringList({e.Edit1->text(), e.Edit2->text(), e.Edit3->text(), e.ComboBox2->currentText(),
                               e.ComboBox3->itemText(0)}),
                  QStringList({"Guma", "0,05", "0000000000042", "1 Grupa podstawowa", "brak"}));
        EXPECT_EQ((std::vector<int>{e.ComboBox1->currentIndex(), e.ComboBox4->currentIndex(), e.CheckBox1->isChecked(),
                                    e.CheckBox2->isChecked()}),
                  (std::vector<int>{1, 0, 0, 1}));
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
        // Whatever the goods window shows, the record keeps its price and unit.
        EXPECT_EQ(DbReadU32At(GoodsRecordOffset(12) + GoodsField::Price), 5u);
        EXPECT_EQ(DbReadByteAt(GoodsRecordOffset(12) + GoodsField::Unit), 7);
        EXPECT_EQ(App.DatabaseModified, 1);
        ASSERT_NE(ProgramowanieTowarow, nullptr);
        EXPECT_FALSE(ProgramowanieTowarow->isVisible());
    }

    // The goods window makes its editor when it needs one; the edited row stays selected.
    TProgramowanieTowarow w;
    w.FormShow();
    ModalGuard modal([](QDialog& d) {
        auto& opened = dynamic_cast<TEdycjaTowaru&>(d);
        opened.FormShow();
        EXPECT_EQ(opened.Label2->text(), "12");
        opened.Button1Click();
        return opened.result();
    });
    w.SelectRow(0);
    w.BitBtn3Click();
    ASSERT_NE(EdycjaTowaru, nullptr);
    EXPECT_EQ(EdycjaTowaru->result(), int(QDialog::Accepted));
    EXPECT_EQ(w.SelectedRow(), 0);
}

// ---- the goods lists ----

TEST_F(GoodsLists, ListShowsGoodsOnlyWithADatabaseAndHandsBackThePlu)
{
    GoodsRecordFields tied = GoodsOf(3, "Chleb");
    tied.Tandem = 2;
    StoreGoods(tied);
    StoreGoods(9, "Mleko");
    TListaTowarow l;
    App.WorkMode = WorkModeRegister;
    l.FormShow();
    EXPECT_EQ(l.GoodsModel->rowCount(), 0);

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

