#pragma once
// Opens the program's link to an in-process emulator as the settings window would.
#include "tests/support/EmulatorFixture.h"

// Serves COM7 (serial) or a loopback port (tcp), opens the link to it and marks the register
// connected with a database open (WorkMode 3). False when any step failed.
bool ConnectToEmulator(EmulatorFixture& fx, bool tcp);
