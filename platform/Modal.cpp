#include "platform/Modal.h"

#include <QDialog>

namespace {
ModalRunner runner;
}

int ShowModal(QDialog& window)
{
    if (runner)
        return runner(window);
    return window.exec();
}

void SetModalRunner(ModalRunner r) { runner = std::move(r); }
