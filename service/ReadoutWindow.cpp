#include "service/ReadoutWindow.h"

#include "link/Link.h"
#include "platform/Prompts.h"

#include <QAbstractButton>
#include <algorithm>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>

TReadoutWindow::TReadoutWindow(QWidget* parent) : TForm(parent) {}

bool TReadoutWindow::FormKeyDown(int key)
{
    if (key != Qt::Key_Escape)
        return false;
    if (transferring_)
        StopTransfer();
    else
        reject();
    return true;
}

void TReadoutWindow::StopTransfer() { Link.AbortRequestFlag = 1; }

void TReadoutWindow::BeginTransfer(std::vector<QWidget*> keep)
{
    locked_.clear();
    for (QWidget* w : findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QComboBox*>(w) || qobject_cast<QListWidget*>(w) ||
                             qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTabWidget*>(w);
        if (!control || std::find(keep.begin(), keep.end(), w) != keep.end())
            continue;
        // The widget's own state: a control inside a disabled page reads as disabled too.
        locked_.emplace_back(w, !w->testAttribute(Qt::WA_ForceDisabled));
        w->setEnabled(false);
    }
    Link.AbortRequestFlag = 0;
    transferring_ = true;
    exchange_.emplace(keep.empty() ? nullptr : keep.front());
}

void TReadoutWindow::EndTransfer()
{
    for (auto& [w, enabled] : locked_)
        w->setEnabled(enabled);
    locked_.clear();
    transferring_ = false;
    exchange_.reset();   // last: a window closed meanwhile closes now
}

void TReadoutWindow::closeEvent(QCloseEvent* event)
{
    if (transferring_) {
        StopTransfer();
        event->ignore();
        return;
    }
    TForm::closeEvent(event);
}
