#pragma once
// The about box: what the program is, its version, and the address to write to.
#include "platform/Form.h"

class QLabel;
class QPushButton;

// The service address shown in the about box and used for its mail link.
extern const char* const ContactAddress;
// The mailto: link that a click on the address opens.
QString ContactMailLink();

class TOProgramie : public TForm {
    Q_OBJECT
public:
    explicit TOProgramie(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;  // the contact address; a click writes to it
    QPushButton* Button1 = nullptr;

    void Button1Click();
    void Label3Click();
    // Esc closes; true when the key was handled.
    bool FormKeyDown(int key) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FormInstance<TOProgramie> instance_;
};

extern TOProgramie* OProgramie;
