#pragma once
// Windows are shown modally through one function, so that a test can stand in for the user
// of a window that a handler opens (it gets the window and returns its modal result).
#include <functional>

class QDialog;

using ModalRunner = std::function<int(QDialog&)>;

// Shows the window modally and returns its modal result.
int ShowModal(QDialog& window);
// Installs a runner in place of QDialog::exec; an empty runner puts exec back.
void SetModalRunner(ModalRunner runner);
