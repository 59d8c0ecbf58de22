#include "sync/CopyList.h"

#include "sync/CheckListBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

CopyListControls MakeCopyList(QWidget* owner, QVBoxLayout* layout, const QString& secondLine, const QStringList& items)
{
    CopyListControls c;
    c.Label1 = new QLabel(QStringLiteral("Zaznacz elementy, które chcesz skopiować"), owner);
    c.Label2 = new QLabel(secondLine, owner);
    c.CheckListBox1 = new CheckListBox(owner);
    c.CheckListBox1->SetItems(items);
    c.CheckBox1 = new QCheckBox(QStringLiteral("Zaznacz/odznacz wszystko"), owner);
    layout->addWidget(c.Label1);
    layout->addWidget(c.Label2);
    layout->addWidget(c.CheckListBox1, 1);
    layout->addWidget(c.CheckBox1);
    // The box stands as the items do, however they were set: ticked when every item is. Its
    // own click sets them all to its new state: left ticked over unticked items, it would untick.
    const auto follow = [list = c.CheckListBox1, box = c.CheckBox1] {
        box->setChecked(list->Count() > 0 && list->CheckedCount() == list->Count());
    };
    QAbstractItemModel* model = c.CheckListBox1->model();
    QObject::connect(model, &QAbstractItemModel::dataChanged, c.CheckBox1, follow);
    QObject::connect(model, &QAbstractItemModel::modelReset, c.CheckBox1, follow);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, c.CheckBox1, follow);
    return c;
}

std::vector<uint8_t> ReadTicks(const CheckListBox& list)
{
    std::vector<uint8_t> ticks;
    for (int row = 0; row < list.Count(); ++row)
        ticks.push_back(list.Checked(row) ? 1 : 0);
    return ticks;
}

void WriteTicks(CheckListBox& list, const std::vector<uint8_t>& ticks)
{
    for (int row = 0; row < list.Count() && std::size_t(row) < ticks.size(); ++row)
        list.SetChecked(row, ticks[std::size_t(row)] != 0);
}

void TickAllFromBox(const CopyListControls& c) { c.CheckListBox1->SetAllChecked(c.CheckBox1->isChecked()); }
