#include "service/PobieranieEkranu.h"

#include "core/DatabaseFiles.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Prompts.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

TPobieranieEkranu* PobieranieEkranu = nullptr;

namespace {

const QString ReadError = QStringLiteral("Błąd odczytu ekranu!");
// The bound of the read as the port's time-outs give it after a request (10 ms a byte and 1 s);
// a reply that stops short is not waited for to the end.
constexpr int ScreenReadBoundMs = 10 * int(ScreenBitmapSize) + 1000;
constexpr int ScreenReadGapMs = 300;
const QString SaveCaption = QStringLiteral("      ZAPISZ             ");

void SetButtonColour(QPushButton* b, const QColor& colour)
{
    QPalette p = b->palette();
    p.setColor(QPalette::ButtonText, colour);
    b->setPalette(p);
}

} // namespace

TPobieranieEkranu::TPobieranieEkranu(QWidget* parent) : TReadoutWindow(parent), instance_(PobieranieEkranu, this)
{
    setWindowTitle(QStringLiteral("Pobieranie Ekranu"));
    auto* title = new QLabel(QStringLiteral("Pobieranie ekranu ORVA RIVO "), this);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    BitBtn2 = new QPushButton(QStringLiteral("ODCZYTAJ"), this);
    BitBtn1 = new QPushButton(SaveCaption, this);
    BitBtn3 = new QPushButton(QStringLiteral("&Anuluj"), this);
    CheckBox2 = new QCheckBox(QStringLiteral("Negatyw"), this);
    CheckBox1 = new QCheckBox(this);
    CheckBox1->setChecked(true);
    Button3 = new QPushButton(QStringLiteral("-"), this);
    Button4 = new QPushButton(QStringLiteral("+"), this);
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, Button3, Button4})
        b->setAutoDefault(false);
    Shape1 = new QFrame(this);
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setFixedSize(432, 280);
    Image1 = new QLabel(Shape1);
    Image1->setScaledContents(true);
    Label5 = new QLabel(QStringLiteral("BRAK"), Shape1);
    Label5->setGeometry(0, 120, 432, 40);
    Label5->setAlignment(Qt::AlignCenter);
    Label4 = new QLabel(QStringLiteral("Brak"), this);

    auto* zoom = new QHBoxLayout;
    zoom->addWidget(CheckBox1);
    zoom->addWidget(Button3);
    zoom->addWidget(Button4);
    zoom->addStretch(1);
    zoom->addWidget(CheckBox2);
    auto* status = new QGridLayout;
    status->addWidget(new QLabel(QStringLiteral("Zapisany plik:"), this), 0, 0);
    status->addWidget(Label4, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn1);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn3);
    auto* main = new QVBoxLayout(this);
    main->addWidget(title);
    main->addWidget(new QLabel(QStringLiteral("Widok ekranu:"), this));
    main->addWidget(Shape1, 0, Qt::AlignHCenter);
    main->addLayout(zoom);
    main->addLayout(status);
    main->addLayout(buttons);

    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    ApplyZoom();
    ShowPicture(false);
}

void TPobieranieEkranu::ShowPicture(bool shown)
{
    Image1->setVisible(shown);
    Label5->setVisible(!shown);
}

void TPobieranieEkranu::ApplyZoom()
{
    Image1->setGeometry(Zoom.Left, Zoom.Top - 56, Zoom.Width, Zoom.Height);
    Image1->setScaledContents(Zoom.Stretch);
    CheckBox1->setText(Zoom.Caption());
}

void TPobieranieEkranu::BitBtn2Click()
{
    BeginTransfer({});
    DrainInput();
    SendCommandWithWord(Link.RegisterAddress, SingleFrameNumber, '#', 0);
    std::array<uint8_t, ScreenBitmapSize> reply{};
    bool stopped = false;
    const std::size_t got = ReadRawReply(reply.data(), reply.size(), ScreenReadBoundMs, ScreenReadGapMs, &stopped);
    EndTransfer();
    if (stopped) {
        // The user's stop is no read error: a screen read before stays as it was.
        ShowMessage(TransferStoppedText);
        return;
    }
    ScreenRead = false;
    QPixmap picture;
    const bool good = LooksLikeScreenBitmap(reply.data(), got);
    if (good) {
        if (!CheckBox2->isChecked())
            InvertScreenPixels(reply.data());
        picture.loadFromData(reply.data(), uint(reply.size()), "BMP");
    }
    if (picture.isNull()) {
        // A whole error frame says what the register refused.
        if (got == 11 && reply[0] == FrameStart && reply[2] == 11 && reply[6] == ReplyAttention &&
            reply[10] == FrameEnd)
            ShowRegisterError(reply[8]);
        else
            ShowMessage(ReadError);
        Label4->setText(ReadError);
        ShowPicture(false);
        return;
    }
    Screen = reply;
    ScreenRead = true;
    Image1->setPixmap(picture);
    SetButtonColour(BitBtn1, QColor(0, 128, 0));
    BitBtn1->setText(SaveCaption);
    Label4->setText(QStringLiteral("Odczytany, gotowy do zapisu"));
    ShowPicture(true);
}

void TPobieranieEkranu::BitBtn1Click()
{
    if (!ScreenRead) {
        ShowMessage(QStringLiteral("Nie odczytany ekran!"));
        return;
    }
    QString path = CurrentPrompts().SaveFileName(QStringLiteral("Zapisz bitmapę ekranu."),
                                                 QStringLiteral("Pliki graficzne (*.bmp)|*.bmp"), {});
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".bmp");
    if (!ConfirmOverwrite(path, ReadoutOverwriteQuestion))
        return;
    if (!SaveWholeFile(path, std::string(Screen.begin(), Screen.end())))
        return;
    // The bytes just written are shown; the file is not opened again (it may no longer be ours).
    QPixmap saved;
    if (saved.loadFromData(Screen.data(), uint(Screen.size()), "BMP"))
        Image1->setPixmap(saved);
    SetButtonColour(BitBtn1, QColor(255, 0, 0));
    BitBtn1->setText(QStringLiteral("PLIK ZAPISANY "));
    BitBtn2->setText(QStringLiteral("ODCZYTAJ"));
    Label4->setText(path);
    ScreenRead = false;
}

void TPobieranieEkranu::BitBtn3Click() { close(); }

void TPobieranieEkranu::CheckBox1Click()
{
    if (CheckBox1->isChecked())
        Zoom.SetMax();
    else
        Zoom.SetMin();
    ApplyZoom();
}

void TPobieranieEkranu::Button3Click()
{
    if (Zoom.Shrink())
        ApplyZoom();
}

void TPobieranieEkranu::Button4Click()
{
    if (Zoom.Grow())
        ApplyZoom();
}
