#pragma once
// Code 128 symbols of goods barcodes: the symbol values with subset switching, the module
// string and the 384-bit row the sheet draws.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int Code128StartA = 103;
constexpr int Code128StartB = 104;
constexpr int Code128StartC = 105;
constexpr int Code128Shift = 98;
constexpr int Code128CodeC = 99;
constexpr std::size_t Code128MaxValues = 255;
constexpr int Code128RowBits = 384;
constexpr int Code128RowModules = 284;   // the widest symbol the row takes at one bit a module
inline constexpr const char* Code128StopPattern = "1100011101011";

// The start value for the text from position p: C before a run of more than 4 digits, B at once
// when a lower-case character (96..127) follows a printable one, else A when one follows at all.
int ChooseCode128Start(const std::string& text, std::size_t p);

// The start value and the data values of text. Returns the number of values after the start
// value; -1 (and no values) when the text has no Code 128 form: empty, characters above 127, or
// more than Code128MaxValues values.
int EncodeCode128Values(const std::string& text, std::vector<int>& values);

// Bits per module of a symbol of count data values: 284 div (11 x count + 55); 0 when it does
// not fit.
int Code128ModuleWidth(int count);

// The 11 bar ('1') and space ('0') modules of value 0..105; nullptr for any other value.
const char* Code128PatternLookup(int value);
// The same as text; empty for a value without a pattern.
std::string Code128PatternBits(int value);

// (start + sum of i x value i) mod 103.
int Code128CheckValue(const std::vector<int>& values);

// The module string of the values drawn w bits a module: centring pad, quiet zone, start, data,
// check, stop, quiet zone.
std::string Code128ModuleString(const std::vector<int>& values, int w);

using Code128Row = std::array<uint8_t, Code128RowBits / 8>;
// Each module as w bits, most significant bit first, in a zeroed row.
Code128Row PackCode128Row(const std::string& modules, int w);

// The row of a text; false (and a zero row) when the text has no symbol that fits.
bool Code128RowOfText(const std::string& text, Code128Row& row);
