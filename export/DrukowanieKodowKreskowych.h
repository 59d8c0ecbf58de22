#pragma once
// "Drukowanie kodów kreskowych": the goods of the image in a list to tick, and a printed sheet
// of Code 128 symbols of the ticked ones.
#include "export/BarcodeSheet.h"
#include "platform/Form.h"

#include <QString>

class QLabel;
class QListWidget;
class QPushButton;
class QSlider;

class TDrukowanieKodowKreskowych : public TForm {
    Q_OBJECT
public:
    explicit TDrukowanieKodowKreskowych(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;            // "Drukowanie tablicy kodów kreskowych"
    QLabel* Label2 = nullptr;            // "Zaznacz towary, dla których chcesz wydrukować kody kreskowe"
    QLabel* Label4 = nullptr;            // column titles "Numer", "Nazwa", "Cena"
    QListWidget* CheckListBox1 = nullptr;
    QLabel* Label6 = nullptr;            // "Kod towaru: ..."
    QLabel* Label5 = nullptr;            // "Wysokość kodu kreskowego:"
    QSlider* TrackBar1 = nullptr;        // bar height 5..70 mm
    QLabel* Label3 = nullptr;            // "20 mm"
    QPushButton* BitBtn1 = nullptr;      // "   &Drukuj tablicę kodów kreskowych"
    QPushButton* BitBtn6 = nullptr;      // "&Anuluj"

    int BarHeightMm = 20;
    int RowPitchMm = 35;
    // When set, the sheet goes to this PDF file (600 dpi) without the print dialog.
    QString PdfOutputPath;
    // The items of the last print run.
    std::vector<BarcodeSheetItem> PrintItems;

    void FormShow() override;
    bool FormKeyDown(int key) override;
    void CheckListBox1Click();
    void CheckListBox1DblClick();
    void TrackBar1Change();
    void BitBtn1Click();
    void BitBtn6Click();

private:
    FormInstance<TDrukowanieKodowKreskowych> instance_;
};

extern TDrukowanieKodowKreskowych* DrukowanieKodowKreskowych;
