#include "tables/ListaTowarow.h"

#include "core/AppState.h"
#include "tables/ProgramowanieTowarow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TListaTowarow* ListaTowarow = nullptr;

TListaTowarow::TListaTowarow(QWidget* parent) : TForm(parent), instance_(ListaTowarow, this)
{
    setWindowTitle(QStringLiteral("Lista towarów"));

    GoodsModel = new GoodsGridModel(GoodsGridModel::Columns::GoodsList, this);
    StringGrid1 = new QTableView(this);
    SetUpGoodsGrid(StringGrid1, GoodsModel, {45, 250, 35, 80, 120, 55, 65, 100, 95});

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button2 = new QPushButton(QStringLiteral("Zamknij"), this);
    for (QPushButton* b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* main = new QVBoxLayout(this);
    main->addWidget(StringGrid1, 1);
    main->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(StringGrid1, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        SelectRow(index.row());
        StringGrid1DblClick();
    });
    resize(900, 500);
}

void TListaTowarow::FormShow()
{
    SelectedPlu = 0;
    if (DatabaseUsable())
        GoodsModel->Reload();
    else
        GoodsModel->Clear();
    if (GoodsModel->rowCount() > 0)
        SelectRow(0);
}

int TListaTowarow::SelectedRow() const { return GoodsGridSelectedRow(StringGrid1); }

void TListaTowarow::SelectRow(int row) { SelectGoodsGridRow(StringGrid1, row); }

void TListaTowarow::Button1Click()
{
    const unsigned plu = GoodsModel->PluOfRow(SelectedRow());
    if (plu == 0)
        return;
    SelectedPlu = plu;
    accept();
}

void TListaTowarow::Button2Click()
{
    SelectedPlu = 0;
    reject();
}

void TListaTowarow::StringGrid1DblClick() { Button1Click(); }

bool TListaTowarow::FormKeyDown(int key)
{
    return EscEnterKey(key, [this] { Button2Click(); }, [this] { Button1Click(); });
}
