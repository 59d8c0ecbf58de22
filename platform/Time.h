#pragma once
// Sleep and letting the event loop run during long transfers.
#include <functional>

void Sleep(unsigned milliseconds);
// Lets pending window events (paints, clicks on "Anuluj", Esc) run.
void ProcessMessages();
// Milliseconds from a fixed point, for bounds on waits.
long long MonotonicMs();
// The same clock in microseconds, and a sleep as fine, for waits that must last their time and
// no longer (a replaced clock and sleep count whole milliseconds).
long long MonotonicUs();
void SleepUs(long long microseconds);

// Puts another clock and sleep in place of the real ones (tests and fuzzing over an in-memory
// line, where a wait for bytes that cannot come should cost no real time); empty functions put
// the real ones back. The real port and socket wait on the real descriptors, so a test that
// installs a clock also puts an in-memory line in their place.
void SetTimeSource(std::function<long long()> now, std::function<void(unsigned)> sleep);
