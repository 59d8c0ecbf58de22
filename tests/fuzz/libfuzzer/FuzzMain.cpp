// The libFuzzer entry of one target; RIVO_FUZZ_ENTRY names its function.
#include "tests/fuzz/FuzzTargets.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

// The set-up moves to a folder of its own, so the paths the fuzzer was given (corpus folders,
// -artifact_prefix=) are made absolute first. The set-up waits for the first input: a process
// that only starts others (-merge=1) keeps the folder its own relative name needs.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    const std::string prefix = "-artifact_prefix=";
    for (int i = 1; i < *argc; ++i) {
        const std::string arg = (*argv)[i];
        const std::size_t at = arg.rfind(prefix, 0) == 0 ? prefix.size() : arg[0] == '-' ? arg.npos : 0;
        if (at < arg.size())
            (*argv)[i] = strdup((arg.substr(0, at) + std::filesystem::absolute(arg.substr(at)).string()).c_str());
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    FuzzSetUp();
    if (!RIVO_FUZZ_ENTRY(data, size))
        std::abort();
    return 0;
}
