#pragma once
// The probe the automatic connection sends through the link in use (serial or TCP). It only
// asks: the main window changes the state and tells the user.

// Sends the probe and reads its 10-byte reply; true when a register answered it.
bool ProbeRegister(bool tcp);
