#include "link/UstawieniaTrans.h"

#include "core/AppState.h"
#include "core/StatusHook.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/Prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TUstawieniaTrans* UstawieniaTrans = nullptr;

namespace {
constexpr int MaxComPort = 99;

QString PortItem(int n) { return QStringLiteral("COM ") + QString::number(n); }

// The port number of a port list item "COM n"; 0 when the text is not one.
int PortNumberOfItem(const QString& item)
{
    if (!item.startsWith(QLatin1String("COM ")))
        return 0;
    bool ok = false;
    const int n = item.mid(4).trimmed().toInt(&ok);
    return ok && n >= 1 && n <= MaxComPort ? n : 0;
}
}

bool ParseTcpPort(const QString& text, int& port)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 5)
        return false;
    int value = 0;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        value = value * 10 + (c.unicode() - '0');
    }
    if (value < 1 || value > 65535)
        return false;
    port = value;
    return true;
}

TUstawieniaTrans::TUstawieniaTrans(QWidget* parent) : TForm(parent), instance_(UstawieniaTrans, this)
{
    setWindowTitle(QStringLiteral("Parametry transmisji"));

    Label1 = new QLabel(QStringLiteral("Ustawienia parametrów transmisji"), this);
    QFont headingFont = Label1->font();
    headingFont.setBold(true);
    Label1->setFont(headingFont);

    RadioButton1 = new QRadioButton(QStringLiteral("Transmisja poprzez port szeregowy."), this);
    RadioButton2 = new QRadioButton(QStringLiteral("Transmisja poprzez TCP/IP"), this);

    ComboBox1 = new QComboBox(this);
    CheckBox3 = new QCheckBox(QStringLiteral("Pokazuj tylko dostępne porty"), this);

    GroupBox1 = new QGroupBox(QStringLiteral("Ustawienia portu szeregowego"), this);
    ComboBox2 = new QComboBox(GroupBox1);
    for (const char* rate : {"110", "300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "38400", "57600",
                             "115200", "128000", "256000"})
        ComboBox2->addItem(QString::fromLatin1(rate));
    ComboBox3 = new QComboBox(GroupBox1);
    ComboBox3->addItems({QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")});
    ComboBox4 = new QComboBox(GroupBox1);
    ComboBox4->addItems({QStringLiteral("Brak "), QStringLiteral("Nieparzyste"), QStringLiteral("Parzyste"),
                         QStringLiteral("Znacznik"), QStringLiteral("Odstęp")});
    ComboBox5 = new QComboBox(GroupBox1);
    ComboBox5->addItems({QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")});
    GroupBox4 = new QGroupBox(QStringLiteral("Sterowanie przepływem"), GroupBox1);
    CheckBox1 = new QCheckBox(QStringLiteral("Xon / Xoff"), GroupBox4);
    CheckBox2 = new QCheckBox(QStringLiteral("RTS / CTS"), GroupBox4);
    auto* flowLayout = new QVBoxLayout(GroupBox4);
    flowLayout->addWidget(CheckBox1);
    flowLayout->addWidget(CheckBox2);
    auto* serialLayout = new QFormLayout(GroupBox1);
    serialLayout->addRow(QStringLiteral("Liczba bitów na sekunde"), ComboBox2);
    serialLayout->addRow(QStringLiteral("Ilość bitów danych"), ComboBox3);
    serialLayout->addRow(QStringLiteral("Parzystość"), ComboBox4);
    serialLayout->addRow(QStringLiteral("Bity stopu"), ComboBox5);
    serialLayout->addRow(GroupBox4);

    ComboBox6 = new QComboBox(this);
    for (int a = 1; a <= 9; ++a)
        ComboBox6->addItem(QString::number(a));

    Button1 = new QPushButton(QStringLiteral("&Wartości domyślne"), this);

    GroupBox2 = new QGroupBox(QStringLiteral("Adres TCP/IP"), this);
    Edit2 = new QLineEdit(QStringLiteral("192.168.1.100"), GroupBox2);
    Edit3 = new QLineEdit(QStringLiteral("5001"), GroupBox2);
    auto* tcpLayout = new QHBoxLayout(GroupBox2);
    tcpLayout->addWidget(Edit2, 3);
    tcpLayout->addWidget(new QLabel(QStringLiteral("Port"), GroupBox2));
    tcpLayout->addWidget(Edit3, 1);

    Button2 = new QPushButton(QStringLiteral("&Zastosuj"), this);
    Button3 = new QPushButton(QStringLiteral("&Zamknij"), this);
    for (QPushButton* b : {Button1, Button2, Button3})
        b->setAutoDefault(false);

    auto* portLayout = new QFormLayout;
    portLayout->addRow(QStringLiteral("Nr portu"), ComboBox1);
    portLayout->addRow(QString(), CheckBox3);
    portLayout->addRow(QStringLiteral("Adres kasy"), ComboBox6);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addStretch();
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(RadioButton1);
    layout->addLayout(portLayout);
    layout->addWidget(GroupBox1);
    layout->addWidget(RadioButton2);
    layout->addWidget(GroupBox2);
    layout->addLayout(buttons);

    // Creation defaults.
    FillAllPorts();
    ComboBox1->setCurrentIndex(0);
    ComboBox2->setCurrentText(QStringLiteral("115200"));
    ComboBox3->setCurrentIndex(3);
    ComboBox4->setCurrentIndex(0);
    ComboBox5->setCurrentIndex(0);
    ComboBox6->setCurrentIndex(0);
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this](int) { ComboBox1Change(); });
    connect(CheckBox3, &QCheckBox::clicked, this, [this] { CheckBox3Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
}

void TUstawieniaTrans::FillAllPorts()
{
    ComboBox1->clear();
    ComboBox1->addItem(QStringLiteral("Brak"));
    for (int n = 1; n <= MaxComPort; ++n)
        ComboBox1->addItem(PortItem(n));
}

void TUstawieniaTrans::SetSerialControlsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{ComboBox2, ComboBox3, ComboBox4, ComboBox5, ComboBox6, GroupBox1,
                                                      CheckBox1, CheckBox2}) {
        w->setEnabled(enabled);
        QPalette p = w->palette();
        p.setColor(QPalette::Base, enabled ? QColor(Qt::white) : palette().color(QPalette::Midlight));
        w->setPalette(p);
    }
}

bool TUstawieniaTrans::SerialControlsEnabled() const { return GroupBox1->isEnabled() && ComboBox6->isEnabled(); }

void TUstawieniaTrans::FormShow()
{
    SaveLinkSettings();
    ShowSettings();
}

void TUstawieniaTrans::ShowSettings()
{
    // By text, so that the filtered list of available ports shows the right item too.
    const int index = LinkSettings.ComPortNumber == NoComPort ? 0 : ComboBox1->findText(PortItem(LinkSettings.ComPortNumber));
    ComboBox1->setCurrentIndex(index < 0 ? 0 : index);
    if (ComboBox1->currentIndex() > 0) {
        SetSerialControlsEnabled(true);
        ComboBox2->setCurrentIndex(ComboBox2->findText(QString::number(LinkSettings.BaudRate)));
        ComboBox3->setCurrentIndex(LinkSettings.DataBits >= 5 && LinkSettings.DataBits <= 8 ? LinkSettings.DataBits - 5 : -1);
        ComboBox4->setCurrentIndex(LinkSettings.Parity < ComboBox4->count() ? LinkSettings.Parity : -1);
        ComboBox5->setCurrentIndex(LinkSettings.StopBits < ComboBox5->count() ? LinkSettings.StopBits : -1);
        CheckBox1->setChecked(LinkSettings.XonXoffFlag != 0);
        CheckBox2->setChecked(LinkSettings.RtsCtsFlag != 0);
    } else {
        SetSerialControlsEnabled(false);
    }
}

void TUstawieniaTrans::ComboBox1Change() { SetSerialControlsEnabled(ComboBox1->currentIndex() > 0); }

void TUstawieniaTrans::CheckBox3Click()
{
    ComboBox1->blockSignals(true);
    if (CheckBox3->isChecked()) {
        ComboBox1->clear();
        ComboBox1->addItem(QStringLiteral("Brak"));
        // A port we hold would not open for the scan, so the link goes down first.
        CloseComPort();
        App.WorkMode &= uint8_t(~WorkModeRegister);
        const uint8_t chosenPort = LinkSettings.ComPortNumber;
        for (int n = 1; n <= MaxComPort; ++n) {
            LinkSettings.ComPortNumber = uint8_t(n);
            if (OpenComPort(0, Link.SerialHandle) == 0) {
                ComboBox1->addItem(PortItem(n));
                CloseComPort();
            }
        }
        // The scan only looks; the chosen port stays what it was until applied.
        LinkSettings.ComPortNumber = chosenPort;
    } else {
        FillAllPorts();
    }
    ComboBox1->setCurrentIndex(ComboBox1->count() > 1 ? 1 : 0);
    ComboBox1->blockSignals(false);
    ComboBox1Change();
    RequestStatusRefresh();
}

void TUstawieniaTrans::Button1Click() {}

void TUstawieniaTrans::Button2Click()
{
    if (RadioButton2->isChecked()) {
        int port = 0;
        if (!ParseTcpPort(Edit3->text(), port)) {
            ShowMessage(QStringLiteral("Błędny numer portu TCP/IP."));
            return;
        }
        LinkSettings.LinkType = 1;
        LinkSettings.TcpHost = Edit2->text().trimmed().toStdString();
        LinkSettings.TcpPort = port;
        if (OpenLink() != 0) {
            ShowMessage(QStringLiteral("Nie udało się otworzyć portu komunikacyjnego"));
            return;
        }
        accept();
        return;
    }
    if (!RadioButton1->isChecked())
        return;
    if (ComboBox1->currentIndex() < 0)
        return;

    const uint8_t previousLinkType = LinkSettings.LinkType;
    LinkSettings.LinkType = 0;
    if (ComboBox1->currentIndex() == 0) {
        CloseComPort();
        LinkSettings.ComPortNumber = NoComPort;
        App.WorkMode &= uint8_t(~WorkModeRegister);
        RequestStatusRefresh();
        accept();
        return;
    }

    CloseComPort();
    const int port = CheckBox3->isChecked() ? PortNumberOfItem(ComboBox1->currentText()) : ComboBox1->currentIndex();
    LinkSettings.ComPortNumber = uint8_t(port > 0 ? port : NoComPort);
    // A control without a selection leaves its field as it was.
    if (ComboBox2->currentIndex() >= 0)
        LinkSettings.BaudRate = ComboBox2->currentText().toUInt();
    if (ComboBox3->currentIndex() >= 0)
        LinkSettings.DataBits = uint8_t(ComboBox3->currentIndex() + 5);
    if (ComboBox4->currentIndex() >= 0)
        LinkSettings.Parity = uint8_t(ComboBox4->currentIndex());
    if (ComboBox5->currentIndex() >= 0)
        LinkSettings.StopBits = uint8_t(ComboBox5->currentIndex());
    LinkSettings.XonXoffFlag = CheckBox1->isChecked() ? 1 : 0;
    LinkSettings.RtsCtsFlag = CheckBox2->isChecked() ? 1 : 0;

    if (OpenComPort(1, Link.SerialHandle) != 0) {
        RestoreLinkSettings();
        LinkSettings.LinkType = previousLinkType;
        ShowSettings();
        if (LinkSettings.ComPortNumber != NoComPort && OpenComPort(1, Link.SerialHandle) != 0
            && LinkSettings.LinkType != 1)
            App.WorkMode &= uint8_t(~WorkModeRegister);
        RequestStatusRefresh();
        return;
    }
    App.WorkMode |= WorkModeRegister;
    Link.RegisterAddress = uint8_t(ComboBox6->currentIndex() + 1);
    RequestStatusRefresh();
    accept();
}

void TUstawieniaTrans::Button3Click() { reject(); }

bool TUstawieniaTrans::FormKeyDown(int key)
{
    if (key != Qt::Key_Escape)
        return false;
    reject();
    return true;
}
