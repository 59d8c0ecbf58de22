#include "export/DrukowanieKodowKreskowych.h"

#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "core/PdfOutput.h"
#include "platform/Cp1250.h"
#include "platform/Printing.h"
#include "platform/Prompts.h"
#include "tables/GoodsLogic.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

TDrukowanieKodowKreskowych* DrukowanieKodowKreskowych = nullptr;

TDrukowanieKodowKreskowych::TDrukowanieKodowKreskowych(QWidget* parent)
    : TForm(parent), instance_(DrukowanieKodowKreskowych, this)
{
    setWindowTitle(QStringLiteral("Drukowanie kodów kreskowych"));
    Label1 = new QLabel(QStringLiteral("Drukowanie tablicy kodów kreskowych"), this);
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSize(heading.pointSize() + 3);
    Label1->setFont(heading);
    Label2 = new QLabel(QStringLiteral("Zaznacz towary, dla których chcesz \nwydrukować kody kreskowe"), this);

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    Label4 = new QLabel(QStringLiteral("Numer ") + QStringLiteral("Nazwa").leftJustified(21) +
                            QStringLiteral("Cena").rightJustified(10),
                        this);
    Label4->setFont(fixed);
    Label4->setContentsMargins(26, 0, 0, 0);   // over the texts, past the tick boxes
    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setFont(fixed);
    Label6 = new QLabel(this);

    Label5 = new QLabel(QStringLiteral("Wysokość kodu kreskowego:"), this);
    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setRange(5, 70);
    TrackBar1->setSingleStep(5);
    TrackBar1->setPageStep(5);
    TrackBar1->setTickInterval(5);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    Label3 = new QLabel(this);

    BitBtn1 = new QPushButton(QStringLiteral("   &Drukuj tablicę kodów kreskowych"), this);
    BitBtn6 = new QPushButton(QStringLiteral("&Anuluj"), this);
    for (QPushButton* b : {BitBtn1, BitBtn6})
        b->setAutoDefault(false);

    auto* height = new QHBoxLayout;
    height->addWidget(Label5);
    height->addWidget(TrackBar1, 1);
    height->addWidget(Label3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn6);
    auto* main = new QVBoxLayout(this);
    main->addWidget(Label1);
    main->addWidget(Label2);
    main->addWidget(Label4);
    main->addWidget(CheckListBox1, 1);
    main->addWidget(Label6);
    main->addLayout(height);
    main->addLayout(buttons);

    connect(CheckListBox1, &QListWidget::itemClicked, this, [this] { CheckListBox1Click(); });
    connect(CheckListBox1, &QListWidget::itemDoubleClicked, this, [this] { CheckListBox1DblClick(); });
    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn6, &QPushButton::clicked, this, [this] { BitBtn6Click(); });
    resize(480, 520);
}

void TDrukowanieKodowKreskowych::FormShow()
{
    CheckListBox1->clear();
    Label6->clear();
    ForEachStoredGoods([this](unsigned plu, const uint8_t* record) {
        auto* item = new QListWidgetItem(BarcodeGoodsLine(plu, record), CheckListBox1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    });
    TrackBar1->setValue(20);
    TrackBar1Change();
}

bool TDrukowanieKodowKreskowych::FormKeyDown(int key)
{
    if (key != Qt::Key_Escape)
        return false;
    BitBtn6Click();
    return true;
}

namespace {

// The barcode text (up to its first NUL) and the name of goods plu; empty for a number without
// a stored record.
BarcodeSheetItem ItemOfGoods(unsigned plu)
{
    BarcodeSheetItem item;
    uint8_t record[GoodsField::WrittenSize];
    if (!ReadGoodsRecord(plu, record))
        return item;
    std::size_t n = 0;
    while (n < GoodsField::BarcodeSize && record[GoodsField::Barcode + n] != 0)
        ++n;
    item.Barcode.assign(reinterpret_cast<const char*>(record + GoodsField::Barcode), n);
    item.Name = FromCp1250(ReadGoodsName(plu));
    return item;
}

} // namespace

void TDrukowanieKodowKreskowych::CheckListBox1Click()
{
    const QListWidgetItem* item = CheckListBox1->currentItem();
    if (!item)
        return;
    Label6->setText(QStringLiteral("Kod towaru: ") + FromCp1250(ItemOfGoods(unsigned(NumberBeforeDot(item->text()))).Barcode));
}

void TDrukowanieKodowKreskowych::CheckListBox1DblClick()
{
    if (QListWidgetItem* item = CheckListBox1->currentItem())
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void TDrukowanieKodowKreskowych::TrackBar1Change()
{
    const int snapped = (TrackBar1->value() + 2) / 5 * 5;
    if (snapped != TrackBar1->value()) {
        TrackBar1->setValue(snapped);
        return;
    }
    BarHeightMm = snapped;
    RowPitchMm = snapped + 15;
    Label3->setText(QString::number(snapped) + QStringLiteral(" mm"));
}

void TDrukowanieKodowKreskowych::BitBtn1Click()
{
    PrintItems.clear();
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        const QListWidgetItem* item = CheckListBox1->item(i);
        if (item->checkState() == Qt::Checked)
            PrintItems.push_back(ItemOfGoods(unsigned(NumberBeforeDot(item->text()))));
    }
    if (PrintItems.empty()) {
        ShowMessage(QStringLiteral("Brak zaznaczonych towarów do wydrukowania"));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    PdfOutput pdf;
    if (!ChoosePrinter(printer, PdfOutputPath, this) || !pdf.Take(printer))
        return;
    if (!PaintBarcodeSheet(printer, PrintItems, BarHeightMm))
        ShowMessage(QStringLiteral("Brak drukarki."));
    else
        pdf.Finish();
}

void TDrukowanieKodowKreskowych::BitBtn6Click() { close(); }
