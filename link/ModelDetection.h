#pragma once
// Tells the register model from the length of its configuration frame and sets the goods
// record geometry to match.

// Sends the configuration read request and reads the answer: a whole 36-byte frame → Rivo
// (flag 1, 8000 goods records of 83 bytes), a whole 31-byte frame → Tepo Dux (flag 0, 2000 of
// 69 bytes), the goods of the image moved to the new spacing; nothing → flag 2 and a message;
// anything else changes nothing.
void DetectRegisterModel();
