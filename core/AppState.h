#pragma once
// The application state that every window reads: one record, one instance.
#include <cstdint>
#include <string>

struct AppState {
    // bit 0: a database image is usable; bit 1: the register link is up.
    uint8_t WorkMode = 0;
    uint8_t DatabaseModified = 0;
    uint8_t DatabaseSaved = 0;
    // 0 Tepo Dux, 1 Rivo, 2 no answer to the model query.
    uint8_t RegisterModelFlag = 0;
    uint16_t MaxGoodsCount = 8000;
    uint8_t GoodsRecordSize = 83;
    std::string CurrentDatabaseFileName;   // cp1250, no folders
    std::string RecordCurrencySymbol = "PLN";
    std::string StartFolder;
    std::string WorkingImageFileName = "BDTemp.bdt";
};

extern AppState App;

// Puts every field back to its start value (tests).
void ResetAppState();

constexpr uint8_t WorkModeDatabase = 1;
constexpr uint8_t WorkModeRegister = 2;

inline bool DatabaseUsable() { return (App.WorkMode & WorkModeDatabase) != 0; }
inline bool RegisterConnected() { return (App.WorkMode & WorkModeRegister) != 0; }
// Every change to the image goes with this, so that closing asks to save.
inline void MarkDatabaseModified() { App.DatabaseModified = 1; }
