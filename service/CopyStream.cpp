#include "service/CopyStream.h"

#include "link/Link.h"

CopyStreamReader::CopyStreamReader(int expectedDocuments, std::function<void(const std::string&)> flush)
    : expected_(expectedDocuments), remaining_(expectedDocuments), flush_(std::move(flush))
{
    text_.reserve(CopyTextBufferSize);
}

CopyStreamReader::Chunk CopyStreamReader::Take(const uint8_t* data, std::size_t n)
{
    if (n > 0 && data[0] == 0x02) {
        // A whole error frame, its checksum right; anything else is a frame of another kind.
        if (n >= 11 && IsWholeFrame(data, 11) && data[6] == ReplyAttention) {
            ErrorCode = data[8];
            return Chunk::ErrorFrame;
        }
        return Chunk::Frame;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const char c = char(data[i]);
        if (c == '\0') {
            if (remaining_ > 0)
                --remaining_;
        } else if (c == '\n') {
            Put("\r\n", 2);
        } else {
            Put(&c, 1);
        }
    }
    if (text_.size() >= CopyFlushThreshold)
        Flush();
    return Chunk::Text;
}

void CopyStreamReader::Finish() { Flush(); }

void CopyStreamReader::Put(const char* bytes, std::size_t n)
{
    // A full buffer goes on before it would overflow; CR LF never splits.
    if (text_.size() + n > CopyTextBufferSize)
        Flush();
    text_.append(bytes, n);
}

void CopyStreamReader::Flush()
{
    if (text_.empty())
        return;
    total_ += text_.size();
    if (flush_)
        flush_(text_);
    text_.clear();
}
