#include "service/SciaganieSprzedazy.h"

#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/MessageList.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "platform/Time.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TSciaganieSprzedazy* SciaganieSprzedazy = nullptr;

namespace {

constexpr int PrintingWaitMs = 800;

} // namespace

TSciaganieSprzedazy::TSciaganieSprzedazy(QWidget* parent) : TReadoutWindow(parent), instance_(SciaganieSprzedazy, this)
{
    setWindowTitle(QStringLiteral("Ściąganie sprzedaży"));
    auto* header = new QLabel(
        QStringLiteral("Numer  Nazwa                                    PTU       Ilość        Wartość"), this);
    ListBox1 = new QListWidget(this);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    ListBox1->setFont(fixed);
    header->setFont(fixed);
    BitBtn1 = new QPushButton(QStringLiteral("Ściągnij &sprzedaż"), this);
    BitBtn2 = new QPushButton(QStringLiteral("&Kasuj sprzedaż"), this);
    BitBtn4 = new QPushButton(QStringLiteral("Eksportuj do CSV"), this);
    BitBtn3 = new QPushButton(QStringLiteral("&Anuluj"), this);
    CheckBox1 = new QCheckBox(QStringLiteral("Ściągaj tylko niezerowe rekordy"), this);
    CheckBox1->setChecked(true);

    Panel3 = new QFrame(this);
    Panel3->setFrameShape(QFrame::Box);
    Panel3->setAutoFillBackground(true);
    Label27 = new QLabel(QStringLiteral("0"), Panel3);
    Button3 = new QPushButton(QStringLiteral("Anuluj"), Panel3);
    auto* pl = new QVBoxLayout(Panel3);
    pl->addWidget(new QLabel(QStringLiteral("Trwa wysyłanie sprzedaży bazy towarowej..."), Panel3));
    auto* count = new QHBoxLayout;
    count->addWidget(new QLabel(QStringLiteral("Liczba wysłanych towarów:"), Panel3));
    count->addWidget(Label27);
    count->addStretch(1);
    count->addWidget(Button3);
    pl->addLayout(count);
    Panel3->hide();

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn4, Button3, BitBtn3})
        b->setAutoDefault(false);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn4);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn3);
    auto* main = new QVBoxLayout(this);
    main->addWidget(header);
    main->addWidget(ListBox1, 1);
    main->addWidget(Panel3);
    main->addWidget(CheckBox1);
    main->addLayout(buttons);
    resize(760, 480);

    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    SalesTable.Reset(App.MaxGoodsCount);
}

void TSciaganieSprzedazy::BitBtn1Click()
{
    Label27->setText(QStringLiteral("0"));
    SalesTable.Reset(App.MaxGoodsCount);
    Panel3->show();
    Panel3->repaint();
    BeginTransfer({Button3});
    DrainInput();
    SendCommandWithWord(Link.RegisterAddress, SingleFrameNumber, CheckBox1->isChecked() ? 'X' : 'Y', 0);
    int received = 0;
    int r = FrameFailed;
    for (;;) {
        ProcessMessages();
        r = ReceiveFrame(SalesFrameLength);
        if (r == FrameMore || r == FrameLast) {
            if (SalesTable.TakeFrame(Link.ReceiveBuffer))
                Label27->setText(QString::number(++received));
            if (r == FrameMore)
                continue;
        } else if (r == FrameChecksumError) {
            SendAckStatus1(Link.RegisterAddress);
        }
        break;
    }
    FillList();
    const bool stopped = Link.AbortRequestFlag != 0;
    partial_ = stopped || (r != FrameLast && received > 0);
    EndTransfer();
    Panel3->hide();
    if (stopped)
        ShowMessage(TransferStoppedText + u'\n' + PartialListText(std::size_t(received)));
}

void TSciaganieSprzedazy::FillList()
{
    ListBox1->clear();
    for (unsigned plu = 1; plu <= SalesTable.Capacity(); ++plu)
        if (const uint8_t* r = SalesTable.Record(plu))
            ListBox1->addItem(FromCp1250(SalesListLine(plu, r)));
}

void TSciaganieSprzedazy::BitBtn2Click()
{
    DrainInput();
    SendClearSales(Link.RegisterAddress, SingleFrameNumber);
    const int result = ReceiveAckWaitingOutPrinting(PrintingWaitMs);
    if (result == AckAccepted || result == AckDone)
        ShowMessage(QStringLiteral("Sprzedaż skasowana"));
    else if (result == AckErrorFrame)
        ShowRegisterError(Link.ReceiveBuffer[8]);
}

void TSciaganieSprzedazy::BitBtn4Click()
{
    // A file of part of the sales would pass for all of them: it is written only when the user says so.
    if (partial_ && AskQuestion(QStringLiteral("Lista sprzedaży jest niepełna: ściąganie przerwano. Zapisać ją mimo to?"),
                                PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    QString path = CurrentPrompts().SaveFileName({}, SaveDialog1Filter, {});
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".CSV");
    if (ConfirmOverwrite(path, ReadoutOverwriteQuestion))
        SaveWholeFile(path, SalesCsv(SalesTable));
}

void TSciaganieSprzedazy::BitBtn3Click() { close(); }

void TSciaganieSprzedazy::Button3Click() { StopTransfer(); }
