#include "service/KopiaPamieciPodrecznej.h"

#include "core/DatabaseFiles.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "platform/Prompts.h"
#include "platform/Time.h"
#include "service/ReadoutLogic.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TKopiaPamieciPodrecznej* KopiaPamieciPodrecznej = nullptr;

namespace {

constexpr std::size_t CacheFrameLength = 265;
constexpr std::size_t CacheFrameData = 256;

} // namespace

TKopiaPamieciPodrecznej::TKopiaPamieciPodrecznej(QWidget* parent)
    : TReadoutWindow(parent), instance_(KopiaPamieciPodrecznej, this)
{
    setWindowTitle(QStringLiteral("Zrzut pamięci podręcznej"));
    Button1 = new QPushButton(QStringLiteral("Wykonaj zrzut pamięci podręcznej"), this);
    Button2 = new QPushButton(QStringLiteral("Anuluj"), this);
    for (QPushButton* b : {Button1, Button2})
        b->setAutoDefault(false);
    Panel2 = new QFrame(this);
    Panel2->setFrameShape(QFrame::Box);
    Label2 = new QLabel(QStringLiteral("0"), Panel2);
    auto* pl = new QVBoxLayout(Panel2);
    pl->addWidget(new QLabel(QStringLiteral("Trwa kopiowanie pamięci podręcznej..."), Panel2));
    auto* count = new QHBoxLayout;
    count->addWidget(new QLabel(QStringLiteral("Odebrane pakiety danych:"), Panel2));
    count->addWidget(Label2);
    count->addWidget(new QLabel(QStringLiteral("/ 8192"), Panel2));
    count->addStretch(1);
    pl->addLayout(count);
    Panel2->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addStretch(1);
    buttons->addWidget(Button2);
    auto* main = new QVBoxLayout(this);
    main->addWidget(Panel2);
    main->addStretch(1);
    main->addLayout(buttons);
    resize(420, 160);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TKopiaPamieciPodrecznej::Button1Click()
{
    Label2->setText(QStringLiteral("0"));
    Panel2->show();
    Panel2->repaint();
    BeginTransfer({Button2});
    DrainInput();
    RequestCacheDump(Link.RegisterAddress, 1);
    // The dump is kept in memory and written only when complete: a failed or stopped dump
    // leaves an earlier file as it was.
    std::string dump;
    int packets = 0;
    bool complete = false;
    for (;;) {
        ProcessMessages();
        const int r = ReceiveFrame(CacheFrameLength);
        if (r != FrameMore && r != FrameLast) {
            if (r == FrameChecksumError)
                SendAckStatus1(Link.RegisterAddress);
            break;
        }
        dump.append(reinterpret_cast<const char*>(Link.ReceiveBuffer + 7), CacheFrameData);
        Label2->setText(QString::number(++packets));
        // A stop ends the series with a last result too; that is no complete dump.
        if (r == FrameLast) {
            complete = !Link.AbortRequestFlag;
            break;
        }
    }
    EndTransfer();
    Panel2->hide();
    if (!complete) {
        if (!Link.AbortRequestFlag)
            ShowMessage(QStringLiteral("Błąd transmisji"));
        return;
    }
    dump += CacheDumpTrailer(QDateTime::currentDateTime());
    if (SaveWholeFile(FileName, dump))
        ShowMessage(QStringLiteral("Pamięć podręczna zapisana do pliku 'Kopia_cache.bin'."));
}

void TKopiaPamieciPodrecznej::Button2Click()
{
    if (Transferring())
        StopTransfer();
    else
        close();
}
