#pragma once
// "Edycja bazy form płatności": the payment forms of the database image, and sending one of
// them to the register.
#include "platform/Form.h"

#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TProgramowanieFormPlatnosci : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieFormPlatnosci(QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;       // number
    QLineEdit* Edit2 = nullptr;       // name
    QComboBox* ComboBox1 = nullptr;   // type
    QLabel* Label4 = nullptr;         // "Podaj numer!"
    QLabel* Label5 = nullptr;         // "Podaj nazwę!"
    QCheckBox* CheckBox1 = nullptr;   // "Potwierdzenie z klawiatury kasy"
    QTableWidget* StringGrid1 = nullptr;
    QPushButton* Button3 = nullptr;   // "Usuń z bazy"
    QPushButton* Button4 = nullptr;   // "Wyślij do kasy"
    QPushButton* BitBtn4 = nullptr;   // "     &Dodaj do bazy PC"
    QPushButton* BitBtn6 = nullptr;   // "&Anuluj"

    uint8_t ConfirmFlag = 0;

    void FormShow() override;
    bool FormKeyDown(int key) override;
    void BitBtn4Click();
    void Button3Click();
    void Button4Click();
    void CheckBox1Click();
    void FillPaymentFormsGrid();

private:
    FormInstance<TProgramowanieFormPlatnosci> instance_;
};

extern TProgramowanieFormPlatnosci* ProgramowanieFormPlatnosci;
