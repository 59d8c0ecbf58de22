#pragma once
// "Edycja towaru": edits one stored goods record; the goods window's add action checks and
// writes it.
#include "platform/Form.h"

#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TEdycjaTowaru : public TForm {
    Q_OBJECT
public:
    explicit TEdycjaTowaru(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;        // "Numer towaru:"
    QLabel* Label2 = nullptr;        // the goods number; the opener sets it before showing
    QLineEdit* Edit1 = nullptr;      // "Nazwa"
    QLineEdit* Edit2 = nullptr;      // "Cena"
    QLineEdit* Edit3 = nullptr;      // "Kod kreskowy"
    QComboBox* ComboBox1 = nullptr;  // PTU letter A..G
    QComboBox* ComboBox2 = nullptr;  // goods group
    QComboBox* ComboBox3 = nullptr;  // tandem packaging
    QComboBox* ComboBox4 = nullptr;  // HALO index
    QCheckBox* CheckBox1 = nullptr;  // "Cena sztywna"
    QCheckBox* CheckBox2 = nullptr;  // "Sprzedaż na sztuki"
    QPushButton* Button1 = nullptr;  // "Zapisz"
    QPushButton* Button2 = nullptr;  // "Anuluj"

    // The unit of measure of the record shown; the window has no field for it, and a save keeps it.
    uint8_t RecordUnit = 0;

    void FormShow() override;
    // Esc closes without a change, Enter saves.
    bool FormKeyDown(int key) override;
    void Button1Click();   // save
    void Button2Click();   // close without a change

private:
    FormInstance<TEdycjaTowaru> instance_;
};

extern TEdycjaTowaru* EdycjaTowaru;
