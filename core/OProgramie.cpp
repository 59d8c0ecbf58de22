#include "core/OProgramie.h"

#include "platform/Shell.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

const char* const ContactAddress = "serwis@rivo-service.example";

TOProgramie* OProgramie = nullptr;

QString ContactMailLink()
{
    return QStringLiteral("mailto:") + QLatin1String(ContactAddress)
        + QStringLiteral("?subject=Kasa%20fiskalna%20ORVA%20RIVO");
}

namespace {

// A plain picture of a cash register, drawn here so that the box needs no file.
QPixmap RegisterPicture()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(200, 205, 210));
    p.drawRoundedRect(QRectF(6, 26, 52, 32), 4, 4);   // body
    p.setBrush(QColor(90, 140, 90));
    p.drawRect(QRectF(14, 8, 36, 14));                // display
    p.setBrush(QColor(120, 120, 120));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRect(QRectF(13 + col * 10, 32 + row * 10, 6, 6));  // keys
    return pixmap;
}

} // namespace

TOProgramie::TOProgramie(QWidget* parent) : TForm(parent), instance_(OProgramie, this)
{
    setWindowTitle(QStringLiteral("O programie"));

    Label1 = new QLabel(QStringLiteral("Program serwisowy do kasy fiskalnej ORVA RIVO"), this);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label8 = new QLabel(QStringLiteral("V1.04"), this);
    Image1 = new QLabel(this);
    Image1->setPixmap(RegisterPicture());
    Label2 = new QLabel(QStringLiteral("Kontakt:"), this);
    Label3 = new QLabel(QLatin1String(ContactAddress), this);
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    Label3->installEventFilter(this);
    Button1 = new QPushButton(QStringLiteral("Powrót"), this);

    auto* title = new QVBoxLayout;
    title->addWidget(Label1);
    title->addWidget(Label8);
    auto* top = new QHBoxLayout;
    top->addWidget(Image1);
    top->addLayout(title, 1);
    auto* contact = new QHBoxLayout;
    contact->addWidget(Label2);
    contact->addWidget(Label3);
    contact->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(contact);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TOProgramie::Button1Click() { accept(); }

void TOProgramie::Label3Click() { OpenLink(ContactMailLink()); }

bool TOProgramie::FormKeyDown(int key)
{
    if (key == Qt::Key_Escape) {
        reject();
        return true;
    }
    return false;
}

bool TOProgramie::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label3Click();
        return true;
    }
    return TForm::eventFilter(watched, event);
}
