// Telling the register model from its configuration frame.
#include "core/AppState.h"
#include "link/ModelDetection.h"
#include "platform/Time.h"
#include "tests/link/LinkTestUtil.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

class ModelDetection : public testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        peer = MakePeer(GetParam());
        ASSERT_TRUE(peer->Ok());
        App.RegisterModelFlag = 7;  // neither model, to see what changes
        App.GoodsRecordSize = 50;
        App.MaxGoodsCount = 1234;
    }
    // The configuration frame the register answers with: 27 or 22 record bytes.
    static Bytes ConfigurationFrame(std::size_t recordBytes) { return RegisterFrame(0x06, Bytes(recordBytes, 1)); }

    TestEnvironment env{false};
    ScriptedPrompts prompts;
    std::unique_ptr<RegisterPeer> peer;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Link, ModelDetection, testing::Values(false, true), TransportName);

TEST_P(ModelDetection, ThirtySixBytesAreTheRivo)
{
    Link.RegisterAddress = 4;
    Responder register_(*peer, 11, ConfigurationFrame(27));
    DetectRegisterModel();
    register_.Join();
    EXPECT_EQ(register_.Request(), RegisterFrame(0x03, {1, 0}, 0x8001, 4)) << "the configuration read request";
    EXPECT_EQ(App.RegisterModelFlag, 1);
    EXPECT_EQ(App.GoodsRecordSize, 83);
    EXPECT_EQ(App.MaxGoodsCount, 8000);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_P(ModelDetection, ThirtyOneBytesAreTheTepoDuxTakenAsSoonAsTheyAreWhole)
{
    Responder register_(*peer, 11, ConfigurationFrame(22));
    const long long start = MonotonicMs();
    DetectRegisterModel();
    EXPECT_LT(MonotonicMs() - start, 1000) << "no wait for the five bytes the older model never sends";
    EXPECT_EQ(App.RegisterModelFlag, 0);
    EXPECT_EQ(App.GoodsRecordSize, 69);
    EXPECT_EQ(App.MaxGoodsCount, 2000);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_P(ModelDetection, SilenceIsNoModelAndAnyOtherLengthChangesNothing)
{
    DetectRegisterModel();
    EXPECT_EQ(App.RegisterModelFlag, 2);
    EXPECT_EQ(App.GoodsRecordSize, 50);
    EXPECT_EQ(prompts.Texts(), QStringList{QString::fromUtf8("Błąd transmisji !!!")});
    EXPECT_EQ(peer->Read(11, 2000).size(), 11u) << "the unanswered request";

    prompts.Clear();
    App.RegisterModelFlag = 7;
    Bytes noise(36, 0);
    noise[2] = 31;
    Bytes damaged = ConfigurationFrame(22);
    damaged[29] ^= 0x55;
    for (const Bytes& reply : {ErrorFrameBytes(0), noise, damaged}) {
        Responder register_(*peer, 11, reply);
        DetectRegisterModel();
        register_.Join();
        EXPECT_EQ(App.RegisterModelFlag, 7);
        EXPECT_EQ(App.GoodsRecordSize, 50);
        EXPECT_EQ(App.MaxGoodsCount, 1234);
    }
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_P(ModelDetection, LeftoversOnTheLineAreDrainedFirst)
{
    ASSERT_TRUE(peer->Write(ConfigurationFrame(22)));
    ASSERT_TRUE(LinkSettings.LinkType == 1 ? TcpSocket().WaitReadable(2000) : Link.SerialHandle->WaitReadable(2000));
    DetectRegisterModel();  // the stale answer goes; nothing new comes
    EXPECT_EQ(App.RegisterModelFlag, 2);
}
