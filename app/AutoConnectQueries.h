#pragma once
// The two questions the automatic connection asks the register, through the link in use
// (serial or TCP). They only ask: the main window changes the state and tells the user.

// Sends the probe and reads its 10-byte reply; true when a register answered it.
bool ProbeRegister(bool tcp);

// What the configuration read said about the register model.
enum class ModelAnswer {
    None,      // nothing came
    Unusable,  // bytes that are not a whole configuration frame of either model
    TepoDux,   // a whole 31-byte frame
    Rivo,      // a whole 36-byte frame
};

// Sends the configuration read and tells the model from the length of the frame that answers.
ModelAnswer QueryRegisterModel();
