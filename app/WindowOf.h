#pragma once
// The window behind a global pointer, made on first use (the program makes them all at start;
// tests build only what they touch), and the opener of a task-tree item built on it.
#include "app/MenuGlowne.h"

#include <QDialog>
#include <functional>

template <class Window>
Window& WindowOf(Window*& global)
{
    if (!global)
        global = new Window(MenuGlowne);
    return *global;
}

template <class Window>
std::function<QDialog*()> Opener(Window*& global)
{
    return [&global]() -> QDialog* { return &WindowOf(global); };
}
