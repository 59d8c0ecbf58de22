#pragma once
// "Klawisze szybkie funkcji sprzedaży": the sales function each key F1..F10 runs, per cashier.
#include "platform/Form.h"

#include <array>

class QComboBox;
class QLabel;
class QPushButton;

class TKlawiszeSzybkieSprzedazy : public TForm {
    Q_OBJECT
public:
    explicit TKlawiszeSzybkieSprzedazy(QWidget* parent = nullptr);

    QComboBox* ComboBox1 = nullptr;                 // "Numer kasjera"
    std::array<QComboBox*, 10> Function{};           // "Funkcja" of F1..F10
    std::array<QComboBox*, 10> Number{};             // "Numer" 1..20
    std::array<QComboBox*, 10> Kind{};               // "Rodzaj"
    std::array<QPushButton*, 10> Button{};           // their "Wyslij"
    QLabel* LabelKind = nullptr;                     // "Rodzaj"
    QLabel* LabelNumber = nullptr;                   // "Numer"
    QPushButton* BitBtn1 = nullptr;                  // "&Odśwież" (no action)
    QPushButton* BitBtn2 = nullptr;                  // "Wyślij do kasy wszystkie klawisze" (hidden, no action)
    QPushButton* BitBtn3 = nullptr;                  // "&Anuluj"

    // Each key's "Wyslij" sends its own row (key 1..10).
    void SendKey(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FormInstance<TKlawiszeSzybkieSprzedazy> instance_;
};

extern TKlawiszeSzybkieSprzedazy* KlawiszeSzybkieSprzedazy;
