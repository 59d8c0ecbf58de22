#pragma once
// "Programowalne jednostki towarowe": the register's three programmable goods units.
#include "platform/Form.h"

#include <array>

class QLineEdit;
class QPushButton;

class TJednostkiTowarowe : public TForm {
    Q_OBJECT
public:
    explicit TJednostkiTowarowe(QWidget* parent = nullptr);

    std::array<QLineEdit*, 3> Edit{};   // "Jednostka nr 1".."Jednostka nr 3"
    QPushButton* BitBtn1 = nullptr;     // "&Odśwież"
    QPushButton* BitBtn2 = nullptr;     // " &Wyślij do kasy"

    void BitBtn1Click();   // read
    void BitBtn2Click();   // send

private:
    FormInstance<TJednostkiTowarowe> instance_;
};

extern TJednostkiTowarowe* JednostkiTowarowe;
