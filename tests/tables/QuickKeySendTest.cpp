// The drag-and-drop quick-key window sending keys to the register, over a pseudo-terminal and
// over loopback TCP: the series of ten keys, its stops, and the one key of the pop-up.
#include "core/AppState.h"
#include "emulator/FrameCodec.h"
#include "link/Link.h"
#include "tables/GoodsLogic.h"
#include "tables/ProgramowanieKlawiszySzybkich2.h"
#include "tables/QuickKeys.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstring>

namespace {

enum class Line { Serial, Tcp };

std::string LineName(const ::testing::TestParamInfo<Line>& info)
{
    return info.param == Line::Serial ? "Serial" : "Tcp";
}

void RegisterGoods(EmulatorFixture& fx, uint16_t plu)
{
    emu::Bytes r(emu::RegisterGoodsRecordSize, 0);
    emu::PutU16(r.data(), plu);
    std::memcpy(r.data() + 2, "Towar", 5);
    fx.Emu().PutGoodsRecord(r);
}

// Key k of the cashier sells goods k (and k + 20 on even keys); key 3 ends the receipt.
void StoreKeys(unsigned cashier, uint16_t key4Plu = 4)
{
    for (unsigned k = 1; k <= 10; ++k) {
        QuickKeyRecord r{};
        r[1] = uint8_t(k);
        AddQuickKeyEntry(r, uint16_t(k == 4 ? key4Plu : k), QuickKeyOneUnit * k);
        if (k % 2 == 0)
            AddQuickKeyEntry(r, uint16_t(k + 20), 5);
        r[QuickKeyEndFlagByte] = k == 3 ? 1 : 0;
        ASSERT_TRUE(WriteQuickKeyRecord(r, cashier, k));
    }
}

uint16_t FrameNumberOf(const emu::Bytes& frame) { return emu::GetU16(frame.data() + 4); }

class QuickKeySend : public ::testing::TestWithParam<Line> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fx.ConnectLink(GetParam() == Line::Tcp));
        for (uint16_t plu = 1; plu <= 30; ++plu)
            RegisterGoods(fx, plu);
        StoreKeys(2);
        w.FormShow();
        w.ComboBox1->setCurrentIndex(1);
        w.ComboBox1Change();
    }
    void TearDown() override { ResetLinkState(); }   // the link goes before its register

    std::vector<emu::Bytes> KeyFrames() { return fx.Emu().ReceivedFramesWithCommand('S'); }

    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx;
    TProgramowanieKlawiszySzybkich2 w;
};

} // namespace

TEST_P(QuickKeySend, AllTenKeysGoWithTheirFrameNumbersAndAreHeld)
{
    w.BitBtn1Click();

    const std::vector<emu::Bytes> frames = KeyFrames();
    ASSERT_EQ(frames.size(), 10u);
    for (unsigned k = 1; k <= 10; ++k) {
        const emu::Bytes& f = frames[k - 1];
        EXPECT_EQ(FrameNumberOf(f), k == 10 ? 0x800Au : k) << k;
        EXPECT_EQ(f[7], 2);
        EXPECT_EQ(f[8], k);
        const QuickKeyRecord image = ReadQuickKeyRecord(2, k);
        EXPECT_TRUE(std::equal(image.begin() + 2, image.end(), f.begin() + 9)) << k;
        const emu::Bytes held = fx.Emu().QuickKeyRecord(2, uint8_t(k));
        EXPECT_TRUE(std::equal(image.begin() + 2, image.end(), held.begin() + 2)) << k;
    }
    EXPECT_EQ(fx.Emu().QuickKeyRecord(2, 3)[33], 1);
    EXPECT_TRUE(prompts.Texts().isEmpty());
    EXPECT_TRUE(w.Body->isEnabled());
    EXPECT_FALSE(w.Panel7->isVisible());
}

TEST_P(QuickKeySend, AKeyTheRegisterRefusesEndsTheSeriesWithItsText)
{
    StoreKeys(2, 999);   // goods the register does not hold
    w.BitBtn1Click();
    EXPECT_EQ(KeyFrames().size(), 4u);
    EXPECT_EQ(prompts.Texts(), QStringList{"Błąd 66: Towar pod podanym numerem nie istnieje"});
    EXPECT_EQ(fx.Emu().QuickKeyRecord(2, 4)[2], 0);
    EXPECT_EQ(fx.Emu().QuickKeyRecord(2, 3)[2], 1);
}

TEST_P(QuickKeySend, EscStopsTheSeriesAfterTheCurrentKey)
{
    w.show();
    bool lockedWhileSending = false;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, &w, [&] {
        if (KeyFrames().size() < 2)
            return;
        timer.stop();
        lockedWhileSending = w.Sending() && !w.Body->isEnabled() && w.Panel7->isVisible();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&w, &press);
    });
    timer.start();
    w.BitBtn1Click();
    EXPECT_TRUE(lockedWhileSending);
    EXPECT_GE(KeyFrames().size(), 2u);
    EXPECT_LE(KeyFrames().size(), 3u);
    EXPECT_TRUE(w.isVisible());   // Esc stopped the series, not the window
    EXPECT_TRUE(w.Body->isEnabled());
    w.FormKeyDown(Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST_P(QuickKeySend, ThePopUpSendsTheRightClickedKey)
{
    w.ListBoxFMouseDown(6, Qt::RightButton, QPoint(10, 10));
    EXPECT_EQ(w.PopupKey, 6);
    w.PopupMenu1->hide();
    w.Drukujwybranyklawisz1Click();
    const std::vector<emu::Bytes> frames = KeyFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(FrameNumberOf(frames[0]), 0x8001);
    EXPECT_EQ(frames[0][7], 2);
    EXPECT_EQ(frames[0][8], 6);
    EXPECT_EQ(fx.Emu().QuickKeyRecord(2, 6)[2], 2);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_P(QuickKeySend, AnErrorAfterPrintingIsShown)
{
    {
        auto faults = fx.Emu().LockFaults();
        faults->PrintingReplies = 1;
        faults->ErrorCode = 67;
    }
    w.PopupKey = 2;
    w.Drukujwybranyklawisz1Click();
    EXPECT_EQ(KeyFrames().size(), 1u);
    EXPECT_EQ(prompts.Texts(), QStringList{"Błąd 67: Towar może być sprzedawany tylko w ilości całkowitej"});
}

INSTANTIATE_TEST_SUITE_P(Lines, QuickKeySend, ::testing::Values(Line::Serial, Line::Tcp), LineName);

TEST(QuickKeySendModes, NothingGoesOutWithoutARegister)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    StoreKeys(1);
    TProgramowanieKlawiszySzybkich2 w;
    w.FormShow();
    w.BitBtn1Click();
    w.PopupKey = 1;
    w.Drukujwybranyklawisz1Click();
    EXPECT_EQ(prompts.Texts(), QStringList({"Brak połączenia z Kasą Fiskalną!", "Brak połączenia z Kasą Fiskalną!"}));
}
