#include "tables/ProgramowanieFormPlatnosci.h"

#include "core/AppState.h"
#include "link/Commands.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "tables/SmallTableWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

TProgramowanieFormPlatnosci* ProgramowanieFormPlatnosci = nullptr;

namespace {
constexpr unsigned PaymentFormSlots = 10;
} // namespace

TProgramowanieFormPlatnosci::TProgramowanieFormPlatnosci(QWidget* parent)
    : TSmallTableEditor(parent), instance_(ProgramowanieFormPlatnosci, this)
{
    setWindowTitle(QStringLiteral("Edycja bazy form płatności"));
    Edit1 = FieldEdit(2, 50, this);
    Edit2 = FieldEdit(21, 220, this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->addItems(PaymentTypeNames());
    ComboBox1->setCurrentIndex(0);
    Label4 = WarningLabel(QStringLiteral("Podaj numer!"), this);
    Label5 = WarningLabel(QStringLiteral("Podaj nazwę!"), this);
    BuildFrame(
        FieldRows(this, {{"Numer", Edit1, Label4}, {"Nazwa", Edit2, Label5}, {"Typ", ComboBox1}}),
        {{QStringLiteral("Numer"), QStringLiteral("Nazwa"), QStringLiteral("Typ")}, "Potwierdzenie z klawiatury kasy",
         "Usuń z bazy"});
    StringGrid1->setColumnWidth(1, 200);
    resize(480, 600);
}

void TProgramowanieFormPlatnosci::FormShow() { FillPaymentFormsGrid(); }

void TProgramowanieFormPlatnosci::FillPaymentFormsGrid()
{
    FillStringGrid(StringGrid1, PaymentFormGridRows());
    const unsigned free = FirstFreeSmallNumber(PaymentFormTableGeometry, PaymentFormSlots);
    Edit1->setText(free ? QString::number(free) : QString());
}

void TProgramowanieFormPlatnosci::BitBtn4Click()
{
    Label4->setVisible(Edit1->text().isEmpty());
    Label5->setVisible(Edit2->text().isEmpty());
    if (Edit1->text().isEmpty() || Edit2->text().isEmpty())
        return;
    unsigned number = 0;
    if (!ParseRecordNumber(Edit1->text(), PaymentFormSlots, number)) {
        ShowNumberOutOfRange(PaymentFormSlots);
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
