#pragma once
// "Podgląd bazy towarowej": the PC goods beside the register's goods, copies and deletes either
// way, and the goods tools (not-sold and range ticks, range delete, barcode verification,
// printing, occupancy bars).
#include "platform/Form.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <utility>
#include <vector>

class CheckListBox;
class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
struct GoodsDetails;
struct GoodsNumberRange;

class TSynchronizacjaBazyTowarowej : public TForm {
    Q_OBJECT
public:
    explicit TSynchronizacjaBazyTowarowej(QWidget* parent = nullptr);

    // ---- controls ----
    QLabel* Label1 = nullptr;                 // "Baza towarowa PC"
    QLabel* Label2 = nullptr;                 // "Baza towarowa kasy Orva Tepo"
    CheckListBox* CheckListBox1 = nullptr;    // PC goods
    CheckListBox* CheckListBox2 = nullptr;    // register goods
    QPushButton* BitBtn2 = nullptr;           // copy ticked PC goods to the register
    QPushButton* BitBtn4 = nullptr;           // copy ticked register goods to the PC
    QPushButton* BitBtn8 = nullptr;           // delete ticked goods on the register
    QPushButton* BitBtn5 = nullptr;           // delete ticked goods from the PC
    QPushButton* BitBtn6 = nullptr;           // "&Odśwież"
    QPushButton* BitBtn9 = nullptr;           // tick all, PC pane
    QPushButton* BitBtn1 = nullptr;           // tick all, register pane
    QPushButton* BitBtn3 = nullptr;           // "&Edytuj towar"
    QCheckBox* CheckBox1 = nullptr;           // confirm on the register's keyboard
    QProgressBar* ProgressBar1 = nullptr;     // PC occupancy
    QProgressBar* ProgressBar2 = nullptr;     // register occupancy
    QLabel* Label4 = nullptr;                 // PC count "n/8000"
    QLabel* Label21 = nullptr;                // register count "n/8000"
    // transfer panels
    QFrame* Panel2 = nullptr;                 // reading
    QLabel* ImportCounter = nullptr;
    QPushButton* Button2 = nullptr;           // "Anuluj"
    QFrame* Panel3 = nullptr;                 // sending
    QLabel* SendCounter = nullptr;
    QLabel* SendPrinting = nullptr;           // "Drukuję..."
    QLabel* ErrorsLabel = nullptr;            // "Błędy:"
    QLabel* ErrorCounter = nullptr;
    QPushButton* Button1 = nullptr;           // "Anuluj"
    QFrame* Panel5 = nullptr;                 // deleting
    QLabel* DeleteCounter = nullptr;
    QLabel* DeletePrinting = nullptr;         // "Drukuję..."
    QPushButton* Button3 = nullptr;           // "Anuluj"
    // tools
    QFrame* Panel1 = nullptr;
    QLineEdit* Edit1 = nullptr;               // days not sold
    QPushButton* Button7 = nullptr;           // "Zaznacz nieużywane towary"
    QFrame* Panel4 = nullptr;
    QLineEdit* Edit3 = nullptr;               // "od"
    QLineEdit* Edit4 = nullptr;               // "do"
    QPushButton* BitBtn11 = nullptr;          // "Zaznacz wg numerów"
    QPushButton* BitBtn7 = nullptr;           // "Usuń towary od ... do ..."
    QPushButton* Button4 = nullptr;           // "Weryfikuj kody kreskowe"
    QPushButton* BitBtn10 = nullptr;          // "&Wydruk bazy  "
    QMenu* MenuWydruku = nullptr;
    QAction* DrukujwedugnumerwPLU1 = nullptr; // "Drukuj według numerów PLU"
    QAction* Drukujwedugnazw1 = nullptr;      // "Drukuj według nazw"
    // details of the clicked goods, captions beside them
    QLabel* DetailName = nullptr;
    QLabel* DetailPtu = nullptr;
    QLabel* DetailBarcode = nullptr;
    QLabel* DetailGroup = nullptr;
    QLabel* DetailTandem = nullptr;
    QLabel* DetailFixedPrice = nullptr;
    QLabel* DetailWholeUnits = nullptr;
    QLabel* DetailHalo = nullptr;
    QLabel* DetailUnit = nullptr;
    QLabel* DetailLastSale = nullptr;
    QLabel* DetailQuantity = nullptr;
    QLabel* DetailValue = nullptr;

    // The print lines of the PC goods ("&Wydruk bazy" fills them before the menu opens).
    QStringList ListBox1;
    // Sent in every program and delete frame: 1 makes the register ask on its own keyboard.
    uint8_t ConfirmFlag = 0;
    // When set, printouts go into this PDF file instead of the default printer.
    QString PdfOutputPath;

    // ---- handlers ----
    void FormShow() override;
    // Esc closes the window, or while a transfer runs acts as "Anuluj".
    bool FormKeyDown(int key) override;
    // Reads the register's goods into the mirror and the register pane; true when the read was whole.
    bool OdswiezTowaryKasy();
    void BitBtn6Click() { OdswiezTowaryKasy(); }
    void BitBtn2Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn8Click();
    void BitBtn9Click();
    void BitBtn1Click();
    void BitBtn3Click();
    void CheckBox1Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void CheckListBox1Click();
    void CheckListBox2Click();
    // tools
    void TickUnusedGoods();
    void Button7Click() { TickUnusedGoods(); }
    void BitBtn11Click();
    void BitBtn7Click();
    void Button4Click();
    void BitBtn10Click();
    void DrukujwedugnumerwPLU1Click();
    void Drukujwedugnazw1Click();
    void DrukujListeTowarow();

    bool Transferring() const { return transferring_; }
    void FillPcPane();
    void FillRegisterPane();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildTools(QWidget* parent);
    // The range fields; false (after "Błędnie wypełnione pola!") when they hold no usable range.
    bool ReadRange(GoodsNumberRange& range);
    void RefreshBar(QProgressBar* bar, QLabel* label, int count);
    void ShowDetails(const GoodsDetails& d);
    void BeginTransfer(QFrame* panel);
    void EndTransfer();

    bool transferring_ = false;
    QFrame* activePanel_ = nullptr;
    std::vector<std::pair<QWidget*, bool>> lockedControls_;
    FormInstance<TSynchronizacjaBazyTowarowej> instance_;
};

extern TSynchronizacjaBazyTowarowej* SynchronizacjaBazyTowarowej;
