#include "tables/EdycjaTowaru.h"

#include "core/DatabaseImage.h"
#include "core/Helpers.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "tables/GoodsLogic.h"
#include "tables/ProgramowanieTowarow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TEdycjaTowaru* EdycjaTowaru = nullptr;

TEdycjaTowaru::TEdycjaTowaru(QWidget* parent) : TForm(parent), instance_(EdycjaTowaru, this)
{
    setWindowTitle(QStringLiteral("Edycja towaru"));

    Label1 = new QLabel(QStringLiteral("Numer towaru:"), this);
    Label2 = new QLabel(QStringLiteral("0"), this);
    Label2->setStyleSheet(QStringLiteral("font-weight: bold;"));
    Edit1 = new QLineEdit(this);
    Edit1->setMaxLength(42);
    Edit1->setMinimumWidth(330);
    Edit2 = new QLineEdit(this);
    Edit2->setMaxLength(10);
    Edit3 = new QLineEdit(this);
    Edit3->setMaxLength(13);
    ComboBox1 = new QComboBox(this);
    for (char c = 'A'; c <= 'G'; ++c)
        ComboBox1->addItem(QString(QChar(c)));
    ComboBox2 = new QComboBox(this);
    ComboBox3 = new QComboBox(this);
    ComboBox4 = new QComboBox(this);
    ComboBox4->addItems({"brak", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
    CheckBox1 = new QCheckBox(QStringLiteral("Cena sztywna"), this);
    CheckBox2 = new QCheckBox(QStringLiteral("Sprzedaż na sztuki"), this);
    Button1 = new QPushButton(QStringLiteral("Zapisz"), this);
    Button2 = new QPushButton(QStringLiteral("Anuluj"), this);
    for (QPushButton* b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto* number = new QHBoxLayout;
    number->addWidget(Label1);
    number->addWidget(Label2);
    number->addStretch(1);

    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* w) {
        grid->addWidget(new QLabel(caption, this), row, 0);
        grid->addWidget(w, row, 1);
        ++row;
    };
    addRow(QStringLiteral("Nazwa"), Edit1);
    addRow(QStringLiteral("Cena"), Edit2);
    addRow(QStringLiteral("Kod kreskowy"), Edit3);
    addRow(QStringLiteral("Stawka PTU"), ComboBox1);
    addRow(QStringLiteral("Numer grupy towarowej"), ComboBox2);
    addRow(QStringLiteral("Sprzedaż w tandemie"), ComboBox3);
    addRow(QStringLiteral("Indeks tablicy HALO"), ComboBox4);
    grid->addWidget(CheckBox1, row++, 1);
    grid->addWidget(CheckBox2, row++, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* main = new QVBoxLayout(this);
    main->addLayout(number);
    main->addLayout(grid);
    main->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TEdycjaTowaru::FormShow()
{
    ComboBox2->clear();
    ComboBox2->addItems(SmallTableItems(ReadGoodsGroups(), u" "));
    ComboBox3->clear();
    ComboBox3->addItem(QStringLiteral("brak"));
    ComboBox3->addItems(SmallTableItems(ReadPackagings(), u" "));

    // The record of the number the opener put in.
    bool ok = false;
    const int plu = NumberBeforeDot(Label2->text(), &ok);
    uint8_t rec[GoodsField::WrittenSize] = {};
    if (ok)
        ReadGoodsRecord(unsigned(plu), rec);

    Edit1->setText(FromCp1250(BytesToString(rec + GoodsField::Name, GoodsField::NameSize)));
    const uint8_t ptu = rec[GoodsField::Vat];
    if (ptu >= 'A' && ptu <= 'G')
        ComboBox1->setCurrentIndex(ptu - 'A');
    Edit2->setText(FromCp1250(FormatHundredths(GoodsRecordPrice(rec))));
    Edit3->setText(FromCp1250(BytesToString(rec + GoodsField::Barcode, GoodsField::BarcodeSize)));
    ComboBox2->setCurrentIndex(int(rec[GoodsField::Group]) - 1);
    ComboBox3->setCurrentIndex(rec[GoodsField::Tandem]);
    ComboBox4->setCurrentIndex(rec[GoodsField::Halo]);
    CheckBox1->setChecked(rec[GoodsField::FixedPrice] != 0);
    CheckBox2->setChecked(rec[GoodsField::WholeUnits] != 0);
    RecordUnit = rec[GoodsField::Unit];
    Button1->setFocus();
}

void TEdycjaTowaru::Button1Click()
{
    GoodsAddInput in;
    in.Plu = Label2->text();
    in.Name = Edit1->text();
    in.Price = Edit2->text();
    in.Barcode = Edit3->text();
    in.PtuIndex = ComboBox1->currentIndex();
    in.GroupIndex = ComboBox2->currentIndex();
    in.TandemIndex = ComboBox3->currentIndex();
    in.HaloIndex = ComboBox4->currentIndex();
    in.FixedPrice = CheckBox1->isChecked();
    in.WholeUnits = CheckBox2->isChecked();
    in.UnitIndex = RecordUnit;

    // The goods window is the one writer of goods records; it need not be on screen for that.
    if (!ProgramowanieTowarow)
        new TProgramowanieTowarow(this);
    ProgramowanieTowarow->LoadInput(in);
    if (!ProgramowanieTowarow->AddGoods(in)) {
        // The goods window's warning labels may not be in view: say here what is missing.
        const GoodsAddCheck& check = ProgramowanieTowarow->LastAddCheck;
        if (check.Refusal == GoodsAddRefusal::EmptyFields) {
            if (check.NameEmpty)
                ShowMessage(GoodsTexts::EnterName);
            else if (check.PriceEmpty)
                ShowMessage(GoodsTexts::EnterPrice);
            else
                ShowMessage(GoodsTexts::EnterNumber);
        }
        return;
    }
    accept();
}

void TEdycjaTowaru::Button2Click() { reject(); }

bool TEdycjaTowaru::FormKeyDown(int key)
{
    return EscEnterKey(key, [this] { Button2Click(); }, [this] { Button1Click(); });
}
