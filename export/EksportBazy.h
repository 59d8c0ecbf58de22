#pragma once
// "Eksport bazy danych": one of seven tables of the image to a CSV file, and a CSV file back
// into the image.
#include "export/DatabaseCsv.h"
#include "platform/Form.h"

#include <QString>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

class TEksportBazy : public TForm {
    Q_OBJECT
public:
    explicit TEksportBazy(QWidget* parent = nullptr);

    QLabel* Label3 = nullptr;        // "Eksport bazy do pliku CSV"
    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;        // "Wybierz bazę, którą chcesz wyeksportować:"
    QComboBox* ComboBox1 = nullptr;  // the seven tables
    QPushButton* Button1 = nullptr;  // "&Eksportuj bazę"
    QLabel* Label5 = nullptr;        // export status
    QFrame* Panel2 = nullptr;
    QLabel* Label2 = nullptr;        // import status
    QPushButton* BitBtn1 = nullptr;  // "&Importuj bazę"
    QString SaveDialog1Filter;
    QString OpenDialog1Filter;

    void FormCreate();
    void FormShow() override;
    bool FormKeyDown(int key) override;
    void Button1Click();
    void BitBtn1Click();

    void EksportTowarow();
    void EksportOpakowan();
    void EksportKasjerow();
    void EksportGrup();
    void EksportRabatow();
    void EksportFormPlatnosci();
    void EksportWalut();

private:
    void ExportTable(CsvTable table);
    FormInstance<TEksportBazy> instance_;
};

extern TEksportBazy* EksportBazy;
