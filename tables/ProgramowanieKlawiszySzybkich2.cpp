#include "tables/ProgramowanieKlawiszySzybkich2.h"

#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "core/Helpers.h"
#include "core/StatusHook.h"
#include "link/Commands.h"
#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "platform/Time.h"
#include "tables/GoodsLogic.h"
#include "tables/QuickKeys.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDrag>
#include <QDropEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

TProgramowanieKlawiszySzybkich2* ProgramowanieKlawiszySzybkich2 = nullptr;

const char* const QuickKeyDragList::MimeType = "application/x-rivo-quick-key-drag";

QuickKeyDragList::QuickKeyDragList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::DragOnly);
    setUniformItemSizes(true);
}

void QuickKeyDragList::startDrag(Qt::DropActions)
{
    if (OnStartDrag)
        OnStartDrag();
    auto* drag = new QDrag(this);
    // A private format and nothing else, so that no other program takes the drop.
    auto* mime = new QMimeData;
    mime->setData(MimeType, {});
    drag->setMimeData(mime);
    const bool dropped = drag->exec(Qt::MoveAction) != Qt::IgnoreAction;
    if (OnEndDrag)
        OnEndDrag(dropped);
}

namespace {

QFont MonospaceFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSize(9);
    return font;
}

// A waste bin drawn once, so that the window needs no picture file.
QPixmap WasteBinPixmap()
{
    QPixmap pixmap(48, 56);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(6, 10, 36, 6);       // lid
    p.drawRect(18, 4, 12, 6);       // handle
    p.drawRect(9, 16, 30, 36);      // can
    for (int x : {17, 24, 31})
        p.drawLine(x, 22, x, 46);
    return pixmap;
}

} // namespace

TProgramowanieKlawiszySzybkich2::TProgramowanieKlawiszySzybkich2(QWidget* parent)
    : TForm(parent), instance_(ProgramowanieKlawiszySzybkich2, this)
{
    setWindowTitle(QStringLiteral("Programowanie klawiszy szybkich"));
    setAcceptDrops(true);

    Body = new QWidget(this);
    const QFont mono = MonospaceFont();

    // The goods base.
    auto* goodsTitle = new QLabel(QStringLiteral("Baza towarowa PC"), Body);
    goodsTitle->setStyleSheet(QStringLiteral("font-weight: bold;"));
    // The captions stand over the columns of the monospace lines.
    auto* captions = new QLabel(QStringLiteral("Numer ") + QStringLiteral("Nazwa").leftJustified(21, u' ') +
                                    QStringLiteral("Cena").rightJustified(10, u' '),
                                Body);
    captions->setFont(mono);
    captions->setContentsMargins(4, 0, 0, 0);   // the list's frame and item margin
    ListBox1 = new QuickKeyDragList(Body);
    ListBox1->setFont(mono);
    FitRowsToAccents(ListBox1);
    ListBox1->setMinimumWidth(QFontMetrics(mono).horizontalAdvance(QString(40, u'0')) + 30);
    ListBox1->OnStartDrag = [this] { ListBox1StartDrag(); };
    ListBox1->OnEndDrag = [this](bool dropped) {
        if (!dropped)
            FormDragOver();
        ListBox1EndDrag();
    };
    auto* goods = new QVBoxLayout;
    goods->addWidget(goodsTitle);
    goods->addWidget(captions);
    goods->addWidget(ListBox1, 1);

    // The cashier, the quantity and the hints.
    ComboBox1 = new QComboBox(Body);
    ComboBox1->setMinimumWidth(200);
    Edit1 = new QLineEdit(QStringLiteral("1,0000"), Body);
    Edit1->setMaxLength(9);
    Edit1->setFixedWidth(90);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Kasjer:"), Body));
    top->addWidget(ComboBox1);
    top->addSpacing(20);
    top->addWidget(new QLabel(QStringLiteral("Dodawana ilość:"), Body));
    top->addWidget(Edit1);
    top->addStretch(1);

    // The ten keys.
    auto* keys = new QGridLayout;
    for (int i = 0; i < 10; ++i) {
        const int n = i + 1;
        auto* box = new QFrame(Body);
        box->setFrameShape(QFrame::StyledPanel);
        auto* label = new QLabel(QStringLiteral("F%1").arg(n), box);
        label->setStyleSheet(QStringLiteral("font-weight: bold;"));
        ListBoxF[i] = new QuickKeyDragList(box);
        ListBoxF[i]->setFont(mono);
        FitRowsToAccents(ListBoxF[i]);
        ListBoxF[i]->setAcceptDrops(true);
        ListBoxF[i]->setFixedHeight(TextRowHeight(mono) * 5 + 12);
        ListBoxF[i]->setMinimumWidth(QFontMetrics(mono).horizontalAdvance(QString(18, u'0')) + 12);
        ListBoxF[i]->viewport()->installEventFilter(this);
        ListBoxF[i]->setContextMenuPolicy(Qt::CustomContextMenu);
        ListBoxF[i]->OnStartDrag = [this, n] { ListBoxFStartDrag(n); };
        ListBoxF[i]->OnEndDrag = [this, n](bool dropped) {
            if (!dropped)
                FormDragOver();
            ListBoxFEndDrag(n);
        };
        connect(ListBoxF[i], &QWidget::customContextMenuRequested, this, [this, n, i](const QPoint& at) {
            ListBoxFMouseDown(n, Qt::RightButton, ListBoxF[i]->viewport()->mapToGlobal(at));
        });
        KonczenieParagonuF[i] = new QCheckBox(QStringLiteral("Kończenie paragonu"), box);
        connect(KonczenieParagonuF[i], &QCheckBox::clicked, this, [this, n] { KonczenieParagonuFClick(n); });
        auto* l = new QVBoxLayout(box);
        l->setContentsMargins(4, 4, 4, 4);
        l->addWidget(label);
        l->addWidget(ListBoxF[i]);
        l->addWidget(KonczenieParagonuF[i]);
        keys->addWidget(box, i / 5, i % 5);
    }

    Image1 = new QLabel(Body);
    Image1->setPixmap(WasteBinPixmap());
    Image1->setAcceptDrops(true);
    Image1->installEventFilter(this);
    auto* addHint = new QLabel(QStringLiteral("Aby dodać towar do klawisza szybkiego przeciągnij\n"
                                              "go z listy towarów, do wybranego klawisza."),
                               Body);
    auto* removeHint = new QLabel(QStringLiteral("Aby usunąć przypisanie towaru do\n"
                                                 "klawisza szybkiego, przeciągnij\n"
                                                 "wybrany towar na ikonę kosza"),
                                  Body);
    BitBtn1 = new QPushButton(QStringLiteral("&Wyślij do kasy wszystkie klawisze"), Body);
    BitBtn1->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(addHint);
    bottom->addSpacing(20);
    bottom->addWidget(Image1);
    bottom->addWidget(removeHint);
    bottom->addStretch(1);
    bottom->addWidget(BitBtn1, 0, Qt::AlignBottom);

    auto* right = new QVBoxLayout;
    right->addLayout(top);
    right->addLayout(keys);
    right->addLayout(bottom);
    right->addStretch(1);

    auto* bodyLayout = new QHBoxLayout(Body);
    bodyLayout->addLayout(goods);
    bodyLayout->addLayout(right, 1);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(0, 0, 0, 0);
    main->addWidget(Body);

    // The wait panel floats over the window.
    Panel7 = new QFrame(this);
    Panel7->setFrameShape(QFrame::Panel);
    Panel7->setFrameShadow(QFrame::Raised);
    Panel7->setAutoFillBackground(true);
    auto* wait = new QLabel(QStringLiteral("Czekaj..."), Panel7);
    wait->setStyleSheet(QStringLiteral("font-size: 16pt; font-weight: bold;"));
    wait->setAlignment(Qt::AlignCenter);
    (new QVBoxLayout(Panel7))->addWidget(wait);
    Panel7->resize(220, 80);
    Panel7->setVisible(false);

    PopupMenu1 = new QMenu(this);
    Drukujwybranyklawisz1 = PopupMenu1->addAction(QStringLiteral("Wyślij do kasy"));

    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(Drukujwybranyklawisz1, &QAction::triggered, this, [this] { Drukujwybranyklawisz1Click(); });

    resize(1180, 640);
}

// ---- showing ----

int TProgramowanieKlawiszySzybkich2::ChosenCashier() const { return ComboBox1->currentIndex() + 1; }

void TProgramowanieKlawiszySzybkich2::FormShow()
{
    DragSource = DropTarget = DraggedLine = PopupKey = 0;
    DraggedPlu = 0;
    ListBox1->clear();
    QStringList lines;
    ForEachStoredGoods([&lines](unsigned plu, const uint8_t* record) {
        lines << QuickKeyGoodsLine(plu, BytesToString(record + GoodsField::Name, GoodsField::NameSize),
                                   GoodsRecordPrice(record));
    });
    ListBox1->addItems(lines);
    ComboBox1->clear();
    ComboBox1->addItems(QuickKeyCashierItems());
    ComboBox1->setCurrentIndex(0);
    LoadQuickKeyLists();
}

void TProgramowanieKlawiszySzybkich2::ComboBox1Change() { LoadQuickKeyLists(); }

void TProgramowanieKlawiszySzybkich2::LoadQuickKeyLists()
{
    // Goods numbers the goods table cannot hold (a database from the larger model) are dropped
    // alone; the other keys of every cashier stay.
    if (const int dropped = RepairQuickKeyTable(App.MaxGoodsCount); dropped > 0) {
        MarkDatabaseModified();
        RequestStatusRefresh();
        ShowMessage(QString::fromUtf8(QuickKeyTexts::DamagedTable).arg(App.MaxGoodsCount).arg(dropped));
    }
    for (int key = 1; key <= 10; ++key)
        ValidateQuickKeyTable(ChosenCashier(), key);
}

void TProgramowanieKlawiszySzybkich2::ValidateQuickKeyTable(int cashier, int key)
{
    QListWidget* list = ListBoxF[std::size_t(key - 1)];
    list->clear();
    const QuickKeyRecord record = ReadQuickKeyRecord(unsigned(cashier), unsigned(key));
    for (unsigned p = 1; p <= QuickKeyEntries; ++p) {
        const uint16_t plu = QuickKeyEntryPlu(record, p);
        if (plu < 1 || plu > DefaultMaxGoodsCount)
            continue;
        auto* item = new QListWidgetItem(QuickKeyEntryLine(ReadGoodsName(plu), QuickKeyEntryQuantity(record, p)));
        // A line stands for its entry, also where the record has gaps before it.
        item->setData(Qt::UserRole, p);
        list->addItem(item);
    }
    KonczenieParagonuF[std::size_t(key - 1)]->setChecked(record[QuickKeyEndFlagByte] == 1);
}

// ---- dragging ----

void TProgramowanieKlawiszySzybkich2::ListBox1StartDrag()
{
    DragSource = 0;
    DropTarget = 0;
    const QListWidgetItem* item = ListBox1->currentItem();
    DraggedPlu = item ? uint16_t(NumberBeforeDot(item->text())) : 0;
}

void TProgramowanieKlawiszySzybkich2::ListBoxFStartDrag(int n)
{
    DragSource = n;
    DropTarget = 0;
    const QListWidgetItem* item = ListBoxF[std::size_t(n - 1)]->currentItem();
    DraggedLine = item ? item->data(Qt::UserRole).toInt() : 0;
}

void TProgramowanieKlawiszySzybkich2::ListBoxFDragOver(int n) { DropTarget = n; }

void TProgramowanieKlawiszySzybkich2::Image1DragOver() { DropTarget = 100; }

void TProgramowanieKlawiszySzybkich2::FormDragOver() { DropTarget = 0; }

void TProgramowanieKlawiszySzybkich2::ListBox1EndDrag()
{
    const int key = DropTarget;
    const uint16_t plu = DraggedPlu;
    DraggedPlu = 0;
    if (plu != 0 && key >= 1 && key <= 10) {
        uint32_t quantity = 0;
        switch (ParseAddedQuantity(Edit1->text(), quantity)) {
        case QuantityParse::NotNumber:
            ShowMessage(QuickKeyTexts::BadQuantity);
            Edit1->setFocus();
            return;
        case QuantityParse::OutOfRange:
            Edit1->setFocus();
            return;
        case QuantityParse::Ok:
            break;
        }
        QuickKeyRecord record = ReadQuickKeyRecord(unsigned(ChosenCashier()), unsigned(key));
        AddQuickKeyEntry(record, plu, quantity);
        record[QuickKeyEndFlagByte] = KonczenieParagonuF[std::size_t(key - 1)]->isChecked() ? 1 : 0;
        record[1] = uint8_t(key);
        if (WriteQuickKeyRecord(record, unsigned(ChosenCashier()), unsigned(key))) {
            MarkDatabaseModified();
            RequestStatusRefresh();
        } else {
            ShowMessage(GoodsTexts::FileClosed);
        }
        DropTarget = 0;
    }
    LoadQuickKeyLists();
}

void TProgramowanieKlawiszySzybkich2::ListBoxFEndDrag(int n) { MoveQuickKeyEntry(n); }

void TProgramowanieKlawiszySzybkich2::MoveQuickKeyEntry(int n)
{
    if (DropTarget == 100 && DraggedLine >= 1) {
        QuickKeyRecord record = ReadQuickKeyRecord(unsigned(ChosenCashier()), unsigned(n));
        if (RemoveQuickKeyEntry(record, unsigned(DraggedLine))) {
            if (WriteQuickKeyRecord(record, unsigned(ChosenCashier()), unsigned(n))) {
                MarkDatabaseModified();
                RequestStatusRefresh();
            } else {
                ShowMessage(GoodsTexts::FileClosed);
            }
        }
    }
    DragSource = DropTarget = DraggedLine = 0;
    LoadQuickKeyLists();
}

void TProgramowanieKlawiszySzybkich2::KonczenieParagonuFClick(int n)
{
    QCheckBox* box = KonczenieParagonuF[std::size_t(n - 1)];
    QuickKeyRecord record = ReadQuickKeyRecord(unsigned(ChosenCashier()), unsigned(n));
    record[1] = uint8_t(n);
    record[QuickKeyEndFlagByte] = box->isChecked() ? 1 : 0;
    if (WriteQuickKeyRecord(record, unsigned(ChosenCashier()), unsigned(n))) {
        MarkDatabaseModified();
        RequestStatusRefresh();
    } else {
        box->setChecked(false);
        ShowMessage(GoodsTexts::FileClosed);
    }
}

bool TProgramowanieKlawiszySzybkich2::AcceptOwnDrag(QEvent* event)
{
    auto* drop = static_cast<QDropEvent*>(event);
    // Only drags that started in this window's own lists mean anything here.
    auto* source = qobject_cast<QWidget*>(drop->source());
    if (!drop->mimeData()->hasFormat(QuickKeyDragList::MimeType) || !source || !isAncestorOf(source)) {
        drop->ignore();
        return false;
    }
    drop->setDropAction(Qt::MoveAction);
    drop->accept();
    return true;
}

void TProgramowanieKlawiszySzybkich2::dragEnterEvent(QDragEnterEvent* event)
{
    if (AcceptOwnDrag(event))
        FormDragOver();
}

void TProgramowanieKlawiszySzybkich2::dragMoveEvent(QDragMoveEvent* event)
{
    if (AcceptOwnDrag(event))
        FormDragOver();
}

void TProgramowanieKlawiszySzybkich2::dropEvent(QDropEvent* event)
{
    if (AcceptOwnDrag(event))
        FormDragOver();
}

bool TProgramowanieKlawiszySzybkich2::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return TForm::eventFilter(watched, event);
    if (AcceptOwnDrag(event)) {
        if (watched == Image1) {
            Image1DragOver();
        } else {
            for (int i = 0; i < 10; ++i)
                if (watched == ListBoxF[std::size_t(i)]->viewport())
                    ListBoxFDragOver(i + 1);
        }
    }
    return true;
}

// ---- sending ----

bool TProgramowanieKlawiszySzybkich2::CanSend()
{
    // Keys of an image that is not usable are never sent.
    if (!GoodsImageReadable()) {
        ShowMessage(GoodsTexts::FileClosed);
        return false;
    }
    if (!RegisterConnected()) {
        ShowMessage(GoodsTexts::NoConnection);
        return false;
    }
    return true;
}

int TProgramowanieKlawiszySzybkich2::SendKeyAndReadAck(int key, uint16_t frameNumber)
{
    SendQuickKeyRecord(Link.RegisterAddress, frameNumber, uint8_t(ChosenCashier()), uint8_t(key), 0);
    return ReceiveAckWaitingOutPrinting(4400, ReceiveAckSerial);
}

void TProgramowanieKlawiszySzybkich2::SetSending(bool sending)
{
    sending_ = sending;
    Body->setEnabled(!sending);
    Panel7->move((width() - Panel7->width()) / 2, (height() - Panel7->height()) / 2);
    Panel7->setVisible(sending);
    if (sending) {
        Panel7->raise();
        Panel7->repaint();
    }
}

void TProgramowanieKlawiszySzybkich2::BitBtn1Click()
{
    ExchangeGuard guard;
    if (sending_ || !CanSend())
        return;
    SetSending(true);
    Link.AbortRequestFlag = 0;
    DrainInput();
    for (int key = 1; key <= 10; ++key) {
        ProcessMessages();
        if (Link.AbortRequestFlag)
            break;
        const uint16_t frameNumber = uint16_t(key == 10 ? (LastFrameBit | key) : key);
        const int result = SendKeyAndReadAck(key, frameNumber);
        WaitWithEvents(300);
        if (result != AckAccepted && result != AckDone)
            break;
    }
    SetSending(false);
}

void TProgramowanieKlawiszySzybkich2::ListBoxFMouseDown(int n, Qt::MouseButton button, const QPoint& globalPos)
{
    if (button != Qt::RightButton)
        return;
    PopupKey = n;
    PopupMenu1->popup(globalPos);
}

void TProgramowanieKlawiszySzybkich2::Drukujwybranyklawisz1Click()
{
    if (sending_ || PopupKey < 1 || PopupKey > 10 || !CanSend())
        return;
    SetSending(true);
    Link.AbortRequestFlag = 0;
    DrainInput();
    SendKeyAndReadAck(PopupKey, SingleFrameNumber);
    SetSending(false);
}

// ---- closing ----

bool TProgramowanieKlawiszySzybkich2::FormKeyDown(int key)
{
    if (key != Qt::Key_Escape)
        return false;
    if (sending_)
        Link.AbortRequestFlag = 1;
    else
        reject();
    return true;
}

void TProgramowanieKlawiszySzybkich2::closeEvent(QCloseEvent* event)
{
    if (sending_) {
        Link.AbortRequestFlag = 1;
        event->ignore();
        return;
    }
    TForm::closeEvent(event);
}

void TProgramowanieKlawiszySzybkich2::resizeEvent(QResizeEvent* event)
{
    TForm::resizeEvent(event);
    Panel7->move((width() - Panel7->width()) / 2, (height() - Panel7->height()) / 2);
}
