#pragma once
// The two-pane window of a small table: the image's records on the left, the register's on the
// right. The five tables share it; each is a thin class that names its table.
#include "platform/Form.h"
#include "sync/SmallTableSync.h"
#include "sync/TableRead.h"

#include <vector>

class QCheckBox;
class QLabel;
class CheckListBox;
class QPushButton;

class TSmallTableSyncWindow : public TForm {
    Q_OBJECT
public:
    TSmallTableSyncWindow(const SmallTableMember& member, QWidget* parent);

    QLabel* Label1 = nullptr;              // "Baza" / "Baza PC"
    QLabel* Label2 = nullptr;              // "Kasa"
    CheckListBox* CheckListBox1 = nullptr;  // the image's records
    CheckListBox* CheckListBox2 = nullptr;  // the register's records
    QPushButton* BitBtn2 = nullptr;        // copy ticked PC records to the register
    QPushButton* BitBtn4 = nullptr;        // copy ticked register records to the PC
    QPushButton* BitBtn6 = nullptr;        // "&Odśwież"
    QPushButton* BitBtn8 = nullptr;        // delete ticked register records
    QPushButton* BitBtn9 = nullptr;        // tick all of the PC list
    QPushButton* BitBtn1 = nullptr;        // tick all of the register list
    QCheckBox* CheckBox1 = nullptr;        // confirmation on the register keyboard
    QLabel* Panel7 = nullptr;              // "Czekaj..."
    std::vector<QLabel*> DetailCaptions;
    std::vector<QLabel*> DetailValues;

    uint8_t ConfirmFlag = 0;
    const RegisterTableMirror& Mirror() const { return mirror_; }
    bool Transferring() const { return transferring_; }

    void FormShow() override;
    bool FormKeyDown(int key) override;
    void CheckBox1Click();
    void CheckListBox1Click();
    void CheckListBox2Click();
    void BitBtn9Click();
    void BitBtn1Click();
    void BitBtn6Click();   // read the register's table
    void BitBtn2Click();   // send ticked PC records
    void BitBtn4Click();   // copy ticked register records into the image
    void BitBtn8Click();   // delete ticked register records on the register

    void FillPcList();
    void FillRegisterList();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CzekajON();
    void CzekajOFF();
    void ClearDetails();
    void ReadRegisterTable();

    const SmallTableMember& member_;
    RegisterTableMirror mirror_;
    bool transferring_ = false;
};
