#pragma once
// "Programowane stopki": the receipt footer (three lines) in a rich-text editor, stored in the
// image and sent with the 'D' frame, which carries the confirmation flag.
#include "tables/ReceiptEditor.h"

class TProgramowanieStopki : public TReceiptEditorForm {
    Q_OBJECT
public:
    explicit TProgramowanieStopki(QWidget* parent = nullptr);

    QToolButton* ToolButton5 = nullptr;   // open a rich-text file
    QToolButton* ToolButton4 = nullptr;   // save to a rich-text file

    void ToolButton5Click() { OpenRtfFile(); }
    void ToolButton4Click() { SaveRtfFile(); }

protected:
    uint32_t BlockOffset() const override;
    void SendFrame() override;

private:
    FormInstance<TProgramowanieStopki> instance_;
};

extern TProgramowanieStopki* ProgramowanieStopki;
