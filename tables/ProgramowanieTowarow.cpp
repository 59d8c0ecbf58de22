#include "tables/ProgramowanieTowarow.h"

#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "core/Helpers.h"
#include "core/PdfOutput.h"
#include "core/StatusHook.h"
#include "link/Commands.h"
#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "platform/Cp1250.h"
#include "platform/Modal.h"
#include "platform/Printing.h"
#include "platform/Prompts.h"
#include "platform/Time.h"
#include "tables/EdycjaTowaru.h"
#include "tables/SmallTableWidgets.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

TProgramowanieTowarow* ProgramowanieTowarow = nullptr;

// ---------------------------------------------------------------------------------------------
// GoodsGridModel

GoodsGridModel::GoodsGridModel(Columns columns, QObject* parent) : QAbstractTableModel(parent), columns_(columns)
{
    if (columns_ == Columns::GoodsWindow)
        headers_ = {"Nr", "Nazwa", "VAT", "Cena", "Kod kreskowy", "Grupa", "Tandem", "Cena sztywna",
                    "Sprz. na sztuki", "HALO", "Jedn."};
    else
        headers_ = {"Nr", "Nazwa", "VAT", "Cena", "Kod kreskowy", "Grupa", "Tandem", "Cena sztywna",
                    "Ilość całkowita"};
}

void GoodsGridModel::Reload()
{
    beginResetModel();
    rows_.clear();
    ForEachStoredGoods([this](unsigned plu, const uint8_t* r) {
        Row row;
        row.Slot = uint16_t(plu);
        std::memcpy(row.Record.data(), r, row.Record.size());
        row.Name = FromCp1250(BytesToString(r + GoodsField::Name, GoodsField::NameSize));
        rows_.push_back(std::move(row));
    });
    // Names of the groups and packagings the rows refer to (none from an unreadable image).
    const std::vector<SmallTableEntry> groups = ReadGoodsGroups();
    const std::vector<SmallTableEntry> packagings = ReadPackagings();
    groupNames_[0].clear();
    packagingNames_[0].clear();
    for (unsigned i = 0; i < SmallTableSlots; ++i) {
        groupNames_[i + 1] = groups[i].Name;
        packagingNames_[i + 1] = packagings[i].Name;
    }
    endResetModel();
}

void GoodsGridModel::Clear()
{
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void GoodsGridModel::Filter(const QString& text)
{
    const QString wanted = text.toUpper();
    beginResetModel();
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(),
                               [&](const Row& r) { return !r.Name.toUpper().contains(wanted); }),
                rows_.end());
    endResetModel();
}

int GoodsGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int GoodsGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(headers_.size());
}

QVariant GoodsGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return Text(index.row(), index.column());
}

QVariant GoodsGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < headers_.size() ? headers_[section] : QVariant();
    return section + 1;
}

QString GoodsGridModel::Text(int row, int column) const
{
    if (row < 0 || row >= int(rows_.size()))
        return {};
    const Row& r = rows_[std::size_t(row)];
    const uint8_t* rec = r.Record.data();
    auto yesNo = [](uint8_t b) { return b ? QStringLiteral("Tak") : QStringLiteral("Nie"); };
    auto numberOrNone = [](uint8_t b) { return b ? QString::number(b) : QStringLiteral("Brak"); };
    switch (column) {
    case 0: return QString::number(r.Slot);
    case 1: return r.Name;
    case 2: return FromCp1250(BytesToString(rec + GoodsField::Vat, 1));
    case 3: return FromCp1250(FormatHundredths(GoodsRecordPrice(rec)));
    case 4: return FromCp1250(BytesToString(rec + GoodsField::Barcode, GoodsField::BarcodeSize));
    case 5: {
        const uint8_t g = rec[GoodsField::Group];
        if (columns_ == Columns::GoodsList || g == 0 || g > SmallTableSlots)
            return QString::number(g);
        return QString::number(g) + u' ' + groupNames_[g];
    }
    case 6: {
        const uint8_t t = rec[GoodsField::Tandem];
        if (columns_ == Columns::GoodsList)
            return QString::number(t);
        if (t == 0)
            return QStringLiteral("Brak");
        // A packaging slot without a name still tells which packaging it is.
        if (t > SmallTableSlots || packagingNames_[t].isEmpty())
            return QString::number(t);
        return packagingNames_[t];
    }
    case 7: return yesNo(rec[GoodsField::FixedPrice]);
    case 8: return yesNo(rec[GoodsField::WholeUnits]);
    case 9: return columns_ == Columns::GoodsWindow ? numberOrNone(rec[GoodsField::Halo]) : QString();
    case 10: return columns_ == Columns::GoodsWindow ? numberOrNone(rec[GoodsField::Unit]) : QString();
    default: return {};
    }
}

unsigned GoodsGridModel::PluOfRow(int row) const
{
    return row >= 0 && row < int(rows_.size()) ? rows_[std::size_t(row)].Slot : 0;
}

void SetUpGoodsGrid(QTableView* grid, GoodsGridModel* model, std::initializer_list<int> widths)
{
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setWordWrap(false);
    int column = 0;
    for (int width : widths)
        grid->setColumnWidth(column++, width);
    grid->horizontalHeader()->setStretchLastSection(true);
}

int GoodsGridSelectedRow(const QTableView* grid)
{
    const QModelIndex current = grid->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void SelectGoodsGridRow(QTableView* grid, int row)
{
    const QAbstractItemModel* model = grid->model();
    if (!model || row < 0 || row >= model->rowCount())
        return;
    grid->setCurrentIndex(model->index(row, 0));
    grid->selectRow(row);
}

// ---------------------------------------------------------------------------------------------
// TProgramowanieTowarow

TProgramowanieTowarow::TProgramowanieTowarow(QWidget* parent) : TForm(parent), instance_(ProgramowanieTowarow, this)
{
    setWindowTitle(QStringLiteral("Edycja bazy towarowej"));

    // The goods fields.
    Edit1 = new QLineEdit(QStringLiteral("0"), this);
    Edit1->setMaxLength(4);
    Edit2 = new QLineEdit(this);
    Edit2->setMaxLength(42);
    Edit3 = new QLineEdit(QStringLiteral("0,00"), this);
    Edit3->setMaxLength(10);
    Edit4 = new QLineEdit(this);
    Edit4->setMaxLength(13);
    Label7 = WarningLabel(GoodsTexts::EnterName, this);
    Label8 = WarningLabel(GoodsTexts::EnterNumber, this);
    Label9 = WarningLabel(GoodsTexts::EnterPrice, this);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Numer towaru w kasie"), this), 0, 0);
    fields->addWidget(Edit1, 0, 1, Qt::AlignLeft);
    fields->addWidget(Label8, 0, 2);
    fields->addWidget(new QLabel(QStringLiteral("Nazwa towaru"), this), 1, 0);
    fields->addWidget(Edit2, 1, 1, Qt::AlignLeft);
    fields->addWidget(Label7, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("Cena"), this), 2, 0);
    fields->addWidget(Edit3, 2, 1, Qt::AlignLeft);
    fields->addWidget(Label9, 2, 2);
    fields->addWidget(new QLabel(QStringLiteral("Kod kreskowy"), this), 3, 0);
    fields->addWidget(Edit4, 3, 1, Qt::AlignLeft);
    Edit1->setFixedWidth(70);
    Edit2->setFixedWidth(340);
    Edit3->setFixedWidth(110);
    Edit4->setFixedWidth(140);
    fields->setColumnMinimumWidth(2, 130);
    fields->setColumnStretch(3, 1);

    // The default values.
    GroupBox1 = new QGroupBox(QStringLiteral("Wartości domyślne"), this);
    ComboBox1 = new QComboBox(GroupBox1);
    for (char c = 'A'; c <= 'G'; ++c)
        ComboBox1->addItem(QString(QChar(c)));
    ComboBox2 = new QComboBox(GroupBox1);
    ComboBox3 = new QComboBox(GroupBox1);
    CheckBox1 = new QCheckBox(QStringLiteral("Cena sztywna"), GroupBox1);
    CheckBox2 = new QCheckBox(QStringLiteral("Sprzedaż na sztuki"), GroupBox1);
    CheckBox2->setChecked(true);
    ComboBox4 = new QComboBox(GroupBox1);
    ComboBox5 = new QComboBox(GroupBox1);
    ComboBox5->addItems({"0. Brak", "1. Kilogram", "2. Litr", "3. Sztuka", "4. Metr^2", "5. Metr^3", "6. Tona",
                         "7. Program", "8. Program", "9. Program"});
    for (QComboBox* c : {ComboBox2, ComboBox3})
        c->setMinimumWidth(220);
    auto* defaults = new QGridLayout(GroupBox1);
    defaults->addWidget(new QLabel(QStringLiteral("Stawka PTU"), GroupBox1), 0, 0);
    defaults->addWidget(ComboBox1, 0, 1);
    defaults->addWidget(new QLabel(QStringLiteral("Numer grupy towarowej"), GroupBox1), 1, 0);
    defaults->addWidget(ComboBox2, 1, 1);
    defaults->addWidget(new QLabel(QStringLiteral("Sprzedaż w tandemie"), GroupBox1), 2, 0);
    defaults->addWidget(ComboBox3, 2, 1);
    defaults->addWidget(CheckBox1, 0, 2);
    defaults->addWidget(CheckBox2, 1, 2);
    defaults->addWidget(new QLabel(QStringLiteral("Indeks tablicy HALO"), GroupBox1), 0, 3);
    defaults->addWidget(ComboBox4, 0, 4);
    defaults->addWidget(new QLabel(QStringLiteral("Numer jednostki towarowej"), GroupBox1), 1, 3);
    defaults->addWidget(ComboBox5, 1, 4);
    defaults->setColumnStretch(5, 1);

    CheckBox3 = new QCheckBox(QStringLiteral("&Potwierdzaj wprowadzanie towarów z klawiatury kasy"), this);
    CheckBox4 = new QCheckBox(QStringLiteral("Po dodaniu do bazy automatycznie wysyłaj towar do kasy"), this);

    BitBtn4 = WindowButton(QStringLiteral("     &Dodaj do bazy PC"), this);
    BitBtn5 = WindowButton(QStringLiteral("&Anuluj"), this);
    BitBtn6 = WindowButton(QStringLiteral("&Wydruk bazy  "), this);
    BitBtn8 = WindowButton(QStringLiteral("Pobierz bazę z podłączonej kasy"), this);
    Button1 = WindowButton(QStringLiteral("DodajRóżneTowary"), this);
    Button2 = WindowButton(QStringLiteral("WysiljWszystkieTowary"), this);
    Button1->setVisible(false);
    Button2->setVisible(false);

    // The goods table panel.
    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::StyledPanel);
    auto* panelTitle = new QLabel(QStringLiteral("BAZA TOWAROWA"), Panel1);
    panelTitle->setStyleSheet(QStringLiteral("font-weight: bold;"));
    GoodsModel = new GoodsGridModel(GoodsGridModel::Columns::GoodsWindow, this);
    StringGrid1 = new QTableView(Panel1);
    SetUpGoodsGrid(StringGrid1, GoodsModel, {45, 235, 35, 75, 120, 140, 90, 90, 100, 45, 45});

    Label10 = new QLabel(QStringLiteral("/8000"), Panel1);
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setRange(0, App.MaxGoodsCount);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMaximumWidth(220);
    Edit5 = new QLineEdit(Panel1);
    BitBtn7 = WindowButton(QStringLiteral("       &Szukaj"), Panel1);
    BitBtn1 = WindowButton(QStringLiteral(" &Wyślij do kasy"), Panel1);
    BitBtn2 = WindowButton(QStringLiteral("&Usuń z bazy PC"), Panel1);
    BitBtn3 = WindowButton(QStringLiteral("    &Edytuj towar"), Panel1);

    auto* panelTop = new QHBoxLayout;
    panelTop->addWidget(panelTitle);
    panelTop->addStretch(1);
    panelTop->addWidget(Label10);
    panelTop->addWidget(ProgressBar1);
    auto* panelBottom = new QHBoxLayout;
    panelBottom->addWidget(Edit5);
    panelBottom->addWidget(BitBtn7);
    panelBottom->addStretch(1);
    panelBottom->addWidget(BitBtn1);
    panelBottom->addWidget(BitBtn2);
    panelBottom->addWidget(BitBtn3);
    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->addLayout(panelTop);
    panelLayout->addWidget(StringGrid1, 1);
    panelLayout->addLayout(panelBottom);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(BitBtn4);
    buttons->addWidget(BitBtn8);
    buttons->addWidget(BitBtn6);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn5);

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(GroupBox1);
    left->addWidget(CheckBox3);
    left->addWidget(CheckBox4);
    top->addLayout(left, 1);
    top->addLayout(buttons);

    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(Panel1, 1);

    // The wait panel floats over the window.
    Panel2 = new QFrame(this);
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Raised);
    Panel2->setAutoFillBackground(true);
    auto* waitTitle = new QLabel(QStringLiteral("Czekaj..."), Panel2);
    waitTitle->setStyleSheet(QStringLiteral("font-size: 16pt; font-weight: bold;"));
    waitTitle->setAlignment(Qt::AlignCenter);
    auto* waitText = new QLabel(QStringLiteral("Trwa sortowanie..."), Panel2);
    waitText->setAlignment(Qt::AlignCenter);
    auto* waitLayout = new QVBoxLayout(Panel2);
    waitLayout->addWidget(waitTitle);
    waitLayout->addWidget(waitText);
    Panel2->resize(260, 100);
    Panel2->setVisible(false);

    PopupMenu1 = new QMenu(this);
    N1 = PopupMenu1->addAction(QStringLiteral("Drukuj według numerów PLU"));
    N2 = PopupMenu1->addAction(QStringLiteral("Drukuj według nazw"));
    N2->setVisible(false);

    // Creating: the PTU, group and tandem lists start on their first item.
    ComboBox1->setCurrentIndex(0);

    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
    connect(BitBtn6, &QPushButton::clicked, this, [this] { BitBtn6Click(); });
    connect(BitBtn7, &QPushButton::clicked, this, [this] { BitBtn7Click(); });
    connect(BitBtn8, &QPushButton::clicked, this, [this] { BitBtn8Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(CheckBox3, &QCheckBox::clicked, this, [this] { CheckBox3Click(); });
    connect(N1, &QAction::triggered, this, [this] { N1Click(); });
    connect(N2, &QAction::triggered, this, [this] { N2Click(); });
    connect(StringGrid1, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        SelectRow(index.row());
        StringGrid1DblClick();
    });

    resize(1100, 692);
}

// ---- showing ----

void TProgramowanieTowarow::FormShow()
{
    FillGoodsGrid();
    if (App.WorkMode == WorkModeDatabase) {
        CheckBox4->setChecked(false);
        BitBtn4->setEnabled(true);
        Edit5->clear();
        Edit1->setText(QStringLiteral("0"));
        Panel1->setVisible(true);
        resize(width(), 692);
    }
    FillDefaultLists();
    FindFirstFreePlu();
    ComboBox2->setCurrentIndex(0);
    ComboBox4->setCurrentIndex(0);
    ComboBox5->setCurrentIndex(0);
}

void TProgramowanieTowarow::FillDefaultLists()
{
    const bool readable = GoodsImageReadable();

    ComboBox2->clear();
    ComboBox2->addItems(SmallTableItems(ReadGoodsGroups(), u". "));
    ComboBox2->setCurrentIndex(0);

    ComboBox3->clear();
    ComboBox3->addItem(QStringLiteral("Brak"));
    ComboBox3->addItems(SmallTableItems(ReadPackagings(), u". "));
    ComboBox3->setCurrentIndex(0);

    ComboBox4->clear();
    ComboBox4->addItem(QStringLiteral("Brak"));
    for (unsigned k = 1; k <= 9; ++k) {
        QString item = QString::number(k) + QStringLiteral(". ");
        if (readable)
            item += FromCp1250(FormatHundredths(DbReadU32At(TableOffsets.HaloBlock + 4 * k)));
        ComboBox4->addItem(item);
    }
    ComboBox4->setCurrentIndex(0);
}

void TProgramowanieTowarow::FillGoodsGrid()
{
    const int previous = SelectedRow();
    GoodsModel->Reload();
    const int rows = GoodsModel->rowCount();
    const int free = int(App.MaxGoodsCount) - rows;
    Label10->setText(QString::number(free) + QStringLiteral("/8000a"));
    ProgressBar1->setRange(0, App.MaxGoodsCount);
    ProgressBar1->setValue(std::max(free, 0));
    if (rows > 0)
        SelectRow(std::clamp(previous, 0, rows - 1));
}

void TProgramowanieTowarow::FindFirstFreePlu()
{
    // A field that holds no number scans from the start.
    unsigned n = 0;
    unsigned long long value = 0;
    if (ParseUnsigned(Edit1->text().trimmed().toStdString(), value))
        n = unsigned(std::min<unsigned long long>(value, App.MaxGoodsCount));
    const unsigned plu = FirstFreePluAbove(n);
    Edit1->setText(plu ? QString::number(plu) : QString());
}

// ---- the grid ----

int TProgramowanieTowarow::SelectedRow() const { return GoodsGridSelectedRow(StringGrid1); }

void TProgramowanieTowarow::SelectRow(int row) { SelectGoodsGridRow(StringGrid1, row); }

int TProgramowanieTowarow::GridRowCount() const { return GoodsModel->rowCount(); }

QString TProgramowanieTowarow::GridCell(int row, int column) const { return GoodsModel->Text(row, column); }

void TProgramowanieTowarow::StringGrid1DblClick()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    Edit1->setText(GridCell(row, 0));
    Edit2->setText(GridCell(row, 1));
    Edit3->setText(GridCell(row, 3));
    Edit4->setText(GridCell(row, 4));
    uint8_t rec[GoodsField::WrittenSize] = {};
    if (!ReadGoodsRecord(GoodsModel->PluOfRow(row), rec))
        return;
    const uint8_t ptu = rec[GoodsField::Vat];
    if (ptu >= 'A' && ptu <= 'G')
        ComboBox1->setCurrentIndex(ptu - 'A');
    ComboBox2->setCurrentIndex(int(rec[GoodsField::Group]) - 1);
    ComboBox3->setCurrentIndex(rec[GoodsField::Tandem]);
    CheckBox1->setChecked(rec[GoodsField::FixedPrice] != 0);
    CheckBox2->setChecked(rec[GoodsField::WholeUnits] != 0);
    ComboBox4->setCurrentIndex(rec[GoodsField::Halo]);
    ComboBox5->setCurrentIndex(rec[GoodsField::Unit]);
    Edit2->setFocus();
}

// ---- adding ----

GoodsAddInput TProgramowanieTowarow::InputFromControls() const
{
    GoodsAddInput in;
    in.Plu = Edit1->text();
    in.Name = Edit2->text();
    in.Price = Edit3->text();
    in.Barcode = Edit4->text();
    in.PtuIndex = ComboBox1->currentIndex();
    in.GroupIndex = ComboBox2->currentIndex();
    in.TandemIndex = ComboBox3->currentIndex();
    in.FixedPrice = CheckBox1->isChecked();
    in.WholeUnits = CheckBox2->isChecked();
    in.HaloIndex = ComboBox4->currentIndex();
    in.UnitIndex = ComboBox5->currentIndex();
    return in;
}

void TProgramowanieTowarow::LoadInput(const GoodsAddInput& in)
{
    if (ComboBox2->count() == 0 || ComboBox3->count() == 0 || ComboBox4->count() == 0)
        FillDefaultLists();
    Edit1->setText(in.Plu);
    Edit2->setText(in.Name);
    Edit3->setText(in.Price);
    Edit4->setText(in.Barcode);
    ComboBox1->setCurrentIndex(in.PtuIndex);
    ComboBox2->setCurrentIndex(in.GroupIndex);
    ComboBox3->setCurrentIndex(in.TandemIndex);
    CheckBox1->setChecked(in.FixedPrice);
    CheckBox2->setChecked(in.WholeUnits);
    ComboBox4->setCurrentIndex(in.HaloIndex);
    ComboBox5->setCurrentIndex(in.UnitIndex);
}

void TProgramowanieTowarow::BitBtn4Click() { AddGoods(InputFromControls()); }

bool TProgramowanieTowarow::AddGoods(const GoodsAddInput& input)
{
    LastAddCheck = CheckGoodsAdd(input);
    const GoodsAddCheck& check = LastAddCheck;
    Label8->setVisible(check.PluEmpty);
    Label7->setVisible(check.NameEmpty);
    Label9->setVisible(check.PriceEmpty);
    if (check.Refusal == GoodsAddRefusal::EmptyFields)
        return false;
    if (check.Refusal != GoodsAddRefusal::None) {
        ShowMessage(check.Message);
        if (check.Refusal == GoodsAddRefusal::DuplicateName)
            Edit2->setFocus();
        return false;
    }

    // Without a usable image nothing can be stored: the editor stays open with what was typed.
    if (!DatabaseUsable() || !DatabaseImage.Usable()) {
        ShowMessage(GoodsTexts::FileClosed);
        return false;
    }
    if (WriteGoodsRecordToImage(check.Fields) != 0) {
        ShowMessage(GoodsTexts::NotAdded);
        return false;
    }
    MarkDatabaseModified();
    RequestStatusRefresh();
    FillGoodsGrid();
    Edit2->clear();
    Edit4->clear();
    Edit3->setText(QStringLiteral("0,00"));
    Edit2->setFocus();
    FindFirstFreePlu();
    if (CheckBox4->isChecked())
        SendAfterAdd(check.Fields.Plu);
    return true;
}

// ---- sending ----

int TProgramowanieTowarow::SendGoodsAndReadAck(uint16_t plu)
{
    SendGoodsRecord(Link.RegisterAddress, SingleFrameNumber, plu, plu, ConfirmFlag);
    return ReceiveAckWaitingOutPrinting(800);
}

void TProgramowanieTowarow::SendAfterAdd(uint16_t plu)
{
    if (!RegisterConnected()) {
        ShowMessage(GoodsTexts::NoConnection);
        return;
    }
    // A record of an image that is not usable is never sent.
    if (!GoodsImageReadable() || !GoodsSlotUsed(plu)) {
        ShowMessage(GoodsTexts::NoDatabase);
        return;
    }
    DrainInput();
    const int result = SendGoodsAndReadAck(plu);
    if (result != AckAccepted && result != AckDone)
        ShowMessage(GoodsTexts::NotConfirmed);
}

void TProgramowanieTowarow::BitBtn1Click()
{
    if (App.WorkMode != (WorkModeDatabase | WorkModeRegister)) {
        ShowMessage(GoodsTexts::NoConnection);
        return;
    }
    const unsigned plu = GoodsModel->PluOfRow(SelectedRow());
    if (plu == 0 || !GoodsSlotUsed(plu))
        return;
    DrainInput();
    std::memset(Link.ReceiveBuffer, 0, ReceiveBufferSize);
    DrainInput();
    const int result = SendGoodsAndReadAck(uint16_t(plu));
    if (result == AckAccepted || result == AckDone)
        ShowMessage(GoodsTexts::Saved);
    else
        ShowMessage(GoodsTexts::NotConfirmed);
}

void TProgramowanieTowarow::CheckBox3Click() { ConfirmFlag = CheckBox3->isChecked() ? 1 : 0; }

// ---- deleting, searching, editing ----

void TProgramowanieTowarow::BitBtn2Click()
{
    const int row = SelectedRow();
    const unsigned plu = GoodsModel->PluOfRow(row);
    if (plu >= 1 && plu <= App.MaxGoodsCount && GoodsImageReadable()) {
        DbZeroFillAt(GoodsRecordOffset(plu), App.GoodsRecordSize);
        // A quick key must not go on selling goods that are gone.
        RemovePluFromQuickKeys(uint16_t(plu));
        MarkDatabaseModified();
        RequestStatusRefresh();
        FillGoodsGrid();
    }
    FindFirstFreePlu();
    const int rows = GoodsModel->rowCount();
    if (rows > 0 && row >= 0)
        SelectRow(std::min(row, rows - 1));
}

void TProgramowanieTowarow::BitBtn7Click()
{
    FillGoodsGrid();
    const QString text = Edit5->text();
    if (text.isEmpty())
        return;
    GoodsModel->Filter(text);
    if (GoodsModel->rowCount() > 0)
        SelectRow(0);
}

void TProgramowanieTowarow::BitBtn3Click()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    if (!EdycjaTowaru)
        new TEdycjaTowaru(this);
    EdycjaTowaru->Label2->setText(GridCell(row, 0));
    ShowModal(*EdycjaTowaru);
    SelectRow(std::min(row, GoodsModel->rowCount() - 1));
}

// ---- closing and keys ----

void TProgramowanieTowarow::BitBtn5Click()
{
    if (downloading_) {
        Link.AbortRequestFlag = 1;
        return;
    }
    reject();
}

bool TProgramowanieTowarow::FormKeyDown(int key)
{
    switch (key) {
    case Qt::Key_Escape:
        BitBtn5Click();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // During a download Enter does nothing, and still goes to no button.
        if (downloading_)
            return true;
        if (focusWidget() == Edit5)
            BitBtn7Click();
        else
            BitBtn4Click();
        return true;
    default:
        return false;
    }
}

void TProgramowanieTowarow::closeEvent(QCloseEvent* event)
{
    if (downloading_) {
        Link.AbortRequestFlag = 1;
        event->ignore();
        return;
    }
    TForm::closeEvent(event);
}

void TProgramowanieTowarow::resizeEvent(QResizeEvent* event)
{
    TForm::resizeEvent(event);
    Panel2->move((width() - Panel2->width()) / 2, (height() - Panel2->height()) / 2);
}

void TProgramowanieTowarow::ShowWaitPanel(bool visible)
{
    Panel2->move((width() - Panel2->width()) / 2, (height() - Panel2->height()) / 2);
    Panel2->setVisible(visible);
    if (visible) {
        Panel2->raise();
        Panel2->repaint();
    }
}

// ---- downloading ----

void TProgramowanieTowarow::SetTransferLock(bool locked)
{
    if (locked) {
        lockedControls_.clear();
        const QList<QWidget*> controls = findChildren<QWidget*>();
        for (QWidget* w : controls) {
            const bool control = qobject_cast<QPushButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                                 qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w) ||
                                 qobject_cast<QTableView*>(w);
            if (!control || w == BitBtn5 || Panel2->isAncestorOf(w))
                continue;
            lockedControls_.emplace_back(w, w->isEnabled());
            w->setEnabled(false);
        }
    } else {
        for (auto& [w, enabled] : lockedControls_)
            w->setEnabled(enabled);
        lockedControls_.clear();
    }
}

void TProgramowanieTowarow::BitBtn8Click()
{
    ExchangeGuard guard(BitBtn5);
    if (App.WorkMode != (WorkModeDatabase | WorkModeRegister)) {
        ShowMessage(GoodsTexts::NoConnection);
        return;
    }
    downloading_ = true;
    SetTransferLock(true);
    ShowWaitPanel(true);
    Link.AbortRequestFlag = 0;
    DrainInput();
    GoodsDownload table;
    // A request that did not go out is read for all the same: a send over TCP fails without a
    // message, and the failed read then says what went wrong.
    SendCommandWithWord(Link.RegisterAddress, 1, 'T', 0);
    for (;;) {
        ProcessMessages();
        const int r = ReceiveFrame(GoodsDataFrameLength);
        if (r == FrameMore || r == FrameLast)
            table.TakeFrame(Link.ReceiveBuffer, GoodsDataFrameLength);
        if (r != FrameMore)
            break;
    }
    // What arrived before a failure is kept.
    if (table.WriteToImage() > 0) {
        MarkDatabaseModified();
        RequestStatusRefresh();
    }
    ShowWaitPanel(false);
    SetTransferLock(false);
    downloading_ = false;
    FillGoodsGrid();
}

// ---- printing ----

void TProgramowanieTowarow::BitBtn6Click()
{
    ShowWaitPanel(true);
    PrintLines = SortGoodsForPrint();
    PopupMenu1->popup(QCursor::pos());
    ShowWaitPanel(false);
}

void TProgramowanieTowarow::N1Click() { DrukujListeTowarow(); }

// Ordering by name was never wired to the printout: both items print in PLU order.
void TProgramowanieTowarow::N2Click() { DrukujListeTowarow(); }

void TProgramowanieTowarow::DrukujListeTowarow()
{
    QPrinter printer(QPrinter::HighResolution);
    PdfOutput pdf;
    if (!ChoosePrinter(printer, PdfOutputPath, this)) {
        ShowMessage(QStringLiteral("Brak drukarki."));
        return;
    }
    if (!pdf.Take(printer))
        return;
    if (!PaintGoodsPrintout(printer, PrintLines))
        ShowMessage(QStringLiteral("Brak drukarki."));
    else
        pdf.Finish();
}

// ---- goods tools ----

void TProgramowanieTowarow::Button1Click()
{
    if (WriteSampleGoods() > 0) {
        MarkDatabaseModified();
        RequestStatusRefresh();
    }
    FillGoodsGrid();
}

void TProgramowanieTowarow::Button2Click()
{
    if (App.WorkMode != (WorkModeDatabase | WorkModeRegister)) {
        ShowMessage(GoodsTexts::NoConnection);
        return;
    }
    if (!GoodsImageReadable())
        return;
    const unsigned last = std::min<unsigned>(2000, App.MaxGoodsCount);
    for (unsigned plu = 1; plu <= last; ++plu)
        SendGoodsRecord(255, 1, uint16_t(plu), uint16_t(plu), 0);
}
