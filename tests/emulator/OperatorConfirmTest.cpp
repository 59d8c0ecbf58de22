// The register's operator: program frames with their confirm byte set wait for a confirmation
// on the register's keyboard.
#include "emulator/RegisterEmulator.h"
#include "tests/emulator/TestClient.h"

#include <gtest/gtest.h>

using namespace testclient;

namespace {

struct Register {
    Register()
    {
        emu.SetReplySink([this](const Bytes& b) { replies.push_back(b); });
    }
    std::vector<Bytes> Send(const Bytes& frame)
    {
        replies.clear();
        emu.Feed(frame.data(), frame.size());
        return replies;
    }
    emu::RegisterEmulator emu;
    std::vector<Bytes> replies;
};

// A payment-form program frame: number, name, type, then the confirm byte.
Bytes PaymentForm(uint8_t number, const char* name, uint8_t type, uint8_t confirm = 0)
{
    Bytes p(24, 0);
    p[0] = number;
    std::memcpy(p.data() + 1, name, std::strlen(name));
    p[22] = type;
    p[23] = confirm;
    return Frame(1, 0x8001, 'F', p, 33);
}

} // namespace

TEST(OperatorConfirm, ConfirmByteHoldsTheRecordUntilTheOperatorConfirms)
{
    Register r;
    EXPECT_TRUE(r.Send(PaymentForm(3, "Bon", 2, 1)).empty());
    EXPECT_TRUE(r.emu.ConfirmPending());
    EXPECT_TRUE(r.emu.TableRecord('F', 3) == Bytes(r.emu.TableRecord('F', 3).size(), 0));
    // Meanwhile the register serves nobody.
    EXPECT_TRUE(r.Send(Probe()).empty());
    EXPECT_TRUE(r.Send(PaymentForm(4, "Czek", 1)).empty());
    r.emu.ConfirmOnKeyboard();
    r.emu.Pump();
    ASSERT_EQ(r.replies.size(), 1u);
    EXPECT_TRUE(IsStatus(r.replies[0], 0x06, 3));
    EXPECT_FALSE(r.emu.ConfirmPending());
    EXPECT_EQ(r.emu.TableRecord('F', 3)[0], 3);
    EXPECT_EQ(r.emu.TableCount('F'), 1u);
    // Served again.
    EXPECT_EQ(r.Send(Probe()).size(), 1u);
}

TEST(OperatorConfirm, ConfirmDelayConfirmsByItself)
{
    Register r;
    r.emu.SetConfirmDelay(0);
    EXPECT_TRUE(r.Send(PaymentForm(1, "Kredyt", 3, 1)).empty());
    EXPECT_EQ(r.emu.Pump(), -1);
    ASSERT_EQ(r.replies.size(), 1u);
    EXPECT_TRUE(IsStatus(r.replies[0], 0x06, 3));
    EXPECT_EQ(r.emu.TableRecord('F', 1)[26], 3);
}
