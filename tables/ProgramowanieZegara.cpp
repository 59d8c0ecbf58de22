#include "tables/ProgramowanieZegara.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "tables/SmallTableWidgets.h"

#include <QDateEdit>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

TProgramowanieZegara* ProgramowanieZegara = nullptr;

TProgramowanieZegara::TProgramowanieZegara(QWidget* parent) : TForm(parent), instance_(ProgramowanieZegara, this)
{
    setWindowTitle(QStringLiteral("Programowanie zegara"));
    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker2 = new QTimeEdit(this);
    DateTimePicker2->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    BitBtn1 = WindowButton(QStringLiteral("&Wyślij do kasy"), this);
    BitBtn2 = WindowButton(QStringLiteral("&Anuluj"), this);
    auto* pickers = new QGridLayout;
    pickers->addWidget(new QLabel(QStringLiteral("Data (rrrr-mm-dd)"), this), 0, 0);
    pickers->addWidget(DateTimePicker1, 0, 1);
    pickers->addWidget(new QLabel(QStringLiteral("Godzina (gg:mm:ss) "), this), 1, 0);
    pickers->addWidget(DateTimePicker2, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    auto* main = new QVBoxLayout(this);
    main->addLayout(pickers);
    main->addLayout(buttons);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { reject(); });
}

void TProgramowanieZegara::FormShow()
{
    const QDateTime now = QDateTime::currentDateTime();
    DateTimePicker1->setDate(now.date());
    DateTimePicker2->setTime(now.time());
}

void TProgramowanieZegara::BitBtn1Click()
{
    const QDate d = DateTimePicker1->date();
    const QTime t = DateTimePicker2->time();
    const uint32_t yearMonth = uint32_t(d.year()) + uint32_t(d.month()) * 65536;
    const uint32_t dayHour = uint32_t(d.day()) + uint32_t(t.hour()) * 65536;
    const uint32_t minuteSecond = uint32_t(t.minute()) + uint32_t(t.second()) * 65536;
    // A register error is shown by the reader itself.
    const int result = SendOneFrame(
        [&] { return SendClock(Link.RegisterAddress, SingleFrameNumber, yearMonth, dayHour, minuteSecond); },
        ReceiveAckSerial);
    if (result == AckBadReply)
        ShowMessage(QStringLiteral("Błąd transmisji!"));
}

bool TProgramowanieZegara::FormKeyDown(int key)
{
    return EscEnterKey(key, [this] { reject(); }, [this] { BitBtn1Click(); });
}
