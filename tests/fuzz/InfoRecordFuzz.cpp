// The information record: any bytes as what the register sent after 'I' (up to the buffer the
// window reads), checked and, when taken for a record, decoded. The decoder gets exactly the
// record, so a read past it is a read outside its buffer.
#include "link/Link.h"
#include "service/InfoRecordLogic.h"
#include "tests/fuzz/FuzzTargets.h"

#include <vector>

bool FuzzInfoRecord(const uint8_t* data, std::size_t size)
{
    const std::vector<uint8_t> got(data, data + std::min(size, InfoReplyNewLength));
    InfoLayout layout = (size & 1) ? InfoLayout::Old : InfoLayout::New;
    const InfoLayout before = layout;
    switch (ClassifyInfoReply(got.data(), got.size(), layout)) {
    case InfoReply::Broken:
        return layout == before;
    case InfoReply::ErrorFrame:
        return layout == before && got.size() >= 11 && IsWholeFrame(got.data(), 11) && got[6] == ReplyAttention;
    case InfoReply::Record:
        break;
    }
    const std::size_t length = layout == InfoLayout::New ? InfoReplyNewLength : InfoReplyOldLength;
    if (got.size() < length || !IsWholeFrame(got.data(), length))
        return false;
    // The record ends before the checksum and end byte.
    const std::vector<uint8_t> record(got.begin() + InfoPayloadOffset, got.begin() + std::ptrdiff_t(length) - 2);
    const InfoRecordTexts t = DecodeInfoRecord(record.data(), layout);
    return !t.Version.isEmpty() && !t.WorkingMode.isEmpty() && !t.ComA.isEmpty() && !t.Wifi.isEmpty()
        && t.ChangeRowsEnabled == (t.ChangePlanned == QStringLiteral("TAK"));
}
