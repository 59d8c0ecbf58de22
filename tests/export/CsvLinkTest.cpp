// End to end: goods imported from a CSV file, then sent from the goods window to a register over
// a pseudo-terminal and over loopback TCP; the register holds the imported bytes.
#include "core/AppState.h"
#include "export/EksportBazy.h"
#include "tables/GoodsLogic.h"
#include "tables/ProgramowanieTowarow.h"
#include "tests/export/ExportTestUtil.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <QLabel>
#include <gtest/gtest.h>

class CsvToRegister : public ::testing::TestWithParam<bool> {};

TEST_P(CsvToRegister, ImportedGoodsReachTheRegisterByteForByte)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx{emu::Model::Rivo};
    ASSERT_TRUE(fx.ConnectLink(GetParam()));

    const std::string path = env.Path("towary.csv");
    WriteWhole(path, Cp("Towary\nNumer;Nazwa\n2500;Kiełbasa śląska;23,49;B;5907788001;1;0;1;0;3\n"));
    TEksportBazy csv;
    prompts.OpenFile(QString::fromStdString(path));
    csv.FormShow();
    csv.BitBtn1Click();
    ASSERT_EQ(csv.Label2->text(), QString("Zaimportowano bazę towarów"));

    TProgramowanieTowarow goods;
    goods.FormShow();
    goods.SelectRow(0);
    goods.BitBtn1Click();
    EXPECT_EQ(prompts.Texts(), QStringList{"Towar zapisano w kasie"});

    uint8_t image[GoodsField::WrittenSize];
    DbReadBytesAt(GoodsRecordOffset(2500), image, sizeof image);
    // Read back from the register's own layout as the goods download does: the image's bytes.
    const emu::Bytes held = fx.Emu().GoodsRecord(2500);
    ASSERT_GE(held.size(), RegisterGoodsPartSize);
    uint8_t back[GoodsField::WrittenSize] = {};
    MergeRegisterGoodsRecord(held.data(), back);
    EXPECT_EQ(std::vector<uint8_t>(back, back + sizeof back), std::vector<uint8_t>(image, image + sizeof image));
}

INSTANTIATE_TEST_SUITE_P(Lines, CsvToRegister, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Tcp" : "Serial"; });
