#include "tables/ProgramowanieKlawiszyFunkcyjnych.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Time.h"
#include "tables/ServiceKeysLogic.h"
#include "tables/SettingsLink.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TProgramowanieKlawiszyFunkcyjnych* ProgramowanieKlawiszyFunkcyjnych = nullptr;

bool SendFunctionKeyChoice(int cashierChoice, int keyChoice, int keyNumber, unsigned settleMs)
{
    DrainInput();
    SendFunctionKey(Link.RegisterAddress, SingleFrameNumber, uint8_t(cashierChoice + 1), uint8_t(keyNumber),
                    FunctionKeyCode(keyChoice));
    if (!AckSucceeded(ReceiveAckWaitingOutPrinting(650, ReceiveAckSerial)))
        return false;
    Sleep(settleMs);
    return true;
}

TProgramowanieKlawiszyFunkcyjnych::TProgramowanieKlawiszyFunkcyjnych(QWidget* parent)
    : TForm(parent), instance_(ProgramowanieKlawiszyFunkcyjnych, this)
{
    setWindowTitle(QStringLiteral("Programowanie klawiszy funkcyjnych"));
    const QStringList functions = {
        "Brak funkcji", "Raport dobowy", QStringLiteral("Raport miesięczny (niezerujący)"),
        QStringLiteral("Raport okresowy (niezerujący)"), QStringLiteral("Raport towarów nieaktywnych (niezerujący)"),
        QStringLiteral("Raport bazy z PTU (niezerujący)"), QStringLiteral("Raport sprzedaży (niezerujący)"),
        QStringLiteral("Raport kasjera (niezerujący)"), QStringLiteral("Raport zmianowy (niezerujący)"),
        QStringLiteral("Raport rabatów (niezerujący)"), QStringLiteral("Raport opakowań (niezerujący)"),
        QStringLiteral("Raport form płatności (niezerujący)"), QStringLiteral("Raport grup towarowych (niezerujący)"),
        QStringLiteral("Raport napisów stałych"), "Raport PTU", "Raport klawiszy szybkich",
        QStringLiteral("Raport sprzedaży (zerujący)"), QStringLiteral("Raport kasjera (zerujący)"),
        QStringLiteral("Raport zmianowy (zerujący)"), QStringLiteral("Raport rabatów (zerujący)"),
        QStringLiteral("Raport opakowań (zerujący)"), QStringLiteral("Raport form płatności (zerujący)"),
        QStringLiteral("Raport grup towarowych (zerujący)"),
    };
    ComboBox11 = new QComboBox(this);
    for (int i = 1; i <= 10; ++i)
        ComboBox11->addItem(QString::number(i));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Numer kasjera"), this), 0, 0);
    grid->addWidget(ComboBox11, 0, 1, Qt::AlignLeft);
    for (int k = 0; k < 10; ++k) {
        auto* c = new QComboBox(this);
        c->addItems(functions);
        auto* b = new QPushButton(QStringLiteral("Wyslij"), this);
        b->setAutoDefault(false);
        ComboBox[std::size_t(k)] = c;
        Button[std::size_t(k)] = b;
        grid->addWidget(new QLabel(QStringLiteral("F%1").arg(k + 1), this), k + 1, 0);
        grid->addWidget(c, k + 1, 1);
        grid->addWidget(b, k + 1, 2);
        if (k == 0)
            connect(b, &QPushButton::clicked, this, [this] { Button1Cick(); });
        else
            connect(b, &QPushButton::clicked, this, [this, k] { SendKey(k + 1); });
    }
    BitBtn2 = new QPushButton(QStringLiteral("Wyślij do kasy\nwszystkie klawisze"), this);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::Panel);
    auto* wait = new QLabel(QStringLiteral("Czekaj"), Panel1);
    wait->setStyleSheet(QStringLiteral("font-size: 14pt; font-weight: bold;"));
    (new QHBoxLayout(Panel1))->addWidget(wait);
    // The panel shares the button's row and keeps its room while hidden: showing it during a
    // send changes no height.
    QSizePolicy panelPolicy = Panel1->sizePolicy();
    panelPolicy.setRetainSizeWhenHidden(true);
    Panel1->setSizePolicy(panelPolicy);
    Panel1->hide();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Panel1);
    bottom->addStretch(1);
    bottom->addWidget(BitBtn2);

    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(bottom);
}

void TProgramowanieKlawiszyFunkcyjnych::Button1Cick() { SendKey(1); }

void TProgramowanieKlawiszyFunkcyjnych::SendKey(int key)
{
    SendFunctionKeyChoice(ComboBox11->currentIndex(), ComboBox[std::size_t(key - 1)]->currentIndex(), key, SettleMs);
}

void TProgramowanieKlawiszyFunkcyjnych::BitBtn2Click()
{
    Panel1->show();
    Panel1->repaint();
    for (int key = 1; key <= 10; ++key)
        if (!SendFunctionKeyChoice(ComboBox11->currentIndex(), ComboBox[std::size_t(key - 1)]->currentIndex(), key,
                                   SettleMs))
            break;
    Panel1->hide();
}
