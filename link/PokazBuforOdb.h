#pragma once
// Diagnostic view of the program's receive buffer, or of bytes read straight from the link, in
// hexadecimal, decimal or as characters.
#include "platform/Form.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTextEdit;

enum class BufferViewMode { Hex = 0, Decimal = 1, Char = 2 };

// Each byte up to the first zero byte, followed by one blank: two upper-case hexadecimal digits,
// the decimal value, or the byte as a code page 1250 character.
QString RenderBuffer(const uint8_t* bytes, std::size_t count, BufferViewMode mode);
QString RenderBuffer(const std::vector<uint8_t>& bytes, BufferViewMode mode);

class TPokazBuforOdb : public TForm {
    Q_OBJECT
public:
    explicit TPokazBuforOdb(QWidget* parent = nullptr);

    QTextEdit* RichEdit1 = nullptr;
    QGroupBox* RadioGroup1 = nullptr;  // "Sposób wyświetlania danych"
    QButtonGroup* RadioGroup1Items = nullptr;  // ids 0 "Szesnastkowo", 1 "Dziesiętnie", 2 "Char"
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    // The bytes being shown (4096, zero after the data).
    std::vector<uint8_t> DisplayBuffer;

    void FormShow() override;
    void Button1Click();
    void Button2Click();
    void RadioGroup1Click();

    // The selected item of RadioGroup1 (0..2), and selecting one.
    int RadioGroup1ItemIndex() const;
    void SetRadioGroup1ItemIndex(int index);

private:
    void Render();

    FormInstance<TPokazBuforOdb> instance_;
};

extern TPokazBuforOdb* PokazBuforOdb;
