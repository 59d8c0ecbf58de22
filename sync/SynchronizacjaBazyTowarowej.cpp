#include "sync/SynchronizacjaBazyTowarowej.h"

#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "core/Helpers.h"
#include "core/MessageList.h"
#include "core/StatusHook.h"
#include "link/Commands.h"
#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "platform/Cp1250.h"
#include "platform/Modal.h"
#include "platform/Prompts.h"
#include "platform/Time.h"
#include "sync/CheckListBox.h"
#include "sync/GoodsSyncLogic.h"
#include "sync/RegisterRecords.h"
#include "sync/SendSeries.h"
#include "tables/EdycjaTowaru.h"
#include "tables/GoodsLogic.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

TSynchronizacjaBazyTowarowej* SynchronizacjaBazyTowarowej = nullptr;

namespace {

QFrame* TransferPanel(QWidget* parent, const QString& title, const QString& counterCaption, QLabel*& counter,
                      QPushButton*& cancel, QVBoxLayout*& extra)
{
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    auto* v = new QVBoxLayout(panel);
    auto* heading = new QLabel(title, panel);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    v->addWidget(heading);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(counterCaption, panel));
    counter = new QLabel(QStringLiteral("0"), panel);
    row->addWidget(counter);
    row->addStretch();
    v->addLayout(row);
    extra = new QVBoxLayout;
    v->addLayout(extra);
    cancel = new QPushButton(QStringLiteral("Anuluj"), panel);
    v->addWidget(cancel, 0, Qt::AlignHCenter);
    panel->hide();
    return panel;
}

QLabel* DetailRow(QGridLayout* grid, int row, const QString& caption, QWidget* parent)
{
    grid->addWidget(new QLabel(caption, parent), row, 0);
    auto* value = new QLabel(parent);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(value, row, 1);
    return value;
}

} // namespace

TSynchronizacjaBazyTowarowej::TSynchronizacjaBazyTowarowej(QWidget* parent)
    : TForm(parent), instance_(SynchronizacjaBazyTowarowej, this)
{
    setWindowTitle(QStringLiteral("Podgląd bazy towarowej"));
    ResetRegisterGoodsMirror();
    auto* top = new QHBoxLayout;

    // PC side
    auto* left = new QVBoxLayout;
    Label1 = new QLabel(QStringLiteral("Baza towarowa PC"), this);
    CheckListBox1 = new CheckListBox(this);
    CheckListBox1->setMinimumSize(330, 360);
    auto* pcBar = new QHBoxLayout;
    ProgressBar1 = new QProgressBar(this);
    Label4 = new QLabel(this);
    pcBar->addWidget(ProgressBar1, 1);
    pcBar->addWidget(Label4);
    BitBtn9 = new QPushButton(QStringLiteral("Zaznacz/odznacz wszystko    "), this);
    BitBtn3 = new QPushButton(QStringLiteral("&Edytuj towar"), this);
    BitBtn5 = new QPushButton(QStringLiteral("Usuń zaznaczone rekordy z PC"), this);
    left->addWidget(Label1);
    left->addWidget(CheckListBox1, 1);
    left->addLayout(pcBar);
    left->addWidget(BitBtn9);
    left->addWidget(BitBtn3);
    left->addWidget(BitBtn5);

    // the transfer buttons and panels between the panes
    auto* middle = new QVBoxLayout;
    BitBtn2 = new QPushButton(QStringLiteral("Skopiuj zaznaczone\nrekordy do kasy"), this);
    BitBtn4 = new QPushButton(QStringLiteral("Skopiuj zaznaczone\nrekordy do PC"), this);
    BitBtn8 = new QPushButton(QStringLiteral("Usuń zaznaczone\nrekordy z kasy"), this);
    BitBtn6 = new QPushButton(QStringLiteral("&Odśwież"), this);
    CheckBox1 = new QCheckBox(QStringLiteral("Potwierdzaj wprowadzanie towarów z klawiatury kasy"), this);
    for (QPushButton* b : {BitBtn2, BitBtn4, BitBtn8, BitBtn6}) {
        b->setMinimumHeight(44);
        middle->addWidget(b);
    }
    middle->addWidget(CheckBox1);
    QVBoxLayout* extra = nullptr;
    Panel2 = TransferPanel(this, QStringLiteral("Trwa importowanie bazy towarowej..."),
                           QStringLiteral("Liczba zaimportowanych towarów:"), ImportCounter, Button2, extra);
    Panel3 = TransferPanel(this, QStringLiteral("Trwa wysyłanie bazy towarowej..."),
                           QStringLiteral("Liczba wysłanych towarów:"), SendCounter, Button1, extra);
    SendPrinting = new QLabel(QStringLiteral("Drukuję..."), Panel3);
    SendPrinting->hide();
    auto* errorRow = new QHBoxLayout;
    ErrorsLabel = new QLabel(QStringLiteral("Błędy:"), Panel3);
    ErrorCounter = new QLabel(Panel3);
    ErrorsLabel->hide();
    ErrorCounter->hide();
    errorRow->addWidget(ErrorsLabel);
    errorRow->addWidget(ErrorCounter);
    errorRow->addStretch();
    extra->addWidget(SendPrinting);
    extra->addLayout(errorRow);
    Panel5 = TransferPanel(this, QStringLiteral("Trwa kasowanie bazy towarowej..."),
                           QStringLiteral("Liczba skasowanych towarów:"), DeleteCounter, Button3, extra);
    DeletePrinting = new QLabel(QStringLiteral("Drukuję..."), Panel5);
    DeletePrinting->hide();
    extra->addWidget(DeletePrinting);
    for (QFrame* p : {Panel2, Panel3, Panel5})
        middle->addWidget(p);
    middle->addStretch();

    // register side
    auto* right = new QVBoxLayout;
    Label2 = new QLabel(QStringLiteral("Baza towarowa kasy Orva Tepo"), this);
    CheckListBox2 = new CheckListBox(this);
    CheckListBox2->setMinimumSize(350, 360);
    auto* regBar = new QHBoxLayout;
    ProgressBar2 = new QProgressBar(this);
    Label21 = new QLabel(this);
    regBar->addWidget(ProgressBar2, 1);
    regBar->addWidget(Label21);
    BitBtn1 = new QPushButton(QStringLiteral("Zaznacz/odznacz wszystko    "), this);
    right->addWidget(Label2);
    right->addWidget(CheckListBox2, 1);
    right->addLayout(regBar);
    right->addWidget(BitBtn1);
    for (QProgressBar* bar : {ProgressBar1, ProgressBar2}) {
        bar->setRange(0, int(RegisterGoodsSlots / 4));
        bar->setTextVisible(false);
    }

    top->addLayout(left, 1);
    top->addLayout(middle);
    top->addLayout(right, 1);

    // details and tools below
    auto* details = new QGroupBox(QStringLiteral("Szczegóły towaru"), this);
    auto* grid = new QGridLayout(details);
    DetailName = DetailRow(grid, 0, QStringLiteral("Nazwa:"), details);
    DetailPtu = DetailRow(grid, 1, QStringLiteral("PTU:"), details);
    DetailBarcode = DetailRow(grid, 2, QStringLiteral("Kod kreskowy:"), details);
    DetailGroup = DetailRow(grid, 3, QStringLiteral("Grupa:"), details);
    DetailTandem = DetailRow(grid, 4, QStringLiteral("Opakowanie tandem:"), details);
    DetailFixedPrice = DetailRow(grid, 5, QStringLiteral("Cena sztywna:"), details);
    DetailWholeUnits = DetailRow(grid, 6, QStringLiteral("Sprzedaż na sztuki:"), details);
    DetailHalo = DetailRow(grid, 7, QStringLiteral("HALO:"), details);
    DetailUnit = DetailRow(grid, 8, QStringLiteral("Jednostka:"), details);
    DetailLastSale = DetailRow(grid, 9, QStringLiteral("Ostatnia sprzedaż:"), details);
    DetailQuantity = DetailRow(grid, 10, QStringLiteral("Ilość sprzedana:"), details);
    DetailValue = DetailRow(grid, 11, QStringLiteral("Wartość sprzedaży:"), details);
    auto* tools = new QWidget(this);
    BuildTools(tools);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(details, 1);
    bottom->addWidget(tools, 1);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top, 1);
    outer->addLayout(bottom);

    connect(CheckListBox1, &CheckListBox::ItemClicked, this, [this] { CheckListBox1Click(); });
    connect(CheckListBox2, &CheckListBox::ItemClicked, this, [this] { CheckListBox2Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connect(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
    connect(BitBtn8, &QPushButton::clicked, this, [this] { BitBtn8Click(); });
    connect(BitBtn6, &QPushButton::clicked, this, [this] { BitBtn6Click(); });
    connect(BitBtn9, &QPushButton::clicked, this, [this] { BitBtn9Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
}

void TSynchronizacjaBazyTowarowej::FormShow()
{
    for (QWidget* w : findChildren<QWidget*>())
        w->setEnabled(true);
    ShowDetails({});
    CheckListBox1->SetItemIndex(-1);
    CheckListBox1->ResetTickAll();
    CheckListBox2->ResetTickAll();
    FillPcPane();
    FillRegisterPane();
    CheckBox1Click();
}

bool TSynchronizacjaBazyTowarowej::FormKeyDown(int key)
{
    if (key != Qt::Key_Escape || !transferring_)
        return false;
    Button1Click();
    return true;
}

void TSynchronizacjaBazyTowarowej::closeEvent(QCloseEvent* event)
{
    // Closing stops the transfer first; the window closes once it has ended cleanly.
    if (transferring_) {
        Link.AbortRequestFlag = 1;
        event->ignore();
        return;
    }
    TForm::closeEvent(event);
}

void TSynchronizacjaBazyTowarowej::FillPcPane()
{
    CheckListBox1->SetItems(PcGoodsItems());
    RefreshBar(ProgressBar1, Label4, CheckListBox1->Count());
}

void TSynchronizacjaBazyTowarowej::FillRegisterPane()
{
    CheckListBox2->SetItems(RegisterGoodsItems());
    RefreshBar(ProgressBar2, Label21, CheckListBox2->Count());
}

void TSynchronizacjaBazyTowarowej::RefreshBar(QProgressBar* bar, QLabel* label, int count)
{
    label->setText(QString::number(count) + QStringLiteral("/8000"));
    bar->setValue(count / 4);
    const BarColour c = OccupancyColour(count);
    bar->setStyleSheet(
        QStringLiteral("QProgressBar::chunk { background-color: rgb(%1, %2, 0); }").arg(c.Red).arg(c.Green));
}

void TSynchronizacjaBazyTowarowej::ShowDetails(const GoodsDetails& d)
{
    DetailName->setText(d.Name);
    DetailPtu->setText(d.Ptu);
    DetailBarcode->setText(d.Barcode);
    DetailGroup->setText(d.Group);
    DetailTandem->setText(d.Tandem);
    DetailFixedPrice->setText(d.FixedPrice);
    DetailWholeUnits->setText(d.WholeUnits);
    DetailHalo->setText(d.Halo);
    DetailUnit->setText(d.Unit);
    DetailLastSale->setText(d.LastSale);
    DetailQuantity->setText(d.Quantity);
    DetailValue->setText(d.Value);
}

void TSynchronizacjaBazyTowarowej::BeginTransfer(QFrame* panel)
{
    // Every control but the panel's "Anuluj" is off while the link is busy: a second exchange
    // must not start inside this one, nor may the ticks the loop reads change.
    lockedControls_.clear();
    for (QWidget* w : findChildren<QWidget*>()) {
        const bool control = qobject_cast<QPushButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QCheckBox*>(w) || qobject_cast<CheckListBox*>(w);
        if (!control || panel->isAncestorOf(w))
            continue;
        lockedControls_.emplace_back(w, w->isEnabled());
        w->setEnabled(false);
    }
    activePanel_ = panel;
    panel->show();
    panel->repaint();
    transferring_ = true;
}

void TSynchronizacjaBazyTowarowej::EndTransfer()
{
    if (activePanel_)
        activePanel_->hide();
    activePanel_ = nullptr;
    for (auto& [w, enabled] : lockedControls_)
        w->setEnabled(enabled);
    lockedControls_.clear();
    transferring_ = false;
}

// ---- reading ----

bool TSynchronizacjaBazyTowarowej::OdswiezTowaryKasy()
{
    ExchangeGuard guard(Button2);
    if (transferring_)
        return false;
    ImportCounter->setText(QStringLiteral("0"));
    BeginTransfer(Panel2);
    CheckListBox2->Clear();
    TableReadOptions options;
    options.ProcessEvents = true;
    options.Progress = [this](int stored) { ImportCounter->setText(QString::number(stored)); };
    const TableReadResult read = ReadTableIntoMirror('T', GoodsDataFrameLength, RegisterGoodsMirror, options);
    EndTransfer();
    FillRegisterPane();
    ReportStoppedRead(read);
    return ReadWhole(read);
}

// ---- sending ----

void TSynchronizacjaBazyTowarowej::BitBtn2Click()
{
    ExchangeGuard guard(Button1);
    if (transferring_)
        return;
    Link.AbortRequestFlag = 0;
    DrainInput();
    ErrorsLabel->hide();
    ErrorCounter->hide();
    ErrorCounter->clear();
    const int ticked = CheckListBox1->CheckedCount();
    if (ticked == 0)
        return;
    SendCounter->setText(QStringLiteral("0"));
    BeginTransfer(Panel3);
    uint16_t frame = 1;
    int sent = 0, accepted = 0, rejected = 0;
    QStringList rejectedList;
    Link.AbortRequestFlag = 0;
    const QString total = QStringLiteral("/") + QString::number(ticked);
    bool failed = false;
    SeriesStop stop;
    for (int p = 0; p < CheckListBox1->Count(); ++p) {
        if (stop.BeforeFrame())
            frame |= LastFrameBit;
        if (!CheckListBox1->Checked(p)) {
            SendCounter->setText(QString::number(accepted) + total);
            ++frame;
            continue;
        }
        const unsigned n = unsigned(NumberBeforeDot(CheckListBox1->Item(p)));
        if (++sent == ticked)
            frame |= LastFrameBit;
        SendGoodsRecord(Link.RegisterAddress, frame, uint16_t(n), uint16_t(n), ConfirmFlag);
        const int r = ReceiveAckWaitingOutPrinting((frame & 0xFF) == 1 ? 1500 : 450, ReceiveAck,
                                                   [this](bool on) { SendPrinting->setVisible(on); });
        const bool taken = r == AckAccepted || r == AckDone;
        if (taken) {
            ++accepted;
            SendCounter->setText(QString::number(accepted) + total);
            TakeSentGoodsIntoMirror(n);
        }
        if (stop.EndsSeries(r))
            break;
        if (taken) {
            WaitWithEvents(50, false);
            if (r == AckDone)
                break;
        } else if (r == AckErrorFrame) {
            ++rejected;
            rejectedList << QString::number(n) + u'.' + FromCp1250(ReadGoodsName(n)) + QStringLiteral(" - ") +
                                ErrorText(Link.ReceiveBuffer[8]);
            ErrorsLabel->show();
            ErrorCounter->show();
            ErrorCounter->setText(QString::number(rejected));
        } else {
            failed = true;
            break;
        }
        ++frame;
    }
    if (failed) {
        const QString count = QString::number(accepted) + QStringLiteral(" towarów.");
        // A reply frame in the buffer: the register refused on its own terms (unreported sales).
        ShowMessage(Link.ReceiveBuffer[0] == FrameStart
                        ? QStringLiteral("Wykonaj raport sprzedaży i raport dobowy! Niezerowa sprzedaż towaru. "
                                         "Zaprogramowano ") + count
                        : QStringLiteral("Wystąpił błąd transmisji. Zaprogramowano ") + count);
        DrainInput();
        EndTransfer();
        return;
    }
    EndTransfer();
    FillRegisterPane();
    if (stop.ReportStop())
        return;
    QString summary = QStringLiteral(" Zaprogramowano ") + QString::number(accepted) + QStringLiteral(" towarów.");
    if (rejected)
        summary += QStringLiteral(" Nie udało się zaprogramować ") + QString::number(rejected) +
                   QStringLiteral(" towarów.");
    ShowMessage(summary);
    if (rejected)
        ShowMessage(ListedInMessage(QStringLiteral("Niezaprogramowane towary:"), rejectedList));
}

// ---- copies and deletes ----

void TSynchronizacjaBazyTowarowej::BitBtn4Click()
{
    if (transferring_ || CheckListBox2->CheckedCount() == 0)
        return;
    if (!GoodsImageReadable()) {
        ShowMessage(QString::fromUtf8(GoodsTexts::FileClosed));
        return;
    }
    bool copied = false;
    for (int row = 0; row < CheckListBox2->Count(); ++row)
        if (CheckListBox2->Checked(row))
            copied |= CopyRegisterGoodsToImage(unsigned(NumberBeforeDot(CheckListBox2->Item(row))));
    if (copied) {
        MarkDatabaseModified();
        RequestStatusRefresh();
    }
    FillPcPane();
}

void TSynchronizacjaBazyTowarowej::BitBtn5Click()
{
    if (transferring_ || CheckListBox1->CheckedCount() == 0)
        return;
    if (!GoodsImageReadable()) {
        ShowMessage(QString::fromUtf8(GoodsTexts::FileClosed));
        return;
    }
    const int selected = CheckListBox1->ItemIndex();
    // From the end, so that removing an item does not shift the ones still to come.
    for (int row = CheckListBox1->Count() - 1; row >= 0; --row) {
        if (!CheckListBox1->Checked(row))
            continue;
        const unsigned n = unsigned(NumberBeforeDot(CheckListBox1->Item(row)));
        if (n >= 1 && n <= App.MaxGoodsCount)
            DbZeroFillAt(GoodsRecordOffset(n), App.GoodsRecordSize);
        CheckListBox1->RemoveItem(row);
    }
    MarkDatabaseModified();
    RequestStatusRefresh();
    CheckListBox1->SetItemIndex(std::min(selected, CheckListBox1->Count() - 1));
    RefreshBar(ProgressBar1, Label4, CheckListBox1->Count());
}

void TSynchronizacjaBazyTowarowej::BitBtn8Click()
{
    ExchangeGuard guard(Button3);
    if (transferring_)
        return;
    Link.AbortRequestFlag = 0;
    DrainInput();
    const int ticked = CheckListBox2->CheckedCount();
    if (ticked == 0)
        return;
    const QString total = QStringLiteral("/") + QString::number(ticked);
    DeleteCounter->setText(QStringLiteral("0") + total);
    BeginTransfer(Panel5);
    uint16_t frame = 1;
    int position = 1, deleted = 0;
    SeriesStop stop;
    for (int row = 0; row < CheckListBox2->Count(); ++row) {
        if (stop.BeforeFrame())
            frame |= LastFrameBit;
        if (!CheckListBox2->Checked(row))
            continue;
        if (position == ticked)
            frame |= LastFrameBit;
        const unsigned n = unsigned(NumberBeforeDot(CheckListBox2->Item(row)));
        const uint8_t* slot = RegisterGoodsMirror.Slot(n);
        const std::string name = slot ? BytesToString(slot + RegisterGoodsRecord::Name, RegisterGoodsRecord::NameSize)
                                      : std::string();
        DeleteGoodsRecord(Link.RegisterAddress, frame, uint16_t(n), name, ConfirmFlag);
        const int r = ReceiveAckWaitingOutPrinting((frame & 0xFF) == 1 ? 650 : 250, ReceiveAck,
                                                   [this](bool on) { DeletePrinting->setVisible(on); });
        ++position;
        ++frame;
        const bool taken = r == AckAccepted || r == AckDone;
        if (taken) {
            ++deleted;
            DeleteCounter->setText(QString::number(deleted) + total);
            RegisterGoodsMirror.Erase(n);
        }
        if (stop.EndsSeries(r))
            break;
        if (!taken) {
            if (r == AckErrorFrame)
                ShowRegisterError(Link.ReceiveBuffer[8]);
            break;
        }
        WaitWithEvents(50, false);
        if (r == AckDone)
            break;
    }
    EndTransfer();
    FillRegisterPane();
    stop.ReportStop();
}

// ---- ticks, edit, details ----

void TSynchronizacjaBazyTowarowej::BitBtn9Click() { CheckListBox1->TickAllToggle(); }

void TSynchronizacjaBazyTowarowej::BitBtn1Click() { CheckListBox2->TickAllToggle(); }

void TSynchronizacjaBazyTowarowej::BitBtn3Click()
{
    const int row = CheckListBox1->ItemIndex();
    if (row < 0 || transferring_)
        return;
    if (!EdycjaTowaru)
        new TEdycjaTowaru(this);
    EdycjaTowaru->Label2->setText(QString::number(NumberBeforeDot(CheckListBox1->Item(row))));
    ShowModal(*EdycjaTowaru);
    FillPcPane();
}

void TSynchronizacjaBazyTowarowej::CheckBox1Click() { ConfirmFlag = CheckBox1->isChecked() ? 1 : 0; }

void TSynchronizacjaBazyTowarowej::Button1Click() { Link.AbortRequestFlag = 1; }
void TSynchronizacjaBazyTowarowej::Button2Click() { Link.AbortRequestFlag = 1; }
void TSynchronizacjaBazyTowarowej::Button3Click() { Link.AbortRequestFlag = 1; }

void TSynchronizacjaBazyTowarowej::CheckListBox1Click()
{
    const int row = CheckListBox1->ItemIndex();
    if (row >= 0)
        ShowDetails(PcGoodsDetails(unsigned(NumberBeforeDot(CheckListBox1->Item(row)))));
}

void TSynchronizacjaBazyTowarowej::CheckListBox2Click()
{
    const int row = CheckListBox2->ItemIndex();
    if (row >= 0)
        ShowDetails(RegisterGoodsDetails(unsigned(NumberBeforeDot(CheckListBox2->Item(row)))));
}
