#pragma once
// "Edycja klawiszy szybkich": the quick keys on a grid, goods numbers typed or picked from the
// goods list. Edits a copy of the whole table and writes one key at a time into the image.
#include "platform/Form.h"
#include "tables/QuickKeys.h"

#include <array>
#include <cstdint>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

class TProgramowanieKlawiszySzybkich : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieKlawiszySzybkich(QWidget* parent = nullptr);

    // ---- controls ----
    QComboBox* ComboBox1 = nullptr;                 // "Kasjer:"
    std::array<QRadioButton*, 10> RadioButtonF{};   // "Numer klawisza:" F1..F10
    QTableWidget* StringGrid1 = nullptr;            // rows 1..5: "Numer", "Numer PLU", "Ilość"
    QGroupBox* RadioGroup1 = nullptr;               // "Towar edytowanego klawisza" 1..5
    QButtonGroup* RadioGroup1Items = nullptr;
    QLineEdit* Edit1 = nullptr;                     // "Numer towaru skojarzonego z klawiszem"
    QLabel* NameLabel = nullptr;                    // the goods name beside Edit1
    QLineEdit* Edit2 = nullptr;                     // "Ilość towaru do sprzedania"
    QLabel* NumberWarning = nullptr;                // "Wprowadź numer!"
    QLabel* QuantityWarning = nullptr;              // "Wprowadź ilość!"
    QCheckBox* CheckBox1 = nullptr;                 // "Czy klawisz ma kończyć paragon?"
    QPushButton* BitBtn1 = nullptr;                 // "Przegląd listy towarów"
    QPushButton* BitBtn2 = nullptr;                 // "Dodaj towar do klawisza"
    QPushButton* BitBtn3 = nullptr;                 // "     &Zapisz w bazie PC"
    QPushButton* BitBtn4 = nullptr;                 // " &Wyślij do kasy"
    QPushButton* BitBtn5 = nullptr;                 // "&Usuń klawisz szybki z bazy PC"
    QPushButton* BitBtn6 = nullptr;                 // "&Anuluj"

    // The window's copy of the table: cashier index i (0..9), key k at i * 340 + (k - 1) * 34.
    std::array<uint8_t, QuickKeyTableUsedSize> QuickKeyBlock{};
    // Sent with every key: 1 makes the register ask on its own keyboard.
    uint8_t ConfirmFlag = 0;

    // ---- handlers ----
    void FormShow() override;
    bool FormKeyDown(int key) override;
    void ComboBox1Change();
    void RadioButtonFClick(int n);       // key radio button F1..F10
    void RadioGroup1Click();
    void StringGrid1Click(int row);      // row 1..5
    void ShowQuickKeyPlu();              // Edit1 changed
    void BitBtn1Click();                 // goods list
    void BitBtn2Click();                 // add goods to the key
    void BitBtn3Click();                 // store in the image
    void BitBtn4Click();                 // store, then send to the register
    void BitBtn5Click();                 // delete the key in the window's copy
    void BitBtn6Click();                 // close

    void RedrawQuickKeyGrid();
    // Programmed keys of the chosen cashier in bold dark green.
    void ColourKeyButtons();

    int ChosenCashierIndex() const;      // 0..9
    int ChosenKey() const;               // 1..10
    int ChosenEntry() const;             // 1..5
    void SetChosenEntry(int position);
    int SelectedGridRow() const;         // 1..5, 0 none
    void SelectGridRow(int row);
    QuickKeyRecord BlockRecord(int cashierIndex, int key) const;
    void SetBlockRecord(int cashierIndex, int key, const QuickKeyRecord& record);
    // True when the key of this record is programmed (any goods number not 0).
    static bool KeyProgrammed(const QuickKeyRecord& record);

private:
    // The store action; false when nothing could be written.
    bool StoreKey();

    FormInstance<TProgramowanieKlawiszySzybkich> instance_;
};

extern TProgramowanieKlawiszySzybkich* ProgramowanieKlawiszySzybkich;
