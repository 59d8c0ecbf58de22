#pragma once
// "Ściąganie sprzedaży": downloads the per-goods sales totals, lists them, exports them to CSV
// and clears the sales on the register.
#include "service/ReadoutWindow.h"
#include "service/SalesLogic.h"

class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

class TSciaganieSprzedazy : public TReadoutWindow {
    Q_OBJECT
public:
    explicit TSciaganieSprzedazy(QWidget* parent = nullptr);

    QListWidget* ListBox1 = nullptr;
    QPushButton* BitBtn1 = nullptr;  // "Ściągnij &sprzedaż"
    QPushButton* BitBtn2 = nullptr;  // "&Kasuj sprzedaż"
    QPushButton* BitBtn4 = nullptr;  // "Eksportuj do CSV"
    QPushButton* BitBtn3 = nullptr;  // "&Anuluj"
    QCheckBox* CheckBox1 = nullptr;  // "Ściągaj tylko niezerowe rekordy"
    QFrame* Panel3 = nullptr;        // shown during the download
    QLabel* Label27 = nullptr;       // received count
    QPushButton* Button3 = nullptr;  // "Anuluj" on the panel
    QString SaveDialog1Filter = QStringLiteral("Pliki CSV (*.csv)|*.csv");

    // The last download; it lives as long as the window.
    class SalesTable SalesTable;

    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn4Click();
    void BitBtn3Click();
    void Button3Click();
    void FillList();

private:
    FormInstance<TSciaganieSprzedazy> instance_;
    bool partial_ = false;   // the last download ended before the register's last record
};

extern TSciaganieSprzedazy* SciaganieSprzedazy;
