// The CSV import's reader over any bytes. It checks a file into a staged copy of its table and
// must never write the image, nor read or write outside the staged area.
#include "export/DatabaseCsv.h"
#include "tests/core/CoreTestUtil.h"
#include "tests/fuzz/FuzzTargets.h"

#include <algorithm>
#include <string>
#include <vector>

bool FuzzCsvImport(const uint8_t* data, std::size_t size)
{
    const std::vector<uint8_t> before = ImageBytes();
    const CsvImportCheck check = CheckCsvImport(std::string(reinterpret_cast<const char*>(data), size));
    if (!check.Errors.empty() && CsvImportRefusal(check.Errors).isEmpty())
        return false;  // a refusal always says why
    if (!check.Recognised)
        return check.RecordLines == 0;
    // The check only stages: the image stays as it was, and a file without record lines stages
    // the table unchanged.
    if (ImageBytes() != before)
        return false;
    const auto area = before.begin() + CsvAreaOffset(check.Table);
    const std::size_t areaSize = std::size_t(CsvSlotCount(check.Table)) * CsvRecordSize(check.Table);
    return check.Staged.size() == areaSize
        && (check.RecordLines > 0 || std::equal(check.Staged.begin(), check.Staged.end(), area));
}
