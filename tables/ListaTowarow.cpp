#include "tables/ListaTowarow.h"

#include "core/AppState.h"
#include "tables/ProgramowanieTowarow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

TListaTowarow* ListaTowarow = nullptr;

TListaTowarow::TListaTowarow(QWidget* parent) : QDialog(parent)
{
    ListaTowarow = this;
    setWindowTitle(QStringLiteral("Lista towarów"));

    GoodsModel = new GoodsGridModel(GoodsGridModel::Columns::GoodsList, this);
    StringGrid1 = new QTableView(this);
    StringGrid1->setModel(GoodsModel);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->verticalHeader()->setVisible(false);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(20);
    StringGrid1->setWordWrap(false);
    const int widths[9] = {45, 250, 35, 80, 120, 55, 65, 100, 95};
    for (int c = 0; c < 9; ++c)
        StringGrid1->setColumnWidth(c, widths[c]);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->horizontalHeader()->setHighlightSections(false);

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

TListaTowarow::~TListaTowarow()
{
    if (ListaTowarow == this)
        ListaTowarow = nullptr;
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

int TListaTowarow::SelectedRow() const
{
    const QModelIndex current = StringGrid1->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TListaTowarow::SelectRow(int row)
{
    if (row < 0 || row >= GoodsModel->rowCount())
        return;
    StringGrid1->setCurrentIndex(GoodsModel->index(row, 0));
    StringGrid1->selectRow(row);
}

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

void TListaTowarow::FormKeyDown(int key)
{
    if (key == Qt::Key_Escape)
        Button2Click();
    else if (key == Qt::Key_Return || key == Qt::Key_Enter)
        Button1Click();
}

void TListaTowarow::keyPressEvent(QKeyEvent* event)
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

void TListaTowarow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}
