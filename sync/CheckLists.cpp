#include "sync/CheckLists.h"

#include "sync/CheckListBox.h"
#include "tables/GoodsLogic.h"

void TickAll(CheckListBox& list, bool& toggle)
{
    list.SetAllChecked(toggle);
    toggle = !toggle;
}

std::vector<int> TickedNumbers(const CheckListBox& list)
{
    std::vector<int> numbers;
    for (int row = 0; row < list.Count(); ++row)
        if (list.Checked(row))
            numbers.push_back(NumberBeforeDot(list.Item(row)));
    return numbers;
}
