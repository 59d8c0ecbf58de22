#pragma once
// "Grafika w nagłówku i stopce": a BMP or JPEG picture fitted to the register's 384 x 96 field,
// shifted, zoomed and thresholded, saved as a BMP and sent to the register as its header or
// footer graphic; the register's graphics can be deleted too.
#include "platform/Form.h"
#include "service/GraphicsLogic.h"

#include <QImage>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;

// A pair of arrows with a position, as the window's shift, zoom and contrast controls are.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(Qt::Orientation orientation, int min, int max, int step, int start, const QString& hint,
            QWidget* parent);
    int Position = 0;
    const int Min, Max, Step;
    // Moves the position by one step (clamped); false at the end of the range.
    bool StepBy(bool up);
    QToolButton* UpButton = nullptr;    // up or right
    QToolButton* DownButton = nullptr;  // down or left

signals:
    void Clicked(bool up);
};

class TGrafikaNaglowek : public TForm {
    Q_OBJECT
public:
    explicit TGrafikaNaglowek(QWidget* parent = nullptr);

    // ---- controls ----
    QToolButton* SpeedButton4 = nullptr;  // open
    QToolButton* SpeedButton1 = nullptr;  // save
    QLabel* Label7 = nullptr;             // chosen file name, "Brak"
    QLabel* Image1 = nullptr;             // the chosen picture
    QLabel* Image2 = nullptr;             // the print view, twice as high
    TUpDown* UpDown2 = nullptr;           // contrast 0..255
    TUpDown* UpDown9 = nullptr;           // shift up/down
    TUpDown* UpDown10 = nullptr;          // shift left/right
    TUpDown* UpDown11 = nullptr;          // vertical zoom
    TUpDown* UpDown12 = nullptr;          // horizontal zoom
    TUpDown* UpDown1 = nullptr;           // both zooms
    QPushButton* Button1 = nullptr;       // "RESET"
    QLabel* LabelSzerokosc = nullptr;
    QLabel* LabelWysokosc = nullptr;
    QPushButton* BitBtn2 = nullptr;       // send header
    QPushButton* BitBtn1 = nullptr;       // send footer
    QPushButton* BitBtn8 = nullptr;       // delete header
    QPushButton* BitBtn3 = nullptr;       // delete footer
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label1 = nullptr;             // row being sent
    QPushButton* BitBtn6 = nullptr;       // "&Anuluj", hidden and disabled
    QLabel* Label8 = nullptr;             // "18.05"

    // ---- working state ----
    QString GraphicFileName;
    QImage SourceBitmap;                  // the picture as decoded
    MonoPicture ConvertedBitmap;          // fitted (and thresholded)
    MonoPicture PrintViewBitmap;          // as it will print: sent and saved
    GraphicRect GraphicDestRect;
    int GraphicWidth = 0;
    int GraphicHeight = 0;                // 0: nothing loaded
    bool GraphicLoaded = false;

    // ---- handlers ----
    void SpeedButton4Click();
    void SpeedButton1Click();
    void UpDown2Click(bool up);
    void UpDown9Click(bool up);
    void UpDown10Click(bool up);
    void UpDown11Click(bool up);
    void UpDown12Click(bool up);
    void UpDown1Click(bool up);
    void Button1Click();
    void BitBtn2Click();
    void BitBtn1Click();
    void BitBtn8Click();
    void BitBtn3Click();
    void BitBtn6Click();
    bool FormKeyDown(int key) override;
    void ApplyOffsets();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void StepControl(TUpDown* control, GraphicControl which, bool up);
    void SendGraphic(bool header);
    void DeleteGraphic(bool header);
    void SetTransferLock(bool locked);
    bool sending_ = false;
    FormInstance<TGrafikaNaglowek> instance_;
};

extern TGrafikaNaglowek* GrafikaNaglowek;
