#pragma once
// One fuzz target per place where bytes from outside enter the program. Each takes the bytes
// and returns false when a promise of the code under test broke; faults of memory are the
// sanitizers' to catch. libFuzzer runs them (tests/fuzz/libfuzzer, CMake option RIVO_FUZZ);
// the replay test runs every stored input through them in the ordinary test suite.
#include <cstddef>
#include <cstdint>

// Every target: the folder of its inputs (tests/fuzz/corpus/<name>, tests/fuzz/crashes/<name>)
// and its function.
#define RIVO_FUZZ_TARGETS(X)                                                                           \
    X(database_file, FuzzDatabaseFile) X(settings_file, FuzzSettingsFile) X(link_replies, FuzzLinkReplies)  \
    X(text_helpers, FuzzTextHelpers) X(cp1250, FuzzCp1250) X(emulator_decoder, FuzzEmulatorDecoder)         \
    X(csv_import, FuzzCsvImport) X(rtf, FuzzRtf) X(jpeg_decoder, FuzzJpegDecoder)                           \
    X(graphic_file, FuzzGraphicFile) X(info_record, FuzzInfoRecord) X(copy_stream, FuzzCopyStream)          \
    X(sales_frames, FuzzSalesFrames)

#define RIVO_FUZZ_DECLARE(name, function) bool function(const uint8_t* data, std::size_t size);
RIVO_FUZZ_TARGETS(RIVO_FUZZ_DECLARE)

struct FuzzTarget {
    const char* Name;
    bool (*Run)(const uint8_t*, std::size_t);
};

#define RIVO_FUZZ_TABLE_ENTRY(name, function) {#name, &function},
inline constexpr FuzzTarget AllFuzzTargets[] = {RIVO_FUZZ_TARGETS(RIVO_FUZZ_TABLE_ENTRY)};

// The process-wide set-up the targets share, made once before the first input: an offscreen
// application, a private temporary folder with a database image, and prompts that answer every
// question from a rotating choice.
void FuzzSetUp();
// The answer the next question gets (Yes or No), for targets that let the bytes choose.
void FuzzNextAnswer(bool yes);
