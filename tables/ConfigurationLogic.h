#pragma once
// The register's configuration record (command 3): 27 bytes on the Rivo, the first 22 on the
// Tepo Dux. It is not kept in the image: it goes between the window's controls and the frames.
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

constexpr std::size_t ConfigurationRecordBytes = 27;
constexpr std::size_t TepoDuxConfigurationBytes = 22;
constexpr std::size_t RivoConfigurationFrameLength = 36;
constexpr std::size_t TepoDuxConfigurationFrameLength = 31;
using ConfigurationRecord = std::array<uint8_t, ConfigurationRecordBytes>;

constexpr int ConfigurationChoiceCount = 20;  // ComboBox1..ComboBox20
constexpr int ConfigurationEditCount = 5;     // Edit1..Edit5

// Where each choice lives in the record: the byte, the number of items, what item 0 stands
// for (1 for the register number and the sleep time), and whether only the Rivo has it.
// ComboBox20 ("Tryb LCD:") is bit 7 of byte 19.
struct ConfigurationChoice {
    uint8_t Byte;
    uint8_t Items;
    uint8_t First;
    bool RivoOnly;
};
const ConfigurationChoice& ConfigurationChoiceAt(int index);
constexpr int LcdModeChoice = 19;

// The bounds of the numbers typed into Edit1..Edit5.
struct ConfigurationEditRange {
    uint8_t Byte;
    unsigned long long Min, Max;
};
const ConfigurationEditRange& ConfigurationEditAt(int index);

struct ConfigurationValues {
    std::array<int, ConfigurationChoiceCount> Choice{};   // item index, -1 = none
    std::array<QString, ConfigurationEditCount> Edit;
};

struct ConfigurationBuild {
    bool Ok = false;
    int BadEdit = -1;   // the edit to focus on a refusal
    QString Message;
};

// Builds the record from the controls. A choice without an item sends the byte last read
// (lastRead); on the Tepo Dux (modelFlag 0), whose LCD choice stands for nothing, bit 7 of
// byte 19 goes back as last read. Numbers out of their range refuse the record.
ConfigurationBuild BuildConfigurationRecord(const ConfigurationValues& values, const ConfigurationRecord& lastRead,
                                            int modelFlag, ConfigurationRecord& record);

// The record of a configuration frame read from the register: 36 bytes (Rivo, model flag 1)
// or 31 (Tepo Dux, flag 0), whole and with a correct checksum. The Tepo Dux record's bytes
// 22-26 are zero. False for anything else.
bool DecodeConfigurationFrame(const uint8_t* frame, std::size_t got, ConfigurationRecord& record, int& modelFlag);

// The controls' values of a record; a byte naming no item gives -1.
ConfigurationValues ConfigurationValuesOf(const ConfigurationRecord& record);
