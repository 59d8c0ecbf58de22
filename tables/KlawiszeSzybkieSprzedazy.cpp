#include "tables/KlawiszeSzybkieSprzedazy.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "link/UnreadReply.h"
#include "tables/ServiceKeysLogic.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TKlawiszeSzybkieSprzedazy* KlawiszeSzybkieSprzedazy = nullptr;

TKlawiszeSzybkieSprzedazy::TKlawiszeSzybkieSprzedazy(QWidget* parent)
    : TForm(parent), instance_(KlawiszeSzybkieSprzedazy, this)
{
    setWindowTitle(QStringLiteral("Klawisze szybkie funkcji sprzedaży"));
    ComboBox1 = new QComboBox(this);
    QStringList numbers;
    for (int i = 1; i <= 20; ++i)
        numbers << QString::number(i);
    ComboBox1->addItems(numbers.mid(0, 10));
    LabelNumber = new QLabel(QStringLiteral("Numer"), this);
    LabelNumber->setToolTip(QStringLiteral("Dla rabatu, narzutu, opakowań, formy płatności"));
    LabelKind = new QLabel(QStringLiteral("Rodzaj"), this);
    LabelKind->setToolTip(QStringLiteral("Tylko dla rabatów i narzutów"));
    // The labels close the window, as "Anuluj" does.
    LabelNumber->installEventFilter(this);
    LabelKind->installEventFilter(this);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Numer kasjera"), this), 0, 0);
    grid->addWidget(ComboBox1, 0, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("Funkcja"), this), 1, 1);
    grid->addWidget(LabelNumber, 1, 2);
    grid->addWidget(LabelKind, 1, 3);
    for (int k = 0; k < 10; ++k) {
        const std::size_t i = std::size_t(k);
        Function[i] = new QComboBox(this);
        Function[i]->addItems({QStringLiteral("Brak"), QStringLiteral("Szybki rabat/narzut z bazy"),
                               QStringLiteral("Szybkie storno"), QStringLiteral("Szybki rabat z ręki"),
                               QStringLiteral("Szybki narzut z ręki"), QStringLiteral("Szybkie wpłaty form płatności"),
                               QStringLiteral("Szybki zwrot opakowań"), QStringLiteral("Szybkie wydanie opakowań")});
        Number[i] = new QComboBox(this);
        Number[i]->addItems(numbers);
        Kind[i] = new QComboBox(this);
        Kind[i]->addItems({QStringLiteral("Kwotowy"), QStringLiteral("Procentowy")});
        Button[i] = new QPushButton(QStringLiteral("Wyslij"), this);
        Button[i]->setAutoDefault(false);
        grid->addWidget(new QLabel(QStringLiteral("F%1").arg(k + 1), this), k + 2, 0);
        grid->addWidget(Function[i], k + 2, 1);
        grid->addWidget(Number[i], k + 2, 2);
        grid->addWidget(Kind[i], k + 2, 3);
        grid->addWidget(Button[i], k + 2, 4);
        connect(Button[i], &QPushButton::clicked, this, [this, k] { SendKey(k + 1); });
    }
    BitBtn1 = new QPushButton(QStringLiteral("&Odśwież"), this);
    BitBtn2 = new QPushButton(QStringLiteral("Wyślij do kasy wszystkie klawisze"), this);
    BitBtn2->hide();
    BitBtn3 = new QPushButton(QStringLiteral("&Anuluj"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3})
        b->setAutoDefault(false);
    connect(BitBtn3, &QPushButton::clicked, this, [this] { close(); });
    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(buttons);
}

bool TKlawiszeSzybkieSprzedazy::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == LabelKind || watched == LabelNumber) && event->type() == QEvent::MouseButtonRelease) {
        close();
        return true;
    }
    return TForm::eventFilter(watched, event);
}

void TKlawiszeSzybkieSprzedazy::SendKey(int key)
{
    const std::size_t i = std::size_t(key - 1);
    DrainInput();
    SendSalesQuickKey(Link.RegisterAddress, SingleFrameNumber,
                      SalesQuickKeyBytes(uint8_t(ComboBox1->currentIndex() + 1), uint8_t(key),
                                         uint8_t(Function[i]->currentIndex()), uint8_t(Kind[i]->currentIndex())),
                      uint8_t(Number[i]->currentIndex() + 1));
    AwaitUnreadReply();
}
