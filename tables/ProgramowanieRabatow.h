#pragma once
// "Edycja bazy rabatów/narzutów": the discounts and surcharges of the database image, and
// sending one of them to the register.
#include "platform/Form.h"

#include <cstdint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class TRadioGroup;

class TProgramowanieRabatow : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieRabatow(QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;       // number
    QLineEdit* Edit2 = nullptr;       // name
    QLineEdit* Edit3 = nullptr;       // value
    QLabel* Label5 = nullptr;         // unit of the value: "%" or the record currency
    QLabel* Label6 = nullptr;         // " Wprowadź numer!"
    QLabel* Label7 = nullptr;         // " Wprowadź nazwę!"
    QLabel* Label8 = nullptr;         // " Wprowadź wartość!"
    TRadioGroup* RadioGroup1 = nullptr;  // "Rodzaj": Rabat | Narzut
    TRadioGroup* RadioGroup2 = nullptr;  // "Typ": Procentowy | Kwotowy
    QCheckBox* CheckBox1 = nullptr;   // confirm on the register's keyboard
    QTableWidget* StringGrid1 = nullptr;
    QPushButton* Button3 = nullptr;   // "Usuń rabat/narzut"
    QPushButton* Button4 = nullptr;   // "Wyśilj do kasy"
    QPushButton* BitBtn4 = nullptr;   // "     &Dodaj do bazy PC"
    QPushButton* BitBtn6 = nullptr;   // "&Anuluj"

    uint8_t ConfirmFlag = 0;

    void FormShow() override;
    // Esc closes, Enter adds.
    bool FormKeyDown(int key) override;
    void BitBtn4Click();
    void Button3Click();
    void Button4Click();
    void CheckBox1Click();
    void RadioGroup2Click();
    void FillDiscountsGrid();

private:
    FormInstance<TProgramowanieRabatow> instance_;
};

extern TProgramowanieRabatow* ProgramowanieRabatow;
