// goods_sync: drives the goods synchronisation window's handlers offscreen against the register
// emulator: "&Odśwież" of N register goods (pane filled) and the send of N ticked goods (mirror
// and pane updated), over a pseudo-terminal paced at 115200 baud both ways and over loopback
// TCP. Beside each, the same exchange done by the link alone in the same run.
//
// Paced line: floor = bytes on the wire both ways / 11520 B/s + the waits the window must make
// (50 ms after each accepted record; no printing in the run). Ratios are printed with and
// without those waits in both the time and the floor. A ratio below 1.00 fails the run.
//
// Then the two whole-database copy windows: the register-to-file copy with all eight tables
// ticked (N goods and the register's default records; the save question answered No) and the copy
// to the register with "Baza towarów" ticked (N goods). They have no mandated waits: the floor is
// the wire alone. Over TCP the time per frame (every frame both ways) is printed. Their link-alone
// counterparts are the read and send lines above (the same loops).
//
//   goods_sync [N]      (default 8000)
#include "bench/BenchLink.h"
#include "bench/BenchSupport.h"
#include "core/AppState.h"
#include "core/DatabaseImage.h"
#include "emulator/RegisterEmulator.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/ClientSocket.h"
#include "platform/Prompts.h"
#include "platform/Time.h"
#include "sync/CheckListBox.h"
#include "sync/DatabaseCopy.h"
#include "sync/GoodsSyncLogic.h"
#include "sync/KopiaDoKasy.h"
#include "sync/KopiowanieKasy.h"
#include "sync/SynchronizacjaBazyTowarowej.h"
#include "tables/GoodsLogic.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr std::size_t AckLength = 10;
constexpr std::size_t ReadRequestLength = 11;
constexpr double AcceptedWaitSeconds = 0.050;
constexpr std::size_t StatusReplyLength = 10;
constexpr std::size_t VatReadFrameLength = 31;

// Keeps what the window shows; the send's summary is expected, anything else fails the run.
class RecordedPrompts : public Prompts {
public:
    void Message(const QString& text, const QString&, PromptIcon) override { shown.push_back(text); }
    PromptAnswer Question(const QString& text, const QString&, PromptButtons, PromptIcon) override
    {
        shown.push_back(text);
        return PromptAnswer::No;
    }
    QString OpenFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString SaveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QStringList shown;
};

RecordedPrompts* prompts = nullptr;

struct Run {
    double seconds = 0;
    std::size_t bytes = 0;       // both directions
    double waits = 0;            // the mandated waits inside seconds
    std::size_t frames = 0;      // both directions
    bool ok = false;
};

double Since(long long start) { return double(MonotonicMs() - start) / 1000.0; }

Run WindowRead(TSynchronizacjaBazyTowarowej& w, uint16_t count)
{
    Run r;
    prompts->shown.clear();
    const long long start = MonotonicMs();
    w.BitBtn6Click();
    r.seconds = Since(start);
    r.bytes = ReadRequestLength + count * (GoodsDataFrameLength + AckLength);
    r.ok = w.CheckListBox2->Count() == count && prompts->shown.isEmpty();
    return r;
}

Run LinkRead(uint16_t count)
{
    Run r;
    Link.AbortRequestFlag = 0;
    DrainInput();
    const long long start = MonotonicMs();
    SendCommandWithWord(Link.RegisterAddress, 1, 'T', 0);
    int got = 0;
    for (int result = FrameMore; result == FrameMore; ++got)
        if ((result = ReceiveFrame(GoodsDataFrameLength)) != FrameMore && result != FrameLast)
            return r;
    r.seconds = Since(start);
    r.bytes = ReadRequestLength + count * (GoodsDataFrameLength + AckLength);
    r.ok = got == count;
    return r;
}

Run WindowSend(TSynchronizacjaBazyTowarowej& w, uint16_t count)
{
    Run r;
    prompts->shown.clear();
    w.FormShow();
    w.BitBtn9Click();   // tick all
    const long long start = MonotonicMs();
    w.BitBtn2Click();
    r.seconds = Since(start);
    r.bytes = count * (App.GoodsRecordSize + 10u + AckLength);
    r.waits = count * AcceptedWaitSeconds;
    r.ok = prompts->shown == QStringList{QStringLiteral(" Zaprogramowano %1 towarów.").arg(count)} &&
           w.CheckListBox2->Count() == count;
    return r;
}

Run LinkSend(uint16_t count)
{
    Run r;
    DrainInput();
    const long long start = MonotonicMs();
    for (uint16_t plu = 1; plu <= count; ++plu) {
        SendGoodsRecord(Link.RegisterAddress, plu == count ? uint16_t(plu | LastFrameBit) : plu, plu, plu, 0);
        const int ack = ReceiveAck();
        if (ack != AckAccepted && ack != AckDone)
            return r;
    }
    r.seconds = Since(start);
    r.bytes = count * (App.GoodsRecordSize + 10u + AckLength);
    r.ok = true;
    return r;
}

bool Report(const char* line, const char* what, const Run& window, const Run& link, bool paced)
{
    if (!window.ok || !link.ok) {
        std::printf("%-18s %-5s FAILED (window %s, link %s)\n", line, what, window.ok ? "ok" : "failed",
                    link.ok ? "ok" : "failed");
        return false;
    }
    if (!paced) {
        std::printf("%-18s %-5s %8zu B  window %8.3f s (%.3f s without waits)  link alone %8.3f s  ratio %.3f\n", line,
                    what, window.bytes, window.seconds, window.seconds - window.waits, link.seconds,
                    (window.seconds - window.waits) / link.seconds);
        return true;
    }
    const std::string name = std::string("goods ") + what;
    bool ok = true;
    if (window.waits > 0) {
        ok = ReportAgainstFloor((name + " (window, with waits)").c_str(), window.seconds, window.bytes,
                                {{"50 ms after each accepted record", window.waits}});
        ok = ReportAgainstFloor((name + " (window, without waits)").c_str(), window.seconds - window.waits,
                                window.bytes) && ok;
    } else {
        ok = ReportAgainstFloor((name + " (window)").c_str(), window.seconds, window.bytes);
    }
    return ReportAgainstFloor((name + " (link alone)").c_str(), link.seconds, link.bytes) && ok;
}

// The register-to-file copy's bytes, from what the emulator holds: per table the read request,
// then each record's data frame and its acknowledgement, or the "empty base" status reply. VAT
// rates are one data frame.
struct CopyTable {
    uint8_t letter;
    std::size_t frameLength;
};

void CountRegisterCopy(const emu::RegisterEmulator& emulator, Run& r, int& emptyTables)
{
    // In the order the copy reads them.
    static const CopyTable tables[] = {{'P', VatReadFrameLength},        {'Z', PackagingDataFrameLength},
                                       {'G', GoodsGroupDataFrameLength}, {'T', GoodsDataFrameLength},
                                       {'R', DiscountDataFrameLength},   {'K', CashierDataFrameLength},
                                       {'F', PaymentFormDataFrameLength}, {'W', CurrencyDataFrameLength}};
    emptyTables = 0;
    for (const CopyTable& t : tables) {
        const std::size_t records = t.letter == 'P'   ? 1
                                    : t.letter == 'T' ? emulator.GoodsCount()
                                                      : emulator.TableCount(t.letter);
        r.bytes += ReadRequestLength;
        ++r.frames;
        if (records == 0) {
            r.bytes += StatusReplyLength;
            ++r.frames;
            ++emptyTables;
            continue;
        }
        r.bytes += records * (t.frameLength + AckLength);
        r.frames += 2 * records;
    }
}

std::size_t StoredGoodsCount()
{
    std::size_t n = 0;
    ForEachStoredGoods([&n](unsigned, const uint8_t*) { ++n; });
    return n;
}

Run WindowCopyFromRegister(TKopiowanieKasy& w, const emu::RegisterEmulator& emulator, uint16_t count)
{
    Run r;
    int emptyTables = 0;
    CountRegisterCopy(emulator, r, emptyTables);
    prompts->shown.clear();
    w.List.CheckListBox1->SetAllChecked(true);
    const long long start = MonotonicMs();
    w.Button1Click();
    r.seconds = Since(start);
    // The save question, then "Pusta baza." for each empty table; nothing else.
    QStringList expected{QStringLiteral("Aktualnie edytowana baza zostanie utracona. Czy chcesz zapisać zmiany w "
                                        "aktualnie edytowanej bazie?")};
    for (int i = 0; i < emptyTables; ++i)
        expected << QStringLiteral("Pusta baza.");
    r.ok = prompts->shown == expected && App.CurrentDatabaseFileName == "Bez nazwy" && StoredGoodsCount() == count;
    if (!r.ok)
        std::fprintf(stderr, "copy from the register: %s\n", qPrintable(prompts->shown.join(" | ")));
    return r;
}

Run WindowCopyToRegister(TKopiaDoKasy& w, emu::RegisterEmulator& emulator, uint16_t count)
{
    Run r;
    // An empty goods table on the register: a refused record would leave it short.
    emulator.ClearGoods();
    const std::size_t stored = StoredGoodsCount();
    prompts->shown.clear();
    w.List.CheckListBox1->SetAllChecked(false);
    w.List.CheckListBox1->SetChecked(CopyGoods, true);
    const long long start = MonotonicMs();
    w.Button1Click();
    r.seconds = Since(start);
    r.bytes = stored * (App.GoodsRecordSize + 10u + AckLength);
    r.frames = 2 * stored;
    r.ok = stored == count && prompts->shown.isEmpty() && emulator.GoodsCount() == count;
    if (!r.ok)
        std::fprintf(stderr, "copy to the register: %zu stored, %zu on the register, %s\n", stored,
                     emulator.GoodsCount(), qPrintable(prompts->shown.join(" | ")));
    return r;
}

bool ReportCopy(const char* line, const char* what, const Run& copy, bool paced)
{
    if (!copy.ok) {
        std::printf("%-18s %-5s FAILED\n", line, what);
        return false;
    }
    if (paced)
        return ReportAgainstFloor(what, copy.seconds, copy.bytes);
    std::printf("%-18s %-5s %8zu B  window %8.3f s  %7zu frames  %.1f us per frame\n", line, what, copy.bytes,
                copy.seconds, copy.frames, copy.seconds * 1e6 / double(copy.frames));
    return true;
}

bool RunOver(bool tcp, uint16_t count)
{
    emu::RegisterEmulator emulator(emu::Model::Rivo, 1);
    emulator.KeepHistory(false);
    for (uint16_t plu = 1; plu <= count; ++plu) {
        emu::Bytes rec(83, 0);
        emu::PutU16(rec.data(), plu);
        const std::string name = "Towar kasy " + std::to_string(plu);
        std::copy(name.begin(), name.end(), rec.begin() + 2);
        rec[44] = 'A';
        emu::PutU32(rec.data() + 45, 100u + plu);
        rec[79] = 24;
        emulator.PutGoodsRecord(rec);
    }
    emu::EmulatorServer server(emulator);
    BenchLink link(server, tcp, LineBaud);
    if (!link.Ok)
        return false;
    App.WorkMode = WorkModeDatabase | WorkModeRegister;

    const char* name = tcp ? "tcp loopback" : "pty paced 115200";
    std::printf("%s\n", name);
    TSynchronizacjaBazyTowarowej w;
    w.FormShow();
    const Run windowRead = WindowRead(w, count);
    const Run linkRead = LinkRead(count);
    bool ok = Report(name, "read", windowRead, linkRead, !tcp);
    std::fflush(stdout);
    const Run windowSend = WindowSend(w, count);
    const Run linkSend = LinkSend(count);
    ok = Report(name, "send", windowSend, linkSend, !tcp) && ok;
    std::fflush(stdout);

    TKopiowanieKasy fromRegister;
    ok = ReportCopy(name, "copy from the register", WindowCopyFromRegister(fromRegister, emulator, count), !tcp) && ok;
    std::fflush(stdout);
    TKopiaDoKasy toRegister;
    ok = ReportCopy(name, "copy to the register", WindowCopyToRegister(toRegister, emulator, count), !tcp) && ok;
    std::fflush(stdout);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    WakeLatencyHold awake;
    const long n = CountArgument(argc, argv, 1, 8000, 8000);
    if (n == 0)
        return 2;
    const uint16_t count = uint16_t(n);

    BenchDatabase database;
    RecordedPrompts recorded;
    prompts = &recorded;
    SetPrompts(&recorded);
    if (!database.Open(count))
        return 1;

    std::printf("goods_sync: %u goods, window handlers against the emulator\n", count);
    bool ok = RunOver(false, count);
    ok = RunOver(true, count) && ok;

    SetPrompts(nullptr);
    return ok ? 0 : 1;
}
