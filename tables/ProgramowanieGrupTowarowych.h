#pragma once
// "Edycja grup towarowych": the goods groups of the database image, and sending one of them to
// the register.
#include "tables/SmallTableWidgets.h"

class QComboBox;
class QLabel;
class QLineEdit;

class TProgramowanieGrupTowarowych : public TSmallTableEditor {
    Q_OBJECT
public:
    explicit TProgramowanieGrupTowarowych(QWidget* parent = nullptr);

    QComboBox* ComboBox1 = nullptr;   // number "1".."20"
    QLineEdit* Edit2 = nullptr;       // name, at most the 20 characters the register takes
    QLabel* Label5 = nullptr;         // "Wprowadź nazwę!"

    void FormShow() override;
    void BitBtn4Click() override;
    void Button3Click() override;
    // Sends the selected group and tells how the register took it.
    void Button4Click() override;
    void FillGroupsGrid();

private:
    FormInstance<TProgramowanieGrupTowarowych> instance_;
};

extern TProgramowanieGrupTowarowych* ProgramowanieGrupTowarowych;
