#pragma once
// "Edycja bazy form płatności": the payment forms of the database image, and sending one of
// them to the register.
#include "tables/SmallTableWidgets.h"

class QComboBox;
class QLabel;
class QLineEdit;

class TProgramowanieFormPlatnosci : public TSmallTableEditor {
    Q_OBJECT
public:
    explicit TProgramowanieFormPlatnosci(QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;       // number
    QLineEdit* Edit2 = nullptr;       // name
    QComboBox* ComboBox1 = nullptr;   // type
    QLabel* Label4 = nullptr;         // "Podaj numer!"
    QLabel* Label5 = nullptr;         // "Podaj nazwę!"

    void FormShow() override;
    void BitBtn4Click() override;
    void Button3Click() override;
    void Button4Click() override;
    void FillPaymentFormsGrid();

private:
    FormInstance<TProgramowanieFormPlatnosci> instance_;
};

extern TProgramowanieFormPlatnosci* ProgramowanieFormPlatnosci;
