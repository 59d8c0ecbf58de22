// The database file loader: a whole file of any length, or goods areas of any content inside a
// file of the right length, loaded with either register model connected.
#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "core/GoodsArea.h"
#include "tests/fuzz/FuzzTargets.h"

#include <algorithm>
#include <vector>

bool FuzzDatabaseFile(const uint8_t* data, std::size_t size)
{
    FuzzSetUp();
    if (size == 0)
        return true;
    const uint8_t mode = data[0];
    App.GoodsRecordSize = (mode & 1) ? TepoDuxGoodsRecordSize : DefaultGoodsRecordSize;
    App.MaxGoodsCount = GoodsCountForRecordSize(App.GoodsRecordSize);
    std::vector<uint8_t> file;
    if (mode & 2) {
        file.assign(data + 1, data + size);  // the whole file, its length included
    } else {
        // The goods area repeats the bytes, so that short inputs fill many slots.
        file.assign(DatabaseFileSize, 0);
        if (size > 1)
            for (std::size_t i = 0; i < GoodsAreaSize; ++i)
                file[GoodsTableOffset + i] = data[1 + i % (size - 1)];
    }
    const std::vector<uint8_t> sent = file;
    const bool fits = file.size() == DatabaseFileSize;
    const int result = LoadDatabaseBytes(std::move(file), "fuzz.rkb");
    if (result != 0)
        return true;  // a refusal is always allowed (wrong length, the old magic)
    if (!fits)
        return false;  // a file of the wrong length must never load
    // Whatever was moved, nothing outside the goods area changed.
    std::vector<uint8_t> image(DatabaseFileSize);
    DbReadBytesAt(0, image.data(), image.size());
    return std::equal(image.begin(), image.begin() + GoodsTableOffset, sent.begin())
        && std::equal(image.begin() + GoodsTableOffset + GoodsAreaSize, image.end(),
                      sent.begin() + GoodsTableOffset + GoodsAreaSize);
}
