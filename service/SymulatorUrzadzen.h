#pragma once
// "Symulator Urządzeń": the PC plays a scale or a barcode scanner on the chosen COM port, so
// that the register's peripheral input can be tried without the device.
#include "platform/Form.h"
#include "service/DeviceSimulator.h"

#include <QString>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

class TSymulatorUrzadzen : public TForm {
    Q_OBJECT
public:
    explicit TSymulatorUrzadzen(QWidget* parent = nullptr);

    // ---- controls ----
    QGroupBox* RadioGroup1 = nullptr;   // "SPRZĘT"
    QRadioButton* RadioWaga = nullptr;
    QRadioButton* RadioSkaner = nullptr;
    QGroupBox* RadioGroup2 = nullptr;   // "TYP KODU"
    QRadioButton* RadioEan8 = nullptr;
    QRadioButton* RadioEan13 = nullptr;
    QLineEdit* MaskEdit1 = nullptr;     // weight or code
    QLabel* Label1 = nullptr;           // status
    QCheckBox* CheckBox1 = nullptr;     // "PC BEEP ON"
    QPushButton* Button1 = nullptr;     // "ZWAŻ" / "SKANUJ"
    QPushButton* Button2 = nullptr;     // "Przerwij"
    QTimer* Timer1 = nullptr;           // 100 ms

    DeviceSimulator Machine;
    QString LastWeight = QStringLiteral("00.000");
    QString LastCode = QStringLiteral("00000000");

    // ---- handlers ----
    void RadioGroup1Click();
    void RadioGroup2Click();
    void Button1Click();
    void Button2Click();
    void Timer1Timer();
    bool FormKeyDown(int key) override;

    // The field's text at its full width, a blank for each unfilled position.
    QString FieldText() const;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void SetCodeMask();
    void Report(const DeviceSimulator::Step& step);
    bool stepping_ = false;
    FormInstance<TSymulatorUrzadzen> instance_;
};

extern TSymulatorUrzadzen* SymulatorUrzadzen;
