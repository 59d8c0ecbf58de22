#pragma once
// "Programowanie numeru i klucza": the register's unique number and its fiscal-memory key.
#include "platform/Form.h"

class QLineEdit;
class QPushButton;

class TGUM : public TForm {
    Q_OBJECT
public:
    explicit TGUM(QWidget* parent = nullptr);

    QLineEdit* MaskEdit1 = nullptr;  // "Nr unikatowy": three letters, a blank, ten digits
    QLineEdit* MaskEdit2 = nullptr;  // "Klucz": ten digits
    QPushButton* Button1 = nullptr;  // "Programuj klucz pam. fis."
    QPushButton* Button2 = nullptr;  // "Programuj klucz i numer"
    QPushButton* Button3 = nullptr;  // "Wyjdź"

    // The reply of the last send; nothing is shown of it.
    int LastResult = -1;

    void Button1Click();
    void Button2Click();

private:
    // The key trimmed and filled to 10; empty (with the message and the focus) when none.
    bool TakeKey(std::string& key);

    FormInstance<TGUM> instance_;
};

extern TGUM* GUM;
