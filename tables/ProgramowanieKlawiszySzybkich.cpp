#include "tables/ProgramowanieKlawiszySzybkich.h"

#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "core/Helpers.h"
#include "core/StatusHook.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/UnreadReply.h"
#include "platform/Cp1250.h"
#include "platform/Modal.h"
#include "platform/Prompts.h"
#include "tables/GoodsLogic.h"
#include "tables/ListaTowarow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cstring>

TProgramowanieKlawiszySzybkich* ProgramowanieKlawiszySzybkich = nullptr;

TProgramowanieKlawiszySzybkich::TProgramowanieKlawiszySzybkich(QWidget* parent)
    : TForm(parent), instance_(ProgramowanieKlawiszySzybkich, this)
{
    setWindowTitle(QStringLiteral("Edycja klawiszy szybkich"));
    auto* title = new QLabel(QStringLiteral("Programowanie klawiszy szybkich"), this);
    title->setStyleSheet(QStringLiteral("font-size: 13pt; font-weight: bold;"));

    ComboBox1 = new QComboBox(this);
    ComboBox1->setMinimumWidth(220);

    auto* keyBox = new QGroupBox(QStringLiteral("Numer klawisza:"), this);
    auto* keyLayout = new QGridLayout(keyBox);
    for (int i = 0; i < 10; ++i) {
        RadioButtonF[std::size_t(i)] = new QRadioButton(QStringLiteral("F%1").arg(i + 1), keyBox);
        keyLayout->addWidget(RadioButtonF[std::size_t(i)], i / 5, i % 5);
        connect(RadioButtonF[std::size_t(i)], &QRadioButton::clicked, this, [this, i] { RadioButtonFClick(i + 1); });
    }
    RadioButtonF[0]->setChecked(true);

    StringGrid1 = new QTableWidget(5, 3, this);
    StringGrid1->setHorizontalHeaderLabels({QStringLiteral("Numer"), QStringLiteral("Numer PLU"), QStringLiteral("Ilość")});
    StringGrid1->verticalHeader()->setVisible(false);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->setColumnWidth(0, 60);
    StringGrid1->setColumnWidth(1, 90);
    StringGrid1->setFixedHeight(StringGrid1->horizontalHeader()->sizeHint().height() + 5 * 30 + 4);
    for (int r = 0; r < 5; ++r)
        StringGrid1->setRowHeight(r, 30);

    RadioGroup1 = new QGroupBox(QStringLiteral("Towar edytowanego klawisza"), this);
    RadioGroup1Items = new QButtonGroup(this);
    auto* entryLayout = new QHBoxLayout(RadioGroup1);
    for (int p = 1; p <= 5; ++p) {
        auto* b = new QRadioButton(QString::number(p), RadioGroup1);
        RadioGroup1Items->addButton(b, p);
        entryLayout->addWidget(b);
    }
    RadioGroup1Items->button(1)->setChecked(true);

    Edit1 = new QLineEdit(this);
    Edit1->setMaxLength(4);
    Edit1->setFixedWidth(70);
    NameLabel = new QLabel(this);
    NameLabel->setMinimumWidth(300);
    Edit2 = new QLineEdit(QStringLiteral("1.0000"), this);
    Edit2->setMaxLength(10);
    Edit2->setFixedWidth(110);
    NumberWarning = new QLabel(QuickKeyTexts::EnterNumber, this);
    QuantityWarning = new QLabel(QuickKeyTexts::EnterQuantity, this);
    for (QLabel* warning : {NumberWarning, QuantityWarning}) {
        warning->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
        warning->setVisible(false);
    }
    CheckBox1 = new QCheckBox(QStringLiteral("Czy klawisz ma kończyć paragon?"), this);

    BitBtn1 = new QPushButton(QStringLiteral("Przegląd listy towarów"), this);
    BitBtn2 = new QPushButton(QStringLiteral("Dodaj towar do klawisza"), this);
    BitBtn3 = new QPushButton(QStringLiteral("     &Zapisz w bazie PC"), this);
    BitBtn4 = new QPushButton(QStringLiteral(" &Wyślij do kasy"), this);
    BitBtn5 = new QPushButton(QStringLiteral("&Usuń klawisz szybki z bazy PC"), this);
    BitBtn6 = new QPushButton(QStringLiteral("&Anuluj"), this);
    // Enter in a field presses no button.
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5, BitBtn6})
        b->setAutoDefault(false);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Numer towaru skojarzonego z klawiszem"), this), 0, 0, 1, 3);
    fields->addWidget(Edit1, 1, 0);
    fields->addWidget(NameLabel, 1, 1);
    fields->addWidget(NumberWarning, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("Ilość towaru do sprzedania"), this), 2, 0, 1, 3);
    fields->addWidget(Edit2, 3, 0);
    fields->addWidget(QuantityWarning, 3, 2);
    fields->setColumnStretch(1, 1);

    auto* cashier = new QHBoxLayout;
    cashier->addWidget(new QLabel(QStringLiteral("Kasjer:"), this));
    cashier->addWidget(ComboBox1);
    cashier->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(title);
    left->addLayout(cashier);
    left->addWidget(keyBox);
    left->addWidget(StringGrid1);
    left->addWidget(RadioGroup1);
    left->addLayout(fields);
    left->addWidget(BitBtn1, 0, Qt::AlignLeft);
    left->addWidget(BitBtn2, 0, Qt::AlignLeft);
    left->addWidget(CheckBox1);
    left->addStretch(1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(BitBtn3);
    buttons->addWidget(BitBtn4);
    buttons->addWidget(BitBtn5);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn6);

    auto* main = new QHBoxLayout(this);
    main->addLayout(left, 1);
    main->addLayout(buttons);

    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    connect(RadioGroup1Items, &QButtonGroup::idClicked, this, [this] { RadioGroup1Click(); });
    connect(StringGrid1, &QTableWidget::cellClicked, this, [this](int row, int) { StringGrid1Click(row + 1); });
    connect(Edit1, &QLineEdit::textChanged, this, [this] { ShowQuickKeyPlu(); });
    connect(Edit2, &QLineEdit::textChanged, this, [this] {
        if (!Edit2->text().isEmpty())
            QuantityWarning->setVisible(false);
    });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connect(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
    connect(BitBtn6, &QPushButton::clicked, this, [this] { BitBtn6Click(); });

    resize(640, 640);
}

// ---- the window's copy ----

int TProgramowanieKlawiszySzybkich::ChosenCashierIndex() const { return std::max(ComboBox1->currentIndex(), 0); }

int TProgramowanieKlawiszySzybkich::ChosenKey() const
{
    for (int i = 0; i < 10; ++i)
        if (RadioButtonF[std::size_t(i)]->isChecked())
            return i + 1;
    return 1;
}

int TProgramowanieKlawiszySzybkich::ChosenEntry() const { return std::max(RadioGroup1Items->checkedId(), 1); }

void TProgramowanieKlawiszySzybkich::SetChosenEntry(int position)
{
    if (QAbstractButton* b = RadioGroup1Items->button(position))
        b->setChecked(true);
}

int TProgramowanieKlawiszySzybkich::SelectedGridRow() const
{
    const int row = StringGrid1->currentRow();
    return row >= 0 ? row + 1 : 0;
}

void TProgramowanieKlawiszySzybkich::SelectGridRow(int row)
{
    if (row >= 1 && row <= 5)
        StringGrid1->selectRow(row - 1);
}

QuickKeyRecord TProgramowanieKlawiszySzybkich::BlockRecord(int cashierIndex, int key) const
{
    QuickKeyRecord record;
    std::memcpy(record.data(), QuickKeyBlock.data() + cashierIndex * 340 + (key - 1) * QuickKeyRecordSize,
                record.size());
    return record;
}

void TProgramowanieKlawiszySzybkich::SetBlockRecord(int cashierIndex, int key, const QuickKeyRecord& record)
{
    std::memcpy(QuickKeyBlock.data() + cashierIndex * 340 + (key - 1) * QuickKeyRecordSize, record.data(),
                record.size());
}

bool TProgramowanieKlawiszySzybkich::KeyProgrammed(const QuickKeyRecord& record)
{
    return QuickKeyUsedEntries(record) > 0;
}

// ---- showing ----

void TProgramowanieKlawiszySzybkich::FormShow()
{
    ComboBox1->clear();
    ComboBox1->addItems(QuickKeyCashierItems());
    ComboBox1->setCurrentIndex(0);
    QuickKeyBlock.fill(0);
    // Keys of an image that is not usable show empty.
    if (GoodsImageReadable())
        DbReadBytesAt(TableOffsets.QuickKeyTable, QuickKeyBlock.data(), QuickKeyBlock.size());
    ColourKeyButtons();
    RedrawQuickKeyGrid();
    SelectGridRow(1);
}

void TProgramowanieKlawiszySzybkich::RedrawQuickKeyGrid()
{
    const QuickKeyRecord record = BlockRecord(ChosenCashierIndex(), ChosenKey());
    for (int r = 1; r <= 5; ++r) {
        const uint16_t plu = QuickKeyEntryPlu(record, unsigned(r));
        const QStringList cells = {QString::number(r), plu ? QString::number(plu) : QStringLiteral("-"),
                                   plu ? FormatQuantity(QuickKeyEntryQuantity(record, unsigned(r))) : QStringLiteral("---")};
        for (int c = 0; c < 3; ++c) {
            QTableWidgetItem* item = StringGrid1->item(r - 1, c);
            if (!item) {
                item = new QTableWidgetItem;
                StringGrid1->setItem(r - 1, c, item);
            }
            item->setText(cells[c]);
        }
    }
    CheckBox1->setChecked(record[QuickKeyEndFlagByte] == 1);
}

void TProgramowanieKlawiszySzybkich::ColourKeyButtons()
{
    for (int key = 1; key <= 10; ++key) {
        const bool programmed = KeyProgrammed(BlockRecord(ChosenCashierIndex(), key));
        RadioButtonF[std::size_t(key - 1)]->setStyleSheet(
            programmed ? QStringLiteral("font-weight: bold; color: #006400;") : QString());
    }
}

void TProgramowanieKlawiszySzybkich::RadioButtonFClick(int n)
{
    RadioButtonF[std::size_t(n - 1)]->setChecked(true);
    RedrawQuickKeyGrid();
    SelectGridRow(1);
}

void TProgramowanieKlawiszySzybkich::ComboBox1Change()
{
    ColourKeyButtons();
    RedrawQuickKeyGrid();
    SelectGridRow(1);
}

void TProgramowanieKlawiszySzybkich::RadioGroup1Click() { SelectGridRow(ChosenEntry()); }

void TProgramowanieKlawiszySzybkich::StringGrid1Click(int row)
{
    if (row < 1 || row > 5)
        return;
    SetChosenEntry(row);
    Edit1->setText(QString::number(QuickKeyEntryPlu(BlockRecord(ChosenCashierIndex(), ChosenKey()), unsigned(row))));
    ShowQuickKeyPlu();
}

void TProgramowanieKlawiszySzybkich::ShowQuickKeyPlu()
{
    const QString text = Edit1->text().trimmed();
    if (!text.isEmpty())
        NumberWarning->setVisible(false);
    long long plu = 0;
    if (text.isEmpty())
        NameLabel->clear();
    else if (!ParseSigned(text.toStdString(), plu))
        NameLabel->setText(QStringLiteral("---"));
    else if (plu >= 1 && plu <= App.MaxGoodsCount)
        NameLabel->setText(FromCp1250(ReadGoodsName(unsigned(plu))).left(41));
    else
        NameLabel->clear();
}

// ---- editing ----

void TProgramowanieKlawiszySzybkich::BitBtn1Click()
{
    if (!ListaTowarow)
        new TListaTowarow(this);
    if (ShowModal(*ListaTowarow) == QDialog::Accepted && ListaTowarow->SelectedPlu != 0)
        Edit1->setText(QString::number(ListaTowarow->SelectedPlu));
    Edit2->setFocus();
}

void TProgramowanieKlawiszySzybkich::BitBtn2Click()
{
    const bool noNumber = Edit1->text().isEmpty();
    const bool noQuantity = Edit2->text().isEmpty();
    NumberWarning->setVisible(noNumber);
    QuantityWarning->setVisible(noQuantity);
    if (noNumber || noQuantity)
        return;
    long long plu = 0;
    if (!ParseSigned(Edit1->text().trimmed().toStdString(), plu) || plu < 0 || plu > App.MaxGoodsCount) {
        ShowMessage(QuickKeyTexts::BadGoodsNumber);
        return;
    }
    uint32_t quantity = 0;
    if (ParseKeyQuantity(Edit2->text(), quantity) != QuantityParse::Ok) {
        ShowMessage(QuickKeyTexts::BadQuantity);
        return;
    }
    const int entry = ChosenEntry();
    QuickKeyRecord record = BlockRecord(ChosenCashierIndex(), ChosenKey());
    SetQuickKeyEntry(record, unsigned(entry), uint16_t(plu), quantity);
    record[0] = uint8_t(ChosenCashierIndex() + 1);
    record[1] = uint8_t(ChosenKey());
    record[QuickKeyCountByte] = QuickKeyUsedEntries(record);
    SetBlockRecord(ChosenCashierIndex(), ChosenKey(), record);
    if (entry < 5)
        SetChosenEntry(entry + 1);
    SelectGridRow(ChosenEntry());
    RedrawQuickKeyGrid();
    BitBtn1->setFocus();
}

bool TProgramowanieKlawiszySzybkich::StoreKey()
{
    QuickKeyRecord record = BlockRecord(ChosenCashierIndex(), ChosenKey());
    record[0] = uint8_t(ChosenCashierIndex() + 1);
    record[1] = uint8_t(ChosenKey());
    record[QuickKeyEndFlagByte] = CheckBox1->isChecked() ? 1 : 0;
    // The image keeps the used entries first.
    record = PackQuickKeyRecord(record);
    if (!WriteQuickKeyRecord(record, unsigned(ChosenCashierIndex() + 1), unsigned(ChosenKey()))) {
        ShowMessage(GoodsTexts::FileClosed);
        return false;
    }
    SetBlockRecord(ChosenCashierIndex(), ChosenKey(), record);
    ShowMessage(QuickKeyTexts::Stored);
    MarkDatabaseModified();
    RequestStatusRefresh();
    RedrawQuickKeyGrid();
    ColourKeyButtons();
    return true;
}

void TProgramowanieKlawiszySzybkich::BitBtn3Click() { StoreKey(); }

void TProgramowanieKlawiszySzybkich::BitBtn4Click()
{
    // What the user sees is what goes out: the key is stored first.
    if (!StoreKey())
        return;
    if (!RegisterConnected()) {
        ShowMessage(GoodsTexts::NoConnection);
        return;
    }
    DrainInput();
    SendQuickKeyRecord(Link.RegisterAddress, SingleFrameNumber, uint8_t(ChosenCashierIndex() + 1),
                       uint8_t(ChosenKey()), ConfirmFlag);
    AwaitUnreadReply();
}

void TProgramowanieKlawiszySzybkich::BitBtn5Click()
{
    SetBlockRecord(ChosenCashierIndex(), ChosenKey(), QuickKeyRecord{});
    RedrawQuickKeyGrid();
    ColourKeyButtons();
}

void TProgramowanieKlawiszySzybkich::BitBtn6Click() { reject(); }

bool TProgramowanieKlawiszySzybkich::FormKeyDown(int key)
{
    if (key != Qt::Key_Escape)
        return false;
    BitBtn6Click();
    return true;
}
