#pragma once
// The five small register tables set beside the image: discounts, payment forms, currencies,
// goods groups and packagings. One description per table says everything its window does
// differently; the window itself is one class for all five.
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One run of bytes copied from a register record into the PC record.
struct ByteCopy {
    uint8_t From = 0;
    uint8_t To = 0;
    uint8_t Count = 0;
};

// A line of the details shown for a register record.
struct DetailField {
    enum Kind { Money32, Count32, Count16, LastSale };
    QString Label;
    Kind Type = Money32;
    uint8_t Offset = 0;
};

enum class ListColumns { Discount, PaymentForm, Currency, None, Packaging };

struct SmallTableMember {
    QString Caption;
    uint8_t Letter = 0;              // read request and its replies
    uint16_t FrameLength = 0;        // of one read reply
    uint16_t RegisterRecordSize = 0; // FrameLength - 9
    unsigned Slots = 0;              // numbers 1..Slots are listed and kept
    int PcTable = 0;                 // index into TableOffsets
    uint32_t PcRecordSize = 0;
    unsigned NameWidth = 21;         // of the name in list lines and delete frames
    int (*Send)(uint8_t address, uint16_t frameNumber, uint8_t n, uint8_t ignored, uint8_t confirmFlag) = nullptr;
    int (*Delete)(uint8_t address, uint16_t frameNumber, uint8_t n, const std::string& name, uint8_t confirmFlag) = nullptr;
    unsigned LaterPrintingWaitMs = 0;
    unsigned FinalDelayMs = 0;
    QString Ending;                  // of the " Zaprogramowano N" messages
    QString ConfirmCaption;          // CheckBox1
    QString CopyToRegisterCaption;   // BitBtn2
    QString CopyToPcCaption;         // BitBtn4
    QString DeleteCaption;           // BitBtn8
    QString PcListCaption;
    std::vector<ByteCopy> ToPc;      // register record -> PC record
    ListColumns Columns = ListColumns::None;
    std::vector<DetailField> Details;
    bool ClearsDetailsOnPcClick = false;
    bool ClearsPcSelectionOnRegisterClick = true;
};

enum class SmallTable { Discounts, PaymentForms, Currencies, GoodsGroups, Packagings };
const SmallTableMember& Member(SmallTable table);

constexpr unsigned FirstPrintingWaitMs = 1000;
constexpr unsigned DeletePrintingWaitFirstMs = 800;
constexpr unsigned DeletePrintingWaitLaterMs = 250;

// The PC record (PcRecordSize bytes) that the register record maps to.
std::vector<uint8_t> RegisterRecordToPc(const SmallTableMember& m, const uint8_t* registerRecord);

// One list line from a PC record: "n. " padded to 4, the name padded or cut to the name width,
// then the table's columns.
QString SmallTableLine(const SmallTableMember& m, const uint8_t* pcRecord);

// The value shown beside each detail label of a register record.
QString DetailText(const DetailField& field, const uint8_t* registerRecord);

class RegisterTableMirror;

// The register side of one table: one slot per listed number.
RegisterTableMirror MakeMirror(const SmallTableMember& m);
// The name bytes (NameWidth) of mirror record n up to the first NUL, as a delete frame carries it.
std::string MirrorName(const SmallTableMember& m, const RegisterTableMirror& mirror, unsigned n);

// The image side: the PC record of number n, and writing a copied register record.
std::vector<uint8_t> ReadPcRecord(const SmallTableMember& m, unsigned n);
// Writes the mapped record of mirror slot n at its place; an empty slot writes nothing.
// Returns true when a record was written.
bool CopyRegisterRecordToImage(const SmallTableMember& m, const RegisterTableMirror& mirror, unsigned n);
