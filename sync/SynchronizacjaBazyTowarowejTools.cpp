// The goods tools of "Podgląd bazy towarowej": not-sold and range ticks, the range delete, the
// barcode verification and the printout.
#include "sync/SynchronizacjaBazyTowarowej.h"

#include "core/Helpers.h"
#include "link/Commands.h"
#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "platform/Time.h"
#include "sync/CheckListBox.h"
#include "sync/GoodsSyncLogic.h"
#include "sync/GoodsSyncPrint.h"
#include "sync/RegisterRecords.h"
#include "sync/SendSeries.h"
#include "tables/GoodsLogic.h"

#include <QCursor>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

void TSynchronizacjaBazyTowarowej::BuildTools(QWidget* parent)
{
    auto* grid = new QGridLayout(parent);
    Panel1 = new QFrame(parent);
    Panel1->setFrameShape(QFrame::StyledPanel);
    auto* p1 = new QGridLayout(Panel1);
    // The days field sits in the gap of the caption.
    p1->addWidget(new QLabel(QStringLiteral("Zaznacz towary niesprzedawane od             dni"), Panel1), 0, 0, 1, 2);
    Edit1 = new QLineEdit(QStringLiteral("30"), Panel1);
    Edit1->setMaximumWidth(60);
    Button7 = new QPushButton(QStringLiteral("Zaznacz nieużywane towary"), Panel1);
    p1->addWidget(Edit1, 1, 0);
    p1->addWidget(Button7, 1, 1);

    Panel4 = new QFrame(parent);
    Panel4->setFrameShape(QFrame::StyledPanel);
    auto* p4 = new QGridLayout(Panel4);
    Edit3 = new QLineEdit(Panel4);
    Edit4 = new QLineEdit(Panel4);
    p4->addWidget(new QLabel(QStringLiteral("od"), Panel4), 0, 0);
    p4->addWidget(Edit3, 0, 1);
    p4->addWidget(new QLabel(QStringLiteral("do"), Panel4), 0, 2);
    p4->addWidget(Edit4, 0, 3);
    BitBtn11 = new QPushButton(QStringLiteral("Zaznacz wg numerów"), Panel4);
    BitBtn7 = new QPushButton(QStringLiteral("Usuń towary od ... do ..."), Panel4);
    p4->addWidget(BitBtn11, 1, 0, 1, 2);
    p4->addWidget(BitBtn7, 1, 2, 1, 2);

    Button4 = new QPushButton(QStringLiteral("Weryfikuj kody kreskowe"), parent);
    BitBtn10 = new QPushButton(QStringLiteral("&Wydruk bazy  "), parent);
    MenuWydruku = new QMenu(this);
    DrukujwedugnumerwPLU1 = MenuWydruku->addAction(QStringLiteral("Drukuj według numerów PLU"));
    Drukujwedugnazw1 = MenuWydruku->addAction(QStringLiteral("Drukuj według nazw"));

    grid->addWidget(Panel1, 0, 0, 1, 2);
    grid->addWidget(Panel4, 1, 0, 1, 2);
    grid->addWidget(Button4, 2, 0);
    grid->addWidget(BitBtn10, 2, 1);
    grid->setRowStretch(3, 1);

    connect(Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    connect(BitBtn11, &QPushButton::clicked, this, [this] { BitBtn11Click(); });
    connect(BitBtn7, &QPushButton::clicked, this, [this] { BitBtn7Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(BitBtn10, &QPushButton::clicked, this, [this] { BitBtn10Click(); });
    connect(DrukujwedugnumerwPLU1, &QAction::triggered, this, [this] { DrukujwedugnumerwPLU1Click(); });
    connect(Drukujwedugnazw1, &QAction::triggered, this, [this] { Drukujwedugnazw1Click(); });
}

bool TSynchronizacjaBazyTowarowej::ReadRange(GoodsNumberRange& range)
{
    range = ParseGoodsRange(Edit3->text(), Edit4->text());
    if (!range.Ok)
        ShowMessage(QString::fromUtf8(GoodsSyncTexts::BadFields));
    return range.Ok;
}

void TSynchronizacjaBazyTowarowej::TickUnusedGoods()
{
    if (transferring_)
        return;
    long long days = 0;
    if (!ParseWholeNumber(Edit1->text(), days)) {
        ShowMessage(QString::fromUtf8(GoodsSyncTexts::BadFields));
        return;
    }
    FillRegisterPane();
    const QDate today = SyncToday();
    for (int row = 0; row < CheckListBox2->Count(); ++row) {
        const uint8_t* slot = RegisterGoodsMirror.Slot(unsigned(NumberBeforeDot(CheckListBox2->Item(row))));
        CheckListBox2->SetChecked(row, slot && NotSoldForMoreThan(slot, days, today));
    }
}

void TSynchronizacjaBazyTowarowej::BitBtn11Click()
{
    if (transferring_)
        return;
    GoodsNumberRange range;
    if (!ReadRange(range))
        return;
    for (int row = 0; row < CheckListBox2->Count(); ++row) {
        const int n = NumberBeforeDot(CheckListBox2->Item(row));
        CheckListBox2->SetChecked(row, n >= int(range.From) && n <= int(range.To));
    }
}

void TSynchronizacjaBazyTowarowej::BitBtn7Click()
{
    ExchangeGuard guard(Button3);
    if (transferring_)
        return;
    GoodsNumberRange range;
    if (!ReadRange(range))
        return;
    const std::vector<RangeDeleteFrame> frames = RangeDeleteFrames(range.From, range.To);
    Link.AbortRequestFlag = 0;
    DrainInput();
    const QString total = QStringLiteral("/") + QString::number(frames.size());
    DeleteCounter->setText(QStringLiteral("0") + total);
    BeginTransfer(Panel5);
    int sent = 0;
    bool stopped = false;
    for (const RangeDeleteFrame& f : frames) {
        ProcessMessages();
        // A stop makes this frame the last of the series.
        const bool stop = Link.AbortRequestFlag != 0;
        const uint16_t number = stop ? uint16_t(f.FrameNumber | LastFrameBit) : f.FrameNumber;
        const uint8_t* slot = RegisterGoodsMirror.Slot(f.Plu);
        DeleteGoodsRecord(Link.RegisterAddress, number, uint16_t(f.Plu),
                          BytesToString(slot + RegisterGoodsRecord::Name, RegisterGoodsRecord::NameSize), ConfirmFlag);
        // The replies are not read; the read below drains them and shows what the register holds.
        WaitWithEvents(sent++ == 0 ? 800 : 250, false);
        DeleteCounter->setText(QString::number(sent) + total);
        if ((stopped = stop))
            break;
    }
    EndTransfer();
    // After a stop nothing more goes out: the read of a full table takes minutes on a slow line.
    if (stopped) {
        ShowMessage(TransferStoppedText);
        return;
    }
    OdswiezTowaryKasy();
}

void TSynchronizacjaBazyTowarowej::Button4Click()
{
    ExchangeGuard guard(Button1);
    if (transferring_)
        return;
    // Only a whole read of the register's table can vouch for its barcodes; a read that failed or
    // was stopped has said so already.
    if (!OdswiezTowaryKasy())
        return;
    const BarcodeComparison comparison = CompareBarcodes();
    if (comparison.Different.empty()) {
        ShowMessage(QStringLiteral("Poprawnie zweryfikowano ") + QString::number(comparison.Compared) +
                    QStringLiteral(" towarów. Nie stwierdzono błędów."));
        return;
    }
    SendCounter->setText(QStringLiteral("0"));
    BeginTransfer(Panel3);
    Link.AbortRequestFlag = 0;
    uint16_t frame = SingleFrameNumber;
    int resent = 0;
    for (unsigned n : comparison.Different) {
        ProcessMessages();
        if (Link.AbortRequestFlag)
            break;
        SendGoodsRecord(Link.RegisterAddress, frame, uint16_t(n), uint16_t(n), 0);
        const int r = ReceiveAckWaitingOutPrinting((frame & 0xFF) == 1 ? 1000 : 450, ReceiveAck,
                                                   [this](bool on) { SendPrinting->setVisible(on); });
        if (r == AckAccepted || r == AckDone)
            SendCounter->setText(QString::number(++resent));
        ++frame;
    }
    const bool stopped = StoppedDuringReply();
    EndTransfer();
    if (stopped) {
        ShowMessage(TransferStoppedText);
        return;
    }
    ShowMessage(QStringLiteral("Wykryto nieprawidłowości, zaprogramowano błędne towary, wykonaj weryfikację ponownie w "
                               "celu potwierdzenia poprawności danych."));
    OdswiezTowaryKasy();
}

void TSynchronizacjaBazyTowarowej::BitBtn10Click()
{
    if (transferring_)
        return;
    ListBox1 = GoodsSyncPrintLines();
    MenuWydruku->popup(QCursor::pos());
}

void TSynchronizacjaBazyTowarowej::DrukujwedugnumerwPLU1Click() { DrukujListeTowarow(); }

void TSynchronizacjaBazyTowarowej::Drukujwedugnazw1Click()
{
    SortPrintLinesByName(ListBox1);
    DrukujListeTowarow();
}

void TSynchronizacjaBazyTowarowej::DrukujListeTowarow() { PrintGoodsList(ListBox1, PdfOutputPath); }
