#include "sync/SynchronizacjaBazyKasjerow.h"

#include "core/AppState.h"
#include "core/Helpers.h"
#include "core/StatusHook.h"
#include "link/Commands.h"
#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "platform/Time.h"
#include "sync/CashierSyncLogic.h"
#include "sync/CheckListBox.h"
#include "sync/RegisterRecords.h"
#include "sync/SendSeries.h"
#include "tables/GoodsLogic.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

TSynchronizacjaBazyKasjerow* SynchronizacjaBazyKasjerow = nullptr;

namespace {

namespace C = RegisterCashierRecord;

QLabel* DetailRow(QGridLayout* grid, int row, int column, const QString& caption, QWidget* parent)
{
    grid->addWidget(new QLabel(caption, parent), row, column);
    auto* value = new QLabel(parent);
    grid->addWidget(value, row, column + 1);
    return value;
}

} // namespace

TSynchronizacjaBazyKasjerow::TSynchronizacjaBazyKasjerow(QWidget* parent)
    : TForm(parent), RegisterCashierMirror(RegisterCashierSlots, C::Size), instance_(SynchronizacjaBazyKasjerow, this)
{
    setWindowTitle(QStringLiteral("Podgląd bazy kasjerów"));
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    Label1 = new QLabel(QStringLiteral("Baza kasjerów PC"), this);
    CheckListBox1 = new CheckListBox(this);
    BitBtn9 = new QPushButton(QStringLiteral("Zaznacz/odznacz wszystko "), this);
    left->addWidget(Label1);
    left->addWidget(CheckListBox1, 1);
    left->addWidget(BitBtn9);

    auto* middle = new QVBoxLayout;
    BitBtn2 = new QPushButton(QStringLiteral("Skopiuj zaznaczone\nrekordy do kasy"), this);
    BitBtn4 = new QPushButton(QStringLiteral("Skopiuj zaznaczone\nrekordy do PC"), this);
    BitBtn8 = new QPushButton(QStringLiteral("Usuń"), this);
    BitBtn6 = new QPushButton(QStringLiteral("&Odśwież"), this);
    for (QPushButton* b : {BitBtn2, BitBtn4, BitBtn8, BitBtn6}) {
        b->setMinimumHeight(44);
        middle->addWidget(b);
    }
    CheckBox1 = new QCheckBox(QStringLiteral("Potwierdzaj wprowadzanie kasjerów z klawiatury kasy"), this);
    middle->addWidget(CheckBox1);
    Panel7 = new QFrame(this);
    Panel7->setFrameShape(QFrame::Panel);
    Panel7->setFrameShadow(QFrame::Raised);
    auto* wait = new QVBoxLayout(Panel7);
    auto* waitText = new QLabel(QStringLiteral("Czekaj..."), Panel7);
    QFont bold = waitText->font();
    bold.setBold(true);
    waitText->setFont(bold);
    wait->addWidget(waitText, 0, Qt::AlignCenter);
    Panel7->hide();
    middle->addWidget(Panel7);
    middle->addStretch();

    auto* right = new QVBoxLayout;
    Label2 = new QLabel(QStringLiteral("Baza kasjerów Orva Tepo"), this);
    CheckListBox2 = new CheckListBox(this);
    BitBtn1 = new QPushButton(QStringLiteral("Zaznacz/odznacz wszystko "), this);
    right->addWidget(Label2);
    right->addWidget(CheckListBox2, 1);
    right->addWidget(BitBtn1);
    for (CheckListBox* list : {CheckListBox1, CheckListBox2})
        list->setMinimumSize(260, 240);
    top->addLayout(left, 1);
    top->addLayout(middle);
    top->addLayout(right, 1);

    auto* details = new QGroupBox(QStringLiteral("Dane kasjera"), this);
    auto* grid = new QGridLayout(details);
    DetailName = DetailRow(grid, 0, 0, QStringLiteral("Nazwa:"), details);
    Button6 = new QPushButton(QStringLiteral("Pokaż hasło"), details);
    grid->addWidget(Button6, 1, 0);
    DetailPassword = new QLabel(details);
    grid->addWidget(DetailPassword, 1, 1);
    for (std::size_t i = 0; i < RightValues.size(); ++i) {
        RightCaptions[i] = new QLabel(CashierRightLabels[i], details);
        RightValues[i] = new QLabel(details);
        grid->addWidget(RightCaptions[i], int(2 + i), 0);
        grid->addWidget(RightValues[i], int(2 + i), 1);
    }
    LoggedInLabel = new QLabel(QStringLiteral("KASJER ZALOGOWANY!"), details);
    LoggedInLabel->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    grid->addWidget(LoggedInLabel, 9, 0, 1, 2);
    DetailCashTakings = DetailRow(grid, 0, 2, QStringLiteral("Utarg gotówkowy"), details);
    DetailTotalTakings = DetailRow(grid, 1, 2, QStringLiteral("Utarg całkowity"), details);
    DetailReceiptsIssued = DetailRow(grid, 2, 2, QStringLiteral("Liczba wydanych paragonów"), details);
    DetailReceiptsCancelled = DetailRow(grid, 3, 2, QStringLiteral("Liczba anulowanych paragonów"), details);
    DetailCancelledAmount = DetailRow(grid, 4, 2, QStringLiteral("Kwota anulowanych paragonów"), details);
    DetailStornoCount = DetailRow(grid, 5, 2, QStringLiteral("Liczba storno"), details);
    DetailStornoAmount = DetailRow(grid, 6, 2, QStringLiteral("Kwota storno"), details);
    DetailPayIns = DetailRow(grid, 7, 2, QStringLiteral("Wpłaty do kasy"), details);
    DetailPayOuts = DetailRow(grid, 8, 2, QStringLiteral("Wypłaty z kasy"), details);
    DetailPackagingsTaken = DetailRow(grid, 9, 2, QStringLiteral("Zwroty opakowań zwrotnych"), details);
    DetailPackagingsIssued = DetailRow(grid, 10, 2, QStringLiteral("Wydania opakowań zwrotnych"), details);
    DetailLastLogin = DetailRow(grid, 11, 2, QStringLiteral("Ostatnie logowanie:"), details);
    DetailLastLogout = DetailRow(grid, 12, 2, QStringLiteral("Ostatnie wylogowanie:"), details);
    DetailWorkTime = DetailRow(grid, 13, 2, QStringLiteral("Całkowity czas pracy:"), details);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top, 1);
    outer->addWidget(details);

    connect(CheckListBox1, &CheckListBox::ItemClicked, this, [this] { CheckListBox1Click(); });
    connect(CheckListBox2, &CheckListBox::ItemClicked, this, [this] { CheckListBox2Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connect(BitBtn8, &QPushButton::clicked, this, [this] { BitBtn8Click(); });
    connect(BitBtn6, &QPushButton::clicked, this, [this] { BitBtn6Click(); });
    connect(BitBtn9, &QPushButton::clicked, this, [this] { BitBtn9Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
}

void TSynchronizacjaBazyKasjerow::FormShow()
{
    ShowDetails({}, false);
    Button6->setText(QStringLiteral("Pokaż hasło"));
    DetailPassword->hide();
    CheckListBox1->ResetTickAll();
    CheckListBox2->ResetTickAll();
    FillPcPane();
    FillRegisterPane();
    CheckBox1Click();
}

bool TSynchronizacjaBazyKasjerow::FormKeyDown(int key)
{
    if (key != Qt::Key_Escape || !transferring_)
        return false;
    Link.AbortRequestFlag = 1;
    return true;
}

void TSynchronizacjaBazyKasjerow::closeEvent(QCloseEvent* event)
{
    if (transferring_) {
        Link.AbortRequestFlag = 1;
        event->ignore();
        return;
    }
    TForm::closeEvent(event);
}

void TSynchronizacjaBazyKasjerow::FillPcPane() { CheckListBox1->SetItems(PcCashierItems()); }

void TSynchronizacjaBazyKasjerow::FillRegisterPane()
{
    CheckListBox2->SetItems(RegisterCashierItems(RegisterCashierMirror));
}

void TSynchronizacjaBazyKasjerow::CzekajON()
{
    // Nothing but Esc works while the link is busy.
    lockedControls_.clear();
    for (QWidget* w : findChildren<QWidget*>()) {
        if (!qobject_cast<QPushButton*>(w) && !qobject_cast<QCheckBox*>(w) && !qobject_cast<CheckListBox*>(w))
            continue;
        lockedControls_.emplace_back(w, w->isEnabled());
        w->setEnabled(false);
    }
    Panel7->show();
    Panel7->repaint();
    transferring_ = true;
}

void TSynchronizacjaBazyKasjerow::CzekajOFF()
{
    Panel7->hide();
    for (auto& [w, enabled] : lockedControls_)
        w->setEnabled(enabled);
    lockedControls_.clear();
    transferring_ = false;
}

void TSynchronizacjaBazyKasjerow::ShowDetails(const CashierDetails& d, bool registerSide)
{
    DetailName->setText(d.Name);
    DetailPassword->setText(d.Password);
    for (std::size_t i = 0; i < RightValues.size(); ++i) {
        RightValues[i]->setText(d.Rights[i]);
        RightCaptions[i]->setVisible(!d.Rights[i].isEmpty());
        RightValues[i]->setVisible(!d.Rights[i].isEmpty());
    }
    for (auto [label, text] : std::initializer_list<std::pair<QLabel*, QString>>{
             {DetailCashTakings, d.CashTakings}, {DetailTotalTakings, d.TotalTakings},
             {DetailReceiptsIssued, d.ReceiptsIssued}, {DetailReceiptsCancelled, d.ReceiptsCancelled},
             {DetailCancelledAmount, d.CancelledAmount}, {DetailStornoCount, d.StornoCount},
             {DetailStornoAmount, d.StornoAmount}, {DetailPayIns, d.PayIns}, {DetailPayOuts, d.PayOuts},
             {DetailPackagingsTaken, d.PackagingsTaken}, {DetailPackagingsIssued, d.PackagingsIssued},
             {DetailLastLogin, d.LastLogin}, {DetailLastLogout, d.LastLogout}, {DetailWorkTime, d.WorkTime}})
        label->setText(registerSide ? text : QString());
    LoggedInLabel->setVisible(registerSide && d.LoggedIn);
}

// ---- reading ----

void TSynchronizacjaBazyKasjerow::BitBtn6Click()
{
    ExchangeGuard guard;
    if (transferring_)
        return;
    CzekajON();
    ShowDetails({}, false);
    Button6->setText(QStringLiteral("Pokaż hasło"));
    DetailPassword->hide();
    CheckListBox2->Clear();
    TableReadOptions options;
    options.ProcessEvents = true;
    options.EndReadOnChecksumError = true;
    const TableReadResult read = ReadTableIntoMirror('K', CashierDataFrameLength, RegisterCashierMirror, options);
    CzekajOFF();
    FillRegisterPane();
    ReportStoppedRead(read);
}

// ---- sending ----

void TSynchronizacjaBazyKasjerow::BitBtn2Click()
{
    ExchangeGuard guard;
    if (transferring_)
        return;
    CzekajON();
    Link.AbortRequestFlag = 0;
    DrainInput();
    const int ticked = CheckListBox1->CheckedCount();
    if (ticked == 0) {
        CzekajOFF();
        return;
    }
    uint16_t frame = 1;
    int accepted = 0, position = 0;
    SeriesStop stop;
    for (int row = 0; row < CheckListBox1->Count(); ++row) {
        if (!CheckListBox1->Checked(row))
            continue;
        const bool lastTicked = ++position == ticked;
        if (stop.BeforeFrame() || lastTicked)
            frame |= LastFrameBit;
        const unsigned n = unsigned(NumberBeforeDot(CheckListBox1->Item(row)));
        SendCashierRecord(Link.RegisterAddress, frame, uint8_t(n), uint8_t(n), ConfirmFlag);
        const int r = ReceiveAckWaitingOutPrinting(position == 1 ? 2300 : 1700);
        const bool last = (frame & LastFrameBit) != 0;
        ++frame;
        const bool taken = r == AckAccepted || r == AckDone;
        if (taken) {
            ++accepted;
            repaint();
        }
        if (stop.EndsSeries(r))
            break;
        if (taken) {
            if (r == AckAccepted)
                WaitWithEvents(50, false);
            if (r == AckDone && last)
                break;
        } else if (r != AckErrorFrame) {
            DrainInput();
            ShowMessage(QStringLiteral("Wystąpił błąd transmisji. Zaprogramowano ") + QString::number(accepted) +
                        QStringLiteral(" kasjerów."));
            CzekajOFF();
            return;
        }
    }
    // After a stop nothing more goes out, not even the read that refreshes the pane.
    if (stop.ReportStop()) {
        CzekajOFF();
        return;
    }
    ShowMessage(QStringLiteral(" Zaprogramowano ") + QString::number(accepted) + QStringLiteral(" kasjerów."));
    WaitWithEvents(400, false);
    CzekajOFF();
    BitBtn6Click();
}

// ---- copies and deletes ----

void TSynchronizacjaBazyKasjerow::BitBtn4Click()
{
    if (transferring_ || CheckListBox2->CheckedCount() == 0)
        return;
    if (!GoodsImageReadable()) {
        ShowMessage(QString::fromUtf8(GoodsTexts::FileClosed));
        return;
    }
    bool copied = false;
    for (int row = 0; row < CheckListBox2->Count(); ++row) {
        const unsigned n = unsigned(NumberBeforeDot(CheckListBox2->Item(row)));
        if (CheckListBox2->Checked(row) && RegisterCashierMirror.Used(n))
            copied |= CopyRegisterCashierToImage(RegisterCashierMirror.Slot(n));
    }
    if (copied) {
        MarkDatabaseModified();
        RequestStatusRefresh();
    }
    FillPcPane();
}

void TSynchronizacjaBazyKasjerow::BitBtn8Click()
{
    ExchangeGuard guard;
    if (transferring_)
        return;
    CzekajON();
    Link.AbortRequestFlag = 0;
    DrainInput();
    const int ticked = CheckListBox2->CheckedCount();
    uint16_t frame = 1;
    int position = 0;
    SeriesStop stop;
    for (int row = 0; row < CheckListBox2->Count() && ticked > 0; ++row) {
        if (!CheckListBox2->Checked(row))
            continue;
        const bool lastTicked = ++position == ticked;
        if (stop.BeforeFrame() || lastTicked)
            frame |= LastFrameBit;
        const unsigned n = unsigned(NumberBeforeDot(CheckListBox2->Item(row)));
        const uint8_t* slot = RegisterCashierMirror.Slot(n);
        const std::string name = slot ? BytesToString(slot + C::Name, C::NameSize) : std::string();
        DeleteCashierRecord(Link.RegisterAddress, frame, uint8_t(n), name);
        const int r = ReceiveAckWaitingOutPrinting((frame & 0xFF) == 1 ? 800 : 250);
        const bool last = (frame & LastFrameBit) != 0;
        ++frame;
        const bool taken = r == AckAccepted || r == AckDone;
        if (taken)
            RegisterCashierMirror.Erase(n);
        if (stop.EndsSeries(r))
            break;
        if (taken) {
            WaitWithEvents(50, false);
            if (last)
                break;
        } else if (r == AckErrorFrame) {
            ShowRegisterError(Link.ReceiveBuffer[8]);
        } else {
            break;
        }
    }
    CzekajOFF();
    FillRegisterPane();
    stop.ReportStop();
}

// ---- ticks and details ----

void TSynchronizacjaBazyKasjerow::BitBtn9Click() { CheckListBox1->TickAllToggle(); }

void TSynchronizacjaBazyKasjerow::BitBtn1Click() { CheckListBox2->TickAllToggle(); }

void TSynchronizacjaBazyKasjerow::Button6Click()
{
    const bool show = !DetailPassword->isVisibleTo(this);
    DetailPassword->setVisible(show);
    Button6->setText(show ? QStringLiteral("Ukryj hasło") : QStringLiteral("Pokaż hasło"));
}

void TSynchronizacjaBazyKasjerow::CheckBox1Click() { ConfirmFlag = CheckBox1->isChecked() ? 1 : 0; }

void TSynchronizacjaBazyKasjerow::CheckListBox1Click()
{
    const int row = CheckListBox1->ItemIndex();
    if (row >= 0)
        ShowDetails(PcCashierDetails(unsigned(NumberBeforeDot(CheckListBox1->Item(row)))), false);
}

void TSynchronizacjaBazyKasjerow::CheckListBox2Click()
{
    const int row = CheckListBox2->ItemIndex();
    const unsigned n = row >= 0 ? unsigned(NumberBeforeDot(CheckListBox2->Item(row))) : 0;
    if (RegisterCashierMirror.Used(n))
        ShowDetails(RegisterCashierDetails(RegisterCashierMirror.Slot(n)), true);
}
