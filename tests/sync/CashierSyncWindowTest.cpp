// "Podgląd bazy kasjerów" against the emulator over a pseudo-terminal and over loopback TCP.
#include "sync/CashierSyncLogic.h"
#include "sync/SynchronizacjaBazyKasjerow.h"
#include "tests/sync/SyncTestUtil.h"

namespace {

using CashierSync = SyncLinkTest;
INSTANTIATE_OVER_BOTH_LINES(CashierSync);

// A register cashier with a password, takings, a login and a right.
emu::Bytes WorkingCashier(uint8_t n, const char* name)
{
    emu::Bytes r = RegisterCashier(n, name);
    std::memcpy(r.data() + 22, "1234", 4);
    emu::PutU32(r.data() + 26, 12345);
    emu::PutU16(r.data() + 34, 17);
    emu::PutU16(r.data() + 231, 2026);
    r[233] = 12, r[234] = 5, r[235] = 8, r[236] = 3;
    emu::PutU16(r.data() + 243, 41);
    r[245] = 7;
    r[246] = 1;
    r[226] = 1;
    return r;
}

void StoreCashier(uint8_t n, const char* name)
{
    emu::Bytes pc = Record(33, n, name);
    std::memcpy(pc.data() + 22, "0000", 4);
    DbWriteBytesAt(TableOffsets.CashierTable + (n - 1) * 33, pc.data(), pc.size());
}

} // namespace

TEST_P(CashierSync, SendAndDeleteWaitOutPrintingTheRefusalStopsNothingAndAReadShowsCounters)
{
    StoreCashier(2, "Basia");
    StoreCashier(5, "Czesiek");
    TSynchronizacjaBazyKasjerow w;
    w.FormShow();
    ASSERT_EQ(w.CheckListBox1->Count(), 3);   // the manager of the default image too
    w.CheckListBox1->SetChecked(1, true);
    w.CheckListBox1->SetChecked(2, true);
    fx.Emu().LockFaults()->PrintingReplies = 2;
    w.BitBtn2Click();
    EXPECT_EQ(prompts.TakeTexts(), QStringList{" Zaprogramowano 2 kasjerów."});
    EXPECT_EQ(FrameNumbers(ProgramFrames(fx.Emu(), 'K')), (std::vector<uint16_t>{1, 0x8002}));
    ASSERT_EQ(w.CheckListBox2->Count(), 3);
    EXPECT_EQ(fx.Emu().TableRecord('K', 5)[1], 'C');

    // Deleting them all: the manager is refused, the series goes on and the pane drops what it took.
    w.BitBtn1Click();
    fx.Emu().LockFaults()->PrintingReplies = 2;
    w.BitBtn8Click();
    EXPECT_EQ(prompts.TakeTexts(), QStringList{"Błąd 89: " + ErrorText(89)});
    EXPECT_EQ(FrameNumbers(fx.Emu().ReceivedFramesWithCommand('2')), (std::vector<uint16_t>{1, 2, 0x8003}));
    ASSERT_EQ(w.CheckListBox2->Count(), 1);
    EXPECT_TRUE(w.CheckListBox2->Item(0).startsWith("1. "));

    // A read after the deletes shows the manager and what the register got since, and the counters.
    const emu::Bytes ewa = WorkingCashier(4, "Ewa");
    fx.Emu().PutTableRecord('K', ewa);
    fx.Emu().PutTableRecord('K', RegisterCashier(20, "Ostatni"));
    Link.AbortRequestFlag = 1;   // left by the goods window
    w.BitBtn6Click();
    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join("|").toStdString();
    ASSERT_EQ(w.CheckListBox2->Count(), 3);
    EXPECT_EQ(w.CheckListBox2->Item(1), QStringLiteral("4.  Ewa                  "));
    EXPECT_FALSE(w.Panel7->isVisibleTo(&w));
    EXPECT_TRUE(w.BitBtn2->isEnabled());

    w.CheckListBox2->SetItemIndex(1);
    w.CheckListBox2Click();
    EXPECT_EQ(w.DetailCashTakings->text(), "123,45");
    EXPECT_EQ(w.DetailReceiptsIssued->text(), "17");
    EXPECT_EQ(w.DetailLastLogin->text(), "2026-12-5  08:03");
    EXPECT_EQ(w.DetailWorkTime->text(), "41 godzin 7 minut");
    EXPECT_FALSE(w.LoggedInLabel->isHidden());
    EXPECT_EQ(w.RightValues[2]->text(), "TAK");
    EXPECT_EQ(w.RightValues[0]->text(), "NIE");
    EXPECT_TRUE(w.DetailPassword->isHidden());
    w.Button6Click();
    EXPECT_FALSE(w.DetailPassword->isHidden());

    // Copied to the PC: number, name, password and the rights, without the counters; the database is marked.
    App.DatabaseModified = 0;
    const std::vector<uint8_t> before = ImageBytes();
    w.CheckListBox2->SetChecked(1, true);
    w.BitBtn4Click();
    EXPECT_EQ(App.DatabaseModified, 1);
    emu::Bytes pc(ewa.begin(), ewa.begin() + 26);
    pc.insert(pc.end(), ewa.begin() + 224, ewa.begin() + 231);
    const uint32_t at = TableOffsets.CashierTable + 3 * 33;
    ExpectOnlyChanged(before, ImageBytes(), at, 33);
    EXPECT_EQ(ImageBytes(at, 33), pc);
    EXPECT_FALSE(CopyRegisterCashierToImage(RegisterCashier(21, "Za daleko").data()));
    EXPECT_TRUE(w.CheckListBox1->Items().contains(QStringLiteral("4.  Ewa                  ")));
    EXPECT_EQ(PcCashierDetails(4).Rights[2], "TAK");

    // The last slots show their details as every other does: the pane's last and the table's.
    StoreCashier(10, "Dziesiaty");
    StoreCashier(20, "Dwudziesty");
    w.FormShow();
    const int last = int(w.CheckListBox1->Items().size()) - 1;
    ASSERT_TRUE(w.CheckListBox1->Item(last).startsWith("10.")) << w.CheckListBox1->Item(last).toStdString();
    w.CheckListBox1->SetItemIndex(last);
    w.CheckListBox1Click();
    EXPECT_EQ(w.DetailName->text().trimmed(), "Dziesiaty");
    EXPECT_EQ(PcCashierDetails(20).Name.trimmed(), "Dwudziesty");

    // Esc during a read says the list holds only what came. After Esc the frame that carries the
    // stop ends a series, whatever the register answers: the manager's refusal, or silence.
    QTimer::singleShot(0, &w, [&w] { w.FormKeyDown(Qt::Key_Escape); });
    w.BitBtn6Click();
    EXPECT_EQ(prompts.TakeTexts(), QStringList{TransferStoppedText + "\nLista jest niepełna: odczytano 1 rekord."});
    w.BitBtn6Click();
    w.CheckListBox1->SetAllChecked(true);
    w.CheckListBox2->SetAllChecked(true);
    for (const bool silent : {false, true}) {
        fx.Emu().ClearReceived();
        fx.Emu().LockFaults()->SilentRequests = silent;
        QTimer::singleShot(0, &w, [&w] { w.FormKeyDown(Qt::Key_Escape); });
        silent ? w.BitBtn2Click() : w.BitBtn8Click();
        EXPECT_EQ(prompts.TakeTexts(), QStringList{TransferStoppedText}) << silent;
        EXPECT_EQ(FrameNumbers(ProgramFrames(fx.Emu(), silent ? 'K' : '2')), std::vector<uint16_t>{0x8001});
    }
}
