#pragma once
// Byte-level helpers for the core tests.
#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "tests/support/EnvGuard.h"
#include "tests/support/TestEnvironment.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::vector<uint8_t> ImageBytes()
{
    std::vector<uint8_t> bytes(ImageSize);
    DbReadBytesAt(0, bytes.data(), bytes.size());
    return bytes;
}

inline std::vector<uint8_t> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The open database at a glance: its name, the work mode, the modified and saved flags.
inline std::string DatabaseState()
{
    return App.CurrentDatabaseFileName + " mode " + std::to_string(App.WorkMode) + " modified " +
           std::to_string(App.DatabaseModified) + " saved " + std::to_string(App.DatabaseSaved);
}

// A goods record with every field set.
inline GoodsRecordFields SampleGoods(uint16_t plu) { return {plu, "Chleb", "B", 0x01020304, "5907788", 1, 2, 1, 1, 9, 3}; }

inline std::string Text(const std::vector<uint8_t>& bytes, std::size_t at, std::size_t n)
{
    return std::string(reinterpret_cast<const char*>(bytes.data()) + at, n);
}

// Points TEMP at a folder whose working image cannot be replaced (a folder sits in its place).
class BrokenTempFolder {
public:
    explicit BrokenTempFolder(const TestEnvironment& env)
    {
        const std::string folder = env.Path("broken");
        std::filesystem::create_directories(folder + "/" + App.WorkingImageFileName + "/inside");
        ::setenv("TEMP", folder.c_str(), 1);
    }

private:
    EnvGuard temp_{"TEMP"};
};
