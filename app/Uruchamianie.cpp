#include "app/Uruchamianie.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TUruchamianie* Uruchamianie = nullptr;

TUruchamianie::TUruchamianie(QWidget* parent) : QDialog(parent)
{
    Uruchamianie = this;
    const QString text = QStringLiteral("Trwa uruchamianie programu...");
    setWindowTitle(text);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 24, 30, 24);
    Label1 = new QLabel(text, this);
    Label1->setAlignment(Qt::AlignCenter);
    QFont f = Label1->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    Label1->setFont(f);
    layout->addWidget(Label1);
    setFixedSize(sizeHint().expandedTo(QSize(360, 100)));
}

TUruchamianie::~TUruchamianie()
{
    if (Uruchamianie == this)
        Uruchamianie = nullptr;
}

void TUruchamianie::ShowAndPaint()
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
