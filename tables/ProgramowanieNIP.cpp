#include "tables/ProgramowanieNIP.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "platform/Time.h"
#include "tables/ServiceKeysLogic.h"
#include "tables/SettingsWidgets.h"
#include "tables/SettingsLink.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TProgramowanieNIP* ProgramowanieNIP = nullptr;

TProgramowanieNIP::TProgramowanieNIP(QWidget* parent) : TForm(parent), instance_(ProgramowanieNIP, this)
{
    setWindowTitle(QStringLiteral("Programowanie NIP (szkoleniowo)"));
    Edit1 = new QLineEdit(this);
    Edit1->setMaxLength(16);
    Button1 = new QPushButton(QStringLiteral("Programuj"), this);
    BitBtn1 = new QPushButton(QStringLiteral("&Anuluj"), this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("NIP:"), Edit1);
    auto* main = new QVBoxLayout(this);
    main->addLayout(form);
    main->addLayout(ButtonRow({Button1, BitBtn1}));
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { close(); });
}

void TProgramowanieNIP::Button1Click()
{
    if (const QString refusal = Cp1250Refusal(Edit1->text()); !refusal.isEmpty()) {
        ShowMessage(refusal);
        return;
    }
    setEnabled(false);
    DrainInput();
    const bool sent = SendNip(Link.RegisterAddress, SingleFrameNumber, FilledText(Edit1->text(), '0', 10)) == 1;
    int result = AckBadReply;   // a send that failed is no communication either
    if (sent) {
        // Time for the register's keyboard confirmation.
        Sleep(1000);
        result = ReceiveAckWaitingOutPrinting();
    }
    setEnabled(true);
    switch (result) {
    case AckAccepted:
    case AckDone: ShowMessage(QStringLiteral("NIP ZAPROGRAMOWANY OK!!")); break;
    case AckStatus1: ShowMessage(QStringLiteral(" 1 ")); break;
    case AckStatus2: ShowMessage(QStringLiteral(" 2 ")); break;
    case AckBadReply: ShowMessage(QStringLiteral("Brak komunikacji lub reakcji z klawiatury kasy !!!")); break;
    case AckErrorFrame: ShowMessage(QStringLiteral("Odrzucone programowanie numeru NIP !!! ")); break;
    default: break;
    }
}
