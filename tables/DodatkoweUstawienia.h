#pragma once
// "Dodatkowe ustawienia": reads, edits and sends the register's configuration record.
#include "platform/Form.h"
#include "tables/ConfigurationLogic.h"

#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

class TDodatkoweUstawienia : public TForm {
    Q_OBJECT
public:
    explicit TDodatkoweUstawienia(QWidget* parent = nullptr);

    // ComboBox1..ComboBox20 (index 0 is ComboBox1); Edit1..Edit5 (index 0 is Edit1).
    std::array<QComboBox*, ConfigurationChoiceCount> ComboBox{};
    std::array<QLineEdit*, ConfigurationEditCount> Edit{};
    QPushButton* Button1 = nullptr;   // "Wyślij"
    QPushButton* Button2 = nullptr;   // "Odśwież"
    QPushButton* Button3 = nullptr;   // "Ustawienia Domyślne"
    QPushButton* BitBtn3 = nullptr;   // "&Anuluj"

    // The record last read from the register: bytes whose choice is empty go back as read.
    ConfigurationRecord LastRead{};

    void FormCreate();
    void Button1Click();   // send
    void Button2Click();   // read
    void Button3Click();   // defaults
    void BitBtn3Click();

    ConfigurationValues Values() const;
    void SetValues(const ConfigurationValues& values);

private:
    // Marks the Rivo-only choices "Tylko 8K" (keeping their selection) or shows them again.
    void ShowRivoOnlyChoices(bool available);

    FormInstance<TDodatkoweUstawienia> instance_;
};

extern TDodatkoweUstawienia* DodatkoweUstawienia;
