#include "tables/ProgramowanieStawekPTU.h"

#include "core/AppState.h"
#include "core/StatusHook.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "tables/SmallTableWidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TProgramowanieStawekPTU* ProgramowanieStawekPTU = nullptr;

namespace {

enum StateIndex { Taxed = 0, Exempt = 1, Inactive = 2 };
const QString ZeroRate = QStringLiteral("0.00");

} // namespace

TProgramowanieStawekPTU::TProgramowanieStawekPTU(QWidget* parent)
    : TForm(parent), instance_(ProgramowanieStawekPTU, this)
{
    setWindowTitle(QStringLiteral("Edycja stawek PTU"));
    auto* heading = new QLabel(QStringLiteral("Programowanie stawek PTU"), this);
    heading->setStyleSheet(QStringLiteral("font-size: 12pt; font-weight: bold;"));
    auto* letters = new QGridLayout;
    for (unsigned i = 0; i < VatLetterCount; ++i) {
        const int row = int(i);
        auto* label = new QLabel(QStringLiteral("PTU ") + QChar(u'A' + i), this);
        label->setStyleSheet(QStringLiteral("font-weight: bold;"));
        Edits[i] = new QLineEdit(ZeroRate, this);
        Edits[i]->setMaxLength(6);
        Edits[i]->setFixedWidth(70);
        States[i] = new TRadioGroup(QString(),
                                    {QStringLiteral("Opodatkowana"), QStringLiteral("Zwolniona"),
                                     QStringLiteral("Nieaktywna")},
                                    this);
        States[i]->SetItemIndex(Inactive);
        States[i]->OnClick([this] { UpdateVatRateControls(); });
        letters->addWidget(label, row, 0);
        letters->addWidget(Edits[i], row, 1);
        letters->addWidget(new QLabel(QStringLiteral("%"), this), row, 2);
        letters->addWidget(States[i], row, 3);
    }
    letters->setColumnStretch(4, 1);
    CheckBox1 = new QCheckBox(QStringLiteral("Potwiedzenie z klawiatury kasy"), this);
    BitBtn1 = WindowButton(QStringLiteral("&Zapisz w bazie PC"), this);
    BitBtn2 = WindowButton(QStringLiteral("&Wyślij do kasy"), this);
    BitBtn3 = WindowButton(QStringLiteral("&Anuluj"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn3);
    auto* main = new QVBoxLayout(this);
    main->addWidget(heading);
    main->addLayout(letters);
    main->addWidget(CheckBox1);
    main->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { reject(); });
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    UpdateVatRateControls();
}

void TProgramowanieStawekPTU::FormShow()
{
    LoadVatRates();
    UpdateVatRateControls();
    BitBtn2->setEnabled(RegisterConnected());
}

void TProgramowanieStawekPTU::LoadVatRates()
{
    // Without a usable image there are no rates: every letter shows as not in use.
    const VatCodes codes = ReadVatCodes().value_or(VatCodes{VatInactive, VatInactive, VatInactive, VatInactive,
                                                            VatInactive, VatInactive, VatInactive});
    for (unsigned i = 0; i < VatLetterCount; ++i) {
        const uint16_t code = codes[i];
        if (code == VatInactive || code == VatExempt) {
            States[i]->SetItemIndex(code == VatInactive ? Inactive : Exempt);
            Edits[i]->setText(ZeroRate);
        } else if (code <= MaxVatRate) {
            States[i]->SetItemIndex(Taxed);
            Edits[i]->setText(VatCodeText(code));
        }
    }
}

void TProgramowanieStawekPTU::UpdateVatRateControls()
{
    for (unsigned i = 0; i < VatLetterCount; ++i) {
        const bool taxed = States[i]->ItemIndex() == Taxed;
        Edits[i]->setEnabled(taxed);
        QPalette p = Edits[i]->palette();
        p.setColor(QPalette::Base, taxed ? QColor(Qt::white) : palette().color(QPalette::Light));
        Edits[i]->setPalette(p);
    }
}

bool TProgramowanieStawekPTU::BitBtn1Click()
{
    std::array<VatInput, VatLetterCount> inputs;
    for (unsigned i = 0; i < VatLetterCount; ++i) {
        inputs[i].Text = Edits[i]->text();
        const int state = States[i]->ItemIndex();
        inputs[i].State = state == Taxed ? VatState::Taxed : state == Exempt ? VatState::Exempt : VatState::Inactive;
    }
    const std::optional<VatCodes> codes = FormVatCodes(inputs);
    if (!codes) {
        ShowMessage(QString::fromUtf8(SmallTableTexts::BadVatFields));
        return false;
    }
    if (!WriteVatCodes(*codes)) {
        ShowFileClosed();
        return false;
    }
    MarkDatabaseModified();
    RequestStatusRefresh();
    LoadVatRates();
    return true;
}

void TProgramowanieStawekPTU::BitBtn2Click()
{
    // A refused save sends nothing: the register would get the rates that were there before.
    if (!BitBtn1Click())
        return;
    const int result =
        SendOneFrame([this] { return SendVatRates(Link.RegisterAddress, SingleFrameNumber, ConfirmFlag); }, ReceiveAck);
    switch (result) {
    case AckAccepted:
    case AckDone: ShowMessage(QStringLiteral("Zapisano stawki PTU.")); break;
    case AckStatus1: ShowMessage(QStringLiteral("Ramka niepoprawna.")); break;
    case AckStatus2: ShowMessage(QStringLiteral("Błąd kolejnosci ramek.")); break;
    case AckBadReply:
        // With the box ticked the register waits for its operator and says nothing yet.
        if (ConfirmFlag == 0)
            ShowMessage(QStringLiteral("Kasa nie potwierdziła zapisu stawek PTU."));
        break;
    case AckErrorFrame: ShowRegisterError(Link.ReceiveBuffer[8]); break;
    default: break;
    }
}

void TProgramowanieStawekPTU::CheckBox1Click() { ConfirmFlag = CheckBox1->isChecked() ? 1 : 0; }

bool TProgramowanieStawekPTU::FormKeyDown(int key)
{
    return EscEnterKey(key, [this] { reject(); }, [this] { BitBtn1Click(); });
}
