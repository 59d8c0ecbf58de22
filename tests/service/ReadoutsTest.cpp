// Group turnover, header, cache dump and screen download against the emulator.
#include "link/Commands.h"
#include "service/KopiaPamieciPodrecznej.h"
#include "service/ObrotGrup.h"
#include "service/PobieranieEkranu.h"
#include "service/PobieranieNaglowka.h"
#include "service/ReadoutLogic.h"
#include "platform/Time.h"
#include "tests/service/ServiceTestUtil.h"

namespace {

// Esc escMs into the read the click starts leaves the window open. The register silent (no baud
// rate), the read ends within 400 ms; on a line paced at baud, the reply is let end, so the click
// right after reads clean. Returns what the stopped read said.
QStringList EscDuringRead(ServiceRig& rig, QWidget& w, const std::function<void()>& click, unsigned baud = 0,
                          int escMs = 150)
{
    rig.fx.Emu().LockFaults()->SilentRequests = baud ? 0 : 1;
    rig.fx.SetBaud(baud);
    long long pressed = 0;
    QTimer esc;   // ends with the call: a read that lets no events run fails, and nothing fires later
    esc.setSingleShot(true);
    QObject::connect(&esc, &QTimer::timeout, &w, [&] { pressed = MonotonicMs(); PressKey(w, Qt::Key_Escape); });
    esc.start(escMs);
    w.show();
    click();
    EXPECT_GT(pressed, 0) << "no events during the read";
    if (!baud)
        EXPECT_LT(MonotonicMs() - pressed, 400);
    EXPECT_TRUE(w.isVisible());
    const QStringList said = rig.prompts.TakeTexts();
    if (baud)
        click();
    w.hide();
    return said;
}

emu::Bytes Turnover(uint8_t month, uint16_t year, uint32_t group1)
{
    emu::Bytes r(83, 0);
    r[0] = month;
    emu::PutU16(&r[1], year);
    emu::PutU32(&r[3], group1);
    return r;
}

} // namespace

TEST_P(LinkTest, GroupTurnoverListsEachMonthHeaderShowsSixLinesCacheDumpOnlyWhenComplete)
{
    ServiceRig rig(GetParam());
    ASSERT_TRUE(rig.connected);
    rig.fx.Emu().SetGroupTurnover({Turnover(1, 2026, 12345), Turnover(0, 0, 99), Turnover(2, 2026, 0)});
    TObrotGrup w;
    w.BitBtn6Click();
    const QStringList lines = w.Memo1->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 44);
    EXPECT_EQ(lines[0], QStringLiteral("Obrót w miesiącu 1-2026"));
    EXPECT_EQ(lines[1], QStringLiteral("Grupa towarowa nr. 1: 123,45"));
    EXPECT_EQ(lines[20], QStringLiteral("Grupa towarowa nr. 20: 0,00"));
    EXPECT_EQ(lines[21], QString(32, '-'));
    EXPECT_EQ(lines[22], QStringLiteral("Obrót w miesiącu 2-2026"));
    EXPECT_EQ(lines[23], QStringLiteral("Grupa towarowa nr. 1: 0,00"));
    EXPECT_TRUE(rig.prompts.Texts().isEmpty());

    // A checksum error ends the read with status 1; the lines before it stay.
    rig.fx.Emu().LockFaults()->WrongChecksumDataFrame = 2;
    rig.fx.Emu().ClearReceived();
    w.BitBtn6Click();
    EXPECT_EQ(w.Memo1->toPlainText().split('\n').size(), 22);
    EXPECT_TRUE(rig.prompts.TakeTexts().contains("Błąd CRC!"));
    EXPECT_TRUE(WaitForAck(rig.fx, 1));

    // Esc while the register says nothing is a stop, not a transmission error.
    EXPECT_TRUE(EscDuringRead(rig, w, [&] { w.BitBtn6Click(); }).isEmpty());

    // The header shows its six lines.
    emu::Bytes setting(259, 0);
    std::memcpy(&setting[0], "SKLEP", 5);
    std::memcpy(&setting[42 * 1], "AB\0CD", 5);  // a zero byte inside a line joins its sides
    std::memcpy(&setting[42 * 5], "KONIEC", 6);
    std::memcpy(&setting[252], "XYZ", 3);  // past the six lines
    rig.fx.Emu().PutSetting('N', setting);
    TPobieranieNaglowka header;
    header.Button1Click();
    EXPECT_EQ(header.RichEdit1->toPlainText(), "SKLEP\nABCD\n\n\n\nKONIEC");
    EXPECT_TRUE(rig.prompts.Texts().isEmpty());

    // So in the header: it says so, the lines stay and the register is told to stop.
    rig.fx.Emu().ClearReceived();
    EXPECT_EQ(EscDuringRead(rig, header, [&] { header.Button1Click(); }), QStringList{"Komunikacja przerwana przez użytkownika."});
    EXPECT_EQ(header.RichEdit1->toPlainText(), "SKLEP\nABCD\n\n\n\nKONIEC");
    EXPECT_TRUE(WaitForAck(rig.fx, 4));

    // The cache dump writes its file only when complete; over TCP one packet more than the nominal 8192.
    const std::size_t packets = GetParam() ? 8193 : 1;
    emu::Bytes cache(256 * packets);
    for (std::size_t i = 0; i < cache.size(); ++i)
        cache[i] = uint8_t(i);
    rig.fx.Emu().KeepHistory(false);
    rig.fx.Emu().SetCacheMemory(cache);
    TKopiaPamieciPodrecznej dump;
    dump.Button1Click();
    EXPECT_EQ(dump.Label2->text(), QString::number(packets));
    EXPECT_EQ(rig.prompts.TakeTexts(),
              QStringList{QStringLiteral("Pamięć podręczna zapisana do pliku 'Kopia_cache.bin'.")});
    const std::string file = ReadWhole(rig.env.Path("Kopia_cache.bin"));
    ASSERT_GT(file.size(), cache.size());
    EXPECT_EQ(file.substr(0, cache.size()), std::string(cache.begin(), cache.end()));
    EXPECT_EQ(file.substr(cache.size(), 24), "\rData wykoniania kopii: ");
    EXPECT_EQ(CacheDumpTrailer(QDateTime({2026, 12, 6}, {1, 2, 3})), "\rData wykoniania kopii: 6.12.2026 01:02:03");
    EXPECT_EQ(file.size(), cache.size() + CacheDumpTrailer(QDateTime::currentDateTime()).size());

    // A failure, a checksum error and a stop each leave that file as it was; once, over the serial line.
    if (GetParam())
        return;
    rig.fx.Emu().SetCacheMemory(emu::Bytes(256 * 3, 0x55));
    rig.fx.Emu().LockFaults()->SilentAfterDataFrames = 1;
    dump.Button1Click();
    EXPECT_EQ(rig.prompts.TakeTexts().back(), QStringLiteral("Błąd transmisji"));
    rig.fx.Emu().LockFaults()->WrongChecksumDataFrame = 2;
    dump.Button1Click();
    EXPECT_TRUE(rig.prompts.TakeTexts().contains("Błąd CRC!"));
    QTimer::singleShot(0, dump.Button2, [&] { dump.Button2->click(); });
    dump.Button1Click();
    EXPECT_TRUE(rig.prompts.Texts().isEmpty());
    EXPECT_EQ(ReadWhole(rig.env.Path("Kopia_cache.bin")), file);

    // Esc while a frame or the header arrives at 2400 baud: the read right after is whole, and so
    // is one after a reply left arriving, however slow the line.
    EXPECT_TRUE(EscDuringRead(rig, w, [&] { w.BitBtn6Click(); }, 2400, 200).isEmpty());
    EXPECT_EQ(EscDuringRead(rig, header, [&] { header.Button1Click(); }, 2400, 400), QStringList{TransferStoppedText});
    SendCommandWithWord(Link.RegisterAddress, SingleFrameNumber, 'N', 0);
    uint8_t first = 0;
    bool more = false;
    ASSERT_TRUE(WaitUntil([&] { return ReadWaiting(&first, 1, 10, more) == 1; }));
    header.Button1Click();
    EXPECT_TRUE(rig.prompts.Texts().isEmpty());
}

TEST(ScreenWindow, NegativeSaveTwiceZoomAndShortReply)
{
    ServiceRig rig(false);
    ASSERT_TRUE(rig.connected);
    const emu::Bytes screen = rig.fx.Emu().ScreenBitmap();
    TPobieranieEkranu w;
    for (bool negative : {true, false}) {
        SCOPED_TRACE(negative);
        w.CheckBox2->setChecked(negative);
        w.BitBtn2Click();
        EXPECT_EQ(w.Label4->text(), QStringLiteral("Odczytany, gotowy do zapisu"));
        const std::string name = negative ? "n.bmp" : "p.bmp", path = rig.env.Path(name);
        rig.prompts.SaveFile(QString::fromStdString(path));
        const std::vector<std::string> opened = NamesOpenedIn(rig.env.Folder(), [&] { w.BitBtn1Click(); });
        EXPECT_EQ(std::count(opened.begin(), opened.end(), name), 0);   // shown as written, not read back
        EXPECT_EQ(w.BitBtn1->text(), QStringLiteral("PLIK ZAPISANY "));
        const std::string saved = ReadWhole(path);
        ASSERT_EQ(saved.size(), ScreenBitmapSize);
        EXPECT_EQ(saved.substr(0, 62), std::string(screen.begin(), screen.begin() + 62));
        for (std::size_t i = 62; i < ScreenBitmapSize; ++i)
            ASSERT_EQ(uint8_t(saved[i]), negative ? screen[i] : uint8_t(~screen[i])) << i;
    }
    rig.prompts.Clear();
    w.BitBtn1Click();
    EXPECT_EQ(rig.prompts.TakeTexts(), QStringList{QStringLiteral("Nie odczytany ekran!")});

    for (int i = 0; i < 20; ++i)
        w.Button3Click();
    EXPECT_EQ(w.Zoom.Width, 128);
    EXPECT_EQ(w.CheckBox1->text(), QStringLiteral("Rozmiar = 98 % (MIN)"));
    for (int i = 0; i < 17; ++i)
        w.Button4Click();
    EXPECT_EQ(w.Zoom.Width, 400);
    EXPECT_EQ(w.CheckBox1->text(), QStringLiteral("Rozmiar = 200 % (MAX)"));
    EXPECT_EQ(w.Image1->geometry(), QRect(16, 8, 400, 200));

    // A short reply reads nothing that could be saved.
    rig.fx.Emu().SetScreenBitmap(emu::Bytes(screen.begin(), screen.begin() + 500));
    w.BitBtn2Click();
    w.BitBtn1Click();
    EXPECT_EQ(rig.prompts.Texts(),
              (QStringList{QStringLiteral("Błąd odczytu ekranu!"), QStringLiteral("Nie odczytany ekran!")}));
    EXPECT_FALSE(w.Image1->isVisibleTo(&w));

    // Esc during a silent read is a stop, not a fault: the screen read before stays.
    rig.fx.Emu().SetScreenBitmap(screen);
    w.BitBtn2Click();
    rig.prompts.Clear();
    EXPECT_EQ(EscDuringRead(rig, w, [&] { w.BitBtn2Click(); }), QStringList{TransferStoppedText});
    EXPECT_EQ(w.Label4->text(), QStringLiteral("Odczytany, gotowy do zapisu"));
    EXPECT_TRUE(w.Image1->isVisibleTo(&w) && w.BitBtn2->isEnabled());

    // So while the bitmap arrives at 9600 baud; the read right after it is whole.
    EXPECT_EQ(EscDuringRead(rig, w, [&] { w.BitBtn2Click(); }, 9600, 500), QStringList{TransferStoppedText});
    EXPECT_TRUE(rig.prompts.Texts().isEmpty());
}
