#pragma once
// The main window: owns the start-up of the application state, the database file commands,
// the link settings and the automatic connection, and shows the status panel.
#include "platform/Form.h"

#include <QMainWindow>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QAction;
class QDialog;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolButton;
class QTreeWidget;

// One item of a task tree: its text, the window it opens (empty while that window is not part
// of the program yet) and whether the status panel is refreshed after the window closes.
struct TreeTask {
    QString Text;
    std::function<QDialog*()> Window;
    bool RefreshAfter = false;
};

// The items of the task tree of tab 0, 1 or 2 (empty for any other tab).
std::vector<TreeTask>& TreeTasks(int tab);
// The work-mode gate of a task: tab 0 needs a database, tab 1 the register, tab 2 items 0-6
// both, items 7.. the register.
bool TreeTaskAllowed(int tab, int index, uint8_t workMode);

class TMenuGlowne : public QMainWindow {
    Q_OBJECT
public:
    explicit TMenuGlowne(QWidget* parent = nullptr);
    ~TMenuGlowne() override;

    // ---- visible controls ----
    QToolButton* SpeedButton2 = nullptr;  // automatic connection
    QToolButton* SpeedButton3 = nullptr;  // new database
    QToolButton* SpeedButton4 = nullptr;  // open database
    QToolButton* SpeedButton5 = nullptr;  // save database
    QLabel* Label5 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label12 = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label3 = nullptr;   // ONLINE
    QLabel* Label4 = nullptr;   // OFFLINE
    QLabel* Image2 = nullptr;
    QLabel* Label10 = nullptr;  // TEPO DUX
    QLabel* Label11 = nullptr;  // ORVA RIVO
    QFrame* Panel2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QFrame* Panel4 = nullptr;   // shown while the automatic connection searches
    QLabel* Label1 = nullptr;
    QPushButton* Button8 = nullptr;
    QPushButton* Button11 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QTreeWidget* ProgramowanieBazyTree = nullptr;
    QTreeWidget* WykonywanieRaportowTree = nullptr;
    QTreeWidget* TreeView3 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    std::array<QLabel*, 3> StatusBar1Panels{};

    // ---- menus ----
    QMenu* Plik1 = nullptr;
    QAction* Nowabazadanych1 = nullptr;
    QAction* Otwrzplikbazydanych1 = nullptr;
    QAction* Zapiszbazdanychdopliku1 = nullptr;
    QAction* Koniec1 = nullptr;
    QMenu* Komunikacja1 = nullptr;
    QAction* Parametrytransmisji1 = nullptr;
    QAction* Wyszukiwaniepodczonychkas1 = nullptr;  // hidden
    QAction* Po1 = nullptr;
    QMenu* Pomoc1 = nullptr;
    QAction* Oprogramie1 = nullptr;

    // ---- hidden controls ----
    QLabel* Label6 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button9 = nullptr;
    QPushButton* Button10 = nullptr;
    QPushButton* Button12 = nullptr;
    QPushButton* Button13 = nullptr;

    QString OpenDialog1Filter;
    QString SaveDialog1Filter;

    // ---- handlers ----
    void FormCreate();
    void FormShow();
    void FormActivate();
    // True when the key was handled (Esc, Enter).
    bool FormKeyDown(int key);
    // True when the window may close.
    bool FormCloseQuery();
    void FormClose();
    void UpdateStatusPanel();

    void Nowabazadanych1Click();
    void Otwrzplikbazydanych1Click();
    void Zapiszbazdanychdopliku1Click();
    void Koniec1Click();
    void Parametrytransmisji1Click();
    void Oprogramie1Click();
    void Po1Click();
    void SpeedButton2Click();
    void SpeedButton1Click();
    void Button1Click();
    void Button2Click();
    void Button4Click();
    void Button7Click();
    void Button8Click();
    void Button10Click();
    void Button11Click();
    void Button13Click();   // "SYMULATOR"
    void Button5Click();   // the header download window
    void Button12Click();  // the screen download window, with database and register
    void BitBtn1Click();   // the keyboard template
    void Button6Click();

    void ProgramowanieBazyTreeDblClick();
    void WykonywanieRaportowTreeDblClick();
    void TreeView3DblClick();
    void OpenTreeItemForm();

    void ClientSocket1Connect();
    void ClientSocket1Error(int& errorCode);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void BuildTaskTrees();
    // The save question before the current database is replaced; false when the user cancelled
    // or the save he asked for did not happen.
    bool ConfirmDiscardChanges();
    void ShowSearchPanel();
    void HideSearchPanel();
    void PlaceSearchPanel();
    // Asks the register its model after a probe was answered; the panel and the detection
    // message follow the answer before the goods move to the model's spacing.
    void TakeRegisterModel(bool tcp);
    QTreeWidget* TaskTree(int tab) const;

    // Also clears MenuGlowne when the constructor throws, so that no one deletes it again.
    FormInstance<TMenuGlowne> instance_;
};

extern TMenuGlowne* MenuGlowne;
