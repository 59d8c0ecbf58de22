#include "tables/ProgramowanieGrupTowarowych.h"

#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "tables/SmallTableWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

TProgramowanieGrupTowarowych* ProgramowanieGrupTowarowych = nullptr;

namespace {
// The register's error for a group name that its goods table already holds.
constexpr uint8_t GroupNameInGoods = 5;
constexpr int GroupNameWidth = 20;
} // namespace

TProgramowanieGrupTowarowych::TProgramowanieGrupTowarowych(QWidget* parent)
    : TSmallTableEditor(parent), instance_(ProgramowanieGrupTowarowych, this)
{
    setWindowTitle(QStringLiteral("Edycja grup towarowych"));
    ComboBox1 = new QComboBox(this);
    for (unsigned n = 1; n <= SmallTableSlots; ++n)
        ComboBox1->addItem(QString::number(n));
    Edit2 = FieldEdit(GroupNameWidth, 220, this);
    Label5 = WarningLabel(QStringLiteral("Wprowadź nazwę!"), this);
    BuildFrame(
        FieldRows(this, {{"Numer", ComboBox1}, {"Nazwa", Edit2, Label5}}),
        {{QStringLiteral("Numer"), QStringLiteral("Nazwa")}, "Potwiedzenie z klawiatury kasy", "Usuń grupę towarową"});
    resize(420, 600);
}

void TProgramowanieGrupTowarowych::FormShow() { FillGroupsGrid(); }

void TProgramowanieGrupTowarowych::FillGroupsGrid()
{
    FillStringGrid(StringGrid1, GoodsGroupGridRows());
    if (const unsigned free = FirstFreeSmallNumber(GoodsGroupTableGeometry, SmallTableSlots))
        ComboBox1->setCurrentIndex(int(free) - 1);
}

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
