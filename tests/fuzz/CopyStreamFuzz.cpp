// The electronic-copy stream: any bytes cut into chunks as the line delivered them. Byte 0 sets
// the documents expected, byte 1 how often each chunk repeats (so that the text passes the flush
// threshold and the buffer's size); the rest is chunks, each led by its length byte.
#include "service/CopyStream.h"
#include "tests/fuzz/FuzzTargets.h"

#include <string>
#include <vector>

bool FuzzCopyStream(const uint8_t* data, std::size_t size)
{
    if (size < 2)
        return true;
    const int expected = data[0] % 8;
    const int repeats = 1 + data[1] % 64;
    std::string shown;
    bool blocksFit = true;
    CopyStreamReader reader(expected, [&](const std::string& block) {
        blocksFit = blocksFit && !block.empty() && block.size() <= CopyTextBufferSize;
        shown += block;
    });
    // What the memo must get: LF as CR LF, NULs dropped, frames left out.
    std::string wanted;
    int documents = 0;
    std::size_t at = 2;
    while (at < size) {
        const std::size_t n = std::min<std::size_t>(data[at], size - at - 1);
        // A copy of exactly the chunk, so that a read past it is a read outside its buffer.
        std::vector<uint8_t> chunk(data + at + 1, data + at + 1 + n);
        at += 1 + n;
        for (int r = 0; r < repeats; ++r) {
            const CopyStreamReader::Chunk kind = reader.Take(chunk.data(), chunk.size());
            const bool frame = n > 0 && chunk[0] == 0x02;
            if (frame != (kind != CopyStreamReader::Chunk::Text))
                return false;
            if (kind == CopyStreamReader::Chunk::ErrorFrame) {
                if (n < 11 || chunk[6] != 'A' || reader.ErrorCode != chunk[8])
                    return false;
                break;  // the window stops at an error frame
            }
            if (frame)
                continue;
            for (uint8_t c : chunk) {
                if (c == 0)
                    ++documents;
                else if (c == '\n')
                    wanted += "\r\n";
                else
                    wanted += char(c);
            }
        }
    }
    reader.Finish();
    const int counted = std::min(documents, expected);
    return blocksFit && shown == wanted && reader.Total() == shown.size() && reader.Documents() == counted
        && reader.Complete() == (counted == expected);
}
