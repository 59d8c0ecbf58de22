// The libFuzzer entry of one target; RIVO_FUZZ_ENTRY names its function.
#include "tests/fuzz/FuzzTargets.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (!RIVO_FUZZ_ENTRY(data, size))
        std::abort();
    return 0;
}
