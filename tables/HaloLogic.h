#pragma once
// The amounts of the HALO table as the window shows and reads them.
#include <QString>
#include <cstdint>

// 100 -> "1,00", 50 -> ",50", 5 -> ",05", 0 -> ",0".
QString HaloAmountText(uint32_t hundredths);
// "12,5" / "12.5" -> 1250, rounded half up to the hundredth; false for anything that is not a
// plain non-negative number or does not fit 32 bits of hundredths (at most 42949672,95).
bool ParseHaloAmount(const QString& text, uint32_t& hundredths);
