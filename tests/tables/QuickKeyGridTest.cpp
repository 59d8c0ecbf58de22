// The grid quick-key window: adding into the window's copy, storing and deleting keys, the goods
// name beside the number, the goods list, the key colours and sending a stored key.
#include "tables/ListaTowarow.h"
#include "tables/ProgramowanieKlawiszySzybkich.h"
#include "tests/tables/TablesTest.h"

#include <QRadioButton>

namespace {

class QuickKeyGrid : public TablesTest {
protected:
    void SetUp() override
    {
        StoreGoods(1, "Chleb");
        StoreGoods(2, "Mleko");
        StoreGoods(3, "Woda");
        StoreKey(1, 1, {1, 2, 3}, 1);
        StoreKey(1, 2, {2});
        StoreKey(1, 4, {3, 1});
        w.FormShow();
        App.DatabaseModified = 0;
    }
    // Types a goods number and a quantity and adds them to the chosen entry.
    void Add(const QString& plu, const QString& quantity)
    {
        w.Edit1->setText(plu);
        w.Edit2->setText(quantity);
        w.BitBtn2Click();
    }
    // The keys shown as programmed (bold).
    std::vector<int> ProgrammedKeys() const
    {
        std::vector<int> keys;
        for (int k = 1; k <= 10; ++k)
            if (w.RadioButtonF[std::size_t(k - 1)]->styleSheet().contains("bold"))
                keys.push_back(k);
        return keys;
    }
    QStringList GridRow(int row) const
    {
        return {w.StringGrid1->item(row - 1, 0)->text(), w.StringGrid1->item(row - 1, 1)->text(),
                w.StringGrid1->item(row - 1, 2)->text()};
    }

    TProgramowanieKlawiszySzybkich w;
};

} // namespace

TEST_F(QuickKeyGrid, AddRefusesOrWritesTheWindowsCopyStorePacksTheKeyAndDeleteLeavesItsNeighbours)
{
    const std::vector<uint8_t> before = QuickKeyArea();
    // What is not a goods number or a quantity is refused.
    App.MaxGoodsCount = 2000;
    Add("", "");
    EXPECT_FALSE(w.NumberWarning->isHidden());
    EXPECT_FALSE(w.QuantityWarning->isHidden());
    Add("1", "");
    EXPECT_TRUE(w.NumberWarning->isHidden());
    EXPECT_TRUE(prompts.Texts().isEmpty());

    const QString badNumber =
        "     Błędna wartość : Numer towaru w kasie\n Pole musi zawierać liczbę z przedziału 0-8000a. (0 - brak towaru)    ";
    for (const auto& [plu, quantity] : {std::pair<const char*, const char*>{"2001", "1"}, {"-1", "1"}, {"x1", "1"},
                                        {"1", "abc"}, {"1", "-2"}, {"1", "429496,73"}, {"1", "1.0.0"}}) {
        prompts.Clear();
        Add(plu, quantity);
        EXPECT_EQ(prompts.Texts(), QStringList{QString(plu) != "1" ? badNumber : QString("Błędna ilość")}) << plu << quantity;
    }
    EXPECT_EQ(w.BlockRecord(0, 1), ReadQuickKeyRecord(1, 1));

    prompts.Clear();
    EXPECT_EQ(GridRow(3), QStringList({"3", "3", "3,0000"}));
    EXPECT_TRUE(w.CheckBox1->isChecked());
    w.SetChosenEntry(3);
    Add("0", "1");   // goods 0 empties entry 3: a gap, two goods left
    EXPECT_EQ(PlusOf(w.BlockRecord(0, 1)), (std::vector<uint16_t>{1, 2, 0, 0, 0}));
    EXPECT_EQ(w.BlockRecord(0, 1)[2], 2);
    EXPECT_EQ(GridRow(3), QStringList({"3", "-", "---"}));
    EXPECT_EQ(w.ChosenEntry(), 4);
    EXPECT_EQ(w.SelectedGridRow(), 4);

    Add("2", "2.5");
    EXPECT_EQ(QuickKeyEntryQuantity(w.BlockRecord(0, 1), 4), 25000u);
    EXPECT_EQ(w.BlockRecord(0, 1)[2], 3);
    // Nothing reached the image, and nothing was said.
    EXPECT_EQ(QuickKeyArea(), before);
    EXPECT_EQ(App.DatabaseModified, 0);
    EXPECT_TRUE(prompts.Texts().isEmpty());

    // The store closes the gap; the other keys stay as they were.
    w.CheckBox1->setChecked(false);
    w.BitBtn3Click();
    EXPECT_EQ(prompts.Texts(), QStringList{"Zapisano w bazie"});
    EXPECT_EQ(App.DatabaseModified, 1);
    QuickKeyRecord expected = KeyWith({1, 2, 2});
    expected[0] = 1;
    SetQuickKeyEntry(expected, 3, 2, 25000);
    EXPECT_EQ(ReadQuickKeyRecord(1, 1), expected);
    EXPECT_EQ(w.BlockRecord(0, 1), expected);
    EXPECT_TRUE(std::equal(before.begin() + 34, before.end(), QuickKeyArea().begin() + 34));

    // A delete leaves the neighbouring keys alone, and the colours follow.
    const std::vector<uint8_t> stored = QuickKeyArea();
    EXPECT_EQ(ProgrammedKeys(), (std::vector<int>{1, 2, 4}));
    w.RadioButtonFClick(4);
    w.BitBtn5Click();
    EXPECT_EQ(w.BlockRecord(0, 4), QuickKeyRecord{});
    EXPECT_EQ(ProgrammedKeys(), (std::vector<int>{1, 2}));
    EXPECT_EQ(QuickKeyArea(), stored);   // only the window's copy, until stored
    w.BitBtn3Click();
    std::vector<uint8_t> expectedArea = stored;
    std::fill(expectedArea.begin() + 3 * 34 + 2, expectedArea.begin() + 4 * 34, 0);
    EXPECT_EQ(QuickKeyArea(), expectedArea);

    StoreKey(2, 5, {1});
    w.FormShow();
    w.ComboBox1->setCurrentIndex(1);
    w.ComboBox1Change();
    EXPECT_EQ(ProgrammedKeys(), (std::vector<int>{5}));

    // An unusable image shows empty keys and stores nothing.
    App.WorkMode = WorkModeRegister;
    w.FormShow();
    EXPECT_EQ(w.BlockRecord(0, 1), QuickKeyRecord{});
    prompts.Clear();
    w.BitBtn3Click();
    w.BitBtn4Click();
    EXPECT_EQ(prompts.Texts(), QStringList(2, FileClosed));
}

TEST_F(QuickKeyGrid, TheNameLabelFollowsTheGoodsNumberAndTheGoodsList)
{
    StoreGoods(9, "Kawa mielona bardzo długa nazwa towaru xyz");
    for (const auto& [plu, label] : {std::pair<const char*, const char*>{"2", "Mleko"},
                                     {"9", "Kawa mielona bardzo długa nazwa towaru xy"}, {"abc", "---"}, {"0", ""}, {"8001", ""}}) {
        w.Edit1->setText(plu);
        EXPECT_EQ(w.NameLabel->text(), QString(label)) << plu;
    }
    w.StringGrid1Click(3);
    EXPECT_EQ(w.Edit1->text(), QString("3"));
    EXPECT_EQ(w.NameLabel->text(), QString("Woda"));
    EXPECT_EQ(w.ChosenEntry(), 3);

    TListaTowarow list;
    ModalGuard modal([&](QDialog& dialog) {
        EXPECT_EQ(&dialog, &list);
        list.SelectedPlu = 2;
        return int(QDialog::Accepted);
    });
    w.BitBtn1Click();
    EXPECT_EQ(w.Edit1->text(), QString("2"));
    EXPECT_EQ(w.NameLabel->text(), QString("Mleko"));
    EXPECT_EQ(w.focusWidget(), w.Edit2);
}

TEST_F(QuickKeyGrid, SendStoresTheKeyFirstAndSendsWhatWasStored)
{
    EmulatorFixture fx;
    ASSERT_TRUE(fx.ConnectLink(true));
    RegisterGoods(fx, {2, 3});
    w.RadioButtonFClick(4);
    w.SetChosenEntry(2);
    Add("2", "1,5");
    w.CheckBox1->setChecked(true);
    w.BitBtn4Click();

    EXPECT_EQ(prompts.Texts(), QStringList{"Zapisano w bazie"});
    const QuickKeyRecord image = ReadQuickKeyRecord(1, 4);
    EXPECT_EQ(PlusOf(image), (std::vector<uint16_t>{3, 2, 0, 0, 0}));
    EXPECT_EQ(image[33], 1);
    ASSERT_TRUE(fx.Emu().WaitForFramesWithCommand('S', 1, 3000));
    const emu::Bytes frame = fx.Emu().ReceivedFramesWithCommand('S').front();
    EXPECT_EQ(emu::GetU16(frame.data() + 4), 0x8001);
    EXPECT_TRUE(std::equal(image.begin() + 2, image.end(), frame.begin() + 9));
    ResetLinkState();
}
