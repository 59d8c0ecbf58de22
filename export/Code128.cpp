#include "export/Code128.h"

namespace {

// The symbol patterns of values 0..105, bars and spaces module by module.
const char* const Patterns[106] = {
    "11011001100", "11001101100", "11001100110", "10010011000", "10010001100", "10001001100",
    "10011001000", "10011000100", "10001100100", "11001001000", "11001000100", "11000100100",
    "10110011100", "10011011100", "10011001110", "10111001100", "10011101100", "10011100110",
    "11001110010", "11001011100", "11001001110", "11011100100", "11001110100", "11101101110",
    "11101001100", "11100101100", "11100100110", "11101100100", "11100110100", "11100110010",
    "11011011000", "11011000110", "11000110110", "10100011000", "10001011000", "10001000110",
    "10110001000", "10001101000", "10001100010", "11010001000", "11000101000", "11000100010",
    "10110111000", "10110001110", "10001101110", "10111011000", "10111000110", "10001110110",
    "11101110110", "11010001110", "11000101110", "11011101000", "11011100010", "11011101110",
    "11101011000", "11101000110", "11100010110", "11101101000", "11101100010", "11100011010",
    "11101111010", "11001000010", "11110001010", "10100110000", "10100001100", "10010110000",
    "10010000110", "10000101100", "10000100110", "10110010000", "10110000100", "10011010000",
    "10011000010", "10000110100", "10000110010", "11000010010", "11001010000", "11110111010",
    "11000010100", "10001111010", "10100111100", "10010111100", "10010011110", "10111100100",
    "10011110100", "10011110010", "11110100100", "11110010100", "11110010010", "11011011110",
    "11011110110", "11110110110", "10101111000", "10100011110", "10001011110", "10111101000",
    "10111100010", "11110101000", "11110100010", "10111011110", "10111101110", "11101011110",
    "11110101110", "11010000100", "11010010000", "11010011100",
};

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

std::size_t DigitRun(const std::string& text, std::size_t p)
{
    std::size_t n = 0;
    while (p + n < text.size() && IsDigit(static_cast<unsigned char>(text[p + n])))
        ++n;
    return n;
}

bool LowerRange(unsigned char c) { return c >= 96 && c <= 127; }

// Whether subset A (103) or B (104) can hold c.
bool Holds(int subset, unsigned char c) { return subset == Code128StartA ? c < 96 : c >= 32; }

int ValueIn(int subset, unsigned char c)
{
    if (subset == Code128StartA)
        return c >= 32 ? c - 32 : c + 64;
    return c - 32;
}

} // namespace

int ChooseCode128Start(const std::string& text, std::size_t p)
{
    if (DigitRun(text, p) > 4)
        return Code128StartC;
    bool lower = false;
    for (std::size_t i = p + 1; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!LowerRange(c))
            continue;
        if (static_cast<unsigned char>(text[i - 1]) > 31)
            return Code128StartB;
        lower = true;
    }
    return lower ? Code128StartA : Code128StartB;
}

int EncodeCode128Values(const std::string& text, std::vector<int>& values)
{
    values.clear();
    if (text.empty())
        return -1;
    for (char ch : text)
        if (static_cast<unsigned char>(ch) > 127)
            return -1;

    int subset = ChooseCode128Start(text, 0);
    values.push_back(subset);
    int pending = -1;   // the first digit of a pair in C
    for (std::size_t p = 0; p < text.size(); ++p) {
        const auto c = static_cast<unsigned char>(text[p]);
        if (p > 0) {
            const bool nextDigit = p + 1 < text.size() && IsDigit(static_cast<unsigned char>(text[p + 1]));
            if (subset == Code128StartC && !nextDigit && pending < 0) {
                subset = ChooseCode128Start(text, p);
                values.push_back(204 - subset);
            }
            if (subset != Code128StartC) {
                const std::size_t run = DigitRun(text, p);
                if (run > 4 && run % 2 == 0) {
                    values.push_back(Code128CodeC);
                    subset = Code128StartC;
                }
            }
            if (subset == Code128StartC && !IsDigit(c)) {
                subset = ChooseCode128Start(text, p);
                values.push_back(204 - subset);
            }
        }
        if (subset == Code128StartC) {
            if (pending < 0) {
                pending = c - '0';
            } else {
                values.push_back(pending * 10 + (c - '0'));
                pending = -1;
            }
        } else if (Holds(subset, c)) {
            values.push_back(ValueIn(subset, c));
        } else {
            // One character of the other of A and B; the subset stays.
            values.push_back(Code128Shift);
            values.push_back(ValueIn(subset == Code128StartA ? Code128StartB : Code128StartA, c));
        }
        if (values.size() > Code128MaxValues) {
            values.clear();
            return -1;
        }
    }
    return int(values.size()) - 1;
}

int Code128ModuleWidth(int count)
{
    if (count < 0)
        return 0;
    return Code128RowModules / (11 * count + 55);
}

const char* Code128PatternLookup(int value)
{
    return value >= 0 && value < 106 ? Patterns[value] : nullptr;
}

std::string Code128PatternBits(int value)
{
    const char* p = Code128PatternLookup(value);
    return p ? std::string(p) : std::string();
}

int Code128CheckValue(const std::vector<int>& values)
{
    if (values.empty())
        return 0;
    long sum = values[0];
    for (std::size_t i = 1; i < values.size(); ++i)
        sum += long(i) * values[i];
    return int(sum % 103);
}

std::string Code128ModuleString(const std::vector<int>& values, int w)
{
    if (values.empty() || w <= 0)
        return {};
    const int modules = 11 * (int(values.size()) - 1) + 55;
    const int pad = (Code128RowBits / w - modules) / 2;
    std::string s(pad > 0 ? std::size_t(pad) : 0, '0');
    s += "0000000000";
    for (int v : values)
        s += Code128PatternBits(v);
    s += Code128PatternBits(Code128CheckValue(values));
    s += Code128StopPattern;
    s += "0000000000";
    return s;
}

Code128Row PackCode128Row(const std::string& modules, int w)
{
    Code128Row row{};
    int bit = 0;
    for (char m : modules)
        for (int k = 0; k < w && bit < Code128RowBits; ++k, ++bit)
            if (m == '1')
                row[std::size_t(bit / 8)] |= uint8_t(0x80 >> (bit % 8));
    return row;
}

bool Code128RowOfText(const std::string& text, Code128Row& row)
{
    row.fill(0);
    std::vector<int> values;
    const int count = EncodeCode128Values(text, values);
    const int w = Code128ModuleWidth(count);
    if (count < 0 || w == 0)
        return false;
    row = PackCode128Row(Code128ModuleString(values, w), w);
    return true;
}
