// The reply readers over every kind of reply the register gives, on an in-memory line of either
// kind (the clock the link reads moves only while it waits).
#include "link/Link.h"
#include "platform/Time.h"
#include "tests/link/LinkTestUtil.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {

class Replies : public OverMemoryLine {};

const QString PaperOutQuestion = QString::fromUtf8("Brak papieru! Kontynuować?");
const QString StoppedMessage = QString::fromUtf8("Komunikacja przerwana przez użytkownika.");

} // namespace

INSTANTIATE_TEST_SUITE_P(Link, Replies, testing::Values(false, true), LinkName);

TEST_P(Replies, BothReadersSortEveryStatusReply)
{
    struct Sorted {
        const char* what;
        Bytes reply;
        int ack;        // ReceiveAck
        int ackSerial;  // ReceiveAckSerial
    };
    const Sorted rows[] = {
        // The reader that shows an error frame takes it whole: the next reply reads clean.
        {"error frame", ErrorFrameBytes(19), AckErrorFrame, AckErrorFrame},
        {"accepted", AckBytes(0), AckAccepted, AckAccepted},
        {"accepted, bad checksum", StatusReply(0x06, 0, false), AckBadReply, AckBadReply},
        {"done", AckBytes(3), AckDone, AckDone},
        {"done, bad checksum", StatusReply(0x06, 3, false), AckBadReply, AckBadReply},
        {"status 1", AckBytes(1), AckStatus1, AckStatus1},
        {"status 1, bad checksum", StatusReply(0x06, 1, false), AckBadReply, AckBadReply},
        {"status 2", AckBytes(2), AckStatus2, AckStatus2},
        {"status 2, bad checksum", StatusReply(0x06, 2, false), AckBadReply, AckBadReply},
        {"printing", StatusReply('A', 0x08), AckPrinting, AckPrinting},
        {"printing, bad checksum", StatusReply('A', 0x08, false), AckBadReply, AckBadReply},
        {"receipt open", StatusReply('A', 0x80), AckReceiptOpen, AckBadReply},
        {"error frame, bad checksum", RegisterFrame('A', {0, 19}, 1, 1, false), AckBadReply, AckBadReply},
        {"unknown ACK status", AckBytes(9), AckBadReply, AckBadReply},
    };
    const long long start = MonotonicMs();
    for (const Sorted& r : rows) {
        ASSERT_TRUE(peer.Write(r.reply));
        EXPECT_EQ(ReceiveAck(), r.ack) << r.what;
        EXPECT_EQ(ReceivedBytes(r.reply.size()), r.reply) << r.what;
        ASSERT_TRUE(peer.Write(r.reply));
        EXPECT_EQ(ReceiveAckSerial(), r.ackSerial) << r.what;
    }
    EXPECT_EQ(MonotonicMs(), start) << "a reply that came is taken at once";
    // Only the serial reader shows the error frame; ReceiveAck leaves it to its caller.
    EXPECT_EQ(prompts.Texts(), QStringList{QString::fromUtf8("Błąd 19: Nazwa kasjera już występuje w bazie")});
}

TEST_P(Replies, PaperOutAnsweredYesTakesTheReplyThatFollowsAndNoStopsTheRegister)
{
    const struct {
        const char* what;
        Bytes reply;
        int expected;
    } rows[] = {
        {"then accepted", AckBytes(0), AckAccepted},
        {"then done", AckBytes(3), AckDone},
        {"then status 1", AckBytes(1), AckBadReply},
        {"then nothing", {}, AckBadReply},
    };
    for (auto reader : {&ReceiveAck, &ReceiveAckSerial}) {
        for (const auto& r : rows) {
            prompts.Answer(PromptAnswer::Yes);
            Bytes both = StatusReply('A', 0x02);
            both.insert(both.end(), r.reply.begin(), r.reply.end());
            ASSERT_TRUE(peer.Write(both));
            EXPECT_EQ(reader(), r.expected) << r.what;
        }
    }
    EXPECT_EQ(prompts.PendingAnswers(), 0u);
    EXPECT_FALSE(prompts.Saw(StoppedMessage));
    EXPECT_TRUE(peer.Read(1, 0).empty()) << "nothing is sent after Yes";

    // No stops the register with status 4.
    Link.RegisterAddress = 2;
    for (auto reader : {&ReceiveAck, &ReceiveAckSerial}) {
        prompts.Clear();
        prompts.Answer(PromptAnswer::No);
        ASSERT_TRUE(peer.Write(StatusReply('A', 0x02)));
        EXPECT_EQ(reader(), AckUserStopped);
        EXPECT_EQ(peer.Read(10, 2000), RegisterFrame(0x06, {4}, 1, 2));
        ASSERT_EQ(prompts.Texts(), (QStringList{PaperOutQuestion, StoppedMessage}));
        EXPECT_EQ(prompts.All()[0].Caption, QString::fromUtf8("UWAGA!"));
    }
}

TEST_P(Replies, PrintingAndBusyAreWaitedOutUntilTheRegisterAnswers)
{
    for (auto reader : {&ReceiveAck, &ReceiveAckSerial}) {
        for (uint8_t answer : {0, 3}) {
            for (const Bytes& b : {StatusReply('A', 0x08), StatusReply('A', 0x08), StatusReply('A', 0x04),
                                   StatusReply('A', 0x04), AckBytes(answer)})
                ASSERT_TRUE(peer.Write(b));
            int printing = 0;
            const long long start = MonotonicMs();
            EXPECT_EQ(ReceiveAckWaitingOutPrinting(500, reader, [&](bool on) { printing += on; }),
                      answer == 0 ? AckAccepted : AckDone);
            EXPECT_EQ(printing, 2);
            EXPECT_LT(MonotonicMs() - start, 500) << "queued, they are stale: only the busy steps wait";
            EXPECT_TRUE(peer.Read(1, 0).empty());
        }
    }
    // Printing for good is given up after a minute, as busy is: a register that says so again
    // whenever asked (replies already queued would be stale).
    {
        QTimer again;
        QObject::connect(&again, &QTimer::timeout, [this] {
            if (Link.Transport->BytesWaiting() == 0)
                peer.Write(StatusReply('A', 0x08));
        });
        again.start(0);
        ASSERT_TRUE(peer.Write(StatusReply('A', 0x08)));
        const long long printingSince = MonotonicMs();
        EXPECT_EQ(ReceiveAckWaitingOutPrinting(1000), AckBadReply);
        EXPECT_EQ(MonotonicMs() - printingSince, 60000);
    }

    ASSERT_TRUE(peer.Write(StatusReply('A', 0x04)));
    EXPECT_EQ(ReceiveAckSerial(), AckBadReply) << "two reads without a reply end the wait";

    // Busy for ever: Esc in the window sets the flag during the wait; one left over from an earlier
    // transfer does not count.
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(peer.Write(StatusReply('A', 0x04)));
    Link.AbortRequestFlag = 1;
    QTimer::singleShot(0, [] {
        EXPECT_EQ(Link.AbortRequestFlag, 0);
        Link.AbortRequestFlag = 1;
    });
    const long long start = MonotonicMs();
    EXPECT_EQ(ReceiveAckSerial(), AckBadReply);
    EXPECT_LT(MonotonicMs() - start, 1000);
}

TEST_P(Replies, GarbageShortRepliesAndAbsurdLengthsAreBadReplies)
{
    Bytes absurd = AckBytes(1);
    absurd[2] = 0xFF;
    absurd[3] = 0xFF;  // not read past what came
    const Bytes garbage = {'H', 'E', 'L', 'L', 'O', 'W', 'O', 'R', 'L', 'D'};
    const Bytes ack = AckBytes(0);
    const Bytes noEnd(ack.begin(), ack.begin() + 5);
    for (auto reader : {&ReceiveAck, &ReceiveAckSerial}) {
        for (const Bytes& bad : {garbage, absurd, noEnd}) {
            ASSERT_TRUE(peer.Write(bad));
            EXPECT_EQ(reader(), AckBadReply);
        }
    }
    // Silence is waited out for 3 s.
    const long long start = MonotonicMs();
    EXPECT_EQ(ReceiveAck(), AckBadReply);
    EXPECT_EQ(MonotonicMs() - start, 3000);
    EXPECT_EQ(ReceiveAckSerial(), AckBadReply);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}
