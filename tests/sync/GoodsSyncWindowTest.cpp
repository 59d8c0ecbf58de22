// "Podgląd bazy towarowej" against the emulator, over a pseudo-terminal and over loopback TCP:
// the read, the send, the deletes, the range delete and the barcode verification, through the
// window's handlers.
#include "platform/Modal.h"
#include "platform/Time.h"
#include "sync/GoodsSyncLogic.h"
#include "sync/SynchronizacjaBazyTowarowej.h"
#include "tables/EdycjaTowaru.h"
#include "tests/sync/SyncTestUtil.h"
#include "tests/support/TestFiles.h"

#include <QMenu>
#include <QFrame>
#include <QLineEdit>
#include <QProgressBar>

using GoodsSync = SyncLinkTest;
INSTANTIATE_OVER_BOTH_LINES(GoodsSync);

TEST_P(GoodsSync, ReadOfAFullTableFillsThePaneAndItsBarAndAnulujStopsARead)
{
    for (uint16_t plu = 1; plu <= 8000; ++plu)
        fx.Emu().PutGoodsRecord(RegisterGoods(plu, "Towar", "0000000000001", plu));
    TSynchronizacjaBazyTowarowej w;
    w.FormShow();
    EXPECT_EQ(w.Label21->text(), "0/8000");
    w.BitBtn6Click();
    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join("|").toStdString();
    EXPECT_EQ(w.CheckListBox2->Count(), 8000);
    EXPECT_EQ(w.ImportCounter->text(), "8000");
    EXPECT_EQ(w.Label21->text(), "8000/8000");
    EXPECT_EQ(w.ProgressBar2->value(), 2000);
    EXPECT_TRUE(w.ProgressBar2->styleSheet().contains("rgb(250, 0, 0)"));
    EXPECT_EQ(w.CheckListBox2->Item(7999), "8000. Towar                       80,00 B");
    // A centred row leaves room for the accent of "Ś", which stands above the font's ascent.
    const QFontMetrics fm(w.CheckListBox2->font());
    EXPECT_GE(w.CheckListBox2->sizeHintForRow(0), fm.height() - 2 * (fm.ascent() + fm.tightBoundingRect("Ś").top()));
    ASSERT_TRUE(fx.Emu().WaitForFramesWithCommand(0x06, 8000, 2000));
    EXPECT_EQ(fx.Emu().ReceivedFramesWithCommand(0x06).back()[7], 3);   // the last frame's answer
    EXPECT_FALSE(w.Transferring());
    EXPECT_FALSE(w.Panel2->isVisibleTo(&w));
    EXPECT_TRUE(w.BitBtn2->isEnabled());
    w.CheckListBox2->SetItemIndex(0);
    w.CheckListBox2Click();
    EXPECT_EQ(w.DetailLastSale->text(), "Brak");   // hour 24: never sold

    // The mirror outlives the window's showing; an empty table then empties it.
    w.FormShow();
    EXPECT_EQ(w.CheckListBox2->Count(), 8000);
    fx.Emu().ClearGoods();
    w.BitBtn6Click();
    EXPECT_EQ(w.CheckListBox2->Count(), 0);
    EXPECT_EQ(prompts.Texts(), QStringList{"Pusta baza."});

    // "Anuluj" stops a read and keeps what came; the window is locked meanwhile.
    for (uint16_t plu = 1; plu <= 6; ++plu)
        fx.Emu().PutGoodsRecord(RegisterGoods(plu, "Towar", "", 100));
    fx.Emu().ClearReceived();
    w.show();
    bool locked = false;
    QTimer::singleShot(0, &w, [&] {
        locked = w.Transferring() && w.Panel2->isVisible() && w.Button2->isEnabled() && !w.BitBtn7->isEnabled() &&
                 !w.Button4->isEnabled() && !w.CheckListBox1->isEnabled() && !w.Edit3->isEnabled();
        PressKey(w, Qt::Key_Escape);
    });
    w.BitBtn6Click();
    EXPECT_TRUE(locked);
    EXPECT_TRUE(w.isVisible());
    ASSERT_TRUE(fx.Emu().WaitForFramesWithCommand(0x06, 1, 2000));
    const auto acks = fx.Emu().ReceivedFramesWithCommand(0x06);
    ASSERT_EQ(acks.size(), 1u);
    EXPECT_EQ(acks[0][7], 4);
    EXPECT_EQ(w.CheckListBox2->Count(), 1);
    EXPECT_EQ(prompts.TakeTexts(), (QStringList{"Pusta baza.", TransferStoppedText + "\nLista jest niepełna: odczytano 1 rekord."}));
    EXPECT_TRUE(w.BitBtn7->isEnabled());
    w.hide();
}

TEST_P(GoodsSync, SendNumbersFramesByListPositionWaitsOutPrintingListsRefusalsAndStopsOnAnulujSilenceOrStatus)
{
    for (const char* name : {"Jeden", "Dwa", "Trzy", "Cztery", "Pięć"})
        StoreGoods(uint16_t(PcGoodsItems().size() + 1), name);
    TSynchronizacjaBazyTowarowej w;
    struct Case {
        std::vector<int> rows;
        bool cancel;
        std::vector<uint16_t> frames;
        QString counter;
        int printing;   // "printing" replies to the first frame, waited out (longer after frame 1) unless stale
        long long atLeast, below;
    };
    const Case cases[] = {
        {{0, 2, 3}, false, {1, 3, 0x8004}, "3/3", 2, 1500, 100000},
        // one ticked item is the single last frame of its position
        {{1}, false, {0x8002}, "1/1", 1, 450, 1400},
        {{0, 1, 2, 3, 4}, true, {0x8001}, "1/5", 0, 0, 100000},   // "Anuluj" ends the send on the register's 3
    };
    const auto summary = [](const Case& c) {
        return c.cancel ? TransferStoppedText : " Zaprogramowano " + c.counter.section('/', 0, 0) + " towarów.";
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.counter.toStdString());
        fx.Emu().ClearReceived();
        w.FormShow();
        for (int row : c.rows)
            w.CheckListBox1->SetChecked(row, true);
        QTimer::singleShot(0, &w, [&] {
            w.BitBtn7Click();   // a click that reaches the handler during the send changes nothing
            if (c.cancel)
                w.Button1->click();
        });
        fx.Emu().LockFaults()->PrintingReplies = c.printing;
        const long long start = MonotonicMs();
        w.BitBtn2Click();
        EXPECT_GE(MonotonicMs() - start, c.atLeast);
        EXPECT_LT(MonotonicMs() - start, c.below);
        EXPECT_FALSE(w.SendPrinting->isVisibleTo(&w));
        EXPECT_TRUE(fx.Emu().ReceivedFramesWithCommand('0').empty());
        EXPECT_EQ(FrameNumbers(ProgramFrames(fx.Emu(), 'T')), c.frames);
        EXPECT_EQ(prompts.TakeTexts(), QStringList{summary(c)});
        EXPECT_EQ(w.SendCounter->text(), c.counter);
        EXPECT_FALSE(w.Transferring());
    }
    // Minimised and restored during a send, the window stays guarded: a close stops the send, then closes it.
    fx.Emu().ClearReceived();
    w.show();
    w.FormShow();
    w.CheckListBox1->SetAllChecked(true);
    QTimer::singleShot(0, &w, [&w] {
        w.showMinimized();
        w.showNormal();
        w.close();
    });
    w.BitBtn2Click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(FrameNumbers(ProgramFrames(fx.Emu(), 'T')), (std::vector<uint16_t>{0x8001}));
    EXPECT_EQ(prompts.TakeTexts(), QStringList{TransferStoppedText});
    EXPECT_EQ(fx.Emu().GoodsCount(), 4u);
    // The register's pane shows what was sent.
    ASSERT_EQ(w.CheckListBox2->Count(), 4);
    EXPECT_EQ(w.CheckListBox2->Item(0), "1.    Jeden                        2,50 A");

    // A refused record is listed and the series goes on; silence or a status reply stops it. After
    // "Anuluj" the frame that carries the stop ends the series, whatever the register answers.
    struct Fault {
        std::function<void(emu::Faults&)> fault;
        QStringList messages;
        bool stop = false;
    };
    const Fault faults[] = {
        {[](emu::Faults& f) { f.ErrorCode = 37; },
         {" Zaprogramowano 4 towarów. Nie udało się zaprogramować 1 towarów.",
          "Niezaprogramowane towary:\n2.Dwa - " + ErrorText(37)}},
        {[](emu::Faults& f) { f.SilentRequests = 1; }, {"Wystąpił błąd transmisji. Zaprogramowano 1 towarów."}},
        {[](emu::Faults& f) {
             f.StatusReplyKind = 'A';
             f.StatusReplyStatus = 0x80;
         },
         {"Wykonaj raport sprzedaży i raport dobowy! Niezerowa sprzedaż towaru. Zaprogramowano 1 towarów."}},
        {[](emu::Faults& f) { f.ErrorCode = 37; }, {TransferStoppedText}, true},
        {[](emu::Faults& f) { f.SilentRequests = 1; }, {TransferStoppedText}, true},
    };
    for (const Fault& c : faults) {
        w.FormShow();
        w.BitBtn9Click();   // the first click ticks all
        // The fault hits the second record: it is set once the first is in.
        fx.Emu().ClearReceived();
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!ProgramFrames(fx.Emu(), 'T').empty()) {
                c.fault(*fx.Emu().LockFaults());
                if (c.stop)
                    w.Button1->click();
                watch.stop();
            }
        });
        watch.start(0);
        w.BitBtn2Click();
        EXPECT_EQ(prompts.TakeTexts(), c.messages);
        EXPECT_EQ(ProgramFrames(fx.Emu(), 'T').size(), c.messages.size() == 2 ? 5u : 2u);
        EXPECT_EQ(w.ErrorCounter->text(), c.messages.size() == 2 ? "1" : "");
        EXPECT_FALSE(w.Transferring());
        EXPECT_TRUE(w.BitBtn2->isEnabled());
    }
    w.BitBtn9Click();   // the second unticks all
    EXPECT_EQ(w.CheckListBox1->CheckedCount(), 0);

    // A long list of refusals shows its first 20 and counts the rest: the box stays on the screen.
    for (uint16_t plu = 6; plu <= 109; ++plu) {
        GoodsRecordFields f = GoodsFields(plu, ("Obcy" + std::to_string(plu)).c_str());
        f.Group = 7;   // a group the register does not have: refused
        ASSERT_EQ(WriteGoodsRecordToImage(f), 0);
    }
    w.FormShow();
    w.BitBtn9Click();
    w.BitBtn2Click();
    const QStringList lines = prompts.TakeTexts().value(1).split('\n');
    ASSERT_EQ(lines.size(), 22) << lines.join("|").toStdString();
    EXPECT_EQ(lines[20], "25.Obcy25 - " + ErrorText(9));
    EXPECT_EQ(lines.last(), "... i jeszcze 84 błędy.");

    // A stop while the register refuses every record ends the series with the first refusal.
    fx.Emu().ClearReceived();
    w.FormShow();
    for (int row = 5; row < w.CheckListBox1->Count(); ++row)
        w.CheckListBox1->SetChecked(row, true);
    QTimer::singleShot(0, &w, [&w] { w.Button1->click(); });
    w.BitBtn2Click();
    EXPECT_EQ(prompts.TakeTexts(), QStringList{TransferStoppedText});
    EXPECT_EQ(FrameNumbers(ProgramFrames(fx.Emu(), 'T')), (std::vector<uint16_t>{0x8006}));
}

TEST_P(GoodsSync, DeletesStopAtGoodsWithSalesTheRangeDeleteNumbersFramesBySlotAndVerificationResendsWhatDiffers)
{
    fx.Emu().PutGoodsRecord(RegisterGoods(1, "Bez sprzedazy", "", 100));
    emu::Bytes sold = RegisterGoods(2, "Sprzedany", "", 100);
    emu::PutU32(sold.data() + 49, 10000);   // sales on it: the register refuses to delete it
    fx.Emu().PutGoodsRecord(sold);
    fx.Emu().PutGoodsRecord(RegisterGoods(3, "Trzeci", "", 100));
    fx.Emu().PutGoodsRecord(RegisterGoods(8000, "Ostatni", "", 100));
    TSynchronizacjaBazyTowarowej w;
    w.FormShow();
    w.BitBtn6Click();
    w.BitBtn1Click();
    fx.Emu().LockFaults()->PrintingReplies = 2;
    w.BitBtn8Click();
    EXPECT_EQ(prompts.TakeTexts(), QStringList{"Błąd 91: " + ErrorText(91)});
    EXPECT_EQ(FrameNumbers(fx.Emu().ReceivedFramesWithCommand('0')), (std::vector<uint16_t>{1, 2}));
    EXPECT_EQ(w.CheckListBox2->Count(), 3);
    EXPECT_TRUE(w.CheckListBox2->Item(0).startsWith("2. "));
    EXPECT_EQ(fx.Emu().GoodsCount(), 3u);

    // The range delete checks its fields first, then goes past the refusal and lists what is left.
    fx.Emu().ClearReceived();
    w.Edit3->setText("x");
    w.BitBtn7Click();
    EXPECT_EQ(prompts.TakeTexts(), QStringList{"Błędnie wypełnione pola!"});
    EXPECT_TRUE(fx.Emu().ReceivedFramesWithCommand('0').empty());
    w.Edit3->setText("2");
    w.Edit4->setText("9000");
    w.BitBtn7Click();   // frames count from the lower bound
    EXPECT_EQ(FrameNumbers(fx.Emu().ReceivedFramesWithCommand('0')), (std::vector<uint16_t>{1, 2, 0x8000 | 7999}));
    EXPECT_EQ(w.CheckListBox2->Count(), 1);
    EXPECT_TRUE(w.CheckListBox2->Item(0).startsWith("2. "));
    EXPECT_TRUE(prompts.Texts().isEmpty());
    // A stop makes the next frame the last, and no read of the table follows it.
    fx.Emu().ClearReceived();
    QTimer::singleShot(0, &w, [&w] { w.Button3->click(); });
    w.BitBtn7Click();
    EXPECT_EQ(prompts.TakeTexts(), QStringList{TransferStoppedText});
    EXPECT_EQ(FrameNumbers(fx.Emu().ReceivedFramesWithCommand('0')), std::vector<uint16_t>{0x8001});
    EXPECT_TRUE(fx.Emu().ReceivedFramesWithCommand('T').empty());

    // The verification resends the goods whose barcode differs.
    for (uint16_t plu = 1; plu <= 100; ++plu)
        fx.Emu().PutGoodsRecord(RegisterGoods(plu, ("Towar " + std::to_string(plu)).c_str(),
                                              plu == 5 ? "    590000005" : "0000005907788", 250));
    for (uint16_t plu = 1; plu <= 10; ++plu) {
        GoodsRecordFields f = GoodsFields(plu, ("Towar " + std::to_string(plu)).c_str());
        f.Barcode = plu == 5 ? "0000590000005" : plu == 3 || plu == 7 ? "5900000000000" : "5907788";
        ASSERT_EQ(WriteGoodsRecordToImage(f), 0);
    }
    w.FormShow();
    w.Button4Click();
    EXPECT_EQ(prompts.TakeTexts(), QStringList{"Wykryto nieprawidłowości, zaprogramowano błędne towary, wykonaj weryfikację "
                                               "ponownie w celu potwierdzenia poprawności danych."});
    const auto resent = ProgramFrames(fx.Emu(), 'T');
    ASSERT_EQ(FrameNumbers(resent), (std::vector<uint16_t>{0x8001, 0x8002}));
    EXPECT_EQ(resent[1][7], 7);
    EXPECT_EQ(w.CheckListBox2->Count(), 100);
    w.Button4Click();
    EXPECT_EQ(prompts.TakeTexts(), QStringList{"Poprawnie zweryfikowano 10 towarów. Nie stwierdzono błędów."});

    // A read that gets no answer, or stops part-way, vouches for nothing: only its error shows.
    const QString lost = GetParam() ? "Błąd komunikacji TCP/IP." : "Brak komunikacji.";
    for (const int framesBeforeSilence : {0, 50}) {
        fx.Emu().LockFaults()->SilentAfterDataFrames = framesBeforeSilence;
        w.Button4Click();
        EXPECT_EQ(prompts.TakeTexts(), QStringList{lost}) << framesBeforeSilence;
        EXPECT_EQ(ProgramFrames(fx.Emu(), 'T').size(), 2u);
    }
}

TEST(GoodsSyncLocal, CopiesAndDeletesOnThePcMarkTheDatabaseTicksFollowTheToolsAndTheListPrints)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    App.WorkMode = WorkModeDatabase | WorkModeRegister;
    SetSyncToday(QDate(2026, 12, 6));
    TSynchronizacjaBazyTowarowej w;   // made with an empty mirror, as at start-up
    StoreGoods(2, "Na PC");
    StoreGoods(3, "Zostaje na liście dłużej");
    emu::Bytes old = RegisterGoods(10, "Stary", "", 100);
    emu::PutU16(old.data() + 75, 2026);
    old[77] = 10, old[78] = 1, old[79] = 12;
    RegisterGoodsMirror.Take(old.data());
    emu::Bytes fresh = RegisterGoods(20, "Świeży", "  1", 100);
    emu::PutU16(fresh.data() + 75, 2026);
    fresh[77] = 12, fresh[78] = 1, fresh[79] = 12;
    emu::PutU32(fresh.data() + 49, 12345);   // quantity and value: shown, never copied
    emu::PutU32(fresh.data() + 53, 7395);
    RegisterGoodsMirror.Take(fresh.data());
    w.FormShow();
    EXPECT_EQ(w.Label4->text(), "2/8000");
    EXPECT_EQ(w.CheckListBox1->Item(1), QString::fromUtf8("3.    Zostaje na liście dł       2,50 A"));

    w.Button7Click();   // 30 days
    EXPECT_TRUE(w.CheckListBox2->Checked(0));
    EXPECT_FALSE(w.CheckListBox2->Checked(1));
    // Sold exactly 5 days ago is not "more than 5 days" ago.
    w.Edit1->setText("5");
    w.Button7Click();
    EXPECT_FALSE(w.CheckListBox2->Checked(1));
    w.Edit1->setText("4");
    w.Button7Click();
    EXPECT_TRUE(w.CheckListBox2->Checked(1));
    w.Edit1->setText("trzy");
    w.Button7Click();
    w.Edit3->setText("15");
    w.Edit4->setText("10");
    w.BitBtn11Click();
    EXPECT_EQ(prompts.Texts(), (QStringList{"Błędnie wypełnione pola!", "Błędnie wypełnione pola!"}));
    w.Edit3->setText("15");
    w.Edit4->clear();
    w.BitBtn11Click();
    EXPECT_FALSE(w.CheckListBox2->Checked(0));
    EXPECT_TRUE(w.CheckListBox2->Checked(1));

    App.DatabaseModified = 0;
    const std::vector<uint8_t> before = ImageBytes();
    w.BitBtn4Click();
    EXPECT_EQ(App.DatabaseModified, 1);
    ExpectOnlyChanged(before, ImageBytes(), GoodsRecordOffset(20), 68);
    EXPECT_FALSE(CopyRegisterGoodsToImage(9));   // an empty slot
    EXPECT_EQ(FromCp1250(ReadGoodsName(20)), QString::fromUtf8("Świeży"));
    EXPECT_EQ(w.CheckListBox1->Count(), 3);

    App.DatabaseModified = 0;
    w.CheckListBox1->SetItemIndex(2);
    w.CheckListBox1->SetChecked(0, true);
    w.CheckListBox1->SetChecked(2, true);
    w.BitBtn5Click();
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_FALSE(GoodsSlotUsed(2));
    EXPECT_FALSE(GoodsSlotUsed(20));
    EXPECT_EQ(w.CheckListBox1->Items(), QStringList{PcGoodsItems()});
    EXPECT_EQ(w.CheckListBox1->ItemIndex(), 0);
    EXPECT_EQ(w.Label4->text(), "1/8000");

    w.CheckListBox2->SetItemIndex(1);
    w.CheckListBox2Click();
    EXPECT_EQ(w.DetailLastSale->text(), "2026-12-1  12:00");
    EXPECT_EQ(w.DetailQuantity->text(), "1,2345");
    EXPECT_EQ(w.DetailValue->text(), "73,95");

    // The editor gets the selected goods' number.
    QString shownNumber;
    SetModalRunner([&](QDialog&) {
        shownNumber = EdycjaTowaru->Label2->text();
        return 0;
    });
    w.CheckListBox1->SetItemIndex(0);
    w.BitBtn3Click();
    SetModalRunner({});
    EXPECT_EQ(shownNumber, "3");
    SetSyncToday({});

    // The list printed by names.
    w.PdfOutputPath = QString::fromStdString(env.Path("lista.pdf"));
    w.BitBtn10Click();
    w.MenuWydruku->hide();
    w.Drukujwedugnazw1Click();
    EXPECT_EQ(PdfPageCount(w.PdfOutputPath), 1);
    EXPECT_EQ(prompts.Texts().size(), 2);
}
