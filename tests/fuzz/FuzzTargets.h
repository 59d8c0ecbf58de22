#pragma once
// One fuzz target per place where bytes from outside enter the program. Each takes the bytes
// and returns false when a promise of the code under test broke; faults of memory are the
// sanitizers' to catch. libFuzzer runs them (tests/fuzz/libfuzzer, CMake option RIVO_FUZZ);
// the replay test runs every stored input through them in the ordinary test suite.
#include <cstddef>
#include <cstdint>
#include <vector>

bool FuzzDatabaseFile(const uint8_t* data, std::size_t size);
bool FuzzSettingsFile(const uint8_t* data, std::size_t size);
bool FuzzLinkReplies(const uint8_t* data, std::size_t size);
bool FuzzTextHelpers(const uint8_t* data, std::size_t size);
bool FuzzCp1250(const uint8_t* data, std::size_t size);
bool FuzzEmulatorDecoder(const uint8_t* data, std::size_t size);
bool FuzzCsvImport(const uint8_t* data, std::size_t size);
bool FuzzRtf(const uint8_t* data, std::size_t size);
bool FuzzJpegDecoder(const uint8_t* data, std::size_t size);
bool FuzzGraphicFile(const uint8_t* data, std::size_t size);
bool FuzzInfoRecord(const uint8_t* data, std::size_t size);
bool FuzzCopyStream(const uint8_t* data, std::size_t size);
bool FuzzSalesFrames(const uint8_t* data, std::size_t size);

struct FuzzTarget {
    const char* Name;  // the folder of its corpus under tests/fuzz/corpus and tests/fuzz/crashes
    bool (*Run)(const uint8_t*, std::size_t);
};

inline constexpr FuzzTarget AllFuzzTargets[] = {
    {"database_file", &FuzzDatabaseFile}, {"settings_file", &FuzzSettingsFile},
    {"link_replies", &FuzzLinkReplies},   {"text_helpers", &FuzzTextHelpers},
    {"cp1250", &FuzzCp1250},              {"emulator_decoder", &FuzzEmulatorDecoder},
    {"csv_import", &FuzzCsvImport},       {"rtf", &FuzzRtf},
    {"jpeg_decoder", &FuzzJpegDecoder},   {"graphic_file", &FuzzGraphicFile},
    {"info_record", &FuzzInfoRecord},     {"copy_stream", &FuzzCopyStream},
    {"sales_frames", &FuzzSalesFrames},
};

// The process-wide set-up the targets share: an offscreen application, a private temporary
// folder with a database image, and prompts that answer every question from a rotating choice.
void FuzzSetUp();
// The answer the next question gets (Yes or No), for targets that let the bytes choose.
void FuzzNextAnswer(bool yes);
// The whole database image as it stands.
std::vector<uint8_t> FuzzImage();
