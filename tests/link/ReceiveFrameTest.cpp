// Reading a series of data frames, played by hand over an in-memory line of either kind.
#include "link/Link.h"
#include "platform/Time.h"
#include "tests/link/LinkTestUtil.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

class ReceiveFrames : public testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        peer = std::make_unique<MemoryPeer>(GetParam());
    }
    QString NoFrameMessage() const
    {
        return GetParam() ? QString::fromUtf8("Błąd komunikacji TCP/IP.") : QString::fromUtf8("Brak komunikacji.");
    }
    // The status of the acknowledgement the program sent, or -1 when none came.
    int AckSent(int timeoutMs = 2000)
    {
        const Bytes ack = peer->Read(10, timeoutMs);
        if (ack.size() != 10)
            return -1;
        EXPECT_EQ(ack, RegisterFrame(0x06, {ack[7]}, 1, Link.RegisterAddress));
        return ack[7];
    }

    TestEnvironment env{false};
    ScriptedPrompts prompts;
    std::unique_ptr<RegisterPeer> peer;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Link, ReceiveFrames, testing::Values(false, true), TransportName);

TEST_P(ReceiveFrames, SeriesIsAcknowledgedFrameByFrameAndEndsOnItsLastFrame)
{
    Link.RegisterAddress = 3;
    ASSERT_TRUE(peer->Write(DataFrame(92, 1, 10)));
    EXPECT_EQ(ReceiveFrame(92), FrameMore);
    EXPECT_EQ(ReceivedBytes(92), DataFrame(92, 1, 10));
    EXPECT_EQ(AckSent(), 0);

    ASSERT_TRUE(peer->Write(DataFrame(92, 2, 20)));
    EXPECT_EQ(ReceiveFrame(92), FrameMore);
    EXPECT_EQ(AckSent(), 0);

    ASSERT_TRUE(peer->Write(DataFrame(92, 0x8003, 30)));
    EXPECT_EQ(ReceiveFrame(92), FrameLast);
    EXPECT_EQ(ReceivedBytes(92), DataFrame(92, 0x8003, 30));
    EXPECT_EQ(AckSent(), 3);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_P(ReceiveFrames, FramesWaitingBackToBackAreTakenOneAtATime)
{
    Bytes two = DataFrame(45, 1, 1);
    const Bytes last = DataFrame(45, 0x8002, 2);
    two.insert(two.end(), last.begin(), last.end());
    ASSERT_TRUE(peer->Write(two));
    EXPECT_EQ(ReceiveFrame(45), FrameMore);
    EXPECT_EQ(ReceiveFrame(45), FrameLast);
    EXPECT_EQ(ReceivedBytes(45), last);
}

TEST_P(ReceiveFrames, AbortFlagStopsTheSeriesWithStatusFour)
{
    Link.AbortRequestFlag = 1;
    ASSERT_TRUE(peer->Write(DataFrame(35, 1)));
    EXPECT_EQ(ReceiveFrame(35), FrameLast);
    EXPECT_EQ(AckSent(), 4);

    // The last frame is acknowledged as last even when the user asked to stop.
    ASSERT_TRUE(peer->Write(DataFrame(35, 0x8002)));
    EXPECT_EQ(ReceiveFrame(35), FrameLast);
    EXPECT_EQ(AckSent(), 3);
}

TEST_P(ReceiveFrames, ChecksumErrorShowsBothValuesAndSendsNoAcknowledgement)
{
    Bytes bad = DataFrame(92, 1);
    const uint8_t good = bad[90];
    bad[90] = uint8_t(good ^ 0x5A);
    ASSERT_TRUE(peer->Write(bad));
    EXPECT_EQ(ReceiveFrame(92), FrameChecksumError);
    EXPECT_EQ(prompts.Texts(), (QStringList{QStringLiteral("CRC kasy: %1 CRC PC: %2").arg(bad[90]).arg(good),
                                            QString::fromUtf8("Błąd CRC!")}));
    EXPECT_EQ(AckSent(300), -1);
}

TEST_P(ReceiveFrames, ShortRepliesInPlaceOfTheFrameShowTheirOwnMessage)
{
    struct Row {
        Bytes reply;
        QString message;
    };
    const Row rows[] = {
        {StatusReply('A', 0x10), QString::fromUtf8("Pusta baza.")},
        {StatusReply('A', 0x40), QString::fromUtf8("Zerowa wartość sprzedaży.")},
        {ErrorFrameBytes(66), QString::fromUtf8("Błąd 66: Towar pod podanym numerem nie istnieje")},
        {ErrorFrameBytes(150), QString::fromUtf8("Błąd 150: ")},
    };
    for (const Row& r : rows) {
        prompts.Clear();
        ASSERT_TRUE(peer->Write(r.reply));
        const long long start = MonotonicMs();
        EXPECT_EQ(ReceiveFrame(92), FrameFailed);
        EXPECT_EQ(MonotonicMs(), start) << "a complete short reply is not waited past";
        EXPECT_EQ(prompts.Texts(), QStringList{r.message});
    }
    EXPECT_EQ(AckSent(300), -1);
}

TEST_P(ReceiveFrames, NothingPartOfAFrameOrLengthFieldsThatDoNotFitAreNoFrame)
{
    // Silence, half a frame, and 92 bytes whose length field claims far more, or far less.
    const Bytes frame = DataFrame(92, 1);
    std::vector<Bytes> cases = {{}, Bytes(frame.begin(), frame.begin() + 50)};
    for (uint16_t claimed : {uint16_t(5000), uint16_t(65535), uint16_t(40), uint16_t(3)}) {
        Bytes f = frame;
        f[2] = uint8_t(claimed);
        f[3] = uint8_t(claimed >> 8);
        cases.push_back(f);
    }
    for (const Bytes& c : cases) {
        prompts.Clear();
        if (!c.empty()) {
            ASSERT_TRUE(peer->Write(c));
        }
        EXPECT_EQ(ReceiveFrame(92), FrameFailed) << c.size();
        EXPECT_EQ(prompts.Texts(), QStringList{NoFrameMessage()});
    }
    // A frame longer than the receive buffer is refused without a read.
    EXPECT_EQ(ReceiveFrame(ReceiveBufferSize + 1), FrameFailed);
    EXPECT_EQ(ReceiveFrame(70000), FrameFailed);
    EXPECT_EQ(AckSent(300), -1);
}

TEST_P(ReceiveFrames, LongestFrameFillsTheBufferExactly)
{
    ASSERT_TRUE(peer->Write(DataFrame(ReceiveBufferSize, 0x8001)));
    EXPECT_EQ(ReceiveFrame(ReceiveBufferSize), FrameLast);
    EXPECT_EQ(AckSent(), 3);
}
