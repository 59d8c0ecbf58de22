#pragma once
// The record currency: the rate as the register takes it, and the symbol.
#include <QString>
#include <cstdint>
#include <string>

// The rate in the register's form: eight digits and how many of them follow the comma
// ("4,25" -> 42500000 with 7 decimals; "12" -> 12000000 with 6).
struct RecordCurrencyRate {
    uint32_t Digits = 0;
    uint8_t Decimals = 0;
};

// Parses the rate exactly as typed ("," or "."). Empty Refusal on success; the refusal is the
// message to show. A rate of zero is refused.
struct RecordCurrencyRateParse {
    RecordCurrencyRate Rate;
    QString Refusal;
};
RecordCurrencyRateParse ParseRecordCurrencyRate(const QString& text);

// The rate as a decimal number for the user ("4,25", "12", "0,5").
QString RecordCurrencyRateText(const RecordCurrencyRate& rate);

// The symbol with blanks in front to 3 characters, in code page 1250.
std::string PaddedCurrencySymbol(const QString& symbol);
