#pragma once
// Text, number and CSV helpers shared by the windows. Texts are cp1250 byte strings.
#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>

// Little-endian integers in a record or frame.
inline uint16_t RecordU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t RecordU32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

// 123 -> "1,23"; 5 -> "0,05"; 0 -> "0,00".
std::string FormatHundredths(long long amount);
void ZeroBuffer(void* buffer, unsigned count);
void ZeroBytes(void* buffer, int count);
// The n bytes as text, up to the first NUL among them.
std::string BytesToString(const uint8_t* bytes, std::size_t n);
// 7 -> "07"; 123 -> "123".
std::string IntToStr2(unsigned value);
// Field m of line n of the stream (at most 42 characters); empty when there is none.
std::string ReadCsvField(std::istream& file, int lineNumber, int fieldNumber);
// Next line (at most 700 characters) without its LF and its first CR; empty at the end.
std::string ReadTextLine(std::istream& file);
// Field n of a line, cut at the next ';', without its first CR; empty when there is none.
std::string CsvFieldOfLine(std::string line, int fieldNumber);

// Exact parsing of what the user types (no binary floating point, no locale).
// A whole number of digits only (an optional leading sign for signed), with no overflow.
bool ParseUnsigned(const std::string& text, unsigned long long& value);
bool ParseSigned(const std::string& text, long long& value);
// A decimal amount "12,5" / "12.5" / "0,005" as hundredths, truncated towards zero below the
// hundredth; false when the text is not a number or is too large. A leading '-' gives a
// negative amount, so that callers can show their range message. Blanks around are ignored.
// In files (CommaRounded) only the comma separates the decimals ("1.234" is a Polish thousands
// form, not a number) and below the hundredth rounds half up.
enum class HundredthsSyntax { Typed, CommaRounded };
bool ParseHundredths(const std::string& text, long long& hundredths,
                     HundredthsSyntax syntax = HundredthsSyntax::Typed);
