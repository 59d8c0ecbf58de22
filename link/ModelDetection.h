#pragma once
// Tells the register model from the length of its configuration frame and sets the goods
// record geometry to match.

// Sends the configuration read request and reads the answer: 36 bytes → Rivo (flag 1, goods
// records of 83 bytes), 31 → Tepo Dux (flag 0, 69 bytes), nothing → flag 2 and a message; any
// other length changes nothing. MaxGoodsCount is the caller's to set.
void DetectRegisterModel();
