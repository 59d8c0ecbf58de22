#pragma once
// The quick keys set beside the register's: ten keys for each of ten cashiers, 34 bytes a key.
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

constexpr unsigned QuickKeyCashiers = 10;
constexpr unsigned QuickKeysPerCashier = 10;
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
    std::array<uint8_t, QuickKeyCashiers * QuickKeysPerCashier * 34> bytes_{};
};

// The image's record of cashier c, key k.
std::array<uint8_t, 34> ReadImageQuickKey(unsigned cashier, unsigned key);

// The lines that describe a key: each goods entry in use (number, name, quantity), then whether
// the key closes the receipt.
QStringList QuickKeyDescription(const uint8_t* record);

// The names of cashiers 1..10 for the cashier choices (the slot number for an empty slot).
QStringList QuickKeyCashierNames();
