#pragma once
// "Lista towarów powiązanych": the goods tied to a packaging, shown before the packaging is
// deleted, with the user's confirmation.
#include "platform/Form.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TListaTowarowTandem : public TForm {
    Q_OBJECT
public:
    explicit TListaTowarowTandem(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;   // "Potwierdź usunięcie opakowania"
    QPushButton* Button2 = nullptr;   // "Anuluj"

    // Set by the packagings window before showing; read by it afterwards (1 confirmed, 0 not).
    int TandemPackagingNumber = 0;
    int PackagingDeleteConfirmed = 0;

    void FormShow() override;
    // Esc closes without a choice, Enter confirms.
    bool FormKeyDown(int key) override;
    void Button1Click();
    void Button2Click();

private:
    FormInstance<TListaTowarowTandem> instance_;
};

extern TListaTowarowTandem* ListaTowarowTandem;
