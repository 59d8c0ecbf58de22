#pragma once
// The electronic-copy stream: cp1250 text in chunks of any size, NUL after each document, LF at
// each line end; a chunk that starts with 0x02 is a link frame, not text. The reader turns
// chunks into the memo's text (LF as CR LF, NULs dropped) and counts documents and bytes.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

constexpr std::size_t CopyInputBufferSize = 900000;
constexpr std::size_t CopyTextBufferSize = 90000;
// The text goes on to the memo in blocks of at least this much, not chunk by chunk.
constexpr std::size_t CopyFlushThreshold = 60000;

class CopyStreamReader {
public:
    enum class Chunk { Text, Frame, ErrorFrame };
    // flush gets each block of text as it leaves the text buffer.
    CopyStreamReader(int expectedDocuments, std::function<void(const std::string&)> flush);
    // Takes one chunk. An error frame's code is kept in ErrorCode.
    Chunk Take(const uint8_t* data, std::size_t n);
    // Hands the rest of the text buffer over.
    void Finish();

    bool Complete() const { return remaining_ == 0; }
    int Documents() const { return expected_ - remaining_; }
    int Expected() const { return expected_; }
    // Bytes handed over so far (the CR LF of each line counted).
    unsigned long long Total() const { return total_; }
    int ErrorCode = 0;

private:
    void Flush();
    void Put(const char* bytes, std::size_t n);

    int expected_;
    int remaining_;
    unsigned long long total_ = 0;
    std::string text_;
    std::function<void(const std::string&)> flush_;
};
