#pragma once
// "Programowanie klawiszy funkcyjnych": the report each function key F1..F10 runs, per cashier.
#include "platform/Form.h"

#include <array>

class QComboBox;
class QFrame;
class QPushButton;

// Sends one key's choice and reads the reply (a "printing" reply is waited out once); true
// when the register accepted it. After an acceptance it waits settleMs for the register.
bool SendFunctionKeyChoice(int cashierChoice, int keyChoice, int keyNumber, unsigned settleMs = 650);

class TProgramowanieKlawiszyFunkcyjnych : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieKlawiszyFunkcyjnych(QWidget* parent = nullptr);

    QComboBox* ComboBox11 = nullptr;              // "Numer kasjera"
    std::array<QComboBox*, 10> ComboBox{};         // F1..F10
    std::array<QPushButton*, 10> Button{};         // their "Wyslij"
    QPushButton* BitBtn2 = nullptr;               // "Wyślij do kasy / wszystkie klawisze"
    QFrame* Panel1 = nullptr;                      // "Czekaj"
    // The register's pause after an accepted key.
    unsigned SettleMs = 650;

    void Button1Cick();
    // F2..F10 (key 2..10).
    void SendKey(int key);
    void BitBtn2Click();

private:
    FormInstance<TProgramowanieKlawiszyFunkcyjnych> instance_;
};

extern TProgramowanieKlawiszyFunkcyjnych* ProgramowanieKlawiszyFunkcyjnych;
