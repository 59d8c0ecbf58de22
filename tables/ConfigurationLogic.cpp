#include "tables/ConfigurationLogic.h"

#include "core/Helpers.h"
#include "tables/SettingsLink.h"

namespace {

constexpr ConfigurationChoice Choices[ConfigurationChoiceCount] = {
    {0, 9, 1, false},   {1, 2, 0, false},   {2, 2, 0, false},   {5, 2, 0, false},   {6, 2, 0, false},
    {11, 3, 0, false},  {12, 2, 0, false},  {13, 2, 0, false},  {14, 2, 0, false},  {15, 2, 0, false},
    {16, 2, 0, false},  {17, 5, 1, false},  {20, 2, 0, false},  {21, 2, 0, false},  {22, 2, 0, true},
    {23, 2, 0, true},   {24, 3, 0, true},   {25, 2, 0, true},   {26, 2, 0, true},   {19, 2, 0, true},
};

constexpr ConfigurationEditRange Edits[ConfigurationEditCount] = {
    {3, 5, 60}, {4, 0, 255}, {7, 0, 4294967295ull}, {18, 5, 100}, {19, 5, 100},
};

} // namespace

const ConfigurationChoice& ConfigurationChoiceAt(int index) { return Choices[index]; }
const ConfigurationEditRange& ConfigurationEditAt(int index) { return Edits[index]; }

ConfigurationBuild BuildConfigurationRecord(const ConfigurationValues& values, const ConfigurationRecord& lastRead,
                                            int modelFlag, ConfigurationRecord& record)
{
    ConfigurationBuild build;
    unsigned long long numbers[ConfigurationEditCount] = {};
    for (int i = 0; i < ConfigurationEditCount; ++i) {
        const ConfigurationEditRange& r = Edits[i];
        unsigned long long v = 0;
        if (!ParseUnsigned(values.Edit[i].trimmed().toStdString(), v) || v < r.Min || v > r.Max) {
            build.BadEdit = i;
            build.Message = QStringLiteral("Błąd!\nDopuszczalna wartosc [%1 - %2]").arg(r.Min).arg(r.Max);
            return build;
        }
        numbers[i] = v;
    }
    record = lastRead;
    for (int i = 0; i < ConfigurationChoiceCount; ++i) {
        if (i == LcdModeChoice)
            continue;
        const ConfigurationChoice& c = Choices[i];
        if (values.Choice[i] >= 0 && values.Choice[i] < c.Items)
            record[c.Byte] = uint8_t(values.Choice[i] + c.First);
    }
    record[3] = uint8_t(numbers[0]);
    record[4] = uint8_t(numbers[1]);
    const uint32_t maxValue = uint32_t(numbers[2]);
    for (int b = 0; b < 4; ++b)
        record[7 + b] = uint8_t(maxValue >> (8 * b));
    record[18] = uint8_t(numbers[3]);
    uint8_t lcd = lastRead[19] & 0x80;
    const int lcdChoice = values.Choice[LcdModeChoice];
    if (modelFlag == 1 && lcdChoice >= 0 && lcdChoice < 2)
        lcd = uint8_t(lcdChoice << 7);
    record[19] = uint8_t(numbers[4]) | lcd;
    build.Ok = true;
    return build;
}

bool DecodeConfigurationFrame(const uint8_t* frame, std::size_t got, ConfigurationRecord& record, int& modelFlag)
{
    std::size_t bytes = 0;
    if (IsWholeFrame(frame, got, RivoConfigurationFrameLength)) {
        modelFlag = 1;
        bytes = ConfigurationRecordBytes;
    } else if (IsWholeFrame(frame, got, TepoDuxConfigurationFrameLength)) {
        modelFlag = 0;
        bytes = TepoDuxConfigurationBytes;
    } else {
        return false;
    }
    record.fill(0);
    for (std::size_t i = 0; i < bytes; ++i)
        record[i] = frame[7 + i];
    return true;
}

ConfigurationValues ConfigurationValuesOf(const ConfigurationRecord& record)
{
    ConfigurationValues v;
    for (int i = 0; i < ConfigurationChoiceCount; ++i) {
        const ConfigurationChoice& c = Choices[i];
        const int item = i == LcdModeChoice ? record[19] >> 7 : int(record[c.Byte]) - c.First;
        v.Choice[i] = item >= 0 && item < c.Items ? item : -1;
    }
    v.Edit[0] = QString::number(record[3]);
    v.Edit[1] = QString::number(record[4]);
    v.Edit[2] = QString::number(uint32_t(record[7]) | uint32_t(record[8]) << 8 | uint32_t(record[9]) << 16 |
                                uint32_t(record[10]) << 24);
    v.Edit[3] = QString::number(record[18]);
    v.Edit[4] = QString::number(record[19] & 0x7F);
    return v;
}
