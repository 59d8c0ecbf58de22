#pragma once
// What the settings windows share when they talk to the register or put a user's text into a
// frame: the reply read that waits out printing, the check of a frame read straight from the
// port, and the refusal of characters that code page 1250 cannot hold.
#include <QString>
#include <cstddef>
#include <cstdint>

// ReceiveAck; a "printing" reply is waited out (waitMs) and the reply read once more.
int ReceiveAckWaitingOutPrinting(unsigned waitMs = 800);
// Accepted (0) or accepted, last (3).
bool AckSucceeded(int result);

// True when the first got bytes are exactly one frame of the given length: start and end
// bytes, its own length field and a correct checksum.
bool IsWholeFrame(const uint8_t* bytes, std::size_t got, std::size_t length);

// The characters of text that code page 1250 cannot hold, each named ("✓" U+2713), joined by
// ", "; empty when every character fits.
QString CharactersOutsideCp1250(const QString& text);
// The message that refuses such a text; empty when the text fits.
QString ForeignCharactersRefusal(const QString& text);
