#pragma once
// "Odczyt kopii elektronicznej": asks the register for part of its electronic copy; printed on
// the register, or streamed to the PC as text into the memo, which can be saved.
#include "service/CopyStream.h"
#include "service/ReadoutWindow.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimeEdit;
class QToolButton;

class TOdczytKopii : public TReadoutWindow {
    Q_OBJECT
public:
    explicit TOdczytKopii(QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    // "Według numerów"
    QLineEdit* Edit1 = nullptr;  // first report
    QLineEdit* Edit2 = nullptr;  // last report
    QLineEdit* Edit3 = nullptr;  // first receipt
    QLineEdit* Edit4 = nullptr;  // last receipt
    QComboBox* ComboBox1 = nullptr;  // "Zakres"
    QComboBox* ComboBox2 = nullptr;  // "Obsługa kopii"
    QLineEdit* Edit5 = nullptr;  // "Odczytano bajtów"
    // "Według dat"
    QDateEdit* DateTimePicker1 = nullptr;
    QDateEdit* DateTimePicker2 = nullptr;
    QTimeEdit* DateTimePicker3 = nullptr;
    QTimeEdit* DateTimePicker4 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    // "Pamięć podręczna"
    QComboBox* ComboBox5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    // "Ostatni paragon"
    QComboBox* ComboBox6 = nullptr;

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* BitBtn1 = nullptr;      // "Odczytaj"
    QToolButton* SpeedButton1 = nullptr; // save the memo
    QPushButton* Button1 = nullptr;      // "Wyjdź"
    QLabel* StaticText1 = nullptr;       // "02.09"

    // How long the stream may stay silent before the reception ends.
    int SilenceMs = 10000;
    // The most one read takes; more waiting at once overflows the reception.
    std::size_t InputBufferSize = CopyInputBufferSize;

    void BitBtn1Click();
    void SpeedButton1Click();
    void Button1Click();
    // Receives the stream of n documents into the memo.
    void CzytajDane(int n);

private:
    void AppendToMemo(const std::string& text);
    FormInstance<TOdczytKopii> instance_;
};

extern TOdczytKopii* OdczytKopii;
