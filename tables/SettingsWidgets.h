#pragma once
// Layout pieces the settings windows share.
#include <initializer_list>

class QHBoxLayout;
class QPushButton;

// The buttons in a row, right-aligned unless told otherwise. Enter belongs to the window, so
// none of them is pressed by it.
QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons, bool rightAligned = true);
