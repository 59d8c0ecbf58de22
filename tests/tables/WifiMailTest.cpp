// The e-mail and network window against the register over both links: the blocks it sends,
// the ports it refuses and the replies it reads.
#include "tables/ProgramowanieTablicyWiFi_Mail.h"
#include "tables/WifiMailLogic.h"
#include "tests/tables/TablesTest.h"

#include <QListWidget>

using WifiMailWindow = TablesLinkTest;

TEST_P(WifiMailWindow, SentParametersReadBackAndBadRepliesOrPortsAreRefused)
{
    EmulatorFixture fx;
    TProgramowanieTablicyWiFi_Mail w;
    w.BitBtn2Click();
    w.BitBtn5Click();
    EXPECT_EQ(prompts.Messages(), QStringList(2, "Brak połączenia z Kasą Fiskalną!"));

    ASSERT_TRUE(fx.ConnectLink(GetParam()));
    prompts.Clear();
    w.Edit10->setText("kasa@sklep.pl");
    w.Edit12->setText("Raport");
    w.CheckBox5->setChecked(true);   // the automatic subject
    w.Edit13->setText("10.0.0.5");
    w.Edit14->setText("465");
    w.Edit7->setText("szef@sklep.pl");
    w.CheckBox2->setChecked(true);
    w.CheckListBox1->item(0)->setCheckState(Qt::Checked);
    w.CheckListBox1->item(12)->setCheckState(Qt::Checked);
    w.CheckListBox1->item(13)->setCheckState(Qt::Checked);   // never sent
    w.BitBtn2Click();
    const QString name = "Sklep-WiFi-na-zapleczu-przy-kasie-1";   // 35 characters, 32 go out
    w.Edit1->setText(name);
    w.Edit6->setText("4000");
    w.Edit2->setText("tajne hasło");
    w.CheckBox4->setChecked(true);
    w.CheckBox3->setChecked(true);   // DHCP
    w.BitBtn4Click();
    EXPECT_EQ(prompts.Messages(), (QStringList{"Zaprogramowano parametry E-mail.", "Zaprogramowano parametry WiFi."}));
    const emu::Bytes mail = fx.Emu().Setting('m');
    ASSERT_EQ(mail.size(), 243u);
    EXPECT_EQ(mail[40], '#');
    EXPECT_EQ(emu::Bytes(mail.begin() + 41, mail.begin() + 70), emu::Bytes(29, 0));
    EXPECT_EQ(emu::GetU16(&mail[115]), 465);
    EXPECT_EQ(emu::GetU32(&mail[239]), 0x1001u);
    const emu::Bytes net = fx.Emu().Setting('e');
    ASSERT_EQ(net.size(), 186u);
    EXPECT_EQ(std::string(net.begin() + 48, net.begin() + 80), name.left(32).toStdString());
    EXPECT_EQ(emu::GetU16(&net[80]), 4000);
    EXPECT_EQ(net[0], 1);

    TProgramowanieTablicyWiFi_Mail fresh;
    fresh.BitBtn1Click();
    fresh.BitBtn5Click();
    EXPECT_EQ(prompts.Messages().size(), 2);
    EXPECT_EQ(fresh.EmailValues().Address, "kasa@sklep.pl");
    EXPECT_EQ(fresh.EmailValues().Port, "465");
    EXPECT_EQ(fresh.EmailValues().ReportMask, 0x1001u);
    EXPECT_TRUE(fresh.CheckBox2->isChecked());
    EXPECT_EQ(fresh.WifiValues().Name, name.left(31));   // the reply carries 31 of them
    EXPECT_EQ(fresh.WifiValues().Password, "tajne hasło");
    EXPECT_EQ(fresh.WifiValues().Port, "4000");
    EXPECT_TRUE(fresh.CheckBox4->isChecked());
    EXPECT_TRUE(fresh.CheckBox3->isChecked());

    // Bad reads leave the fields as they were.
    w.Edit1->setText("zostaje");
    for (const emu::Faults& f : {Fault(&emu::Faults::SilentRequests, 1), Fault(&emu::Faults::WrongChecksumReplies, 1),
                                 Fault(&emu::Faults::ShortReplyBytes, 100)}) {
        prompts.Clear();
        fx.Emu().SetFaults(f);
        w.BitBtn5Click();
        EXPECT_EQ(prompts.Messages(), QStringList{"Brak komunikacji."});
        EXPECT_EQ(w.Edit1->text(), "zostaje");
    }
    prompts.Clear();
    fx.Emu().SetFaults(Fault(&emu::Faults::ErrorCode, 110));
    w.BitBtn4Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Błąd 0x04"});

    // Ports are bounded and never wrap; a refused one sends nothing.
    fx.Emu().SetFaults({});
    const QString mailRange = "Błąd!\nDopuszczalna wartosc [1 - 65535]";
    const QString netRange = "Błąd!\nDopuszczalna wartosc [1024 - 65535]";
    const QString mailDone = "Zaprogramowano parametry E-mail.";
    const QString netDone = "Zaprogramowano parametry WiFi.";
    const std::tuple<bool, const char*, QString> ports[] = {
        {true, "1", mailDone},    {true, "65535", mailDone}, {true, "0", mailRange},     {true, "65536", mailRange},
        {true, "x", mailRange},   {false, "1024", netDone},  {false, "1023", netRange},  {false, "200", netRange},
        {false, "65536", netRange}, {false, "65535", netDone}, {false, "10000", netDone},
    };
    for (const auto& [email, port, message] : ports) {
        SCOPED_TRACE(port);
        prompts.Clear();
        fx.Emu().ClearReceived();
        (email ? w.Edit14 : w.Edit6)->setText(port);
        email ? w.BitBtn2Click() : w.BitBtn4Click();
        EXPECT_EQ(prompts.Messages(), QStringList{message});
        EXPECT_EQ(fx.Emu().ReceivedFrames().empty(), message.startsWith("Błąd"));
    }
}

INSTANTIATE_TEST_SUITE_P(Links, WifiMailWindow, ::testing::Bool(), LinkName);
