// The register's quick-key command: programming one key of a cashier.
#include "emulator/EmulatorState.h"

#include <algorithm>

namespace emu {

namespace {

enum : uint8_t {
    ErrCashierNumber = 18,
    ErrKeyNumber = 65,
    ErrNoSuchGoods = 66,
    ErrWholeUnitsOnly = 67,
    ErrReceiptEndFlag = 68,
};

} // namespace

Reply RegisterEmulator::Impl::ProgramQuickKey(const Request& rq)
{
    const uint8_t* p = rq.payload(); // cashier, key, quick key record bytes 2..33
    if (p[0] < 1 || p[0] > 10)
        return Error(ErrCashierNumber);
    if (p[1] < 1 || p[1] > 10)
        return Error(ErrKeyNumber);
    // Each goods entry (PLU, quantity in ten-thousandths) must name goods the register has.
    for (int i = 0; i < 5; ++i) {
        const uint16_t plu = GetU16(p + 3 + 6 * i);
        if (plu == 0)
            continue;
        auto it = goods.find(plu);
        if (it == goods.end())
            return Error(ErrNoSuchGoods);
        if (it->second[goodsrec::WholeUnits] != 0 && GetU32(p + 5 + 6 * i) % 10000 != 0)
            return Error(ErrWholeUnitsOnly);
    }
    if (p[33] > 1)
        return Error(ErrReceiptEndFlag);
    Bytes rec(34, 0);
    std::copy_n(p, 34, rec.begin());
    quickKeys[static_cast<uint16_t>(p[0] * 256 + p[1])] = rec;
    return Accepted(rq);
}

} // namespace emu
