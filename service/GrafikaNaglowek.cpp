#include "service/GrafikaNaglowek.h"

#include "core/DatabaseFiles.h"
#include "link/Commands.h"
#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "platform/Time.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

TGrafikaNaglowek* GrafikaNaglowek = nullptr;

namespace {

const QString OpenFilter = QStringLiteral("Bitmap, JPEG (*.bmp, *.jpg, *.jpeg)|*.bmp; *.jpg; *.jpeg");
const QString SaveFilter = QStringLiteral("Bitmap (*.bmp)|*.bmp");
const QString ReceiptOpenText = QStringLiteral("Operacja niedozwolona:\nOtwarty Paragon!");
const QString NoLinkText = QStringLiteral("Brak komunikacji.");
constexpr int ErrorRetryWaitMs = 500;

QPushButton* MakeButton(const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setAutoDefault(false);
    b->setMinimumHeight(30);
    return b;
}

} // namespace

TUpDown::TUpDown(Qt::Orientation orientation, int min, int max, int step, int start, const QString& hint,
                 QWidget* parent)
    : QWidget(parent), Position(start), Min(min), Max(max), Step(step)
{
    setToolTip(hint);
    const bool vertical = orientation == Qt::Vertical;
    UpButton = new QToolButton(this);
    DownButton = new QToolButton(this);
    UpButton->setArrowType(vertical ? Qt::UpArrow : Qt::RightArrow);
    DownButton->setArrowType(vertical ? Qt::DownArrow : Qt::LeftArrow);
    for (QToolButton* b : {UpButton, DownButton}) {
        b->setToolTip(hint);
        b->setFixedSize(vertical ? QSize(22, 14) : QSize(16, 22));
    }
    QBoxLayout* l = vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(this)) : new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    if (vertical) {
        l->addWidget(UpButton);
        l->addWidget(DownButton);
    } else {
        l->addWidget(DownButton);
        l->addWidget(UpButton);
    }
    connect(UpButton, &QToolButton::clicked, this, [this] { emit Clicked(true); });
    connect(DownButton, &QToolButton::clicked, this, [this] { emit Clicked(false); });
}

bool TUpDown::StepBy(bool up)
{
    const int moved = std::clamp(Position + (up ? Step : -Step), Min, Max);
    if (moved == Position)
        return false;
    Position = moved;
    return true;
}

TGrafikaNaglowek::TGrafikaNaglowek(QWidget* parent) : TForm(parent), instance_(GrafikaNaglowek, this)
{
    setWindowTitle(QStringLiteral("Grafika w nagłówku i stopce"));
    auto* main = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Programowanie grafiki kasy ORVA RIVO"), this);
    title->setStyleSheet(QStringLiteral("font-size: 13pt; font-weight: bold; color: #1f4e9a;"));
    main->addWidget(title);

    // The file row: open, save, the name, the picture as chosen.
    SpeedButton4 = new QToolButton(this);
    SpeedButton4->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    SpeedButton4->setToolTip(QStringLiteral("Otwórz plik grafiki"));
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    SpeedButton1->setToolTip(QStringLiteral("Zapisz plik grafiki"));
    for (QToolButton* b : {SpeedButton4, SpeedButton1})
        b->setIconSize(QSize(24, 24));
    Label7 = new QLabel(QStringLiteral("Brak"), this);
    Label7->setStyleSheet(QStringLiteral("font-weight: bold;"));
    Image1 = new QLabel(this);
    Image1->setFixedSize(193, 81);
    Image1->setFrameShape(QFrame::Box);
    Image1->setAlignment(Qt::AlignCenter);
    LabelSzerokosc = new QLabel(this);
    LabelWysokosc = new QLabel(this);
    auto* fileBox = new QGridLayout;
    auto* tools = new QHBoxLayout;
    tools->addWidget(SpeedButton4);
    tools->addWidget(SpeedButton1);
    tools->addStretch(1);
    fileBox->addLayout(tools, 0, 0, 1, 2);
    fileBox->addWidget(new QLabel(QStringLiteral("Plik grafiki:"), this), 1, 0);
    fileBox->addWidget(Label7, 1, 1);
    auto* size = new QHBoxLayout;
    size->addWidget(LabelSzerokosc);
    size->addWidget(new QLabel(QStringLiteral("x"), this));
    size->addWidget(LabelWysokosc);
    size->addStretch(1);
    fileBox->addWidget(new QLabel(QStringLiteral("Rozmiar:"), this), 2, 0);
    fileBox->addLayout(size, 2, 1);
    fileBox->setColumnStretch(1, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(fileBox, 1);
    top->addWidget(Image1);
    main->addLayout(top);

    // The print view with its controls.
    auto* viewTitle = new QLabel(QStringLiteral("Widok grafiki na wydruku"), this);
    viewTitle->setStyleSheet(QStringLiteral("font-weight: bold;"));
    main->addWidget(viewTitle);
    Image2 = new QLabel(this);
    Image2->setFixedSize(GraphicCanvasWidth + 2, 2 * GraphicCanvasHeight + 2);
    Image2->setFrameShape(QFrame::Box);
    UpDown2 = new TUpDown(Qt::Vertical, 0, 255, 2, 128, QStringLiteral("Kontrast"), this);
    UpDown9 = new TUpDown(Qt::Vertical, -95, 95, 3, 0, QStringLiteral("Przesów grafiki góra/dół"), this);
    UpDown10 = new TUpDown(Qt::Horizontal, -380, 380, 4, 0, QStringLiteral("Przesów grafiki lewo/prawo"), this);
    UpDown11 = new TUpDown(Qt::Vertical, -46, 46, 1, 0, QStringLiteral("Powiększenie w pionie"), this);
    UpDown12 = new TUpDown(Qt::Horizontal, -184, 184, 4, 0, QStringLiteral("Powiększenie w poziomie"), this);
    UpDown1 = new TUpDown(Qt::Vertical, -46, 46, 1, 0, QStringLiteral("Proporcjonalna zmiana rozmiaru grafiki"), this);
    Button1 = MakeButton(QStringLiteral("RESET"), this);
    auto* controls = new QGridLayout;
    auto caption = [this](const QString& t) { return new QLabel(t, this); };
    controls->addWidget(caption(QStringLiteral("Kontrast")), 0, 0);
    controls->addWidget(UpDown2, 0, 1);
    controls->addWidget(caption(QStringLiteral("Przesów")), 1, 0);
    auto* shift = new QHBoxLayout;
    shift->addWidget(UpDown9);
    shift->addWidget(UpDown10);
    controls->addLayout(shift, 1, 1);
    controls->addWidget(caption(QStringLiteral("Powiększenie")), 2, 0);
    auto* zoom = new QHBoxLayout;
    zoom->addWidget(UpDown11);
    zoom->addWidget(UpDown12);
    zoom->addWidget(UpDown1);
    controls->addLayout(zoom, 2, 1);
    controls->addWidget(Button1, 3, 0, 1, 2);
    controls->setRowStretch(4, 1);
    auto* view = new QHBoxLayout;
    view->addWidget(Image2);
    view->addLayout(controls);
    view->addStretch(1);
    main->addLayout(view);

    // Sending and deleting.
    BitBtn2 = MakeButton(QStringLiteral(" &Wyślij nagłówek"), this);
    BitBtn1 = MakeButton(QStringLiteral(" Wyślij stopkę"), this);
    BitBtn8 = MakeButton(QStringLiteral("Usuń nagłówek"), this);
    BitBtn3 = MakeButton(QStringLiteral("Usuń stopkę"), this);
    BitBtn6 = MakeButton(QStringLiteral("&Anuluj"), this);
    BitBtn6->hide();
    BitBtn6->setEnabled(false);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    Label1 = new QLabel(QStringLiteral("0"), this);
    Label8 = new QLabel(QStringLiteral("18.05"), this);
    Label8->setStyleSheet(QStringLiteral("color: gray;"));
    auto* progress = new QHBoxLayout;
    progress->addWidget(ProgressBar1, 1);
    progress->addWidget(Label1);
    progress->addWidget(new QLabel(QStringLiteral("%"), this));
    main->addLayout(progress);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BitBtn2, BitBtn1, BitBtn8, BitBtn3})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn6);
    buttons->addWidget(Label8, 0, Qt::AlignBottom);
    main->addLayout(buttons);

    connect(SpeedButton4, &QToolButton::clicked, this, [this] { SpeedButton4Click(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(UpDown2, &TUpDown::Clicked, this, [this](bool up) { UpDown2Click(up); });
    connect(UpDown9, &TUpDown::Clicked, this, [this](bool up) { UpDown9Click(up); });
    connect(UpDown10, &TUpDown::Clicked, this, [this](bool up) { UpDown10Click(up); });
    connect(UpDown11, &TUpDown::Clicked, this, [this](bool up) { UpDown11Click(up); });
    connect(UpDown12, &TUpDown::Clicked, this, [this](bool up) { UpDown12Click(up); });
    connect(UpDown1, &TUpDown::Clicked, this, [this](bool up) { UpDown1Click(up); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn8, &QPushButton::clicked, this, [this] { BitBtn8Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(BitBtn6, &QPushButton::clicked, this, [this] { BitBtn6Click(); });

    // The white field is there from the start.
    ApplyOffsets();
}

// ---- the picture ----

void TGrafikaNaglowek::SpeedButton4Click()
{
    const QString path = CurrentPrompts().OpenFileName(QString(), QtFileFilter(OpenFilter), GraphicFileName);
    if (path.isEmpty())
        return;
    const QImage picture = LoadGraphicFile(path);
    if (picture.isNull()) {
        ShowMessage(QStringLiteral("Nie mogę otworzyc pliku") + path + u'.');
        return;
    }
    GraphicFileName = path;
    Label7->setText(QFileInfo(path).fileName());
    GraphicLoaded = true;
    Image1->setPixmap(QPixmap::fromImage(PreviewOf(picture, Image1->size() - QSize(2, 2))));
    SourceBitmap = picture;
    ConvertedBitmap = MonochromeOfSource(picture);
    UpDown2->Position = 128;
    GraphicWidth = GraphicCanvasWidth;
    GraphicHeight = GraphicCanvasHeight;
    LabelSzerokosc->setText(QString::number(GraphicWidth));
    LabelWysokosc->setText(QString::number(GraphicHeight));
    Button1Click();
}

void TGrafikaNaglowek::UpDown2Click(bool up)
{
    UpDown2->StepBy(up);
    if (!GraphicLoaded)
        return;
    if (const std::optional<MonoPicture> thresholded = ContrastOfSource(SourceBitmap, UpDown2->Position)) {
        ConvertedBitmap = *thresholded;
        ApplyOffsets();
    }
}

void TGrafikaNaglowek::StepControl(TUpDown* control, GraphicControl which, bool up)
{
    if (StepGraphicControl(which, up, control->Position, GraphicDestRect))
        ApplyOffsets();
}

void TGrafikaNaglowek::UpDown9Click(bool up) { StepControl(UpDown9, GraphicControl::ShiftVertical, up); }
void TGrafikaNaglowek::UpDown10Click(bool up) { StepControl(UpDown10, GraphicControl::ShiftHorizontal, up); }
void TGrafikaNaglowek::UpDown11Click(bool up) { StepControl(UpDown11, GraphicControl::ZoomVertical, up); }
void TGrafikaNaglowek::UpDown12Click(bool up) { StepControl(UpDown12, GraphicControl::ZoomHorizontal, up); }
void TGrafikaNaglowek::UpDown1Click(bool up) { StepControl(UpDown1, GraphicControl::ZoomBoth, up); }

void TGrafikaNaglowek::Button1Click()
{
    GraphicDestRect = GraphicRect{};
    for (TUpDown* u : {UpDown1, UpDown9, UpDown10, UpDown11, UpDown12})
        u->Position = 0;
    ApplyOffsets();
}

void TGrafikaNaglowek::ApplyOffsets()
{
    PrintViewBitmap = ApplyGraphicOffsets(ConvertedBitmap, GraphicDestRect);
    Image2->setPixmap(QPixmap::fromImage(GraphicImage(PrintViewBitmap)
                                             .scaled(GraphicCanvasWidth, 2 * GraphicCanvasHeight)));
}

void TGrafikaNaglowek::SpeedButton1Click()
{
    QString path = CurrentPrompts().SaveFileName(QString(), QtFileFilter(SaveFilter), GraphicFileName);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".bmp");
    if (!ConfirmOverwrite(path, QStringLiteral(" już istnieje.Kontynuować? ")))
        return;
    SaveWholeFile(path, GraphicBmpFile(PrintViewBitmap));
}

// ---- the register ----

void TGrafikaNaglowek::BitBtn2Click() { SendGraphic(true); }
void TGrafikaNaglowek::BitBtn1Click() { SendGraphic(false); }
void TGrafikaNaglowek::BitBtn8Click() { DeleteGraphic(true); }
void TGrafikaNaglowek::BitBtn3Click() { DeleteGraphic(false); }

void TGrafikaNaglowek::SendGraphic(bool header)
{
    ExchangeGuard guard(BitBtn6);
    if (GraphicHeight == 0) {
        ShowMessage(QStringLiteral("Brak wczytanego obrazu!"));
        return;
    }
    const GraphicBytesArray bytes = GraphicBytesOf(PrintViewBitmap);
    Link.AbortRequestFlag = 0;
    SetTransferLock(true);
    bool errorOnce = false;
    int row = 0;
    QString message;
    while (row < GraphicHeight) {
        ProcessMessages();
        if (Link.AbortRequestFlag)
            break;
        const uint16_t number = row == GraphicHeight - 1 ? SingleFrameNumber : 1;
        ProgressBar1->setValue(row);
        Label1->setText(QString::number(row));
        DrainInput();
        if (header)
            SendHeaderGraphicRow(Link.RegisterAddress, number, uint8_t(row), GraphicRow(bytes, row));
        else
            SendFooterGraphicRow(Link.RegisterAddress, number, uint8_t(row), GraphicRow(bytes, row));
        const int result = ReceiveAckWaitingOutPrinting();
        if (result == AckAccepted || result == AckDone) {
            ++row;
            errorOnce = false;
            continue;
        }
        if (result == AckErrorFrame && !errorOnce) {
            errorOnce = true;
            Sleep(ErrorRetryWaitMs);
            continue;
        }
        if (result == AckReceiptOpen)
            message = ReceiptOpenText;
        else if (result == AckErrorFrame)
            message = ErrorText(Link.ReceiveBuffer[8]);
        else if (result != AckUserStopped)
            message = NoLinkText;
        break;
    }
    SetTransferLock(false);
    ProgressBar1->setValue(0);
    if (row == GraphicHeight)
        message = QStringLiteral("Zakończono wysyłanie.");
    if (!message.isNull())
        ShowMessage(message);
}

void TGrafikaNaglowek::DeleteGraphic(bool header)
{
    DrainInput();
    if (header)
        DeleteHeaderGraphic(Link.RegisterAddress, SingleFrameNumber);
    else
        DeleteFooterGraphic(Link.RegisterAddress, SingleFrameNumber);
    const int result = ReceiveAckWaitingOutPrinting();
    if (result >= AckAccepted && result <= AckDone)
        ShowMessage(header ? QStringLiteral("Nagłówek skasowany") : QStringLiteral("Stopka skasowana"));
    else if (result == AckErrorFrame)
        ShowMessage(ErrorText(Link.ReceiveBuffer[8]));
    else if (result == AckReceiptOpen)
        ShowMessage(ReceiptOpenText);
    else if (result != AckUserStopped)
        ShowMessage(NoLinkText);
}

void TGrafikaNaglowek::SetTransferLock(bool locked)
{
    sending_ = locked;
    for (QWidget* w : std::initializer_list<QWidget*>{SpeedButton4, SpeedButton1, UpDown2, UpDown9, UpDown10,
                                                      UpDown11, UpDown12, UpDown1, Button1, BitBtn2, BitBtn1,
                                                      BitBtn8, BitBtn3})
        w->setEnabled(!locked);
}

// ---- closing ----

void TGrafikaNaglowek::BitBtn6Click() { close(); }

bool TGrafikaNaglowek::FormKeyDown(int key)
{
    if (key != Qt::Key_Escape)
        return false;
    if (sending_)
        Link.AbortRequestFlag = 1;
    else
        close();
    return true;
}

void TGrafikaNaglowek::closeEvent(QCloseEvent* event)
{
    // Closing during a send stops it between rows; the window goes when the send has ended.
    if (sending_) {
        Link.AbortRequestFlag = 1;
        event->ignore();
        return;
    }
    TForm::closeEvent(event);
}
