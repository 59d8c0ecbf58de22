#include "app/MenuGlowne.h"

#include "app/AutoConnectQueries.h"
#include "app/WindowOf.h"

#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "core/GoodsArea.h"
#include "core/Helpers.h"
#include "core/NowaBazaD.h"
#include "core/OProgramie.h"
#include "core/StatusHook.h"
#include "export/WydrukKlawiatury.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "link/ModelDetection.h"
#include "link/PokazBuforOdb.h"
#include "link/UstawieniaTrans.h"
#include "link/WyszukiwanieKasyRS.h"
#include "platform/ClientSocket.h"
#include "platform/Cp1250.h"
#include "platform/Modal.h"
#include "platform/Prompts.h"
#include "platform/SerialPort.h"
#include "service/PobieranieEkranu.h"
#include "service/PobieranieNaglowka.h"
#include "service/SymulatorUrzadzen.h"
#include "sync/KopiowanieKasy.h"
#include "tables/ProgramowanieTablicyWiFi_Mail.h"
#include "tables/ProgramowanieTowarow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

TMenuGlowne* MenuGlowne = nullptr;

namespace {

const QString SaveChangesQuestion = QStringLiteral("Czy chcesz zapisać zmiany w aktualnie edytowanej bazie?");
const QString SaveChangesCaption = QStringLiteral("Orva RIVO");
const QString NoDatabaseMessage =
    QStringLiteral("Stwórz lub wczytaj z pliku bazę danych którą chcesz edytować, albo połącz się z kasą");

QLabel* StatusLabel(const QString& text, const QString& colour)
{
    auto* l = new QLabel(text);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: %1;").arg(colour));
    // ONLINE and OFFLINE are drawn over "BRAK" and must hide it.
    l->setAutoFillBackground(true);
    return l;
}

QFrame* PanelFrame()
{
    auto* f = new QFrame;
    f->setFrameShape(QFrame::StyledPanel);
    f->setFrameShadow(QFrame::Raised);
    return f;
}

QPushButton* HiddenButton(const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->hide();
    return b;
}

} // namespace

TMenuGlowne::TMenuGlowne(QWidget* parent) : QMainWindow(parent), instance_(MenuGlowne, this)
{
    setWindowTitle(QStringLiteral("Orva RIVO V1.04"));
    OpenDialog1Filter = QStringLiteral("Plik bazy danych (*.rkb)|*.rkb");
    SaveDialog1Filter = QStringLiteral("Baza danych Orva Rivo (*.rkb)|*.rkb");

    BuildControls();
    BuildMenus();
    BuildTaskTrees();

    SetStatusRefreshHook([this] { UpdateStatusPanel(); });
    ClientSocket& socket = TcpSocket();
    socket.OnConnect = [this] { ClientSocket1Connect(); };
    socket.OnError = [this](int& code) { ClientSocket1Error(code); };

    resize(640, std::max(230, sizeHint().height()));
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate();
}

TMenuGlowne::~TMenuGlowne()
{
    if (MenuGlowne == this) {
        SetStatusRefreshHook({});
        ClientSocket& socket = TcpSocket();
        socket.OnConnect = {};
        socket.OnError = {};
    }
}

void TMenuGlowne::BuildControls()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* root = new QVBoxLayout(central);
    root->setContentsMargins(10, 8, 10, 6);
    root->setSpacing(8);

    // Database and connection buttons, the revision on the right.
    auto* top = new QHBoxLayout;
    auto makeSpeed = [central](QStyle::StandardPixmap icon, const QString& hint) {
        auto* b = new QToolButton(central);
        b->setIcon(central->style()->standardIcon(icon));
        b->setIconSize(QSize(22, 22));
        b->setAutoRaise(true);
        b->setToolTip(hint);
        return b;
    };
    SpeedButton3 = makeSpeed(QStyle::SP_FileIcon, QStringLiteral("Nowa baza danych"));
    SpeedButton4 = makeSpeed(QStyle::SP_DialogOpenButton, QStringLiteral("Otwórz bazę danych"));
    SpeedButton5 = makeSpeed(QStyle::SP_DialogSaveButton, QStringLiteral("Zapisz"));
    SpeedButton2 = new QToolButton(central);
    SpeedButton2->setText(QStringLiteral("&Automatyczne połączenie z kasą    "));
    SpeedButton2->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    SpeedButton2->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SpeedButton2->setIconSize(QSize(22, 22));
    SpeedButton2->setAutoRaise(true);
    auto* separator = new QFrame(central);
    separator->setFrameShape(QFrame::VLine);
    separator->setFrameShadow(QFrame::Sunken);
    Label12 = new QLabel(QStringLiteral("rev. 110418"), central);
    Label12->setStyleSheet(QStringLiteral("color: gray;"));
    top->addWidget(SpeedButton3);
    top->addWidget(SpeedButton4);
    top->addWidget(SpeedButton5);
    top->addWidget(separator);
    top->addWidget(SpeedButton2);
    top->addStretch(1);
    top->addWidget(Label12, 0, Qt::AlignTop);
    root->addLayout(top);

    // File name.
    auto* fileRow = new QHBoxLayout;
    Label5 = new QLabel(QStringLiteral("Nazwa pliku bazy:"), central);
    Label17 = new QLabel(central);
    QFont bold = Label17->font();
    bold.setBold(true);
    Label17->setFont(bold);
    Label17->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fileRow->addWidget(Label5);
    fileRow->addWidget(Label17, 1);
    root->addLayout(fileRow);

    // Status and record currency.
    auto* statusRow = new QHBoxLayout;
    Panel1 = PanelFrame();
    auto* p1 = new QHBoxLayout(Panel1);
    p1->setContentsMargins(10, 6, 10, 6);
    Label2 = new QLabel(QStringLiteral("Status:"));
    Label9 = new QLabel(QStringLiteral("BRAK"));
    Label9->setStyleSheet(QStringLiteral("color: gray;"));
    Label3 = StatusLabel(QStringLiteral("ONLINE"), QStringLiteral("#1a7f1a"));
    Label4 = StatusLabel(QStringLiteral("OFFLINE"), QStringLiteral("#b03030"));
    // Label9, Label3 and Label4 share one place: the one drawn last that is visible wins.
    auto* stateCell = new QGridLayout;
    stateCell->setContentsMargins(0, 0, 0, 0);
    stateCell->addWidget(Label9, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    stateCell->addWidget(Label3, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    stateCell->addWidget(Label4, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    Image2 = new QLabel;
    Image2->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(20, 20));
    Label10 = StatusLabel(QStringLiteral("TEPO DUX"), QStringLiteral("#1f4e9a"));
    Label11 = StatusLabel(QStringLiteral("ORVA RIVO "), QStringLiteral("#1f4e9a"));
    auto* modelCell = new QGridLayout;
    modelCell->setContentsMargins(0, 0, 0, 0);
    modelCell->addWidget(Label10, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    modelCell->addWidget(Label11, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    p1->addWidget(Label2);
    p1->addLayout(stateCell);
    p1->addSpacing(12);
    p1->addWidget(Image2);
    p1->addLayout(modelCell);
    p1->addStretch(1);
    Label3->hide();
    Label4->hide();
    Image2->hide();
    Label10->hide();
    Label11->hide();

    Panel2 = PanelFrame();
    auto* p2 = new QHBoxLayout(Panel2);
    p2->setContentsMargins(10, 6, 10, 6);
    Label7 = new QLabel(QStringLiteral("Waluta ewidencyjna:"));
    Label8 = new QLabel;
    Label8->setFont(bold);
    p2->addWidget(Label7);
    p2->addWidget(Label8);
    statusRow->addWidget(Panel1, 3);
    statusRow->addWidget(Panel2, 2);
    root->addLayout(statusRow);

    // Task buttons.
    auto* taskRow = new QHBoxLayout;
    Button8 = new QPushButton(QStringLiteral("Programowanie towarów"), central);
    Button11 = new QPushButton(QStringLiteral("KONFIGURACJA WIFI/EMAIL"), central);
    for (QPushButton* b : {Button8, Button11}) {
        b->setMinimumHeight(40);
        taskRow->addWidget(b);
    }
    root->addLayout(taskRow);

    // Task trees: present but hidden and disabled.
    PageControl1 = new QTabWidget(central);
    root->addWidget(PageControl1);
    PageControl1->hide();
    PageControl1->setEnabled(false);

    // Test controls of the layout, all hidden; hidden widgets take no room in the layout.
    auto* tests = new QHBoxLayout;
    Label6 = new QLabel(QStringLiteral("TESTY:"), central);
    Label6->hide();
    SpeedButton1 = new QToolButton(central);
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    SpeedButton1->hide();
    Button1 = HiddenButton(QStringLiteral("WyslijCosNaWybranyPort"), central);
    Button4 = HiddenButton(QStringLiteral("Przejdz w tryb ONLINE"), central);
    Button7 = HiddenButton(QStringLiteral("Odbierz RS"), central);
    Button5 = HiddenButton(QStringLiteral("Otwórz okno testowe"), central);
    Button10 = HiddenButton(QStringLiteral("Pokaż bufor odbiorczy"), central);
    Button2 = HiddenButton(QStringLiteral("Skanuj porty COM"), central);
    Button6 = HiddenButton(QStringLiteral("Kopia Kasy"), central);
    Button12 = HiddenButton(QStringLiteral("Pobieranie Ekranu"), central);
    Button13 = HiddenButton(QStringLiteral("SYMULATOR"), central);
    Button3 = HiddenButton(QStringLiteral("Programowanie nowego pakietu"), central);
    Button9 = HiddenButton(QStringLiteral("Programowanie numeru unikatowego"), central);
    tests->addWidget(Label6);
    tests->addWidget(SpeedButton1);
    for (QPushButton* b : {Button1, Button4, Button7, Button5, Button10, Button2, Button6, Button12, Button13,
                           Button3, Button9})
        tests->addWidget(b);
    root->addLayout(tests);
    root->addStretch(1);

    StatusBar1 = new QStatusBar(this);
    setStatusBar(StatusBar1);
    const int widths[3] = {70, 120, 50};
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(StatusBar1);
        panel->setFixedWidth(widths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (i < 2)
            panel->setAlignment(Qt::AlignCenter);
        StatusBar1->addWidget(panel);
        StatusBar1Panels[i] = panel;
    }

    // The search notice lies over the window while the automatic connection probes.
    Panel4 = new QFrame(central);
    Panel4->setAccessibleName(QStringLiteral("Trwa wyszukiwanie kas ORVA podłączonych do tego komputera..."));
    Panel4->setFrameShape(QFrame::Box);
    Panel4->setAutoFillBackground(true);
    Panel4->setStyleSheet(QStringLiteral("QFrame { background: #fff8d0; }"));
    auto* p4 = new QVBoxLayout(Panel4);
    Label1 = new QLabel(QStringLiteral("Trwa wyszukiwanie kas fiskalnych ORVA podłączonych do tego komputera..."),
                        Panel4);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    QFont big = Label1->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.15);
    Label1->setFont(big);
    p4->addWidget(Label1);
    Panel4->hide();

    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { Nowabazadanych1Click(); });
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { Otwrzplikbazydanych1Click(); });
    connect(SpeedButton5, &QToolButton::clicked, this, [this] { Zapiszbazdanychdopliku1Click(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(Button8, &QPushButton::clicked, this, [this] { Button8Click(); });
    connect(Button11, &QPushButton::clicked, this, [this] { Button11Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    connect(Button10, &QPushButton::clicked, this, [this] { Button10Click(); });
    connect(Button13, &QPushButton::clicked, this, [this] { Button13Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(Button12, &QPushButton::clicked, this, [this] { Button12Click(); });
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
}

void TMenuGlowne::BuildMenus()
{
    QMenuBar* bar = menuBar();
    Plik1 = bar->addMenu(QStringLiteral("Plik"));
    Nowabazadanych1 = Plik1->addAction(QStringLiteral("Nowa baza danych"));
    Otwrzplikbazydanych1 = Plik1->addAction(QStringLiteral("Otwórz plik bazy danych"));
    Zapiszbazdanychdopliku1 = Plik1->addAction(QStringLiteral("Zapisz bazę danych do pliku"));
    Plik1->addSeparator();
    Koniec1 = Plik1->addAction(QStringLiteral("Koniec"));

    Komunikacja1 = bar->addMenu(QStringLiteral("Komunikacja"));
    Parametrytransmisji1 = Komunikacja1->addAction(QStringLiteral("Parametry transmisji"));
    Wyszukiwaniepodczonychkas1 = Komunikacja1->addAction(QStringLiteral("Wyszukiwanie podłączonych kas"));
    Wyszukiwaniepodczonychkas1->setVisible(false);
    Po1 = Komunikacja1->addAction(QStringLiteral("Połącz z kasą używając ostatnich ustawień"));

    Pomoc1 = bar->addMenu(QStringLiteral("Pomoc"));
    Oprogramie1 = Pomoc1->addAction(QStringLiteral("O programie"));

    connect(Nowabazadanych1, &QAction::triggered, this, [this] { Nowabazadanych1Click(); });
    connect(Otwrzplikbazydanych1, &QAction::triggered, this, [this] { Otwrzplikbazydanych1Click(); });
    connect(Zapiszbazdanychdopliku1, &QAction::triggered, this, [this] { Zapiszbazdanychdopliku1Click(); });
    connect(Koniec1, &QAction::triggered, this, [this] { Koniec1Click(); });
    connect(Parametrytransmisji1, &QAction::triggered, this, [this] { Parametrytransmisji1Click(); });
    connect(Wyszukiwaniepodczonychkas1, &QAction::triggered, this, [this] { Button2Click(); });
    connect(Po1, &QAction::triggered, this, [this] { Po1Click(); });
    connect(Oprogramie1, &QAction::triggered, this, [this] { Oprogramie1Click(); });
}

void TMenuGlowne::BuildTaskTrees()
{
    const QString tabs[3] = {QStringLiteral("&Edycja bazy"), QStringLiteral("Wykonywanie &raportów"),
                             QStringLiteral("Ko&munikacja z kasą")};
    QTreeWidget** trees[3] = {&ProgramowanieBazyTree, &WykonywanieRaportowTree, &TreeView3};
    for (int tab = 0; tab < 3; ++tab) {
        auto* tree = new QTreeWidget;
        tree->setHeaderHidden(true);
        tree->setRootIsDecorated(false);
        tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
        tree->setSelectionMode(QAbstractItemView::SingleSelection);
        for (const TreeTask& task : TreeTasks(tab))
            new QTreeWidgetItem(tree, QStringList{task.Text});
        tree->hide();
        tree->setEnabled(false);
        PageControl1->addTab(tree, tabs[tab]);
        *trees[tab] = tree;
    }
    connect(ProgramowanieBazyTree, &QTreeWidget::itemDoubleClicked, this, [this] { ProgramowanieBazyTreeDblClick(); });
    connect(WykonywanieRaportowTree, &QTreeWidget::itemDoubleClicked, this,
            [this] { WykonywanieRaportowTreeDblClick(); });
    connect(TreeView3, &QTreeWidget::itemDoubleClicked, this, [this] { TreeView3DblClick(); });
}

// ---------------------------------------------------------------------------------------------
// Life cycle

void TMenuGlowne::FormCreate()
{
    // Qt's file dialogs start in the current folder when given none, so nothing to switch on.
    std::error_code ec;
    App.StartFolder = std::filesystem::current_path(ec).string();
    LoadLinkSettings();
    App.WorkMode = 0;
    App.DatabaseModified = 0;
    App.WorkingImageFileName = "BDTemp.bdt";
    App.CurrentDatabaseFileName = "BDTemp.bdt";
    // Without a working image the program runs on without a database; the user is told why.
    if (QString why; CreateDatabaseImage(&why) == 0) {
        App.CurrentDatabaseFileName = "Bez nazwy";
        App.WorkMode |= WorkModeDatabase;
        UpdateStatusPanel();
    } else {
        ShowMessage(why);
    }
    Button9->setText(QStringLiteral("Programowanie nr. unik. i klucza pam. fisk."));
}

void TMenuGlowne::FormShow() { UpdateStatusPanel(); }

void TMenuGlowne::FormActivate() { UpdateStatusPanel(); }

void TMenuGlowne::UpdateStatusPanel()
{
    const uint8_t mode = App.WorkMode;
    switch (mode) {
    case 0:
        Label3->hide();
        Label4->hide();
        break;
    case 1:
        Label3->hide();
        Label4->show();
        break;
    case 2:
        Label3->show();
        Label4->hide();
        Image2->hide();
        break;
    case 3:
        Image2->show();
        Label3->show();
        Label4->hide();
        break;
    default:
        break;
    }
    if (mode == 2 || mode == 3) {
        Label10->setVisible(App.RegisterModelFlag == 0);
        Label11->setVisible(App.RegisterModelFlag != 0);
    }
    if (mode == 1 || mode == 3) {
        Label17->setText(FromCp1250(App.CurrentDatabaseFileName));
        Label17->show();
        Label8->setText(FromCp1250(App.RecordCurrencySymbol));
    } else {
        Label17->hide();
    }
}

bool TMenuGlowne::FormKeyDown(int key)
{
    if (key == Qt::Key_Escape) {
        if (AskQuestion(QStringLiteral("Czy na pewno chcesz opuścić program?"), PromptButtons::YesNo,
                        windowTitle()) == PromptAnswer::Yes)
            close();
        return true;
    }
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool TMenuGlowne::FormCloseQuery() { return ConfirmDiscardChanges(); }

void TMenuGlowne::FormClose() { SaveLinkSettingsFile(); }

bool TMenuGlowne::ConfirmDiscardChanges()
{
    if ((App.WorkMode != 1 && App.WorkMode != 3) || App.DatabaseModified != 1)
        return true;
    switch (AskQuestion(SaveChangesQuestion, PromptButtons::YesNoCancel, SaveChangesCaption)) {
    case PromptAnswer::Yes:
        // Changes the user chose to keep are never dropped by a save that did not happen.
        App.DatabaseSaved = 0;
        SaveDatabaseFile();
        return App.DatabaseSaved == 1;
    case PromptAnswer::No:
        return true;
    default:
        return false;
    }
}

void TMenuGlowne::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    FormShow();
}

void TMenuGlowne::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TMenuGlowne::keyPressEvent(QKeyEvent* event)
{
    if (!FormKeyDown(event->key()))
        QMainWindow::keyPressEvent(event);
}

void TMenuGlowne::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TMenuGlowne::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    PlaceSearchPanel();
}

// ---------------------------------------------------------------------------------------------
// Database files

void TMenuGlowne::Nowabazadanych1Click()
{
    if (!ConfirmDiscardChanges())
        return;
    ShowModal(WindowOf(NowaBazaD));
    UpdateStatusPanel();
}

void TMenuGlowne::Otwrzplikbazydanych1Click()
{
    if (!ConfirmDiscardChanges())
        return;
    const QString path =
        CurrentPrompts().OpenFileName(QStringLiteral("Otwórz plik bazy danych"), OpenDialog1Filter, QString());
    if (path.isEmpty())
        return;
    // The loader names the database and raises the work mode; a refused file has shown its
    // message and left the image, the name and the mode as they were.
    LoadDatabaseFile(QFile::encodeName(path).toStdString());
    UpdateStatusPanel();
}

void TMenuGlowne::Zapiszbazdanychdopliku1Click()
{
    SaveDatabaseFile();
    UpdateStatusPanel();
}

void TMenuGlowne::Koniec1Click() { close(); }

// ---------------------------------------------------------------------------------------------
// Other windows

void TMenuGlowne::Parametrytransmisji1Click()
{
    ShowModal(WindowOf(UstawieniaTrans));
    UpdateStatusPanel();
}

void TMenuGlowne::Oprogramie1Click() { ShowModal(WindowOf(OProgramie)); }

void TMenuGlowne::Button8Click() { ShowModal(WindowOf(ProgramowanieTowarow)); }

void TMenuGlowne::Button11Click() { ShowModal(WindowOf(ProgramowanieTablicyWiFi_Mail)); }

void TMenuGlowne::Button10Click() { ShowModal(WindowOf(PokazBuforOdb)); }

void TMenuGlowne::Button13Click()
{
    if (App.WorkMode != 0)
        ShowModal(WindowOf(SymulatorUrzadzen));
}

void TMenuGlowne::Button5Click() { ShowModal(WindowOf(PobieranieNaglowka)); }

void TMenuGlowne::Button12Click()
{
    if (App.WorkMode == (WorkModeDatabase | WorkModeRegister))
        ShowModal(WindowOf(PobieranieEkranu));
}
void TMenuGlowne::Button6Click() { ShowModal(WindowOf(KopiowanieKasy)); }

void TMenuGlowne::Button2Click()
{
    ShowModal(WindowOf(WyszukiwanieKasyRS));
    UpdateStatusPanel();
}

void TMenuGlowne::SpeedButton1Click()
{
    if (App.WorkMode == 0)
        ShowMessage(QStringLiteral(
            " Aktualnie do tego komputera nie jest podłączona żadna kasa. Nie został też otwarty żaden plik bazy "
            "danych. Aby edytować bazę danych otwórz plik, stwórz nową bazę, lub podłącz kasę do komputera"));
    else if (App.WorkMode == 1)
        ShowMessage(QStringLiteral(
            " W trybie OFFLINE masz możliwość edycji bazy danych kasy fiskalnej na komputerze, bez konieczności "
            "podłączania kasy. Utworzoną w ten sposób bazę możesz pózniej przenieść w całości do pamięci kasy. "
            "Edycja w trybie OFFLINE w znaczący sposób ułatwia i przyspiesza tworzenie bazy danych."));
}

// ---------------------------------------------------------------------------------------------
// Task trees

// Bound to no control.
void TMenuGlowne::BitBtn1Click() { ShowModal(WindowOf(WydrukKlawiatury)); }

void TMenuGlowne::ProgramowanieBazyTreeDblClick() { OpenTreeItemForm(); }
void TMenuGlowne::WykonywanieRaportowTreeDblClick() { OpenTreeItemForm(); }
void TMenuGlowne::TreeView3DblClick() { OpenTreeItemForm(); }

QTreeWidget* TMenuGlowne::TaskTree(int tab) const
{
    switch (tab) {
    case 0: return ProgramowanieBazyTree;
    case 1: return WykonywanieRaportowTree;
    case 2: return TreeView3;
    default: return nullptr;
    }
}

void TMenuGlowne::OpenTreeItemForm()
{
    const int tab = PageControl1->currentIndex();
    QTreeWidget* tree = TaskTree(tab);
    if (!tree)
        return;
    const QList<QTreeWidgetItem*> selected = tree->selectedItems();
    if (selected.isEmpty())
        return;
    const int index = tree->indexOfTopLevelItem(selected.first());
    std::vector<TreeTask>& tasks = TreeTasks(tab);
    if (index < 0 || index >= static_cast<int>(tasks.size()))
        return;
    if (!TreeTaskAllowed(tab, index, App.WorkMode)) {
        if (tab == 0)
            ShowMessage(NoDatabaseMessage);
        return;
    }
    const TreeTask& task = tasks[static_cast<std::size_t>(index)];
    if (!task.Window)
        return;
    if (QDialog* window = task.Window())
        ShowModal(*window);
    if (task.RefreshAfter)
        UpdateStatusPanel();
}

// ---------------------------------------------------------------------------------------------
// Connection

void TMenuGlowne::PlaceSearchPanel()
{
    if (!Panel4)
        return;
    QWidget* area = centralWidget();
    const int w = std::max(200, area->width() - 60);
    const int h = 90;
    Panel4->setGeometry((area->width() - w) / 2, (area->height() - h) / 2, w, h);
}

void TMenuGlowne::ShowSearchPanel()
{
    PlaceSearchPanel();
    Panel4->show();
    Panel4->raise();
    // The search blocks the event loop, so the notice is painted now.
    Panel4->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TMenuGlowne::HideSearchPanel() { Panel4->hide(); }

void TMenuGlowne::SpeedButton2Click()
{
    ShowSearchPanel();
    LinkSettings.BaudRate = 115200;
    // The link is down until a register answers; whether a database is open does not change.
    App.WorkMode &= WorkModeDatabase;

    if (LinkSettings.LinkType != 1) {
        if (Link.SerialHandle) {
            CloseComPort();
            LinkSettings.ComPortNumber = NoComPort;
        }
        bool found = false;
        for (int port = 1; port <= 99 && !found; ++port) {
            LinkSettings.ComPortNumber = static_cast<uint8_t>(port);
            if (OpenComPort(0, Link.SerialHandle) != 0)
                continue;
            found = ProbeRegister(false);
            if (!found)
                CloseComPort();
        }
        if (found) {
            App.WorkMode |= WorkModeRegister;
            UpdateStatusPanel();
            HideSearchPanel();
            TakeRegisterModel(false);
        } else {
            if (Link.SerialHandle)
                CloseComPort();
            ShowMessage(QStringLiteral("Nie wykryto żadnej kasy podłączonej do tego komputera."));
            HideSearchPanel();
            UpdateStatusPanel();
        }
        return;
    }

    if (ProbeRegister(true)) {
        App.WorkMode |= WorkModeRegister;
        UpdateStatusPanel();
        HideSearchPanel();
        TakeRegisterModel(true);
    } else {
        ShowMessage(QStringLiteral("Brak odpowiedzi kasy. Sprawdź poprawność ustawień sieciowych"));
        HideSearchPanel();
        UpdateStatusPanel();
    }
}

void TMenuGlowne::TakeRegisterModel(bool tcp)
{
    const ModelAnswer answer = QueryRegisterModel();
    if (answer == ModelAnswer::Unusable)
        return;
    if (answer == ModelAnswer::None) {
        // A register that answered the probe over TCP keeps the model known before.
        if (!tcp)
            App.RegisterModelFlag = 2;
        UpdateStatusPanel();
        ShowMessage(QStringLiteral("Błąd transmisji !!!"));
        return;
    }
    const bool rivo = answer == ModelAnswer::Rivo;
    App.RegisterModelFlag = rivo ? 1 : 0;
    UpdateStatusPanel();
    ShowMessage(rivo ? QStringLiteral("WYKRYTO KASĘ ORVA RIVO") : QStringLiteral("WYKRYTO KASĘ ORVA TEPO DUX"));
    // Only then the goods move to the register's spacing, and the user hears what did not fit.
    ChangeGoodsRecordSize(rivo ? DefaultGoodsRecordSize : TepoDuxGoodsRecordSize);
}

void TMenuGlowne::Po1Click()
{
    if (LinkSettings.ComPortNumber == NoComPort) {
        ShowMessage(QStringLiteral("Nie wybrano portu"));
        return;
    }
    if (Link.SerialHandle)
        return;
    if (OpenComPort(1, Link.SerialHandle) != 0)
        App.WorkMode &= WorkModeDatabase;
    else
        App.WorkMode |= WorkModeRegister;
    UpdateStatusPanel();
}

void TMenuGlowne::Button1Click()
{
    if (LinkSettings.ComPortNumber == NoComPort) {
        ShowMessage(QStringLiteral("Nie wybrano portu komunikacyjnego."));
        return;
    }
    uint8_t text[] = "ORVA RIVO ";
    SendBytes(text, 1, 10);
}

void TMenuGlowne::Button4Click()
{
    if (LinkSettings.ComPortNumber == NoComPort) {
        ShowMessage(QStringLiteral("Nie wybrano portu"));
    } else {
        if (Link.SerialHandle)
            CloseComPort();
        if (OpenComPort(1, Link.SerialHandle) == 0)
            App.WorkMode = WorkModeRegister;
    }
    UpdateStatusPanel();
}

void TMenuGlowne::Button7Click()
{
    uint8_t bytes[30] = {};
    const int n = std::max(0, ReadRaw(bytes, sizeof bytes));
    ShowMessage(FromCp1250(BytesToString(bytes, static_cast<std::size_t>(n))));
    ShowMessage(QString::number(n));
}

void TMenuGlowne::ClientSocket1Connect() { Link.TcpConnectState = 3; }

void TMenuGlowne::ClientSocket1Error(int& errorCode)
{
    Link.TcpConnectState = 2;
    errorCode = 0;
}
