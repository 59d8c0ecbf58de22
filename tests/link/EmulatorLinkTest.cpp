// Whole exchanges of the link with the register emulator, over a pseudo-terminal and over TCP.
#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/ModelDetection.h"
#include "tests/link/LinkTestUtil.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

class EmulatorLink : public testing::TestWithParam<bool> {
protected:
    void Connect(emu::Model model = emu::Model::Rivo)
    {
        emulator = std::make_unique<EmulatorFixture>(model, 1);
        if (GetParam()) {
            const int port = emulator->ServeTcp();
            ASSERT_GT(port, 0);
            LinkSettings.LinkType = 1;
            LinkSettings.TcpHost = "127.0.0.1";
            LinkSettings.TcpPort = port;
            ASSERT_EQ(ConnectTcp(), 0);
            ASSERT_TRUE(TcpSocket().WaitConnected(3000));
        } else {
            ASSERT_FALSE(emulator->ServeCom(6).empty());
            LinkSettings.LinkType = 0;
            LinkSettings.ComPortNumber = 6;
            ASSERT_EQ(OpenComPort(1, Link.SerialHandle), 0);
        }
    }
    void TearDown() override
    {
        ResetLinkState();  // the link goes before its register
        emulator.reset();
    }

    static void StoreGoods(uint16_t count)
    {
        for (uint16_t plu = 1; plu <= count; ++plu) {
            GoodsRecordFields g;
            g.Plu = plu;
            g.Name = "Towar " + std::to_string(plu);
            g.VatLetter = "A";
            g.Price = 100u * plu;
            g.Barcode = std::to_string(5900000 + plu);
            g.Group = 1;
            ASSERT_EQ(WriteGoodsRecordToImage(g), 0);
        }
    }
    // Acknowledgement statuses the register received, in order.
    std::vector<int> AckStatuses() const
    {
        std::vector<int> out;
        for (const Bytes& f : emulator->Emu().ReceivedFramesWithCommand(0x06))
            if (f.size() == 10)
                out.push_back(f[7]);
        return out;
    }

    TestEnvironment env;
    ScriptedPrompts prompts;
    std::unique_ptr<EmulatorFixture> emulator;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Link, EmulatorLink, testing::Values(false, true), TransportName);

TEST_P(EmulatorLink, GoodsGoOutFrameByFrameAndComeBackAsASeries)
{
    Connect();
    constexpr uint16_t count = 12;
    StoreGoods(count);
    for (uint16_t plu = 1; plu <= count; ++plu) {
        const uint16_t number = plu == count ? uint16_t(plu | LastFrameBit) : plu;
        ASSERT_EQ(SendGoodsRecord(Link.RegisterAddress, number, plu, 0, 0), 1);
        const int ack = ReceiveAck();
        EXPECT_TRUE(ack == AckAccepted || ack == AckDone) << plu << ": " << ack;
    }
    EXPECT_EQ(emulator->Emu().GoodsCount(), count);
    EXPECT_EQ(emulator->Emu().GoodsRecord(7)[0], 7);

    Link.AbortRequestFlag = 0;
    DrainInput();
    ASSERT_EQ(SendCommandWithWord(Link.RegisterAddress, 1, 'T', 0), 1);
    int frames = 0;
    int result = FrameMore;
    while (result == FrameMore && frames < 100) {
        result = ReceiveFrame(GoodsDataFrameLength);
        ++frames;
        if (result == FrameMore || result == FrameLast) {
            EXPECT_EQ(Link.ReceiveBuffer[7] | Link.ReceiveBuffer[8] << 8, frames) << "goods in PLU order";
        }
    }
    EXPECT_EQ(result, FrameLast);
    EXPECT_EQ(frames, count);
    std::vector<int> expected(count - 1, 0);
    expected.push_back(3);
    ASSERT_TRUE(emulator->Emu().WaitForFramesWithCommand(0x06, count, 2000));
    EXPECT_EQ(AckStatuses(), expected);
    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join("|").toStdString();

    // The user's stop ends the series with status 4.
    DrainInput();
    SendCommandWithWord(1, 1, 'T', 0);
    EXPECT_EQ(ReceiveFrame(GoodsDataFrameLength), FrameMore);
    Link.AbortRequestFlag = 1;
    EXPECT_EQ(ReceiveFrame(GoodsDataFrameLength), FrameLast);
    ASSERT_TRUE(emulator->Emu().WaitForFramesWithCommand(0x06, count + 2, 2000));
    EXPECT_EQ(AckStatuses().back(), 4);
}

TEST_P(EmulatorLink, EmptyTableAndRegisterErrorsShowTheirOwnMessage)
{
    Connect();
    DrainInput();
    SendCommandWithWord(1, 1, 'T', 0);
    EXPECT_EQ(ReceiveFrame(GoodsDataFrameLength), FrameFailed);
    EXPECT_EQ(prompts.Texts(), QStringList{QString::fromUtf8("Pusta baza.")});

    StoreGoods(1);
    emulator->Emu().LockFaults()->ErrorCode = 9;
    DrainInput();
    SendGoodsRecord(1, 0x8001, 1, 0, 0);
    EXPECT_EQ(ReceiveAck(), AckErrorFrame);
    EXPECT_EQ(Link.ReceiveBuffer[8], 9);

    emulator->Emu().LockFaults()->PrintingReplies = 1;
    DrainInput();
    SendGoodsRecord(1, 0x8001, 1, 0, 0);
    EXPECT_EQ(ReceiveAck(), AckPrinting);
    const int again = ReceiveAck();
    EXPECT_TRUE(again == AckAccepted || again == AckDone) << again;
}

TEST_P(EmulatorLink, ModelIsToldFromTheConfigurationFrame)
{
    Connect(emu::Model::TepoDux);
    DetectRegisterModel();
    EXPECT_EQ(App.RegisterModelFlag, 0);
    EXPECT_EQ(App.GoodsRecordSize, 69);

    emulator->Emu().SetModel(emu::Model::Rivo);
    DetectRegisterModel();
    EXPECT_EQ(App.RegisterModelFlag, 1);
    EXPECT_EQ(App.GoodsRecordSize, 83);

    emulator->Emu().LockFaults()->SilentRequests = 1;
    DetectRegisterModel();
    EXPECT_EQ(App.RegisterModelFlag, 2);
    EXPECT_EQ(App.GoodsRecordSize, 83);
    EXPECT_EQ(prompts.Texts(), QStringList{QString::fromUtf8("Błąd transmisji !!!")});
}
