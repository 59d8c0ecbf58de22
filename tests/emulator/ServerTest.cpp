// The emulator served in-process over loopback TCP and over a COM link (pseudo-terminal).
#include "tests/emulator/TestClient.h"
#include "tests/support/EmulatorFixture.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace testclient;

namespace {

void StoreGoods(emu::RegisterEmulator& e, int count)
{
    for (int plu = 1; plu <= count; ++plu) {
        Bytes rec(83, 0);
        rec[0] = static_cast<uint8_t>(plu);
        rec[1] = static_cast<uint8_t>(plu >> 8);
        std::string name = "Towar " + std::to_string(plu);
        std::memcpy(&rec[2], name.data(), name.size());
        rec[44] = 'A';
        rec[79] = 24;
        e.PutGoodsRecord(rec);
    }
}

double MillisecondsSince(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

} // namespace

TEST(EmulatorServer, TcpTornFramesAndDroppedConnections)
{
    EmulatorFixture fx;
    StoreGoods(fx.Emu(), 3);
    Conn c = ConnectTcp(fx.ServeTcp());
    ASSERT_TRUE(c.Ok());
    // A torn request waits for its bytes until the receive time-out; then the probe is found.
    Bytes torn = GoodsFrame(Goods{});
    torn.resize(30);
    ASSERT_TRUE(c.Send(torn));
    ASSERT_TRUE(c.Send(Probe()));
    EXPECT_TRUE(IsStatus(c.ReadFrame(3000), 'A', 0));
    EXPECT_EQ(fx.Emu().GoodsCount(), 3u);

    // Series over TCP are read in the link tests. The drop fault closes the connection mid-series;
    // a new connection is served as usual.
    fx.Emu().LockFaults()->DropAfterDataFrames = 2;
    ASSERT_TRUE(c.Send(ReadRequest('T')));
    EXPECT_EQ(c.ReadFrame().size(), 92u);
    ASSERT_TRUE(c.Send(Ack(0)));
    EXPECT_EQ(c.ReadFrame().size(), 92u);
    EXPECT_TRUE(c.WaitClosed(3000));
    Conn again = ConnectTcp(fx.ServeTcp());
    ASSERT_TRUE(again.Send(Probe()));
    EXPECT_TRUE(IsStatus(again.ReadFrame(), 'A', 0));
}

TEST(EmulatorServer, ComLinkSurvivesTheProgramOpeningAndClosingThePort)
{
    {
        EmulatorFixture fx;
        const std::string path = fx.ServeCom(7) + "/COM7";
        for (int round = 0; round < 40; ++round) {
            Conn c = OpenCom(path);
            ASSERT_TRUE(c.Ok()) << round;
            if (round % 4 == 2) {
                // Closed before the reply came: it waits on the line for the next opening.
                ASSERT_TRUE(c.Send(ReadRequest(0x03, 1, 0x8001)));
                continue;
            }
            ASSERT_TRUE(c.Send(Probe()));
            if (round % 4 == 3) {
                EXPECT_EQ(c.ReadFrame().size(), 36u) << round;
            }
            EXPECT_TRUE(IsStatus(c.ReadFrame(), 'A', 0)) << round;
        }
        // A program frame over the COM link is stored and acknowledged.
        Conn c = OpenCom(path);
        ASSERT_TRUE(c.Send(GoodsFrame(Goods{})));
        EXPECT_TRUE(IsStatus(c.ReadFrame(), 0x06, 3));
        EXPECT_EQ(fx.Emu().GoodsCount(), 1u);
    }
    EXPECT_EQ(std::getenv("RIVO_COM_DIR"), nullptr);
}

TEST(EmulatorServer, BusyAndPaperOutRepliesArriveOneAtATime)
{
    EmulatorFixture fx;
    Conn c = ConnectTcp(fx.ServeTcp());
    {
        auto f = fx.Emu().LockFaults();
        f->BusyReplies = 1;
        f->BusyDelayMs = 150;
    }
    ASSERT_TRUE(c.Send(GoodsFrame(Goods{})));
    auto start = Clock::now();
    // Read only the first reply's bytes: the real one must not be on the line yet.
    Bytes first = c.Read(10, 3000);
    EXPECT_TRUE(IsStatus(first, 'A', 0x04));
    Bytes extra = c.Read(1, 50);
    EXPECT_TRUE(extra.empty());
    Bytes rest = c.Read(10, 3000);
    EXPECT_TRUE(IsStatus(rest, 0x06, 3));
    EXPECT_GE(MillisecondsSince(start), 100.0);

    // Paper out: when the PC gives up (status 4), the real reply is never sent.
    {
        auto f = fx.Emu().LockFaults();
        f->PaperOutReplies = 1;
        f->PaperOutDelayMs = 2000;
    }
    Goods g;
    g.plu = 2;
    g.name = "Inny";
    ASSERT_TRUE(c.Send(GoodsFrame(g)));
    EXPECT_TRUE(IsStatus(c.ReadFrame(), 'A', 0x02));
    ASSERT_TRUE(c.Send(Ack(4)));
    ASSERT_TRUE(c.Send(Probe()));
    EXPECT_TRUE(IsStatus(c.ReadFrame(), 'A', 0));
}

TEST(EmulatorServer, PacingFollowsTheBaudRate)
{
    EmulatorFixture fx;
    StoreGoods(fx.Emu(), 1);
    std::string dir = fx.ServeCom(2);
    Conn c = OpenCom(dir + "/COM2");
    ASSERT_TRUE(c.Ok());

    fx.SetBaud(9600); // 92 bytes x 10 bits: about 96 ms
    auto start = Clock::now();
    ASSERT_TRUE(c.Send(ReadRequest('T')));
    EXPECT_EQ(c.Read(92, 3000).size(), 92u);
    double slow = MillisecondsSince(start);
    ASSERT_TRUE(c.Send(Ack(3)));
    EXPECT_GE(slow, 80.0);

    fx.SetBaud(115200); // about 8 ms
    start = Clock::now();
    ASSERT_TRUE(c.Send(ReadRequest('T')));
    EXPECT_EQ(c.Read(92, 3000).size(), 92u);
    double fast = MillisecondsSince(start);
    EXPECT_GE(fast, 4.0);
    EXPECT_LT(fast, slow);

    // What the PC sends crosses the line at the rate too: at 1200 baud the 11-byte request is in
    // only after about 92 ms.
    fx.SetBaud(1200);
    const std::size_t received = fx.Emu().ReceivedFrames().size();
    ASSERT_TRUE(c.Send(ReadRequest('T')));
    EXPECT_FALSE(fx.Emu().WaitForFrames(received + 1, 50));
    EXPECT_TRUE(fx.Emu().WaitForFrames(received + 1, 3000));
}

TEST(EmulatorServer, AReaderThatNeverReadsDoesNotBlockTheEmulator)
{
    EmulatorFixture fx;
    std::string dir = fx.ServeCom(1);
    int port = fx.ServeTcp();
    Conn com = OpenCom(dir + "/COM1");
    ASSERT_TRUE(com.Ok());
    // 4000 header reads ask for about 1 MB of replies, more than the terminal and the queue hold;
    // nobody reads them.
    const int requests = 4000;
    Bytes burst;
    for (int i = 0; i < requests; ++i) {
        Bytes r = ReadRequest('N', 0, 0x8001);
        burst.insert(burst.end(), r.begin(), r.end());
    }
    ASSERT_TRUE(com.Send(burst));
    ASSERT_TRUE(fx.Emu().WaitForFrames(requests, 10000));
    EXPECT_GT(fx.Server().DroppedBytes(), 0u);
    // Meanwhile the emulator answers on another line.
    Conn tcp = ConnectTcp(port);
    ASSERT_TRUE(tcp.Send(Probe()));
    EXPECT_TRUE(IsStatus(tcp.ReadFrame(), 'A', 0));
}
