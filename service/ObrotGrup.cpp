#include "service/ObrotGrup.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "platform/Time.h"
#include "service/ReadoutLogic.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TObrotGrup* ObrotGrup = nullptr;

TObrotGrup::TObrotGrup(QWidget* parent) : TReadoutWindow(parent), instance_(ObrotGrup, this)
{
    setWindowTitle(QStringLiteral("Obrót grup towarowych"));
    auto* title = new QLabel(QStringLiteral("Odczyt obrotu grup towarowych"), this);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    BitBtn6 = new QPushButton(QStringLiteral("&Odśwież"), this);
    BitBtn1 = new QPushButton(QStringLiteral("&Anuluj"), this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BitBtn6, BitBtn1}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->insertStretch(1, 1);
    auto* main = new QVBoxLayout(this);
    main->addWidget(title);
    main->addWidget(Memo1, 1);
    main->addLayout(buttons);
    resize(420, 520);
    connect(BitBtn6, &QPushButton::clicked, this, [this] { BitBtn6Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

void TObrotGrup::BitBtn6Click()
{
    Memo1->clear();
    BeginTransfer({});
    DrainInput();
    SendCommandWithWord(Link.RegisterAddress, SingleFrameNumber, 0x06, 0);
    for (;;) {
        ProcessMessages();
        const int r = ReceiveFrame(GroupTurnoverFrameLength);
        if (r == FrameChecksumError) {
            SendAckStatus1(Link.RegisterAddress);
            break;
        }
        if (r == FrameFailed) {
            if (!Link.AbortRequestFlag)   // the user's stop is no transmission error
                ShowMessage(QStringLiteral("Wystapił błąd transmisji"));
            break;
        }
        for (const QString& line : TurnoverLines(Link.ReceiveBuffer + 7))
            Memo1->appendPlainText(line);
        if (r == FrameLast)
            break;
    }
    EndTransfer();
}

void TObrotGrup::BitBtn1Click() { close(); }
