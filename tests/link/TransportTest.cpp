// Opening the port, sending, draining and the raw reads.
#include "link/Link.h"
#include "platform/SerialPort.h"
#include "platform/Time.h"
#include "tests/link/LinkTestUtil.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class Transport : public testing::Test {
protected:
    TestEnvironment env{false};
    ScriptedPrompts prompts;
};

} // namespace

TEST_F(Transport, NoChosenPortOrNoConnectionFailsAtOnceWithItsMessage)
{
    uint8_t frame[10] = {0x02, 1, 10, 0, 1, 0, 6, 0, 0x0C, 0x03};
    EXPECT_EQ(SendBytes(frame, 1, sizeof frame), 1);
    EXPECT_EQ(frame[0], 0) << "a failed send leaves 0 in the first byte";
    EXPECT_EQ(prompts.Texts(), QStringList{QString::fromUtf8("Nie wybrano portu komunikacyjnego!!")});

    // Over TCP without a connection the send fails quietly, the reads with one message.
    prompts.Clear();
    LinkSettings.LinkType = 1;
    frame[0] = 0x02;
    EXPECT_EQ(SendBytes(frame, 1, sizeof frame), 1);
    EXPECT_EQ(frame[0], 0);
    const long long start = MonotonicMs();
    EXPECT_EQ(ReceiveAck(), AckBadReply);
    EXPECT_EQ(ReceiveFrame(92), FrameFailed);
    EXPECT_LT(MonotonicMs() - start, 1000);
    EXPECT_EQ(prompts.Texts(), QStringList{QString::fromUtf8("Błąd komunikacji TCP/IP.")});
}

TEST_F(Transport, PortThatDoesNotOpenIsForgotten)
{
    PtyPair pty(5);  // RIVO_COM_DIR now names a folder without COM7
    ASSERT_TRUE(pty.Ok());

    LinkSettings.ComPortNumber = 7;
    EXPECT_EQ(OpenComPort(1, Link.SerialHandle), 1);
    EXPECT_EQ(LinkSettings.ComPortNumber, NoComPort);
    EXPECT_EQ(Link.SerialHandle, nullptr);
    LinkSettings.ComPortNumber = 7;
    EXPECT_EQ(OpenComPort(0, Link.SerialHandle), 1);
    EXPECT_EQ(prompts.Texts(), QStringList{QString::fromUtf8("Nie mogę otworzyć portu COM7.")}) << "quiet the second time";

    prompts.Clear();
    LinkSettings.ComPortNumber = 5;
    LinkSettings.BaudRate = 0;
    EXPECT_EQ(OpenComPort(1, Link.SerialHandle), 1) << "a zero rate is refused, never divided by";
    EXPECT_EQ(prompts.Texts(), QStringList{QString::fromUtf8("Nie mogę otworzyć portu COM5 z takimi ustawieniami.")});
    EXPECT_EQ(LinkSettings.ComPortNumber, NoComPort);
    EXPECT_EQ(Link.SerialHandle, nullptr);
}

TEST_F(Transport, PortsAboveNineOpenByTheirLongNameAndOneThatWentAwayIsOpenedAgain)
{
    PtyPeer peer(12);
    ASSERT_TRUE(peer.Ok());
    EXPECT_EQ(Link.SerialHandle->Name(), "\\\\.\\COM12");

    // Opening again over an open port replaces it instead of losing it.
    EXPECT_EQ(OpenLink(), 0);
    ASSERT_NE(Link.SerialHandle, nullptr);
    uint8_t text[] = "ABC";
    EXPECT_EQ(SendBytes(text, 0, 99), 0) << "mode 0 sends the text up to its NUL";
    EXPECT_EQ(peer.Read(10, 300), (Bytes{'A', 'B', 'C'}));

    // The port's descriptor goes bad under the link, as when an adapter is pulled and put back:
    // it is opened again for the same bytes.
    const int fd = Link.SerialHandle->Descriptor();
    const int readOnly = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(::dup2(readOnly, fd), 0);
    ::close(readOnly);

    const Bytes ack = AckBytes(0);
    Bytes frame = ack;
    EXPECT_EQ(SendBytes(frame.data(), 1, frame.size()), 0);
    EXPECT_EQ(peer.Read(10, 2000), ack);
    EXPECT_NE(Link.SerialHandle, nullptr);

    LinkSettings.LinkType = 2;
    EXPECT_EQ(OpenLink(), 1);
    EXPECT_EQ(ReceiveBytes(Link.ReceiveBuffer, 10), 0);
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

class Transports : public OverMemoryLine {};

INSTANTIATE_TEST_SUITE_P(Link, Transports, testing::Values(false, true), LinkName);

TEST_P(Transports, ReadsHandOverWholeRepliesAndLeaveWhatFollows)
{
    uint8_t buffer[ReceiveBufferSize];
    ASSERT_TRUE(peer.Write(StatusReply('A', 0x10)));
    const long long start = MonotonicMs();
    EXPECT_EQ(ReceiveBytes(buffer, 92), 10) << "a complete shorter reply";
    EXPECT_LT(MonotonicMs() - start, 1500);

    const Bytes frame = DataFrame(20, 1);
    ASSERT_TRUE(peer.Write(Bytes(frame.begin(), frame.begin() + 12)));
    EXPECT_EQ(ReceiveBytes(buffer, 20), 0) << "part of a frame is not a reply";

    // The rest of it and more noise are drained, leaving the line quiet for the next reply.
    Bytes rest(frame.begin() + 12, frame.end());
    rest.resize(rest.size() + 300, 0x55);
    ASSERT_TRUE(peer.Write(rest));
    EXPECT_EQ(DrainInput(), 0);
    ASSERT_TRUE(peer.Write(frame));
    EXPECT_EQ(ReceiveBytes(buffer, 20), 20);
    EXPECT_EQ(Bytes(buffer, buffer + 20), frame);
    ASSERT_TRUE(peer.Write(AckBytes(3)));
    EXPECT_EQ(ReceiveAck(), AckDone);
    EXPECT_EQ(DrainInput(), 0) << "a quiet line";

    // Raw reads: reading up to a frame's length stops at a shorter whole frame.
    ASSERT_TRUE(peer.Write(Bytes{1, 2, 3, 4, 5}));
    EXPECT_EQ(ReadRaw(buffer, 5), 5);
    EXPECT_EQ(Bytes(buffer, buffer + 5), (Bytes{1, 2, 3, 4, 5}));
    Bytes both = DataFrame(31, 0x8001);
    both.insert(both.end(), {9, 8, 7});
    ASSERT_TRUE(peer.Write(both));
    const long long rawStart = MonotonicMs();
    EXPECT_EQ(ReadRaw(buffer, 36, true), 31);
    EXPECT_LT(MonotonicMs() - rawStart, 1000);
    EXPECT_EQ(ReadRaw(buffer, 3), 3);
    EXPECT_EQ(Bytes(buffer, buffer + 3), (Bytes{9, 8, 7}));
    EXPECT_TRUE(prompts.Texts().isEmpty());
}
