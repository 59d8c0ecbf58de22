#pragma once
// A list of checkable text items for the synchronisation panes. Backed by a flat model, so that
// thousands of items fill at once; a double click toggles the tick of the item.
#include <QAbstractListModel>
#include <QListView>
#include <QStringList>
#include <vector>

class CheckListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    void SetItems(const QStringList& items);   // all unticked
    const QStringList& Items() const { return items_; }
    bool Checked(int row) const;
    void SetChecked(int row, bool checked);
    void SetAllChecked(bool checked);
    void RemoveRow(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QStringList items_;
    std::vector<char> checked_;
};

class CheckListBox : public QListView {
    Q_OBJECT
public:
    explicit CheckListBox(QWidget* parent = nullptr);

    void SetItems(const QStringList& items) { model_->SetItems(items); }
    void Clear() { model_->SetItems({}); }
    int Count() const { return model_->rowCount(); }
    QString Item(int row) const { return model_->Items().value(row); }
    const QStringList& Items() const { return model_->Items(); }
    bool Checked(int row) const { return model_->Checked(row); }
    void SetChecked(int row, bool checked) { model_->SetChecked(row, checked); }
    void SetAllChecked(bool checked) { model_->SetAllChecked(checked); }
    // "Zaznacz/odznacz wszystko": sets every tick to the toggle state, then inverts the state,
    // so the first press after ResetTickAll ticks all.
    void TickAllToggle();
    void ResetTickAll() { tickAll_ = true; }
    int CheckedCount() const;
    // The numbers before the dot of the ticked lines, in list order.
    std::vector<int> CheckedNumbers() const;
    void RemoveItem(int row) { model_->RemoveRow(row); }
    // The selected row, -1 when none.
    int ItemIndex() const;
    void SetItemIndex(int row);

signals:
    void ItemClicked(int row);

private:
    CheckListModel* model_;
    bool tickAll_ = true;
};
