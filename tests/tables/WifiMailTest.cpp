// The e-mail and network parameters: the program blocks, the read replies, and the window
// against the register over both links.
#include "tables/ProgramowanieTablicyWiFi_Mail.h"
#include "tables/WifiMailLogic.h"
#include "tests/tables/TablesTest.h"

#include <QListWidget>

TEST(WifiMailBlocks, PortsAreBoundedAndTextsLeaveNoTails)
{
    struct Case {
        bool email;
        const char* port;
        bool ok;
    };
    const Case cases[] = {
        {true, "1", true},      {true, "65535", true},  {true, "0", false},    {true, "65536", false},
        {true, "x", false},     {false, "1024", true},  {false, "10000", true}, {false, "65535", true},
        {false, "1023", false}, {false, "200", false},  {false, "65536", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        std::array<uint8_t, 243> mail{};
        std::array<uint8_t, 186> net{};
        EmailParams e;
        e.Port = c.port;
        WifiParams w;
        w.Port = c.port;
        const QString refusal = c.email ? BuildEmailParamsBlock(e, mail) : BuildWifiParamsBlock(w, net);
        EXPECT_EQ(refusal.isEmpty(), c.ok);
        if (!c.ok) {
            EXPECT_EQ(refusal, c.email ? "Błąd!\nDopuszczalna wartosc [1 - 65535]"
                                       : "Błąd!\nDopuszczalna wartosc [1024 - 65535]");
        }
    }

    std::array<uint8_t, 243> mail{};
    EmailParams e;
    e.Port = "587";
    e.Subject = "Raport dzienny ze sklepu";
    e.ReportMask = 0x1001 | 0x2000;   // the 14th item is never sent
    ASSERT_TRUE(BuildEmailParamsBlock(e, mail).isEmpty());
    e.AutomaticSubject = true;
    ASSERT_TRUE(BuildEmailParamsBlock(e, mail).isEmpty());
    EXPECT_EQ(mail[40], '#');
    for (std::size_t i = 41; i < 70; ++i)
        ASSERT_EQ(mail[i], 0) << i;
    EXPECT_EQ(mail[115] | mail[116] << 8, 587);
    EXPECT_EQ(mail[239] | mail[240] << 8, 0x1001);

    std::array<uint8_t, 186> net{};
    WifiParams w;
    w.Port = "3000";
    w.Name = QString(35, 'N');
    w.Dhcp = true;
    ASSERT_TRUE(BuildWifiParamsBlock(w, net).isEmpty());
    EXPECT_EQ(std::string(net.begin() + 48, net.begin() + 80), std::string(32, 'N'));
    EXPECT_EQ(net[80] | net[81] << 8, 3000);
    EXPECT_EQ((std::array<uint8_t, 3>{net[0], net[1], net[2]}), (std::array<uint8_t, 3>{1, 2, 0}));
}

class WifiMailWindow : public ::testing::TestWithParam<bool> {};

TEST_P(WifiMailWindow, SentParametersReadBack)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx;
    ASSERT_TRUE(fx.ConnectLink(GetParam()));
    TProgramowanieTablicyWiFi_Mail w;
    w.Edit10->setText("kasa@sklep.pl");
    w.Edit12->setText("Raport");
    w.Edit13->setText("10.0.0.5");
    w.Edit14->setText("465");
    w.Edit7->setText("szef@sklep.pl");
    w.CheckBox2->setChecked(true);
    w.CheckListBox1->item(0)->setCheckState(Qt::Checked);
    w.CheckListBox1->item(12)->setCheckState(Qt::Checked);
    w.BitBtn2Click();
    w.Edit1->setText("Sklep-WiFi");
    w.Edit6->setText("4000");
    w.Edit2->setText("tajne hasło");
    w.CheckBox4->setChecked(true);
    w.BitBtn4Click();
    EXPECT_EQ(prompts.Messages(), (QStringList{"Zaprogramowano parametry E-mail.", "Zaprogramowano parametry WiFi."}));

    TProgramowanieTablicyWiFi_Mail fresh;
    fresh.BitBtn1Click();
    fresh.BitBtn5Click();
    EXPECT_EQ(prompts.Messages().size(), 2);
    EXPECT_EQ(fresh.EmailValues().Address, "kasa@sklep.pl");
    EXPECT_EQ(fresh.EmailValues().Port, "465");
    EXPECT_EQ(fresh.EmailValues().ReportMask, 0x1001u);
    EXPECT_TRUE(fresh.CheckBox2->isChecked());
    EXPECT_EQ(fresh.WifiValues().Name, "Sklep-WiFi");
    EXPECT_EQ(fresh.WifiValues().Password, "tajne hasło");
    EXPECT_EQ(fresh.WifiValues().Port, "4000");
    EXPECT_TRUE(fresh.CheckBox4->isChecked());
}

INSTANTIATE_TEST_SUITE_P(Links, WifiMailWindow, ::testing::Bool(), LinkName);

TEST(WifiMailWindowFaults, NoLinkRefusedSendsAndBadReadsChangeNothing)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx;
    TProgramowanieTablicyWiFi_Mail w;
    w.BitBtn2Click();
    w.BitBtn5Click();
    EXPECT_EQ(prompts.Messages(), QStringList(2, "Brak połączenia z Kasą Fiskalną!"));

    ASSERT_TRUE(fx.ConnectLink(false));
    w.Edit1->setText("zostaje");
    emu::Faults silent, garbled, cut, refused;
    silent.SilentRequests = 1;
    garbled.WrongChecksumReplies = 1;
    cut.ShortReplyBytes = 100;
    for (const emu::Faults& f : {silent, garbled, cut}) {
        prompts.Clear();
        fx.Emu().SetFaults(f);
        w.BitBtn5Click();
        EXPECT_EQ(prompts.Messages(), QStringList{"Brak komunikacji."});
        EXPECT_EQ(w.Edit1->text(), "zostaje");
    }
    prompts.Clear();
    refused.ErrorCode = 110;
    fx.Emu().SetFaults(refused);
    w.BitBtn4Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Błąd 0x04"});
}
