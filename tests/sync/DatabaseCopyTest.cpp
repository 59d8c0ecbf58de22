// The whole-database copies and the quick-key copy window, driven through their handlers against
// the emulator over a pseudo-terminal and over loopback TCP.
#include "sync/DatabaseCopy.h"
#include "sync/KopiaDoKasy.h"
#include "sync/KopiowanieKasy.h"
#include "sync/SynchronizacjaBazyKlawiszySzybkich.h"
#include "tests/sync/SyncTestUtil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>

namespace {

// The requests the register got, acknowledgements left out, as their command letters; each is one frame.
std::string Commands(emu::RegisterEmulator& e)
{
    std::string s;
    for (const auto& f : e.ReceivedFrames())
        if (f[6] != 0x06) {
            s += char(f[6]);
            EXPECT_EQ(emu::GetU16(f.data() + 4), 1);
        }
    return s;
}

} // namespace

class RegisterToFile : public SyncLinkTest {
protected:
    void SetUp() override
    {
        SyncLinkTest::SetUp();
        StoreGoods(77, "Chleb");
        App.DatabaseModified = 1;
        App.CurrentDatabaseFileName = "sklep.rkb";
    }
};
INSTANTIATE_OVER_BOTH_LINES(RegisterToFile);

TEST_P(RegisterToFile, RefusalsCancelsAndFailedReadsKeepTheOpenDatabase)
{
    const std::vector<uint8_t> before = ImageBytes();
    TKopiowanieKasy w;
    fx.Emu().ClearReceived();

    w.Button1Click();   // nothing ticked: the open database is not traded for an empty one
    EXPECT_EQ(prompts.TakeTexts(), QStringList{"Zaznacz elementy, które chcesz skopiować."});
    EXPECT_EQ(ImageBytes(), before);

    w.List.CheckListBox1->SetChecked(CopyGoods, true);
    w.Button1Click();   // the goods' tables are missing: ticked, nothing asked or sent
    EXPECT_EQ(ReadTicks(*w.List.CheckListBox1), (std::vector<uint8_t>{1, 0, 0, 0, 0, 1, 1, 1}));
    EXPECT_EQ(prompts.Texts(), QStringList{"Baza towarów jest powiązana z bazą stawek PTU, opakowań oraz grup towarowych."});

    prompts.Answer(PromptAnswer::Cancel);
    w.Button1Click();
    prompts.Answer(PromptAnswer::Yes);
    prompts.SaveFile(QString());   // the save dialog cancelled
    w.Button1Click();
    EXPECT_EQ(prompts.PendingAnswers(), 0u);
    EXPECT_TRUE(fx.Emu().ReceivedFrames().empty());

    // The ticks the refusal added stand: reads that fail part-way.
    const emu::Bytes vat{'A', 0, 0, 'B', 0, 0, 'C', 0, 0, 'D', 0, 0, 'E', 0, 0, 'F', 0, 0, 'G', 0, 0};
    for (int at : {0, 5}) {   // a wrong letter, a rate above 99.99
        emu::Bytes bad = vat;
        bad[std::size_t(at)] = 0x30;
        fx.Emu().PutSetting('P', bad);
        prompts.Answer(PromptAnswer::No);
        w.Button1Click();
        EXPECT_EQ(prompts.TakeTexts().last().toStdString(), "Wystąpił błąd transmisji.") << at;
        EXPECT_EQ(ImageBytes(), before);
    }

    // The line goes dead in the middle of the goods.
    fx.Emu().PutSetting('P', vat);
    for (uint16_t plu = 1; plu <= 6; ++plu)
        fx.Emu().PutGoodsRecord(RegisterGoods(plu, "Towar", "", 199));
    // The VAT rates and the basic group come in one frame each: the third frame is a goods one.
    fx.Emu().LockFaults()->DropAfterDataFrames = 3;
    prompts.Answer(PromptAnswer::No);
    w.Button1Click();
    EXPECT_EQ(fx.Emu().ReceivedFramesWithCommand('T').size(), 1u);
    EXPECT_EQ(prompts.Texts().last().toStdString(),
              GetParam() ? "Błąd komunikacji TCP/IP." : "Brak komunikacji.");
    EXPECT_EQ(ImageBytes(), before);
    EXPECT_EQ(App.CurrentDatabaseFileName, "sklep.rkb");
}

TEST_P(RegisterToFile, EveryTableLandsInAFreshDatabase)
{
    emu::RegisterEmulator& e = fx.Emu();
    e.PutGoodsRecord(RegisterGoods(5, "Mleko", "", 199));
    const emu::Bytes last = RegisterGoods(8000, "Ostatni", "   0000012345", 199);   // blanks in the barcode
    e.PutGoodsRecord(last);
    auto discount = Record(36, 2, "Rabat");
    emu::PutU32(discount.data() + 24, 500);
    e.PutTableRecord('R', discount);
    e.PutTableRecord('K', Record(324, 4, "Ania"));   // its fields are checked with the cashier window
    auto form = Record(31, 3, "Czek");
    form[26] = 1;
    e.PutTableRecord('F', form);
    auto currency = Record(42, 1, "Euro");
    emu::PutU32(currency.data() + 26, 43215);
    currency[30] = 4;
    std::memcpy(currency.data() + 31, "EUR", 3);
    e.PutTableRecord('W', currency);
    auto packaging = Record(66, 9, "Butelka");
    emu::PutU32(packaging.data() + 43, 50);
    packaging[65] = 1;
    e.PutTableRecord('Z', packaging);
    e.PutTableRecord('G', Record(26, 6, "Napoje"));
    emu::Bytes vat(21);
    for (int i = 0; i < 7; ++i) {
        vat[std::size_t(3 * i)] = uint8_t('A' + i);
        emu::PutU16(vat.data() + 3 * i + 1, uint16_t(i == 6 ? 0xFFFF : 100 * i));   // G tax-exempt
    }
    e.PutSetting('P', vat);

    TKopiowanieKasy w;
    w.List.CheckBox1->setChecked(true);
    w.CheckBox1Click();
    prompts.Answer(PromptAnswer::No);
    w.Button1Click();

    EXPECT_EQ(prompts.Texts(), QStringList{"Aktualnie edytowana baza zostanie utracona. Czy chcesz zapisać zmiany "
                                           "w aktualnie edytowanej bazie?"});
    EXPECT_EQ(ReadGoodsName(77), "");   // the old database is gone
    uint8_t goods[68];
    ASSERT_TRUE(ReadGoodsRecord(8000, goods));
    uint8_t expected[68] = {};
    MergeRegisterGoodsRecord(last.data(), expected);
    EXPECT_EQ(0, std::memcmp(goods, expected, 68));
    EXPECT_EQ(ReadGoodsName(5), "Mleko");
    EXPECT_EQ(ImageBytes(TableOffsets.DiscountTable + 28, 28), emu::Bytes(discount.begin(), discount.begin() + 28));
    EXPECT_EQ(ImageBytes(TableOffsets.CashierTable + 3 * 33, 22), emu::Bytes(Record(22, 4, "Ania")));
    EXPECT_EQ(ImageBytes(TableOffsets.PaymentFormTable + 2 * 23 + 22, 1)[0], 1);
    EXPECT_EQ(ImageBytes(TableOffsets.CurrencyTable + 22, 8), emu::Bytes(currency.begin() + 26, currency.begin() + 34));
    EXPECT_EQ(ImageBytes(TableOffsets.PackagingTable + 8 * 48 + 47, 1)[0], 1);
    EXPECT_EQ(ImageBytes(TableOffsets.GoodsGroupTable + 5 * 22, 22), emu::Bytes(Record(22, 6, "Napoje")));
    EXPECT_EQ(ImageBytes(TableOffsets.VatRateBlock, 21), vat);
    EXPECT_EQ(App.CurrentDatabaseFileName, "Bez nazwy");
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_TRUE(DatabaseUsable());
    EXPECT_EQ(Commands(fx.Emu()), "PZGTRKFW");   // the reads went out in the register's order
}

// The "select all" box of both copy windows stands as the items do, however they were set.
TEST(CopyWindows, TheSelectAllBoxFollowsTheItems)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    TKopiowanieKasy from;
    TKopiaDoKasy to;
    for (const CopyListControls* list : {&from.List, &to.List}) {
        CheckListBox& items = *list->CheckListBox1;
        QCheckBox& box = *list->CheckBox1;
        SCOPED_TRACE(items.Count());
        box.click();
        items.model()->setData(items.model()->index(0, 0), Qt::Unchecked, Qt::CheckStateRole);   // as a user unticks
        EXPECT_FALSE(box.isChecked());
        items.SetChecked(0, true);
        EXPECT_TRUE(box.isChecked());
        items.SetAllChecked(false);
        box.click();   // the first click after the items were cleared ticks them all
        EXPECT_EQ(items.CheckedCount(), items.Count());
    }
}

using FileToRegister = SyncLinkTest;
INSTANTIATE_OVER_BOTH_LINES(FileToRegister);

TEST_P(FileToRegister, SendsEveryStoredRecordInTheRegistersOrderUnlessSilenceNoOrEscEndsItAndQuickKeysComeBack)
{
    // the default database holds cashier 1 and group 1; add one record to each other table
    StoreGoods(12, "Chleb");
    auto write = [](uint32_t at, const emu::Bytes& r) { DbWriteBytesAt(at, r.data(), r.size()); };
    write(TableOffsets.PackagingTable, Record(48, 1, "Skrzynka"));
    write(TableOffsets.DiscountTable + 28, Record(28, 2, "Rabat"));
    write(TableOffsets.PaymentFormTable, Record(23, 1, "Karta"));
    auto currency = Record(30, 1, "Euro");
    emu::PutU32(currency.data() + 22, 43215);
    currency[26] = 4;
    std::memcpy(currency.data() + 27, "EUR", 3);
    write(TableOffsets.CurrencyTable, currency);

    TKopiaDoKasy w;
    w.List.CheckListBox1->SetChecked(CopyVatRates, true);
    w.Button1Click();   // VAT rates alone send nothing and say nothing
    EXPECT_TRUE(fx.Emu().ReceivedFrames().empty());

    w.List.CheckBox1->setChecked(true);
    w.CheckBox1Click();
    fx.Emu().LockFaults()->ErrorCode = 5;   // the packaging is refused: the copy goes on
    w.Button1Click();
    EXPECT_EQ(Commands(fx.Emu()), "ZGTRKFW");
    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join("|").toStdString();
    EXPECT_EQ(fx.Emu().GoodsRecord(12)[2], 'C');
    EXPECT_EQ(fx.Emu().TableRecord('W', 1)[0], 1);

    // "Printing" is waited out, but silence or "Nie" at paper out ends the whole copy.
    fx.Emu().ClearReceived();
    fx.Emu().LockFaults()->PrintingReplies = 2;
    QElapsedTimer t;
    t.start();
    w.Button1Click();
    EXPECT_GE(t.elapsed(), 1000);   // the second "printing", queued behind the first, is stale
    EXPECT_TRUE(prompts.Texts().isEmpty());
    EXPECT_EQ(Commands(fx.Emu()), "ZGTRKFW");

    fx.Emu().ClearReceived();
    fx.Emu().LockFaults()->SilentRequests = 1;
    w.Button1Click();
    EXPECT_EQ(prompts.TakeTexts(), QStringList{"Wystąpił błąd transmisji."});
    EXPECT_EQ(Commands(fx.Emu()), "Z");   // the rest is not sent

    fx.Emu().ClearReceived();
    fx.Emu().LockFaults()->PaperOutReplies = 1;
    prompts.Answer(PromptAnswer::No);
    w.Button1Click();
    EXPECT_EQ(prompts.TakeTexts().first(), "Brak papieru! Kontynuować?");
    EXPECT_EQ(Commands(fx.Emu()), "Z");

    // Esc while the copy runs stops it before the next record.
    fx.Emu().ClearReceived();
    QTimer::singleShot(0, &w, [&w] { w.FormKeyDown(Qt::Key_Escape); });
    w.Button1Click();
    EXPECT_EQ(prompts.TakeTexts(), QStringList{"Komunikacja przerwana przez użytkownika."});
    EXPECT_EQ(Commands(fx.Emu()), "");
    // Esc during a reply that never comes is a stop, not a fault of the line.
    fx.Emu().LockFaults()->SilentRequests = 1;
    QTimer::singleShot(0, &w, [&w] { QTimer::singleShot(100, &w, [&w] { w.FormKeyDown(Qt::Key_Escape); }); });
    w.Button1Click();
    EXPECT_EQ(prompts.TakeTexts(), QStringList{TransferStoppedText});
    EXPECT_EQ(Commands(fx.Emu()), "Z");

    // The quick keys of a cashier go out and come back.
    fx.Emu().PutGoodsRecord(RegisterGoods(5, "Mleko", "", 199));
    StoreGoods(5, "Chleb");
    uint8_t key[34] = {3, 2, 1};
    emu::PutU16(key + 3, 5);
    emu::PutU32(key + 5, 20000);
    key[33] = 1;
    DbWriteBytesAt(QuickKeyRecordOffset(3, 2), key, sizeof key);

    TSynchronizacjaBazyKlawiszySzybkich keys;
    keys.FormShow();
    ASSERT_EQ(keys.ComboBox1->count(), 10);
    EXPECT_EQ(keys.ComboBox1->itemText(0), "1 Kierownik");
    EXPECT_EQ(keys.ComboBox1->itemText(2), "3");
    keys.ComboBox1->setCurrentIndex(2);
    keys.ListBox1->setCurrentRow(1);
    keys.ListBox1Click();
    EXPECT_EQ(keys.Memo1->toPlainText(), "5. Chleb      2,0000\nKończy paragon: TAK");

    keys.Button2Click();
    const auto frames = fx.Emu().ReceivedFramesWithCommand('S');
    ASSERT_EQ(frames.size(), 10u);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i][7], 3);
        EXPECT_EQ(frames[i][8], i + 1);
        EXPECT_EQ(emu::GetU16(frames[i].data() + 4), 1);
    }
    EXPECT_EQ(fx.Emu().QuickKeyRecord(3, 2)[33], 1);

    keys.Button3Click();
    keys.ComboBox2->setCurrentIndex(2);
    keys.ListBox2->setCurrentRow(1);
    keys.ListBox2Click();
    EXPECT_EQ(keys.Memo1->toPlainText(), "5. Chleb      2,0000\nKończy paragon: TAK");
    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join("|").toStdString();
}
