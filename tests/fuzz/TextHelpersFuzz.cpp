// The text and number helpers that read what the user types and what files hold.
#include "core/Helpers.h"
#include "tests/fuzz/FuzzTargets.h"

#include <sstream>
#include <string>

bool FuzzTextHelpers(const uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    bool ok = true;

    long long hundredths = 0;
    if (ParseHundredths(text, hundredths) && hundredths >= 0) {
        // An amount read back from its own display form is the same amount.
        long long again = -1;
        ok = ok && ParseHundredths(FormatHundredths(hundredths), again) && again == hundredths;
    }
    unsigned long long u = 0;
    if (ParseUnsigned(text, u))
        ok = ok && std::to_string(u).size() <= text.size();
    long long s = 0;
    ParseSigned(text, s);

    std::istringstream lines(text);
    for (int i = 0; i < 4 && lines; ++i)
        ok = ok && ReadTextLine(lines).size() <= 700;
    std::istringstream csv(text);
    ok = ok && ReadCsvField(csv, 1 + (size % 3), 1 + (size % 5)).size() <= 42;
    CsvFieldOfLine(text, int(size % 7));
    ok = ok && BytesToString(data, size).size() <= size;
    return ok;
}
