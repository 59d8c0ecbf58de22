// libFuzzer target: the CSV import's reader over any bytes. It checks a file into a staged copy
// of its table and must never read or write outside it; the GoogleTest replay of the corpus in
// tests/export calls this same entry point.
#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "export/DatabaseCsv.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// A default image in a private temporary folder, unless the caller has one open.
void EnsureImage()
{
    if (DatabaseImage.Usable())
        return;
    char folder[] = "/tmp/rivo-fuzz-XXXXXX";
    if (!::mkdtemp(folder))
        std::abort();
    ::setenv("TEMP", folder, 1);
    InitTableOffsets();
    if (CreateDatabaseImage() != 0)
        std::abort();
    App.WorkMode = WorkModeDatabase;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    EnsureImage();
    const CsvImportCheck check = CheckCsvImport(std::string(reinterpret_cast<const char*>(data), size));
    if (check.Recognised && check.Staged.size() != std::size_t(CsvSlotCount(check.Table)) * CsvRecordSize(check.Table))
        std::abort();
    if (!check.Errors.empty() && CsvImportRefusal(check.Errors).isEmpty())
        std::abort();
    return 0;
}
