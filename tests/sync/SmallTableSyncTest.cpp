// The small-table records' details and list lines, and their windows driven through their
// handlers against the emulator over a pseudo-terminal and over loopback TCP.
#include "sync/SmallTableSync.h"
#include "sync/SynchronizacjaBazyFormPlatnosci.h"
#include "sync/SynchronizacjaBazyOpakowan.h"
#include "sync/SynchronizacjaBazyRabatow.h"
#include "tests/sync/SyncTestUtil.h"

TEST(SmallTableRecords, DetailsAndLinesShowTheRecords)
{
    // payment form: takings, and uses at 27 (above 65535 shown whole)
    auto form = Record(31, 4, "Bon");
    emu::PutU32(form.data() + 22, 123456);
    emu::PutU32(form.data() + 27, 70000);
    const SmallTableMember& f = Member(SmallTable::PaymentForms);
    EXPECT_EQ(DetailText(f.Details[0], form.data()), "1234,56");
    EXPECT_EQ(DetailText(f.Details[1], form.data()), "70000");

    // packaging: the last sale and the count sold
    auto packaging = Record(66, 7, "Skrzynka");
    emu::PutU16(packaging.data() + 55, 2026);
    packaging[57] = 3, packaging[58] = 9, packaging[59] = 7, packaging[60] = 5;
    emu::PutU16(packaging.data() + 61, 40000);
    const SmallTableMember& z = Member(SmallTable::Packagings);
    EXPECT_EQ(DetailText(z.Details[2], packaging.data()), "07:05 9-3-2026");
    EXPECT_EQ(DetailText(z.Details[3], packaging.data()), "40000");

    // a currency's line: its rate with its decimals, and its symbol; a group's: its name alone
    auto euro = Record(30, 1, "Euro");
    emu::PutU32(euro.data() + 22, 5);
    euro[26] = 4;
    std::memcpy(euro.data() + 27, "EUR", 3);
    EXPECT_EQ(SmallTableLine(Member(SmallTable::Currencies), euro.data()), "1.  Euro                       0,0005 EUR");
    EXPECT_EQ(SmallTableLine(Member(SmallTable::GoodsGroups), Record(22, 4, "Napoje").data()), "4.  Napoje               ");
}

using SmallTableWindow = SyncLinkTest;
INSTANTIATE_OVER_BOTH_LINES(SmallTableWindow);

TEST_P(SmallTableWindow, ReadListsTheListedSlotsOnlyCopiesATickedOneToItsPcSlotAndADeleteCarriesTheWholeName)
{
    for (uint8_t n : {1, 10, 11})
        fx.Emu().PutTableRecord('F', Record(31, n, "Forma"));
    const std::vector<uint8_t> before = ImageBytes(TableOffsets.PaymentFormTable, 10 * 23);
    App.DatabaseModified = 0;
    TSynchronizacjaBazyFormPlatnosci w;
    w.FormShow();
    w.BitBtn6Click();
    EXPECT_EQ(w.CheckListBox2->Items(),
              (QStringList{"1.  Forma                 Karta płatnicza", "10. Forma                 Karta płatnicza"}));
    EXPECT_EQ(w.Mirror().UsedNumbers(), (std::vector<unsigned>{1, 10}));
    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join("|").toStdString();
    EXPECT_FALSE(w.Panel7->isVisibleTo(&w));

    // Copied to the PC: the ticked record's slot alone, and the database is marked.
    w.CheckListBox2->SetChecked(1, true);
    w.BitBtn4Click();
    std::vector<uint8_t> expected = before;
    const auto form = Record(23, 10, "Forma");
    std::copy(form.begin(), form.end(), expected.begin() + 9 * 23);
    EXPECT_EQ(ImageBytes(TableOffsets.PaymentFormTable, 10 * 23), expected);
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(w.CheckListBox1->Items().last(), SmallTableLine(Member(SmallTable::PaymentForms), form.data()));

    // A checksum error ends the read: what came before it stays listed.
    fx.Emu().LockFaults()->WrongChecksumDataFrame = 2;
    w.BitBtn6Click();
    EXPECT_EQ(w.CheckListBox2->Items(), QStringList{"1.  Forma                 Karta płatnicza"});
    EXPECT_TRUE(prompts.TakeTexts().contains("Błąd CRC!"));
    ASSERT_TRUE(fx.Emu().WaitForFramesWithCommand(0x06, 5, 2000));   // three answers to the first read, two now
    EXPECT_EQ(fx.Emu().ReceivedFramesWithCommand(0x06).back()[7], 1);

    // A delete carries a packaging's whole name.
    auto r = Record(66, 6, "Skrzynka plastikowa na butelki");   // 30 characters
    r[59] = 24;
    emu::PutU32(r.data() + 43, 50);
    r[65] = 1;
    fx.Emu().PutTableRecord('Z', r);
    TSynchronizacjaBazyOpakowan packagings;
    packagings.FormShow();
    packagings.BitBtn6Click();
    EXPECT_EQ(packagings.CheckListBox2->Item(0), "6.  Skrzynka plastikowa na butelki                  0,50 ruchoma");
    packagings.CheckListBox2->SetItemIndex(0);
    packagings.CheckListBox2Click();
    EXPECT_EQ(packagings.DetailValues[2]->text(), "Brak");
    packagings.CheckListBox2->SetChecked(0, true);
    fx.Emu().LockFaults()->PrintingReplies = 2;
    packagings.BitBtn8Click();
    EXPECT_EQ(fx.Emu().TableRecord('Z', 6)[0], 0);
    EXPECT_EQ(packagings.CheckListBox2->Count(), 0);
    EXPECT_EQ(FrameNumbers(fx.Emu().ReceivedFramesWithCommand('5')), std::vector<uint16_t>{0x8001});
    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join("|").toStdString();
}

TEST_P(SmallTableWindow, TogglesThenSendNumbersTheFramesWaitsOutPrintingThenRereadsButSilenceStopsIt)
{
    const SmallTableMember& m = Member(SmallTable::Discounts);
    for (uint8_t n : {2, 5, 9}) {
        auto r = Record(28, n, "Rabat");
        r[1 + 5] = char('0' + n);
        emu::PutU32(r.data() + 24, 100u * n);
        r[22] = r[23] = uint8_t(n == 9);   // a markup by amount
        DbWriteBytesAt(TableOffsets[m.PcTable] + (n - 1) * m.PcRecordSize, r.data(), r.size());
    }
    TSynchronizacjaBazyRabatow w;
    w.FormShow();
    EXPECT_EQ(w.CheckListBox1->Item(0), "2.  Rabat2               [R]      2,00 %");
    EXPECT_EQ(w.CheckListBox1->Item(2), "9.  Rabat9               [N]      9,00 kwotowy");
    // Nothing ticked: nothing is sent, deleted or copied.
    fx.Emu().ClearReceived();
    w.BitBtn2Click();
    w.BitBtn8Click();
    w.BitBtn4Click();
    EXPECT_TRUE(fx.Emu().ReceivedFrames().empty());
    EXPECT_TRUE(prompts.Texts().isEmpty());
    for (int press = 0; press < 3; ++press) {   // the toggle ticks all, then none, then all
        w.BitBtn9Click();
        EXPECT_EQ(w.CheckListBox1->CheckedCount(), press % 2 == 0 ? 3 : 0);
    }
    w.BitBtn2Click();
    EXPECT_EQ(prompts.TakeTexts(), QStringList{" Zaprogramowano 3 rabatów."});
    const auto frames = fx.Emu().ReceivedFramesWithCommand('R');
    ASSERT_EQ(frames.size(), 4u);   // three program frames, then the read
    EXPECT_EQ(FrameNumbers({frames.begin(), frames.begin() + 3}), (std::vector<uint16_t>{1, 2, 0x8003}));
    EXPECT_EQ(frames[3].size(), 11u);
    EXPECT_EQ(fx.Emu().TableRecord('R', 9)[24], 900 & 0xFF);
    EXPECT_EQ(w.CheckListBox2->Count(), 3);

    // Silence stops the send with the count so far, and no re-read follows.
    fx.Emu().ClearReceived();
    fx.Emu().LockFaults()->SilentRequests = 1;
    w.BitBtn2Click();
    EXPECT_EQ(prompts.TakeTexts(), QStringList{"Wystąpił błąd transmisji. Zaprogramowano 0 rabatów."});
    EXPECT_EQ(fx.Emu().ReceivedFramesWithCommand('R').size(), 1u);
    EXPECT_TRUE(w.BitBtn2->isEnabled());

    fx.Emu().LockFaults()->PrintingReplies = 2;
    QElapsedTimer t;
    t.start();
    w.BitBtn2Click();
    EXPECT_GE(t.elapsed(), 1000 + 430);   // one wait for "printing" (the second, queued, is stale), then the final delay
    EXPECT_EQ(prompts.TakeTexts(), QStringList{" Zaprogramowano 3 rabatów."});

    // After Esc the frame that carries the stop ends the series, refused or unanswered, and no
    // re-read follows; Esc during a read says the list holds only what came.
    for (const bool silent : {false, true}) {
        fx.Emu().ClearReceived();
        silent ? void(fx.Emu().LockFaults()->SilentRequests = 1) : void(fx.Emu().LockFaults()->WriteErrorCode = 5);
        QTimer::singleShot(0, &w, [&w] { w.FormKeyDown(Qt::Key_Escape); });
        w.BitBtn2Click();
        EXPECT_EQ(prompts.TakeTexts(), QStringList{TransferStoppedText}) << silent;
        EXPECT_EQ(fx.Emu().ReceivedFramesWithCommand('R').size(), 1u);
    }
    QTimer::singleShot(0, &w, [&w] { w.FormKeyDown(Qt::Key_Escape); });
    w.BitBtn6Click();
    EXPECT_EQ(prompts.TakeTexts(), QStringList{TransferStoppedText + "\nLista jest niepełna: odczytano 1 rekord."});
    EXPECT_EQ(w.CheckListBox2->Count(), 1);
}
