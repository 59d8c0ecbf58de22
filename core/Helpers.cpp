#include "core/Helpers.h"

#include <cstring>
#include <limits>

std::string FormatHundredths(long long amount)
{
    const bool negative = amount < 0;
    // Through unsigned so that the lowest value does not overflow on negation.
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(amount)
                                            : static_cast<unsigned long long>(amount);
    std::string digits = std::to_string(magnitude);
    while (digits.size() < 3)
        digits.insert(digits.begin(), '0');
    digits.insert(digits.size() - 2, 1, ',');
    return negative ? "-" + digits : digits;
}

void ZeroBuffer(void* buffer, unsigned count)
{
    if (count > 0)
        std::memset(buffer, 0, count);
}

void ZeroBytes(void* buffer, int count)
{
    if (count > 0)
        std::memset(buffer, 0, static_cast<std::size_t>(count));
}

std::string BytesToString(const uint8_t* bytes, std::size_t n)
{
    std::size_t len = 0;
    while (len < n && bytes[len] != 0)
        ++len;
    return std::string(reinterpret_cast<const char*>(bytes), len);
}

std::string IntToStr2(unsigned value)
{
    std::string s = std::to_string(value);
    if (s.size() < 2)
        s.insert(s.begin(), '0');
    return s;
}

namespace {

constexpr std::size_t CsvFieldMax = 42;
constexpr std::size_t TextLineMax = 700;

// Next character, or -1 at the end of the file or on a failed stream.
int NextChar(std::istream& file)
{
    const int c = file.get();
    return file ? static_cast<unsigned char>(c) : -1;
}

std::string TrimBlanks(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits only, accumulated with an overflow check against limit.
bool ParseDigits(const std::string& digits, unsigned long long limit, unsigned long long& value)
{
    if (digits.empty())
        return false;
    unsigned long long v = 0;
    for (char c : digits) {
        if (!IsDigit(c))
            return false;
        const unsigned d = unsigned(c - '0');
        if (v > (limit - d) / 10)
            return false;
        v = v * 10 + d;
    }
    value = v;
    return true;
}

} // namespace

std::string ReadCsvField(std::istream& file, int lineNumber, int fieldNumber)
{
    // Every call starts over from the beginning of the file.
    file.clear();
    file.seekg(0, std::ios::beg);
    if (!file)
        return {};

    for (int lf = 0; lf < lineNumber;) {
        const int c = NextChar(file);
        if (c < 0)
            return {};
        if (c == '\n')
            ++lf;
    }
    for (int sep = 0; sep < fieldNumber;) {
        const int c = NextChar(file);
        if (c < 0)
            return {};
        if (c == '\n')
            return {};
        if (c == ';')
            ++sep;
    }
    std::string field;
    while (field.size() < CsvFieldMax) {
        const int c = NextChar(file);
        if (c < 0 || c == ';' || c == '\n')
            break;
        field.push_back(char(c));
    }
    return field;
}

std::string ReadTextLine(std::istream& file)
{
    std::string line;
    if (file.peek() == std::char_traits<char>::eof())
        return line;
    while (line.size() < TextLineMax) {
        const int c = NextChar(file);
        if (c < 0 || c == '\n')
            break;
        line.push_back(char(c));
    }
    if (const auto cr = line.find('\r'); cr != std::string::npos)
        line.erase(cr, 1);
    return line;
}

std::string CsvFieldOfLine(std::string line, int fieldNumber)
{
    for (int i = 0; i < fieldNumber; ++i) {
        const auto sep = line.find(';');
        if (sep == std::string::npos)
            return {};
        line.erase(0, sep + 1);
    }
    if (const auto sep = line.find(';'); sep != std::string::npos)
        line.erase(sep);
    if (const auto cr = line.find('\r'); cr != std::string::npos)
        line.erase(cr, 1);
    return line;
}

bool ParseUnsigned(const std::string& text, unsigned long long& value)
{
    return ParseDigits(TrimBlanks(text), std::numeric_limits<unsigned long long>::max(), value);
}

bool ParseSigned(const std::string& text, long long& value)
{
    std::string t = TrimBlanks(text);
    bool negative = false;
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        negative = t[0] == '-';
        t.erase(0, 1);
    }
    const unsigned long long limit =
        static_cast<unsigned long long>(std::numeric_limits<long long>::max()) + (negative ? 1 : 0);
    unsigned long long magnitude = 0;
    if (!ParseDigits(t, limit, magnitude))
        return false;
    value = negative ? static_cast<long long>(0ULL - magnitude) : static_cast<long long>(magnitude);
    return true;
}

bool ParseHundredths(const std::string& text, long long& hundredths, HundredthsSyntax syntax)
{
    std::string t = TrimBlanks(text);
    bool negative = false;
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        negative = t[0] == '-';
        t.erase(0, 1);
    }
    const bool rounded = syntax == HundredthsSyntax::CommaRounded;
    std::string whole = t;
    std::string fraction;
    if (const auto sep = t.find_first_of(rounded ? "," : ",."); sep != std::string::npos) {
        whole = t.substr(0, sep);
        fraction = t.substr(sep + 1);
    }
    if (whole.empty() && fraction.empty())
        return false;
    for (char c : fraction)
        if (!IsDigit(c))
            return false;
    const bool roundUp = rounded && fraction.size() > 2 && fraction[2] >= '5';
    fraction.resize(2, '0');

    const unsigned long long limit = static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    unsigned long long units = 0;
    if (!whole.empty() && !ParseDigits(whole, limit / 100, units))
        return false;
    const unsigned long long cents = unsigned(fraction[0] - '0') * 10 + unsigned(fraction[1] - '0');
    const unsigned long long magnitude = units * 100 + cents + (roundUp ? 1 : 0);
    if (magnitude > limit)
        return false;
    hundredths = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return true;
}
