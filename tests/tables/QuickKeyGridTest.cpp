// The grid quick-key window: adding into the window's copy, storing and deleting keys, the goods
// name beside the number, the goods list, the key colours and sending a stored key.
#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "emulator/FrameCodec.h"
#include "link/Link.h"
#include "platform/Modal.h"
#include "platform/Time.h"
#include "tables/GoodsLogic.h"
#include "tables/ListaTowarow.h"
#include "tables/ProgramowanieKlawiszySzybkich.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

void Store(uint16_t plu, const char* name)
{
    GoodsRecordFields f;
    f.Plu = plu;
    f.Name = name;
    f.VatLetter = "A";
    f.Price = 100;
    ASSERT_EQ(WriteGoodsRecordToImage(f), 0);
}

void StoreKey(unsigned cashier, unsigned key, std::vector<uint16_t> plus, uint8_t endFlag = 0)
{
    QuickKeyRecord r{};
    r[1] = uint8_t(key);
    for (unsigned p = 1; p <= plus.size(); ++p)
        SetQuickKeyEntry(r, p, plus[p - 1], QuickKeyOneUnit * p);
    r[QuickKeyCountByte] = QuickKeyUsedEntries(r);
    r[QuickKeyEndFlagByte] = endFlag;
    ASSERT_TRUE(WriteQuickKeyRecord(r, cashier, key));
}

QStringList GridRow(const QTableWidget* grid, int row)
{
    QStringList cells;
    for (int c = 0; c < 3; ++c)
        cells << grid->item(row - 1, c)->text();
    return cells;
}

// Types a goods number and a quantity and adds them to the chosen entry.
void Add(TProgramowanieKlawiszySzybkich& w, const QString& plu, const QString& quantity)
{
    w.Edit1->setText(plu);
    w.Edit2->setText(quantity);
    w.BitBtn2Click();
}

struct GridWindow {
    TestEnvironment env;
    ScriptedPrompts prompts;
    TProgramowanieKlawiszySzybkich w;

    GridWindow()
    {
        Store(1, "Chleb");
        Store(2, "Mleko");
        Store(3, "Woda");
        StoreKey(1, 1, {1, 2, 3}, 1);
        StoreKey(1, 2, {2});
        StoreKey(1, 4, {3, 1});
        w.FormShow();
        App.DatabaseModified = 0;
    }
};

} // namespace

TEST(QuickKeyGrid, ShowsTheChosenKey)
{
    GridWindow g;
    EXPECT_EQ(GridRow(g.w.StringGrid1, 1), QStringList({"1", "1", "1,0000"}));
    EXPECT_EQ(GridRow(g.w.StringGrid1, 3), QStringList({"3", "3", "3,0000"}));
    EXPECT_EQ(GridRow(g.w.StringGrid1, 4), QStringList({"4", "-", "---"}));
    EXPECT_TRUE(g.w.CheckBox1->isChecked());
    EXPECT_EQ(g.w.SelectedGridRow(), 1);
    g.w.RadioButtonFClick(2);
    EXPECT_EQ(GridRow(g.w.StringGrid1, 1), QStringList({"1", "2", "1,0000"}));
    EXPECT_FALSE(g.w.CheckBox1->isChecked());
}

TEST(QuickKeyGrid, AddWritesTheChosenEntryOfTheWindowsCopy)
{
    GridWindow g;
    g.w.SetChosenEntry(3);
    Add(g.w, "0", "1");   // goods 0 empties entry 3: a gap, two goods left
    QuickKeyRecord r = g.w.BlockRecord(0, 1);
    EXPECT_EQ(QuickKeyEntryPlu(r, 3), 0);
    EXPECT_EQ(r[2], 2);
    EXPECT_EQ(GridRow(g.w.StringGrid1, 3), QStringList({"3", "-", "---"}));
    EXPECT_EQ(g.w.ChosenEntry(), 4);
    EXPECT_EQ(g.w.SelectedGridRow(), 4);

    Add(g.w, "2", "2.5");
    r = g.w.BlockRecord(0, 1);
    EXPECT_EQ(QuickKeyEntryPlu(r, 4), 2);
    EXPECT_EQ(QuickKeyEntryQuantity(r, 4), 25000u);
    EXPECT_EQ(r[0], 1);
    EXPECT_EQ(r[1], 1);
    EXPECT_EQ(r[2], 3);
    g.w.SetChosenEntry(5);
    Add(g.w, "3", "0,00005");
    EXPECT_EQ(QuickKeyEntryQuantity(g.w.BlockRecord(0, 1), 5), 1u);
    EXPECT_EQ(g.w.ChosenEntry(), 5);

    // Nothing reached the image, and nothing was said.
    EXPECT_EQ(ReadQuickKeyRecord(1, 1)[2], 3);
    EXPECT_EQ(DbReadU16At(QuickKeyRecordOffset(1, 1) + 15), 3);
    EXPECT_EQ(App.DatabaseModified, 0);
    EXPECT_TRUE(g.prompts.Texts().isEmpty());
}

TEST(QuickKeyGrid, AddRefusesWhatIsNotAGoodsNumberOrAQuantity)
{
    GridWindow g;
    App.MaxGoodsCount = 2000;
    const QuickKeyRecord before = g.w.BlockRecord(0, 1);
    Add(g.w, "", "");
    EXPECT_FALSE(g.w.NumberWarning->isHidden());
    EXPECT_FALSE(g.w.QuantityWarning->isHidden());
    Add(g.w, "1", "");
    EXPECT_TRUE(g.w.NumberWarning->isHidden());
    EXPECT_FALSE(g.w.QuantityWarning->isHidden());
    EXPECT_TRUE(g.prompts.Texts().isEmpty());

    const QString badNumber = QString::fromUtf8(
        "     Błędna wartość : Numer towaru w kasie\n Pole musi zawierać liczbę z przedziału 0-8000a. (0 - brak towaru)    ");
    const QString badQuantity = QString::fromUtf8("Błędna ilość");
    const std::pair<const char*, const char*> cases[] = {
        {"2001", "1"}, {"-1", "1"}, {"x1", "1"}, {"1", "abc"}, {"1", "-2"}, {"1", "429496,73"}, {"1", "1.0.0"},
    };
    for (const auto& [plu, quantity] : cases) {
        g.prompts.Clear();
        Add(g.w, plu, quantity);
        const bool numberBad = QString(plu) != "1";
        EXPECT_EQ(g.prompts.Texts(), QStringList{numberBad ? badNumber : badQuantity}) << plu << " " << quantity;
    }
    EXPECT_EQ(g.w.BlockRecord(0, 1), before);
    EXPECT_EQ(g.w.ChosenEntry(), 1);
}

TEST(QuickKeyGrid, StorePacksTheKeyIntoTheImageAndLeavesItsNeighbours)
{
    GridWindow g;
    std::vector<uint8_t> before(QuickKeyTableSize);
    DbReadBytesAt(TableOffsets.QuickKeyTable, before.data(), before.size());
    g.w.SetChosenEntry(2);
    Add(g.w, "0", "1");
    g.w.CheckBox1->setChecked(false);
    g.w.BitBtn3Click();

    EXPECT_EQ(g.prompts.Texts(), QStringList{"Zapisano w bazie"});
    EXPECT_EQ(App.DatabaseModified, 1);
    QuickKeyRecord expected{};
    expected[0] = 1;
    expected[1] = 1;
    expected[2] = 2;
    SetQuickKeyEntry(expected, 1, 1, 10000);
    SetQuickKeyEntry(expected, 2, 3, 30000);
    EXPECT_EQ(ReadQuickKeyRecord(1, 1), expected);
    EXPECT_EQ(g.w.BlockRecord(0, 1), expected);
    std::vector<uint8_t> after(QuickKeyTableSize);
    DbReadBytesAt(TableOffsets.QuickKeyTable, after.data(), after.size());
    EXPECT_TRUE(std::equal(before.begin() + 34, before.end(), after.begin() + 34));
}

TEST(QuickKeyGrid, DeleteChangesTheCopyUntilTheKeyIsStored)
{
    GridWindow g;
    StoreKey(1, 3, {2, 3}, 1);
    g.w.FormShow();
    const QuickKeyRecord f2 = ReadQuickKeyRecord(1, 2);
    const QuickKeyRecord f4 = ReadQuickKeyRecord(1, 4);
    g.w.RadioButtonFClick(3);
    g.w.BitBtn5Click();
    EXPECT_EQ(g.w.BlockRecord(0, 3), QuickKeyRecord{});
    EXPECT_EQ(ReadQuickKeyRecord(1, 3)[2], 2);
    EXPECT_TRUE(g.w.RadioButtonF[2]->styleSheet().isEmpty());

    g.w.BitBtn3Click();
    QuickKeyRecord emptied{};
    emptied[0] = 1;
    emptied[1] = 3;
    EXPECT_EQ(ReadQuickKeyRecord(1, 3), emptied);
    EXPECT_EQ(ReadQuickKeyRecord(1, 2), f2);
    EXPECT_EQ(ReadQuickKeyRecord(1, 4), f4);
}

TEST(QuickKeyGrid, TheNameLabelFollowsTheGoodsNumber)
{
    GridWindow g;
    Store(9, "Kawa mielona bardzo d\xB3uga nazwa towaru xyz");
    const std::pair<const char*, const char*> cases[] = {
        {"2", "Mleko"}, {"9", "Kawa mielona bardzo długa nazwa towaru xy"}, {"abc", "---"}, {"0", ""}, {"8001", ""}, {"", ""},
    };
    for (const auto& [plu, label] : cases) {
        g.w.Edit1->setText(QString::fromUtf8(plu));
        EXPECT_EQ(g.w.NameLabel->text(), QString::fromUtf8(label)) << plu;
    }
    g.w.StringGrid1Click(3);
    EXPECT_EQ(g.w.Edit1->text(), QString("3"));
    EXPECT_EQ(g.w.NameLabel->text(), QString("Woda"));
    EXPECT_EQ(g.w.ChosenEntry(), 3);
}

TEST(QuickKeyGrid, TheGoodsListFillsTheGoodsNumber)
{
    GridWindow g;
    TListaTowarow list;
    int shown = 0;
    SetModalRunner([&](QDialog& dialog) {
        ++shown;
        EXPECT_EQ(&dialog, &list);
        list.SelectedPlu = 2;
        return int(QDialog::Accepted);
    });
    g.w.BitBtn1Click();
    SetModalRunner({});
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(g.w.Edit1->text(), QString("2"));
    EXPECT_EQ(g.w.NameLabel->text(), QString("Mleko"));
    EXPECT_EQ(g.w.focusWidget(), g.w.Edit2);
}

TEST(QuickKeyGrid, ProgrammedKeysStandOutForEachCashier)
{
    GridWindow g;
    StoreKey(2, 5, {1});
    g.w.FormShow();
    auto programmed = [&] {
        std::vector<int> keys;
        for (int k = 1; k <= 10; ++k)
            if (!g.w.RadioButtonF[std::size_t(k - 1)]->styleSheet().isEmpty())
                keys.push_back(k);
        return keys;
    };
    EXPECT_EQ(programmed(), (std::vector<int>{1, 2, 4}));
    g.w.ComboBox1->setCurrentIndex(1);
    g.w.ComboBox1Change();
    EXPECT_EQ(programmed(), (std::vector<int>{5}));
    EXPECT_TRUE(g.w.RadioButtonF[4]->styleSheet().contains("bold"));
}

TEST(QuickKeyGrid, AnUnusableImageShowsEmptyKeysAndStoresNothing)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    StoreKey(1, 1, {1});
    App.WorkMode = WorkModeRegister;
    TProgramowanieKlawiszySzybkich w;
    w.FormShow();
    EXPECT_EQ(w.BlockRecord(0, 1), QuickKeyRecord{});
    w.BitBtn3Click();
    w.BitBtn4Click();
    EXPECT_EQ(prompts.Texts(), QStringList({"     Plik zamknięty.     ", "     Plik zamknięty.     "}));
}

TEST(QuickKeyGrid, SendStoresTheKeyFirstAndTheRegisterHoldsIt)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx;
    ASSERT_TRUE(fx.ConnectLink(true));
    for (uint16_t plu : {1, 2}) {
        Store(plu, "Towar");
        emu::Bytes r(emu::RegisterGoodsRecordSize, 0);
        emu::PutU16(r.data(), plu);
        fx.Emu().PutGoodsRecord(r);
    }
    StoreKey(3, 7, {1});
    TProgramowanieKlawiszySzybkich w;
    w.FormShow();
    w.ComboBox1->setCurrentIndex(2);
    w.ComboBox1Change();
    w.RadioButtonFClick(7);
    w.SetChosenEntry(2);
    Add(w, "2", "1,5");
    w.CheckBox1->setChecked(true);
    w.BitBtn4Click();

    EXPECT_EQ(prompts.Texts(), QStringList{"Zapisano w bazie"});
    ASSERT_TRUE(fx.Emu().WaitForFramesWithCommand('S', 1, 3000));
    const emu::Bytes frame = fx.Emu().ReceivedFramesWithCommand('S').front();
    EXPECT_EQ(emu::GetU16(frame.data() + 4), 0x8001);
    const QuickKeyRecord image = ReadQuickKeyRecord(3, 7);
    EXPECT_EQ(image[2], 2);
    EXPECT_EQ(QuickKeyEntryQuantity(image, 2), 15000u);
    EXPECT_EQ(image[33], 1);
    emu::Bytes held;
    for (long long end = MonotonicMs() + 3000; MonotonicMs() < end; Sleep(5)) {
        held = fx.Emu().QuickKeyRecord(3, 7);
        if (held[2] != 0)
            break;
    }
    EXPECT_TRUE(std::equal(image.begin() + 2, image.end(), held.begin() + 2));
    ResetLinkState();
}
