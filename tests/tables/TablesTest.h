#pragma once
// Set-up shared by the tables tests: the common includes, goods and quick keys in the image and
// in the register, and image snapshots.
#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "emulator/FrameCodec.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/Cp1250.h"
#include "platform/Modal.h"
#include "tables/GoodsLogic.h"
#include "tables/QuickKeys.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestNames.h"
#include "tests/tables/QtPrinting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

inline std::vector<uint8_t> ImageBytes(uint32_t offset, std::size_t n)
{
    std::vector<uint8_t> b(n);
    DbReadBytesAt(offset, b.data(), n);
    return b;
}

inline std::vector<uint8_t> WholeImage() { return ImageBytes(0, ImageSize); }

// Answers every modal dialog with the runner until the end of the scope.
struct ModalGuard {
    explicit ModalGuard(ModalRunner r) { SetModalRunner(std::move(r)); }
    ~ModalGuard() { SetModalRunner({}); }
};

// A goods record of group 1, VAT A, sold in whole units; callers change what they need.
inline GoodsRecordFields GoodsOf(uint16_t plu, const QString& name, uint32_t price = 100)
{
    GoodsRecordFields f;
    f.Plu = plu;
    f.Name = ToCp1250(name);
    f.VatLetter = "A";
    f.Price = price;
    f.Barcode = "42";
    f.Group = 1;
    f.WholeUnits = 1;
    return f;
}

inline void StoreGoods(const GoodsRecordFields& f) { ASSERT_EQ(WriteGoodsRecordToImage(f), 0); }
inline void StoreGoods(uint16_t plu, const QString& name, uint32_t price = 100) { StoreGoods(GoodsOf(plu, name, price)); }

// A key record with these PLUs at positions 1..5 (entry p sells p units), count fixed.
inline QuickKeyRecord KeyWith(std::vector<uint16_t> plus, uint8_t key = 1, uint8_t endFlag = 0)
{
    QuickKeyRecord r{};
    r[1] = key;
    for (unsigned p = 1; p <= plus.size(); ++p)
        SetQuickKeyEntry(r, p, plus[p - 1], QuickKeyOneUnit * p);
    r[QuickKeyCountByte] = QuickKeyUsedEntries(r);
    r[QuickKeyEndFlagByte] = endFlag;
    return r;
}

inline void StoreKey(unsigned cashier, unsigned key, std::vector<uint16_t> plus, uint8_t endFlag = 0)
{
    ASSERT_TRUE(WriteQuickKeyRecord(KeyWith(std::move(plus), uint8_t(key), endFlag), cashier, key));
}

inline std::vector<uint16_t> PlusOf(const QuickKeyRecord& r)
{
    std::vector<uint16_t> plus;
    for (unsigned p = 1; p <= QuickKeyEntries; ++p)
        plus.push_back(QuickKeyEntryPlu(r, p));
    return plus;
}

inline std::vector<uint8_t> QuickKeyArea() { return ImageBytes(TableOffsets.QuickKeyTable, QuickKeyTableSize); }

inline void RegisterGoods(EmulatorFixture& fx, std::initializer_list<uint16_t> plus)
{
    for (uint16_t plu : plus) {
        emu::Bytes r(emu::RegisterGoodsRecordSize, 0);
        emu::PutU16(r.data(), plu);
        fx.Emu().PutGoodsRecord(r);
    }
}
