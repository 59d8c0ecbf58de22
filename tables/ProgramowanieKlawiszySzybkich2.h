#pragma once
// "Programowanie klawiszy szybkich": the quick keys of a cashier, built by dragging goods from the
// PC goods base onto a key's list and off it onto the waste bin, and sent to the register.
#include "platform/Form.h"

#include <QListWidget>
#include <array>
#include <cstdint>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

// A list that starts drags of its own lines and tells the window when a drag starts and ends;
// the window decides what the drop means.
class QuickKeyDragList : public QListWidget {
public:
    explicit QuickKeyDragList(QWidget* parent = nullptr);
    std::function<void()> OnStartDrag;
    // dropped: false when the drag ended outside the window or was cancelled.
    std::function<void(bool dropped)> OnEndDrag;
    // The mime format of the window's own drags; drops of anything else are refused.
    static const char* const MimeType;

protected:
    void startDrag(Qt::DropActions supportedActions) override;
};

class TProgramowanieKlawiszySzybkich2 : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieKlawiszySzybkich2(QWidget* parent = nullptr);

    // ---- controls ----
    QWidget* Body = nullptr;                 // every control but the wait panel (disabled while sending)
    QuickKeyDragList* ListBox1 = nullptr;    // "Baza towarowa PC"
    QComboBox* ComboBox1 = nullptr;          // "Kasjer:"
    QLineEdit* Edit1 = nullptr;              // "Dodawana ilość:"
    std::array<QuickKeyDragList*, 10> ListBoxF{};          // ListBoxF1..ListBoxF10
    std::array<QCheckBox*, 10> KonczenieParagonuF{};       // KonczenieParagonuF1..F10
    QLabel* Image1 = nullptr;                // waste bin
    QPushButton* BitBtn1 = nullptr;          // "&Wyślij do kasy wszystkie klawisze"
    QFrame* Panel7 = nullptr;                // "Czekaj..."
    QMenu* PopupMenu1 = nullptr;
    QAction* Drukujwybranyklawisz1 = nullptr;   // "Wyślij do kasy"

    // ---- window state ----
    int DragSource = 0;       // 0 goods list, 1..10 a key list
    int DropTarget = 0;       // 0 none, 1..10 a key list, 100 the waste bin
    uint16_t DraggedPlu = 0;  // goods dragged from the goods list; 0 none
    int DraggedLine = 0;      // entry 1..5 of the key line dragged; 0 none
    int PopupKey = 0;         // key whose list was right-clicked

    // ---- handlers ----
    void FormShow() override;
    // Esc closes the window, or stops a send after the current key.
    bool FormKeyDown(int key) override;
    void ComboBox1Change();
    void ListBox1StartDrag();
    void ListBox1EndDrag();                 // add the dragged goods to the target key
    // The handlers of ListBoxF1..ListBoxF10 and KonczenieParagonuF1..F10, for key n.
    void ListBoxFStartDrag(int n);
    void ListBoxFDragOver(int n);
    void ListBoxFEndDrag(int n);
    void ListBoxFMouseDown(int n, Qt::MouseButton button, const QPoint& globalPos);
    void KonczenieParagonuFClick(int n);
    void Image1DragOver();
    void FormDragOver();
    void MoveQuickKeyEntry(int n);          // remove the dragged entry when it went to the bin
    void BitBtn1Click();                    // send the ten keys of the chosen cashier
    void Drukujwybranyklawisz1Click();      // send the right-clicked key

    void LoadQuickKeyLists();
    void ValidateQuickKeyTable(int cashier, int key);
    int ChosenCashier() const;
    bool Sending() const { return sending_; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Accepts a drag event of this window's own drags; false (ignored) for any other.
    bool AcceptOwnDrag(QEvent* event);
    bool CanSend();
    int SendKeyAndReadAck(int key, uint16_t frameNumber);
    void SetSending(bool sending);

    bool sending_ = false;
    FormInstance<TProgramowanieKlawiszySzybkich2> instance_;
};

extern TProgramowanieKlawiszySzybkich2* ProgramowanieKlawiszySzybkich2;
