#pragma once
// "Programowanie nowego pakietu ORVA RIVO": the commissioning checklist of a new register kit:
// port test, clock, unique number and key, header, record currency, PTU rates, training NIP,
// test goods and their deletion, each ticked when the register took it.
#include "platform/Form.h"
#include "service/CommissioningLogic.h"

#include <array>

class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;
class QTimer;

class TProgramowanieNowegoPakietu : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieNowegoPakietu(QWidget* parent = nullptr);

    // ---- controls ----
    QPushButton* BitBtn6 = nullptr;   // port test "Wykonaj"
    QLabel* Label20 = nullptr;        // USB
    QLabel* Label21 = nullptr;        // COM A
    QLabel* Label22 = nullptr;        // COM B
    QDateEdit* DateTimePicker1 = nullptr;
    QTimeEdit* DateTimePicker2 = nullptr;
    QPushButton* BitBtn2 = nullptr;   // clock
    QLineEdit* MaskEdit1 = nullptr;   // unique number
    QLineEdit* MaskEdit2 = nullptr;   // fiscal-memory key
    QPushButton* BitBtn12 = nullptr;  // key and unique number
    QPushButton* BitBtn8 = nullptr;   // unique number alone (hidden)
    QPushButton* BitBtn1 = nullptr;   // header
    QLineEdit* Edit1 = nullptr;       // record currency symbol
    QPushButton* BitBtn3 = nullptr;   // record currency
    QPushButton* BitBtn4 = nullptr;   // PTU rates
    QLineEdit* Edit2 = nullptr;       // training NIP
    QPushButton* BitBtn5 = nullptr;   // NIP
    QPushButton* BitBtn7 = nullptr;   // test goods
    QPushButton* BitBtn11 = nullptr;  // delete test goods
    QPushButton* Button1 = nullptr;   // "&Nowy pakiet"
    QPushButton* Button2 = nullptr;   // "KasujBaze" (hidden)
    QPushButton* BitBtn9 = nullptr;   // "spytaj o port" (hidden)
    QFrame* Panel7 = nullptr;         // "Czekaj..."
    QLabel* Label32 = nullptr;        // build date, hidden
    QTimer* Timer1 = nullptr;         // pickers, every second
    QTimer* Timer2 = nullptr;         // hides the build date
    // The ticks, by step: Image9, Image1, Image12, Image7, Image2, Image3, Image4, Image5, Image6, Image11.
    std::array<QLabel*, std::size_t(PackageStep::Count)> Ticks{};
    QLabel* Tick(PackageStep step) const { return Ticks[std::size_t(step)]; }
    bool TickShown(PackageStep step) const;

    // ---- handlers ----
    void FormShow() override;
    bool FormKeyDown(int key) override;
    void FormKeyPress(QChar key);
    void Timer1Timer();
    void Timer2Timer();
    void BitBtn6Click();
    void BitBtn2Click();
    void BitBtn12Click();
    void BitBtn8Click();
    void BitBtn1Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn7Click();
    void BitBtn11Click();
    void Button1Click();
    void Button2Click();
    void BitBtn9Click();
    void MaskEdit1Click();
    void MaskEdit2Click();

    void PackageStepDone();
    // The register port the PC reaches a register through (0 USB, 1 COM A, 2 COM B), its PC
    // port left open; 100 when no port answered (none left open).
    int QueryRegisterPort();

    QString UniqueNumberText() const;
    QString KeyText() const;

protected:
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowTick(PackageStep step);
    void ClearChecklist();
    // Reads a reply, waiting out a "printing" reply once.
    int ReadReply(int printingWaitMs);
    // The steps that count only an accepted reply, show the register's error and tick.
    void RunAckStep(PackageStep step, int printingWaitMs, const std::function<void()>& send, QWidget* next);
    void FailPortTest(const QString& message);
    // Shows the refusal when the text holds characters a frame cannot carry.
    static bool TextFitsFrame(const QString& text);
    FormInstance<TProgramowanieNowegoPakietu> instance_;
};

extern TProgramowanieNowegoPakietu* ProgramowanieNowegoPakietu;
