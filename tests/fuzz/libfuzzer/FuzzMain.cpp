// The libFuzzer entry of one target; RIVO_FUZZ_ENTRY names its function.
#include "tests/fuzz/FuzzTargets.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

// The targets work in a folder of their own, so every path the fuzzer is given (the corpus
// folders, the artifact prefix, ...) is made absolute before the first input runs.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static const char* const pathFlags[] = {"-artifact_prefix=", "-exact_artifact_path=", "-dict=",
                                            "-merge_control_file=", "-seed_inputs="};
    for (int i = 1; i < *argc; ++i) {
        std::string arg = (*argv)[i];
        std::string flag;
        for (const char* f : pathFlags)
            if (arg.rfind(f, 0) == 0)
                flag = f;
        if (arg.empty() || (arg[0] == '-' && flag.empty()))
            continue;
        const std::string path = arg.substr(flag.size());
        if (path.empty() || path[0] == '@' || path.find(',') != std::string::npos)
            continue;  // lists of files are left as given
        const std::string absolute = flag + std::filesystem::absolute(path).string();
        (*argv)[i] = strdup(absolute.c_str());  // lives as long as the process
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (!RIVO_FUZZ_ENTRY(data, size))
        std::abort();
    return 0;
}
