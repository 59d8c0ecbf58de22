#pragma once
// "Edycja bazy walut obcych": the foreign currencies of the database image, and sending one of
// them to the register.
#include "tables/SmallTableWidgets.h"

class QLabel;
class QLineEdit;

class TProgramowanieWalutObcych : public TSmallTableEditor {
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

    void FormShow() override;
    void BitBtn4Click() override;
    void Button3Click() override;
    void Button4Click() override;
    void FillCurrenciesGrid();

private:
    FormInstance<TProgramowanieWalutObcych> instance_;
};

extern TProgramowanieWalutObcych* ProgramowanieWalutObcych;
