#pragma once
// "Kopiowanie bazy danych do kasy": every stored record of the chosen tables sent to the register.
#include "platform/Form.h"
#include "sync/CopyList.h"

#include <array>
#include <functional>

class QDialog;
class QPushButton;

class TKopiaDoKasy : public TForm {
    Q_OBJECT
public:
    explicit TKopiaDoKasy(QWidget* parent = nullptr);

    CopyListControls List;
    QPushButton* Button1 = nullptr;   // "OK"

    // The editor each list item opens on a double click (none where the item has no editor).
    std::array<std::function<QDialog*()>, 10> Editors;

    bool FormKeyDown(int key) override;
    void Button1Click();
    void CheckBox1Click();
    void CheckListBox1DblClick();
    bool Transferring() const { return transferring_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool transferring_ = false;
    FormInstance<TKopiaDoKasy> instance_;
};

extern TKopiaDoKasy* KopiaDoKasy;
