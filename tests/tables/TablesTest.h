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
#include "tables/SmallTableWidgets.h"
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
#include <QTableWidget>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

// What every window says when there is no usable image.
inline const QString FileClosed = QStringLiteral("     Plik zamknięty.     ");

// Selects the grid row showing record number.
inline void SelectNumber(QTableWidget* grid, unsigned number)
{
    for (int r = 0; r < grid->rowCount(); ++r)
        if (GridCell(grid, r, 0) == QString::number(number))
            return SelectGridRow(grid, r);
    ADD_FAILURE() << "no row " << number;
}

// A fresh image and scripted answers to every prompt, for the life of a test.
struct TablesSetUp {
    TestEnvironment env;
    ScriptedPrompts prompts;
};
class TablesTest : public ::testing::Test, protected TablesSetUp {};
// The same with a register on a serial line.
class TablesRegisterTest : public TablesTest {
protected:
    void SetUp() override { ASSERT_TRUE(fx.ConnectLink(false)); }
    EmulatorFixture fx;
};
// The same for a test run over serial (false) and TCP (true).
class TablesLinkTest : public ::testing::TestWithParam<bool>, protected TablesSetUp {};

inline std::vector<uint8_t> ImageBytes(uint32_t offset, std::size_t n)
{
    std::vector<uint8_t> b(n);
    DbReadBytesAt(offset, b.data(), n);
    return b;
}

inline std::vector<uint8_t> WholeImage() { return ImageBytes(0, ImageSize); }

// Faults with this one field set, e.g. Fault(&emu::Faults::SilentRequests, 1).
inline emu::Faults Fault(int emu::Faults::*field, int value)
{
    emu::Faults f;
    f.*field = value;
    return f;
}

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

// A goods record as the register keeps it: VAT B, 123,45, group 2, packaging 3, fixed price,
// HALO 4, and sales counters the image does not keep.
inline emu::Bytes RegisterGoodsRecord(uint16_t plu, const char* name, const char* barcode13, uint8_t unit = 0)
{
    emu::Bytes r(emu::RegisterGoodsRecordSize, 0);
    emu::PutU16(r.data(), plu);
    std::memcpy(r.data() + 2, name, std::strlen(name));
    r[44] = 'B';
    emu::PutU32(r.data() + 45, 12345);
    std::fill(r.begin() + 49, r.begin() + 57, 0xEE);
    std::memcpy(r.data() + 57, barcode13, 13);
    const uint8_t flags[] = {2, 3, 1, 0, 4, 0xE5};
    std::memcpy(r.data() + 70, flags, sizeof flags);
    r[81] = unit;
    return r;
}

inline void RegisterGoods(EmulatorFixture& fx, std::initializer_list<uint16_t> plus)
{
    for (uint16_t plu : plus) {
        emu::Bytes r(emu::RegisterGoodsRecordSize, 0);
        emu::PutU16(r.data(), plu);
        fx.Emu().PutGoodsRecord(r);
    }
}
