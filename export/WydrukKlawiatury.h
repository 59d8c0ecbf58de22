#pragma once
// "Wydruk klawiatury": three legends and colours on each of the 24 keys, previewed at screen
// size and printed as a cut-out template at true size. Nothing is stored beyond the window.
#include "export/KeyboardTemplate.h"
#include "platform/Form.h"

#include <QColor>
#include <QFrame>
#include <QString>
#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// A filled rectangle (the other framework's shape) that reports mouse presses.
class KeyShape : public QFrame {
    Q_OBJECT
public:
    explicit KeyShape(QWidget* parent = nullptr);
    QColor Brush() const { return brush_; }
    void SetBrush(const QColor& c);
    std::function<void()> OnMouseDown;
    std::function<void()> OnContextMenu;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QColor brush_ = Qt::white;
};

class TWydrukKlawiatury : public TForm {
    Q_OBJECT
public:
    explicit TWydrukKlawiatury(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;    // "Wydruk szablonu klawiatury"
    QLabel* Label2 = nullptr;    // "Podgląd:"
    QLabel* Label84 = nullptr;   // "Kliknij na klawisz, który chcesz edytować:"
    std::array<KeyShape*, KeyCount> Shapes{};                      // Shape1..Shape24
    std::array<std::array<QLabel*, 3>, KeyCount> KeyLabels{};      // top, middle, bottom of each key
    KeyShape* Shape25 = nullptr;   // the editor
    QLabel* Label76 = nullptr;     // editor top text
    QLabel* Label75 = nullptr;     // editor middle text
    QLabel* Label77 = nullptr;     // editor bottom text
    QLabel* Label6 = nullptr;      // the arrow in Label75's place
    KeyShape* Shape26 = nullptr;   // top text colour
    KeyShape* Shape27 = nullptr;   // middle text colour
    KeyShape* Shape28 = nullptr;   // bottom text colour
    KeyShape* Shape29 = nullptr;   // background colour
    QPushButton* Button1 = nullptr;   // "Edytuj" top
    QPushButton* Button2 = nullptr;   // "Edytuj" middle
    QPushButton* Button3 = nullptr;   // "Edytuj" bottom
    QLabel* Label83 = nullptr;        // what is being edited
    QLineEdit* Edit1 = nullptr;
    QPushButton* BitBtn1 = nullptr;   // "Ok"
    QPushButton* BitBtn2 = nullptr;   // "<-- Zatwierdź" (hidden)
    QCheckBox* CheckBox1 = nullptr;   // "Zatwierdzaj automatycznie" (hidden, ticked)
    QPushButton* BitBtn5 = nullptr;   // "Kopiuj kolory"
    QPushButton* BitBtn3 = nullptr;   // "  &Drukuj szablon klawiatury"

    // What the printout reads (index key - 1).
    std::array<KeyLegend, KeyCount> KeyTexts;
    std::array<std::array<QColor, 3>, KeyCount> KeyTextColours;
    std::array<QColor, KeyCount> KeyBackgroundColours;
    std::array<QColor, 4> ArrowGlyphColours;
    int SelectedKey = 0;
    // When set, the template goes to this PDF file (600 dpi) without the print dialog.
    QString PdfOutputPath;

    void FormCreate();
    void FormShow() override;
    bool FormKeyDown(int key) override;
    void FormDestroy();
    void SelectKeyCell(int key);
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn5Click();
    void BitBtn3Click();
    void Shape26MouseDown();
    void Shape27MouseDown();
    void Shape28MouseDown();
    void Shape29MouseDown();
    void Shape24ContextPopup();

    void SnapshotKeyColours();
    void CollectKeyTextColours();
    void ApplyEditorToKey(int key);
    // The colour a preview label of key 1..24 shows its text in.
    QColor PreviewTextColour(int key, int part) const;

protected:
    // A click on a text of the editor edits that text.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPreview(QWidget* area);
    void BuildEditor(QWidget* area);
    void StartEdit(int part);
    void PickTextColour(int part, KeyShape* swatch);
    void SetLabelColour(QLabel* label, const QColor& c);
    void LoadKeyIntoEditor(int key);
    void FitPreviewLabel(QLabel* label, int startSize);

    std::array<QLabel*, 3> editorLabels_{};
    std::array<QColor, 3> editorColours_;
    std::array<std::array<QColor, 3>, KeyCount> previewColours_;
    int editedPart_ = -1;
    FormInstance<TWydrukKlawiatury> instance_;
};

extern TWydrukKlawiatury* WydrukKlawiatury;
