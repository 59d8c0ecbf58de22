// Telling the register model from its configuration frame, over an in-memory line.
#include "core/AppState.h"
#include "link/ModelDetection.h"
#include "platform/Time.h"
#include "tests/link/LinkTestUtil.h"

#include <gtest/gtest.h>

namespace {

class ModelDetection : public testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        App.RegisterModelFlag = 7;  // neither model, to see what changes
        App.GoodsRecordSize = 50;
        App.MaxGoodsCount = 1234;
    }
    // The configuration frame the register answers with: 27 or 22 record bytes.
    static Bytes ConfigurationFrame(std::size_t recordBytes) { return RegisterFrame(0x06, Bytes(recordBytes, 1)); }
    // The model flag, the goods record size and the goods count.
    static std::vector<unsigned> Model() { return {App.RegisterModelFlag, App.GoodsRecordSize, App.MaxGoodsCount}; }
    void Detect(const Bytes& answer)
    {
        line.AnswerNextWrite(answer);
        DetectRegisterModel();
    }

    TestEnvironment env{false};
    ScriptedPrompts prompts;
    MemoryLine line{GetParam()};
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Link, ModelDetection, testing::Values(false, true), LinkName);

TEST_P(ModelDetection, WholeConfigurationFramesTellTheModelSilenceNoneAndNoiseNothing)
{
    Link.RegisterAddress = 4;
    Detect(ConfigurationFrame(27));
    EXPECT_EQ(line.Written(), RegisterFrame(0x03, {1, 0}, 0x8001, 4)) << "the configuration read request";
    EXPECT_EQ(Model(), (std::vector<unsigned>{1, 83, 8000}));

    // The older model's shorter frame is taken as soon as it is whole.
    const long long start = MonotonicMs();
    Detect(ConfigurationFrame(22));
    EXPECT_LT(MonotonicMs() - start, 2000) << "no wait for the five bytes the older model never sends";
    EXPECT_EQ(Model(), (std::vector<unsigned>{0, 69, 2000}));
    EXPECT_TRUE(prompts.Texts().isEmpty());

    // Silence is no model; noise changes nothing.
    App.GoodsRecordSize = 50;
    App.MaxGoodsCount = 1234;
    Detect({});
    EXPECT_EQ(Model(), (std::vector<unsigned>{2, 50, 1234}));
    EXPECT_EQ(prompts.Texts(), QStringList{QString::fromUtf8("Błąd transmisji !!!")});

    prompts.Clear();
    App.RegisterModelFlag = 7;
    Bytes noise(36, 0);
    noise[2] = 31;
    Bytes damaged = ConfigurationFrame(22);
    damaged[29] ^= 0x55;
    for (const Bytes& reply : {ErrorFrameBytes(0), noise, damaged}) {
        Detect(reply);
        EXPECT_EQ(Model(), (std::vector<unsigned>{7, 50, 1234}));
    }
    EXPECT_TRUE(prompts.Texts().isEmpty());

    // A stale answer left on the line is drained first: nothing new comes.
    line.Send(ConfigurationFrame(22));
    DetectRegisterModel();
    EXPECT_EQ(App.RegisterModelFlag, 2);
}
