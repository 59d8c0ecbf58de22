#include "export/WydrukKlawiatury.h"

#include "core/PdfOutput.h"
#include "platform/Printing.h"
#include "platform/Prompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

TWydrukKlawiatury* WydrukKlawiatury = nullptr;

namespace {

constexpr int CellSide = 49;
constexpr int CellPitch = 64;
constexpr int WideCell = 113;
constexpr int EditorSide = 177;

QFont ArialOf(int size, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(size);
    f.setBold(bold);
    return f;
}

QColor WindowTextColour() { return QApplication::palette().color(QPalette::WindowText); }

} // namespace

KeyShape::KeyShape(QWidget* parent) : QFrame(parent) {}

void KeyShape::SetBrush(const QColor& c)
{
    brush_ = c;
    update();
}

void KeyShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(Qt::black);
    p.setBrush(brush_);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void KeyShape::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && OnMouseDown)
        OnMouseDown();
}

void KeyShape::contextMenuEvent(QContextMenuEvent* event)
{
    if (OnContextMenu)
        OnContextMenu();
    event->accept();
}

TWydrukKlawiatury::TWydrukKlawiatury(QWidget* parent) : TForm(parent), instance_(WydrukKlawiatury, this)
{
    setWindowTitle(QStringLiteral("Wydruk klawiatury"));
    Label1 = new QLabel(QStringLiteral("Wydruk szablonu klawiatury"), this);
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSize(heading.pointSize() + 3);
    Label1->setFont(heading);
    Label2 = new QLabel(QStringLiteral("Podgląd:"), this);
    Label84 = new QLabel(QStringLiteral("Kliknij na klawisz, który chcesz edytować:"), this);

    auto* preview = new QWidget(this);
    preview->setFixedSize(4 * CellPitch + CellSide, 4 * CellPitch + CellSide);
    BuildPreview(preview);
    auto* editor = new QWidget(this);
    BuildEditor(editor);

    BitBtn5 = new QPushButton(this);
    BitBtn3 = new QPushButton(QStringLiteral("  &Drukuj szablon klawiatury"), this);
    for (QPushButton* b : {BitBtn5, BitBtn3})
        b->setAutoDefault(false);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(Label2);
    left->addWidget(Label84);
    left->addWidget(preview);
    left->addStretch(1);
    columns->addLayout(left);
    columns->addWidget(editor);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn5);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn3);
    auto* main = new QVBoxLayout(this);
    main->addWidget(Label1, 0, Qt::AlignHCenter);
    main->addLayout(columns);
    main->addLayout(buttons);

    connect(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    FormCreate();
}

void TWydrukKlawiatury::BuildPreview(QWidget* area)
{
    for (int key = 1; key <= KeyCount; ++key) {
        auto* cell = new KeyShape(area);
        const int width = key == 24 ? WideCell : CellSide;
        cell->setGeometry(KeyColumn(key) * CellPitch, KeyRow(key) * CellPitch, width, CellSide);
        cell->OnMouseDown = [this, key] { SelectKeyCell(key); };
        Shapes[std::size_t(key - 1)] = cell;
        const int tops[3] = {1, 14, 35};
        const int heights[3] = {13, 21, 13};
        for (int part = 0; part < 3; ++part) {
            auto* label = new QLabel(cell);
            label->setGeometry(0, tops[part], width, heights[part]);
            label->setAlignment(Qt::AlignCenter);
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            label->setFont(ArialOf(part == KeyMiddle ? 12 : 7));
            KeyLabels[std::size_t(key - 1)][std::size_t(part)] = label;
        }
    }
    Shapes[23]->OnContextMenu = [this] { Shape24ContextPopup(); };
}

void TWydrukKlawiatury::BuildEditor(QWidget* area)
{
    Shape25 = new KeyShape(area);
    Shape25->setFixedSize(EditorSide, EditorSide);
    Label76 = new QLabel(Shape25);
    Label75 = new QLabel(Shape25);
    Label77 = new QLabel(Shape25);
    Label6 = new QLabel(Shape25);
    editorLabels_ = {Label76, Label75, Label77};
    const int tops[3] = {8, 60, 130};
    const int sizes[3] = {14, 28, 14};
    for (int part = 0; part < 3; ++part) {
        QLabel* l = editorLabels_[std::size_t(part)];
        l->setGeometry(0, tops[part], EditorSide, part == KeyMiddle ? 56 : 36);
        l->setAlignment(Qt::AlignCenter);
        l->setFont(ArialOf(sizes[part]));
    }
    Label6->setGeometry(Label75->geometry());
    Label6->setAlignment(Qt::AlignCenter);
    QFont arrow(ArrowFontFamily());
    arrow.setPointSize(28);
    Label6->setFont(arrow);
    Label6->hide();
    for (QLabel* l : {Label76, Label75, Label77})
        l->installEventFilter(this);

    auto* colours = new QGridLayout;
    colours->addWidget(new QLabel(QStringLiteral("Kolor tekstu:")), 0, 0, 1, 2);
    const char* names[3] = {"Tekst górny", "Tekst środkowy", "Tekst dolny"};
    std::array<KeyShape*, 3> swatches{};
    for (int part = 0; part < 3; ++part) {
        auto* swatch = new KeyShape(area);
        swatch->setFixedSize(24, 24);
        swatches[std::size_t(part)] = swatch;
        colours->addWidget(swatch, part + 1, 0);
        colours->addWidget(new QLabel(QString::fromUtf8(names[part])), part + 1, 1);
    }
    Shape26 = swatches[0];
    Shape27 = swatches[1];
    Shape28 = swatches[2];
    Shape29 = new KeyShape(area);
    Shape29->setFixedSize(24, 24);
    colours->addWidget(new QLabel(QStringLiteral("Kolor tła:")), 4, 0, 1, 2);
    colours->addWidget(Shape29, 5, 0);
    Shape26->OnMouseDown = [this] { Shape26MouseDown(); };
    Shape27->OnMouseDown = [this] { Shape27MouseDown(); };
    Shape28->OnMouseDown = [this] { Shape28MouseDown(); };
    Shape29->OnMouseDown = [this] { Shape29MouseDown(); };

    Button1 = new QPushButton(QStringLiteral("Edytuj"), area);
    Button2 = new QPushButton(QStringLiteral("Edytuj"), area);
    Button3 = new QPushButton(QStringLiteral("Edytuj"), area);
    Label83 = new QLabel(area);
    Edit1 = new QLineEdit(area);
    Edit1->setMaxLength(10);
    BitBtn1 = new QPushButton(QStringLiteral("Ok"), area);
    BitBtn2 = new QPushButton(QStringLiteral("<-- Zatwierdź"), area);
    BitBtn2->hide();
    CheckBox1 = new QCheckBox(QStringLiteral("Zatwierdzaj automatycznie"), area);
    CheckBox1->setChecked(true);
    CheckBox1->hide();
    for (QPushButton* b : {Button1, Button2, Button3, BitBtn1, BitBtn2})
        b->setAutoDefault(false);

    auto* edits = new QVBoxLayout;
    edits->addWidget(Button1);
    edits->addWidget(Button2);
    edits->addWidget(Button3);
    edits->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(Shape25);
    top->addLayout(edits);
    top->addLayout(colours);
    auto* edit = new QHBoxLayout;
    edit->addWidget(Edit1, 1);
    edit->addWidget(BitBtn1);
    auto* box = new QVBoxLayout(area);
    box->addLayout(top);
    box->addWidget(Label83);
    box->addLayout(edit);
    box->addStretch(1);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void TWydrukKlawiatury::FormCreate()
{
    KeyTexts = DefaultKeyLegends();
    for (int key = 1; key <= KeyCount; ++key) {
        const KeyLegend& l = KeyTexts[std::size_t(key - 1)];
        const QString texts[3] = {l.Top, l.Middle, l.Bottom};
        for (int part = 0; part < 3; ++part) {
            QLabel* label = KeyLabels[std::size_t(key - 1)][std::size_t(part)];
            label->setText(texts[part]);
            FitPreviewLabel(label, part == KeyMiddle ? 12 : 7);
            SetLabelColour(label, WindowTextColour());
            previewColours_[std::size_t(key - 1)][std::size_t(part)] = WindowTextColour();
            KeyTextColours[std::size_t(key - 1)][std::size_t(part)] = QColor(Qt::black);
        }
        if (ArrowIndexOfKey(key) >= 0) {
            QLabel* middle = KeyLabels[std::size_t(key - 1)][KeyMiddle];
            QFont arrow(ArrowFontFamily());
            arrow.setPointSize(12);
            middle->setFont(arrow);
            middle->setText(ArrowGlyphOfKey(key));
            SetLabelColour(middle, Qt::black);
            KeyLabels[std::size_t(key - 1)][KeyBottom]->clear();
        }
    }
    ArrowGlyphColours.fill(QColor(Qt::black));
    KeyBackgroundColours.fill(QColor(Qt::white));
}

void TWydrukKlawiatury::FormShow()
{
    SelectedKey = 0;
    editedPart_ = -1;
    BitBtn2->setEnabled(false);
    Edit1->setEnabled(false);
    BitBtn1->setEnabled(false);
    for (KeyShape* s : {Shape25, Shape26, Shape27, Shape28, Shape29})
        s->SetBrush(Qt::white);
    for (int part = 0; part < 3; ++part) {
        editorLabels_[std::size_t(part)]->clear();
        editorColours_[std::size_t(part)] = Qt::black;
        SetLabelColour(editorLabels_[std::size_t(part)], Qt::black);
    }
    Label6->hide();
    Label75->show();
    BitBtn5->setText(QStringLiteral("Kopiuj kolory\nna wszystkie klawisze"));
    SnapshotKeyColours();
}

bool TWydrukKlawiatury::FormKeyDown(int key)
{
    if (key == Qt::Key_Escape) {
        close();
        return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && Edit1->hasFocus()) {
        BitBtn1Click();
        return true;
    }
    return false;
}

bool TWydrukKlawiatury::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress)
        for (int part = 0; part < 3; ++part)
            if (watched == editorLabels_[std::size_t(part)]) {
                StartEdit(part);
                return true;
            }
    return TForm::eventFilter(watched, event);
}

// The arrow glyphs are drawn in a font the system has: there is no font of ours to remove.
void TWydrukKlawiatury::FormDestroy() {}

void TWydrukKlawiatury::SetLabelColour(QLabel* label, const QColor& c)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, c);
    label->setPalette(p);
}

QColor TWydrukKlawiatury::PreviewTextColour(int key, int part) const
{
    return previewColours_[std::size_t(key - 1)][std::size_t(part)];
}

void TWydrukKlawiatury::LoadKeyIntoEditor(int key)
{
    const std::size_t k = std::size_t(key - 1);
    for (int part = 0; part < 3; ++part) {
        editorLabels_[std::size_t(part)]->setText(KeyLabels[k][std::size_t(part)]->text());
        editorColours_[std::size_t(part)] = previewColours_[k][std::size_t(part)];
    }
    const int arrow = ArrowIndexOfKey(key);
    if (arrow >= 0)
        editorColours_[KeyMiddle] = ArrowGlyphColours[std::size_t(arrow)];
    for (int part = 0; part < 3; ++part)
        SetLabelColour(editorLabels_[std::size_t(part)], editorColours_[std::size_t(part)]);
    Shape25->SetBrush(Shapes[k]->Brush());
    Shape29->SetBrush(Shapes[k]->Brush());
    Shape26->SetBrush(editorColours_[KeyTop]);
    Shape27->SetBrush(editorColours_[KeyMiddle]);
    Shape28->SetBrush(editorColours_[KeyBottom]);
}

void TWydrukKlawiatury::SelectKeyCell(int key)
{
    if (key < 1 || key > KeyCount)
        return;
    LoadKeyIntoEditor(key);
    const int arrow = ArrowIndexOfKey(key);
    Label6->setVisible(arrow >= 0);
    Label75->setVisible(arrow < 0);
    if (arrow >= 0) {
        Label6->setText(ArrowGlyphOfKey(key));
        SetLabelColour(Label6, ArrowGlyphColours[std::size_t(arrow)]);
    }
    SelectedKey = key;
}

void TWydrukKlawiatury::StartEdit(int part)
{
    static const char* what[3] = {"Edycja tekstu górnego:", "Edycja tekstu środkowego:", "Edycja tekstu dolnego:"};
    editedPart_ = part;
    Edit1->setEnabled(true);
    BitBtn1->setEnabled(true);
    Label83->setText(QString::fromUtf8(what[part]));
    Edit1->setFocus();
}

void TWydrukKlawiatury::Button1Click() { StartEdit(KeyTop); }
void TWydrukKlawiatury::Button2Click() { StartEdit(KeyMiddle); }
void TWydrukKlawiatury::Button3Click() { StartEdit(KeyBottom); }

void TWydrukKlawiatury::BitBtn1Click()
{
    if (editedPart_ < 0)
        return;
    editorLabels_[std::size_t(editedPart_)]->setText(Edit1->text());
    editedPart_ = -1;
    Label83->clear();
    Edit1->clear();
    Edit1->setEnabled(false);
    BitBtn1->setEnabled(false);
    if (CheckBox1->isChecked())
        BitBtn2Click();
}

void TWydrukKlawiatury::PickTextColour(int part, KeyShape* swatch)
{
    const QColor c = CurrentPrompts().Colour(swatch->Brush());
    if (!c.isValid())
        return;
    swatch->SetBrush(c);
    if (part < 0) {
        Shape25->SetBrush(c);
    } else {
        editorColours_[std::size_t(part)] = c;
        SetLabelColour(editorLabels_[std::size_t(part)], c);
    }
    if (part == KeyMiddle) {
        SetLabelColour(Label6, c);
        if (const int arrow = ArrowIndexOfKey(SelectedKey); arrow >= 0)
            ArrowGlyphColours[std::size_t(arrow)] = c;
    }
    if (CheckBox1->isChecked())
        BitBtn2Click();
}

void TWydrukKlawiatury::Shape26MouseDown() { PickTextColour(KeyTop, Shape26); }
void TWydrukKlawiatury::Shape27MouseDown() { PickTextColour(KeyMiddle, Shape27); }
void TWydrukKlawiatury::Shape28MouseDown() { PickTextColour(KeyBottom, Shape28); }
void TWydrukKlawiatury::Shape29MouseDown() { PickTextColour(-1, Shape29); }

void TWydrukKlawiatury::Shape24ContextPopup() { ShowMessage(QStringLiteral("click")); }

void TWydrukKlawiatury::FitPreviewLabel(QLabel* label, int startSize)
{
    QFont f = label->font();
    f.setPointSize(ShrinkFontSize(startSize, [&](int size) {
        f.setPointSize(size);
        return QFontMetrics(f).horizontalAdvance(label->text()) >= 50;
    }));
    label->setFont(f);
}

void TWydrukKlawiatury::ApplyEditorToKey(int key)
{
    const std::size_t k = std::size_t(key - 1);
    const int arrow = ArrowIndexOfKey(key);
    for (int part = 0; part < 3; ++part) {
        // An arrow key's preview keeps its arrow; only its top text changes.
        if (arrow >= 0 && part != KeyTop)
            continue;
        QLabel* label = KeyLabels[k][std::size_t(part)];
        label->setText(editorLabels_[std::size_t(part)]->text());
        FitPreviewLabel(label, part == KeyMiddle ? 12 : 7);
        previewColours_[k][std::size_t(part)] = editorColours_[std::size_t(part)];
        SetLabelColour(label, editorColours_[std::size_t(part)]);
    }
    KeyTexts[k] = {Label76->text(), Label75->text(), Label77->text()};
    Shapes[k]->SetBrush(Shape25->Brush());
    if (arrow >= 0) {
        ArrowGlyphColours[std::size_t(arrow)] = Shape27->Brush();
        SetLabelColour(KeyLabels[k][KeyMiddle], Shape27->Brush());
    }
}

void TWydrukKlawiatury::BitBtn2Click()
{
    if (SelectedKey != 0)
        ApplyEditorToKey(SelectedKey);
}

void TWydrukKlawiatury::BitBtn5Click()
{
    for (int key = 1; key <= KeyCount; ++key) {
        const std::size_t k = std::size_t(key - 1);
        for (int part = 0; part < 3; ++part) {
            previewColours_[k][std::size_t(part)] = editorColours_[std::size_t(part)];
            if (ArrowIndexOfKey(key) < 0 || part != KeyMiddle)
                SetLabelColour(KeyLabels[k][std::size_t(part)], editorColours_[std::size_t(part)]);
        }
        Shapes[k]->SetBrush(Shape25->Brush());
    }
    // The arrows take the editor's middle text colour, which the middle swatch shows once a key
    // or a colour was chosen (right after opening the swatch is white but the text black).
    for (int key : {4, 5, 10, 15}) {
        ArrowGlyphColours[std::size_t(ArrowIndexOfKey(key))] = editorColours_[KeyMiddle];
        SetLabelColour(KeyLabels[std::size_t(key - 1)][KeyMiddle], editorColours_[KeyMiddle]);
    }
}

void TWydrukKlawiatury::SnapshotKeyColours()
{
    for (int key = 1; key <= KeyCount; ++key)
        KeyBackgroundColours[std::size_t(key - 1)] = Shapes[std::size_t(key - 1)]->Brush();
}

void TWydrukKlawiatury::CollectKeyTextColours() { KeyTextColours = previewColours_; }

void TWydrukKlawiatury::BitBtn3Click()
{
    SnapshotKeyColours();
    QPrinter printer(QPrinter::HighResolution);
    PdfOutput pdf;
    if (!ChoosePrinter(printer, PdfOutputPath, this) || !pdf.Take(printer))
        return;
    CollectKeyTextColours();
    const KeyboardTemplateData data{KeyTexts, KeyTextColours, KeyBackgroundColours, ArrowGlyphColours};
    if (!PaintKeyboardTemplate(printer, data))
        ShowMessage(QStringLiteral("Brak drukarki."));
    else
        pdf.Finish();
}
