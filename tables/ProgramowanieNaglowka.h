#pragma once
// "Edycja nagłówka": the receipt header (six lines) in a rich-text editor, stored in the image
// and sent with the 'N' frame.
#include "tables/ReceiptEditor.h"

class TProgramowanieNaglowka : public TReceiptEditorForm {
    Q_OBJECT
public:
    explicit TProgramowanieNaglowka(QWidget* parent = nullptr);

    QToolButton* ToolButton4 = nullptr;   // open a rich-text file
    QToolButton* ToolButton6 = nullptr;   // save to a rich-text file

    void ToolButton4Click() { OpenRtfFile(); }
    void ToolButton6Click() { SaveRtfFile(); }

protected:
    uint32_t BlockOffset() const override;
    void SendFrame() override;

private:
    FormInstance<TProgramowanieNaglowka> instance_;
};

extern TProgramowanieNaglowka* ProgramowanieNaglowka;
