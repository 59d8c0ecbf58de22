// The small register windows: function keys, sales quick keys, goods units, NIP, manager
// password, unique number and key.
#include "tables/GUM.h"
#include "tables/JednostkiTowarowe.h"
#include "tables/KlawiszeSzybkieSprzedazy.h"
#include "tables/ProgramowanieHaslaKierownika.h"
#include "tables/ProgramowanieKlawiszyFunkcyjnych.h"
#include "tables/ProgramowanieNIP.h"
#include "tables/ServiceKeysLogic.h"
#include "tests/tables/TablesTest.h"

#include "link/Commands.h"
#include <QTimer>

namespace {

std::string Text(const emu::Bytes& b, std::size_t from, std::size_t n)
{
    return std::string(b.begin() + std::ptrdiff_t(from), b.begin() + std::ptrdiff_t(from + n));
}

using ServiceWindows = TablesRegisterTest;

} // namespace

TEST_F(ServiceWindows, FunctionKeysSendTheirCodesAndSendAllStopsAtAFailure)
{
    TProgramowanieKlawiszyFunkcyjnych w;
    w.SettleMs = 0;
    w.ComboBox11->setCurrentIndex(2);
    w.ComboBox[1]->setCurrentIndex(16);
    w.Button[1]->click();
    EXPECT_EQ(fx.Emu().Setting('O'), (emu::Bytes{3, 2, 25, 0}));

    fx.Emu().ClearReceived();
    fx.Emu().LockFaults()->PrintingReplies = 2;   // waited out, however often it comes
    w.show();
    const int height = w.height();
    w.BitBtn2Click();
    EXPECT_EQ(w.height(), height);   // the wait panel leaves the window as it was
    const auto frames = fx.Emu().ReceivedFramesWithCommand('O');
    ASSERT_EQ(frames.size(), 10u);
    EXPECT_EQ(frames[0][9], 16);   // F1: "Brak funkcji"
    EXPECT_EQ(frames[9][8], 10);

    fx.Emu().ClearReceived();
    fx.Emu().LockFaults()->ErrorCode = 65;
    w.BitBtn2Click();
    EXPECT_EQ(fx.Emu().ReceivedFramesWithCommand('O').size(), 1u);
}

TEST_F(ServiceWindows, EverySalesKeySendsItsOwnRow)
{
    TKlawiszeSzybkieSprzedazy w;
    w.ComboBox1->setCurrentIndex(1);
    w.Function[4]->setCurrentIndex(3);
    w.Number[4]->setCurrentIndex(6);
    w.Kind[4]->setCurrentIndex(1);
    // Another key pressed while the answer comes, after a "printing" reply, sends nothing.
    fx.Emu().LockFaults()->PrintingReplies = 1;
    bool clicked = false;
    QTimer::singleShot(50, w.Button[2], [&] { UserClick(*w.Button[2]), clicked = true; });
    w.Button[4]->click();
    ASSERT_TRUE(WaitUntil([&] { return clicked; }));
    SendProbeQ(1, 1, 0);
    ASSERT_TRUE(fx.Emu().WaitForFramesWithCommand('Q', 1, 3000));
    ASSERT_EQ(fx.Emu().ReceivedFramesWithCommand('X').size(), 1u);
    const emu::Bytes f = fx.Emu().ReceivedFramesWithCommand('X').back();
    EXPECT_EQ(f[7], 2);    // cashier
    EXPECT_EQ(f[8], 5);    // key F5
    EXPECT_EQ(f[10], 1);   // kind
    EXPECT_EQ(f[11], 7);   // number
}

TEST_F(ServiceWindows, GoodsUnitsArePaddedAndReadBack)
{
    TJednostkiTowarowe w;
    w.Edit[0]->setText("g");
    w.Edit[1]->setText("szt");
    w.Edit[2]->setText("");
    fx.Emu().LockFaults()->PrintingReplies = 2;
    w.BitBtn2Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Zaprogramowano."});
    EXPECT_EQ(Text(fx.Emu().Setting('q'), 0, 9), "g  szt   ");

    TJednostkiTowarowe again;
    prompts.Clear();
    again.BitBtn1Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Operacja OK."});
    EXPECT_EQ(again.Edit[0]->text(), "g");
    EXPECT_EQ(again.Edit[1]->text(), "szt");
}

TEST_F(ServiceWindows, NipIsFilledWithZerosAndEveryAcceptanceSucceeds)
{
    TProgramowanieNIP w;
    w.Edit1->setText("12345678");
    fx.Emu().LockFaults()->PrintingReplies = 2;
    w.Button1Click();   // the emulator answers "accepted, last" (3)
    EXPECT_EQ(prompts.Messages(), QStringList{"NIP ZAPROGRAMOWANY OK!!"});
    EXPECT_EQ(Text(fx.Emu().Setting('I'), 0, 10), "1234567800");
    EXPECT_TRUE(w.isEnabled());

    prompts.Clear();
    fx.Emu().LockFaults()->ErrorCode = 79;
    w.Button1Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Odrzucone programowanie numeru NIP !!! "});
}

TEST_F(ServiceWindows, ManagerPasswordsArePaddedAndTheOldOneChecked)
{
    TProgramowanieHaslaKierownika w;
    w.Edit2->setText("1234");
    w.CheckBox1->setChecked(true);
    w.Button1Click();
    ASSERT_TRUE(fx.Emu().WaitForFramesWithCommand('H', 1, 3000));
    const emu::Bytes frame = fx.Emu().ReceivedFramesWithCommand('H').back();
    EXPECT_EQ(Text(frame, 7, 20), std::string(10, ' ') + "1234      ");
    EXPECT_EQ(frame[27], 1);

    // A wrong old password leaves the register's as it was; the window shows nothing.
    w.Edit1->setText("0000");
    w.Edit2->setText("9999");
    w.Button1Click();
    ASSERT_TRUE(fx.Emu().WaitForFramesWithCommand('H', 2, 3000));
    EXPECT_EQ(Text(fx.Emu().Setting('H'), 10, 10), "1234      ");
    EXPECT_TRUE(prompts.Texts().isEmpty());

    // Each field is named with its own text; nothing is sent.
    w.Edit2->setText("abЖ");
    w.Button1Click();
    EXPECT_EQ(prompts.Texts(), QStringList{"Nowe hasło: Tekst „abЖ” zawiera znaki, których kasa nie obsługuje: Ж"});
    EXPECT_EQ(fx.Emu().ReceivedFramesWithCommand('H').size(), 2u);
}

TEST_F(ServiceWindows, UniqueNumberAndKeyNeedTheirFields)
{
    TGUM w;
    w.Button1Click();
    w.Button2Click();
    EXPECT_EQ(prompts.Messages(), QStringList(2, "Wprowadź klucz"));
    w.MaskEdit2->setText("1234567890");
    prompts.Clear();
    w.Button2Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Wprowadź numer unikatowy"});
    EXPECT_TRUE(fx.Emu().ReceivedFrames().empty());

    w.MaskEdit1->setText("abc1234567890");
    w.Button2Click();
    EXPECT_EQ(Text(fx.Emu().Setting('M'), 0, 14), "ABC 1234567890");   // the key goes with it
    EXPECT_EQ(Text(fx.Emu().Setting('J'), 0, 10), "1234567890");
    w.Button1Click();
    EXPECT_EQ(w.LastResult, AckDone);
}
