#include "service/SymulatorUrzadzen.h"

#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/Prompts.h"
#include "platform/SerialPort.h"
#include "platform/Shell.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

TSymulatorUrzadzen* SymulatorUrzadzen = nullptr;

namespace {

// Every position an optional digit; literals kept; a blank shows an unfilled position.
const QString WeightMask = QStringLiteral("00.000; ");
const QString Ean8Mask = QStringLiteral("00000000; ");
const QString Ean13Mask = QStringLiteral("0000000000000; ");

} // namespace

TSymulatorUrzadzen::TSymulatorUrzadzen(QWidget* parent) : TForm(parent), instance_(SymulatorUrzadzen, this)
{
    setWindowTitle(QStringLiteral("Symulator Urządzeń"));
    RadioGroup1 = new QGroupBox(QStringLiteral("SPRZĘT"), this);
    RadioWaga = new QRadioButton(QStringLiteral("WAGA"), RadioGroup1);
    RadioSkaner = new QRadioButton(QStringLiteral("SKANER"), RadioGroup1);
    RadioWaga->setChecked(true);
    auto* g1 = new QVBoxLayout(RadioGroup1);
    g1->addWidget(RadioWaga);
    g1->addWidget(RadioSkaner);
    RadioGroup2 = new QGroupBox(QStringLiteral("TYP KODU"), this);
    RadioEan8 = new QRadioButton(QStringLiteral("EAN8"), RadioGroup2);
    RadioEan13 = new QRadioButton(QStringLiteral("EAN13"), RadioGroup2);
    RadioEan8->setChecked(true);
    auto* g2 = new QVBoxLayout(RadioGroup2);
    g2->addWidget(RadioEan8);
    g2->addWidget(RadioEan13);
    RadioGroup2->hide();

    MaskEdit1 = new QLineEdit(this);
    MaskEdit1->setInputMask(WeightMask);
    MaskEdit1->setText(LastWeight);
    QFont mono = MaskEdit1->font();
    mono.setFamily(QStringLiteral("DejaVu Sans Mono"));
    mono.setPointSizeF(mono.pointSizeF() * 1.4);
    MaskEdit1->setFont(mono);
    Label1 = new QLabel(QStringLiteral("Status"), this);
    Label1->setStyleSheet(QStringLiteral("font-weight: bold;"));
    CheckBox1 = new QCheckBox(QStringLiteral("PC BEEP ON"), this);
    Button1 = new QPushButton(QStringLiteral("ZWAŻ"), this);
    Button2 = new QPushButton(QStringLiteral("Przerwij"), this);
    for (QPushButton* b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setMinimumHeight(32);
    }

    auto* groups = new QHBoxLayout;
    groups->addWidget(RadioGroup1);
    groups->addWidget(RadioGroup2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* main = new QVBoxLayout(this);
    main->addLayout(groups);
    main->addWidget(MaskEdit1);
    main->addWidget(Label1);
    main->addWidget(CheckBox1);
    main->addLayout(buttons);

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);

    connect(RadioWaga, &QRadioButton::clicked, this, [this] { RadioGroup1Click(); });
    connect(RadioSkaner, &QRadioButton::clicked, this, [this] { RadioGroup1Click(); });
    connect(RadioEan8, &QRadioButton::clicked, this, [this] { RadioGroup2Click(); });
    connect(RadioEan13, &QRadioButton::clicked, this, [this] { RadioGroup2Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

QString TSymulatorUrzadzen::FieldText() const { return MaskEdit1->displayText(); }

void TSymulatorUrzadzen::SetCodeMask() { MaskEdit1->setInputMask(RadioEan13->isChecked() ? Ean13Mask : Ean8Mask); }

void TSymulatorUrzadzen::RadioGroup1Click()
{
    Label1->setText(QStringLiteral("Status"));
    if (RadioWaga->isChecked()) {
        MaskEdit1->setInputMask(WeightMask);
        MaskEdit1->setText(LastWeight);
        RadioGroup2->hide();
        Button1->setText(QStringLiteral("ZWAŻ"));
        Machine.CurrentState = DeviceSimulator::ScaleWaitingEnq;
    } else {
        RadioGroup2->show();
        SetCodeMask();
        MaskEdit1->setText(LastCode);
        Button1->setText(QStringLiteral("SKANUJ"));
        Machine.CurrentState = DeviceSimulator::ScannerSending;
    }
}

void TSymulatorUrzadzen::RadioGroup2Click() { RadioGroup1Click(); }

void TSymulatorUrzadzen::Button1Click()
{
    if (LinkSettings.LinkType == 1 || LinkSettings.ComPortNumber == NoComPort) {
        Timer1->stop();
        ShowMessage(QStringLiteral("Nie wybrano portu komunikacyjnego."));
        return;
    }
    if (!Link.SerialHandle && OpenComPort(1, Link.SerialHandle) != 0)
        return;
    if (RadioWaga->isChecked()) {
        Label1->setText(QStringLiteral("Oczekiwanie"));
        RadioGroup2->hide();
        Machine.CurrentState = DeviceSimulator::ScaleWaitingEnq;
    } else {
        Label1->setText(QStringLiteral("Gotowy"));
        RadioGroup2->show();
        const QString text = FieldText();
        SetCodeMask();
        MaskEdit1->setText(text);
        Machine.CurrentState = DeviceSimulator::ScannerSending;
    }
    DrainInput();
    Timer1->start();
}

void TSymulatorUrzadzen::Button2Click()
{
    Timer1->stop();
    Label1->setText(QStringLiteral("Przerwano"));
    Machine.CurrentState = DeviceSimulator::Idle;
}

void TSymulatorUrzadzen::Report(const DeviceSimulator::Step& step)
{
    if (!step.Status.isEmpty())
        Label1->setText(step.Status);
    if (!step.Message.isEmpty())
        ShowMessage(step.Message);
}

void TSymulatorUrzadzen::Timer1Timer()
{
    // A message box of a step runs the event loop: no second step meanwhile.
    if (stepping_)
        return;
    stepping_ = true;
    std::optional<unsigned char> byte;
    if (Machine.ReadsByte() && Link.SerialHandle && Link.SerialHandle->BytesWaiting() > 0) {
        uint8_t b = 0;
        if (ReadByte(b) == 1)
            byte = b;
    }
    const std::string field = FieldText().toStdString();
    DeviceSimulator::Step step = Machine.Advance(byte, field);
    if (step.StopTimer)
        Timer1->stop();
    if (step.RememberField)
        (RadioWaga->isChecked() ? LastWeight : LastCode) = QString::fromStdString(field);
    if (step.Send) {
        std::vector<uint8_t> bytes(step.Bytes.begin(), step.Bytes.end());
        bool beep = false;
        step = Machine.Sent(SendBytes(bytes.data(), 1, bytes.size()) == 0, beep);
        if (beep && CheckBox1->isChecked())
            Beep();
    }
    Report(step);
    stepping_ = false;
}

bool TSymulatorUrzadzen::FormKeyDown(int key)
{
    if (key != Qt::Key_Escape)
        return false;
    close();
    return true;
}

void TSymulatorUrzadzen::hideEvent(QHideEvent* event)
{
    // Closed, the window must not go on reading the port behind other windows.
    Timer1->stop();
    Machine.CurrentState = DeviceSimulator::Idle;
    TForm::hideEvent(event);
}
