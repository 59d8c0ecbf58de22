#include "tables/ProgramowanieGrupTowarowych.h"

#include "link/Commands.h"
#include "link/Link.h"
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

TProgramowanieGrupTowarowych* ProgramowanieGrupTowarowych = nullptr;

namespace {
// The register's error for a group name that its goods table already holds.
constexpr uint8_t GroupNameInGoods = 5;
constexpr int GroupNameWidth = 20;
} // namespace

TProgramowanieGrupTowarowych::TProgramowanieGrupTowarowych(QWidget* parent)
    : TForm(parent), instance_(ProgramowanieGrupTowarowych, this)
{
    setWindowTitle(QStringLiteral("Edycja grup towarowych"));
    ComboBox1 = new QComboBox(this);
    for (unsigned n = 1; n <= SmallTableSlots; ++n)
        ComboBox1->addItem(QString::number(n));
    Edit2 = new QLineEdit(this);
    Edit2->setMaxLength(GroupNameWidth);
    Edit2->setFixedWidth(220);
    Label5 = WarningLabel(QStringLiteral("Wprowadź nazwę!"), this);
    CheckBox1 = new QCheckBox(QStringLiteral("Potwiedzenie z klawiatury kasy"), this);
    StringGrid1 = MakeStringGrid({QStringLiteral("Numer"), QStringLiteral("Nazwa")}, this);
    StringGrid1->setColumnWidth(0, 55);
    Button3 = WindowButton(QStringLiteral("Usuń grupę towarową"), this);
    Button4 = WindowButton(QStringLiteral("Wyślij do kasy"), this);
    BitBtn4 = WindowButton(QStringLiteral("     &Dodaj do bazy PC"), this);
    BitBtn6 = WindowButton(QStringLiteral("&Anuluj"), this);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Numer"), this), 0, 0);
    fields->addWidget(ComboBox1, 0, 1, Qt::AlignLeft);
    fields->addWidget(new QLabel(QStringLiteral("Nazwa"), this), 1, 0);
    fields->addWidget(Edit2, 1, 1, Qt::AlignLeft);
    fields->addWidget(Label5, 1, 2);
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
    resize(420, 600);
}

void TProgramowanieGrupTowarowych::FormShow() { FillGroupsGrid(); }

void TProgramowanieGrupTowarowych::FillGroupsGrid()
{
    FillStringGrid(StringGrid1, GoodsGroupGridRows());
    if (const unsigned free = FirstFreeSmallNumber(GoodsGroupTableGeometry, SmallTableSlots))
        ComboBox1->setCurrentIndex(int(free) - 1);
}

void TProgramowanieGrupTowarowych::CheckBox1Click() { ConfirmFlag = CheckBox1->isChecked() ? 1 : 0; }

void TProgramowanieGrupTowarowych::BitBtn4Click()
{
    Label5->setVisible(Edit2->text().isEmpty());
    if (Edit2->text().isEmpty())
        return;
    if (!NameAccepted(Edit2, "Nazwa grupy towarowej nie może składać się z samych znaków spacji!") ||
        !NameIsNew(Edit2, GoodsGroupTableGeometry, SmallTableSlots,
                   "Grupa towarowa o takiej nazwie już istnieje! Wybierz inną nazwę."))
        return;
    const RecordBytes record = GoodsGroupRecordBytes(uint8_t(ComboBox1->currentIndex() + 1),
                                                     ToCp1250(Edit2->text().left(GroupNameWidth)));
    if (!StoreRecord(GoodsGroupTableGeometry, record))
        return;
    Edit2->clear();
    Edit2->setFocus();
    FillGroupsGrid();
}

void TProgramowanieGrupTowarowych::Button3Click()
{
    if (SelectedRecordNumber(StringGrid1) == 1) {
        ShowMessage(QStringLiteral(" Nie można usunąć grupy towarowej nr  1"));
        return;
    }
    if (DeleteSelectedRecord(StringGrid1, GoodsGroupTableGeometry, 2, SmallTableSlots))
        FillGroupsGrid();
}

void TProgramowanieGrupTowarowych::Button4Click()
{
    const int result = SendSelectedRecord(StringGrid1, SendGoodsGroupRecord, ConfirmFlag, ReceiveAck);
    if (result == NothingSent)
        return;
    if (result == AckErrorFrame && Link.ReceiveBuffer[8] == GroupNameInGoods)
        ShowMessage(QStringLiteral("Nazwa grupy towarowej już występuje w bazie towarowej kasy."));
    else if (result == AckAccepted || result == AckDone)
        ShowMessage(QStringLiteral("Grupę towarową zapisano w kasie"));
    else
        ShowMessage(QStringLiteral("Błąd! Kasa nie potwierdziła zapisu grupy towarowej!"));
}

bool TProgramowanieGrupTowarowych::FormKeyDown(int key)
{
    return EscEnterKey(key, [this] { reject(); }, [this] { BitBtn4Click(); });
}
