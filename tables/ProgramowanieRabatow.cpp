#include "tables/ProgramowanieRabatow.h"

#include "core/AppState.h"
#include "link/Commands.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "tables/SmallTableWidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TProgramowanieRabatow* ProgramowanieRabatow = nullptr;

namespace {
constexpr unsigned DiscountSlots = 20;
} // namespace

TProgramowanieRabatow::TProgramowanieRabatow(QWidget* parent) : TForm(parent), instance_(ProgramowanieRabatow, this)
{
    setWindowTitle(QStringLiteral("Edycja bazy rabatów/narzutów"));
    Edit1 = new QLineEdit(this);
    Edit1->setMaxLength(2);
    Edit1->setFixedWidth(50);
    Edit2 = new QLineEdit(this);
    Edit2->setMaxLength(21);
    Edit2->setFixedWidth(220);
    Edit3 = new QLineEdit(this);
    Edit3->setMaxLength(9);
    Edit3->setFixedWidth(100);
    Label5 = new QLabel(QStringLiteral("%"), this);
    Label6 = WarningLabel(QStringLiteral(" Wprowadź numer!"), this);
    Label7 = WarningLabel(QStringLiteral(" Wprowadź nazwę!"), this);
    Label8 = WarningLabel(QStringLiteral(" Wprowadź wartość!"), this);
    RadioGroup1 = new TRadioGroup(QStringLiteral("Rodzaj"), {QStringLiteral("Rabat"), QStringLiteral("Narzut")}, this);
    RadioGroup2 = new TRadioGroup(QStringLiteral("Typ"), {QStringLiteral("Procentowy"), QStringLiteral("Kwotowy")}, this);
    CheckBox1 = new QCheckBox(QStringLiteral("Potwierdzaj wprowadzanie rabatów z klawiatury kasy"), this);
    StringGrid1 = MakeStringGrid({QStringLiteral("Nr"), QStringLiteral("Nazwa"), QStringLiteral("Rodzaj"),
                                  QStringLiteral("Wartość"), QStringLiteral("Typ")},
                                 this);
    StringGrid1->setColumnWidth(0, 35);
    StringGrid1->setColumnWidth(1, 200);
    StringGrid1->setColumnWidth(2, 70);
    StringGrid1->setColumnWidth(3, 90);
    Button3 = WindowButton(QStringLiteral("Usuń rabat/narzut"), this);
    Button4 = WindowButton(QStringLiteral("Wyśilj do kasy"), this);
    BitBtn4 = WindowButton(QStringLiteral("     &Dodaj do bazy PC"), this);
    BitBtn6 = WindowButton(QStringLiteral("&Anuluj"), this);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Numer"), this), 0, 0);
    fields->addWidget(Edit1, 0, 1, Qt::AlignLeft);
    fields->addWidget(Label6, 0, 2);
    fields->addWidget(new QLabel(QStringLiteral("Nazwa"), this), 1, 0);
    fields->addWidget(Edit2, 1, 1, Qt::AlignLeft);
    fields->addWidget(Label7, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("Wartość"), this), 2, 0);
    auto* value = new QHBoxLayout;
    value->addWidget(Edit3);
    value->addWidget(Label5);
    value->addStretch(1);
    fields->addLayout(value, 2, 1);
    fields->addWidget(Label8, 2, 2);
    fields->setColumnStretch(3, 1);
    auto* radios = new QHBoxLayout;
    radios->addWidget(RadioGroup1);
    radios->addWidget(RadioGroup2);
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
    main->addLayout(radios);
    main->addWidget(CheckBox1);
    main->addWidget(StringGrid1, 1);
    main->addLayout(gridButtons);
    main->addLayout(buttons);

    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connect(BitBtn6, &QPushButton::clicked, this, [this] { reject(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    RadioGroup2->OnClick([this] { RadioGroup2Click(); });
    resize(560, 640);
}

void TProgramowanieRabatow::FormShow() { FillDiscountsGrid(); }

void TProgramowanieRabatow::FillDiscountsGrid()
{
    FillStringGrid(StringGrid1, DiscountGridRows(FromCp1250(App.RecordCurrencySymbol)));
    const unsigned free = FirstFreeSmallNumber(DiscountTableGeometry, DiscountSlots);
    Edit1->setText(free ? QString::number(free) : QString());
}

void TProgramowanieRabatow::RadioGroup2Click()
{
    Label5->setText(RadioGroup2->ItemIndex() == 1 ? FromCp1250(App.RecordCurrencySymbol) : QStringLiteral("%"));
}

void TProgramowanieRabatow::CheckBox1Click() { ConfirmFlag = CheckBox1->isChecked() ? 1 : 0; }

void TProgramowanieRabatow::BitBtn4Click()
{
    Label6->setVisible(Edit1->text().isEmpty());
    Label7->setVisible(Edit2->text().isEmpty());
    Label8->setVisible(Edit3->text().isEmpty());
    if (Edit1->text().isEmpty() || Edit2->text().isEmpty() || Edit3->text().isEmpty())
        return;
    unsigned number = 0;
    if (!ParseRecordNumber(Edit1->text(), DiscountSlots, number)) {
        ShowMessage(QStringLiteral(" Błędna wartość w polu Numer. Numer musi zawierać się w przedziale 1 - 20"));
        return;
    }
    if (!NameAccepted(Edit2, "Nazwa rabatu/narzutu nie może składać się z samych znaków spacji!") ||
        !NameIsNew(Edit2, DiscountTableGeometry, DiscountSlots,
                   "Rabat/narzut o takiej nazwie już istnieje! Wybierz inną nazwę."))
        return;
    const bool amount = RadioGroup2->ItemIndex() == 1;
    const NumberCheck value = CheckDiscountValue(Edit3->text(), amount);
    if (!value.Ok()) {
        ShowMessage(value.Message);
        return;
    }
    const RecordBytes record = DiscountRecordBytes(uint8_t(number), ToCp1250(Edit2->text()), RadioGroup1->ItemIndex() == 1,
                                                   amount, value.Value);
    if (!StoreRecord(DiscountTableGeometry, record))
        return;
    Edit2->clear();
    Edit3->clear();
    Edit2->setFocus();
    FillDiscountsGrid();
}

void TProgramowanieRabatow::Button3Click()
{
    if (DeleteSelectedRecord(StringGrid1, DiscountTableGeometry, 1, DiscountSlots))
        FillDiscountsGrid();
}

void TProgramowanieRabatow::Button4Click() { SendSelectedRecord(StringGrid1, SendDiscountRecord, ConfirmFlag); }

bool TProgramowanieRabatow::FormKeyDown(int key)
{
    return EscEnterKey(key, [this] { reject(); }, [this] { BitBtn4Click(); });
}
