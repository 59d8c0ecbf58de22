#pragma once
// "Edycja bazy opakowań": the returnable packagings of the database image, and sending one of
// them to the register.
#include "platform/Form.h"

#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TProgramowanieOpakowan : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieOpakowan(QWidget* parent = nullptr);

    QComboBox* ComboBox1 = nullptr;   // number "1".."20"
    QLineEdit* Edit2 = nullptr;       // name
    QLineEdit* Edit3 = nullptr;       // price
    QCheckBox* CheckBox2 = nullptr;   // "Możliwosc zmiany ceny w kasie" (hidden)
    QLabel* Label5 = nullptr;         // " Wprowadź nazwę!"
    QLabel* Label6 = nullptr;         // " Wprowadź cenę!"
    QCheckBox* CheckBox1 = nullptr;   // "Potwiedzenie z klawiatury kasy"
    QTableWidget* StringGrid1 = nullptr;
    QPushButton* Button3 = nullptr;   // "Usuń opakowanie"
    QPushButton* Button4 = nullptr;   // "Wyślij do kasy"
    QPushButton* BitBtn4 = nullptr;   // "     &Dodaj do bazy PC"
    QPushButton* BitBtn6 = nullptr;   // "&Anuluj"

    uint8_t ConfirmFlag = 0;

    void FormShow() override;
    bool FormKeyDown(int key) override;
    void BitBtn4Click();
    // Shows the goods tied to the packaging; deletes only when the user confirms there.
    void Button3Click();
    void Button4Click();
    void CheckBox1Click();
    void FillPackagingsGrid();

private:
    FormInstance<TProgramowanieOpakowan> instance_;
};

extern TProgramowanieOpakowan* ProgramowanieOpakowan;
