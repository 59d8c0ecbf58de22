#pragma once
// "Pobieranie Ekranu": reads the register's display as a monochrome bitmap, shows it zoomed and
// saves it as a BMP file.
#include "service/ReadoutLogic.h"
#include "service/ReadoutWindow.h"

#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

class TPobieranieEkranu : public TReadoutWindow {
    Q_OBJECT
public:
    explicit TPobieranieEkranu(QWidget* parent = nullptr);

    QPushButton* BitBtn2 = nullptr;  // "ODCZYTAJ"
    QPushButton* BitBtn1 = nullptr;  // "      ZAPISZ             "
    QPushButton* BitBtn3 = nullptr;  // "&Anuluj"
    QCheckBox* CheckBox2 = nullptr;  // "Negatyw"
    QCheckBox* CheckBox1 = nullptr;  // "Rozmiar MAX"
    QPushButton* Button3 = nullptr;  // "-"
    QPushButton* Button4 = nullptr;  // "+"
    QFrame* Shape1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label4 = nullptr;        // status
    QLabel* Label5 = nullptr;        // "BRAK"

    // The last screen read, as shown; set when read and not yet saved.
    std::array<uint8_t, ScreenBitmapSize> Screen{};
    bool ScreenRead = false;
    ScreenZoom Zoom;

    void BitBtn2Click();
    void BitBtn1Click();
    void BitBtn3Click();
    void CheckBox1Click();
    void Button3Click();
    void Button4Click();

private:
    void ApplyZoom();
    void ShowPicture(bool shown);
    FormInstance<TPobieranieEkranu> instance_;
};

extern TPobieranieEkranu* PobieranieEkranu;
