#pragma once
// "Kopiowanie danych z kasy do komputera": the register's chosen tables read into a new database.
#include "platform/Form.h"
#include "sync/CopyList.h"

class QPushButton;

class TKopiowanieKasy : public TForm {
    Q_OBJECT
public:
    explicit TKopiowanieKasy(QWidget* parent = nullptr);

    CopyListControls List;
    QPushButton* Button1 = nullptr;   // "OK"
    QPushButton* Button2 = nullptr;   // "Anuluj"

    bool FormKeyDown(int key) override;
    void Button1Click();
    void Button2Click();
    void CheckBox1Click();
    bool Transferring() const { return transferring_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SetControlsEnabled(bool enabled);

    bool transferring_ = false;
    FormInstance<TKopiowanieKasy> instance_;
};

extern TKopiowanieKasy* KopiowanieKasy;
