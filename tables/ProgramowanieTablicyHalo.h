#pragma once
// "Programowanie tablicy HALO": the nine HALO amounts of the image, sent with the 'L' frame.
#include "platform/Form.h"

#include <array>
#include <cstdint>

class QLineEdit;
class QPushButton;

class TProgramowanieTablicyHalo : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieTablicyHalo(QWidget* parent = nullptr);

    std::array<QLineEdit*, 9> Edit{};   // entries "1".."9"
    QPushButton* BitBtn4 = nullptr;     // "     &Zapisz w bazie PC"
    QPushButton* BitBtn2 = nullptr;     // "Zapisz i &wyślij do kasy"
    QPushButton* BitBtn3 = nullptr;     // "&Anuluj"

    // The ten words as read when the window was shown (word 0 is written back as it was).
    std::array<uint32_t, 10> Words{};

    void FormShow() override;
    // Esc closes; Enter stores.
    bool FormKeyDown(int key) override;
    // Store; false (with its message) when nothing was written.
    bool BitBtn4Click();
    void BitBtn2Click();
    void BitBtn3Click();

private:
    FormInstance<TProgramowanieTablicyHalo> instance_;
};

extern TProgramowanieTablicyHalo* ProgramowanieTablicyHalo;
