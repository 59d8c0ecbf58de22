#pragma once
// "Programowanie NIP (szkoleniowo)": the tax number in training mode.
#include "platform/Form.h"

class QLineEdit;
class QPushButton;

class TProgramowanieNIP : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieNIP(QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;      // "NIP:"
    QPushButton* Button1 = nullptr;  // "Programuj"
    QPushButton* BitBtn1 = nullptr;  // "&Anuluj"

    void Button1Click();

private:
    FormInstance<TProgramowanieNIP> instance_;
};

extern TProgramowanieNIP* ProgramowanieNIP;
