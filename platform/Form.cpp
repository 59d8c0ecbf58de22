#include "platform/Form.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <algorithm>

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

int TextRowHeight(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int over = -metrics.tightBoundingRect(QStringLiteral("ŚĆŹŻÓŁŃĘĄ")).top() - metrics.ascent();
    // The text stands centred in its row: room above means as much again below.
    return metrics.height() + 2 * std::max(0, over);
}

void FitRowsToAccents(QAbstractItemView* view)
{
    class Delegate : public QStyledItemDelegate {
    public:
        using QStyledItemDelegate::QStyledItemDelegate;
        QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
        {
            QSize size = QStyledItemDelegate::sizeHint(option, index);
            size.rheight() += TextRowHeight(option.font) - QFontMetrics(option.font).height();
            return size;
        }
    };
    view->setItemDelegate(new Delegate(view));
}
