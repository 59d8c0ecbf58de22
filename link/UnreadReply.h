#pragma once
// Replies no window shows: the register's answer to a frame sent without reading one, and a reply
// read while the one exchange guard keeps every other click and key from reaching the line.
#include <cstddef>
#include <cstdint>

// Reads up to n (at least 10) bytes of one reply into buffer, ending early at a whole frame shorter
// than n, within the link's reply bound. "Printing" and "busy" say the answer is still to come: it
// is read in their place, within the bound of a busy wait. Under the caller's ExchangeGuard window
// events run meanwhile (the guard drops their clicks) and the read ends on the user's stop, which
// stopped then says. Returns the count.
int ReadReplyWithEvents(uint8_t* buffer, std::size_t n, bool& stopped);

// Waits for the register's answer to a frame sent without reading one, and drops it: nothing is
// shown. The exchange guard is held meanwhile, so that a second click sends no second frame while
// the answer comes. Ends on the answer, its bound, or the user's stop.
void AwaitUnreadReply();
