#include "sync/TableRead.h"

#include "core/MessageList.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "platform/Time.h"

#include <algorithm>
#include <cstring>

RegisterTableMirror::RegisterTableMirror(std::size_t slotCount, std::size_t recordSize, Key key)
    : slotCount_(slotCount), recordSize_(recordSize), key_(key), bytes_(slotCount * recordSize, 0)
{
}

void RegisterTableMirror::Clear() { std::fill(bytes_.begin(), bytes_.end(), 0); }

unsigned RegisterTableMirror::NumberOf(const uint8_t* record) const
{
    return key_ == Key::Word ? unsigned(record[0] | (record[1] << 8)) : record[0];
}

bool RegisterTableMirror::Take(const uint8_t* record)
{
    uint8_t* slot = Slot(NumberOf(record));
    if (!slot)
        return false;
    std::memcpy(slot, record, recordSize_);
    return true;
}

const uint8_t* RegisterTableMirror::Slot(unsigned n) const
{
    if (n == 0 || n > slotCount_)
        return nullptr;
    return bytes_.data() + (n - 1) * recordSize_;
}

uint8_t* RegisterTableMirror::Slot(unsigned n)
{
    return const_cast<uint8_t*>(static_cast<const RegisterTableMirror*>(this)->Slot(n));
}

bool RegisterTableMirror::Used(unsigned n) const
{
    const uint8_t* slot = Slot(n);
    return slot && NumberOf(slot) != 0;
}

void RegisterTableMirror::Erase(unsigned n)
{
    if (uint8_t* slot = Slot(n))
        std::memset(slot, 0, recordSize_);
}

std::vector<unsigned> RegisterTableMirror::UsedNumbers() const
{
    std::vector<unsigned> numbers;
    for (unsigned n = 1; n <= slotCount_; ++n)
        if (Used(n))
            numbers.push_back(n);
    return numbers;
}

TableReadResult ReadRegisterTable(uint8_t command, std::size_t frameLength,
                                  const std::function<bool(const uint8_t* record)>& takeRecord,
                                  const TableReadOptions& options)
{
    TableReadResult result;
    Link.AbortRequestFlag = 0;   // a stop left over from an earlier transfer must not cut this read
    DrainInput();
    SendCommandWithWord(Link.RegisterAddress, 1, command, 0);
    for (;;) {
        if (options.ProcessEvents)
            ProcessMessages();
        result.End = ReceiveFrame(frameLength);
        if (result.End != FrameMore && result.End != FrameLast)
            break;
        ++result.Frames;
        if (takeRecord(Link.ReceiveBuffer + 7))
            ++result.Stored;
        if (options.Progress)
            options.Progress(result.Stored);
        if (result.End == FrameLast)
            break;
    }
    if (result.End == FrameChecksumError && options.EndReadOnChecksumError)
        SendAckStatus1(Link.RegisterAddress);
    return result;
}

bool ReadWhole(const TableReadResult& result)
{
    if (Link.AbortRequestFlag)
        return false;
    return result.End == FrameLast || (result.End == FrameFailed && result.Frames == 0 && ReceivedEmptyBase());
}

bool ReportStoppedRead(const TableReadResult& result)
{
    if (!Link.AbortRequestFlag)
        return false;
    ShowMessage(TransferStoppedText + u'\n' + PartialListText(std::size_t(result.Stored)));
    return true;
}

TableReadResult ReadTableIntoMirror(uint8_t command, std::size_t frameLength, RegisterTableMirror& mirror,
                                    const TableReadOptions& options)
{
    mirror.Clear();
    return ReadRegisterTable(command, frameLength, [&](const uint8_t* record) { return mirror.Take(record); },
                             options);
}
