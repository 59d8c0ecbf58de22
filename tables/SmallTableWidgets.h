#pragma once
// The controls the table windows build alike: buttons that leave Enter to the window,
// warning labels, and the string grid of a table's records.
#include "platform/Form.h"
#include "tables/SmallTableLogic.h"

#include <QGroupBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>

class QButtonGroup;
class QLayout;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QWidget;

// An entry field of at most maxLength characters, width pixels wide.
QLineEdit* FieldEdit(int maxLength, int width, QWidget* parent);

// One line of a window's fields: a caption, its control, the warning beside it (or none).
struct FieldRow {
    const char* Caption;
    QWidget* Control;
    QLabel* Warning = nullptr;
};
QGridLayout* FieldRows(QWidget* parent, std::initializer_list<FieldRow> rows);

struct SmallTableCaptions {
    QStringList Headers;
    const char* Confirm;
    const char* Delete;
    const char* Send = "Wyślij do kasy";
};

// What every small-table window has below its fields: the confirm box, the grid with its
// delete and send buttons, then the add and cancel buttons. Cancel and Esc close the window,
// Enter adds.
class TSmallTableEditor : public TForm {
    Q_OBJECT
public:
    QCheckBox* CheckBox1 = nullptr;   // confirm on the register's keyboard
    QTableWidget* StringGrid1 = nullptr;
    QPushButton* Button3 = nullptr;   // delete from the database
    QPushButton* Button4 = nullptr;   // send to the register
    QPushButton* BitBtn4 = nullptr;   // "     &Dodaj do bazy PC"
    QPushButton* BitBtn6 = nullptr;   // "&Anuluj"

    uint8_t ConfirmFlag = 0;

    bool FormKeyDown(int key) override;
    void CheckBox1Click();
    virtual void BitBtn4Click() = 0;
    virtual void Button3Click() = 0;
    virtual void Button4Click() = 0;

protected:
    using TForm::TForm;
    // Lays the window out: its fields, then the shared controls.
    void BuildFrame(QLayout* fields, const SmallTableCaptions& captions);
};

// A button that never takes Enter for itself.
QPushButton* WindowButton(const QString& text, QWidget* parent);
// A red warning label, hidden at start.
QLabel* WarningLabel(const QString& text, QWidget* parent);

// The name checks of an add, each showing its message and putting the focus on the name field:
// a name of blanks only (spacesMessage; none checked when null), characters that code page
// 1250 cannot hold; then a used record of the same name among the first slotCount slots.
bool NameAccepted(QLineEdit* edit, const char* spacesMessage);
bool NameIsNew(QLineEdit* edit, const SmallTableGeometry& table, unsigned slotCount, const char* duplicateMessage);
// "     Plik zamknięty.     ": a write found no usable image.
void ShowFileClosed();
// The refusal of a record number outside 1..last. The range is joined by non-breaking
// characters, so that a wrapped message never parts "1 -" from its end.
void ShowNumberOutOfRange(unsigned last);
// Writes an added record and marks the database modified; without a usable image writes
// nothing and says so. True when written.
bool StoreRecord(const SmallTableGeometry& table, const RecordBytes& record);

// A read-only grid of whole-row selection with one header row and SmallTableSlots rows.
QTableWidget* MakeStringGrid(const QStringList& headers, QWidget* parent);
// Puts the rows in from the top; every cell after them becomes empty. The selected row stays.
void FillStringGrid(QTableWidget* grid, const GridRows& rows);
// The number in column 0 of the selected row; 0 when no row is selected or the cell holds none.
unsigned SelectedRecordNumber(const QTableWidget* grid);
QString GridCell(const QTableWidget* grid, int row, int column);
void SelectGridRow(QTableWidget* grid, int row);

// A titled group of radio buttons, one chosen; ItemIndex is the chosen button's position.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // The buttons stand in a row, or in a column when vertical.
    TRadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr, bool vertical = false);
    int ItemIndex() const;
    void SetItemIndex(int index);
    // Runs on every click on one of the buttons.
    void OnClick(std::function<void()> handler);

private:
    QButtonGroup* buttons_ = nullptr;
};

// Zeroes the record of the selected row when its number lies in first..last and marks the
// database modified; without a usable image writes nothing and says so. True when deleted.
bool DeleteSelectedRecord(const QTableWidget* grid, const SmallTableGeometry& table, unsigned first, unsigned last);

// The frame builders of the small-table records.
using RecordBuilder = int (*)(uint8_t address, uint16_t frameNumber, uint8_t n, uint8_t ignored, uint8_t confirmFlag);
// Sends the record of the selected row (SendOneFrame); NothingSent when the row holds none.
int SendSelectedRecord(const QTableWidget* grid, RecordBuilder builder, uint8_t confirmFlag, int (*reader)() = nullptr);
