#pragma once
// The quick keys of one cashier in the image beside the register's, sent key by key.
#include "platform/Form.h"
#include "sync/QuickKeyCopy.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class TSynchronizacjaBazyKlawiszySzybkich : public TForm {
    Q_OBJECT
public:
    explicit TSynchronizacjaBazyKlawiszySzybkich(QWidget* parent = nullptr);

    QComboBox* ComboBox1 = nullptr;   // "Baza": the cashier
    QComboBox* ComboBox2 = nullptr;   // "Kasa": the cashier
    QListWidget* ListBox1 = nullptr;  // "Baza": keys F1..F10
    QListWidget* ListBox2 = nullptr;  // "Kasa": keys F1..F10
    QPlainTextEdit* Memo1 = nullptr;  // "Dane klawisza:"
    QPushButton* Button1 = nullptr;   // ">": the chosen key
    QPushButton* Button2 = nullptr;   // ">>>": the cashier's ten keys
    QPushButton* Button3 = nullptr;   // "&Odśwież"
    QCheckBox* CheckBox1 = nullptr;

    uint8_t ConfirmFlag = 0;
    const RegisterQuickKeys& RegisterKeys() const { return registerKeys_; }

    void FormShow() override;
    void CheckBox1Click();
    void ListBox1Click();
    void ListBox2Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();

private:
    // Sends one key of the chosen cashier and reads the register's answer; true when accepted.
    bool SendKey(unsigned key);
    void SetControlsEnabled(bool enabled);

    RegisterQuickKeys registerKeys_;
    FormInstance<TSynchronizacjaBazyKlawiszySzybkich> instance_;
};

extern TSynchronizacjaBazyKlawiszySzybkich* SynchronizacjaBazyKlawiszySzybkich;
