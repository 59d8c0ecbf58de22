// Reading a series of data frames, played by hand over an in-memory line of either kind.
#include "link/Link.h"
#include "platform/Time.h"
#include "tests/link/LinkTestUtil.h"

#include <gtest/gtest.h>

namespace {

class ReceiveFrames : public OverMemoryLine {
protected:
    QString NoFrameMessage() const
    {
        return GetParam() ? QString::fromUtf8("Błąd komunikacji TCP/IP.") : QString::fromUtf8("Brak komunikacji.");
    }
    static QStringList CrcMessages(const Bytes& f)   // a wrong checksum: the received and the computed
    {
        return {QStringLiteral("CRC kasy: %1 CRC PC: %2").arg(f[f.size() - 2]).arg(XorOf(f, 1, f.size() - 3)), "Błąd CRC!"};
    }
    // The status of the acknowledgement the program sent, or -1 when none came.
    int AckSent(int timeoutMs = 2000)
    {
        const Bytes ack = peer.Read(10, timeoutMs);
        if (ack.size() != 10)
            return -1;
        EXPECT_EQ(ack, RegisterFrame(0x06, {ack[7]}, 1, Link.RegisterAddress));
        return ack[7];
    }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Link, ReceiveFrames, testing::Values(false, true), LinkName);

TEST_P(ReceiveFrames, EveryFrameIsAcknowledgedAndTheSeriesEndsOnItsLastFrameOrTheUsersStop)
{
    struct Step {
        Bytes frame;
        int abort;
        int result;
        int ack;
    };
    const Step steps[] = {
        {DataFrame(92, 1, 10), 0, FrameMore, 0},
        {DataFrame(92, 2, 20), 0, FrameMore, 0},
        {DataFrame(92, 0x8003, 30), 0, FrameLast, 3},
        {DataFrame(35, 1), 1, FrameLast, 4},
        {DataFrame(35, 0x8002), 1, FrameLast, 3},  // the last frame is acknowledged as last even then
        {DataFrame(ReceiveBufferSize, 0x8001), 0, FrameLast, 3},
    };
    Link.RegisterAddress = 3;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.frame.size());
        Link.AbortRequestFlag = s.abort;
        ASSERT_TRUE(peer.Write(s.frame));
        EXPECT_EQ(ReceiveFrame(s.frame.size()), s.result);
        EXPECT_EQ(ReceivedBytes(s.frame.size()), s.frame);
        EXPECT_EQ(AckSent(), s.ack);
    }
    SendAckStatus1(Link.RegisterAddress);  // sent by the callers that want the next frame
    EXPECT_EQ(AckSent(), 1);
    // Frames waiting back to back are taken one at a time.
    Bytes two = DataFrame(45, 1, 1);
    const Bytes last = DataFrame(45, 0x8002, 2);
    two.insert(two.end(), last.begin(), last.end());
    ASSERT_TRUE(peer.Write(two));
    EXPECT_EQ(ReceiveFrame(45), FrameMore);
    EXPECT_EQ(ReceiveFrame(45), FrameLast);
    EXPECT_EQ(ReceivedBytes(45), last);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST_P(ReceiveFrames, ShortRepliesOrABadChecksumShowTheirOwnMessageAndGetNoAcknowledgement)
{
    Bytes bad = DataFrame(92, 1);
    const uint8_t good = bad[90];
    bad[90] = uint8_t(good ^ 0x5A);
    struct Row {
        Bytes reply;
        QStringList messages;
        int result = FrameFailed;
    };
    const Row rows[] = {
        {StatusReply('A', 0x10), {QString::fromUtf8("Pusta baza.")}},
        {StatusReply('A', 0x40), {QString::fromUtf8("Zerowa wartość sprzedaży.")}},
        {ErrorFrameBytes(66), {QString::fromUtf8("Błąd 66: Towar pod podanym numerem nie istnieje")}},
        {ErrorFrameBytes(150), {QString::fromUtf8("Błąd 150: ")}},
        {bad, {QStringLiteral("CRC kasy: %1 CRC PC: %2").arg(bad[90]).arg(good), QString::fromUtf8("Błąd CRC!")},
         FrameChecksumError},
        // A short reply is checked like any other frame.
        {StatusReply('A', 0x10, false), CrcMessages(StatusReply('A', 0x10, false)), FrameChecksumError},
        {StatusReply('A', 0x40, false), CrcMessages(StatusReply('A', 0x40, false)), FrameChecksumError},
        {RegisterFrame('A', {0, 66}, 1, 1, false), CrcMessages(RegisterFrame('A', {0, 66}, 1, 1, false)),
         FrameChecksumError},
    };
    for (const Row& r : rows) {
        prompts.Clear();
        ASSERT_TRUE(peer.Write(r.reply));
        const long long start = MonotonicMs();
        EXPECT_EQ(ReceiveFrame(92), r.result);
        EXPECT_EQ(MonotonicMs(), start) << "a complete reply is not waited past";
        EXPECT_EQ(prompts.Texts(), r.messages);
        EXPECT_EQ(ReceivedEmptyBase(), r.reply == StatusReply('A', 0x10));
    }
    EXPECT_EQ(AckSent(300), -1);
    // Codes past either end of the table have no text.
    EXPECT_TRUE(ErrorText(ErrorTextCount).isEmpty() && ErrorText(-1).isEmpty());
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
            ASSERT_TRUE(peer.Write(c));
        }
        EXPECT_EQ(ReceiveFrame(92), FrameFailed) << c.size();
        EXPECT_EQ(prompts.Texts(), QStringList{NoFrameMessage()});
    }
    // A frame longer than the receive buffer is refused without a read.
    EXPECT_EQ(ReceiveFrame(ReceiveBufferSize + 1), FrameFailed);
    EXPECT_EQ(ReceiveFrame(70000), FrameFailed);
    EXPECT_EQ(AckSent(300), -1);
}
