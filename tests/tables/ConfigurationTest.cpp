// The configuration record: built from the controls, read from a register of either model over
// a pseudo-terminal and over TCP, and sent back; bad replies and numbers refused.
#include "tables/ConfigurationLogic.h"
#include "tables/DodatkoweUstawienia.h"
#include "tests/tables/TablesTest.h"

#include <QTimer>

TEST(ConfigurationRecord, UnknownBytesGoBackAsRead)
{
    ConfigurationRecord read{};
    read[1] = 7;   // names no payment format
    read[3] = 20;
    read[18] = 50;
    read[19] = 30;
    const ConfigurationValues v = ConfigurationValuesOf(read);
    EXPECT_EQ(v.Choice[1], -1);
    ConfigurationRecord r{};
    ASSERT_TRUE(BuildConfigurationRecord(v, read, 1, r).Ok);
    EXPECT_EQ(r[1], 7);
}

class ConfigurationWindow : public ::testing::TestWithParam<std::tuple<bool, emu::Model>> {};

TEST_P(ConfigurationWindow, RefusesBadRepliesAndNumbersThenReadsEditsAndSendsTheRecord)
{
    const auto [tcp, model] = GetParam();
    const bool rivo = model == emu::Model::Rivo;
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx{model};
    emu::Bytes stored = fx.Emu().Setting(0x03);
    stored[19] = 0x80 | 40;
    stored[17] = 3;
    fx.Emu().PutSetting(0x03, stored);
    ASSERT_TRUE(fx.ConnectLink(tcp));
    App.RegisterModelFlag = 2;

    TDodatkoweUstawienia w;
    // Bad replies fill nothing and leave the model unknown.
    w.Edit[0]->setText("33");
    fx.Emu().LockFaults()->WrongChecksumReplies = 1;
    w.Button2Click();
    // Clicks while a silent register is awaited change nothing and send nothing; "Anuluj" stops.
    w.show();
    for (bool stop : {false, true}) {
        fx.Emu().LockFaults()->SilentRequests = 1;
        bool clicked = false;
        QTimer::singleShot(50, w.Button3, [&] {
            for (QPushButton* b : {w.Button3, w.Button1, stop ? w.BitBtn3 : w.Button2})
                UserClick(*b);
            clicked = true;
        });
        w.Button2Click();
        ASSERT_TRUE(clicked);
    }
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(prompts.Messages(), (QStringList{"Błąd transmisji", "Błąd transmisji", TransferStoppedText}));
    EXPECT_EQ(w.Edit[0]->text(), "33");
    EXPECT_EQ(App.RegisterModelFlag, 2);

    // Each number is checked against its range, never wrapped, before the missing model is found.
    fx.Emu().ClearReceived();
    const QString noModel = "Błąd transmisji";
    const QString range = "Błąd!\nDopuszczalna wartosc ";
    const std::tuple<std::size_t, const char*, QString> cases[] = {
        {0, "33", noModel},                   {0, "4", range + "[5 - 60]"},  {0, "5", noModel},
        {0, "60", noModel},                   {0, "61", range + "[5 - 60]"}, {1, "255", noModel},
        {1, "256", range + "[0 - 255]"},      {1, "-1", range + "[0 - 255]"}, {1, "x", range + "[0 - 255]"},
        {2, "4294967295", noModel},           {2, "4294967296", range + "[0 - 4294967295]"},
        {3, "100", noModel},                  {3, "101", range + "[5 - 100]"}, {3, "4", range + "[5 - 100]"},
        {4, "", range + "[5 - 100]"},
    };
    for (const auto& [edit, text, message] : cases) {
        SCOPED_TRACE(text);
        const QString kept = w.Edit[edit]->text();
        w.Edit[edit]->setText(text);
        prompts.Clear();
        w.Button1Click();
        EXPECT_EQ(prompts.Messages(), QStringList{message});
        w.Edit[edit]->setText(kept);
    }
    EXPECT_TRUE(fx.Emu().ReceivedFramesWithCommand(0x03).empty());

    prompts.Clear();
    w.Button2Click();
    EXPECT_TRUE(prompts.Texts().isEmpty());
    EXPECT_EQ(App.RegisterModelFlag, rivo ? 1 : 0);
    EXPECT_EQ(w.Edit[4]->text(), "40");
    EXPECT_EQ(w.ComboBox[11]->currentIndex(), 2);
    EXPECT_EQ(w.ComboBox[LcdModeChoice]->isEnabled(), rivo);
    if (!rivo) {
        EXPECT_EQ(w.ComboBox[16]->currentText(), "Tylko 8K");
    }

    w.Edit[0]->setText("30");
    w.ComboBox[0]->setCurrentIndex(4);
    w.Edit[2]->setText("100000");
    w.ComboBox[LcdModeChoice]->setCurrentIndex(0);
    w.Button1Click();
    ASSERT_TRUE(fx.Emu().WaitForFramesWithCommand(0x03, 2, 3000));
    const emu::Bytes frame = fx.Emu().ReceivedFramesWithCommand(0x03).back();
    EXPECT_EQ(frame.size(), rivo ? 36u : 31u);
    const emu::Bytes after = fx.Emu().Setting(0x03);
    EXPECT_EQ(after[0], 5);
    EXPECT_EQ(after[3], 30);
    EXPECT_EQ(emu::GetU32(&after[7]), 100000u);
    EXPECT_EQ(after[19], rivo ? 40 : 0x80 | 40);   // the Tepo Dux has no LCD choice to make
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Links, ConfigurationWindow,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(emu::Model::Rivo, emu::Model::TepoDux)),
                         [](const auto& info) {
                             return LinkName({std::get<0>(info.param), info.index})
                                 + (std::get<1>(info.param) == emu::Model::Rivo ? "Rivo" : "TepoDux");
                         });
