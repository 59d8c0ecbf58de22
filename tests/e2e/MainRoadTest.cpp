// The whole road of a typical request, as a user walks it: start the program's main window,
// find the register, make a new database, open "Programowanie towarów", add a goods record and
// send it, then read the register's table back — over a serial line and over TCP.
#include "app/MenuGlowne.h"
#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "core/NowaBazaD.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "link/UstawieniaTrans.h"
#include "platform/ClientSocket.h"
#include "platform/Cp1250.h"
#include "platform/Modal.h"
#include "tables/ProgramowanieTowarow.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestNames.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

// Parameter: false over a serial line, true over TCP chosen in "Parametry transmisji".
class MainRoadTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { QApplication::setQuitOnLastWindowClosed(false); }
    void TearDown() override { SetModalRunner({}); }

    TestEnvironment env{false};  // the main window builds the image itself
    ScriptedPrompts prompts;
};

TEST_P(MainRoadTest, FromStartToTheRegistersTable)
{
    EmulatorFixture fx{emu::Model::Rivo};
    TMenuGlowne window;
    if (GetParam()) {
        const int port = fx.ServeTcp();
        ASSERT_GT(port, 0);
        SetModalRunner([&](QDialog& d) {
            auto* settings = qobject_cast<TUstawieniaTrans*>(&d);
            if (!settings)
                return int(QDialog::Rejected);
            settings->FormShow();
            settings->RadioButton2->setChecked(true);
            settings->Edit2->setText("127.0.0.1");
            settings->Edit3->setText(QString::number(port));
            settings->Button2Click();
            return settings->result();
        });
        window.Parametrytransmisji1Click();
        ASSERT_TRUE(TcpSocket().WaitConnected(3000));
        EXPECT_EQ(Link.TcpConnectState, 3u);
    } else {
        ASSERT_FALSE(fx.ServeCom(4).empty());
    }
    EXPECT_EQ(App.WorkMode, 1);
    EXPECT_FALSE(window.Label4->isHidden());  // OFFLINE

    window.SpeedButton2Click();
    ASSERT_EQ(App.WorkMode, 3);
    EXPECT_TRUE(prompts.Saw("WYKRYTO KASĘ ORVA RIVO"));  // the model is asked over either link
    EXPECT_FALSE(window.Label3->isHidden());  // ONLINE

    // A new database named "Sklep" through the menu; then the goods window from its button, where
    // PLU 1 is added and sent, taken out of the PC's database and read back from the register.
    int opened = 0;
    SetModalRunner([&](QDialog& d) {
        if (auto* dialog = qobject_cast<TNowaBazaD*>(&d)) {
            dialog->FormShow();
            dialog->Edit1->setText("Sklep");
            dialog->Button1Click();
            return dialog->result();
        }
        auto* goods = qobject_cast<TProgramowanieTowarow*>(&d);
        if (!goods)
            return int(QDialog::Rejected);
        ++opened;
        goods->FormShow();
        EXPECT_EQ(goods->Edit1->text(), "1");  // the first free PLU is proposed
        goods->Edit2->setText("Chleb żytni");
        goods->Edit3->setText("4,99");
        goods->Edit4->setText("5901234123457");
        goods->ComboBox1->setCurrentIndex(1);  // PTU B
        goods->BitBtn4Click();
        goods->SelectRow(0);
        goods->BitBtn1Click();
        goods->SelectRow(0);
        goods->BitBtn2Click();
        EXPECT_EQ(DbReadU16At(GoodsRecordOffset(1)), 0);
        goods->BitBtn8Click();
        return int(QDialog::Rejected);
    });
    window.Nowabazadanych1Click();
    ASSERT_EQ(App.CurrentDatabaseFileName, "Sklep");
    EXPECT_EQ(window.Label17->text(), "Sklep");
    window.Button8Click();
    EXPECT_EQ(opened, 1);

    EXPECT_TRUE(prompts.Saw("Towar zapisano w kasie")) << prompts.Texts().join(" | ").toStdString();
    const auto rec = fx.Emu().GoodsRecord(1);
    ASSERT_EQ(rec.size(), 83u);
    EXPECT_EQ(rec[0] | rec[1] << 8, 1);
    EXPECT_EQ(std::string(rec.begin() + 2, rec.begin() + 13), ToCp1250("Chleb żytni"));
    EXPECT_EQ(rec[44], 'B');
    EXPECT_EQ(rec[45] | rec[46] << 8, 499);
    EXPECT_EQ(std::string(rec.begin() + 57, rec.begin() + 70), "5901234123457");
    // The image holds the record again, read back from the register, and the database is marked
    // for saving.
    EXPECT_EQ(DbReadU16At(GoodsRecordOffset(1)), 1);
    EXPECT_EQ(DbReadStringAt(GoodsRecordOffset(1) + 2, 42), ToCp1250("Chleb żytni"));
    EXPECT_EQ(App.DatabaseModified, 1);
    // Two 'T' frames reached the register: the 93-byte goods frame for PLU 1, then the 11-byte
    // read request of the download.
    const auto frames = fx.Emu().ReceivedFramesWithCommand('T');
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].size(), 93u);
    EXPECT_EQ(frames[0][7], 1);
    EXPECT_EQ(frames[1].size(), 11u);
}

INSTANTIATE_TEST_SUITE_P(Links, MainRoadTest, ::testing::Values(false, true), LinkName);

} // namespace
