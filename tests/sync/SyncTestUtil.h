#pragma once
// Set-up for the synchronisation tests: the common includes, the emulator over either link,
// register goods and cashiers as the register keeps them, and records stored in the image.
#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "emulator/FrameCodec.h"
#include "platform/Cp1250.h"
#include "tables/GoodsLogic.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "sync/CheckListBox.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestNames.h"
#include "tests/tables/QtPrinting.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <cstring>
#include <gtest/gtest.h>

#define INSTANTIATE_OVER_BOTH_LINES(Suite) \
    INSTANTIATE_TEST_SUITE_P(Links, Suite, ::testing::Values(false, true), LinkName)

// A window test against the emulator, once over a pseudo-terminal and once over loopback TCP.
class SyncLinkTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { ASSERT_TRUE(fx.ConnectLink(GetParam())); }
    TestEnvironment env;
    ScriptedPrompts prompts;
    EmulatorFixture fx;
};

// A record of size bytes: number, name at 1, the rest zero.
inline emu::Bytes Record(std::size_t size, uint8_t number, const char* name)
{
    emu::Bytes r(size, 0);
    r[0] = number;
    std::memcpy(r.data() + 1, name, std::strlen(name));
    return r;
}

// The program frames with this command the register got; the 11-byte frames are read requests.
inline std::vector<emu::Bytes> ProgramFrames(emu::RegisterEmulator& e, uint8_t command)
{
    std::vector<emu::Bytes> frames = e.ReceivedFramesWithCommand(command);
    std::erase_if(frames, [](const emu::Bytes& f) { return f.size() <= 11; });
    return frames;
}

// The frame numbers of these frames, in order.
inline std::vector<uint16_t> FrameNumbers(const std::vector<emu::Bytes>& frames)
{
    std::vector<uint16_t> numbers;
    for (const emu::Bytes& f : frames)
        numbers.push_back(emu::GetU16(f.data() + 4));
    return numbers;
}

// An 83-byte register goods record: PTU 'B', never sold, whole units.
inline emu::Bytes RegisterGoods(uint16_t plu, const char* utf8Name, const char* barcode13, uint32_t price)
{
    emu::Bytes r(83, 0);
    emu::PutU16(r.data(), plu);
    const std::string name = ToCp1250(QString::fromUtf8(utf8Name));
    std::memcpy(r.data() + 2, name.data(), std::min<std::size_t>(name.size(), 42));
    r[44] = 'B';
    emu::PutU32(r.data() + 45, price);
    std::memcpy(r.data() + 57, barcode13, std::strlen(barcode13));
    r[73] = 1;
    r[79] = 24;
    return r;
}

// A 324-byte register cashier record.
inline emu::Bytes RegisterCashier(uint8_t n, const char* utf8Name)
{
    emu::Bytes r(324, 0);
    r[0] = n;
    const std::string name = ToCp1250(QString::fromUtf8(utf8Name));
    std::memcpy(r.data() + 1, name.data(), std::min<std::size_t>(name.size(), 21));
    return r;
}

inline GoodsRecordFields GoodsFields(uint16_t plu, const char* utf8Name)
{
    GoodsRecordFields f;
    f.Plu = plu;
    f.Name = ToCp1250(QString::fromUtf8(utf8Name));
    f.VatLetter = "A";
    f.Price = 250;
    f.Barcode = "5907788";
    f.Group = 1;
    f.WholeUnits = 1;
    return f;
}

inline void StoreGoods(uint16_t plu, const char* utf8Name)
{
    ASSERT_EQ(WriteGoodsRecordToImage(GoodsFields(plu, utf8Name)), 0);
}

// n bytes of the database image from at; by default the whole image.
inline std::vector<uint8_t> ImageBytes(uint32_t at = 0, uint32_t n = ImageSize)
{
    std::vector<uint8_t> bytes(n);
    DbReadBytesAt(at, bytes.data(), n);
    return bytes;
}

// Nothing but bytes at .. at + n - 1 differ between the two images.
inline void ExpectOnlyChanged(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after, uint32_t at,
                              uint32_t n)
{
    for (uint32_t i = 0; i < before.size(); ++i)
        if (i < at || i >= at + n) {
            ASSERT_EQ(after[i], before[i]) << "offset " << i;
        }
}
