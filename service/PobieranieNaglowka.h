#pragma once
// "Pobieranie nagłówka": reads the receipt header programmed in the register and shows its
// six lines.
#include "service/ReadoutWindow.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TPobieranieNaglowka : public TReadoutWindow {
    Q_OBJECT
public:
    explicit TPobieranieNaglowka(QWidget* parent = nullptr);

    QPlainTextEdit* RichEdit1 = nullptr;
    QPushButton* Button1 = nullptr;  // "Pobierz nagłówek"

    void Button1Click();

private:
    FormInstance<TPobieranieNaglowka> instance_;
};

extern TPobieranieNaglowka* PobieranieNaglowka;
