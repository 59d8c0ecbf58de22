#include "tables/ProgramowanieRabatow.h"

#include "core/AppState.h"
#include "link/Commands.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "tables/SmallTableWidgets.h"

#include <QCheckBox>
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

TProgramowanieRabatow::TProgramowanieRabatow(QWidget* parent)
    : TSmallTableEditor(parent), instance_(ProgramowanieRabatow, this)
{
    setWindowTitle(QStringLiteral("Edycja bazy rabatów/narzutów"));
    Edit1 = FieldEdit(2, 50, this);
    Edit2 = FieldEdit(21, 220, this);
    Edit3 = FieldEdit(9, 100, this);
    Label5 = new QLabel(QStringLiteral("%"), this);
    Label6 = WarningLabel(QStringLiteral(" Wprowadź numer!"), this);
    Label7 = WarningLabel(QStringLiteral(" Wprowadź nazwę!"), this);
    Label8 = WarningLabel(QStringLiteral(" Wprowadź wartość!"), this);
    RadioGroup1 = new TRadioGroup(QStringLiteral("Rodzaj"), {QStringLiteral("Rabat"), QStringLiteral("Narzut")}, this);
    RadioGroup2 = new TRadioGroup(QStringLiteral("Typ"), {QStringLiteral("Procentowy"), QStringLiteral("Kwotowy")}, this);
    RadioGroup2->OnClick([this] { RadioGroup2Click(); });
    auto* value = new QWidget(this);
    auto* valueLayout = new QHBoxLayout(value);
    valueLayout->setContentsMargins(0, 0, 0, 0);
    valueLayout->addWidget(Edit3);
    valueLayout->addWidget(Label5);
    auto* fields = new QVBoxLayout;
    fields->addLayout(FieldRows(this, {{"Numer", Edit1, Label6}, {"Nazwa", Edit2, Label7}, {"Wartość", value, Label8}}));
    auto* radios = new QHBoxLayout;
    radios->addWidget(RadioGroup1);
    radios->addWidget(RadioGroup2);
    fields->addLayout(radios);

    BuildFrame(
        fields,
        {{QStringLiteral("Nr"), QStringLiteral("Nazwa"), QStringLiteral("Rodzaj"), QStringLiteral("Wartość"),
          QStringLiteral("Typ")},
         "Potwierdzaj wprowadzanie rabatów z klawiatury kasy", "Usuń rabat/narzut", "Wyśilj do kasy"});
    StringGrid1->setColumnWidth(0, 35);
    StringGrid1->setColumnWidth(1, 200);
    StringGrid1->setColumnWidth(2, 70);
    StringGrid1->setColumnWidth(3, 90);
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

void TProgramowanieRabatow::BitBtn4Click()
{
    Label6->setVisible(Edit1->text().isEmpty());
    Label7->setVisible(Edit2->text().isEmpty());
    Label8->setVisible(Edit3->text().isEmpty());
    if (Edit1->text().isEmpty() || Edit2->text().isEmpty() || Edit3->text().isEmpty())
        return;
    unsigned number = 0;
    if (!ParseRecordNumber(Edit1->text(), DiscountSlots, number)) {
        ShowNumberOutOfRange(DiscountSlots);
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
