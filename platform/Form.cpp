#include "platform/Form.h"

#include <QKeyEvent>
#include <QShowEvent>

TForm::TForm(QWidget* parent) : QDialog(parent) {}

bool TForm::FormKeyDown(int) { return false; }

bool TForm::EscEnterKey(int key, const std::function<void()>& onEsc, const std::function<void()>& onEnter)
{
    if (key == Qt::Key_Escape)
        onEsc();
    else if (key == Qt::Key_Return || key == Qt::Key_Enter)
        onEnter();
    else
        return false;
    return true;
}

void TForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm::keyPressEvent(QKeyEvent* event)
{
    if (FormKeyDown(event->key()))
        event->accept();
    else
        QDialog::keyPressEvent(event);
}
