// The goods window against a register over a pseudo-terminal and over loopback TCP: sending goods,
// the automatic send after an add, the download of the goods table, and nothing sent without a
// register or a database.
#include "tables/ProgramowanieTowarow.h"
#include "tests/tables/TablesTest.h"

#include <QFrame>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <ranges>

namespace {

// The name of a register goods record, up to its first NUL.
std::string RegisterName(const emu::Bytes& rec)
{
    const std::string field(rec.begin() + 2, rec.begin() + 44);
    return field.substr(0, field.find('\0'));
}

} // namespace

using GoodsLink = TablesLinkTest;

TEST_P(GoodsLink, SelectedOrAddedGoodsIsSentAndStoredOnlyWithARegisterAndADatabase)
{
    EmulatorFixture fx{emu::Model::Rivo};
    StoreGoods(3, "Mleko");
    StoreGoods(5, "Chleb", 250);
    TProgramowanieTowarow w;
    w.FormShow();
    w.SelectRow(1);
    // Nothing goes out without a register.
    w.BitBtn1Click();
    w.BitBtn8Click();
    w.Button2Click();
    EXPECT_EQ(prompts.Texts(), QStringList(3, "Brak połączenia z Kasą Fiskalną!"));

    ASSERT_TRUE(fx.ConnectLink(GetParam()));
    prompts.Clear();
    w.BitBtn1Click();
    EXPECT_EQ(prompts.Texts(), QStringList{"Towar zapisano w kasie"});
    const emu::Bytes rec = fx.Emu().GoodsRecord(5);
    EXPECT_EQ(emu::GetU16(rec.data()), 5);
    EXPECT_EQ(RegisterName(rec), "Chleb");
    EXPECT_EQ(emu::GetU32(rec.data() + 45), 250u);
    EXPECT_EQ(emu::GetU16(fx.Emu().GoodsRecord(3).data()), 0);
    const auto frames = fx.Emu().ReceivedFramesWithCommand('T');
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].size(), 93u);
    EXPECT_EQ(frames[0][90], 0);   // no confirmation asked

    // With confirmation ticked the flag travels in the frame.
    w.CheckBox3->setChecked(true);
    w.CheckBox3Click();
    w.BitBtn1Click();
    const auto again = fx.Emu().ReceivedFramesWithCommand('T');
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[1][90], 1);

    // An add sends the new goods when asked, with the fields the lists chose.
    w.CheckBox3->setChecked(false);
    w.CheckBox3Click();
    w.CheckBox4->setChecked(true);
    w.Edit1->setText("44");
    w.Edit2->setText("Sok jabłkowy");
    w.Edit3->setText("4.99");
    w.ComboBox1->setCurrentIndex(2);
    w.ComboBox5->setCurrentIndex(3);
    prompts.Clear();
    App.DatabaseModified = 0;
    w.BitBtn4Click();
    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join("|").toStdString();
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(ReadGoodsName(44), ToCp1250("Sok jabłkowy"));
    EXPECT_EQ(DbReadByteAt(GoodsRecordOffset(44) + GoodsField::Vat), 'C');
    const emu::Bytes added = fx.Emu().GoodsRecord(44);
    EXPECT_EQ(RegisterName(added), ToCp1250("Sok jabłkowy"));
    EXPECT_EQ(emu::GetU32(added.data() + 45), 499u);
    EXPECT_EQ(added[44], 'C');
    EXPECT_EQ(added[81], 3);

    // Register but no database: the add says why, fails (the editor stays open), keeps the
    // proposed PLU and sends nothing.
    App.WorkMode = WorkModeRegister;
    prompts.Clear();
    fx.Emu().ClearReceived();
    w.Edit1->setText("6");
    w.Edit2->setText("Bułka");
    w.Edit3->setText("0,80");
    App.DatabaseModified = 0;
    EXPECT_FALSE(w.AddGoods(w.InputFromControls()));
    EXPECT_EQ(prompts.Texts(), QStringList{FileClosed});
    EXPECT_EQ(w.Edit1->text(), "6");
    EXPECT_EQ(w.Edit2->text(), "Bułka");
    EXPECT_EQ(App.DatabaseModified, 0);
    App.WorkMode = WorkModeDatabase | WorkModeRegister;
    EXPECT_FALSE(GoodsSlotUsed(6));
    EXPECT_TRUE(fx.Emu().ReceivedFramesWithCommand('T').empty());
}

TEST_P(GoodsLink, RepliesAreWaitedOutOrReportedAndTheNextDownloadReadsEveryRecord)
{
    enum Fault { Printing, Busy, Error };
    StoreGoods(7, "Kawa");
    for (Fault fault : {Printing, Busy, Error}) {
        SCOPED_TRACE(fault);
        ResetLinkState();   // the link of the last register goes first
        prompts.Clear();
        EmulatorFixture fx{emu::Model::Rivo};
        ASSERT_TRUE(fx.ConnectLink(GetParam()));
        const uint16_t plu = uint16_t(2 + fault);   // goods the image does not hold yet
        fx.Emu().PutGoodsRecord(RegisterGoodsRecord(plu, "Bulka", "   5900000001", 4));
        emu::Faults faults;
        faults.PrintingReplies = fault == Printing ? 2 : 0;
        faults.BusyReplies = fault == Busy ? 2 : 0;
        faults.BusyDelayMs = 50;
        faults.ErrorCode = fault == Error ? 5 : -1;
        fx.Emu().SetFaults(faults);
        TProgramowanieTowarow w;
        w.FormShow();
        w.SelectRow(w.GridRowCount() - 1);
        w.BitBtn1Click();
        if (fault == Error) {
            EXPECT_EQ(prompts.Texts(), QStringList{"Błąd! Kasa nie potwierdziła zapisu towaru!"});
            EXPECT_EQ(emu::GetU16(fx.Emu().GoodsRecord(7).data()), 0);
            continue;
        }
        EXPECT_EQ(prompts.Texts(), QStringList{"Towar zapisano w kasie"});
        EXPECT_EQ(RegisterName(fx.Emu().GoodsRecord(7)), "Kawa");

        prompts.Clear();
        App.DatabaseModified = 0;
        Link.AbortRequestFlag = 1;   // a stale stop from an earlier transfer must not cut this one
        w.BitBtn8Click();
        EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join("|").toStdString();
        EXPECT_EQ(ReadGoodsName(plu), "Bulka");
        EXPECT_EQ(ReadGoodsName(7), "Kawa");
        EXPECT_EQ(App.DatabaseModified, 1);
        EXPECT_FALSE(w.Downloading());
        EXPECT_TRUE(w.BitBtn4->isEnabled());
        EXPECT_FALSE(w.Panel2->isVisibleTo(&w));
    }
}

TEST_P(GoodsLink, EscStopsTheDownloadAndKeepsWhatCame)
{
    EmulatorFixture fx{emu::Model::Rivo};
    ASSERT_TRUE(fx.ConnectLink(GetParam()));
    for (uint16_t plu = 1; plu <= 6; ++plu)
        fx.Emu().PutGoodsRecord(RegisterGoodsRecord(plu, "Towar", "0000000000001"));
    TProgramowanieTowarow w;
    w.show();
    bool lockedWhileRunning = false;
    QTimer::singleShot(0, &w, [&] {
        lockedWhileRunning = w.Downloading() && !w.BitBtn4->isEnabled() && !w.BitBtn1->isEnabled() &&
                             !w.StringGrid1->isEnabled() && w.BitBtn5->isEnabled() && w.Panel2->isVisible();
        PressKey(w, Qt::Key_Return);
        PressKey(w, Qt::Key_Escape);
    });
    w.BitBtn8Click();
    EXPECT_TRUE(lockedWhileRunning);
    EXPECT_TRUE(w.isVisible());   // Esc stopped the transfer, not the window
    const auto stored = std::ranges::count_if(std::views::iota(1u, 7u), GoodsSlotUsed);
    EXPECT_GE(stored, 1);
    EXPECT_LT(stored, 6);
    EXPECT_TRUE(w.BitBtn4->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Lines, GoodsLink, ::testing::Bool(), LinkName);
