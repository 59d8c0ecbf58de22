// The HALO table: amounts shown and read back exactly, stored into the image and sent.
#include "tables/HaloLogic.h"
#include "tables/ProgramowanieTablicyHalo.h"
#include "tests/tables/TablesTest.h"

TEST(HaloAmounts, ShownAndReadExactly)
{
    const std::pair<uint32_t, const char*> shown[] = {{100, "1,00"}, {50, ",50"}, {5, ",05"}, {0, ",0"},
                                                      {1250, "12,50"}, {4294967295u, "42949672,95"}};
    for (const auto& [value, text] : shown) {
        EXPECT_EQ(HaloAmountText(value), text);
        uint32_t back = 1;
        ASSERT_TRUE(ParseHaloAmount(text, back)) << text;
        EXPECT_EQ(back, value);
    }
    const std::pair<const char*, uint32_t> typed[] = {{"12,5", 1250}, {"0.5", 50}, {"7", 700}, {"1,005", 101},
                                                      {"1,0049", 100}, {",3", 30}};
    for (const auto& [text, value] : typed) {
        uint32_t got = 0;
        ASSERT_TRUE(ParseHaloAmount(text, got)) << text;
        EXPECT_EQ(got, value) << text;
    }
    for (const char* bad : {"", "-1", "1,2,3", "abc", "42949672,96", "99999999999", ","}) {
        uint32_t got = 0;
        EXPECT_FALSE(ParseHaloAmount(bad, got)) << bad;
    }
}

using HaloWindow = TablesRegisterTest;

TEST_F(HaloWindow, StoresAndSendsOnlyWhatParses)
{
    DbWriteU32At(TableOffsets.HaloBlock + 36, UINT32_MAX);
    TProgramowanieTablicyHalo w;
    w.FormShow();
    EXPECT_EQ(w.Edit[0]->text(), "1,00");
    EXPECT_EQ(w.Edit[8]->text(), "42949672,95");
    w.Edit[0]->setText("12,5");
    w.Edit[1]->setText("0,5");
    w.Edit[2]->setText(",05");
    w.BitBtn2Click();
    EXPECT_TRUE(prompts.Texts().isEmpty());
    EXPECT_EQ(App.DatabaseModified, 1);
    const emu::Bytes sent = fx.Emu().Setting('L');
    ASSERT_EQ(sent.size(), 36u);
    for (auto [at, value] : {std::pair{0, 1250u}, {4, 50u}, {8, 5u}, {32, UINT32_MAX}})
        EXPECT_EQ(emu::GetU32(&sent[std::size_t(at)]), value) << at;

    // Reopened: the stored amounts, and 5 hundredths and the largest amount survive another store.
    TProgramowanieTablicyHalo again;
    again.FormShow();
    for (auto [i, text] : {std::pair{0, "12,50"}, {1, ",50"}, {2, ",05"}})
        EXPECT_EQ(again.Edit[std::size_t(i)]->text(), text);
    ASSERT_TRUE(again.BitBtn4Click());
    EXPECT_EQ(DbReadU32At(TableOffsets.HaloBlock + 12), 5u);

    // A bad entry writes and sends nothing.
    fx.Emu().ClearReceived();
    again.Edit[8]->setText("-3");
    again.BitBtn2Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Błędnie wypełnione pola!"});
    EXPECT_EQ(DbReadU32At(TableOffsets.HaloBlock + 36), UINT32_MAX);
    EXPECT_TRUE(fx.Emu().ReceivedFramesWithCommand('L').empty());

    // Without a usable image the store says so, whatever the fields hold.
    DatabaseImage.Close();
    prompts.Clear();
    EXPECT_FALSE(again.BitBtn4Click());
    EXPECT_EQ(prompts.Messages(), QStringList{FileClosed});
}
