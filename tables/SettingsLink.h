#pragma once
// What the settings windows share when they talk to the register or put a user's text into a
// frame: the check of a reply and of a frame read straight from the port.
#include <QString>
#include <cstddef>
#include <cstdint>

// Accepted (0) or accepted, last (3).
bool AckSucceeded(int result);

// True when exactly length bytes came and they are one whole frame.
bool IsWholeFrame(const uint8_t* bytes, std::size_t got, std::size_t length);

