#pragma once
// Records for the synchronisation tests: register goods and cashiers as the register keeps
// them, and goods stored in the image.
#include "core/DatabaseImage.h"
#include "emulator/FrameCodec.h"
#include "platform/Cp1250.h"
#include "tables/GoodsLogic.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "tests/support/PtyPair.h"

#include <QString>
#include <cstring>
#include <gtest/gtest.h>

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

// A register goods record with sales on it (the register refuses to delete it).
inline emu::Bytes SoldGoods(uint16_t plu, const char* utf8Name)
{
    emu::Bytes r = RegisterGoods(plu, utf8Name, "", 100);
    emu::PutU32(r.data() + 49, 10000);
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

// Plays a table read on the master end of a pseudo-terminal: takes the request, then sends each
// frame and collects the acknowledgement that follows it.
inline void PlayRead(PtyPair& pty, uint8_t command, const std::vector<emu::Bytes>& frames,
                     std::vector<emu::Bytes>& acks)
{
    const std::vector<uint8_t> request = pty.Read(11, 3000);
    if (request.size() != 11 || request[6] != command)
        return;
    for (const emu::Bytes& f : frames) {
        pty.Write(f);
        const std::vector<uint8_t> ack = pty.Read(10, 1500);
        if (ack.size() != 10)
            return;
        acks.push_back(ack);
    }
}

// Opens the program's COM port on the slave end of pty: the test plays the register by hand.
inline void OpenHandPlayedLine(PtyPair& pty)
{
    ASSERT_TRUE(pty.Ok());
    LinkSettings.LinkType = 0;
    LinkSettings.ComPortNumber = pty.Port();
    ASSERT_EQ(OpenComPort(1, Link.SerialHandle), 0);
}

// The whole database image.
inline std::vector<uint8_t> ImageBytes()
{
    std::vector<uint8_t> bytes(ImageSize);
    DbReadBytesAt(0, bytes.data(), bytes.size());
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
