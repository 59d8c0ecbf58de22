#pragma once
// The check list of the two whole-database copy windows: the tables to copy, and a box that
// ticks or unticks them all.
#include <QStringList>

#include <cstdint>
#include <vector>

class QCheckBox;
class QLabel;
class CheckListBox;
class QVBoxLayout;
class QWidget;

struct CopyListControls {
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    CheckListBox* CheckListBox1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;   // "Zaznacz/odznacz wszystko", ticked when every item is
};

// Makes the controls into layout, the list holding items unticked.
CopyListControls MakeCopyList(QWidget* owner, QVBoxLayout* layout, const QString& secondLine, const QStringList& items);
// One byte per item: 1 ticked, 0 not.
std::vector<uint8_t> ReadTicks(const CheckListBox& list);
void WriteTicks(CheckListBox& list, const std::vector<uint8_t>& ticks);
// Every item's tick set to the box's state.
void TickAllFromBox(const CopyListControls& c);
