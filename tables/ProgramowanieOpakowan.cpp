#include "tables/ProgramowanieOpakowan.h"

#include "core/AppState.h"
#include "link/Commands.h"
#include "platform/Cp1250.h"
#include "platform/Modal.h"
#include "platform/Prompts.h"
#include "tables/ListaTowarowTandem.h"
#include "tables/SmallTableWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

TProgramowanieOpakowan* ProgramowanieOpakowan = nullptr;

TProgramowanieOpakowan::TProgramowanieOpakowan(QWidget* parent)
    : TSmallTableEditor(parent), instance_(ProgramowanieOpakowan, this)
{
    setWindowTitle(QStringLiteral("Edycja bazy opakowań"));
    ComboBox1 = new QComboBox(this);
    for (unsigned n = 1; n <= SmallTableSlots; ++n)
        ComboBox1->addItem(QString::number(n));
    Edit2 = FieldEdit(42, 340, this);
    Edit3 = FieldEdit(9, 100, this);
    CheckBox2 = new QCheckBox(QStringLiteral("Możliwosc zmiany ceny w kasie"), this);
    CheckBox2->setVisible(false);
    Label5 = WarningLabel(QStringLiteral(" Wprowadź nazwę!"), this);
    Label6 = WarningLabel(QStringLiteral(" Wprowadź cenę!"), this);
    QGridLayout* fields =
        FieldRows(this, {{"Numer", ComboBox1}, {"Nazwa", Edit2, Label5}, {"Cena", Edit3, Label6}});
    fields->addWidget(CheckBox2, 3, 1);
    BuildFrame(
        fields,
        {{QStringLiteral("Numer"), QStringLiteral("Nazwa"), QStringLiteral("Cena")}, "Potwiedzenie z klawiatury kasy",
         "Usuń opakowanie"});
    StringGrid1->setColumnWidth(1, 330);
    resize(600, 620);
}

void TProgramowanieOpakowan::FormShow() { FillPackagingsGrid(); }

void TProgramowanieOpakowan::FillPackagingsGrid()
{
    FillStringGrid(StringGrid1, PackagingGridRows());
    if (const unsigned free = FirstFreeSmallNumber(PackagingTableGeometry, SmallTableSlots))
        ComboBox1->setCurrentIndex(int(free) - 1);
}

void TProgramowanieOpakowan::BitBtn4Click()
{
    Label5->setVisible(Edit2->text().isEmpty());
    Label6->setVisible(Edit3->text().isEmpty());
    if (Edit2->text().isEmpty() || Edit3->text().isEmpty())
        return;
    if (!NameAccepted(Edit2, nullptr))
        return;
    const NumberCheck price = CheckPackagingPrice(Edit3->text());
    if (!price.Ok()) {
        ShowMessage(price.Message);
        return;
    }
    const RecordBytes record = PackagingRecordBytes(uint8_t(ComboBox1->currentIndex() + 1), ToCp1250(Edit2->text()),
                                                    price.Value, CheckBox2->isChecked() ? 1 : 0);
    if (!StoreRecord(PackagingTableGeometry, record))
        return;
    Edit2->setFocus();
    Edit2->clear();
    Edit3->clear();
    FillPackagingsGrid();
}

void TProgramowanieOpakowan::Button3Click()
{
    const unsigned number = SelectedRecordNumber(StringGrid1);
    if (number < 1 || number > SmallTableSlots)
        return;
    if (!ListaTowarowTandem)
        new TListaTowarowTandem(this);
    ListaTowarowTandem->TandemPackagingNumber = int(number);
    ShowModal(*ListaTowarowTandem);
    if (!ListaTowarowTandem->PackagingDeleteConfirmed)
        return;
    if (!SmallTablesUsable()) {
        ShowFileClosed();
        return;
    }
    RemovePackagingFromGoods(uint8_t(number));
    if (DeleteSelectedRecord(StringGrid1, PackagingTableGeometry, 1, SmallTableSlots))
        FillPackagingsGrid();
}

void TProgramowanieOpakowan::Button4Click() { SendSelectedRecord(StringGrid1, SendPackagingRecord, ConfirmFlag); }
