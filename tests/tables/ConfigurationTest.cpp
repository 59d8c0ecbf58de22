// The configuration record: built from the controls, read from a register of either model over
// a pseudo-terminal and over TCP, and sent back.
#include "tables/ConfigurationLogic.h"
#include "tables/DodatkoweUstawienia.h"
#include "tests/tables/TablesTest.h"

namespace {

ConfigurationValues Defaults()
{
    ConfigurationValues v;
    v.Edit = {"5", "10", "0", "25", "25"};
    return v;
}

} // namespace

TEST(ConfigurationRecord, NumbersOutOfRangeAreRefusedNeverWrapped)
{
    struct Case {
        int edit;
        const char* text;
        bool ok;
        const char* range;
    };
    const Case cases[] = {
        {0, "4", false, "[5 - 60]"},      {0, "5", true, ""},        {0, "60", true, ""},
        {0, "61", false, "[5 - 60]"},     {1, "255", true, ""},      {1, "256", false, "[0 - 255]"},
        {1, "-1", false, "[0 - 255]"},    {1, "x", false, "[0 - 255]"},
        {2, "4294967295", true, ""},      {2, "4294967296", false, "[0 - 4294967295]"},
        {3, "100", true, ""},             {3, "101", false, "[5 - 100]"}, {4, "", false, "[5 - 100]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ConfigurationValues v = Defaults();
        v.Edit[std::size_t(c.edit)] = c.text;
        ConfigurationRecord r{};
        const ConfigurationBuild b = BuildConfigurationRecord(v, {}, 1, r);
        EXPECT_EQ(b.Ok, c.ok);
        if (!c.ok) {
            EXPECT_EQ(b.BadEdit, c.edit);
            EXPECT_EQ(b.Message, QStringLiteral("Błąd!\nDopuszczalna wartosc ") + c.range);
        }
    }
}

TEST(ConfigurationRecord, UnknownBytesGoBackAsReadAndTheDuxKeepsItsLcdBit)
{
    ConfigurationRecord read{};
    read[1] = 7;       // names no payment format
    read[3] = 20;
    read[18] = 50;
    read[19] = 0x80 | 30;
    ConfigurationValues v = ConfigurationValuesOf(read);
    EXPECT_EQ(v.Choice[1], -1);
    v.Choice[LcdModeChoice] = 0;
    ConfigurationRecord r{};
    ASSERT_TRUE(BuildConfigurationRecord(v, read, 0, r).Ok);
    EXPECT_EQ(r[1], 7);
    EXPECT_EQ(r[19], 0x80 | 30);  // Tepo Dux: the LCD choice stands for nothing
    ASSERT_TRUE(BuildConfigurationRecord(v, read, 1, r).Ok);
    EXPECT_EQ(r[19], 30);
}

class ConfigurationWindow : public ::testing::TestWithParam<std::tuple<bool, emu::Model>> {};

TEST_P(ConfigurationWindow, ReadsEditsAndSendsTheRecord)
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
    w.Button1Click();
    ASSERT_TRUE(fx.Emu().WaitForFramesWithCommand(0x03, 2, 3000));
    const emu::Bytes frame = fx.Emu().ReceivedFramesWithCommand(0x03).back();
    EXPECT_EQ(frame.size(), rivo ? 36u : 31u);
    const emu::Bytes after = fx.Emu().Setting(0x03);
    EXPECT_EQ(after[0], 5);
    EXPECT_EQ(after[3], 30);
    EXPECT_EQ(emu::GetU32(&after[7]), 100000u);
    EXPECT_EQ(after[19], 0x80 | 40);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Links, ConfigurationWindow,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(emu::Model::Rivo, emu::Model::TepoDux)));

TEST(ConfigurationWindowFaults, BadRepliesFillNothingAndNoModelSendsNothing)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx;
    ASSERT_TRUE(fx.ConnectLink(false));
    TDodatkoweUstawienia w;
    w.Edit[0]->setText("33");

    fx.Emu().LockFaults()->WrongChecksumReplies = 1;
    w.Button2Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Błąd transmisji"});
    EXPECT_EQ(w.Edit[0]->text(), "33");

    prompts.Clear();
    fx.Emu().LockFaults()->SilentRequests = 1;
    w.Button2Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Błąd transmisji"});
    EXPECT_EQ(App.RegisterModelFlag, 2);

    prompts.Clear();
    fx.Emu().ClearReceived();
    w.Button1Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Błąd transmisji"});
    w.Edit[3]->setText("4");
    prompts.Clear();
    w.Button1Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Błąd!\nDopuszczalna wartosc [5 - 100]"});
    EXPECT_TRUE(fx.Emu().ReceivedFramesWithCommand(0x03).empty());
}
