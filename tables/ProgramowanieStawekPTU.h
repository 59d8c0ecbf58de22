#pragma once
// "Edycja stawek PTU": the seven VAT rates A..G of the database image, and sending them to the
// register in one frame.
#include "platform/Form.h"
#include "tables/SmallTableLogic.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QLineEdit;
class QPushButton;
class TRadioGroup;

class TProgramowanieStawekPTU : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieStawekPTU(QWidget* parent = nullptr);

    // Edit1..Edit7: the rates of A..G; beside each its state: Opodatkowana | Zwolniona | Nieaktywna.
    std::array<QLineEdit*, VatLetterCount> Edits{};
    std::array<TRadioGroup*, VatLetterCount> States{};
    QCheckBox* CheckBox1 = nullptr;   // "Potwiedzenie z klawiatury kasy"
    QPushButton* BitBtn1 = nullptr;   // "&Zapisz w bazie PC"
    QPushButton* BitBtn2 = nullptr;   // "&Wyślij do kasy"
    QPushButton* BitBtn3 = nullptr;   // "&Anuluj"

    uint8_t ConfirmFlag = 0;

    void FormShow() override;
    // Esc closes, Enter saves.
    bool FormKeyDown(int key) override;
    void LoadVatRates();
    void UpdateVatRateControls();
    // Saves into the image; false when the fields were refused or nothing could be written.
    bool BitBtn1Click();
    // Saves, then sends what was saved.
    void BitBtn2Click();
    void CheckBox1Click();

private:
    FormInstance<TProgramowanieStawekPTU> instance_;
};

extern TProgramowanieStawekPTU* ProgramowanieStawekPTU;
