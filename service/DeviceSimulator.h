#pragma once
// The scale and scanner simulator's state machine, fed with the bytes the register sends and
// stepped by the window's timer. No widgets and no port: the window reads and sends.
#include <QString>
#include <optional>
#include <string>

// The weight message: STX, two blanks, the field, ETX; blanks sent as '0'.
std::string ScaleWeightMessage(const std::string& field);
// The code message: the field, CR, LF; blanks sent as '0'.
std::string ScannerCodeMessage(const std::string& field);

class DeviceSimulator {
public:
    enum State { Idle = 0, ScaleWaitingEnq = 1, ScaleWaitingDc1 = 2, ScannerSending = 3 };

    struct Step {
        bool StopTimer = false;
        bool Send = false;       // send Bytes, then report with Sent()
        std::string Bytes;
        QString Message;         // shown in a box when not empty
        QString Status;          // the status label, when not empty
        bool RememberField = false;  // the field's text becomes the last weight or code
    };

    int CurrentState = Idle;

    // Whether the step of the current state reads a byte.
    bool ReadsByte() const { return CurrentState == ScaleWaitingEnq || CurrentState == ScaleWaitingDc1; }
    // One timer step; byte is what was read (nothing when no byte was waiting), field the value
    // field's full-width text.
    Step Advance(std::optional<unsigned char> byte, const std::string& field);
    // After the step's bytes were sent (ok) or not: the next state and what to show; beep tells
    // whether the beep is due when it is ticked.
    Step Sent(bool ok, bool& beep);
};
