#include "tables/ProgramowanieFormPlatnosci.h"

#include "core/AppState.h"
#include "link/Commands.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "tables/SmallTableWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TProgramowanieFormPlatnosci* ProgramowanieFormPlatnosci = nullptr;

namespace {
constexpr unsigned PaymentFormSlots = 10;
} // namespace

TProgramowanieFormPlatnosci::TProgramowanieFormPlatnosci(QWidget* parent)
    : TForm(parent), instance_(ProgramowanieFormPlatnosci, this)
{
    setWindowTitle(QStringLiteral("Edycja bazy form płatności"));
    Edit1 = new QLineEdit(this);
    Edit1->setMaxLength(2);
    Edit1->setFixedWidth(50);
    Edit2 = new QLineEdit(this);
    Edit2->setMaxLength(21);
    Edit2->setFixedWidth(220);
    ComboBox1 = new QComboBox(this);
    ComboBox1->addItems(PaymentTypeNames());
    ComboBox1->setCurrentIndex(0);
    Label4 = WarningLabel(QStringLiteral("Podaj numer!"), this);
    Label5 = WarningLabel(QStringLiteral("Podaj nazwę!"), this);
    CheckBox1 = new QCheckBox(QStringLiteral("Potwierdzenie z klawiatury kasy"), this);
    StringGrid1 = MakeStringGrid({QStringLiteral("Numer"), QStringLiteral("Nazwa"), QStringLiteral("Typ")}, this);
    StringGrid1->setColumnWidth(0, 55);
    StringGrid1->setColumnWidth(1, 200);
    Button3 = WindowButton(QStringLiteral("Usuń z bazy"), this);
    Button4 = WindowButton(QStringLiteral("Wyślij do kasy"), this);
    BitBtn4 = WindowButton(QStringLiteral("     &Dodaj do bazy PC"), this);
    BitBtn6 = WindowButton(QStringLiteral("&Anuluj"), this);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Numer"), this), 0, 0);
    fields->addWidget(Edit1, 0, 1, Qt::AlignLeft);
    fields->addWidget(Label4, 0, 2);
    fields->addWidget(new QLabel(QStringLiteral("Nazwa"), this), 1, 0);
    fields->addWidget(Edit2, 1, 1, Qt::AlignLeft);
    fields->addWidget(Label5, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("Typ"), this), 2, 0);
    fields->addWidget(ComboBox1, 2, 1, Qt::AlignLeft);
    fields->setColumnStretch(3, 1);
    auto* gridButtons = new QHBoxLayout;
    gridButtons->addWidget(Button3);
    gridButtons->addWidget(Button4);
    gridButtons->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn4);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn6);
    auto* main = new QVBoxLayout(this);
    main->addLayout(fields);
    main->addWidget(CheckBox1);
    main->addWidget(StringGrid1, 1);
    main->addLayout(gridButtons);
    main->addLayout(buttons);

    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connect(BitBtn6, &QPushButton::clicked, this, [this] { reject(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    resize(480, 600);
}

void TProgramowanieFormPlatnosci::FormShow() { FillPaymentFormsGrid(); }

void TProgramowanieFormPlatnosci::FillPaymentFormsGrid()
{
    FillStringGrid(StringGrid1, PaymentFormGridRows());
    const unsigned free = FirstFreeSmallNumber(PaymentFormTableGeometry, PaymentFormSlots);
    Edit1->setText(free ? QString::number(free) : QString());
}

void TProgramowanieFormPlatnosci::CheckBox1Click() { ConfirmFlag = CheckBox1->isChecked() ? 1 : 0; }

void TProgramowanieFormPlatnosci::BitBtn4Click()
{
    Label4->setVisible(Edit1->text().isEmpty());
    Label5->setVisible(Edit2->text().isEmpty());
    if (Edit1->text().isEmpty() || Edit2->text().isEmpty())
        return;
    unsigned number = 0;
    if (!ParseRecordNumber(Edit1->text(), PaymentFormSlots, number)) {
        ShowMessage(QStringLiteral(" Błędna wartość w polu Numer. Numer musi zawierać się w przedziale 1 - 10"));
        return;
    }
    if (!NameAccepted(Edit2, "Nazwa waluty nie może składać się z samych znaków spacji!") ||
        !NameIsNew(Edit2, PaymentFormTableGeometry, PaymentFormSlots,
                   "Forma platności o takiej nazwie już istnieje! Wybierz inną nazwę."))
        return;
    const RecordBytes record =
        PaymentFormRecordBytes(uint8_t(number), ToCp1250(Edit2->text()), PaymentTypeByte(ComboBox1->currentIndex()));
    if (!StoreRecord(PaymentFormTableGeometry, record))
        return;
    Edit2->clear();
    Edit2->setFocus();
    FillPaymentFormsGrid();
}

void TProgramowanieFormPlatnosci::Button3Click()
{
    if (DeleteSelectedRecord(StringGrid1, PaymentFormTableGeometry, 1, PaymentFormSlots))
        FillPaymentFormsGrid();
}

void TProgramowanieFormPlatnosci::Button4Click() { SendSelectedRecord(StringGrid1, SendPaymentFormRecord, ConfirmFlag); }

bool TProgramowanieFormPlatnosci::FormKeyDown(int key)
{
    return EscEnterKey(key, [this] { reject(); }, [this] { BitBtn4Click(); });
}
