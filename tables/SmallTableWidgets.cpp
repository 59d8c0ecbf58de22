#include "tables/SmallTableWidgets.h"

#include "core/AppState.h"
#include "core/StatusHook.h"
#include "link/Link.h"
#include "tables/GoodsLogic.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

QLineEdit* FieldEdit(int maxLength, int width, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setMaxLength(maxLength);
    e->setFixedWidth(width);
    return e;
}

QGridLayout* FieldRows(QWidget* parent, std::initializer_list<FieldRow> rows)
{
    auto* grid = new QGridLayout;
    int row = 0;
    for (const FieldRow& r : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(r.Caption), parent), row, 0);
        grid->addWidget(r.Control, row, 1, Qt::AlignLeft);
        if (r.Warning)
            grid->addWidget(r.Warning, row, 2);
        ++row;
    }
    grid->setColumnMinimumWidth(2, 120);
    grid->setColumnStretch(3, 1);
    return grid;
}

void TSmallTableEditor::BuildFrame(QLayout* fields, const SmallTableCaptions& captions)
{
    CheckBox1 = new QCheckBox(QString::fromUtf8(captions.Confirm), this);
    StringGrid1 = MakeStringGrid(captions.Headers, this);
    StringGrid1->setColumnWidth(0, 55);
    Button3 = WindowButton(QString::fromUtf8(captions.Delete), this);
    Button4 = WindowButton(QString::fromUtf8(captions.Send), this);
    BitBtn4 = WindowButton(QStringLiteral("     &Dodaj do bazy PC"), this);
    BitBtn6 = WindowButton(QStringLiteral("&Anuluj"), this);
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
}

void TSmallTableEditor::CheckBox1Click() { ConfirmFlag = CheckBox1->isChecked() ? 1 : 0; }

bool TSmallTableEditor::FormKeyDown(int key)
{
    return EscEnterKey(key, [this] { reject(); }, [this] { BitBtn4Click(); });
}

QPushButton* WindowButton(const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

QLabel* WarningLabel(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    l->setVisible(false);
    return l;
}

bool NameAccepted(QLineEdit* edit, const char* spacesMessage)
{
    const QString name = edit->text();
    QString refusal = Cp1250Refusal(name);
    if (spacesMessage && IsSpacesOnly(name))
        refusal = QString::fromUtf8(spacesMessage);
    if (refusal.isEmpty())
        return true;
    ShowMessage(refusal);
    edit->setFocus();
    return false;
}

bool NameIsNew(QLineEdit* edit, const SmallTableGeometry& table, unsigned slotCount, const char* duplicateMessage)
{
    if (!FindSmallRecordByName(table, slotCount, ToCp1250(edit->text())))
        return true;
    edit->setFocus();
    ShowMessage(QString::fromUtf8(duplicateMessage));
    return false;
}

void ShowFileClosed() { ShowMessage(QString::fromUtf8(SmallTableTexts::FileClosed)); }

void ShowNumberOutOfRange(unsigned last)
{
    ShowMessage(QStringLiteral(" Błędna wartość w polu Numer. Numer musi zawierać się w przedziale 1\u00A0\u2011\u00A0%1")
                    .arg(last));
}

bool StoreRecord(const SmallTableGeometry& table, const RecordBytes& record)
{
    if (!WriteSmallRecord(table, record)) {
        ShowFileClosed();
        return false;
    }
    MarkDatabaseModified();
    RequestStatusRefresh();
    return true;
}

QTableWidget* MakeStringGrid(const QStringList& headers, QWidget* parent)
{
    auto* grid = new QTableWidget(int(SmallTableSlots), int(headers.size()), parent);
    grid->setHorizontalHeaderLabels(headers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setWordWrap(false);
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            grid->setItem(r, c, new QTableWidgetItem);
    return grid;
}

void FillStringGrid(QTableWidget* grid, const GridRows& rows)
{
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c) {
            const bool filled = r < int(rows.size()) && c < rows[std::size_t(r)].size();
            grid->item(r, c)->setText(filled ? rows[std::size_t(r)][c] : QString());
        }
}

unsigned SelectedRecordNumber(const QTableWidget* grid)
{
    const int row = grid->currentRow();
    if (row < 0)
        return 0;
    bool ok = false;
    const int number = NumberBeforeDot(GridCell(grid, row, 0), &ok);
    return ok ? unsigned(number) : 0;
}

QString GridCell(const QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

void SelectGridRow(QTableWidget* grid, int row)
{
    if (row >= 0 && row < grid->rowCount())
        grid->setCurrentCell(row, 0);
}

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, QWidget* parent, bool vertical)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this))
{
    QBoxLayout* layout = vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(this)) : new QHBoxLayout(this);
    // Without a title it is one line of buttons beside its caption, with no frame.
    if (title.isEmpty()) {
        setStyleSheet(QStringLiteral("QGroupBox { border: none; margin: 0px; padding: 0px; }"));
        layout->setContentsMargins(0, 2, 0, 2);
    }
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        buttons_->addButton(b, i);
        layout->addWidget(b);
    }
    SetItemIndex(0);
}

int TRadioGroup::ItemIndex() const { return buttons_->checkedId(); }

void TRadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton* b = buttons_->button(index))
        b->setChecked(true);
}

void TRadioGroup::OnClick(std::function<void()> handler)
{
    connect(buttons_, &QButtonGroup::idClicked, this, [handler = std::move(handler)](int) { handler(); });
}

bool DeleteSelectedRecord(const QTableWidget* grid, const SmallTableGeometry& table, unsigned first, unsigned last)
{
    const unsigned number = SelectedRecordNumber(grid);
    if (number < first || number > last)
        return false;
    if (!ClearSmallRecord(table, number)) {
        ShowFileClosed();
        return false;
    }
    MarkDatabaseModified();
    RequestStatusRefresh();
    return true;
}

int SendSelectedRecord(const QTableWidget* grid, RecordBuilder builder, uint8_t confirmFlag, int (*reader)())
{
    const unsigned number = SelectedRecordNumber(grid);
    if (number < 1 || number > SmallTableSlots)
        return NothingSent;
    const uint8_t n = uint8_t(number);
    return SendOneFrame([&] { return builder(Link.RegisterAddress, SingleFrameNumber, n, n, confirmFlag); }, reader);
}
