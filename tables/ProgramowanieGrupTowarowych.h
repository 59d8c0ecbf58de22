#pragma once
// "Edycja grup towarowych": the goods groups of the database image, and sending one of them to
// the register.
#include "platform/Form.h"

#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TProgramowanieGrupTowarowych : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieGrupTowarowych(QWidget* parent = nullptr);

    QComboBox* ComboBox1 = nullptr;   // number "1".."20"
    QLineEdit* Edit2 = nullptr;       // name, at most the 20 characters the register takes
    QLabel* Label5 = nullptr;         // "Wprowadź nazwę!"
    QCheckBox* CheckBox1 = nullptr;   // "Potwiedzenie z klawiatury kasy"
    QTableWidget* StringGrid1 = nullptr;
    QPushButton* Button3 = nullptr;   // "Usuń grupę towarową"
    QPushButton* Button4 = nullptr;   // "Wyślij do kasy"
    QPushButton* BitBtn4 = nullptr;   // "     &Dodaj do bazy PC"
    QPushButton* BitBtn6 = nullptr;   // "&Anuluj"

    uint8_t ConfirmFlag = 0;

    void FormShow() override;
    bool FormKeyDown(int key) override;
    void BitBtn4Click();
    void Button3Click();
    // Sends the selected group and tells how the register took it.
    void Button4Click();
    void CheckBox1Click();
    void FillGroupsGrid();

private:
    FormInstance<TProgramowanieGrupTowarowych> instance_;
};

extern TProgramowanieGrupTowarowych* ProgramowanieGrupTowarowych;
