#pragma once
// "Edycja bazy towarowej": the goods table of the database image, adding, deleting, searching,
// sending goods to the register and downloading the register's goods table.
#include "platform/Form.h"
#include "tables/GoodsLogic.h"
#include "tables/GoodsPrintout.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTableView;

// The stored goods as grid rows, read from the image in one go and formatted when shown.
class GoodsGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Columns {
        GoodsWindow,  // Nr, Nazwa, VAT, Cena, Kod kreskowy, Grupa, Tandem, Cena sztywna, Sprz. na sztuki, HALO, Jedn.
        GoodsList,    // Nr, Nazwa, VAT, Cena, Kod kreskowy, Grupa, Tandem, Cena sztywna, Ilość całkowita
    };
    explicit GoodsGridModel(Columns columns, QObject* parent = nullptr);

    // One row per stored goods record, in PLU order; none from an unusable image.
    void Reload();
    void Clear();
    // Keeps the rows whose name holds text (case-insensitive), in their order.
    void Filter(const QString& text);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    QString Text(int row, int column) const;
    unsigned PluOfRow(int row) const;

private:
    struct Row {
        uint16_t Slot = 0;   // PLU = slot number
        QString Name;
        std::array<uint8_t, GoodsField::WrittenSize> Record{};
    };
    Columns columns_;
    QStringList headers_;
    std::vector<Row> rows_;
    std::array<QString, 21> groupNames_;
    std::array<QString, 21> packagingNames_;
};

// Sets a grid up the way both goods windows show their goods model: whole rows, one at a time,
// read-only, 20-pixel rows without row numbers, these column widths, the last column stretched.
void SetUpGoodsGrid(QTableView* grid, GoodsGridModel* model, std::initializer_list<int> widths);
// The row of the grid's current cell; -1 when there is none.
int GoodsGridSelectedRow(const QTableView* grid);
// Makes row the current and selected row; a row the model does not have is ignored.
void SelectGoodsGridRow(QTableView* grid, int row);

class TProgramowanieTowarow : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieTowarow(QWidget* parent = nullptr);

    // ---- controls ----
    QLineEdit* Edit1 = nullptr;   // "Numer towaru w kasie" (PLU)
    QLineEdit* Edit2 = nullptr;   // "Nazwa towaru"
    QLineEdit* Edit3 = nullptr;   // "Cena"
    QLineEdit* Edit4 = nullptr;   // "Kod kreskowy"
    QLabel* Label7 = nullptr;     // "Wprowadź nazwę!"
    QLabel* Label8 = nullptr;     // "Wprowadź numer!"
    QLabel* Label9 = nullptr;     // "Wprowadź cenę!"
    QGroupBox* GroupBox1 = nullptr;   // "Wartości domyślne"
    QComboBox* ComboBox1 = nullptr;   // PTU letter A..G
    QComboBox* ComboBox2 = nullptr;   // goods group
    QComboBox* ComboBox3 = nullptr;   // tandem packaging
    QCheckBox* CheckBox1 = nullptr;   // "Cena sztywna"
    QCheckBox* CheckBox2 = nullptr;   // "Sprzedaż na sztuki"
    QComboBox* ComboBox4 = nullptr;   // HALO index
    QComboBox* ComboBox5 = nullptr;   // unit of measure
    QCheckBox* CheckBox3 = nullptr;   // "&Potwierdzaj wprowadzanie towarów z klawiatury kasy"
    QCheckBox* CheckBox4 = nullptr;   // automatic sending after the add
    QFrame* Panel1 = nullptr;         // "BAZA TOWAROWA"
    QTableView* StringGrid1 = nullptr;
    GoodsGridModel* GoodsModel = nullptr;
    QLabel* Label10 = nullptr;        // free space "n/8000a"
    QProgressBar* ProgressBar1 = nullptr;
    QLineEdit* Edit5 = nullptr;       // search text
    QPushButton* BitBtn7 = nullptr;   // "Szukaj"
    QPushButton* BitBtn1 = nullptr;   // "Wyślij do kasy"
    QPushButton* BitBtn2 = nullptr;   // "Usuń z bazy PC"
    QPushButton* BitBtn3 = nullptr;   // "Edytuj towar"
    QPushButton* BitBtn4 = nullptr;   // "Dodaj do bazy PC"
    QPushButton* BitBtn5 = nullptr;   // "Anuluj"
    QPushButton* BitBtn6 = nullptr;   // "Wydruk bazy"
    QPushButton* BitBtn8 = nullptr;   // "Pobierz bazę z podłączonej kasy"
    QPushButton* Button1 = nullptr;   // "DodajRóżneTowary" (hidden)
    QPushButton* Button2 = nullptr;   // "WysiljWszystkieTowary" (hidden)
    QFrame* Panel2 = nullptr;         // "Czekaj..."
    QMenu* PopupMenu1 = nullptr;
    QAction* N1 = nullptr;            // "Drukuj według numerów PLU"
    QAction* N2 = nullptr;            // "Drukuj według nazw" (hidden)

    // Sent in every program frame: 1 makes the register ask on its own keyboard.
    uint8_t ConfirmFlag = 0;
    // When set, the printout goes to this PDF file without the print dialog.
    QString PdfOutputPath;
    // The lines of the last printout preparation.
    std::vector<GoodsPrintLine> PrintLines;
    // The checks of the last add.
    GoodsAddCheck LastAddCheck;

    // ---- handlers ----
    void FormShow() override;
    // Esc closes (or stops a download); Enter searches from the search field, else adds.
    bool FormKeyDown(int key) override;
    void BitBtn4Click();        // add
    void BitBtn1Click();        // send the selected goods
    void BitBtn2Click();        // delete
    void BitBtn7Click();        // search
    void BitBtn3Click();        // edit in the goods editor
    void BitBtn5Click();        // close (stops a download)
    void BitBtn6Click();        // printout menu
    void BitBtn8Click();        // download the register's goods table
    void N1Click();
    void N2Click();
    void DrukujListeTowarow();
    void StringGrid1DblClick();
    void CheckBox3Click();
    void Button1Click();        // sample goods
    void Button2Click();        // push PLU 1..2000 without replies

    void FillGoodsGrid();
    void FindFirstFreePlu();

    // The add action on given values (the goods editor copies its values in and calls it).
    // True when the values were accepted and written to a usable image.
    bool AddGoods(const GoodsAddInput& input);
    GoodsAddInput InputFromControls() const;
    // Puts values into the fields and lists (filling the lists first when they are empty).
    void LoadInput(const GoodsAddInput& input);
    // The group, tandem and HALO lists from the image.
    void FillDefaultLists();

    int SelectedRow() const;
    void SelectRow(int row);
    int GridRowCount() const;
    QString GridCell(int row, int column) const;
    bool Downloading() const { return downloading_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SendAfterAdd(uint16_t plu);
    // Sends one goods record and reads the reply, waiting out a "printing" reply once.
    int SendGoodsAndReadAck(uint16_t plu);
    void SetTransferLock(bool locked);
    void ShowWaitPanel(bool visible);

    bool downloading_ = false;
    std::vector<std::pair<QWidget*, bool>> lockedControls_;
    FormInstance<TProgramowanieTowarow> instance_;
};

extern TProgramowanieTowarow* ProgramowanieTowarow;
