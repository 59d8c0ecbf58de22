#pragma once
// "Edycja bazy rabatów/narzutów": the discounts and surcharges of the database image, and
// sending one of them to the register.
#include "tables/SmallTableWidgets.h"

class QLabel;
class QLineEdit;
class TRadioGroup;

class TProgramowanieRabatow : public TSmallTableEditor {
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

    void FormShow() override;
    void BitBtn4Click() override;
    void Button3Click() override;
    void Button4Click() override;
    void RadioGroup2Click();
    void FillDiscountsGrid();

private:
    FormInstance<TProgramowanieRabatow> instance_;
};

extern TProgramowanieRabatow* ProgramowanieRabatow;
