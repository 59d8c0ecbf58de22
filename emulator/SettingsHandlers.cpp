// The register's settings commands that check what they are given: the configuration record,
// the record currency and the manager password.
#include "emulator/EmulatorState.h"

#include <algorithm>
#include <ctime>

namespace emu {

namespace {

enum : uint8_t {
    ErrLength = 2,
    ErrCurrencyRate = 33,
    ErrCurrencySymbol = 34,
    ErrPastDate = 83,
    ErrSettingsWrite = 110,
};

// The choices of the configuration record: byte, lowest and highest value. The numbers typed
// (bytes 3, 4, 7-10, 18, 19) are the register's to clamp and are taken as they come.
struct ChoiceRange {
    std::size_t byte;
    uint8_t low, high;
};
constexpr ChoiceRange ConfigurationChoices[] = {
    {0, 1, 9},  {1, 0, 1},  {2, 0, 1},  {5, 0, 1},  {6, 0, 1},  {11, 0, 2}, {12, 0, 1}, {13, 0, 1},
    {14, 0, 1}, {15, 0, 1}, {16, 0, 1}, {17, 1, 5}, {20, 0, 1}, {21, 0, 1}, {22, 0, 1}, {23, 0, 1},
    {24, 0, 2}, {25, 0, 1}, {26, 0, 1},
};

} // namespace

Reply RegisterEmulator::Impl::ProgramConfiguration(const Request& rq)
{
    // Each model takes the record of its own length only.
    if (rq.length != (model == Model::Rivo ? 36u : 31u))
        return Error(ErrLength);
    const std::size_t size = rq.length - 9;
    const uint8_t* p = rq.payload();
    // Chosen: a choice naming no item refuses the whole record ("settings write error").
    for (const ChoiceRange& c : ConfigurationChoices)
        if (c.byte < size && (p[c.byte] < c.low || p[c.byte] > c.high))
            return Error(ErrSettingsWrite);
    Bytes& stored = settings[0x03];
    std::copy_n(p, size, stored.begin());
    return Accepted(rq);
}

Reply RegisterEmulator::Impl::ProgramRecordCurrency(const Request& rq)
{
    const uint8_t* p = rq.payload(); // rate, decimals, symbol, constant, flag, date
    for (int i = 5; i < 8; ++i)
        if (p[i] == 0)
            return Error(ErrCurrencySymbol);
    if (std::all_of(p + 5, p + 8, [](uint8_t c) { return c == ' '; }))
        return Error(ErrCurrencySymbol);
    if (GetU32(p) == 0)
        return Error(ErrCurrencyRate);
    // Chosen: a change dated before the register's (the host's) today is refused.
    std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    const long wanted = long(GetU16(p + 10)) * 10000 + p[12] * 100 + p[13];
    const long current = long(today.tm_year + 1900) * 10000 + (today.tm_mon + 1) * 100 + today.tm_mday;
    if (wanted < current)
        return Error(ErrPastDate);
    return StoreSetting(rq);
}

Reply RegisterEmulator::Impl::ProgramManagerPassword(const Request& rq)
{
    const uint8_t* p = rq.payload(); // old password (10), new password (10), confirmation flag
    // Chosen: a wrong old password is refused as a settings write error; the register starts
    // with a blank password.
    if (!std::equal(p, p + 10, managerPassword.begin()))
        return Error(ErrSettingsWrite);
    managerPassword.assign(p + 10, p + 20);
    return StoreSetting(rq);
}

} // namespace emu
