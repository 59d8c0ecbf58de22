#pragma once
// "Wyszukiwanie kasy": probes every COM port that opens at every register address 1..9, lists
// the ports where a register answered, and connects to the one the user picks.
#include "platform/Form.h"

#include <cstdint>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

// True when the 10 bytes are a status reply that says a register is there: start and end bytes,
// length 10, checksum, and 'A' in byte 6.
bool IsProbeAnswer(const uint8_t* reply, int count);

class TWyszukiwanieKasyRS : public TForm {
    Q_OBJECT
public:
    explicit TWyszukiwanieKasyRS(QWidget* parent = nullptr);

    QLabel* Label6 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button1 = nullptr;   // "Wyszukaj"
    QPushButton* Button2 = nullptr;   // "Połącz"
    QPushButton* Button3 = nullptr;   // "&Wyjdz"
    QFrame* Panel1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;         // current port
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;         // current address
    QProgressBar* ProgressBar1 = nullptr;

    // Register address of each entry of ComboBox1, in list order.
    std::vector<uint8_t> FoundRegisterAddress;

    void FormShow() override;
    void Button1Click();
    void Button2Click();
    void Button3Click();
    // Esc stops a running search, else closes.
    bool FormKeyDown(int key) override;

    bool Searching() const { return searching_; }
    // Asks a running search to stop at the next port (Esc, closing the window).
    void StopSearch() { stopRequested_ = true; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SetControlsEnabledForSearch(bool searching);
    bool searching_ = false;
    bool stopRequested_ = false;
    bool closeRequested_ = false;
    FormInstance<TWyszukiwanieKasyRS> instance_;
};

extern TWyszukiwanieKasyRS* WyszukiwanieKasyRS;
