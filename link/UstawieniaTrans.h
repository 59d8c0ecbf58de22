#pragma once
// "Parametry transmisji": chooses the transport (COM port or TCP/IP), the port and its line
// settings, the register address and the TCP address, and applies them by opening the link.
#include "platform/Form.h"

#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// A TCP port typed by the user: decimal digits only, 1..65535.
bool ParseTcpPort(const QString& text, int& port);

class TUstawieniaTrans : public TForm {
    Q_OBJECT
public:
    explicit TUstawieniaTrans(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;          // heading
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QComboBox* ComboBox1 = nullptr;    // "Brak", "COM 1" ..
    QCheckBox* CheckBox3 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;    // bits per second
    QComboBox* ComboBox3 = nullptr;    // data bits
    QComboBox* ComboBox4 = nullptr;    // parity
    QComboBox* ComboBox5 = nullptr;    // stop bits
    QGroupBox* GroupBox4 = nullptr;
    QCheckBox* CheckBox1 = nullptr;    // Xon / Xoff
    QCheckBox* CheckBox2 = nullptr;    // RTS / CTS
    QComboBox* ComboBox6 = nullptr;    // register address
    QPushButton* Button1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLineEdit* Edit2 = nullptr;        // TCP host
    QLineEdit* Edit3 = nullptr;        // TCP port
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

    void FormShow() override;
    void ComboBox1Change();
    void CheckBox3Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    // Esc closes.
    bool FormKeyDown(int key) override;

    // Shows LinkSettings in the controls.
    void ShowSettings();
    // True when the serial controls are enabled.
    bool SerialControlsEnabled() const;

private:
    void SetSerialControlsEnabled(bool enabled);
    void FillAllPorts();

    FormInstance<TUstawieniaTrans> instance_;
};

extern TUstawieniaTrans* UstawieniaTrans;
