#pragma once
// "Obrót grup towarowych": reads the monthly turnover of the 20 goods groups into a memo.
#include "service/ReadoutWindow.h"

class QPlainTextEdit;
class QPushButton;

class TObrotGrup : public TReadoutWindow {
    Q_OBJECT
public:
    explicit TObrotGrup(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* BitBtn6 = nullptr;  // "&Odśwież"
    QPushButton* BitBtn1 = nullptr;  // "&Anuluj"

    void BitBtn6Click();
    void BitBtn1Click();

private:
    FormInstance<TObrotGrup> instance_;
};

extern TObrotGrup* ObrotGrup;
