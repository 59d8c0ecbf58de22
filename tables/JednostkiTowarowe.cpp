#include "tables/JednostkiTowarowe.h"

#include "core/Helpers.h"
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

TJednostkiTowarowe* JednostkiTowarowe = nullptr;

namespace {

constexpr std::size_t UnitsFrameLength = 18;

} // namespace

TJednostkiTowarowe::TJednostkiTowarowe(QWidget* parent) : TForm(parent), instance_(JednostkiTowarowe, this)
{
    setWindowTitle(QStringLiteral("Programowalne jednostki towarowe"));
    auto* form = new QFormLayout;
    for (int i = 0; i < 3; ++i) {
        auto* e = new QLineEdit(this);
        e->setMaxLength(3);
        Edit[std::size_t(i)] = e;
        form->addRow(QStringLiteral("Jednostka nr %1").arg(i + 1), e);
    }
    BitBtn1 = new QPushButton(QStringLiteral("&Odśwież"), this);
    BitBtn2 = new QPushButton(QStringLiteral(" &Wyślij do kasy"), this);
    auto* main = new QVBoxLayout(this);
    main->addLayout(form);
    main->addLayout(ButtonRow({BitBtn1, BitBtn2}, false));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void TJednostkiTowarowe::BitBtn2Click()
{
    if (const QString refusal = Cp1250Refusal({{QStringLiteral("Jednostka nr 1"), Edit[0]->text()},
                                                {QStringLiteral("Jednostka nr 2"), Edit[1]->text()},
                                                {QStringLiteral("Jednostka nr 3"), Edit[2]->text()}});
        !refusal.isEmpty()) {
        ShowMessage(refusal);
        return;
    }
    DrainInput();
    SendGoodsUnits(Link.RegisterAddress, SingleFrameNumber, FilledText(Edit[0]->text(), ' ', 3),
                   FilledText(Edit[1]->text(), ' ', 3), FilledText(Edit[2]->text(), ' ', 3));
    switch (ReceiveAckWaitingOutPrinting()) {
    case AckAccepted:
        ShowMessage(QStringLiteral("Zaprogramowano."));
        Sleep(50);
        break;
    case AckDone: ShowMessage(QStringLiteral("Zaprogramowano.")); break;
    case AckBadReply: ShowMessage(QStringLiteral("Kasa jest zajęta!")); return;
    default:
        DrainInput();
        ShowMessage(QStringLiteral("Wystąpił błąd transmisji"));
        return;
    }
    Sleep(400);
}

void TJednostkiTowarowe::BitBtn1Click()
{
    DrainInput();
    SendCommandWithWord(Link.RegisterAddress, SingleFrameNumber, 'J', 0);
    switch (ReceiveFrame(UnitsFrameLength)) {
    case FrameMore:
    case FrameLast:
        for (std::size_t i = 0; i < 3; ++i) {
            const QString unit = FromCp1250(BytesToString(Link.ReceiveBuffer + 7 + 3 * i, 3));
            Edit[i]->setText(unit.trimmed());
        }
        ShowMessage(QStringLiteral("Operacja OK."));
        break;
    case FrameChecksumError: ShowMessage(QStringLiteral("Błąd CRC")); break;
    default: ShowMessage(QStringLiteral("Wystapił błąd transmisji")); break;
    }
}
