// The one table read every synchronisation window uses: the mirror's slots, and the read against
// a register played by hand (the windows' tests read through it from the emulator).
#include "emulator/FrameCodec.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "sync/TableRead.h"
#include "tests/support/PtyPair.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"
#include "tests/sync/SyncTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace {

// A record whose last byte is set, to see that the whole record travels.
emu::Bytes GoodsRecord(uint16_t plu, const char* name)
{
    emu::Bytes r = RegisterGoods(plu, name, "", 1);
    r[82] = 0x5C;
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

TEST(TableReadByHand, SkipsNumbersWithoutASlotAndKeepsWhatCameBeforeAChecksumError)
{
    TestEnvironment env;
    ScriptedPrompts prompts;
    PtyPair pty(9);
    OpenHandPlayedLine(pty);

    emu::Bytes spoiled = emu::MakeFrame(1, 4, 'T', GoodsRecord(5, "Zly"), 92);
    spoiled[90] ^= 0x5A;
    const std::vector<emu::Bytes> frames = {emu::MakeFrame(1, 1, 'T', GoodsRecord(0, "Zero"), 92),
                                            emu::MakeFrame(1, 2, 'T', GoodsRecord(8001, "Za duzy"), 92),
                                            emu::MakeFrame(1, 3, 'T', GoodsRecord(8000, "Ostatni"), 92), spoiled};
    std::vector<emu::Bytes> acks;
    std::thread reg([&] { PlayRead(pty, 'T', frames, acks); });
    RegisterTableMirror mirror(8000, 83, RegisterTableMirror::Key::Word);
    TableReadOptions options;
    options.EndReadOnChecksumError = true;
    const TableReadResult r = ReadTableIntoMirror('T', GoodsDataFrameLength, mirror, options);
    reg.join();

    // Numbers without a slot are skipped; what came before the checksum error stays.
    EXPECT_EQ(r.End, FrameChecksumError);
    EXPECT_EQ(r.Frames, 3);
    EXPECT_EQ(r.Stored, 1);
    EXPECT_EQ(mirror.UsedNumbers(), std::vector<unsigned>{8000});
    EXPECT_EQ(mirror.Slot(8000)[82], 0x5C);
    ASSERT_EQ(acks.size(), 4u);
    EXPECT_EQ(acks[3][7], 1);   // the end-of-read answer to the spoiled frame
    EXPECT_TRUE(prompts.Saw("Błąd CRC!"));
}
