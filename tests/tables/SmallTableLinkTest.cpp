// The small-table, VAT and clock windows against a register over a pseudo-terminal and over
// loopback TCP: the frames that land in the register's tables and what the user is told.
#include "platform/ClientSocket.h"
#include "platform/SerialPort.h"
#include "platform/Time.h"
#include "tables/ProgramowanieFormPlatnosci.h"
#include "tables/ProgramowanieGrupTowarowych.h"
#include "tables/ProgramowanieKasjerow.h"
#include "tables/ProgramowanieOpakowan.h"
#include "tables/ProgramowanieRabatow.h"
#include "tables/ProgramowanieStawekPTU.h"
#include "tables/ProgramowanieWalutObcych.h"
#include "tables/ProgramowanieZegara.h"
#include "tests/tables/TablesTest.h"

#include <QDateEdit>
#include <QTimer>
#include <QTimeEdit>

#include <functional>
#include <thread>

namespace {

const QString GroupSaved = QStringLiteral("Grupę towarową zapisano w kasie");

// Sends while the operator at the register confirms the next frame that asks for it.
void OperatorConfirms(emu::RegisterEmulator& e, const std::function<void()>& send)
{
    std::jthread op([&e] {
        if (e.WaitForConfirmPending(5000))
            e.ConfirmOnKeyboard();
    });
    send();
}

class SmallTableLink : public TablesLinkTest {
protected:
    void SetUp() override { ASSERT_TRUE(fx.ConnectLink(Tcp())); }
    bool Tcp() const { return GetParam(); }
    emu::RegisterEmulator& Emu() { return fx.Emu(); }
    // True once a reply the program has not read is waiting on the line.
    bool ReplyWaiting() { return Tcp() ? TcpSocket().ReceiveLength() > 0 : Link.SerialHandle->BytesWaiting() > 0; }
    // The last frame the register received with this command.
    emu::Bytes Last(uint8_t command)
    {
        const auto frames = Emu().ReceivedFramesWithCommand(command);
        return frames.empty() ? emu::Bytes{} : frames.back();
    }

    EmulatorFixture fx;
};

// Sends the record of number from a window of the no-reply kind with its confirm box ticked;
// the register stores it once its operator confirms.
template <class Window>
void SendConfirmed(Window& w, unsigned number)
{
    w.FormShow();
    SelectNumber(w.StringGrid1, number);
    w.CheckBox1->click();
    w.Button4Click();
}

} // namespace

TEST_P(SmallTableLink, EachRecordLandsWithItsConfirmByte)
{
    ASSERT_TRUE(WriteSmallRecord(DiscountTableGeometry, DiscountRecordBytes(2, "Stały", 0, 0, 1250)));
    ASSERT_TRUE(WriteSmallRecord(PaymentFormTableGeometry, PaymentFormRecordBytes(1, "Przelew", PaymentTypeByte(4))));
    ASSERT_TRUE(WriteSmallRecord(CurrencyTableGeometry, CurrencyRecordBytes(3, "Euro", 42500000, 7, "EUR")));
    ASSERT_TRUE(WriteSmallRecord(PackagingTableGeometry, PackagingRecordBytes(5, "Butelka", 50, 1)));
    struct Case {
        std::function<void()> Send;
        uint8_t Table;
        uint8_t Number;
        std::size_t ConfirmAt;
        const SmallTableGeometry& Geometry;
    };
    TProgramowanieRabatow discounts;
    TProgramowanieFormPlatnosci payments;
    TProgramowanieWalutObcych currencies;
    TProgramowanieOpakowan packagings;
    const Case cases[] = {
        {[&] { SendConfirmed(discounts, 2); }, 'R', 2, 35, DiscountTableGeometry},
        {[&] { SendConfirmed(payments, 1); }, 'F', 1, 30, PaymentFormTableGeometry},
        {[&] { SendConfirmed(currencies, 3); }, 'W', 3, 37, CurrencyTableGeometry},
        {[&] { SendConfirmed(packagings, 5); }, 'Z', 5, 55, PackagingTableGeometry},
    };
    for (const Case& c : cases) {
        c.Send();
        ASSERT_TRUE(Emu().WaitForConfirmPending(5000)) << c.Table;
        const emu::Bytes frame = Last(c.Table);
        ASSERT_GT(frame.size(), c.ConfirmAt);
        EXPECT_EQ(frame[c.ConfirmAt], 1) << c.Table;
        EXPECT_EQ(emu::Bytes(frame.begin() + 7, frame.begin() + 7 + c.Geometry.RecordSize),
                  ReadSmallRecord(c.Geometry, c.Number))
            << c.Table;
        EXPECT_EQ(Emu().TableRecord(c.Table, c.Number)[0], 0) << "stored before the operator confirmed";
        Emu().ConfirmOnKeyboard();
        EXPECT_TRUE(WaitUntil([&] { return Emu().TableRecord(c.Table, c.Number)[0] == c.Number; }, 5000)) << c.Table;
        // The register's answer stays on the line; the next window's exchange must not take it.
        EXPECT_TRUE(WaitUntil([&] { return ReplyWaiting(); }, 5000));
    }
    EXPECT_EQ(Emu().TableRecord('F', 1)[26], 4);   // "Inna"
    EXPECT_TRUE(prompts.Texts().isEmpty());

    // Left unread: an "accepted" that must not pass for the group's answer.
    Emu().LockFaults()->ErrorCode = 5;
    TProgramowanieGrupTowarowych groups;
    groups.FormShow();
    SelectGridRow(groups.StringGrid1, 0);
    groups.Button4Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Nazwa grupy towarowej już występuje w bazie towarowej kasy."});
}

TEST_P(SmallTableLink, CashierAndGroupAnswersAreReadAfterTheOperatorOrAtOnce)
{
    TProgramowanieKasjerow cashiers;
    cashiers.FormShow();
    SelectGridRow(cashiers.StringGrid1, 0);
    cashiers.CheckBox8->click();
    OperatorConfirms(Emu(), [&] { cashiers.Button4Click(); });
    EXPECT_EQ(Last('K')[42], 1);
    EXPECT_EQ(Emu().TableRecord('K', 1)[0], 1);
    EXPECT_EQ(Emu().TableRecord('K', 1)[22], '9');

    ASSERT_TRUE(WriteSmallRecord(GoodsGroupTableGeometry, GoodsGroupRecordBytes(4, "Napoje gazowane 0,5 l")));
    TProgramowanieGrupTowarowych groups;
    groups.FormShow();
    SelectGridRow(groups.StringGrid1, 1);
    groups.CheckBox1->click();
    OperatorConfirms(Emu(), [&] { groups.Button4Click(); });
    EXPECT_EQ(Last('G')[28], 1);
    EXPECT_EQ(Emu().TableRecord('G', 4)[0], 4);
    EXPECT_EQ(prompts.Messages(), QStringList{GroupSaved});

    // Without the box the group's answer tells how the register took it.
    prompts.Clear();
    groups.CheckBox1->click();
    SelectGridRow(groups.StringGrid1, 0);
    groups.Button4Click();
    Emu().LockFaults()->PrintingReplies = 2;
    groups.Button4Click();
    Emu().LockFaults()->ErrorCode = 5;
    groups.Button4Click();
    Emu().LockFaults()->ErrorCode = 40;
    groups.Button4Click();
    EXPECT_EQ(prompts.Messages(), (QStringList{GroupSaved, GroupSaved,
                                               "Nazwa grupy towarowej już występuje w bazie towarowej kasy.",
                                               "Błąd! Kasa nie potwierdziła zapisu grupy towarowej!"}));
    // An empty row sends nothing and reads nothing.
    SelectGridRow(groups.StringGrid1, 5);
    Emu().ClearReceived();
    groups.Button4Click();
    EXPECT_TRUE(Emu().ReceivedFrames().empty());
    EXPECT_EQ(prompts.Messages().size(), 4);
}

TEST_P(SmallTableLink, VatSendStoresTheRatesFirstAndReportsTheRegistersAnswer)
{
    const uint32_t at = TableOffsets.VatRateBlock;
    for (uint32_t i = 21; i < VatRateBlockSize; ++i)
        DbWriteByteAt(at + i, uint8_t(0xA0 + i));
    TProgramowanieStawekPTU w;
    w.FormShow();
    EXPECT_EQ(w.States[4]->ItemIndex(), 2);
    EXPECT_FALSE(w.Edits[6]->isEnabled());
    ASSERT_TRUE(w.BitBtn2->isEnabled());
    w.Edits[2]->setText("7,5");
    w.Edits[6]->setText("zwolniona");
    // "Printing" 30 times, 100 ms apart: the ones already queued are stale, not a second's wait each.
    Emu().LockFaults()->PrintingReplies = 30;
    const long long start = MonotonicMs();
    w.BitBtn2Click();
    EXPECT_LT(MonotonicMs() - start, 3000 + 1000 + 500);
    EXPECT_EQ(Emu().Setting('P')[7], 750 & 0xFF);
    EXPECT_EQ(Last('P')[28], 0);
    // The image holds the rates sent; the bytes after the entries stay.
    EXPECT_EQ(ReadVatCodes(), (VatCodes{2300, 800, 750, 500, VatInactive, VatInactive, VatExempt}));
    EXPECT_EQ(w.Edits[2]->text(), "7.50");
    EXPECT_EQ(App.DatabaseModified, 1);
    EXPECT_EQ(DbReadByteAt(at + 18), 'G');
    for (uint32_t i = 21; i < VatRateBlockSize; ++i)
        EXPECT_EQ(DbReadByteAt(at + i), 0xA0 + i);
    Emu().LockFaults()->ErrorCode = 101;
    w.BitBtn2Click();
    Emu().LockFaults()->SilentRequests = 1;
    w.BitBtn2Click();
    EXPECT_EQ(prompts.Messages(), (QStringList{"Zapisano stawki PTU.", "Błąd 101: Maksymalna liczba zmian stawek PTU",
                                               "Kasa nie potwierdziła zapisu stawek PTU."}));

    // With the box ticked silence says nothing: the register asks its operator.
    prompts.Clear();
    w.CheckBox1->click();
    Emu().LockFaults()->SilentRequests = 1;
    w.BitBtn2Click();
    EXPECT_TRUE(prompts.Messages().isEmpty());

    // A refused save writes and sends nothing.
    const std::size_t sent = Emu().ReceivedFramesWithCommand('P').size();
    App.DatabaseModified = 0;
    w.Edits[0]->setText("655.36");
    w.BitBtn2Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Błędnie wypełnione pola!"});
    EXPECT_EQ(Emu().ReceivedFramesWithCommand('P').size(), sent);
    EXPECT_EQ(ReadVatCodes()->at(0), 2300);
    EXPECT_EQ(App.DatabaseModified, 0);

    // Minimised and restored during a paced send, the window stays guarded: a second click sends nothing.
    w.Edits[0]->setText("23.00");
    w.CheckBox1->click();
    fx.SetBaud(2400);
    w.show();
    prompts.Clear();
    const std::size_t before = Emu().ReceivedFramesWithCommand('P').size();
    Emu().LockFaults()->PrintingReplies = 1;
    QTimer::singleShot(0, &w, [&w] {
        w.showMinimized();
        w.showNormal();
        UserClick(*w.BitBtn2);
    });
    w.BitBtn2Click();
    EXPECT_EQ(Emu().ReceivedFramesWithCommand('P').size(), before + 1);
    EXPECT_EQ(prompts.Messages(), QStringList{"Zapisano stawki PTU."});
    w.hide();
}

TEST_P(SmallTableLink, ClockSendsWhatThePickersShow)
{
    TProgramowanieZegara w;
    w.FormShow();
    w.DateTimePicker1->setDate(QDate(2026, 3, 14));
    w.DateTimePicker2->setTime(QTime(15, 9, 26));
    w.BitBtn1Click();
    EXPECT_TRUE(prompts.Messages().isEmpty());
    const emu::Bytes f = Last('C');
    ASSERT_EQ(f.size(), 17u);
    EXPECT_EQ(emu::Bytes(f.begin() + 7, f.begin() + 15), (emu::Bytes{2026 & 0xFF, 2026 >> 8, 3, 14, 15, 9, 26, 0}));

    // A date the register refuses shows its error once.
    w.DateTimePicker1->setDate(QDate(2150, 1, 1));
    w.BitBtn1Click();
    ASSERT_EQ(prompts.Messages().size(), 1);
    EXPECT_TRUE(prompts.Messages()[0].startsWith("Błąd 59: ")) << prompts.Messages()[0].toStdString();

    prompts.Clear();
    Emu().LockFaults()->SilentRequests = 1;
    w.BitBtn1Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Błąd transmisji!"});
}

INSTANTIATE_TEST_SUITE_P(Lines, SmallTableLink, ::testing::Bool(), LinkName);
