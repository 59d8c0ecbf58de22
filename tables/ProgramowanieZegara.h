#pragma once
// "Programowanie zegara": sets the register's date and time.
#include "platform/Form.h"

class QDateEdit;
class QPushButton;
class QTimeEdit;

class TProgramowanieZegara : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieZegara(QWidget* parent = nullptr);

    QDateEdit* DateTimePicker1 = nullptr;   // "Data (rrrr-mm-dd)"
    QTimeEdit* DateTimePicker2 = nullptr;   // "Godzina (gg:mm:ss) "
    QPushButton* BitBtn1 = nullptr;         // "&Wyślij do kasy"
    QPushButton* BitBtn2 = nullptr;         // "&Anuluj"

    // The pickers show the PC's date and time.
    void FormShow() override;
    // Esc closes, Enter sends.
    bool FormKeyDown(int key) override;
    // Sends the date and time the pickers show.
    void BitBtn1Click();

private:
    FormInstance<TProgramowanieZegara> instance_;
};

extern TProgramowanieZegara* ProgramowanieZegara;
