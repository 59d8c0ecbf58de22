#pragma once
// The quick keys set beside the register's: ten keys for each of ten cashiers, 34 bytes a key.
#include "tables/QuickKeys.h"

#include <QStringList>

#include <array>
#include <cstdint>

// A 'S' answer: one frame per key, laid out as the program frame.
constexpr std::size_t QuickKeyFrameLength = 44;

class RegisterQuickKeys {
public:
    void Clear() { bytes_.fill(0); }
    // Keeps the record of a 'S' answer (cashier, key, then record bytes 2..33); a cashier or key
    // outside 1..10 is skipped (false).
    bool Take(const uint8_t* payload);
    // The key's 34 bytes; all zero when the register sent none.
    const uint8_t* Key(unsigned cashier, unsigned key) const;

private:
    std::array<uint8_t, QuickKeyTableUsedSize> bytes_{};
};

// The lines that describe a key: each goods entry in use (number, name, quantity), then whether
// the key closes the receipt.
QStringList QuickKeyDescription(const uint8_t* record);
