// The drag-and-drop quick-key window through its handlers: its lists, a drop on a key or on the
// bin, the end-of-receipt boxes, a damaged table, and sending keys to the emulator over a
// pseudo-terminal and over loopback TCP.
#include "tables/ProgramowanieKlawiszySzybkich2.h"
#include "tests/tables/TablesTest.h"

#include <QFrame>
#include <QMenu>
#include <QTimer>

namespace {

QStringList Lines(const QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

class QuickKeyWindow : public TablesTest {
protected:
    // The goods Chleb (1), Mleko (2) and Kawa (40), the keys set up, the window shown.
    void Show(const std::function<void()>& keys = {})
    {
        StoreGoods(1, "Chleb", 250);
        StoreGoods(2, "Mleko", 199);
        StoreGoods(40, "Kawa ziarnista Arabica", 123456);
        if (keys)
            keys();
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
    // Drags line `line` (-1: none selected) of key n onto the bin, or anywhere else.
    void DragEntry(int n, int line, bool toBin)
    {
        w.ListBoxF[std::size_t(n - 1)]->setCurrentRow(line);
        w.ListBoxFStartDrag(n);
        toBin ? w.Image1DragOver() : w.FormDragOver();
        w.ListBoxFEndDrag(n);
    }

    TProgramowanieKlawiszySzybkich2 w;
};

} // namespace

TEST_F(QuickKeyWindow, ADropOnAKeyWritesItsRecord)
{
    Show([] {
        uint8_t cashier[CashierRecordSize] = {3, 'E', 'w', 'a'};
        DbWriteBytesAt(TableOffsets.CashierTable + 2 * CashierRecordSize, cashier, sizeof cashier);
    });
    EXPECT_EQ(Lines(w.ListBox1), QStringList({"   1. Chleb                      2,50 ", "   2. Mleko                      1,99 ",
                                              "  40. Kawa ziarnista Arabi    1234,56 "}));
    EXPECT_EQ(w.ComboBox1->itemText(2), QString("3 Ewa"));
    EXPECT_EQ(w.ComboBox1->itemText(3), QString("4"));

    w.ComboBox1->setCurrentIndex(2);
    w.ComboBox1Change();
    w.KonczenieParagonuF[2]->setChecked(true);
    w.Edit1->setText("2.5");
    DragGoods(2, 3);
    QuickKeyRecord expected = KeyWith({40}, 3, 1);
    expected[0] = 3;
    SetQuickKeyEntry(expected, 1, 40, 25000);
    EXPECT_EQ(ReadQuickKeyRecord(3, 3), expected);
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(w.DropTarget, 0);
    w.Edit1->setText("0,0003");
    DragGoods(0, 3);
    EXPECT_EQ(Lines(w.ListBoxF[2]), QStringList({"Kawa ziarn 2,5000", "Chleb      0,0003"}));
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_F(QuickKeyWindow, NothingChangesOnADropThatMeansNothingOrWithoutADatabaseOrARegister)
{
    Show([] { StoreKey(1, 5, {1, 2}); });
    const std::vector<uint8_t> before = QuickKeyArea();
    DragGoods(0, 0);    // on the background (or a goods line)
    DragGoods(-1, 5);   // no goods line
    for (const char* quantity : {"0", "99,9999", "-2", "dwa"}) {
        w.Edit1->setText(quantity);
        DragGoods(0, 5);
    }
    EXPECT_EQ(prompts.Texts(), QStringList{"Błędna ilość"});   // only the text that is no number
    DragEntry(5, 0, false);   // a key line dropped anywhere but the bin
    DragEntry(5, -1, true);   // the bin, without a line
    EXPECT_EQ(QuickKeyArea(), before);
    EXPECT_EQ(App.DatabaseModified, 0);

    // Nothing is sent without a register, nor shown without a database.
    prompts.Clear();
    w.BitBtn1Click();
    App.WorkMode = WorkModeRegister;
    w.FormShow();
    EXPECT_EQ(w.ListBox1->count(), 0);
    EXPECT_EQ(w.ListBoxF[4]->count(), 0);
    w.PopupKey = 5;
    w.Drukujwybranyklawisz1Click();
    EXPECT_EQ(prompts.Texts(), QStringList({"Brak połączenia z Kasą Fiskalną!", FileClosed}));
}

TEST_F(QuickKeyWindow, TheBinTakesTheEntryOfTheDraggedLine)
{
    Show([] {
        StoreKey(1, 2, {1, 2, 40});
        StoreKey(1, 4, {1});
        StoreKey(1, 6, {2, 0, 40});   // a gap, as the grid editor can leave one
    });
    DragEntry(2, 1, true);
    QuickKeyRecord r = ReadQuickKeyRecord(1, 2);
    EXPECT_EQ(PlusOf(r), (std::vector<uint16_t>{1, 40, 0, 0, 0}));
    EXPECT_EQ(QuickKeyEntryQuantity(r, 2), 30000u);
    EXPECT_EQ(r[2], 2);
    EXPECT_EQ(App.DatabaseModified, 1);

    ASSERT_EQ(Lines(w.ListBoxF[5]), QStringList({"Mleko      1,0000", "Kawa ziarn 3,0000"}));
    DragEntry(6, 1, true);   // the second line stands for entry 3
    EXPECT_EQ(PlusOf(ReadQuickKeyRecord(1, 6)), (std::vector<uint16_t>{2, 0, 0, 0, 0}));

    App.DatabaseModified = 0;
    std::vector<uint8_t> expected = QuickKeyArea();
    expected[3 * 34 + 33] = 1;   // the box of F4 writes byte 33 alone
    w.KonczenieParagonuF[3]->setChecked(true);
    w.KonczenieParagonuFClick(4);
    EXPECT_EQ(QuickKeyArea(), expected);
    EXPECT_EQ(App.DatabaseModified, 1);

    // A drop closes a gap before it adds; on a full key the goods takes the fifth place.
    StoreKey(1, 8, {1, 0, 2});
    StoreKey(1, 9, {1, 2, 40, 1, 2});
    w.Edit1->setText("4");
    DragGoods(2, 8);
    DragGoods(2, 9);
    EXPECT_EQ(PlusOf(ReadQuickKeyRecord(1, 8)), (std::vector<uint16_t>{1, 2, 40, 0, 0}));
    EXPECT_EQ(ReadQuickKeyRecord(1, 8)[2], 3);
    QuickKeyRecord full = ReadQuickKeyRecord(1, 9);
    EXPECT_EQ(PlusOf(full), (std::vector<uint16_t>{1, 2, 40, 1, 40}));
    EXPECT_EQ(QuickKeyEntryQuantity(full, 5), 40000u);
    EXPECT_EQ(full[2], 5);
    EXPECT_FALSE(RemoveQuickKeyEntry(full, 0) || RemoveQuickKeyEntry(full, 6));   // outside the record
}

TEST_F(QuickKeyWindow, GoodsBeyondTheTableAreDroppedWithOneMessage)
{
    StoreKey(7, 9, {2, 2500, 1999});
    StoreKey(7, 8, {1, 2000});   // what the table can hold stays
    App.MaxGoodsCount = 2000;
    w.FormShow();
    w.ComboBox1->setCurrentIndex(6);
    w.ComboBox1Change();
    EXPECT_EQ(prompts.Texts(), QStringList{"Wykryto błąd bazy klawiszy szybkich! Z klawiszy szybkich usunięto towary o "
                                           "numerach powyżej 2000 (pozycji: 1), pozostałe przypisania zachowano, a baza "
                                           "danych naprawiona."});
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(PlusOf(ReadQuickKeyRecord(7, 9)), (std::vector<uint16_t>{2, 1999, 0, 0, 0}));
    EXPECT_EQ(ReadQuickKeyRecord(7, 9)[2], 2);
    EXPECT_EQ(PlusOf(ReadQuickKeyRecord(7, 8)), (std::vector<uint16_t>{1, 2000, 0, 0, 0}));
    EXPECT_EQ(w.ListBoxF[8]->count(), 2);
}

// ---- sending to the emulator ----

class QuickKeySend : public QuickKeyWindow, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fx.ConnectLink(GetParam()));
        RegisterGoods(fx, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 22, 24, 26, 28, 30});
        // Key k of cashier 2 sells goods k, and k + 20 on even keys; key 3 ends the receipt.
        for (unsigned k = 1; k <= 10; ++k)
            StoreKey(2, k, k % 2 ? std::vector<uint16_t>{uint16_t(k)} : std::vector<uint16_t>{uint16_t(k), uint16_t(k + 20)},
                     k == 3);
        w.FormShow();
        w.ComboBox1->setCurrentIndex(1);
    }
    void TearDown() override { ResetLinkState(); }   // the link goes before its register
    std::vector<emu::Bytes> KeyFrames() { return fx.Emu().ReceivedFramesWithCommand('S'); }

    EmulatorFixture fx;
};

TEST_P(QuickKeySend, AllTenKeysOrThePopUpsOneGoWithTheirFrameNumbersAndARefusedKeyEndsTheSeries)
{
    w.BitBtn1Click();
    const std::vector<emu::Bytes> frames = KeyFrames();
    ASSERT_EQ(frames.size(), 10u);
    for (unsigned k = 1; k <= 10; ++k) {
        const emu::Bytes& f = frames[k - 1];
        EXPECT_EQ(emu::GetU16(f.data() + 4), k == 10 ? 0x800Au : k);
        EXPECT_EQ(f[7], 2);
        EXPECT_EQ(f[8], k);
        const QuickKeyRecord image = ReadQuickKeyRecord(2, k);
        EXPECT_TRUE(std::equal(image.begin() + 2, image.end(), f.begin() + 9)) << k;
        const emu::Bytes held = fx.Emu().QuickKeyRecord(2, uint8_t(k));
        EXPECT_TRUE(std::equal(image.begin() + 2, image.end(), held.begin() + 2)) << k;
    }
    EXPECT_TRUE(prompts.Texts().isEmpty());
    EXPECT_TRUE(w.Body->isEnabled());
    EXPECT_FALSE(w.Panel7->isVisible());

    // A key the register refuses ends the series with its text.
    StoreKey(2, 4, {999});   // goods the register does not hold
    fx.Emu().ClearReceived();
    w.BitBtn1Click();
    EXPECT_EQ(KeyFrames().size(), 4u);
    EXPECT_EQ(prompts.Texts(), QStringList{"Błąd 66: Towar pod podanym numerem nie istnieje"});

    // The pop-up sends one key; an error that follows "printing" is shown.
    prompts.Clear();
    fx.Emu().ClearReceived();
    w.ListBoxFMouseDown(6, Qt::RightButton, QPoint(10, 10));
    w.PopupMenu1->hide();
    w.Drukujwybranyklawisz1Click();
    ASSERT_EQ(KeyFrames().size(), 1u);
    EXPECT_EQ(emu::GetU16(KeyFrames()[0].data() + 4), 0x8001);
    EXPECT_EQ(KeyFrames()[0][8], 6);
    EXPECT_EQ(fx.Emu().QuickKeyRecord(2, 6)[2], 2);
    EXPECT_TRUE(prompts.Texts().isEmpty());

    fx.Emu().LockFaults()->PrintingReplies = 1;
    fx.Emu().LockFaults()->ErrorCode = 67;
    w.Drukujwybranyklawisz1Click();
    EXPECT_EQ(KeyFrames().size(), 2u);
    EXPECT_EQ(prompts.Texts(), QStringList{"Błąd 67: Towar może być sprzedawany tylko w ilości całkowitej"});
}

TEST_P(QuickKeySend, EscStopsTheSeriesAfterTheCurrentKey)
{
    w.show();
    bool lockedWhileSending = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &w, [&] {
        if (KeyFrames().size() < 2)
            return;
        timer.stop();
        lockedWhileSending = w.Sending() && !w.Body->isEnabled() && w.Panel7->isVisible();
        PressKey(w, Qt::Key_Escape);
    });
    timer.start(5);
    w.BitBtn1Click();
    EXPECT_TRUE(lockedWhileSending);
    EXPECT_GE(KeyFrames().size(), 2u);
    EXPECT_LE(KeyFrames().size(), 3u);
    EXPECT_TRUE(w.isVisible());   // Esc stopped the series, not the window
    EXPECT_TRUE(w.Body->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Lines, QuickKeySend, ::testing::Bool(), LinkName);
