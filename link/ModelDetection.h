#pragma once
// Tells the register model from the length of its configuration frame and sets the goods
// record geometry to match.

// What the configuration read said about the register model.
enum class ModelAnswer {
    None,      // nothing came
    Unusable,  // bytes that are not a whole configuration frame of either model
    TepoDux,   // a whole 31-byte frame
    Rivo,      // a whole 36-byte frame
};

// Sends the configuration read and tells the model from the length of the frame that answers;
// it only asks and changes nothing.
ModelAnswer QueryRegisterModel();

// Asks as above and takes the answer: Rivo → flag 1, 8000 goods records of 83 bytes; Tepo Dux →
// flag 0, 2000 of 69 bytes, the goods of the image moved to the new spacing; nothing → flag 2 and
// a message; anything else changes nothing.
void DetectRegisterModel();
