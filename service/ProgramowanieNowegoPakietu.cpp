#include "service/ProgramowanieNowegoPakietu.h"

#include "core/AppState.h"
#include "core/Helpers.h"
#include "core/StatusHook.h"
#include "link/Commands.h"
#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "platform/Time.h"
#include "service/WaitPanel.h"

#include <QDateEdit>
#include <QDateTime>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimeEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <cstring>
#include <map>

TProgramowanieNowegoPakietu* ProgramowanieNowegoPakietu = nullptr;

namespace {

constexpr int DefaultPrintingWaitMs = 1400;
constexpr uint32_t PortTestBaudRate = 115200;
constexpr int NoRegisterPort = 100;
const QChar MaskBlank = u'_';
const QString TrainingNip = QStringLiteral("1234567890123");

bool ReplyAccepted(int result) { return result == AckAccepted || result == AckDone; }

QPushButton* StepButton(const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setAutoDefault(false);
    b->setMinimumWidth(150);
    return b;
}

QFrame* StepPanel(QWidget* parent)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::StyledPanel);
    f->setFrameShadow(QFrame::Raised);
    return f;
}

} // namespace

TProgramowanieNowegoPakietu::TProgramowanieNowegoPakietu(QWidget* parent)
    : TForm(parent), instance_(ProgramowanieNowegoPakietu, this)
{
    setWindowTitle(QStringLiteral("Programowanie nowego pakietu ORVA RIVO"));
    for (std::size_t i = 0; i < Ticks.size(); ++i) {
        QLabel*& tick = Ticks[i];
        tick = new QLabel(this);
        tick->setPixmap(style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(24, 24));
        tick->setFixedSize(26, 26);
        // A hidden tick keeps its place, so the buttons stay in one column; but the unique number
        // alone has no visible button, and its tick takes room only once shown.
        QSizePolicy policy = tick->sizePolicy();
        policy.setRetainSizeWhenHidden(PackageStep(i) != PackageStep::NumberOnly);
        tick->setSizePolicy(policy);
        tick->hide();
    }
    auto* main = new QVBoxLayout(this);
    main->setSpacing(4);
    // One panel per step: captions and fields on the left, the button, then the tick.
    auto addPanel = [&](const QString& caption, QWidget* fields, std::initializer_list<QPushButton*> buttons,
                        std::initializer_list<PackageStep> steps) {
        QFrame* panel = StepPanel(this);
        auto* row = new QHBoxLayout(panel);
        row->setContentsMargins(8, 4, 8, 4);
        auto* title = new QLabel(caption, panel);
        title->setStyleSheet(QStringLiteral("font-weight: bold;"));
        title->setMinimumWidth(240);
        row->addWidget(title);
        if (fields)
            row->addWidget(fields);
        row->addStretch(1);
        for (QPushButton* b : buttons)
            row->addWidget(b);
        for (PackageStep s : steps)
            row->addWidget(Tick(s));
        main->addWidget(panel);
        return panel;
    };

    BitBtn6 = StepButton(QStringLiteral("Wykonaj"), this);
    auto* ports = new QWidget(this);
    auto* portGrid = new QHBoxLayout(ports);
    Label20 = new QLabel(ports);
    Label21 = new QLabel(ports);
    Label22 = new QLabel(ports);
    for (auto [caption, label] : {std::pair{"USB:", Label20}, {"COM A:", Label21}, {"COM B:", Label22}}) {
        portGrid->addWidget(new QLabel(QString::fromUtf8(caption), ports));
        label->setMinimumWidth(28);
        label->setStyleSheet(QStringLiteral("font-weight: bold; color: #1a7f1a;"));
        portGrid->addWidget(label);
    }
    addPanel(QStringLiteral("Test portów komunikacyjnych"), ports, {BitBtn6}, {PackageStep::Ports});

    BitBtn2 = StepButton(QStringLiteral("Programuj"), this);
    auto* clock = new QWidget(this);
    auto* clockGrid = new QGridLayout(clock);
    DateTimePicker1 = new QDateEdit(clock);
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    DateTimePicker2 = new QTimeEdit(clock);
    DateTimePicker2->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    clockGrid->addWidget(new QLabel(QStringLiteral("Data (rrrr-mm-dd)"), clock), 0, 0);
    clockGrid->addWidget(DateTimePicker1, 0, 1);
    clockGrid->addWidget(new QLabel(QStringLiteral("Godzina (gg:mm:ss) "), clock), 1, 0);
    clockGrid->addWidget(DateTimePicker2, 1, 1);
    addPanel(QStringLiteral("Programowanie zegara"), clock, {BitBtn2}, {PackageStep::Clock});

    BitBtn12 = StepButton(QStringLiteral("Programuj klucz i nr."), this);
    BitBtn8 = StepButton(QStringLiteral("Programuj nr unik"), this);
    BitBtn8->hide();
    auto* identity = new QWidget(this);
    auto* identityGrid = new QGridLayout(identity);
    MaskEdit1 = new QLineEdit(identity);
    MaskEdit1->setInputMask(QStringLiteral(">aaa 0000000000;_"));
    MaskEdit2 = new QLineEdit(identity);
    MaskEdit2->setInputMask(QStringLiteral("0000000000;_"));
    for (QLineEdit* e : {MaskEdit1, MaskEdit2})
        e->installEventFilter(this);
    identityGrid->addWidget(new QLabel(QStringLiteral("Nr unikatowy"), identity), 0, 0);
    identityGrid->addWidget(MaskEdit1, 0, 1);
    identityGrid->addWidget(new QLabel(QStringLiteral("Klucz"), identity), 1, 0);
    identityGrid->addWidget(MaskEdit2, 1, 1);
    addPanel(QStringLiteral("Programowanie numeru unikatowego\ni klucza pam. fisk."), identity, {BitBtn12, BitBtn8},
             {PackageStep::KeyAndNumber, PackageStep::NumberOnly});

    BitBtn1 = StepButton(QStringLiteral("Programuj"), this);
    addPanel(QStringLiteral("Programowanie domyślnego\nnagłówka"), nullptr, {BitBtn1}, {PackageStep::Header});

    BitBtn3 = StepButton(QStringLiteral("Programuj"), this);
    Edit1 = new QLineEdit(QStringLiteral("PLN"), this);
    Edit1->setMaxLength(3);
    Edit1->setMaximumWidth(60);
    addPanel(QStringLiteral("Programowanie waluty\newidencyjnej"), Edit1, {BitBtn3}, {PackageStep::RecordCurrency});

    BitBtn4 = StepButton(QStringLiteral("Programuj"), this);
    addPanel(QStringLiteral("Programowanie stawek PTU"),
             new QLabel(QStringLiteral("A:23% B:8% C:0% D:5% E:N F:N G:ZW"), this), {BitBtn4},
             {PackageStep::VatRates});

    BitBtn5 = StepButton(QStringLiteral("Programuj"), this);
    Edit2 = new QLineEdit(TrainingNip, this);
    Edit2->setMaximumWidth(140);
    addPanel(QStringLiteral("Programowanie NIP (szkoleniowo)"), Edit2, {BitBtn5}, {PackageStep::Nip});

    BitBtn7 = StepButton(QStringLiteral("Programuj"), this);
    addPanel(QStringLiteral("Programowanie towarów"),
             new QLabel(QStringLiteral("Funkcja programuje 5 towarów z bazy danych\ntestowych"), this), {BitBtn7},
             {PackageStep::Goods});

    BitBtn11 = StepButton(QStringLiteral("Kasuj towary"), this);
    addPanel(QStringLiteral("Kasowanie towarów testowych"), nullptr, {BitBtn11}, {PackageStep::DeleteGoods});

    Button1 = StepButton(QStringLiteral("&Nowy pakiet"), this);
    Button2 = StepButton(QStringLiteral("KasujBaze"), this);
    BitBtn9 = StepButton(QStringLiteral("spytaj o port"), this);
    Button2->hide();
    BitBtn9->hide();
    Label32 = new QLabel(QStringLiteral("Data kompilacji: ") + QStringLiteral(__DATE__) + u' ' +
                             QStringLiteral(__TIME__),
                         this);
    Label32->hide();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label32);
    bottom->addStretch(1);
    bottom->addWidget(BitBtn9);
    bottom->addWidget(Button2);
    bottom->addWidget(Button1);
    main->addLayout(bottom);

    Panel7 = MakeWaitPanel(this);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    Timer2 = new QTimer(this);
    Timer2->setInterval(2000);

    connect(BitBtn6, &QPushButton::clicked, this, [this] { BitBtn6Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn12, &QPushButton::clicked, this, [this] { BitBtn12Click(); });
    connect(BitBtn8, &QPushButton::clicked, this, [this] { BitBtn8Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connect(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
    connect(BitBtn7, &QPushButton::clicked, this, [this] { BitBtn7Click(); });
    connect(BitBtn11, &QPushButton::clicked, this, [this] { BitBtn11Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(BitBtn9, &QPushButton::clicked, this, [this] { BitBtn9Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
}

// ---- showing, keys, timers ----

void TProgramowanieNowegoPakietu::FormShow()
{
    ShowWaitPanel(Panel7, false);
    DrainInput();
    Timer1Timer();
    Timer1->start();
    ClearChecklist();
    move(5, 5);
}

void TProgramowanieNowegoPakietu::hideEvent(QHideEvent* event)
{
    Timer1->stop();
    TForm::hideEvent(event);
}

bool TProgramowanieNowegoPakietu::FormKeyDown(int key)
{
    if (key == Qt::Key_Escape) {
        close();
        return true;
    }
    return false;
}

void TProgramowanieNowegoPakietu::keyPressEvent(QKeyEvent* event)
{
    FormKeyPress(event->text().isEmpty() ? QChar() : event->text().at(0));
    TForm::keyPressEvent(event);
}

void TProgramowanieNowegoPakietu::FormKeyPress(QChar key)
{
    if (key == u'e') {
        Label32->show();
        Timer2->start();
    }
}

bool TProgramowanieNowegoPakietu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == MaskEdit1)
            MaskEdit1Click();
        else if (watched == MaskEdit2)
            MaskEdit2Click();
    }
    return TForm::eventFilter(watched, event);
}

void TProgramowanieNowegoPakietu::Timer1Timer()
{
    const QDateTime now = QDateTime::currentDateTime();
    DateTimePicker1->setDate(now.date());
    DateTimePicker2->setTime(now.time());
}

void TProgramowanieNowegoPakietu::Timer2Timer()
{
    Label32->hide();
    Timer2->stop();
}

void TProgramowanieNowegoPakietu::MaskEdit1Click() { MaskEdit1->selectAll(); }
void TProgramowanieNowegoPakietu::MaskEdit2Click() { MaskEdit2->selectAll(); }

QString TProgramowanieNowegoPakietu::UniqueNumberText() const
{
    return FullWidthText(MaskEdit1->displayText(), MaskBlank);
}

QString TProgramowanieNowegoPakietu::KeyText() const { return FullWidthText(MaskEdit2->displayText(), MaskBlank); }

// ---- the checklist ----

bool TProgramowanieNowegoPakietu::TickShown(PackageStep step) const { return !Tick(step)->isHidden(); }

void TProgramowanieNowegoPakietu::ShowTick(PackageStep step)
{
    Tick(step)->show();
    PackageStepDone();
}

void TProgramowanieNowegoPakietu::ClearChecklist()
{
    for (QLabel* tick : Ticks)
        tick->hide();
    for (QLabel* l : {Label20, Label21, Label22})
        l->clear();
    MaskEdit1->clear();
    MaskEdit2->clear();
    BitBtn6->setFocus();
}

void TProgramowanieNowegoPakietu::PackageStepDone()
{
    for (std::size_t i = 0; i < Ticks.size(); ++i)
        if (PackageStepRequired(PackageStep(i)) && !TickShown(PackageStep(i)))
            return;
    DrainInput();
    ShowMessage(QStringLiteral("Zakończono programowanie pakietu"));
    ClearChecklist();
}

void TProgramowanieNowegoPakietu::Button1Click() { ClearChecklist(); }

int TProgramowanieNowegoPakietu::ReadReply(int printingWaitMs)
{
    return ReceiveAckWaitingOutPrinting(unsigned(printingWaitMs));
}

void TProgramowanieNowegoPakietu::RunAckStep(PackageStep step, int printingWaitMs,
                                             const std::function<void()>& send, QWidget* next)
{
    ShowWaitPanel(Panel7, true);
    DrainInput();
    send();
    const int result = ReadReply(printingWaitMs);
    ShowWaitPanel(Panel7, false);
    if (result == AckErrorFrame) {
        ShowRegisterError(Link.ReceiveBuffer[8]);
    } else if (ReplyAccepted(result)) {
        if (next && next->isVisible())
            next->setFocus();
        ShowTick(step);
    }
}

// ---- the ports ----

int TProgramowanieNowegoPakietu::QueryRegisterPort()
{
    DrainInput();
    CloseComPort();
    LinkSettings.ComPortNumber = NoComPort;
    App.WorkMode &= uint8_t(~WorkModeRegister);
    RequestStatusRefresh();
    for (int port = 1; port <= 99; ++port) {
        LinkSettings.ComPortNumber = uint8_t(port);
        if (OpenComPort(0, Link.SerialHandle) != 0)
            continue;
        SendPortQuery(Link.RegisterAddress, SingleFrameNumber);
        std::memset(Link.ReceiveBuffer, 0, 16);
        const int got = ReadRaw(Link.ReceiveBuffer, 10);
        const int code = PortCodeOfReply(Link.ReceiveBuffer, std::size_t(std::max(got, 0)));
        if (code >= 0) {
            App.WorkMode |= WorkModeRegister;
            RequestStatusRefresh();
            return code;
        }
        CloseComPort();
    }
    LinkSettings.ComPortNumber = NoComPort;
    return NoRegisterPort;
}

void TProgramowanieNowegoPakietu::FailPortTest(const QString& message)
{
    CloseComPort();
    LinkSettings.ComPortNumber = NoComPort;
    App.WorkMode &= uint8_t(~WorkModeRegister);
    RequestStatusRefresh();
    ShowWaitPanel(Panel7, false);
    ShowMessage(message);
}

void TProgramowanieNowegoPakietu::BitBtn6Click()
{
    if (LinkSettings.LinkType == 1) {
        ShowMessage(QStringLiteral("Nie wybrano portu komunikacyjnego."));
        return;
    }
    ShowWaitPanel(Panel7, true);
    CloseComPort();
    for (QLabel* l : {Label20, Label21, Label22})
        l->clear();
    LinkSettings.BaudRate = PortTestBaudRate;

    // The PC port found behind each register port: USB, COM A, COM B.
    int found[3] = {0, 0, 0};
    QLabel* labels[3] = {Label20, Label21, Label22};
    auto note = [&](int code) {
        if (code >= 0 && code <= 2) {
            found[code] = LinkSettings.ComPortNumber;
            labels[code]->setText(QStringLiteral("OK"));
        }
    };
    const int first = QueryRegisterPort();
    if (first == NoRegisterPort) {
        FailPortTest(QStringLiteral("Brak odpowiedzi kasy. Sprawdź podłączenie kabli do komputera."));
        return;
    }
    note(first);
    // Each stage turns one register port alone to the PC and looks for it.
    struct Stage {
        int Code;
        uint8_t Bytes[5];
        int WaitMs;
        const char* Failure;
    };
    static const Stage stages[] = {
        {2, {0, 3, 6, 0, 6}, 50, "Brak odpowiedzi kasy. Sprawdź kabel w porcie COM B kasy."},
        {1, {0, 0, 6, 3, 6}, 100, "Brak odpowiedzi kasy. Sprawdź kabel w porcie COM A kasy."},
        {0, {1, 3, 6, 3, 6}, 50, "Brak odpowiedzi kasy. Sprawdź kabel w porcie USB kasy."},
    };
    for (const Stage& s : stages) {
        const bool needed = found[s.Code] == 0;
        if (!needed && s.Code != 0)
            continue;
        // The USB stage always sends its test, so that the register ends talking on USB.
        SendPortTest(s.Bytes, SingleFrameNumber);
        if (!needed)
            break;
        ReceiveAck();
        Sleep(unsigned(s.WaitMs));
        const int code = QueryRegisterPort();
        if (code == NoRegisterPort) {
            FailPortTest(QString::fromUtf8(s.Failure));
            return;
        }
        note(code);
    }

    CloseComPort();
    if (found[0] != 0) {
        LinkSettings.ComPortNumber = uint8_t(found[0]);
        if (OpenComPort(0, Link.SerialHandle) == 0)
            App.WorkMode |= WorkModeRegister;
        else
            App.WorkMode &= uint8_t(~WorkModeRegister);
    } else {
        LinkSettings.ComPortNumber = NoComPort;
        App.WorkMode &= uint8_t(~WorkModeRegister);
    }
    RequestStatusRefresh();
    ShowWaitPanel(Panel7, false);
    if (found[0] && found[1] && found[2]) {
        BitBtn2->setFocus();
        ShowTick(PackageStep::Ports);
    } else {
        ShowMessage(QStringLiteral("Wykryto niesprawny port!"));
    }
}

void TProgramowanieNowegoPakietu::BitBtn9Click()
{
    switch (QueryRegisterPort()) {
    case 0: ShowMessage(QStringLiteral("USB")); break;
    case 1: ShowMessage(QStringLiteral("COM A")); break;
    case 2: ShowMessage(QStringLiteral("COM B")); break;
    case NoRegisterPort: ShowMessage(QStringLiteral("BRAK")); break;
    default: ShowMessage(QString()); break;
    }
}

// ---- the settings steps ----

void TProgramowanieNowegoPakietu::BitBtn2Click()
{
    setEnabled(false);
    const QDate d = DateTimePicker1->date();
    const QTime t = DateTimePicker2->time();
    RunAckStep(PackageStep::Clock, DefaultPrintingWaitMs, [&] {
        SendClock(Link.RegisterAddress, SingleFrameNumber, uint32_t(d.year()) | uint32_t(d.month()) << 16,
                  uint32_t(d.day()) | uint32_t(t.hour()) << 16, uint32_t(t.minute()) | uint32_t(t.second()) << 16);
    }, BitBtn8);
    setEnabled(true);
}

void TProgramowanieNowegoPakietu::BitBtn12Click()
{
    DrainInput();
    if (KeyText().trimmed().isEmpty()) {
        ShowMessage(QStringLiteral("Wprowadź klucz"));
        MaskEdit2->setFocus();
        return;
    }
    if (UniqueNumberText().trimmed().isEmpty()) {
        ShowMessage(QStringLiteral("Wprowadź numer unikatowy"));
        MaskEdit1->setFocus();
        return;
    }
    ShowWaitPanel(Panel7, true);
    SendKeyAndUniqueNumber(Link.RegisterAddress, SingleFrameNumber, PaddedUniqueNumber(UniqueNumberText()),
                           PaddedFiscalMemoryKey(KeyText()));
    const int result = ReadReply(DefaultPrintingWaitMs);
    ShowWaitPanel(Panel7, false);
    if (ReplyAccepted(result)) {
        BitBtn1->setFocus();
        ShowTick(PackageStep::KeyAndNumber);
    }
}

void TProgramowanieNowegoPakietu::BitBtn8Click()
{
    if (UniqueNumberText().trimmed().isEmpty()) {
        ShowMessage(QStringLiteral("Wprowadź numer unikatowy"));
        MaskEdit1->setFocus();
        return;
    }
    ShowWaitPanel(Panel7, true);
    DrainInput();
    SendUniqueNumber(Link.RegisterAddress, SingleFrameNumber, PaddedUniqueNumber(UniqueNumberText()));
    Sleep(500);
    const int result = ReadReply(DefaultPrintingWaitMs);
    ShowWaitPanel(Panel7, false);
    if (ReplyAccepted(result))
        ShowTick(PackageStep::NumberOnly);
}

void TProgramowanieNowegoPakietu::BitBtn1Click()
{
    RunAckStep(PackageStep::Header, DefaultPrintingWaitMs,
               [] { SendHeader(Link.RegisterAddress, SingleFrameNumber); }, BitBtn3);
}

bool TProgramowanieNowegoPakietu::TextFitsFrame(const QString& text)
{
    const QString refusal = Cp1250Refusal(text);
    if (!refusal.isEmpty())
        ShowMessage(refusal);
    return refusal.isEmpty();
}

void TProgramowanieNowegoPakietu::BitBtn3Click()
{
    const QString symbol = Edit1->text();
    if (!TextFitsFrame(symbol))
        return;
    const QDate d = DateTimePicker1->date();
    ShowWaitPanel(Panel7, true);
    DrainInput();
    SendRecordCurrency(Link.RegisterAddress, SingleFrameNumber, ToCp1250(symbol), 1000, 3, 1, 0, uint16_t(d.year()),
                       uint8_t(d.month()), uint8_t(d.day()));
    Sleep(100);
    const int result = ReadReply(DefaultPrintingWaitMs);
    ShowWaitPanel(Panel7, false);
    if (ReplyAccepted(result))
        ShowTick(PackageStep::RecordCurrency);
}

void TProgramowanieNowegoPakietu::BitBtn4Click()
{
    RunAckStep(PackageStep::VatRates, 2000, [] { SendVatRates(Link.RegisterAddress, SingleFrameNumber, 0); },
               BitBtn5);
}

void TProgramowanieNowegoPakietu::BitBtn5Click()
{
    if (!TextFitsFrame(Edit2->text()))
        return;
    ShowWaitPanel(Panel7, true);
    DrainInput();
    SendNip(Link.RegisterAddress, SingleFrameNumber, PaddedTrainingNip(Edit2->text()));
    Sleep(1500);
    const int result = ReadReply(DefaultPrintingWaitMs);
    ShowWaitPanel(Panel7, false);
    if (ReplyAccepted(result))
        ShowTick(PackageStep::Nip);
}

// ---- the test goods ----

void TProgramowanieNowegoPakietu::BitBtn7Click()
{
    ExchangeGuard guard;
    DrainInput();
    ShowWaitPanel(Panel7, true);
    SendClearDatabase(Link.RegisterAddress, SingleFrameNumber);
    Sleep(100);
    ReceiveAck();
    Sleep(200);
    uint16_t n = 1;
    int accepted = 0;
    for (uint16_t plu = 1; plu <= 5; ++plu) {
        if (plu == 5)
            n |= LastFrameBit;
        if (SendGoodsRecord(Link.RegisterAddress, n, plu, plu, 0) == 0) {
            // An empty slot: nothing went out, so no reply is waited for.
            ShowWaitPanel(Panel7, false);
            return;
        }
        bool printed = false;
        const int result =
            ReceiveAckWaitingOutPrinting((n & 0xFF) == 1 ? 1000 : 500, ReceiveAck, [&](bool) { printed = true; });
        if (!printed)
            Sleep(100);
        if (ReplyAccepted(result)) {
            ++accepted;
            ++n;
            Sleep(80);
        } else if (result == AckErrorFrame) {
            ShowRegisterError(Link.ReceiveBuffer[8]);
            ++n;
        } else {
            ShowWaitPanel(Panel7, false);
            return;
        }
    }
    if (accepted == 5) {
        BitBtn11->setFocus();
        ShowTick(PackageStep::Goods);
    }
    ShowWaitPanel(Panel7, false);
    ShowMessage(QStringLiteral("Wyłącz tryb serwisowy, oraz dokonaj testowej sprzedaży, i wykonaj raport dobowy."));
}

void TProgramowanieNowegoPakietu::BitBtn11Click()
{
    ExchangeGuard guard;
    DrainInput();
    RequestSalesReportByRange(Link.RegisterAddress, SingleFrameNumber, 1, 1, 2000, 1, 0);
    ReceiveAckWaitingOutPrinting(1800);
    Sleep(1000);
    DrainInput();

    // The register's goods by PLU: name of 42 bytes.
    std::map<uint16_t, std::string> goods;
    Link.AbortRequestFlag = 0;
    SendCommandWithWord(Link.RegisterAddress, 1, 'T', 0);
    int result = FrameMore;
    while (result == FrameMore) {
        ProcessMessages();
        result = ReceiveFrame(GoodsDataFrameLength);
        if (result != FrameMore && result != FrameLast)
            break;
        const uint8_t* f = Link.ReceiveBuffer;
        const uint16_t plu = uint16_t(f[7] | (f[8] << 8));
        if (plu >= 1 && plu <= App.MaxGoodsCount)
            goods[plu] = std::string(reinterpret_cast<const char*>(f + 9), 42);
    }
    if (Link.AbortRequestFlag)
        return;   // stopped by the user: the goods read so far are not all the register holds
    const bool readWhole = result == FrameLast;
    Sleep(150);

    uint16_t n = 1;
    std::size_t deleted = 0;
    for (auto it = goods.begin(); it != goods.end(); ++it) {
        if (std::next(it) == goods.end())
            n |= LastFrameBit;
        DeleteGoodsRecord(Link.RegisterAddress, n, it->first, it->second, 0);
        const int reply = ReceiveAckWaitingOutPrinting((n & 0xFF) == 1 ? 800 : 250);
        ++n;
        if (reply == AckAccepted) {
            ++deleted;
            Sleep(50);
            continue;
        }
        if (reply == AckDone)
            ++deleted;
        else if (reply == AckErrorFrame)
            ShowRegisterError(Link.ReceiveBuffer[8]);
        break;
    }
    if (readWhole && deleted == goods.size())
        ShowTick(PackageStep::DeleteGoods);
}

void TProgramowanieNowegoPakietu::Button2Click()
{
    DrainInput();
    SendClearDatabase(Link.RegisterAddress, SingleFrameNumber);
    ReceiveAck();
}
