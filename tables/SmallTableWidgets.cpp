#include "tables/SmallTableWidgets.h"

#include "core/AppState.h"
#include "core/StatusHook.h"
#include "link/Link.h"
#include "tables/GoodsLogic.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
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

SmallTableFrame BuildSmallTableWindow(QDialog* window, QLayout* fields, const SmallTableCaptions& captions,
                                      const SmallTableHandlers& handlers)
{
    SmallTableFrame f;
    f.Confirm = new QCheckBox(QString::fromUtf8(captions.Confirm), window);
    f.Grid = MakeStringGrid(captions.Headers, window);
    f.Grid->setColumnWidth(0, 55);
    f.Delete = WindowButton(QString::fromUtf8(captions.Delete), window);
    f.Send = WindowButton(QString::fromUtf8(captions.Send), window);
    f.Add = WindowButton(QStringLiteral("     &Dodaj do bazy PC"), window);
    f.Cancel = WindowButton(QStringLiteral("&Anuluj"), window);
    auto* gridButtons = new QHBoxLayout;
    gridButtons->addWidget(f.Delete);
    gridButtons->addWidget(f.Send);
    gridButtons->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(f.Add);
    buttons->addStretch(1);
    buttons->addWidget(f.Cancel);
    auto* main = new QVBoxLayout(window);
    main->addLayout(fields);
    main->addWidget(f.Confirm);
    main->addWidget(f.Grid, 1);
    main->addLayout(gridButtons);
    main->addLayout(buttons);
    QObject::connect(f.Add, &QPushButton::clicked, window, handlers.Add);
    QObject::connect(f.Cancel, &QPushButton::clicked, window, [window] { window->reject(); });
    QObject::connect(f.Delete, &QPushButton::clicked, window, handlers.Delete);
    QObject::connect(f.Send, &QPushButton::clicked, window, handlers.Send);
    QObject::connect(f.Confirm, &QCheckBox::clicked, window, handlers.Confirm);
    return f;
}

void SmallTableFrame::Into(QCheckBox*& confirm, QTableWidget*& grid, QPushButton*& remove, QPushButton*& send,
                           QPushButton*& add, QPushButton*& cancel) const
{
    confirm = Confirm;
    grid = Grid;
    remove = Delete;
    send = Send;
    add = Add;
    cancel = Cancel;
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

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this))
{
    auto* layout = new QHBoxLayout(this);
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
