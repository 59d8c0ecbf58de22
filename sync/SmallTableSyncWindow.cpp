#include "sync/SmallTableSyncWindow.h"

#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "link/Commands.h"
#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "platform/Time.h"
#include "sync/CheckListBox.h"
#include "sync/SendSeries.h"
#include "sync/TableRead.h"
#include "tables/GoodsLogic.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TSmallTableSyncWindow::TSmallTableSyncWindow(const SmallTableMember& member, QWidget* parent)
    : TForm(parent), member_(member), mirror_(MakeMirror(member))
{
    setWindowTitle(member.Caption);
    Label1 = new QLabel(member.PcListCaption, this);
    Label2 = new QLabel(QStringLiteral("Kasa"), this);
    CheckListBox1 = new CheckListBox(this);
    CheckListBox2 = new CheckListBox(this);
    for (CheckListBox* list : {CheckListBox1, CheckListBox2})
        list->setMinimumWidth(member.NameWidth > 21 ? 560 : 400);
    BitBtn2 = new QPushButton(member.CopyToRegisterCaption, this);
    BitBtn4 = new QPushButton(member.CopyToPcCaption, this);
    BitBtn6 = new QPushButton(QStringLiteral("&Odśwież"), this);
    BitBtn8 = new QPushButton(member.DeleteCaption, this);
    BitBtn9 = new QPushButton(QStringLiteral("Zaznacz/odznacz wszystko "), this);
    BitBtn1 = new QPushButton(QStringLiteral("Zaznacz/odznacz wszystko "), this);
    CheckBox1 = new QCheckBox(member.ConfirmCaption, this);
    Panel7 = new QLabel(QStringLiteral("Czekaj..."), this);
    Panel7->setAlignment(Qt::AlignCenter);
    Panel7->setFrameShape(QFrame::Panel);
    Panel7->hide();
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn4, BitBtn6, BitBtn8, BitBtn9})
        b->setAutoDefault(false);

    auto* details = new QGridLayout;
    for (std::size_t i = 0; i < member.Details.size(); ++i) {
        DetailCaptions.push_back(new QLabel(member.Details[i].Label, this));
        DetailValues.push_back(new QLabel(this));
        details->addWidget(DetailCaptions.back(), int(i), 0);
        details->addWidget(DetailValues.back(), int(i), 1);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(Label1);
    left->addWidget(CheckListBox1, 1);
    left->addWidget(BitBtn9);
    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    for (QPushButton* b : {BitBtn2, BitBtn4, BitBtn8, BitBtn6})
        middle->addWidget(b);
    middle->addWidget(Panel7);
    middle->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(Label2);
    right->addWidget(CheckListBox2, 1);
    right->addWidget(BitBtn1);
    right->addLayout(details);
    auto* panes = new QHBoxLayout;
    panes->addLayout(left, 1);
    panes->addLayout(middle);
    panes->addLayout(right, 1);
    auto* main = new QVBoxLayout(this);
    main->addLayout(panes, 1);
    main->addWidget(CheckBox1);

    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    connect(CheckListBox1, &CheckListBox::ItemClicked, this, [this] { CheckListBox1Click(); });
    connect(CheckListBox2, &CheckListBox::ItemClicked, this, [this] { CheckListBox2Click(); });
    connect(BitBtn9, &QPushButton::clicked, this, [this] { BitBtn9Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn6, &QPushButton::clicked, this, [this] { BitBtn6Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connect(BitBtn8, &QPushButton::clicked, this, [this] { BitBtn8Click(); });
}

void TSmallTableSyncWindow::FormShow()
{
    CheckBox1Click();
    CheckListBox1->ResetTickAll();
    CheckListBox2->ResetTickAll();
    ClearDetails();
    FillPcList();
    FillRegisterList();
}

bool TSmallTableSyncWindow::FormKeyDown(int key)
{
    if (key != Qt::Key_Escape)
        return false;
    if (transferring_)
        Link.AbortRequestFlag = 1;
    else
        reject();
    return true;
}

void TSmallTableSyncWindow::closeEvent(QCloseEvent* event)
{
    // Closing during a transfer stops it; the window closes once the line is left clean.
    if (transferring_) {
        Link.AbortRequestFlag = 1;
        event->ignore();
        return;
    }
    TForm::closeEvent(event);
}

void TSmallTableSyncWindow::CheckBox1Click() { ConfirmFlag = CheckBox1->isChecked() ? 1 : 0; }

void TSmallTableSyncWindow::ClearDetails()
{
    for (QLabel* l : DetailValues)
        l->clear();
}

void TSmallTableSyncWindow::FillPcList()
{
    QStringList lines;
    for (unsigned n = 1; DatabaseImage.Usable() && n <= member_.Slots; ++n) {
        const std::vector<uint8_t> r = ReadPcRecord(member_, n);
        if (r[0] != 0)
            lines << SmallTableLine(member_, r.data());
    }
    CheckListBox1->SetItems(lines);
}

void TSmallTableSyncWindow::FillRegisterList()
{
    QStringList lines;
    for (unsigned n : mirror_.UsedNumbers())
        lines << SmallTableLine(member_, RegisterRecordToPc(member_, mirror_.Slot(n)).data());
    CheckListBox2->SetItems(lines);
}

void TSmallTableSyncWindow::CheckListBox1Click()
{
    CheckListBox2->SetItemIndex(-1);
    if (member_.ClearsDetailsOnPcClick)
        ClearDetails();
}

void TSmallTableSyncWindow::CheckListBox2Click()
{
    const int row = CheckListBox2->ItemIndex();
    if (row < 0)
        return;
    if (member_.ClearsPcSelectionOnRegisterClick)
        CheckListBox1->SetItemIndex(-1);
    const uint8_t* r = mirror_.Slot(unsigned(NumberBeforeDot(CheckListBox2->Item(row))));
    if (!r)
        return;
    for (std::size_t i = 0; i < DetailValues.size(); ++i)
        DetailValues[i]->setText(DetailText(member_.Details[i], r));
}

void TSmallTableSyncWindow::BitBtn9Click() { CheckListBox1->TickAllToggle(); }
void TSmallTableSyncWindow::BitBtn1Click() { CheckListBox2->TickAllToggle(); }

void TSmallTableSyncWindow::CzekajON()
{
    transferring_ = true;
    Link.AbortRequestFlag = 0;
    for (QWidget* w : std::initializer_list<QWidget*>{CheckListBox1, CheckListBox2, BitBtn1, BitBtn2, BitBtn4, BitBtn6,
                                                      BitBtn8, BitBtn9, CheckBox1})
        w->setEnabled(false);
    Panel7->show();
    Panel7->repaint();
}

void TSmallTableSyncWindow::CzekajOFF()
{
    Panel7->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{CheckListBox1, CheckListBox2, BitBtn1, BitBtn2, BitBtn4, BitBtn6,
                                                      BitBtn8, BitBtn9, CheckBox1})
        w->setEnabled(true);
    transferring_ = false;
}

void TSmallTableSyncWindow::ReadRegisterTable()
{
    CheckListBox2->Clear();
    ClearDetails();
    // A read that ends early keeps and lists what came before the fault.
    TableReadOptions options;
    options.ProcessEvents = true;
    options.EndReadOnChecksumError = true;
    const TableReadResult read = ReadTableIntoMirror(member_.Letter, member_.FrameLength, mirror_, options);
    FillRegisterList();
    ReportStoppedRead(read);
}

void TSmallTableSyncWindow::BitBtn6Click()
{
    ExchangeGuard guard;
    CzekajON();
    ReadRegisterTable();
    CzekajOFF();
}

void TSmallTableSyncWindow::BitBtn2Click()
{
    ExchangeGuard guard;
    DrainInput();
    const std::vector<int> ticked = CheckListBox1->CheckedNumbers();
    if (ticked.empty())
        return;
    CzekajON();
    int programmed = 0;
    uint16_t frameNumber = 1;
    SeriesStop stop;
    for (std::size_t i = 0; i < ticked.size(); ++i, ++frameNumber) {
        const bool last = stop.BeforeFrame() || i + 1 == ticked.size();
        const uint16_t number = last ? uint16_t(frameNumber | LastFrameBit) : frameNumber;
        member_.Send(Link.RegisterAddress, number, uint8_t(ticked[i]), uint8_t(ticked[i]), ConfirmFlag);
        const int result = ReceiveAckWaitingOutPrinting(i == 0 ? FirstPrintingWaitMs : member_.LaterPrintingWaitMs);
        const bool taken = result == AckAccepted || result == AckDone;
        if (taken) {
            ++programmed;
            repaint();
        }
        if (stop.EndsSeries(result))
            break;
        if (taken) {
            if (result == AckAccepted)
                Sleep(50);
        } else if (result != AckErrorFrame) {
            DrainInput();
            ShowMessage(QStringLiteral("Wystąpił błąd transmisji. Zaprogramowano ") + QString::number(programmed) +
                        member_.Ending);
            CzekajOFF();
            return;
        }
        if (last)
            break;
    }
    // After a stop nothing more goes out, not even the read that refreshes the list.
    if (stop.ReportStop()) {
        CzekajOFF();
        return;
    }
    ShowMessage(QStringLiteral(" Zaprogramowano ") + QString::number(programmed) + member_.Ending);
    Sleep(member_.FinalDelayMs);
    ReadRegisterTable();
    CzekajOFF();
}

void TSmallTableSyncWindow::BitBtn4Click()
{
    const std::vector<int> ticked = CheckListBox2->CheckedNumbers();
    if (ticked.empty())
        return;
    if (!DatabaseImage.Usable()) {
        ShowMessage(QString::fromUtf8(GoodsTexts::FileClosed));
        return;
    }
    CzekajON();
    bool written = false;
    for (int n : ticked)
        written = CopyRegisterRecordToImage(member_, mirror_, unsigned(n)) || written;
    if (written)
        MarkDatabaseModified();
    FillPcList();
    CzekajOFF();
}

void TSmallTableSyncWindow::BitBtn8Click()
{
    ExchangeGuard guard;
    DrainInput();
    const std::vector<int> ticked = CheckListBox2->CheckedNumbers();
    if (ticked.empty())
        return;
    CzekajON();
    uint16_t frameNumber = 1;
    SeriesStop stop;
    for (std::size_t i = 0; i < ticked.size(); ++i, ++frameNumber) {
        const bool last = stop.BeforeFrame() || i + 1 == ticked.size();
        const uint16_t number = last ? uint16_t(frameNumber | LastFrameBit) : frameNumber;
        const unsigned n = unsigned(ticked[i]);
        member_.Delete(Link.RegisterAddress, number, uint8_t(n), MirrorName(member_, mirror_, n), ConfirmFlag);
        const int result = ReceiveAckWaitingOutPrinting(i == 0 ? DeletePrintingWaitFirstMs : DeletePrintingWaitLaterMs);
        const bool taken = result == AckAccepted || result == AckDone;
        if (taken)
            mirror_.Erase(n);
        if (stop.EndsSeries(result))
            break;
        if (taken) {
            if (result == AckAccepted)
                Sleep(50);
            repaint();
        } else if (result != AckErrorFrame) {
            break;
        }
        if (last)
            break;
    }
    FillRegisterList();
    CzekajOFF();
    stop.ReportStop();
}
