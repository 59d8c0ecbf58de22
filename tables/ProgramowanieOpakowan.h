#pragma once
// "Edycja bazy opakowań": the returnable packagings of the database image, and sending one of
// them to the register.
#include "tables/SmallTableWidgets.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

class TProgramowanieOpakowan : public TSmallTableEditor {
    Q_OBJECT
public:
    explicit TProgramowanieOpakowan(QWidget* parent = nullptr);

    QComboBox* ComboBox1 = nullptr;   // number "1".."20"
    QLineEdit* Edit2 = nullptr;       // name
    QLineEdit* Edit3 = nullptr;       // price
    QCheckBox* CheckBox2 = nullptr;   // "Możliwosc zmiany ceny w kasie" (hidden)
    QLabel* Label5 = nullptr;         // " Wprowadź nazwę!"
    QLabel* Label6 = nullptr;         // " Wprowadź cenę!"

    void FormShow() override;
    void BitBtn4Click() override;
    // Shows the goods tied to the packaging; deletes only when the user confirms there.
    void Button3Click() override;
    void Button4Click() override;
    void FillPackagingsGrid();

private:
    FormInstance<TProgramowanieOpakowan> instance_;
};

extern TProgramowanieOpakowan* ProgramowanieOpakowan;
