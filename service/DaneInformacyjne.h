#pragma once
// "Dane informacyjne kasy": reads the register's information record and shows every field.
// Nothing is stored and nothing is sent back.
#include "platform/Form.h"
#include "service/InfoRecordLogic.h"

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

class TDaneInformacyjne : public TForm {
    Q_OBJECT
public:
    explicit TDaneInformacyjne(QWidget* parent = nullptr);

    // ---- value labels, in the order of the record ----
    QLabel* Label25 = nullptr;  // "Wersja oprogramowania"
    QLabel* Label61 = nullptr;  // "Oznaczenie pamięci z programem pracy"
    QLabel* Label26 = nullptr;  // "Numer unikatowy"
    QLabel* Label27 = nullptr;  // "NIP"
    QLabel* Label28 = nullptr;  // "Sygnatura pamięci fiskalnej"
    QLabel* Label29 = nullptr;  // "Tryb pracy"
    QLabel* Label30 = nullptr;  // "Stan pamięci"
    QLabel* Label31 = nullptr;  // last fiscal-memory write
    QLabel* Label32 = nullptr;  // last daily report
    QLabel* Label33 = nullptr;  // "Numer raportu"
    QLabel* Label34 = nullptr;  // electronic-copy medium
    QLabel* Label35 = nullptr;  // RAM clears
    QLabel* Label36 = nullptr;  // receipts since the daily report
    QLabel* Label37 = nullptr;  // receipts since fiscalisation
    QLabel* Label38 = nullptr;  // "Sprzedaż rozpoczęta"
    QLabel* Label39 = nullptr;  // "Tryb serwisowy"
    QLabel* Label40 = nullptr;  // "Zaprogramowany nagłówek"
    QLabel* Label63 = nullptr;  // PTU rate writes
    QLabel* Label41 = nullptr;  // "Numer kasy"
    QLabel* Label42 = nullptr;  // logged-in cashier
    QLabel* Label44 = nullptr;  // record currency symbol
    QLabel* Label45 = nullptr;  // record currency programmed on
    QLabel* Label51 = nullptr;  // planned change
    QLabel* Label54 = nullptr;  // new symbol
    QLabel* Label56 = nullptr;  // date of the change
    QLabel* Label46 = nullptr;  // COM A
    QLabel* Label47 = nullptr;  // COM B
    QLabel* Label48 = nullptr;  // USB
    QLabel* Label66 = nullptr;  // WIFI
    QLabel* Label43 = nullptr;  // card size
    // The captions and values of the planned change, greyed when none is planned.
    QLabel* Label52 = nullptr;
    QLabel* Label53 = nullptr;
    QLabel* Label55 = nullptr;
    QLabel* Label57 = nullptr;
    QLabel* Label9 = nullptr;   // "Godzina i data wykonania": a click reads too
    QGroupBox* GroupBoxPorts = nullptr;     // "Porty wyjścia"
    QGroupBox* GroupBoxChange = nullptr;    // "Zmiana waluty ewidencyjnej"
    QPushButton* Button1 = nullptr;  // "Pobierz dane informacyjne"
    QPushButton* Button2 = nullptr;  // "Anuluj"
    QFrame* Panel7 = nullptr;        // "Czekaj..."

    // ---- handlers ----
    void FormCreate();
    void Button1Click();
    void Button2Click();
    bool FormKeyDown(int key) override;

    void ShowTexts(const InfoRecordTexts& t);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FormInstance<TDaneInformacyjne> instance_;
};

extern TDaneInformacyjne* DaneInformacyjne;
