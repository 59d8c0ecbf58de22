// The emulator served in-process over loopback TCP and over a COM link (pseudo-terminal).
#include "tests/emulator/TestClient.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <thread>

using namespace testclient;

TEST(EmulatorServer, PacingFollowsTheBaudRate)
{
    EmulatorFixture fx;
    Conn c = OpenCom(fx.ServeCom(2) + "/COM2");
    ASSERT_TRUE(c.Ok());
    ASSERT_TRUE(c.Send(GoodsFrame(Goods{})));
    ASSERT_TRUE(IsStatus(c.ReadFrame(), 0x06, 3));

    // No byte comes before its time: the 11-byte request and the 92-byte reply both cross the line
    // at ten bits a byte (were the request not paced, the reply would come 11 bytes early).
    double took[2];
    for (unsigned baud : {9600u, 115200u}) {
        fx.SetBaud(baud);
        const auto start = Clock::now();
        ASSERT_TRUE(c.Send(ReadRequest('T')));
        EXPECT_EQ(c.Read(92, 3000).size(), 92u);
        took[baud == 115200] = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        ASSERT_TRUE(c.Send(Ack(3)));
        EXPECT_GE(took[baud == 115200], 103 * 10000.0 / baud) << baud;
    }
    EXPECT_LT(took[1], took[0]);
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
    const std::size_t dropped = fx.Server().DroppedBytes();
    EXPECT_GT(dropped, 0u);
    // Meanwhile the emulator answers on another line.
    Conn tcp = ConnectTcp(port);
    ASSERT_TRUE(tcp.Send(Probe()));
    EXPECT_TRUE(IsStatus(tcp.ReadFrame(), 'A', 0));

    // The client goes: its queued replies go with it, and the next one hears only its own.
    com = Conn();
    const auto end = Clock::now() + std::chrono::seconds(3);
    while (fx.Server().DroppedBytes() == dropped && Clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    com = OpenCom(dir + "/COM1");
    ASSERT_TRUE(com.Send(Probe()));
    EXPECT_TRUE(IsStatus(com.ReadFrame(), 'A', 0));
    EXPECT_TRUE(com.Read(1, 100).empty());
}

// The program closes the port, opens it again and sends its probe within a millisecond, so the
// emulator may read the close and the open together: each new client is answered.
TEST(EmulatorServer, AClientThatReconnectsAtOnceIsAnswered)
{
    for (unsigned baud : {0u, 115200u}) {
        EmulatorFixture fx;
        fx.SetBaud(baud);
        const std::string com = fx.ServeCom(3) + "/COM3";
        Conn c;
        for (uint16_t i = 0; i < 300; ++i) {
            c = Conn(); // closed before the next open, as the program does
            c = OpenCom(com);
            const uint16_t number = 0x8000 | i;
            ASSERT_TRUE(c.Send(Frame(1, number, 'Q', Bytes{0}, 10)));
            const Bytes reply = c.ReadFrame(1000);
            ASSERT_TRUE(IsStatus(reply, 'A', 0) && U16(reply, 4) == number) << "baud " << baud << ", reconnect " << i;
        }
    }
    // The same when the server meets the close before the open: the emulator's lock held stops
    // its thread while it forgets the client that left (the next one's request, read with the
    // leftovers, is answered), or while it takes a request of that client (the reply goes nowhere).
    const auto waitsIn = [](long call) { return WaitUntil([call] { return ServerThreadWaitsIn(call); }); };
    for (bool answering : {false, true}) {
        EmulatorFixture fx;
        const std::string com = fx.ServeCom(3) + "/COM3";
        Conn c = OpenCom(com);
        ASSERT_TRUE(c.Send(Probe()) && IsStatus(c.ReadFrame(), 'A', 0));
        if (!waitsIn(SYS_ppoll))
            GTEST_SKIP() << "this system does not show which system call a thread waits in";
        const std::size_t dropped = fx.Server().DroppedBytes();
        const Bytes mine = Frame(1, 0x8123, 'Q', Bytes{0}, 10);
        {
            auto held = fx.Emu().LockFaults();
            ASSERT_TRUE(c.Send(answering ? Probe() : Bytes{}));
            if (!answering)
                c = Conn();
            ASSERT_TRUE(waitsIn(SYS_futex)) << answering;
            c = Conn();
            c = OpenCom(com);
            ASSERT_TRUE(c.Send(answering ? Bytes{} : mine));
        }
        if (answering) {
            EXPECT_TRUE(WaitUntil([&] { return fx.Server().DroppedBytes() != dropped; }));
            ASSERT_TRUE(c.Send(mine));
        }
        const Bytes reply = c.ReadFrame(1000);
        EXPECT_TRUE(IsStatus(reply, 'A', 0) && U16(reply, 4) == 0x8123) << answering;
        EXPECT_TRUE(c.Read(1, 100).empty()) << answering;
        EXPECT_EQ(fx.Server().DroppedBytes() - dropped, answering ? reply.size() : 0u);
    }
}
