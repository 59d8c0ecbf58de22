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
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TProgramowanieOpakowan* ProgramowanieOpakowan = nullptr;

TProgramowanieOpakowan::TProgramowanieOpakowan(QWidget* parent) : TForm(parent), instance_(ProgramowanieOpakowan, this)
{
    setWindowTitle(QStringLiteral("Edycja bazy opakowań"));
    ComboBox1 = new QComboBox(this);
    for (unsigned n = 1; n <= SmallTableSlots; ++n)
        ComboBox1->addItem(QString::number(n));
    Edit2 = new QLineEdit(this);
    Edit2->setMaxLength(42);
    Edit2->setFixedWidth(340);
    Edit3 = new QLineEdit(this);
    Edit3->setMaxLength(9);
    Edit3->setFixedWidth(100);
    CheckBox2 = new QCheckBox(QStringLiteral("Możliwosc zmiany ceny w kasie"), this);
    CheckBox2->setVisible(false);
    Label5 = WarningLabel(QStringLiteral(" Wprowadź nazwę!"), this);
    Label6 = WarningLabel(QStringLiteral(" Wprowadź cenę!"), this);
    CheckBox1 = new QCheckBox(QStringLiteral("Potwiedzenie z klawiatury kasy"), this);
    StringGrid1 = MakeStringGrid({QStringLiteral("Numer"), QStringLiteral("Nazwa"), QStringLiteral("Cena")}, this);
    StringGrid1->setColumnWidth(0, 55);
    StringGrid1->setColumnWidth(1, 330);
    Button3 = WindowButton(QStringLiteral("Usuń opakowanie"), this);
    Button4 = WindowButton(QStringLiteral("Wyślij do kasy"), this);
    BitBtn4 = WindowButton(QStringLiteral("     &Dodaj do bazy PC"), this);
    BitBtn6 = WindowButton(QStringLiteral("&Anuluj"), this);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Numer"), this), 0, 0);
    fields->addWidget(ComboBox1, 0, 1, Qt::AlignLeft);
    fields->addWidget(new QLabel(QStringLiteral("Nazwa"), this), 1, 0);
    fields->addWidget(Edit2, 1, 1, Qt::AlignLeft);
    fields->addWidget(Label5, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("Cena"), this), 2, 0);
    fields->addWidget(Edit3, 2, 1, Qt::AlignLeft);
    fields->addWidget(Label6, 2, 2);
    fields->addWidget(CheckBox2, 3, 1);
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
    resize(600, 620);
}

void TProgramowanieOpakowan::FormShow() { FillPackagingsGrid(); }

void TProgramowanieOpakowan::FillPackagingsGrid()
{
    FillStringGrid(StringGrid1, PackagingGridRows());
    if (const unsigned free = FirstFreeSmallNumber(PackagingTableGeometry, SmallTableSlots))
        ComboBox1->setCurrentIndex(int(free) - 1);
}

void TProgramowanieOpakowan::CheckBox1Click() { ConfirmFlag = CheckBox1->isChecked() ? 1 : 0; }

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

bool TProgramowanieOpakowan::FormKeyDown(int key)
{
    return EscEnterKey(key, [this] { reject(); }, [this] { BitBtn4Click(); });
}
