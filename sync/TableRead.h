#pragma once
// Reading one table of the register into a mirror: the read request, the ReceiveFrame loop and a
// hook per record. Every synchronisation window and the whole-database copies read their tables
// through here.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// The register's records of one table, one slot per record number 1..SlotCount (slot of number n
// at index n-1), each slot RecordSize bytes, zero when empty. The record number is the record's
// first byte, or its first two bytes little-endian (goods).
class RegisterTableMirror {
public:
    enum class Key { Byte, Word };
    RegisterTableMirror(std::size_t slotCount, std::size_t recordSize, Key key = Key::Byte);

    std::size_t SlotCount() const { return slotCount_; }
    std::size_t RecordSize() const { return recordSize_; }

    // Zeroes every slot.
    void Clear();
    // The number a record carries in its key bytes.
    unsigned NumberOf(const uint8_t* record) const;
    // Stores RecordSize bytes of record in the slot of its number; false, and nothing stored, when
    // that number has no slot (0 or above SlotCount).
    bool Take(const uint8_t* record);
    // The slot of number n; nullptr when n has no slot.
    const uint8_t* Slot(unsigned n) const;
    uint8_t* Slot(unsigned n);
    // True when the slot of n holds a record (its key bytes are not all 0).
    bool Used(unsigned n) const;
    // Zeroes the slot of n (nothing when n has no slot).
    void Erase(unsigned n);
    // The numbers of the used slots, in slot order.
    std::vector<unsigned> UsedNumbers() const;

private:
    std::size_t slotCount_;
    std::size_t recordSize_;
    Key key_;
    std::vector<uint8_t> bytes_;
};

struct TableReadOptions {
    // Let window events run before each frame, so that "Anuluj" or Esc can set the abort flag,
    // which ReceiveFrame answers with acknowledgement status 4.
    bool ProcessEvents = false;
    // After a checksum mismatch, end the read on the register's side with acknowledgement status 1.
    bool EndReadOnChecksumError = false;
    // Called after every data frame taken, with the count of records stored so far.
    std::function<void(int stored)> Progress;
};

struct TableReadResult {
    int Frames = 0;   // data frames received (FrameMore / FrameLast), stored or not
    int Stored = 0;   // records the hook took
    int End = 0;      // the ReceiveFrame result that ended the read (FrameLast, FrameFailed, FrameChecksumError)
};

// Clears the abort flag, drains the line, sends read request `command` (frame number 1, word 0)
// to Link.RegisterAddress and reads data frames of frameLength bytes with ReceiveFrame until the
// last one or a failure. Each data frame is handed to takeRecord as its bytes 7.. (at least
// frameLength - 9 bytes); takeRecord returns whether it kept the record. Failures were already
// shown by ReceiveFrame; records taken before one stay taken. The request is read for even when
// it could not be sent, so that the failed read says what went wrong.
TableReadResult ReadRegisterTable(uint8_t command, std::size_t frameLength,
                                  const std::function<bool(const uint8_t* record)>& takeRecord,
                                  const TableReadOptions& options = {});

// True when a read ended on its last frame, or on the register's "empty base" answer (a table
// without records), and no stop was asked for.
bool ReadWhole(const TableReadResult& result);

// For a read whose records a window lists: when the user stopped it, says so and that the list
// holds only the records that came. True when the read was stopped.
bool ReportStoppedRead(const TableReadResult& result);

// ReadRegisterTable into a mirror: the mirror is zeroed first, then takes every record whose
// number has a slot (recordSize <= frameLength - 9); records without a slot are skipped.
TableReadResult ReadTableIntoMirror(uint8_t command, std::size_t frameLength, RegisterTableMirror& mirror,
                                    const TableReadOptions& options = {});
