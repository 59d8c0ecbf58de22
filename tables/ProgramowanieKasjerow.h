#pragma once
// "Edycja bazy kasjerów": the cashiers of the database image with their passwords and rights,
// and sending one of them to the register.
#include "platform/Form.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TProgramowanieKasjerow : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieKasjerow(QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;       // number
    QLineEdit* Edit2 = nullptr;       // name
    QLineEdit* MaskEdit1 = nullptr;   // password: up to four digits
    QLabel* Label5 = nullptr;         // " Wprowadź numer!"
    QLabel* Label6 = nullptr;         // " Wprowadź nazwę!"
    QLabel* Label7 = nullptr;         // " Wprowadź hasło!"
    std::array<QCheckBox*, 7> Rights{};      // CheckBox1..CheckBox7
    QCheckBox* CheckBox8 = nullptr;   // confirm on the register's keyboard
    QTableWidget* StringGrid1 = nullptr;
    QFrame* Panel1 = nullptr;         // "Uprawnienia kasjera:"
    std::array<QLabel*, 7> Indicators{};     // "TAK" beside each right
    QLabel* Label20 = nullptr;        // the selected cashier's password (hidden)
    QPushButton* Button5 = nullptr;   // "Pokaż hasło kasjera" / "Ukryj hasło kasjera"
    QPushButton* Button3 = nullptr;   // "Usuń kasjera z bazy"
    QPushButton* Button4 = nullptr;   // "Wyślij do kasy"
    QPushButton* BitBtn4 = nullptr;   // "     &Dodaj do bazy PC"
    QPushButton* BitBtn6 = nullptr;   // "&Anuluj"

    uint8_t ConfirmFlag = 0;
    int PasswordShown = 0;

    void FormShow() override;
    bool FormKeyDown(int key) override;
    void Edit1Exit();
    void MaskEdit1Click();
    void StringGrid1Click();
    void Button5Click();
    void BitBtn4Click();
    void Button3Click();
    void Button4Click();
    void CheckBox8Click();
    void FillCashiersGrid();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the rights of the cashier in the selected row; hides them all for an empty row.
    void ShowRightsOfSelected();
    FormInstance<TProgramowanieKasjerow> instance_;
};

extern TProgramowanieKasjerow* ProgramowanieKasjerow;
