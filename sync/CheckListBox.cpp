#include "sync/CheckListBox.h"

#include "platform/Form.h"
#include "tables/GoodsLogic.h"

#include <QFont>
#include <algorithm>

void CheckListModel::SetItems(const QStringList& items)
{
    beginResetModel();
    items_ = items;
    checked_.assign(std::size_t(items.size()), 0);
    endResetModel();
}

bool CheckListModel::Checked(int row) const
{
    return row >= 0 && row < int(checked_.size()) && checked_[std::size_t(row)];
}

void CheckListModel::SetChecked(int row, bool checked)
{
    if (row < 0 || row >= int(checked_.size()))
        return;
    checked_[std::size_t(row)] = checked;
    const QModelIndex i = index(row);
    emit dataChanged(i, i, {Qt::CheckStateRole});
}

void CheckListModel::SetAllChecked(bool checked)
{
    std::fill(checked_.begin(), checked_.end(), char(checked));
    if (!checked_.empty())
        emit dataChanged(index(0), index(int(checked_.size()) - 1), {Qt::CheckStateRole});
}

void CheckListModel::RemoveRow(int row)
{
    if (row < 0 || row >= items_.size())
        return;
    beginRemoveRows({}, row, row);
    items_.removeAt(row);
    checked_.erase(checked_.begin() + row);
    endRemoveRows();
}

int CheckListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(items_.size()); }

QVariant CheckListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= items_.size())
        return {};
    if (role == Qt::DisplayRole)
        return items_[index.row()];
    if (role == Qt::CheckStateRole)
        return checked_[std::size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool CheckListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole)
        return false;
    SetChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags CheckListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable : Qt::NoItemFlags;
}

CheckListBox::CheckListBox(QWidget* parent) : QListView(parent), model_(new CheckListModel(this))
{
    setModel(model_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPointSize(9);
    setFont(mono);
    FitRowsToAccents(this);
    connect(this, &QListView::clicked, this, [this](const QModelIndex& i) { emit ItemClicked(i.row()); });
    connect(this, &QListView::doubleClicked, this,
            [this](const QModelIndex& i) { SetChecked(i.row(), !Checked(i.row())); });
}

void CheckListBox::TickAllToggle()
{
    SetAllChecked(tickAll_);
    tickAll_ = !tickAll_;
}

int CheckListBox::CheckedCount() const
{
    int n = 0;
    for (int row = 0; row < Count(); ++row)
        n += Checked(row) ? 1 : 0;
    return n;
}

std::vector<int> CheckListBox::CheckedNumbers() const
{
    std::vector<int> numbers;
    for (int row = 0; row < Count(); ++row)
        if (Checked(row))
            numbers.push_back(NumberBeforeDot(Item(row)));
    return numbers;
}

int CheckListBox::ItemIndex() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void CheckListBox::SetItemIndex(int row)
{
    if (row < 0 || row >= Count()) {
        clearSelection();
        setCurrentIndex({});
        return;
    }
    setCurrentIndex(model_->index(row));
}
