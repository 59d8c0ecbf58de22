#pragma once
// What the receipt header and footer windows share: the rich-text editor with its rules, the
// bold and alignment buttons, the rich-text files, and the store and send of the block.
#include "platform/Form.h"

#include <QString>
#include <cstdint>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;
class QToolButton;

struct ReceiptWindowKind {
    int MaxLines;
    bool RecentreCaretParagraph;   // the header re-centres the paragraph being edited
    QString OpenTitle;
    QString SaveTitle;
    QString Programmed;            // the message of an accepted send
    QString NotConfirmed;          // the message of a missing or damaged reply
};

class TReceiptEditorForm : public TForm {
    Q_OBJECT
public:
    TReceiptEditorForm(const ReceiptWindowKind& kind, const QString& caption, const QString& title,
                       QWidget* parent);

    QLabel* Label1 = nullptr;          // the window's title label
    QLabel* Ruler = nullptr;           // counts the 42 columns
    QTextEdit* RichEdit1 = nullptr;
    QToolButton* ToolButton1 = nullptr;   // bold
    QToolButton* OpenButton = nullptr;
    QToolButton* SaveButton = nullptr;
    QToolButton* ToolButton7 = nullptr;   // left (hidden)
    QToolButton* ToolButton8 = nullptr;   // centred (hidden)
    QToolButton* ToolButton9 = nullptr;   // right (hidden)
    QFrame* TallLinesPanel = nullptr;     // "LINIE WYSOKIE"
    std::vector<QCheckBox*> TallLine;     // "Linia 1".."Linia n"
    QCheckBox* CheckBox8 = nullptr;       // "Potwiedzenie z klawiatury kasy"
    QPushButton* BitBtn2 = nullptr;       // "&Wyślij do kasy"
    QPushButton* BitBtn3 = nullptr;       // "&Anuluj"
    QPushButton* Button1 = nullptr;       // store (hidden)
    QPushButton* Button3 = nullptr;       // "Wyslij na  COM" (hidden)
    QPushButton* Button4 = nullptr;       // "Zapisz i wyślij" (hidden)

    uint8_t ConfirmFlag = 0;

    void FormCreate();
    void ToolButton1Click();
    void RichEdit1Change();
    void CheckBox8Click();
    void BitBtn2Click();   // store, then send
    void BitBtn3Click();
    void Button1Click();   // store
    void Button3Click();   // send
    void AlignParagraph(Qt::Alignment alignment);
    void OpenRtfFile();
    void SaveRtfFile();

    // Builds the block from the editor and writes it into the image; false (with its message)
    // when nothing was written.
    bool StoreBlock();
    void SendBlock();

protected:
    virtual uint32_t BlockOffset() const = 0;
    // Sends the stored block with its builder.
    virtual void SendFrame() = 0;

private:
    void ApplyLineLimit();

    ReceiptWindowKind kind_;
    bool changing_ = false;
    QString lastText_;
};
