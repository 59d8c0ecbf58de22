#pragma once
// "Programowanie hasla kierownika": changes the manager's password; the register checks the
// old one.
#include "platform/Form.h"

#include <cstdint>

class QCheckBox;
class QLineEdit;
class QPushButton;

class TProgramowanieHaslaKierownika : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieHaslaKierownika(QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;      // "Stare hasło"
    QLineEdit* Edit2 = nullptr;      // "Nowe hasło"
    QCheckBox* CheckBox1 = nullptr;  // "Potwiedzenie z klawiatury kasy"
    QPushButton* Button1 = nullptr;  // "Wyslij"
    QPushButton* Button2 = nullptr;  // "Anuluj"

    void Button1Click();

private:
    FormInstance<TProgramowanieHaslaKierownika> instance_;
};

extern TProgramowanieHaslaKierownika* ProgramowanieHaslaKierownika;
