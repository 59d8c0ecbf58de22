#pragma once
// Plain pieces of the small register windows: the function-key codes, the sales quick-key
// bytes, and the texts filled to their frame fields.
#include <QString>
#include <cstdint>
#include <string>

// The report function a function-key choice item stands for: item 0 ("Brak funkcji") 16,
// items 1..15 their own number, items 16..22 item + 9.
uint8_t FunctionKeyCode(int item);
constexpr int FunctionKeyChoiceCount = 23;

// The four key bytes of a sales quick key: cashier, key, function item, kind item.
uint32_t SalesQuickKeyBytes(uint8_t cashier, uint8_t key, uint8_t function, uint8_t kind);

// The text in code page 1250 filled after it with fill up to width (never cut).
std::string FilledText(const QString& text, char fill, std::size_t width);
