#pragma once
// "Programowanie waluty ewidencyjnej": programs a change of the record currency into the
// register ('E' frame), or changes the record currency of the database at once.
#include "platform/Form.h"
#include "tables/RecordCurrencyLogic.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

class TProgramowanieWalutyEwidencyjnej : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieWalutyEwidencyjnej(QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;          // "Kurs wymiany na starą walutę ewidencyjną"
    QLabel* Label5 = nullptr;            // "(new/old)"
    QLineEdit* Edit2 = nullptr;          // "Symbol nowej waluty ewidencyjnej"
    QDateEdit* DateTimePicker1 = nullptr;   // "Data zmiany (rrrr-mm-dd)"
    QCheckBox* CheckBox1 = nullptr;      // "Drukowanie przelicznika walut"
    QLabel* Label6 = nullptr;            // " Wprowadź kurs"
    QLabel* Label7 = nullptr;            // " Wprowadź symbol"
    QPushButton* Button1 = nullptr;      // "Zmiana w kasie"
    QPushButton* Button3 = nullptr;      // "Zmiana w bazie"
    QPushButton* Button2 = nullptr;      // "Anuluj"

    void FormShow() override;
    // Esc closes; Enter runs "Zmiana w kasie".
    bool FormKeyDown(int key) override;
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Edit2Change();

private:
    // The warnings of empty fields; false when either field is empty.
    bool FieldsFilled();
    // The fields checked for both buttons; false (with its warning or message) when refused.
    bool CheckedInput(RecordCurrencyRate& rate);

    FormInstance<TProgramowanieWalutyEwidencyjnej> instance_;
};

extern TProgramowanieWalutyEwidencyjnej* ProgramowanieWalutyEwidencyjnej;
