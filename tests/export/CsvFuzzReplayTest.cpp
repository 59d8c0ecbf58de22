// Replays the CSV reader's fuzz corpus (and past crash inputs kept there) through its fuzz entry
// point, so that a regression shows without a fuzzer.
#include "tests/support/TestEnvironment.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

TEST(CsvImportFuzz, CorpusReplays)
{
    TestEnvironment env;
    const std::filesystem::path corpus =
        std::filesystem::path(__FILE__).parent_path().parent_path() / "fuzz" / "corpus" / "csv_import";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0)
            << entry.path();
        ++files;
    }
    EXPECT_GE(files, 5);
}
