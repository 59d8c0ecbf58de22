#include "service/WaitPanel.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

QFrame* MakeWaitPanel(QWidget* window)
{
    auto* panel = new QFrame(window);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    auto* text = new QLabel(QStringLiteral("Czekaj..."), panel);
    text->setStyleSheet(QStringLiteral("font-size: 16pt; font-weight: bold;"));
    text->setAlignment(Qt::AlignCenter);
    (new QVBoxLayout(panel))->addWidget(text);
    panel->resize(220, 80);
    panel->hide();
    return panel;
}

void ShowWaitPanel(QFrame* panel, bool shown)
{
    if (!shown) {
        panel->hide();
        return;
    }
    const QWidget* window = panel->parentWidget();
    panel->move((window->width() - panel->width()) / 2, (window->height() - panel->height()) / 2);
    panel->show();
    panel->raise();
    panel->repaint();
}
