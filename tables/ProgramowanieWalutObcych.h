#pragma once
// "Edycja bazy walut obcych": the foreign currencies of the database image, and sending one of
// them to the register.
#include "platform/Form.h"

#include <cstdint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TProgramowanieWalutObcych : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieWalutObcych(QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;       // number
    QLineEdit* Edit2 = nullptr;       // name
    QLineEdit* Edit3 = nullptr;       // rate
    QLineEdit* Edit4 = nullptr;       // symbol
    QLabel* Label5 = nullptr;         // " Wprowadź numer!"
    QLabel* Label6 = nullptr;         // " Wprowadź nazwę!"
    QLabel* Label7 = nullptr;         // " Wprowadź kurs!"
    QLabel* Label8 = nullptr;         // " Wprowadź symbol!"
    QCheckBox* CheckBox1 = nullptr;   // "Potwiedzenie z klawiatury kasy"
    QTableWidget* StringGrid1 = nullptr;
    QPushButton* Button3 = nullptr;   // "Usuń walutę"
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
    void FillCurrenciesGrid();

private:
    FormInstance<TProgramowanieWalutObcych> instance_;
};

extern TProgramowanieWalutObcych* ProgramowanieWalutObcych;
