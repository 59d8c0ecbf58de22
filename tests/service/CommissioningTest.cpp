// The commissioning checklist: its plain rules, the port test on a register served on three
// pseudo-terminals (USB, COM A, COM B), the steps against the emulator, and a whole kit.
#include "core/DatabaseImage.h"
#include "service/CommissioningLogic.h"
#include "service/DaneInformacyjne.h"
#include "service/ProgramowanieNowegoPakietu.h"
#include "service/SciaganieSprzedazy.h"
#include "sync/SynchronizacjaBazyTowarowej.h"
#include "tests/service/ServiceTestUtil.h"

#include <QDateEdit>

namespace {

enum : int { Usb = 0, ComA = 1, ComB = 2 };

void StoreGoods(uint16_t plu, const std::string& name)
{
    ASSERT_EQ(WriteGoodsRecordToImage({plu, name, "A", 100u * plu, "", 1}), 0);
}

// "Towar 1" to "Towar 5" at PLUs 1 to 5.
void StoreFiveGoods()
{
    for (uint16_t plu = 1; plu <= 5; ++plu)
        StoreGoods(plu, "Towar " + std::to_string(plu));
}

std::string Payload(const emu::Bytes& frame, std::size_t n) { return std::string(frame.begin() + 7, frame.begin() + 7 + long(n)); }

using KitBench = WindowBench<TProgramowanieNowegoPakietu>;

} // namespace

TEST(CommissioningPorts, OnlyAWholeReplyCountsAndEachMissingPortHasItsMessageAndLeavesNoPortOpen)
{
    // Only a whole port reply with its checksum right tells the port; a port that gives none is missing.
    emu::Bytes reply = emu::MakeStatusReply(1, 0x8001, '9', 2);
    EXPECT_EQ(PortCodeOfReply(reply.data(), reply.size()), 2);
    EXPECT_EQ(PortCodeOfReply(reply.data(), 9), -1);
    reply[8] ^= 1;
    EXPECT_EQ(PortCodeOfReply(reply.data(), reply.size()), -1);

    struct Case {
        const char* Name;
        std::vector<std::pair<int, int>> Ports;
        QString Message;
        int LinkType = 0;
        int AnswersAs = -1;   // the port the register names whatever the port test set
    };
    const Case cases[] = {
        {"none", {}, "Brak odpowiedzi kasy. Sprawdź podłączenie kabli do komputera."},
        {"COM B", {{3, ComA}, {7, Usb}}, "Brak odpowiedzi kasy. Sprawdź kabel w porcie COM B kasy."},
        {"COM A", {{5, ComB}, {7, Usb}}, "Brak odpowiedzi kasy. Sprawdź kabel w porcie COM A kasy."},
        {"USB", {{3, ComA}, {5, ComB}}, "Brak odpowiedzi kasy. Sprawdź kabel w porcie USB kasy."},
        {"TCP chosen", {{3, ComA}}, "Nie wybrano portu komunikacyjnego.", 1},
        {"COM B only", {{5, -1}}, "Wykryto niesprawny port!", 0, ComB},   // USB and COM A never confirmed
    };
    for (const Case& c : cases) {
        KitBench b;
        std::string emptyDir;
        if (c.Ports.empty())
            emptyDir = EmulatorFixture::MakeEmptyComDir();
        for (auto [pc, code] : c.Ports)
            ASSERT_FALSE(b.fx.ServeCom(pc, code).empty());
        if (c.AnswersAs >= 0)
            b.fx.Emu().SetPortCode(uint8_t(c.AnswersAs));
        LinkSettings.LinkType = c.LinkType;
        if (c.LinkType == 0)
            App.WorkMode |= WorkModeRegister;
        b.w.FormShow();
        b.w.BitBtn6Click();
        EXPECT_EQ(b.prompts.Texts(), QStringList{c.Message}) << c.Name;
        EXPECT_EQ(Link.SerialHandle, nullptr) << c.Name;
        EXPECT_EQ(LinkSettings.ComPortNumber, NoComPort) << c.Name;
        EXPECT_FALSE(RegisterConnected()) << c.Name;
        EXPECT_FALSE(b.w.TickShown(PackageStep::Ports)) << c.Name;
        EXPECT_TRUE(b.w.Panel7->isHidden()) << c.Name;
        if (!emptyDir.empty()) {
            EmulatorFixture::RemoveComDir(emptyDir);
            ::unsetenv("RIVO_COM_DIR");
        }
    }
}

TEST(CommissioningSteps, FieldsAndTestGoodsTickOnAcceptanceOnly)
{
    KitBench b;
    ASSERT_TRUE(b.fx.ConnectLink(false, 4));
    b.w.FormShow();
    // The key is checked first; then the number; both go out padded.
    b.w.BitBtn12Click();
    b.w.MaskEdit2->setText("123");
    b.w.BitBtn12Click();
    EXPECT_EQ(b.prompts.TakeTexts(), (QStringList{"Wprowadź klucz", "Wprowadź numer unikatowy"}));
    b.w.MaskEdit1->setText("abc1234567890");
    b.w.BitBtn12Click();
    const auto keys = b.fx.Emu().ReceivedFramesWithCommand('M');
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(Payload(keys[0], 24), "ABC 12345678900000000123");
    EXPECT_TRUE(b.w.TickShown(PackageStep::KeyAndNumber));

    // A short NIP gets its zeros; "printing" replies are waited out.
    b.w.Edit2->setText("12345");
    b.fx.Emu().LockFaults()->PrintingReplies = 2;
    b.w.BitBtn5Click();
    EXPECT_EQ(Payload(b.fx.Emu().ReceivedFramesWithCommand('I').at(0), 13), "1234500000000");
    EXPECT_TRUE(b.w.TickShown(PackageStep::Nip));

    // A symbol that code page 1250 cannot hold is refused, naming what it cannot hold.
    b.w.Edit1->setText("¥E¥");
    b.w.BitBtn3Click();
    EXPECT_EQ(b.prompts.TakeTexts(), QStringList{"Tekst „¥E¥” zawiera znaki, których kasa nie obsługuje: ¥"});
    EXPECT_TRUE(b.fx.Emu().ReceivedFramesWithCommand('E').empty());

    // An error reply is shown and ticks nothing.
    b.fx.Emu().LockFaults()->ErrorCode = 80;
    b.w.BitBtn1Click();
    EXPECT_EQ(b.prompts.TakeTexts(), QStringList{"Błąd 80: " + ErrorText(80)});
    EXPECT_FALSE(b.w.TickShown(PackageStep::Header));

    // Test goods: PLU 2 has PLU 1's name, the register refuses it, PLU 3 still follows with number 3.
    StoreFiveGoods();
    StoreGoods(2, "Towar 1");
    b.w.BitBtn7Click();
    EXPECT_EQ(b.prompts.TakeTexts(), (QStringList{"Błąd 5: " + ErrorText(5),
                                                  "Wyłącz tryb serwisowy, oraz dokonaj testowej sprzedaży, i wykonaj raport dobowy."}));
    std::vector<uint16_t> numbers;
    for (const emu::Bytes& f : b.fx.Emu().ReceivedFramesWithCommand('T'))
        numbers.push_back(emu::GetU16(&f[4]));
    EXPECT_EQ(numbers, (std::vector<uint16_t>{1, 2, 3, 4, 0x8005}));
    EXPECT_FALSE(b.w.TickShown(PackageStep::Goods));
    EXPECT_EQ(b.fx.Emu().GoodsCount(), 4u);

    StoreGoods(2, "Towar 2");
    b.w.BitBtn7Click();
    EXPECT_TRUE(b.w.TickShown(PackageStep::Goods));
    EXPECT_EQ(b.fx.Emu().GoodsCount(), 5u);

    b.prompts.Clear();
    b.w.BitBtn11Click();
    EXPECT_TRUE(b.prompts.Texts().isEmpty()) << b.prompts.Texts().join("|").toStdString();
    EXPECT_EQ(b.fx.Emu().GoodsCount(), 0u);
    EXPECT_TRUE(b.w.TickShown(PackageStep::DeleteGoods));
    const auto deletes = b.fx.Emu().ReceivedFramesWithCommand('0');
    ASSERT_EQ(deletes.size(), 5u);
    EXPECT_EQ(emu::GetU16(&deletes[4][4]), 0x8005);

    // An empty slot ends the goods step at once and silently.
    DbZeroFillAt(GoodsRecordOffset(3), App.GoodsRecordSize);
    b.fx.Emu().ClearReceived();
    b.w.BitBtn7Click();
    EXPECT_TRUE(b.prompts.Texts().isEmpty());
    EXPECT_EQ(b.fx.Emu().ReceivedFramesWithCommand('T').size(), 2u);
}

// While a paced series runs, the second click of a double click and a click on another button
// start nothing, in a read-out, a synchronisation window and the checklist; Esc still stops.
TEST(CommissioningSteps, ClicksDuringAPacedSeriesStartNoOther)
{
    KitBench b;
    ASSERT_TRUE(b.fx.ConnectLink(false, 4));
    StoreFiveGoods();
    b.w.BitBtn7Click();
    b.prompts.Clear();
    TSciaganieSprzedazy sales;
    sales.CheckBox1->setChecked(false);   // every goods' record, sold or not
    TSynchronizacjaBazyTowarowej goods;
    goods.show();
    goods.BitBtn9Click();   // all five ticked
    b.fx.SetBaud(2400);
    struct Case { QPushButton *Start, *Other; std::string Requests; };   // no Other: Esc instead
    const Case cases[] = {{sales.BitBtn1, sales.BitBtn2, "Y"}, {goods.BitBtn2, goods.BitBtn8, "TTTTT"},
                          {b.w.BitBtn11, nullptr, "sT"}, {b.w.BitBtn11, b.w.BitBtn7, "sT00000"}};
    for (const Case& c : cases) {
        b.fx.Emu().ClearReceived();
        c.Start->window()->show();
        QTimer::singleShot(0, c.Start, [&c] {
            if (!c.Other)
                return PressKey(*c.Start->window(), Qt::Key_Escape);
            UserClick(*c.Start);
            UserClick(*c.Other);
        });
        UserClick(*c.Start);
        std::string requests;
        for (const emu::Bytes& f : Requests(b.fx))
            requests += char(f[6]);
        EXPECT_EQ(requests, c.Requests);
        EXPECT_EQ(c.Start->window()->isVisible(), c.Other != nullptr);   // Esc closed the checklist
    }
    EXPECT_EQ(b.prompts.Texts(), QStringList{" Zaprogramowano 5 towarów."});
    EXPECT_TRUE(b.w.TickShown(PackageStep::DeleteGoods));
}

TEST(CommissioningKit, NineTicksInPanelOrderCompleteTheKit)
{
    KitBench b;
    b.w.grab();   // laid out: the key-and-number button stands in the one column of step buttons
    EXPECT_EQ(b.w.BitBtn12->mapTo(&b.w, QPoint()).x(), b.w.BitBtn7->mapTo(&b.w, QPoint()).x());
    // The register's ports: pairs of (PC port number, register port code).
    for (auto [pc, code] : std::initializer_list<std::pair<int, int>>{{3, ComA}, {5, ComB}, {7, Usb}})
        ASSERT_FALSE(b.fx.ServeCom(pc, code).empty());
    b.w.FormShow();
    StoreFiveGoods();
    b.w.BitBtn6Click();
    // Found first on COM A: no COM A stage; the USB stage's test is sent last, the link stays on USB.
    EXPECT_TRUE(b.w.TickShown(PackageStep::Ports));
    for (QLabel* l : {b.w.Label20, b.w.Label21, b.w.Label22})
        EXPECT_EQ(l->text(), "OK");
    EXPECT_EQ(LinkSettings.ComPortNumber, 7);
    EXPECT_EQ(LinkSettings.BaudRate, 115200u);
    EXPECT_TRUE(RegisterConnected() && DatabaseUsable());
    const auto tests = b.fx.Emu().ReceivedFramesWithCommand('8');
    ASSERT_EQ(tests.size(), 2u);
    EXPECT_EQ(Payload(tests[0], 5), std::string("\x00\x03\x06\x00\x06", 5));
    EXPECT_EQ(Payload(tests[1], 5), std::string("\x01\x03\x06\x03\x06", 5));
    // The register's information record tells the same: only USB goes to the PC.
    TDaneInformacyjne info;
    info.Button1Click();
    EXPECT_EQ(info.Label46->text() + info.Label47->text() + info.Label48->text(), "BrakBrakKomputer PC");

    b.w.BitBtn2Click();
    const emu::Bytes clock = b.fx.Emu().Setting('C');
    ASSERT_GE(clock.size(), 4u);
    EXPECT_EQ(emu::GetU16(clock.data()), b.w.DateTimePicker1->date().year());
    EXPECT_EQ(clock[3], b.w.DateTimePicker1->date().day());
    b.w.MaskEdit1->setText("ABC1234567890");
    b.w.MaskEdit2->setText("1234567890");
    b.w.BitBtn12Click();
    b.w.BitBtn1Click();
    b.w.BitBtn3Click();
    b.w.BitBtn4Click();
    b.w.BitBtn5Click();
    b.w.BitBtn7Click();
    EXPECT_EQ(b.prompts.Texts().size(), 1);   // the reminder after the goods
    EXPECT_EQ(Payload(b.fx.Emu().ReceivedFramesWithCommand('I').back(), 13), "1234567890123");
    b.w.BitBtn11Click();
    EXPECT_EQ(b.prompts.LastText(), "Zakończono programowanie pakietu");
    for (std::size_t i = 0; i < b.w.Ticks.size(); ++i)
        EXPECT_FALSE(b.w.TickShown(PackageStep(i))) << i;
    EXPECT_EQ(b.w.Label20->text(), "");
    EXPECT_EQ(b.w.UniqueNumberText().trimmed(), "");
}
