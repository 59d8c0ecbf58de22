// Every stored fuzz input (the corpus and every past crash) replayed through its target, so
// that a regression shows without a fuzzer installed.
#include "tests/fuzz/FuzzTargets.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

class FuzzReplay : public testing::TestWithParam<FuzzTarget> {};

std::string TargetName(const testing::TestParamInfo<FuzzTarget>& info) { return info.param.Name; }

} // namespace

TEST_P(FuzzReplay, StoredInputsKeepTheirPromises)
{
    FuzzSetUp();
    const FuzzTarget& target = GetParam();
    std::size_t inputs = 0;
    for (const char* kind : {"corpus", "crashes"}) {
        const fs::path folder = fs::path(RIVO_FUZZ_DIR) / kind / target.Name;
        if (!fs::is_directory(folder))
            continue;
        for (const auto& entry : fs::directory_iterator(folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            EXPECT_TRUE(target.Run(bytes.data(), bytes.size())) << entry.path();
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 0u) << "no stored inputs for " << target.Name;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, testing::ValuesIn(AllFuzzTargets), TargetName);
