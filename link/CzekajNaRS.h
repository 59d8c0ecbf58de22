#pragma once
// Shown modally while a serial write is held back by the register's flow control. Closes by
// itself with result 1 when the line is free again; any other result means the user gave up.
#include "platform/Form.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// One step of the moving bar: turns at 100 and at 0, then moves by 2 in the current direction
// (direction 0 rising, 1 falling). Returns the new position.
int NextWaitBarPosition(int position, int& direction);

class TCzekajNaRS : public TForm {
    Q_OBJECT
public:
    explicit TCzekajNaRS(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Button1 = nullptr;
    QTimer* Timer1 = nullptr;
    int Direction = 0;  // 0 rising, 1 falling

    void FormShow() override;
    void Timer1Timer();
    void Button1Click();
    // Esc: asks whether to give up.
    bool FormKeyDown(int key) override;

    // Every way of closing stops the timer.
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    FormInstance<TCzekajNaRS> instance_;
};

extern TCzekajNaRS* CzekajNaRS;
