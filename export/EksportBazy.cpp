#include "export/EksportBazy.h"

#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/GoodsArea.h"
#include "core/StatusHook.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "platform/RegularFile.h"
#include "tables/GoodsLogic.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TEksportBazy* EksportBazy = nullptr;

namespace {

const QString NoDatabase = QStringLiteral("Brak otwartej bazy danych.");

QLabel* StatusLabel(QWidget* parent)
{
    auto* l = new QLabel(parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QStringLiteral("color: green;"));
    l->setMinimumHeight(24);
    return l;
}

QFrame* Panel(QWidget* parent)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::StyledPanel);
    f->setFrameShadow(QFrame::Raised);
    return f;
}

} // namespace

TEksportBazy::TEksportBazy(QWidget* parent) : TForm(parent), instance_(EksportBazy, this)
{
    setWindowTitle(QStringLiteral("Eksport bazy danych"));
    SaveDialog1Filter = QStringLiteral("Pliki CSV (*.csv)|*.csv");
    OpenDialog1Filter = SaveDialog1Filter;

    Label3 = new QLabel(QStringLiteral("Eksport bazy do pliku CSV"), this);
    QFont heading = Label3->font();
    heading.setBold(true);
    heading.setPointSize(heading.pointSize() + 3);
    Label3->setFont(heading);
    Label3->setAlignment(Qt::AlignCenter);

    Panel1 = Panel(this);
    Label1 = new QLabel(QStringLiteral("Wybierz bazę, którą chcesz wyeksportować:"), Panel1);
    ComboBox1 = new QComboBox(Panel1);
    for (int t = 0; t < CsvTableCount; ++t)
        ComboBox1->addItem(QString::fromUtf8(CsvFormat(CsvTable(t)).ComboItem));
    Button1 = new QPushButton(QStringLiteral("&Eksportuj bazę"), Panel1);
    Label5 = StatusLabel(Panel1);
    auto* exportBox = new QVBoxLayout(Panel1);
    exportBox->addWidget(Label1);
    exportBox->addWidget(ComboBox1);
    exportBox->addWidget(Button1);
    exportBox->addWidget(Label5);

    Panel2 = Panel(this);
    BitBtn1 = new QPushButton(QStringLiteral("&Importuj bazę"), Panel2);
    Label2 = StatusLabel(Panel2);
    auto* importBox = new QVBoxLayout(Panel2);
    importBox->addWidget(BitBtn1);
    importBox->addWidget(Label2);

    auto* main = new QVBoxLayout(this);
    main->addWidget(Label3);
    main->addWidget(Panel1);
    main->addWidget(Panel2);
    for (QPushButton* b : {Button1, BitBtn1})
        b->setAutoDefault(false);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    resize(420, sizeHint().height());
    FormCreate();
}

void TEksportBazy::FormCreate() { ComboBox1->setCurrentIndex(0); }

void TEksportBazy::FormShow()
{
    Label2->clear();
    Label5->clear();
}

bool TEksportBazy::FormKeyDown(int key)
{
    if (key != Qt::Key_Escape)
        return false;
    close();
    return true;
}

void TEksportBazy::Button1Click()
{
    Label2->clear();
    Label5->clear();
    switch (ComboBox1->currentIndex()) {
    case 0: EksportTowarow(); break;
    case 1: EksportOpakowan(); break;
    case 2: EksportKasjerow(); break;
    case 3: EksportGrup(); break;
    case 4: EksportRabatow(); break;
    case 5: EksportFormPlatnosci(); break;
    case 6: EksportWalut(); break;
    default: break;
    }
}

void TEksportBazy::EksportTowarow() { ExportTable(CsvTable::Goods); }
void TEksportBazy::EksportOpakowan() { ExportTable(CsvTable::Packagings); }
void TEksportBazy::EksportKasjerow() { ExportTable(CsvTable::Cashiers); }
void TEksportBazy::EksportGrup() { ExportTable(CsvTable::Groups); }
void TEksportBazy::EksportRabatow() { ExportTable(CsvTable::Discounts); }
void TEksportBazy::EksportFormPlatnosci() { ExportTable(CsvTable::PaymentForms); }
void TEksportBazy::EksportWalut() { ExportTable(CsvTable::Currencies); }

void TEksportBazy::ExportTable(CsvTable table)
{
    const std::vector<uint8_t> area = ReadCsvArea(table);
    if (area.empty()) {
        ShowMessage(NoDatabase);
        return;
    }
    const std::string file = BuildCsvFile(table, area);
    QString chosen = CurrentPrompts().SaveFileName(
        QStringLiteral("Zapisz"), SaveDialog1Filter, FromCp1250(DefaultCsvFileName(App.CurrentDatabaseFileName, table)));
    if (chosen.isEmpty())
        return;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".csv");
    if (!ConfirmOverwrite(chosen))
        return;
    const std::string path = QFile::encodeName(chosen).toStdString();
    switch (WriteFileWhole(path, reinterpret_cast<const uint8_t*>(file.data()), file.size(), true)) {
    case WholeWrite::OpenFailed: ShowMessage(QStringLiteral("Nie mogę otworzyć pliku docelowego")); return;
    case WholeWrite::WriteFailed: ShowMessage(QStringLiteral("Wystąpił błąd zapisu")); return;
    case WholeWrite::Ok: break;
    }
    Label5->setText(QString::fromUtf8(CsvFormat(table).ExportedText));
    // The file stays as it is; the user learns which records an import of it would refuse.
    if (const QString warning = CsvNotReadBackWarning(table, area); !warning.isEmpty())
        ShowMessage(warning);
}

void TEksportBazy::BitBtn1Click()
{
    Label2->clear();
    Label5->clear();
    if (!GoodsImageReadable()) {
        ShowMessage(NoDatabase);
        return;
    }
    const QString chosen = CurrentPrompts().OpenFileName(QStringLiteral("Otwórz"), OpenDialog1Filter, {});
    if (chosen.isEmpty())
        return;
    QFile in;
    if (!OpenRegularFile(in, chosen)) {
        ShowMessage(QStringLiteral("Nie mogę otworzyć pliku ") + chosen);
        return;
    }
    if (in.size() > CsvFileMax) {
        ShowMessage(QStringLiteral("Plik ") + chosen + QStringLiteral(" jest za duży na plik bazy danych (ponad 16 MB)."));
        return;
    }
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        ShowMessage(QStringLiteral("Nie mogę otworzyć pliku ") + chosen);
        return;
    }
    const CsvImportCheck check = CheckCsvImport(bytes.toStdString());
    if (!check.Recognised) {
        ShowMessage(QStringLiteral("Nie rozpoznano bazy w pliku: ") + CsvShownText(check.Title));
        return;
    }
    if (!check.Errors.empty()) {
        ShowMessage(CsvImportRefusal(check.Errors));
        return;
    }
    if (!ApplyCsvImport(check)) {
        ShowMessage(QStringLiteral("Wystąpił błąd zapisu"));
        return;
    }
    RequestStatusRefresh();
    Label2->setText(QString::fromUtf8(CsvFormat(check.Table).ImportedText));
    ReportGoodsLeftOut(check.LeftOut);
}
