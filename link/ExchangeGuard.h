#pragma once
// One exchange with the register at a time. The windows let the event loop run while they wait
// for the register, so that "Anuluj" and Esc are taken; a guard held for the length of an
// exchange or a series keeps every other click and key from starting a second one on the line.
// Guards nest; the outermost one decides when input comes back.
class QWidget;

class ExchangeGuard {
public:
    // While held, clicks and keys in every window are dropped, but for the stop buttons of the
    // guards held. Esc and closing a window ask the transfer to stop (the abort flag); Esc still
    // reaches the window, and a window closed meanwhile closes once the last guard goes. Windows
    // made meanwhile (the exchange's own questions and messages) answer as always; a window that
    // was there before stays guarded however often it is hidden, minimised and shown again.
    explicit ExchangeGuard(QWidget* stopButton = nullptr);
    ~ExchangeGuard();
    ExchangeGuard(const ExchangeGuard&) = delete;
    ExchangeGuard& operator=(const ExchangeGuard&) = delete;

    static bool Held();
    // Lets a window made before the outermost guard answer until that guard goes: one the exchange
    // itself shows, such as the wait for a held line.
    static void Admit(QWidget* window);
};
