#pragma once
// The splash window shown while the program builds its windows.
#include <QDialog>

class QLabel;

class TUruchamianie : public QDialog {
    Q_OBJECT
public:
    explicit TUruchamianie(QWidget* parent = nullptr);
    ~TUruchamianie() override;

    QLabel* Label1 = nullptr;

    // Shows the window in the screen centre and paints it before start-up goes on.
    void ShowAndPaint();
};

extern TUruchamianie* Uruchamianie;
