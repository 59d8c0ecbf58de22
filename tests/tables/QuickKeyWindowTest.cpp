// The drag-and-drop quick-key window through its handlers: its lists, adding by a drop on a key,
// removing by a drop on the bin, the end-of-receipt boxes and the repair of a damaged table.
#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "tables/GoodsLogic.h"
#include "tables/ProgramowanieKlawiszySzybkich2.h"
#include "tables/ProgramowanieTowarow.h"
#include "tables/QuickKeys.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <vector>

namespace {

void Store(uint16_t plu, const char* name, uint32_t price)
{
    GoodsRecordFields f;
    f.Plu = plu;
    f.Name = name;
    f.VatLetter = "A";
    f.Price = price;
    ASSERT_EQ(WriteGoodsRecordToImage(f), 0);
}

void StoreKey(unsigned cashier, unsigned key, std::vector<uint16_t> plus)
{
    QuickKeyRecord r{};
    r[1] = uint8_t(key);
    for (unsigned p = 1; p <= plus.size(); ++p)
        SetQuickKeyEntry(r, p, plus[p - 1], QuickKeyOneUnit * p);
    r[QuickKeyCountByte] = QuickKeyUsedEntries(r);
    ASSERT_TRUE(WriteQuickKeyRecord(r, cashier, key));
}

std::vector<uint8_t> QuickKeyArea()
{
    std::vector<uint8_t> area(QuickKeyTableSize);
    DbReadBytesAt(TableOffsets.QuickKeyTable, area.data(), area.size());
    return area;
}

QStringList Lines(const QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

// The goods Chleb (1), Mleko (2) and Kawa (40), the window shown, nothing modified yet.
struct KeyWindow {
    TestEnvironment env;
    ScriptedPrompts prompts;
    TProgramowanieKlawiszySzybkich2 w;

    explicit KeyWindow(const std::function<void()>& before = {})
    {
        Store(1, "Chleb", 250);
        Store(2, "Mleko", 199);
        Store(40, "Kawa ziarnista Arabica", 123456);
        if (before)
            before();
        w.FormShow();
        App.DatabaseModified = 0;
    }

    // Drags goods line `line` (-1: none selected) onto key `key` (0: the background).
    void DragGoods(int line, int key)
    {
        w.ListBox1->setCurrentRow(line);
        w.ListBox1StartDrag();
        w.ListBoxFDragOver(key == 0 ? 1 : key);
        if (key == 0)
            w.FormDragOver();
        w.ListBox1EndDrag();
    }

    // Drags line `line` (-1: none selected) of key n onto the bin (or the background).
    void DragEntry(int n, int line, bool toBin)
    {
        w.ListBoxF[std::size_t(n - 1)]->setCurrentRow(line);
        w.ListBoxFStartDrag(n);
        if (toBin)
            w.Image1DragOver();
        else
            w.FormDragOver();
        w.ListBoxFEndDrag(n);
    }
};

} // namespace

TEST(QuickKeyWindow, ShowsTheGoodsAndTheCashiers)
{
    KeyWindow k([] {
        uint8_t cashier[CashierRecordSize] = {2, 'E', 'w', 'a'};
        DbWriteBytesAt(TableOffsets.CashierTable + CashierRecordSize, cashier, sizeof cashier);
    });
    EXPECT_EQ(Lines(k.w.ListBox1), QStringList({"   1. Chleb                      2,50 ",
                                                "   2. Mleko                      1,99 ",
                                                "  40. Kawa ziarnista Arabi    1234,56 "}));
    ASSERT_EQ(k.w.ComboBox1->count(), 10);
    EXPECT_EQ(k.w.ComboBox1->itemText(1), QString("2 Ewa"));
    EXPECT_EQ(k.w.ComboBox1->itemText(2), QString("3"));
    EXPECT_EQ(k.w.ComboBox1->currentIndex(), 0);
    EXPECT_EQ(k.w.Edit1->text(), QString("1,0000"));
    EXPECT_TRUE(k.prompts.Texts().isEmpty());
}

TEST(QuickKeyWindow, ADropOnAKeyWritesItsRecord)
{
    KeyWindow k;
    k.w.ComboBox1->setCurrentIndex(2);
    k.w.ComboBox1Change();
    k.w.KonczenieParagonuF[2]->setChecked(true);
    k.w.Edit1->setText("2.5");
    k.DragGoods(2, 3);

    const QuickKeyRecord r = ReadQuickKeyRecord(3, 3);
    QuickKeyRecord expected{};
    expected[0] = 3;
    expected[1] = 3;
    expected[2] = 1;
    SetQuickKeyEntry(expected, 1, 40, 25000);
    expected[33] = 1;
    EXPECT_EQ(r, expected);
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(k.w.DropTarget, 0);
    EXPECT_EQ(Lines(k.w.ListBoxF[2]), QStringList{"Kawa ziarn 2,5000"});

    k.w.Edit1->setText("0,0003");
    k.DragGoods(0, 3);
    EXPECT_EQ(Lines(k.w.ListBoxF[2]), QStringList({"Kawa ziarn 2,5000", "Chleb      0,0003"}));
    EXPECT_TRUE(k.prompts.Texts().isEmpty());
}

TEST(QuickKeyWindow, DropsThatMeanNothingChangeNothing)
{
    KeyWindow k;
    StoreKey(1, 5, {1, 2});
    const std::vector<uint8_t> before = QuickKeyArea();

    k.DragGoods(0, 0);      // on the background (or a goods line)
    k.DragGoods(-1, 5);     // no goods line selected
    k.w.Edit1->setText("0");
    k.DragGoods(0, 5);      // a quantity of 0
    k.w.Edit1->setText("99,9999");
    k.DragGoods(0, 5);
    k.w.Edit1->setText("-2");
    k.DragGoods(0, 5);
    EXPECT_TRUE(k.prompts.Texts().isEmpty());
    k.w.Edit1->setText("dwa");
    k.DragGoods(0, 5);
    EXPECT_EQ(k.prompts.Texts(), QStringList{"Błędna ilość"});

    k.w.FormShow();
    k.DragEntry(5, 0, false);   // a key line dropped anywhere but the bin
    k.DragEntry(5, -1, true);   // the bin, without a line
    EXPECT_EQ(QuickKeyArea(), before);
    EXPECT_EQ(App.DatabaseModified, 0);
}

TEST(QuickKeyWindow, TheBinTakesTheEntryOfTheDraggedLine)
{
    KeyWindow k([] {
        StoreKey(1, 2, {1, 2, 40});
        // A record with a gap, as the grid editor can leave one.
        QuickKeyRecord gap{};
        gap[1] = 6;
        gap[2] = 2;
        SetQuickKeyEntry(gap, 1, 2, 10000);
        SetQuickKeyEntry(gap, 3, 40, 20000);
        WriteQuickKeyRecord(gap, 1, 6);
    });
    k.DragEntry(2, 1, true);
    QuickKeyRecord r = ReadQuickKeyRecord(1, 2);
    EXPECT_EQ(QuickKeyEntryPlu(r, 1), 1);
    EXPECT_EQ(QuickKeyEntryPlu(r, 2), 40);
    EXPECT_EQ(QuickKeyEntryQuantity(r, 2), 30000u);
    EXPECT_EQ(QuickKeyEntryPlu(r, 3), 0);
    EXPECT_EQ(r[2], 2);
    EXPECT_EQ(App.DatabaseModified, 1);

    ASSERT_EQ(Lines(k.w.ListBoxF[5]), QStringList({"Mleko      1,0000", "Kawa ziarn 2,0000"}));
    k.DragEntry(6, 1, true);   // the second line stands for entry 3
    r = ReadQuickKeyRecord(1, 6);
    EXPECT_EQ(QuickKeyEntryPlu(r, 1), 2);
    EXPECT_EQ(QuickKeyEntryPlu(r, 2), 0);
    EXPECT_EQ(r[2], 1);
    EXPECT_EQ(k.w.DragSource, 0);
    EXPECT_EQ(k.w.DropTarget, 0);
}

TEST(QuickKeyWindow, TheEndOfReceiptBoxWritesByte33)
{
    KeyWindow k([] { StoreKey(1, 4, {1}); });
    std::vector<uint8_t> expected = QuickKeyArea();
    expected[3 * 34 + 33] = 1;
    k.w.KonczenieParagonuF[3]->setChecked(true);
    k.w.KonczenieParagonuFClick(4);
    EXPECT_EQ(QuickKeyArea(), expected);
    EXPECT_EQ(App.DatabaseModified, 1);
    k.w.FormShow();
    EXPECT_TRUE(k.w.KonczenieParagonuF[3]->isChecked());
}

TEST(QuickKeyWindow, GoodsBeyondTheTableAreDroppedWithOneMessage)
{
    KeyWindow k([] {
        StoreKey(1, 1, {1, 2});
        StoreKey(7, 9, {2, 2500});
        App.MaxGoodsCount = 2000;
    });
    EXPECT_EQ(k.prompts.Texts(),
              QStringList{"Wykryto błąd bazy klawiszy szybkich! Klawisze szybkie zostały skasowane, a baza danych naprawiona."});
    const QuickKeyRecord r = ReadQuickKeyRecord(7, 9);
    EXPECT_EQ(QuickKeyEntryPlu(r, 1), 2);
    EXPECT_EQ(QuickKeyEntryPlu(r, 2), 0);
    EXPECT_EQ(r[2], 1);
    EXPECT_EQ(Lines(k.w.ListBoxF[0]).size(), 2);
    k.w.ComboBox1->setCurrentIndex(6);
    k.w.ComboBox1Change();
    EXPECT_EQ(k.prompts.Texts().size(), 1);
    EXPECT_EQ(Lines(k.w.ListBoxF[8]), QStringList{"Mleko      1,0000"});
}

TEST(QuickKeyWindow, RepairMarksTheDatabaseModified)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    StoreKey(2, 2, {8001});
    App.DatabaseModified = 0;
    App.MaxGoodsCount = 2000;
    TProgramowanieKlawiszySzybkich2 w;
    w.FormShow();
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(ReadQuickKeyRecord(2, 2)[2], 0);
}

TEST(QuickKeyWindow, AnUnusableImageShowsNothingAndSendsNothing)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    Store(1, "Chleb", 250);
    StoreKey(1, 1, {1});
    App.WorkMode = WorkModeRegister;
    TProgramowanieKlawiszySzybkich2 w;
    w.FormShow();
    EXPECT_EQ(w.ListBox1->count(), 0);
    EXPECT_EQ(w.ListBoxF[0]->count(), 0);
    w.BitBtn1Click();
    w.PopupKey = 1;
    w.Drukujwybranyklawisz1Click();
    EXPECT_EQ(prompts.Texts(), QStringList({"     Plik zamknięty.     ", "     Plik zamknięty.     "}));
}

TEST(QuickKeyWindow, TheGoodsWindowDeleteTakesTheGoodsOffEveryKey)
{
    TestEnvironment env;
    Store(1, "Chleb", 250);
    Store(2, "Mleko", 199);
    StoreKey(1, 1, {2, 1, 2});
    StoreKey(10, 10, {1});
    TProgramowanieTowarow goods;
    goods.FormShow();
    goods.SelectRow(1);
    goods.BitBtn2Click();
    QuickKeyRecord r = ReadQuickKeyRecord(1, 1);
    EXPECT_EQ(QuickKeyEntryPlu(r, 1), 1);
    EXPECT_EQ(QuickKeyEntryQuantity(r, 1), 20000u);
    EXPECT_EQ(QuickKeyEntryPlu(r, 2), 0);
    EXPECT_EQ(r[2], 1);
    EXPECT_EQ(ReadQuickKeyRecord(10, 10)[2], 1);
}
