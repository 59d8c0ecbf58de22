#include "tables/ListaTowarowTandem.h"

#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "core/Helpers.h"
#include "platform/Cp1250.h"
#include "tables/GoodsLogic.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TListaTowarowTandem* ListaTowarowTandem = nullptr;

TListaTowarowTandem::TListaTowarowTandem(QWidget* parent) : QDialog(parent)
{
    ListaTowarowTandem = this;
    setWindowTitle(QStringLiteral("Lista towarów powiązanych"));
    Label1 = new QLabel(QStringLiteral("Usunięcie opakowania spowoduje likwidację"), this);
    Label2 = new QLabel(QStringLiteral("powiązań z poniższymi towarami:"), this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Button1 = new QPushButton(QStringLiteral("Potwierdź usunięcie opakowania"), this);
    Button2 = new QPushButton(QStringLiteral("Anuluj"), this);
    for (QPushButton* b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addStretch(1);
    buttons->addWidget(Button2);
    auto* main = new QVBoxLayout(this);
    main->addWidget(Label1);
    main->addWidget(Label2);
    main->addWidget(Memo1, 1);
    main->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    resize(420, 360);
}

TListaTowarowTandem::~TListaTowarowTandem()
{
    if (ListaTowarowTandem == this)
        ListaTowarowTandem = nullptr;
}

void TListaTowarowTandem::FormShow()
{
    Memo1->clear();
    PackagingDeleteConfirmed = 0;
    const std::vector<uint8_t> area = ReadGoodsArea();
    const std::size_t size = App.GoodsRecordSize;
    int tied = 0;
    for (std::size_t s = 0; s * size < area.size(); ++s) {
        const uint8_t* r = area.data() + s * size;
        if ((r[0] == 0 && r[1] == 0) || TandemPackagingNumber == 0 || r[GoodsField::Tandem] != TandemPackagingNumber)
            continue;
        Memo1->appendPlainText(FromCp1250(BytesToString(r + GoodsField::Name, 40)));
        ++tied;
    }
    if (tied == 0) {
        Memo1->appendPlainText(QStringLiteral("Z opakowaniem nie są powiązane"));
        Memo1->appendPlainText(QStringLiteral("żadne towary."));
    }
}

void TListaTowarowTandem::Button1Click()
{
    PackagingDeleteConfirmed = 1;
    accept();
}

void TListaTowarowTandem::Button2Click()
{
    PackagingDeleteConfirmed = 0;
    reject();
}

void TListaTowarowTandem::FormKeyDown(int key)
{
    if (key == Qt::Key_Escape)
        reject();   // no choice: the value stays as it is
    else if (key == Qt::Key_Return || key == Qt::Key_Enter)
        Button1Click();
}

void TListaTowarowTandem::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        FormKeyDown(event->key());
        event->accept();
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TListaTowarowTandem::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}
