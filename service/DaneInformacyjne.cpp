#include "service/DaneInformacyjne.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "service/WaitPanel.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>

TDaneInformacyjne* DaneInformacyjne = nullptr;

namespace {

const QString Unread = QStringLiteral("________");

QLabel* ValueLabel(QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setStyleSheet(QStringLiteral("font-weight: bold;"));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

TDaneInformacyjne::TDaneInformacyjne(QWidget* parent) : TForm(parent), instance_(DaneInformacyjne, this)
{
    setWindowTitle(QStringLiteral("Dane informacyjne kasy"));

    auto* main = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(3);
    int row = 0;
    auto addRow = [&](QGridLayout* g, int& r, const QString& caption, QLabel*& value, QWidget* owner,
                      QLabel** captionLabel = nullptr) {
        auto* c = new QLabel(caption, owner);
        value = ValueLabel(owner);
        g->addWidget(c, r, 0);
        g->addWidget(value, r, 1);
        ++r;
        if (captionLabel)
            *captionLabel = c;
    };
    addRow(grid, row, QStringLiteral("Wersja oprogramowania"), Label25, this);
    addRow(grid, row, QStringLiteral("Oznaczenie pamięci z programem pracy"), Label61, this);
    addRow(grid, row, QStringLiteral("Numer unikatowy"), Label26, this);
    addRow(grid, row, QStringLiteral("NIP"), Label27, this);
    addRow(grid, row, QStringLiteral("Sygnatura pamięci fiskalnej"), Label28, this);
    addRow(grid, row, QStringLiteral("Tryb pracy"), Label29, this);
    addRow(grid, row, QStringLiteral("Stan pamięci"), Label30, this);
    addRow(grid, row, QStringLiteral("Data ostatniego zapisu do pamięci fiskalnej"), Label31, this);
    auto* reportTitle = new QLabel(QStringLiteral("Dane ostatniego raportu dobowego"), this);
    reportTitle->setStyleSheet(QStringLiteral("font-weight: bold; color: #1f4e9a;"));
    grid->addWidget(reportTitle, row++, 0, 1, 2);
    addRow(grid, row, QStringLiteral("Godzina i data wykonania"), Label32, this, &Label9);
    Label9->setCursor(Qt::PointingHandCursor);
    Label9->installEventFilter(this);
    addRow(grid, row, QStringLiteral("Numer raportu"), Label33, this);
    addRow(grid, row, QStringLiteral("Numer nośnika kopii elektronicznej"), Label34, this);
    addRow(grid, row, QStringLiteral("Liczba zerowań RAM"), Label35, this);
    addRow(grid, row, QStringLiteral("Liczba wydanych paragonów od ostatniego raportu dobowego"), Label36, this);
    addRow(grid, row, QStringLiteral("Liczba wydanych paragonów od fiskalizacji"), Label37, this);
    addRow(grid, row, QStringLiteral("Sprzedaż rozpoczęta"), Label38, this);
    addRow(grid, row, QStringLiteral("Tryb serwisowy"), Label39, this);
    addRow(grid, row, QStringLiteral("Zaprogramowany nagłówek"), Label40, this);
    addRow(grid, row, QStringLiteral("Ilość zapisów stawek PTU"), Label63, this);
    addRow(grid, row, QStringLiteral("Numer kasy"), Label41, this);
    addRow(grid, row, QStringLiteral("Nazwa zalogowanego kasjera"), Label42, this);
    addRow(grid, row, QStringLiteral("Symbol waluty ewidencyjnej"), Label44, this);
    addRow(grid, row, QStringLiteral("Data zaprogramowania waluty ewidencyjnej"), Label45, this);
    addRow(grid, row, QStringLiteral("Rozmiar karty kopii elektronicznej"), Label43, this);
    grid->setColumnStretch(2, 1);

    GroupBoxChange = new QGroupBox(QStringLiteral("Zmiana waluty ewidencyjnej"), this);
    auto* change = new QGridLayout(GroupBoxChange);
    int crow = 0;
    addRow(change, crow, QStringLiteral("Zaprogramowana zmiana\nwaluty ewidencyjnej"), Label51, GroupBoxChange);
    addRow(change, crow, QStringLiteral("Symbol nowej\nwaluty ewidencyjnej"), Label54, GroupBoxChange, &Label52);
    addRow(change, crow, QStringLiteral("Data zmiany\nwaluty ewidencyjnej"), Label56, GroupBoxChange, &Label55);
    // The two spare labels of the planned-change rows: the units beside the values.
    Label53 = new QLabel(GroupBoxChange);
    Label57 = new QLabel(GroupBoxChange);
    change->addWidget(Label53, 1, 2);
    change->addWidget(Label57, 2, 2);

    GroupBoxPorts = new QGroupBox(QStringLiteral("Porty wyjścia"), this);
    auto* ports = new QGridLayout(GroupBoxPorts);
    int prow = 0;
    addRow(ports, prow, QStringLiteral("COM A"), Label46, GroupBoxPorts);
    addRow(ports, prow, QStringLiteral("COM B"), Label47, GroupBoxPorts);
    addRow(ports, prow, QStringLiteral("USB"), Label48, GroupBoxPorts);
    addRow(ports, prow, QStringLiteral("WIFI"), Label66, GroupBoxPorts);

    auto* right = new QVBoxLayout;
    right->addWidget(GroupBoxChange);
    right->addWidget(GroupBoxPorts);
    right->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addLayout(grid, 1);
    body->addLayout(right);
    main->addLayout(body);

    Button1 = new QPushButton(QStringLiteral("Pobierz dane informacyjne"), this);
    Button2 = new QPushButton(QStringLiteral("Anuluj"), this);
    for (QPushButton* b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setMinimumHeight(32);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    main->addLayout(buttons);

    Panel7 = MakeWaitPanel(this);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    FormCreate();
}

void TDaneInformacyjne::FormCreate()
{
    for (QLabel* l : {Label25, Label61, Label26, Label27, Label28, Label29, Label30, Label31, Label32, Label33,
                      Label34, Label35, Label36, Label37, Label38, Label39, Label40, Label63, Label41, Label42,
                      Label44, Label45, Label51, Label54, Label56, Label46, Label47, Label48, Label66, Label43})
        l->setText(Unread);
}

void TDaneInformacyjne::ShowTexts(const InfoRecordTexts& t)
{
    const std::pair<QLabel*, const QString*> values[] = {
        {Label25, &t.Version}, {Label61, &t.ProgramMemory}, {Label26, &t.UniqueNumber}, {Label27, &t.Nip},
        {Label28, &t.Signature}, {Label29, &t.WorkingMode}, {Label30, &t.MemoryState}, {Label31, &t.LastWrite},
        {Label32, &t.LastReport}, {Label33, &t.ReportNumber}, {Label34, &t.CopyMedium}, {Label35, &t.RamClears},
        {Label36, &t.ReceiptsSinceReport}, {Label37, &t.ReceiptsSinceFiscal}, {Label38, &t.SalesStarted},
        {Label39, &t.ServiceMode}, {Label40, &t.HeaderProgrammed}, {Label63, &t.VatWrites},
        {Label41, &t.RegisterNumber}, {Label42, &t.Cashier}, {Label44, &t.CurrencySymbol},
        {Label45, &t.CurrencyDate}, {Label51, &t.ChangePlanned}, {Label54, &t.NewSymbol},
        {Label56, &t.ChangeDate}, {Label46, &t.ComA}, {Label47, &t.ComB}, {Label48, &t.Usb},
        {Label66, &t.Wifi}, {Label43, &t.CardSize},
    };
    for (const auto& [label, text] : values)
        label->setText(*text);
    for (QLabel* l : {Label52, Label53, Label54, Label55, Label56, Label57})
        l->setEnabled(t.ChangeRowsEnabled);
}

void TDaneInformacyjne::Button1Click()
{
    setEnabled(false);
    ShowWaitPanel(Panel7, true);

    DrainInput();
    std::memset(Link.ReceiveBuffer, 0, ReceiveBufferSize);
    SendCommandWithWord(Link.RegisterAddress, SingleFrameNumber, 'I', 0);
    const int got = ReadRaw(Link.ReceiveBuffer, InfoReplyNewLength, true);
    InfoLayout layout = InfoLayout::New;
    const InfoReply reply = ClassifyInfoReply(Link.ReceiveBuffer, std::size_t(got), layout);

    ShowWaitPanel(Panel7, false);
    setEnabled(true);
    if (reply == InfoReply::ErrorFrame)
        ShowRegisterError(Link.ReceiveBuffer[8]);
    else if (reply == InfoReply::Broken)
        ShowMessage(QStringLiteral("Brak komunikacji"));
    else
        ShowTexts(DecodeInfoRecord(Link.ReceiveBuffer + InfoPayloadOffset, layout));
}

void TDaneInformacyjne::Button2Click() { close(); }

bool TDaneInformacyjne::FormKeyDown(int key)
{
    return EscEnterKey(key, [this] { close(); }, [this] { Button1->click(); });
}

bool TDaneInformacyjne::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label9 && event->type() == QEvent::MouseButtonRelease && isEnabled()) {
        Button1Click();
        return true;
    }
    return TForm::eventFilter(watched, event);
}
