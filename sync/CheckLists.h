#pragma once
// What the synchronisation windows do with their check lists: every line starts with its
// record's number and ". ", and the actions work on the ticked lines.
#include <vector>

class CheckListBox;

// Sets every line's tick to toggle, then inverts toggle (the first press ticks all).
void TickAll(CheckListBox& list, bool& toggle);
// The numbers before the dot of the ticked lines, in list order.
std::vector<int> TickedNumbers(const CheckListBox& list);
