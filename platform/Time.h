#pragma once
// Sleep and letting the event loop run during long transfers.

void Sleep(unsigned milliseconds);
// Lets pending window events (paints, clicks on "Anuluj", Esc) run.
void ProcessMessages();
// Milliseconds from a fixed point, for bounds on waits.
long long MonotonicMs();
