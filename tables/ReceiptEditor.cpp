#include "tables/ReceiptEditor.h"

#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/DatabaseImage.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "platform/RegularFile.h"
#include "platform/Rtf.h"
#include "tables/ReceiptText.h"
#include "tables/SettingsLink.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString RtfFilter = QStringLiteral("Pliki tekstowe (*.rtf)|*.rtf;*.RTF");
const QString ClosedFile = QStringLiteral("     Plik zamknięty.     ");

QFont EditorFont()
{
    // Liberation Mono has Courier New's metrics, where Courier New itself is missing.
    QFont f;
    f.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSize(10);
    return f;
}

QString RulerText(int columns)
{
    QString s;
    for (int i = 1; i <= columns; ++i)
        s += QChar(u'0' + i % 10);
    return s;
}

QToolButton* ToolButton(QWidget* parent, const QString& hint, bool checkable)
{
    auto* b = new QToolButton(parent);
    b->setToolTip(hint);
    b->setCheckable(checkable);
    b->setAutoRaise(true);
    return b;
}

bool ImageWritable() { return DatabaseUsable() && DatabaseImage.Usable(); }

} // namespace

TReceiptEditorForm::TReceiptEditorForm(const ReceiptWindowKind& kind, const QString& caption, const QString& title,
                                       QWidget* parent)
    : TForm(parent), kind_(kind)
{
    setWindowTitle(caption);
    Label1 = new QLabel(title, this);
    Label1->setStyleSheet(QStringLiteral("font-size: 14pt; font-weight: bold;"));

    ToolButton1 = ToolButton(this, QStringLiteral("Tekst pogrubiony"), true);
    ToolButton1->setText(QStringLiteral("B"));
    ToolButton1->setStyleSheet(QStringLiteral("font-weight: bold;"));
    OpenButton = ToolButton(this, QString(), false);
    OpenButton->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    SaveButton = ToolButton(this, QString(), false);
    SaveButton->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    ToolButton7 = ToolButton(this, QStringLiteral("Wyrównanie do lewej"), true);
    ToolButton8 = ToolButton(this, QStringLiteral("Wyśrodkowanie"), true);
    ToolButton9 = ToolButton(this, QStringLiteral("Wyrównanie do prawej"), true);
    auto* alignGroup = new QButtonGroup(this);
    for (QToolButton* b : {ToolButton7, ToolButton8, ToolButton9}) {
        alignGroup->addButton(b);
        b->hide();
    }
    auto* tools = new QHBoxLayout;
    for (QToolButton* b : {OpenButton, SaveButton, ToolButton1, ToolButton7, ToolButton8, ToolButton9})
        tools->addWidget(b);
    tools->addStretch(1);

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    RichEdit1->setAcceptRichText(false);
    RichEdit1->setTabChangesFocus(true);
    RichEdit1->document()->setDefaultFont(EditorFont());
    RichEdit1->setFont(EditorFont());
    Ruler = new QLabel(RulerText(ReceiptLineWidth), this);
    Ruler->setFont(EditorFont());
    Ruler->setStyleSheet(QStringLiteral("color: gray;"));
    // The text area is as wide as the ruler's 42 columns and starts under its first one, so that
    // a centred or right-aligned line shows where it prints. The cursor gets its pixel at the end.
    const QFontMetrics metrics(EditorFont());
    const int inset = RichEdit1->frameWidth() + int(RichEdit1->document()->documentMargin());
    RichEdit1->setFixedWidth(metrics.horizontalAdvance(RulerText(ReceiptLineWidth)) + 2 * inset +
                             RichEdit1->cursorWidth());
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setFixedHeight(metrics.lineSpacing() * 2 * kind.MaxLines + 20);
    Ruler->setIndent(inset);

    TallLinesPanel = new QFrame(this);
    auto* tallLayout = new QHBoxLayout(TallLinesPanel);
    tallLayout->setContentsMargins(0, 0, 0, 0);
    auto* tallTitle = new QLabel(QStringLiteral("LINIE WYSOKIE"), TallLinesPanel);
    tallTitle->setToolTip(QStringLiteral("Zaznacz linie, które mają byc wysokie"));
    tallLayout->addWidget(tallTitle);
    for (int i = 1; i <= kind.MaxLines; ++i) {
        auto* c = new QCheckBox(QStringLiteral("Linia %1").arg(i), TallLinesPanel);
        TallLine.push_back(c);
        tallLayout->addWidget(c);
    }
    tallLayout->addStretch(1);
    CheckBox8 = new QCheckBox(QStringLiteral("Potwiedzenie z klawiatury kasy"), this);

    BitBtn2 = new QPushButton(QStringLiteral("&Wyślij do kasy"), this);
    BitBtn3 = new QPushButton(QStringLiteral("&Anuluj"), this);
    Button1 = new QPushButton(QStringLiteral("&Zapisz"), this);
    Button3 = new QPushButton(QStringLiteral("Wyslij na  COM"), this);
    Button4 = new QPushButton(QStringLiteral("Zapisz i wyślij"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CheckBox8);
    buttons->addStretch(1);
    for (QPushButton* b : {Button1, Button3, Button4, BitBtn2, BitBtn3}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    for (QPushButton* b : {Button1, Button3, Button4})
        b->hide();

    auto* main = new QVBoxLayout(this);
    main->addWidget(Label1);
    main->addLayout(tools);
    main->addWidget(Ruler);
    main->addWidget(RichEdit1);
    main->addWidget(TallLinesPanel);
    main->addLayout(buttons);

    connect(ToolButton1, &QToolButton::clicked, this, [this] { ToolButton1Click(); });
    connect(OpenButton, &QToolButton::clicked, this, [this] { OpenRtfFile(); });
    connect(SaveButton, &QToolButton::clicked, this, [this] { SaveRtfFile(); });
    connect(ToolButton7, &QToolButton::clicked, this, [this] { AlignParagraph(Qt::AlignLeft); });
    connect(ToolButton8, &QToolButton::clicked, this, [this] { AlignParagraph(Qt::AlignHCenter); });
    connect(ToolButton9, &QToolButton::clicked, this, [this] { AlignParagraph(Qt::AlignRight); });
    connect(RichEdit1, &QTextEdit::textChanged, this, [this] { RichEdit1Change(); });
    connect(RichEdit1, &QTextEdit::currentCharFormatChanged, this,
            [this](const QTextCharFormat& f) { ToolButton1->setChecked(f.fontPointSize() == 20); });
    connect(CheckBox8, &QCheckBox::clicked, this, [this] { CheckBox8Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    FormCreate();
}

void TReceiptEditorForm::FormCreate() { RichEdit1->setAlignment(Qt::AlignHCenter); }

void TReceiptEditorForm::BitBtn3Click() { close(); }

void TReceiptEditorForm::CheckBox8Click() { ConfirmFlag = CheckBox8->isChecked() ? 1 : 0; }

void TReceiptEditorForm::ToolButton1Click()
{
    QTextCharFormat f;
    f.setFontPointSize(ToolButton1->isChecked() ? 20 : 10);
    RichEdit1->mergeCurrentCharFormat(f);
}

void TReceiptEditorForm::AlignParagraph(Qt::Alignment alignment)
{
    RichEdit1->setAlignment(alignment);
    ToolButton7->setChecked(alignment == Qt::AlignLeft);
    ToolButton8->setChecked(alignment == Qt::AlignHCenter);
    ToolButton9->setChecked(alignment == Qt::AlignRight);
}

void TReceiptEditorForm::RichEdit1Change()
{
    // Only a change of the text runs the rules: a change of alignment alone is no edit.
    if (changing_ || RichEdit1->document()->toRawText() == lastText_)
        return;
    changing_ = true;
    QTextDocument* doc = RichEdit1->document();
    // One paragraph is one printed line: Shift+Enter and pasted breaks start a paragraph.
    for (QChar separator : {QChar(QChar::LineSeparator), QChar(u'\v')}) {
        for (QTextCursor c = doc->find(QString(separator)); !c.isNull(); c = doc->find(QString(separator), c)) {
            c.removeSelectedText();
            c.insertBlock();
        }
    }
    if (kind_.RecentreCaretParagraph)
        RichEdit1->setAlignment(Qt::AlignHCenter);
    ApplyLineLimit();
    lastText_ = RichEdit1->document()->toRawText();
    changing_ = false;
}

void TReceiptEditorForm::ApplyLineLimit()
{
    QTextDocument* doc = RichEdit1->document();
    if (doc->blockCount() <= kind_.MaxLines)
        return;
    const QTextBlock last = doc->findBlockByNumber(kind_.MaxLines - 1);
    QTextCursor c(doc);
    c.setPosition(last.position() + last.length() - 1);
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    c.removeSelectedText();
}

void TReceiptEditorForm::OpenRtfFile()
{
    const QString path = CurrentPrompts().OpenFileName(kind_.OpenTitle, RtfFilter, QString());
    if (path.isEmpty())
        return;
    const QString refused = QStringLiteral("Nie mogę otworzyc pliku") + path + QStringLiteral(".");
    QFile file;
    if (!OpenRegularFile(file, path)) {
        ShowMessage(refused);
        return;
    }
    // One byte past the bound is enough to know the file is too large.
    const QByteArray bytes = file.read(RtfMaxBytes + 1);
    changing_ = true;
    const RtfRead result = file.error() == QFileDevice::NoError ? ReadRtf(bytes, *RichEdit1->document())
                                                                 : RtfRead::NotRtf;
    if (result == RtfRead::Ok) {
        ApplyLineLimit();   // a loaded paragraph keeps its alignment until it is edited
        lastText_ = RichEdit1->document()->toRawText();
    }
    changing_ = false;
    if (result != RtfRead::Ok)
        ShowMessage(refused);
}

void TReceiptEditorForm::SaveRtfFile()
{
    QString path = CurrentPrompts().SaveFileName(kind_.SaveTitle, RtfFilter, QString());
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".rtf");
    if (!ConfirmOverwrite(path, QStringLiteral(" już istnieje.Kontynuować? ")))
        return;
    SaveWholeFile(path, WriteRtf(*RichEdit1->document()));
}

bool TReceiptEditorForm::StoreBlock()
{
    if (!ImageWritable()) {
        ShowMessage(ClosedFile);
        return false;
    }
    std::vector<bool> tall;
    for (QCheckBox* c : TallLine)
        tall.push_back(c->isChecked());
    const ReceiptBlock block = BuildReceiptBlock(ReceiptParagraphsOf(*RichEdit1->document()), kind_.MaxLines, tall);
    if (!block.Refusal.isEmpty()) {
        ShowMessage(block.Refusal);
        return false;
    }
    DbWriteBytesAt(BlockOffset(), block.Bytes.data(), block.Bytes.size());
    if (!DatabaseImage.Usable()) {
        ShowMessage(ClosedFile);
        return false;
    }
    MarkDatabaseModified();
    return true;
}

void TReceiptEditorForm::SendBlock()
{
    // The frame carries what the image holds: none from an image that is not usable.
    if (!ImageWritable()) {
        ShowMessage(ClosedFile);
        return;
    }
    DrainInput();
    SendFrame();
    switch (const int result = ReceiveAckWaitingOutPrinting()) {
    case AckAccepted:
    case AckDone: ShowMessage(kind_.Programmed); break;
    case AckStatus1: ShowMessage(QStringLiteral("Ramka niepoprawna.")); break;
    case AckStatus2: ShowMessage(QStringLiteral("Błąd kolejnosci ramek.")); break;
    case AckErrorFrame: ShowRegisterError(Link.ReceiveBuffer[8]); break;
    case AckBadReply: ShowMessage(kind_.NotConfirmed); break;
    default: (void)result; break;
    }
}

void TReceiptEditorForm::Button1Click() { StoreBlock(); }

void TReceiptEditorForm::Button3Click() { SendBlock(); }

void TReceiptEditorForm::BitBtn2Click()
{
    if (StoreBlock())
        SendBlock();
}
