#pragma once
// "Podgląd bazy kasjerów": the PC cashiers beside the register's, with the register's counters
// and login data; copies either way and deletes on the register.
#include "platform/Form.h"
#include "sync/TableRead.h"

#include <QString>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

class CheckListBox;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
struct CashierDetails;

class TSynchronizacjaBazyKasjerow : public TForm {
    Q_OBJECT
public:
    explicit TSynchronizacjaBazyKasjerow(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;                // "Baza kasjerów PC"
    QLabel* Label2 = nullptr;                // "Baza kasjerów Orva Tepo"
    CheckListBox* CheckListBox1 = nullptr;   // PC cashiers
    CheckListBox* CheckListBox2 = nullptr;   // register cashiers
    QPushButton* BitBtn2 = nullptr;          // copy ticked PC cashiers to the register
    QPushButton* BitBtn4 = nullptr;          // copy ticked register cashiers to the PC
    QPushButton* BitBtn8 = nullptr;          // "Usuń" on the register
    QPushButton* BitBtn6 = nullptr;          // "&Odśwież"
    QPushButton* BitBtn9 = nullptr;          // tick all, PC pane
    QPushButton* BitBtn1 = nullptr;          // tick all, register pane
    QPushButton* Button6 = nullptr;          // "Pokaż hasło" / "Ukryj hasło"
    QCheckBox* CheckBox1 = nullptr;          // confirm on the register's keyboard
    QFrame* Panel7 = nullptr;                // "Czekaj..."
    // details of the clicked cashier
    QLabel* DetailName = nullptr;
    QLabel* DetailPassword = nullptr;        // shown only while "Ukryj hasło" is up
    std::array<QLabel*, 7> RightCaptions{};
    std::array<QLabel*, 7> RightValues{};
    QLabel* DetailCashTakings = nullptr;
    QLabel* DetailTotalTakings = nullptr;
    QLabel* DetailReceiptsIssued = nullptr;
    QLabel* DetailReceiptsCancelled = nullptr;
    QLabel* DetailCancelledAmount = nullptr;
    QLabel* DetailStornoCount = nullptr;
    QLabel* DetailStornoAmount = nullptr;
    QLabel* DetailPayIns = nullptr;
    QLabel* DetailPayOuts = nullptr;
    QLabel* DetailPackagingsTaken = nullptr;
    QLabel* DetailPackagingsIssued = nullptr;
    QLabel* DetailLastLogin = nullptr;
    QLabel* DetailLastLogout = nullptr;
    QLabel* DetailWorkTime = nullptr;
    QLabel* LoggedInLabel = nullptr;         // "KASJER ZALOGOWANY!"

    // The register's cashiers as last read, slots 1..20.
    RegisterTableMirror RegisterCashierMirror;
    // Sent in every program frame: 1 makes the register ask on its own keyboard.
    uint8_t ConfirmFlag = 0;

    void FormShow() override;
    // Esc closes the window, or while a transfer runs stops it.
    bool FormKeyDown(int key) override;
    void BitBtn6Click();
    void BitBtn2Click();
    void BitBtn4Click();
    void BitBtn8Click();
    void BitBtn9Click();
    void BitBtn1Click();
    void Button6Click();
    void CheckBox1Click();
    void CheckListBox1Click();
    void CheckListBox2Click();
    void CzekajON();
    void CzekajOFF();

    bool Transferring() const { return transferring_; }
    void FillPcPane();
    void FillRegisterPane();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowDetails(const CashierDetails& d, bool registerSide);
    bool transferring_ = false;
    std::vector<std::pair<QWidget*, bool>> lockedControls_;
    FormInstance<TSynchronizacjaBazyKasjerow> instance_;
};

extern TSynchronizacjaBazyKasjerow* SynchronizacjaBazyKasjerow;
