// The database file loader: a saved default database with the bytes laid over its head, its
// goods or its tables (or anywhere, the file then ending after them), loaded with either
// register model connected. Byte 0 chooses the model (bit 0), the region (bits 1-2) and whether
// the bytes repeat to the region's end (bit 3); bytes 1-3 the offset within the region.
#include "core/DatabaseFiles.h"
#include "core/GoodsArea.h"
#include "tests/core/CoreTestUtil.h"
#include "tests/fuzz/FuzzTargets.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t TablesOffset = GoodsTableOffset + GoodsAreaSize;

// The goods of the file as the image must hold them: as they were, or moved from the other
// model's spacing to the current one (bytes 0..67 of each stored record, the rest zero).
bool GoodsLoaded(const uint8_t* was, const uint8_t* now)
{
    if (std::equal(now, now + GoodsAreaSize, was))
        return true;
    const uint8_t size = App.GoodsRecordSize;
    const uint8_t other = size == DefaultGoodsRecordSize ? TepoDuxGoodsRecordSize : DefaultGoodsRecordSize;
    const unsigned both = std::min(GoodsCountForRecordSize(size), GoodsCountForRecordSize(other));
    std::vector<uint8_t> wanted(GoodsAreaSize, 0);
    for (unsigned s = 0; s < both; ++s) {
        const uint8_t* record = was + std::size_t(s) * other;
        if (record[0] != 0 || record[1] != 0)
            std::copy(record, record + GoodsField::WrittenSize, wanted.begin() + std::ptrdiff_t(s) * size);
    }
    return std::equal(wanted.begin(), wanted.end(), now);
}

} // namespace

bool FuzzDatabaseFile(const uint8_t* data, std::size_t size)
{
    static std::vector<uint8_t> saved = [] {  // the default image, as a save writes it
        std::vector<uint8_t> image = ImageBytes();
        std::memcpy(image.data(), DatabaseFileMagic, 16);
        return image;
    }();
    if (size < 4)
        return true;
    const uint8_t mode = data[0];
    App.GoodsRecordSize = (mode & 1) ? TepoDuxGoodsRecordSize : DefaultGoodsRecordSize;
    App.MaxGoodsCount = GoodsCountForRecordSize(App.GoodsRecordSize);
    const int region = (mode >> 1) & 3;
    const std::size_t bounds[4][2] = {
        {0, GoodsTableOffset}, {GoodsTableOffset, TablesOffset}, {TablesOffset, DatabaseFileSize}, {0, DatabaseFileSize}};
    const auto [start, end] = bounds[region];
    const bool repeat = mode & 8, cut = region == 3 && !repeat;
    const std::size_t at = start + (data[1] | std::size_t(data[2]) << 8 | std::size_t(data[3]) << 16) % (end - start);
    const std::size_t n = size - 4, stop = repeat ? end : cut ? at + n : std::min(at + n, end);
    std::vector<uint8_t> file = saved;
    if (cut)
        file.resize(stop);
    for (std::size_t i = at; n > 0 && i < stop; ++i)
        file[i] = data[4 + (i - at) % n];

    const std::vector<uint8_t> sent = file;
    const bool oldFormat = file.size() >= 16 && std::memcmp(file.data(), OldDatabaseFileMagic, 16) == 0;
    const bool loadable = file.size() == DatabaseFileSize && !oldFormat;
    if (LoadDatabaseBytes(std::move(file), "fuzz.rkb") != 0)
        return !loadable;  // refused only for its length or its older format
    if (!loadable || App.CurrentDatabaseFileName != "fuzz.rkb")
        return false;
    // The head and the tables are the file's; the goods are the file's at the current spacing.
    const std::vector<uint8_t> image = ImageBytes();
    return std::equal(image.begin(), image.begin() + GoodsTableOffset, sent.begin())
        && std::equal(image.begin() + TablesOffset, image.end(), sent.begin() + TablesOffset)
        && GoodsLoaded(sent.data() + GoodsTableOffset, image.data() + GoodsTableOffset);
}
