// The report windows against the emulator: the bytes of every window's request, the reply read,
// the checks before sending, the presets and the keys.
#include "link/Commands.h"
#include "platform/SerialPort.h"
#include "service/RaportObrotuGrup.h"
#include "service/ReportLogic.h"
#include "service/WykonywaniePelnegoRaportuBazyPLU.h"
#include "service/WykonywanieRaportuBazyZPTU.h"
#include "service/WykonywanieRaportuFormPlatnosci.h"
#include "service/WykonywanieRaportuGrupTowarowych.h"
#include "service/WykonywanieRaportuKasjera.h"
#include "service/WykonywanieRaportuKlawiszySzybkich.h"
#include "service/WykonywanieRaportuNapisowStalych.h"
#include "service/WykonywanieRaportuOkresowego.h"
#include "service/WykonywanieRaportuOpakowan.h"
#include "service/WykonywanieRaportuRabatow.h"
#include "service/WykonywanieRaportuSprzedazy.h"
#include "service/WykonywanieRaportuStanuKasy.h"
#include "service/WykonywanieRaportuStawekPTU.h"
#include "service/WykonywanieRaportuTowarowNieaktywnych.h"
#include "service/WykonywanieRaportuZmianowegoSprzedazy.h"
#include "tests/service/ServiceTestUtil.h"

#include <QComboBox>
#include <QDateEdit>
#include <memory>

namespace {

using Window = std::unique_ptr<TReportWindow>;

struct ReportCase {
    const char* Name;
    std::function<Window()> Make;
    std::function<void(TReportWindow&)> Set;
    uint8_t Command;
    std::size_t Length;
    uint16_t Number;
    emu::Bytes Payload;  // frame bytes from 7 on
    bool ReadsReply;
};

template <class W> W& As(TReportWindow& w) { return static_cast<W&>(w); }

template <class W> std::function<Window()> Make()
{
    return [] { return Window(new W); };
}

const auto Nothing = [](TReportWindow&) {};

// Picks the range and fills its two fields, in a periodic or a goods-range report.
template <class W> void SetRange(TReportWindow& w, int range, const QString& from, const QString& to)
{
    As<W>(w).Range.Check(range);
    As<W>(w).Edit1->setText(from);
    As<W>(w).Edit2->setText(to);
}

// Zero records "Tak" and zeroing on, for the windows of rows 6-10.
const auto BothOptions = [](TReportWindow& w) {
    auto& o = static_cast<TOptionsReport&>(w);
    o.RadioGroup1->SetItemIndex(1);
    o.CheckBox1->setChecked(true);
};

std::vector<ReportCase> Cases()
{
    using P = TWykonywanieRaportuOkresowego;
    using S = TWykonywanieRaportuSprzedazy;
    using B = TWykonywanieRaportuBazyZPTU;
    using K = TWykonywanieRaportuKasjera;
    using T = TRaportObrotuGrup;
    return {
        // In January the month preset is December of the year before.
        {"PeriodicMonthlyPreset", [] { return Window(new P(nullptr, QDate(2027, 1, 3))); }, Nothing, 'o', 19, 0x8001,
         {2, 0xFF, 0xEA, 0x07, 12, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, true},
        {"PeriodicDates", Make<P>(),
         [](TReportWindow& w) {
             As<P>(w).Range.Check(1);
             As<P>(w).DateTimePicker1->setDate(QDate(2026, 1, 5));
             As<P>(w).DateTimePicker2->setDate(QDate(2026, 2, 10));
             As<P>(w).CheckBox1->setChecked(false);
         },
         'o', 19, 1, {1, 0, 0xEA, 0x07, 1, 5, 0xEA, 0x07, 2, 10}, true},
        {"PeriodicNumbersEqual", Make<P>(), [](TReportWindow& w) { SetRange<P>(w, 2, "5", "5"); }, 'o', 19, 1,
         {0, 1, 5, 0, 5, 0, 0xFF, 0xFF, 0xFF, 0xFF}, true},
        {"SalesWholeBaseZeroing", Make<S>(), [](TReportWindow& w) { As<S>(w).RadioGroup1->SetItemIndex(1); }, 's', 16,
         1, {1, 1, 0, 0x40, 0x1F, 1, 0}, true},
        {"SalesFirstGroup", Make<S>(),
         [](TReportWindow& w) {
             As<S>(w).Range.Check(1);
             As<S>(w).RadioGroup2->SetItemIndex(1);
         },
         's', 16, 1, {2, 1, 0xFF, 0xFF, 0xFF, 0, 1}, true},
        {"SalesPluRange", Make<S>(), [](TReportWindow& w) { SetRange<S>(w, 2, "10", "20"); }, 's', 16, 1,
         {3, 10, 0, 20, 0, 0, 0}, true},
        {"InactiveGoods", Make<TWykonywanieRaportuTowarowNieaktywnych>(), Nothing, 'n', 10, 1, {1}, false},
        {"BaseWithPtuGroup5", Make<B>(),
         [](TReportWindow& w) {
             As<B>(w).Range.Check(1);
             As<B>(w).ComboBox1->setCurrentIndex(4);
             As<B>(w).RadioGroup2->SetItemIndex(1);
         },
         'p', 15, 1, {2, 5, 0xFF, 0xFF, 0xFF, 1}, true},
        {"FullPluWholeBase", Make<TWykonywaniePelnegoRaportuBazyPLU>(), Nothing, 'b', 15, 1, {1, 1, 0, 0x40, 0x1F, 0},
         true},
        {"Cashier3Zeroing", Make<K>(),
         [](TReportWindow& w) {
             As<K>(w).ComboBox1->setCurrentIndex(2);
             As<K>(w).CheckBox1->setChecked(true);
         },
         'k', 12, 0x8001, {3, 1, 0}, false},
        {"ShiftSales", Make<TWykonywanieRaportuZmianowegoSprzedazy>(), BothOptions, 'z', 12, 1, {1, 1, 0}, false},
        {"Discounts", Make<TWykonywanieRaportuRabatow>(), Nothing, 'r', 12, 1, {0, 0, 0}, false},
        {"Packagings", Make<TWykonywanieRaportuOpakowan>(), BothOptions, 'a', 12, 1, {1, 1, 0}, false},
        {"PaymentForms", Make<TWykonywanieRaportuFormPlatnosci>(), BothOptions, 'f', 12, 1, {1, 1, 0}, false},
        {"GoodsGroups", Make<TWykonywanieRaportuGrupTowarowych>(), BothOptions, 'g', 12, 1, {1, 1, 0}, false},
        {"FixedTexts", Make<TWykonywanieRaportuNapisowStalych>(), Nothing, 'w', 10, 1, {1}, false},
        {"VatRates", Make<TWykonywanieRaportuStawekPTU>(), Nothing, 'v', 10, 1, {1}, false},
        {"RegisterState", Make<TWykonywanieRaportuStanuKasy>(), Nothing, 't', 10, 1, {1}, false},
        {"QuickKeys", Make<TWykonywanieRaportuKlawiszySzybkich>(), Nothing, 'h', 10, 1, {1}, false},
        // Presets: from and to January of this year.
        {"GroupTurnoverPreset", [] { return Window(new T(nullptr, QDate(2026, 3, 31))); }, Nothing, 0x05, 17, 0x8001,
         {1, 0xEA, 0x07, 1, 0xEA, 0x07, 1, 'n'}, false},
        {"GroupTurnover", [] { return Window(new T(nullptr, QDate(2026, 3, 31))); },
         [](TReportWindow& w) {
             As<T>(w).ComboBox1->setCurrentIndex(2);
             As<T>(w).MaskEdit1->setText("2025");
             As<T>(w).ComboBox2->setCurrentIndex(4);
             As<T>(w).CheckBox2->setChecked(true);
         },
         0x05, 17, 0x8001, {3, 0xE9, 0x07, 5, 0xEA, 0x07, 1, 't'}, false},
    };
}

// Sends a probe and waits for it: every frame a window sent before it has arrived by then.
std::vector<emu::Bytes> RequestsUpToProbe(ServiceRig& rig)
{
    SendProbeQ(1, 1, 0);
    EXPECT_TRUE(rig.fx.Emu().WaitForFramesWithCommand('Q', 1, 3000));
    std::vector<emu::Bytes> requests = Requests(rig.fx);
    std::erase_if(requests, [](const emu::Bytes& f) { return f[6] == 'Q'; });
    return requests;
}

} // namespace

// Every window sends its frame; the register refuses it with an error code, which only the
// windows that read a reply show.
TEST_P(LinkTest, EveryReportWindowSendsItsFrame)
{
    for (const ReportCase& c : Cases()) {
        SCOPED_TRACE(c.Name);
        ServiceRig rig(GetParam());
        ASSERT_TRUE(rig.connected);
        Window w = c.Make();
        c.Set(*w);
        rig.fx.Emu().LockFaults()->ErrorCode = 73;
        // A window that reads no reply still awaits it: a second click while it comes, after a
        // "printing" reply, sends nothing.
        bool clicked = c.ReadsReply;
        if (!c.ReadsReply) {
            rig.fx.Emu().LockFaults()->PrintingReplies = 1;
            QTimer::singleShot(50, w->Button1, [&] { UserClick(*w->Button1), clicked = true; });
        }
        w->Button1Click();
        ASSERT_TRUE(WaitUntil([&] { return clicked; }));
        const std::vector<emu::Bytes> requests = RequestsUpToProbe(rig);
        ASSERT_EQ(requests.size(), 1u);
        const emu::Bytes& f = requests[0];
        EXPECT_EQ(f[6], c.Command);
        ASSERT_EQ(f.size(), c.Length);
        EXPECT_EQ(emu::GetU16(&f[4]), c.Number);
        EXPECT_EQ(emu::Bytes(f.begin() + 7, f.begin() + 7 + std::ptrdiff_t(c.Payload.size())), c.Payload);
        const QStringList expected =
            c.ReadsReply ? QStringList{QStringLiteral("Błąd 73: ") + ErrorText(73)} : QStringList{};
        EXPECT_EQ(rig.prompts.Texts(), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Line, LinkTest, ::testing::Values(false, true), LinkName);

// A stale reply is drained before the next report sends. Bad input shows its message, Enter never
// runs "Wykonaj": neither sends anything. Esc closes every window but the turnover report.
TEST(ReportWindows, StaleReplyDrainedChecksAndEnterSendNothingAndEscCloses)
{
    using P = TWykonywanieRaportuOkresowego;
    using S = TWykonywanieRaportuSprzedazy;
    struct Bad {
        std::function<Window()> Make;
        int Range;
        QString From, To;
        QString Message;
    };
    const std::vector<Bad> cases = {
        {Make<P>(), 2, "6", "5", ReportTexts::ReportOrder},
        {Make<P>(), 2, "0", "5", ReportTexts::ReportRange},
        {Make<P>(), 2, "5", "8001", ReportTexts::ReportRange},
        {Make<P>(), 2, "", "5", ReportTexts::BadFirstReport},
        {Make<P>(), 2, "5", "x", ReportTexts::BadLastReport},
        {Make<P>(), 0, "", "", ReportTexts::BadDate},
        {Make<S>(), 2, "0", "5", ReportTexts::GoodsRange},
        {Make<S>(), 2, "1", "8001", ReportTexts::GoodsRange},
        {Make<S>(), 2, "10", "9", ReportTexts::GoodsOrder},
        {Make<S>(), 2, "", "9", ReportTexts::BadGoodsNumber},
        {Make<TRaportObrotuGrup>(), -1, "", "", ReportTexts::BadDate},
    };
    ServiceRig rig(false);
    ASSERT_TRUE(rig.connected);

    // A reply left on the line is drained before the next report sends, so the next report reads
    // its own reply.
    TWykonywanieRaportuOkresowego periodic;
    // Polish dates whatever the system's locale; the fields of an unchosen range are not white.
    periodic.DateTimePicker1->setDate(QDate(2026, 12, 6));
    EXPECT_EQ(periodic.DateTimePicker1->text(), "6.12.2026");
    EXPECT_NE(periodic.Edit1->palette().color(QPalette::Base), QColor(Qt::white));
    rig.fx.Emu().LockFaults()->ErrorCode = 71;
    RequestVatRatesReport(1, 1);
    ASSERT_TRUE(rig.fx.Emu().WaitForFramesWithCommand('v', 1, 3000));
    ASSERT_TRUE(WaitUntil([] { return Link.SerialHandle->BytesWaiting() >= 11; }));
    periodic.MaskEdit1->setText("03-2026");
    periodic.Button1Click();
    EXPECT_TRUE(rig.prompts.Texts().isEmpty()) << rig.prompts.Texts().join('|').toStdString();
    rig.fx.Emu().ClearReceived();

    for (const Bad& c : cases) {
        SCOPED_TRACE((c.From + "|" + c.To + "|" + c.Message).toStdString());
        Window w = c.Make();
        if (auto* p = dynamic_cast<P*>(w.get())) {
            SetRange<P>(*w, c.Range, c.From, c.To);
            p->MaskEdit1->setText("  -2026");
        } else if (dynamic_cast<S*>(w.get())) {
            SetRange<S>(*w, c.Range, c.From, c.To);
        } else {
            static_cast<TRaportObrotuGrup*>(w.get())->MaskEdit2->setText("20");
        }
        w->Button1Click();
        EXPECT_EQ(rig.prompts.TakeTexts(), QStringList{c.Message});
    }

    TWykonywanieRaportuSprzedazy sales;
    TRaportObrotuGrup turnover;
    for (TReportWindow* w : std::initializer_list<TReportWindow*>{&sales, &turnover}) {
        w->show();
        PressKey(*w, Qt::Key_Return);
        PressKey(*w, Qt::Key_Enter);
        EXPECT_TRUE(w->isVisible());
        PressKey(*w, Qt::Key_Escape);
    }
    EXPECT_FALSE(sales.isVisible());
    EXPECT_TRUE(turnover.isVisible());
    EXPECT_TRUE(RequestsUpToProbe(rig).empty());
}
