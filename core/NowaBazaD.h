#pragma once
// The new-database dialog: the name of the new database and its record currency.
#include "platform/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TNowaBazaD : public TForm {
    Q_OBJECT
public:
    explicit TNowaBazaD(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;  // name, at most 40 characters
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit2 = nullptr;  // record-currency symbol, at most 3 characters
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* Label4 = nullptr;    // ".rkb", hidden

    void FormShow() override;
    void Button1Click();
    void Button2Click();
    // Esc closes, Enter clicks OK; true when the key was handled.
    bool FormKeyDown(int key) override;

private:
    FormInstance<TNowaBazaD> instance_;
};

extern TNowaBazaD* NowaBazaD;
