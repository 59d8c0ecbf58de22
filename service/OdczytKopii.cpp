#include "service/OdczytKopii.h"

#include "core/AppState.h"
#include "core/DatabaseFiles.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/Cp1250.h"
#include "platform/Prompts.h"
#include "platform/Time.h"
#include "service/CopyStream.h"
#include "service/ReportLogic.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

TOdczytKopii* OdczytKopii = nullptr;

namespace {

const QString BadInput = QStringLiteral("Błędnie wprowadzone dane");
// The stream is waited for in short slices so that Esc is seen.
constexpr int WaitSliceMs = 50;
// Before the first chunk the register gets this much more time.
constexpr int StartWaitMs = 1000;

QComboBox* Combo(const QStringList& items, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->addItems(items);
    c->setCurrentIndex(1);
    return c;
}

QStringList RangeItems() { return {QStringLiteral("Całość kopii"), QStringLiteral("Tylko raporty")}; }
QStringList HandlingItems()
{
    return {QStringLiteral("Drukowanie na kasie"), QStringLiteral("Wysyłanie do komputera")};
}

QLineEdit* NumberEdit(const QString& text, int maxLength, QWidget* parent)
{
    auto* e = new QLineEdit(text, parent);
    e->setMaxLength(maxLength);
    return e;
}

// The pause that ends a chunk: three characters' time at the line's rate, but never under 2 ms:
// the bytes of one chunk may pause for a millisecond or so on a loaded PC, and a chunk cut in two
// would get two 0xAA. Over TCP, where a chunk may come in packets, 5 ms.
int ChunkGapMs()
{
    if (LinkSettings.LinkType != 0 || LinkSettings.BaudRate == 0)
        return 5;
    return std::max(2, int((30000 + LinkSettings.BaudRate - 1) / LinkSettings.BaudRate));
}

QString ReportsMessage(int documents) { return QStringLiteral("Odebrano [ %1 ] dokum.").arg(documents); }

} // namespace

TOdczytKopii::TOdczytKopii(QWidget* parent) : TReadoutWindow(parent), instance_(OdczytKopii, this)
{
    setWindowTitle(QStringLiteral("Odczyt kopii elektronicznej"));
    auto* title = new QLabel(QStringLiteral("Odczyt kopii elektronicznej"), this);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    PageControl1 = new QTabWidget(this);

    auto* numbers = new QWidget;
    Edit1 = NumberEdit(QStringLiteral("1"), 4, numbers);
    Edit2 = NumberEdit(QStringLiteral("2"), 4, numbers);
    Edit3 = NumberEdit(QStringLiteral("1"), 5, numbers);
    Edit4 = NumberEdit(QStringLiteral("2"), 5, numbers);
    ComboBox1 = Combo(RangeItems(), numbers);
    ComboBox2 = Combo(HandlingItems(), numbers);
    Edit5 = new QLineEdit(QStringLiteral("0"), numbers);
    auto* nl = new QFormLayout(numbers);
    nl->addRow(QStringLiteral("Numer raportu początkowego (1-2000)"), Edit1);
    nl->addRow(QStringLiteral("Numer raportu końcowego (1-2000)"), Edit2);
    nl->addRow(QStringLiteral("Numer paragonu początkowego (1-99999)"), Edit3);
    nl->addRow(QStringLiteral("Numer paragonu końcowego (1-99999)"), Edit4);
    nl->addRow(QStringLiteral("Zakres"), ComboBox1);
    nl->addRow(QStringLiteral("Obsługa kopii"), ComboBox2);
    nl->addRow(QStringLiteral("Odczytano bajtów"), Edit5);
    PageControl1->addTab(numbers, QStringLiteral("Według numerów"));

    auto* dates = new QWidget;
    const QDateTime now = QDateTime::currentDateTime();
    DateTimePicker1 = new QDateEdit(now.date(), dates);
    DateTimePicker2 = new QDateEdit(now.date(), dates);
    DateTimePicker3 = new QTimeEdit(now.time(), dates);
    DateTimePicker4 = new QTimeEdit(now.time(), dates);
    for (QDateEdit* d : {DateTimePicker1, DateTimePicker2})
        d->setCalendarPopup(true);
    ComboBox3 = Combo(RangeItems(), dates);
    ComboBox4 = Combo(HandlingItems(), dates);
    auto* dl = new QFormLayout(dates);
    dl->addRow(QStringLiteral("Data od"), DateTimePicker1);
    dl->addRow(QStringLiteral("Data do"), DateTimePicker2);
    dl->addRow(QStringLiteral("Godzina od"), DateTimePicker3);
    dl->addRow(QStringLiteral("Godzina do"), DateTimePicker4);
    dl->addRow(QStringLiteral("Zakres"), ComboBox3);
    dl->addRow(QStringLiteral("Obsługa kopii"), ComboBox4);
    PageControl1->addTab(dates, QStringLiteral("Według dat"));

    auto* cache = new QWidget;
    ComboBox5 = Combo(HandlingItems(), cache);
    Edit6 = new QLineEdit(QStringLiteral("0"), cache);
    auto* cl = new QFormLayout(cache);
    cl->addRow(new QLabel(QStringLiteral("Drukowanie zawartości pamięci podręcznej"), cache));
    cl->addRow(QStringLiteral("Obsługa kopii"), ComboBox5);
    cl->addRow(QStringLiteral("Odczytano bajtów"), Edit6);
    PageControl1->addTab(cache, QStringLiteral("Pamięć podręczna"));

    auto* last = new QWidget;
    ComboBox6 = Combo(HandlingItems(), last);
    auto* ll = new QFormLayout(last);
    ll->addRow(new QLabel(QStringLiteral("Drukowanie ostatniego dokumentu fiskalnego"), last));
    ll->addRow(QStringLiteral("Obsługa kopii"), ComboBox6);
    PageControl1->addTab(last, QStringLiteral("Ostatni paragon"));

    Memo1 = new QPlainTextEdit(this);
    // The memo shows what the register sent; saving writes exactly that.
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    BitBtn1 = new QPushButton(QStringLiteral("Odczytaj"), this);
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    Button1 = new QPushButton(QStringLiteral("Wyjdź"), this);
    StaticText1 = new QLabel(QStringLiteral("02.09"), this);
    for (QPushButton* b : {BitBtn1, Button1})
        b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(SpeedButton1);
    buttons->addStretch(1);
    buttons->addWidget(StaticText1);
    buttons->addWidget(Button1);
    auto* main = new QVBoxLayout(this);
    main->addWidget(title);
    main->addWidget(PageControl1);
    main->addWidget(Memo1, 1);
    main->addLayout(buttons);
    resize(620, 640);

    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TOdczytKopii::BitBtn1Click()
{
    Memo1->clear();
    DrainInput();
    const uint8_t address = Link.RegisterAddress;
    int handling = 1;
    int documents = 1;
    switch (PageControl1->currentIndex()) {
    case 0: {
        int first = 0, last = 0, firstReceipt = 0, lastReceipt = 0;
        const bool numbers = ParseWholeNumber(Edit1->text(), first) && ParseWholeNumber(Edit2->text(), last) &&
                             ParseWholeNumber(Edit3->text(), firstReceipt) &&
                             ParseWholeNumber(Edit4->text(), lastReceipt);
        // A last report below the first would never complete the stream; a negative receipt
        // number would wrap.
        if (!numbers || first < 1 || first > App.MaxGoodsCount || last < 1 || last > App.MaxGoodsCount ||
            last < first || firstReceipt < 0 || lastReceipt < 0) {
            ShowMessage(BadInput);
            return;
        }
        handling = ComboBox2->currentIndex() + 1;
        RequestCopyByNumbers(address, SingleFrameNumber, 0, uint16_t(first), uint32_t(firstReceipt), uint16_t(last),
                             uint32_t(lastReceipt), uint8_t(ComboBox1->currentIndex() + 1), uint8_t(handling));
        documents = last - first + 1;
        break;
    }
    case 1: {
        auto at = [](const QDate& d, const QTime& t) {
            CopyDateTime c;
            c.Hour = uint8_t(t.hour());
            c.Minute = uint8_t(t.minute());
            c.Day = uint8_t(d.day());
            c.Month = uint8_t(d.month());
            c.Year = uint16_t(d.year());
            return c;
        };
        handling = ComboBox4->currentIndex() + 1;
        RequestCopyByDates(address, SingleFrameNumber, at(DateTimePicker1->date(), DateTimePicker3->time()),
                           at(DateTimePicker2->date(), DateTimePicker4->time()),
                           uint8_t(ComboBox3->currentIndex() + 1), uint8_t(handling));
        break;
    }
    case 2:
        handling = ComboBox5->currentIndex() + 1;
        RequestCopyCacheMemory(address, SingleFrameNumber, 0, uint8_t(handling));
        break;
    default:
        handling = ComboBox6->currentIndex() + 1;
        RequestCopyLastReceipt(address, SingleFrameNumber, uint8_t(handling));
        break;
    }
    if (handling == 2)
        CzytajDane(documents);
}

void TOdczytKopii::AppendToMemo(const std::string& text)
{
    QString shown = FromCp1250(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Memo1->moveCursor(QTextCursor::End);
    Memo1->insertPlainText(shown);
}

void TOdczytKopii::CzytajDane(int n)
{
    Edit5->setText(QStringLiteral("0"));
    Edit6->setText(QStringLiteral("0"));
    Memo1->clear();
    CopyStreamReader reader(n, [this](const std::string& text) { AppendToMemo(text); });
    std::vector<uint8_t> input(InputBufferSize);
    BeginTransfer({});
    int silenceBound = StartWaitMs + SilenceMs;
    const int gap = ChunkGapMs();
    for (;;) {
        // A chunk is what comes until the line pauses: the register sends the next one only
        // after the 0xAA. Silence, a dead link or Esc before it ends the reception.
        const long long deadline = MonotonicMs() + silenceBound;
        std::size_t got = 0;
        bool more = false;
        for (;;) {
            ProcessMessages();
            const long long left = deadline - MonotonicMs();
            if (got == 0 && (Link.AbortRequestFlag || left <= 0))
                break;
            const int wait = got > 0 ? gap : int(std::min<long long>(left, WaitSliceMs));
            const int r = ReadWaiting(input.data() + got, input.size() - got, wait, more);
            if (r < 0 || (r == 0 && got > 0) || more)
                break;
            got += std::size_t(r);
            if (got == input.size())
                break;
        }
        if (more) {
            ShowMessage(QStringLiteral("Przekroczony BUFOR!"));
            break;
        }
        if (got == 0) {
            if (reader.Documents() == 0)
                ShowMessage(QStringLiteral("Błąd Transmisji 0xAA"));
            else
                ShowMessage(ReportsMessage(reader.Documents()));
            break;
        }
        if (reader.Take(input.data(), got) == CopyStreamReader::Chunk::ErrorFrame) {
            ShowRegisterError(reader.ErrorCode);
            break;
        }
        uint8_t ack = 0xAA;
        SendBytes(&ack, 1, 1);
        if (reader.Complete())
            break;
        silenceBound = SilenceMs;
    }
    reader.Finish();
    EndTransfer();
    const QString total = QString::number(reader.Total());
    Edit5->setText(total);
    Edit6->setText(total);
    if (reader.Complete())
        ShowMessage(ReportsMessage(n));
}

void TOdczytKopii::SpeedButton1Click()
{
    QString path = CurrentPrompts().SaveFileName(QStringLiteral("Zapisz nagłówek do pliku."),
                                                 QStringLiteral("Pliki tekstowe (*.rtf)|*.RTF"), {});
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".rtf");
    if (!ConfirmOverwrite(path, ReadoutOverwriteQuestion))
        return;
    QStringList lines = Memo1->toPlainText().split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    std::string bytes;
    for (const QString& line : lines)
        bytes += ToCp1250(line) + "\r\n";
    SaveWholeFile(path, bytes);
}

void TOdczytKopii::Button1Click() { close(); }
