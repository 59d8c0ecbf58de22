#include "tables/ListaTowarowTandem.h"

#include "core/DatabaseImage.h"
#include "core/Helpers.h"
#include "platform/Cp1250.h"
#include "tables/GoodsLogic.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TListaTowarowTandem* ListaTowarowTandem = nullptr;

TListaTowarowTandem::TListaTowarowTandem(QWidget* parent) : TForm(parent), instance_(ListaTowarowTandem, this)
{
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

void TListaTowarowTandem::FormShow()
{
    Memo1->clear();
    PackagingDeleteConfirmed = 0;
    int tied = 0;
    ForEachStoredGoods([&](unsigned, const uint8_t* r) {
        if (TandemPackagingNumber == 0 || r[GoodsField::Tandem] != TandemPackagingNumber)
            return;
        Memo1->appendPlainText(FromCp1250(BytesToString(r + GoodsField::Name, 40)));
        ++tied;
    });
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

bool TListaTowarowTandem::FormKeyDown(int key)
{
    // Esc makes no choice: the value stays as it is.
    return EscEnterKey(key, [this] { reject(); }, [this] { Button1Click(); });
}
