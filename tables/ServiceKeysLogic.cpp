#include "tables/ServiceKeysLogic.h"

#include "platform/Cp1250.h"

uint8_t FunctionKeyCode(int item)
{
    if (item <= 0 || item >= FunctionKeyChoiceCount)
        return 16;
    return uint8_t(item <= 15 ? item : item + 9);
}

uint32_t SalesQuickKeyBytes(uint8_t cashier, uint8_t key, uint8_t function, uint8_t kind)
{
    return uint32_t(cashier) | uint32_t(key) << 8 | uint32_t(function) << 16 | uint32_t(kind) << 24;
}

std::string FilledText(const QString& text, char fill, std::size_t width)
{
    std::string s = ToCp1250(text);
    if (s.size() < width)
        s.append(width - s.size(), fill);
    return s;
}
