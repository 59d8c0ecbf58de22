#include "tables/SettingsWidgets.h"

#include <QHBoxLayout>
#include <QPushButton>

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons, bool rightAligned)
{
    auto* row = new QHBoxLayout;
    if (rightAligned)
        row->addStretch(1);
    for (QPushButton* b : buttons) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    return row;
}
