#include "service/PobieranieNaglowka.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "service/ReadoutLogic.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TPobieranieNaglowka* PobieranieNaglowka = nullptr;

TPobieranieNaglowka::TPobieranieNaglowka(QWidget* parent) : TReadoutWindow(parent), instance_(PobieranieNaglowka, this)
{
    setWindowTitle(QStringLiteral("Pobieranie nagłówka"));
    auto* title = new QLabel(QStringLiteral("Pobieranie nagłówka"), this);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    RichEdit1 = new QPlainTextEdit(this);
    RichEdit1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Button1 = new QPushButton(QStringLiteral("Pobierz nagłówek"), this);
    Button1->setAutoDefault(false);
    auto* main = new QVBoxLayout(this);
    main->addWidget(title);
    main->addWidget(RichEdit1, 1);
    main->addWidget(Button1);
    resize(460, 260);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TPobieranieNaglowka::Button1Click()
{
    BeginTransfer({});
    DrainInput();
    SendCommandWithWord(Link.RegisterAddress, SingleFrameNumber, 'N', 0);
    const int r = ReceiveFrame(HeaderFrameLength);
    if (r == FrameChecksumError)
        SendAckStatus1(Link.RegisterAddress);
    if (r == FrameMore || r == FrameLast)
        RichEdit1->setPlainText(HeaderLines(Link.ReceiveBuffer + 7).join(QLatin1Char('\n')));
    EndTransfer();
    // A read that failed with the abort flag up was the user's stop, which the link leaves unsaid.
    if (r == FrameFailed && Link.AbortRequestFlag)
        ShowMessage(TransferStoppedText);
}
