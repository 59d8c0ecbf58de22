#pragma once
// The plain rules of the commissioning checklist: how the typed key, unique number and NIP go
// out, and which bytes count as the register's answer to the port query. No widgets.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>

// A masked field's text at its full width: the mask's blank character read as a blank.
QString FullWidthText(const QString& displayText, QChar maskBlank);


// The key: trimmed, "0" before it up to 10 characters (123 -> 0000000123).
std::string PaddedFiscalMemoryKey(const QString& fieldText);
// The unique number: "0" after it up to at least 12 characters.
std::string PaddedUniqueNumber(const QString& fieldText);
// The training NIP: "0" after it up to at least 13 characters.
std::string PaddedTrainingNip(const QString& fieldText);

// The register's port code (0 USB, 1 COM A, 2 COM B) from a reply to the port query; -1 unless
// the bytes are one whole 10-byte frame with a good checksum and '9'.
int PortCodeOfReply(const uint8_t* bytes, std::size_t got);

// The ticks of the checklist, top to bottom; the completion test counts all but the hidden
// unique-number-only step.
enum class PackageStep { Ports, Clock, KeyAndNumber, NumberOnly, Header, RecordCurrency, VatRates, Nip, Goods,
                         DeleteGoods, Count };
bool PackageStepRequired(PackageStep step);
