// The one table read every synchronisation window uses: the mirror's slots, and the read against
// the emulator over a pseudo-terminal and over loopback TCP, and against a register played by hand.
#include "emulator/FrameCodec.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "sync/TableRead.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/PtyPair.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"
#include "tests/sync/SyncTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace {

using Line = EmulatorFixture::Line;

// Records whose last byte is set, to see that the whole record travels.
emu::Bytes GoodsRecord(uint16_t plu, const char* name)
{
    emu::Bytes r = RegisterGoods(plu, name, "", 1);
    r[82] = 0x5C;
    return r;
}

emu::Bytes CashierRecord(uint8_t n, const char* name)
{
    emu::Bytes r = RegisterCashier(n, name);
    r[323] = 0xC3;
    return r;
}

} // namespace

TEST(TableMirror, RecordsLandInTheSlotOfTheirNumberOrNowhere)
{
    struct Case {
        RegisterTableMirror::Key key;
        std::size_t slotCount;
        uint8_t lo, hi;   // the record's first two bytes
        bool taken;
        unsigned number;
    };
    const Case cases[] = {
        {RegisterTableMirror::Key::Byte, 20, 1, 0xFF, true, 1},    // byte key ignores byte 1
        {RegisterTableMirror::Key::Byte, 20, 20, 0, true, 20},
        {RegisterTableMirror::Key::Byte, 20, 21, 0, false, 21},
        {RegisterTableMirror::Key::Byte, 20, 0, 7, false, 0},
        {RegisterTableMirror::Key::Word, 8000, 0x40, 0x1F, true, 8000},
        {RegisterTableMirror::Key::Word, 8000, 0x41, 0x1F, false, 8001},
        {RegisterTableMirror::Key::Word, 8000, 0, 0, false, 0},
        {RegisterTableMirror::Key::Word, 8000, 0, 1, true, 256},
    };
    for (const Case& c : cases) {
        RegisterTableMirror mirror(c.slotCount, 5, c.key);
        const uint8_t record[6] = {c.lo, c.hi, 3, 4, 5, 0xEE};
        EXPECT_EQ(mirror.NumberOf(record), c.number);
        EXPECT_EQ(mirror.Take(record), c.taken) << c.number;
        EXPECT_EQ(mirror.UsedNumbers(), c.taken ? std::vector<unsigned>{c.number} : std::vector<unsigned>{});
        if (c.taken) {
            EXPECT_EQ(0, std::memcmp(mirror.Slot(c.number), record, 5));
            if (c.number < c.slotCount) {
                EXPECT_EQ(mirror.Slot(c.number + 1)[0], 0);   // the sixth byte stayed out
            }
            mirror.Erase(c.number);
            EXPECT_FALSE(mirror.Used(c.number));
        }
    }
    RegisterTableMirror mirror(3, 2);
    EXPECT_EQ(mirror.Slot(0), nullptr);
    EXPECT_EQ(mirror.Slot(4), nullptr);
    mirror.Erase(4);   // no slot, nothing happens
}

class TableRead : public ::testing::TestWithParam<Line> {};
INSTANTIATE_TEST_SUITE_P(Links, TableRead, ::testing::Values(Line::Serial, Line::Tcp),
                         [](const auto& info) { return info.param == Line::Serial ? "Serial" : "Tcp"; });

TEST_P(TableRead, FillsTheMirrorAndAcknowledgesEveryFrame)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx;
    ASSERT_TRUE(fx.ConnectProgram(GetParam()));
    for (uint16_t plu : {1, 77, 8000})
        fx.Emu().PutGoodsRecord(GoodsRecord(plu, "Towar"));
    RegisterTableMirror mirror(8000, 83, RegisterTableMirror::Key::Word);
    mirror.Take(GoodsRecord(5, "Stary").data());   // zeroed before the read
    Link.AbortRequestFlag = 1;   // left from an earlier transfer: must not cut this read short
    std::vector<int> progress;
    TableReadOptions options;
    options.Progress = [&](int stored) { progress.push_back(stored); };

    const TableReadResult r = ReadTableIntoMirror('T', GoodsDataFrameLength, mirror, options);

    EXPECT_TRUE(prompts.Texts().isEmpty()) << prompts.Texts().join("|").toStdString();
    EXPECT_EQ(r.Frames, 3);
    EXPECT_EQ(r.Stored, 3);
    EXPECT_EQ(r.End, FrameLast);
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(mirror.UsedNumbers(), (std::vector<unsigned>{1, 77, 8000}));
    const emu::Bytes last = GoodsRecord(8000, "Towar");
    EXPECT_EQ(0, std::memcmp(mirror.Slot(8000), last.data(), 83));
    ASSERT_TRUE(fx.Emu().WaitForFramesWithCommand(0x06, 3, 2000));
    const auto acks = fx.Emu().ReceivedFramesWithCommand(0x06);
    ASSERT_EQ(acks.size(), 3u);
    EXPECT_EQ(acks[0][7], 0);
    EXPECT_EQ(acks[1][7], 0);
    EXPECT_EQ(acks[2][7], 3);
    const auto requests = fx.Emu().ReceivedFramesWithCommand('T');
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].size(), 11u);
    EXPECT_EQ(emu::GetU16(requests[0].data() + 4), 1);
}

TEST_P(TableRead, EmptyTableSaysSoAndLeavesTheMirrorEmpty)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx;
    ASSERT_TRUE(fx.ConnectProgram(GetParam()));
    for (uint8_t n = 1; n <= 20; ++n)
        fx.Emu().DeleteTableRecord('K', n);
    RegisterTableMirror mirror(20, 324);
    mirror.Take(CashierRecord(3, "Stary").data());
    const TableReadResult r = ReadTableIntoMirror('K', CashierDataFrameLength, mirror);
    EXPECT_EQ(r.End, FrameFailed);
    EXPECT_EQ(r.Frames, 0);
    EXPECT_TRUE(mirror.UsedNumbers().empty());
    EXPECT_EQ(prompts.Texts(), QStringList{"Pusta baza."});
}

TEST_P(TableRead, StopAsksTheRegisterToEndAndKeepsWhatCame)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx;
    ASSERT_TRUE(fx.ConnectProgram(GetParam()));
    for (uint8_t n = 1; n <= 6; ++n)
        fx.Emu().PutTableRecord('K', CashierRecord(n, "Kasjer"));
    RegisterTableMirror mirror(20, 324);
    TableReadOptions options;
    options.ProcessEvents = true;
    options.Progress = [](int stored) {
        if (stored == 2)
            Link.AbortRequestFlag = 1;   // as "Anuluj" would
    };
    const TableReadResult r = ReadTableIntoMirror('K', CashierDataFrameLength, mirror, options);
    EXPECT_EQ(r.End, FrameLast);
    EXPECT_EQ(mirror.UsedNumbers(), (std::vector<unsigned>{1, 2, 3}));
    EXPECT_EQ(mirror.Slot(3)[323], 0xC3);
    ASSERT_TRUE(fx.Emu().WaitForFramesWithCommand(0x06, 3, 2000));
    const auto acks = fx.Emu().ReceivedFramesWithCommand(0x06);
    ASSERT_EQ(acks.size(), 3u);
    EXPECT_EQ(acks[2][7], 4);
    EXPECT_FALSE(fx.Emu().SeriesRunning());
    EXPECT_TRUE(prompts.Texts().isEmpty());
}

TEST(TableReadByHand, RecordsWithoutASlotAreSkippedAndAChecksumErrorEndsTheRead)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    PtyPair pty(9);
    OpenHandPlayedLine(pty);

    emu::Bytes spoiled = emu::MakeFrame(1, 5, 'K', CashierRecord(5, "Zly"), 338);
    spoiled[336] ^= 0x5A;
    const std::vector<emu::Bytes> frames = {
        emu::MakeFrame(1, 1, 'K', CashierRecord(2, "Ania"), 338),
        emu::MakeFrame(1, 2, 'K', CashierRecord(0, "Zero"), 338),
        emu::MakeFrame(1, 3, 'K', CashierRecord(21, "Za duzy"), 338),
        emu::MakeFrame(1, 4, 'K', CashierRecord(20, "Ostatni"), 338),
        spoiled,
    };
    std::vector<emu::Bytes> acks;
    std::thread reg([&] { PlayRead(pty, 'K', frames, acks); });
    RegisterTableMirror mirror(20, 324);
    TableReadOptions options;
    options.EndReadOnChecksumError = true;
    const TableReadResult r = ReadTableIntoMirror('K', CashierDataFrameLength, mirror, options);
    reg.join();

    EXPECT_EQ(r.End, FrameChecksumError);
    EXPECT_EQ(r.Frames, 4);
    EXPECT_EQ(r.Stored, 2);
    EXPECT_EQ(mirror.UsedNumbers(), (std::vector<unsigned>{2, 20}));
    ASSERT_EQ(acks.size(), 5u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(acks[i][7], 0);
    EXPECT_EQ(acks[4][7], 1);   // the end-of-read answer to the spoiled frame
    EXPECT_TRUE(prompts.Saw("Błąd CRC!"));
}
