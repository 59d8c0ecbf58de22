#include "link/CzekajNaRS.h"

#include "link/Link.h"
#include "platform/Prompts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TCzekajNaRS* CzekajNaRS = nullptr;

int NextWaitBarPosition(int position, int& direction)
{
    if (position >= 100)
        direction = 1;
    if (position <= 0)
        direction = 0;
    return direction == 0 ? position + 2 : position - 2;
}

TCzekajNaRS::TCzekajNaRS(QWidget* parent) : TForm(parent), instance_(CzekajNaRS, this)
{
    setWindowTitle(QStringLiteral("Oczekiwanie na odpowiedź"));

    Label1 = new QLabel(QStringLiteral("Kasa niegotowa."), this);
    Label3 = new QLabel(QStringLiteral("Czekam na jej gotowość ..."), this);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    Button1 = new QPushButton(QStringLiteral("&Przerwij"), this);
    Button1->setAutoDefault(false);
    Timer1 = new QTimer(this);
    Timer1->setInterval(200);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label3);
    layout->addWidget(ProgressBar1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TCzekajNaRS::FormShow()
{
    Direction = 0;
    ProgressBar1->setValue(0);
    Timer1->start();
}

void TCzekajNaRS::Timer1Timer()
{
    ProgressBar1->setValue(NextWaitBarPosition(ProgressBar1->value(), Direction));
    if (CheckCommError(Link.SerialHandle) == 0)
        done(1);
}

void TCzekajNaRS::Button1Click() { done(QDialog::Rejected); }

bool TCzekajNaRS::FormKeyDown(int key)
{
    if (key != Qt::Key_Escape)
        return false;
    Timer1->stop();
    if (AskQuestion(QStringLiteral("Czy przerwać oczekiwanie?"), PromptButtons::YesNo, {}, PromptIcon::Warning)
        == PromptAnswer::Yes) {
        done(QDialog::Rejected);
        return true;
    }
    Timer1->start();
    return true;
}

void TCzekajNaRS::closeEvent(QCloseEvent* event)
{
    Timer1->stop();
    TForm::closeEvent(event);
}

void TCzekajNaRS::done(int result)
{
    Timer1->stop();
    TForm::done(result);
}
