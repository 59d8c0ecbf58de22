#include "link/WyszukiwanieKasyRS.h"

#include "core/AppState.h"
#include "core/StatusHook.h"
#include "link/Commands.h"
#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/Prompts.h"
#include "platform/SerialPort.h"
#include "platform/Time.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>

TWyszukiwanieKasyRS* WyszukiwanieKasyRS = nullptr;

namespace {
constexpr int MaxComPort = 99;
constexpr int MaxRegisterAddress = 9;
constexpr uint32_t SearchBaudRate = 115200;
constexpr int StatusReplySize = 10;

QString PortItem(int n) { return QStringLiteral("COM ") + QString::number(n); }
}

bool IsProbeAnswer(const uint8_t* reply, int count)
{
    return count == StatusReplySize && IsWholeFrame(reply, StatusReplySize) && reply[6] == ReplyAttention;
}

TWyszukiwanieKasyRS::TWyszukiwanieKasyRS(QWidget* parent) : TForm(parent), instance_(WyszukiwanieKasyRS, this)
{
    setWindowTitle(QStringLiteral("Wyszukiwanie kasy"));

    Label6 = new QLabel(QStringLiteral("Wyszukiwanie kas ORVA TEPO podłączonych do komputera"), this);
    Label1 = new QLabel(QStringLiteral("Numer portu:"), this);
    ComboBox1 = new QComboBox(this);
    Button1 = new QPushButton(QStringLiteral("Wyszukaj"), this);
    Button2 = new QPushButton(QStringLiteral("Połącz"), this);
    Button3 = new QPushButton(QStringLiteral("&Wyjdz"), this);
    for (QPushButton* b : {Button1, Button2, Button3})
        b->setAutoDefault(false);
    Button2->setEnabled(false);

    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::StyledPanel);
    Label2 = new QLabel(QStringLiteral("Trwa wyszukiwanie kas ORVA TEPO podłączonych do tego komputera..."), Panel1);
    Label3 = new QLabel(Panel1);
    Label4 = new QLabel(QStringLiteral("Adres kasy:"), Panel1);
    Label5 = new QLabel(Panel1);
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setRange(0, 0);
    ProgressBar1->setValue(0);
    auto* panelLayout = new QGridLayout(Panel1);
    panelLayout->addWidget(Label2, 0, 0, 1, 3);
    panelLayout->addWidget(Label3, 1, 0);
    panelLayout->addWidget(Label4, 1, 1);
    panelLayout->addWidget(Label5, 1, 2);
    panelLayout->addWidget(ProgressBar1, 2, 0, 1, 3);
    Panel1->hide();

    auto* portRow = new QHBoxLayout;
    portRow->addWidget(Label1);
    portRow->addWidget(ComboBox1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();
    buttons->addWidget(Button3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label6);
    layout->addLayout(portRow);
    layout->addWidget(Panel1);
    layout->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
}

void TWyszukiwanieKasyRS::FormShow()
{
    ComboBox1->clear();
    Button2->setEnabled(false);
    FoundRegisterAddress.clear();
}

void TWyszukiwanieKasyRS::SetControlsEnabledForSearch(bool searching)
{
    Button1->setEnabled(!searching);
    Button3->setEnabled(!searching);
    ComboBox1->setEnabled(!searching);
    if (searching)
        Button2->setEnabled(false);
}

void TWyszukiwanieKasyRS::Button1Click()
{
    ExchangeGuard guard;
    if (searching_)
        return;
    const StructParametryProgramu savedSettings = LinkSettings;
    const uint8_t savedWorkMode = App.WorkMode;
    const uint8_t savedAddress = Link.RegisterAddress;
    searching_ = true;
    stopRequested_ = false;
    closeRequested_ = false;
    Link.AbortRequestFlag = 0;
    SetControlsEnabledForSearch(true);
    CloseComPort();
    // The probes go out on the serial ports whatever link was in use.
    LinkSettings.LinkType = 0;

    int openable = 0;
    for (int port = 1; port <= MaxComPort && !stopRequested_; ++port) {
        ProcessMessages();
        stopRequested_ = stopRequested_ || Link.AbortRequestFlag;   // the window closed meanwhile
        LinkSettings.ComPortNumber = uint8_t(port);
        if (OpenComPort(0, Link.SerialHandle) == 0) {
            ++openable;
            CloseComPort();
        }
    }

    LinkSettings.BaudRate = SearchBaudRate;
    ProgressBar1->setRange(0, openable * MaxRegisterAddress);
    ProgressBar1->setValue(0);
    Panel1->show();
    Panel1->repaint();

    std::memset(Link.ReceiveBuffer, 0, ReceiveBufferSize);
    ComboBox1->clear();
    FoundRegisterAddress.clear();
    LinkSettings.ComPortNumber = NoComPort;
    App.WorkMode = savedWorkMode & uint8_t(~WorkModeRegister);
    RequestStatusRefresh();

    for (int address = 1; address <= MaxRegisterAddress && !stopRequested_; ++address) {
        Link.RegisterAddress = uint8_t(address);
        Label5->setText(QString::number(address));
        for (int port = 1; port <= MaxComPort && !stopRequested_; ++port) {
            LinkSettings.ComPortNumber = uint8_t(port);
            Label3->setText(PortItem(port));
            // Paints the panel and lets Esc or closing the window stop the search.
            ProcessMessages();
            stopRequested_ = stopRequested_ || Link.AbortRequestFlag;
            if (stopRequested_ || OpenComPort(0, Link.SerialHandle) != 0)
                continue;
            ProgressBar1->setValue(ProgressBar1->value() + 1);
            // Nothing left over from an earlier use of the port may pass for an answer.
            Link.SerialHandle->PurgeInput();
            if (SendProbeQ(uint8_t(address), 0, 0) != 0 && Link.SerialHandle != nullptr) {
                const int count = ReadRaw(Link.ReceiveBuffer, StatusReplySize);
                if (IsProbeAnswer(Link.ReceiveBuffer, count)) {
                    ComboBox1->addItem(PortItem(port));
                    FoundRegisterAddress.push_back(uint8_t(address));
                }
            }
            CloseComPort();
        }
    }

    Panel1->hide();
    CloseComPort();
    LinkSettings.ComPortNumber = NoComPort;
    searching_ = false;
    SetControlsEnabledForSearch(false);
    if (ComboBox1->count() > 0) {
        Button2->setEnabled(true);
        ComboBox1->setCurrentIndex(0);
    } else if (!stopRequested_) {
        ShowMessage(QStringLiteral("Nie wykryto żadnej kasy podłączonej do tego komputera."));
    }

    // The link as it was before the search.
    LinkSettings = savedSettings;
    Link.RegisterAddress = savedAddress;
    if (LinkSettings.LinkType == 1)
        App.WorkMode = savedWorkMode;
    else if (LinkSettings.ComPortNumber != NoComPort && OpenComPort(0, Link.SerialHandle) == 0)
        App.WorkMode = savedWorkMode;
    else
        App.WorkMode = savedWorkMode & uint8_t(~WorkModeRegister);
    RequestStatusRefresh();

    stopRequested_ = false;
    if (closeRequested_) {
        closeRequested_ = false;
        TForm::reject();
    }
}

void TWyszukiwanieKasyRS::Button2Click()
{
    const int index = ComboBox1->currentIndex();
    if (searching_ || index < 0 || index >= int(FoundRegisterAddress.size()))
        return;
    bool ok = false;
    const int port = ComboBox1->currentText().mid(3).trimmed().toInt(&ok);
    if (!ok || port < 1 || port > MaxComPort)
        return;
    const uint8_t previousLinkType = LinkSettings.LinkType;
    const uint32_t previousBaudRate = LinkSettings.BaudRate;
    // Connect the way the register answered the search: on its serial port at the search rate.
    LinkSettings.LinkType = 0;
    LinkSettings.BaudRate = SearchBaudRate;
    LinkSettings.ComPortNumber = uint8_t(port);
    CloseComPort();
    if (OpenComPort(1, Link.SerialHandle) != 0) {
        LinkSettings.LinkType = previousLinkType;
        LinkSettings.BaudRate = previousBaudRate;
        if (LinkSettings.LinkType != 1)
            App.WorkMode &= uint8_t(~WorkModeRegister);
        RequestStatusRefresh();
        return;
    }
    App.WorkMode |= WorkModeRegister;
    Link.RegisterAddress = FoundRegisterAddress[std::size_t(index)];
    RequestStatusRefresh();
    accept();
}

void TWyszukiwanieKasyRS::Button3Click() { reject(); }

bool TWyszukiwanieKasyRS::FormKeyDown(int key)
{
    if (key != Qt::Key_Escape)
        return false;
    if (searching_)
        StopSearch();
    else
        reject();
    return true;
}

void TWyszukiwanieKasyRS::reject()
{
    if (searching_) {
        // The search loop finishes its cleanup, then closes the window.
        stopRequested_ = true;
        closeRequested_ = true;
        return;
    }
    TForm::reject();
}

void TWyszukiwanieKasyRS::closeEvent(QCloseEvent* event)
{
    if (searching_) {
        stopRequested_ = true;
        closeRequested_ = true;
        event->ignore();
        return;
    }
    TForm::closeEvent(event);
}
