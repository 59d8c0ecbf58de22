// readout_throughput: the cache dump (N frames of 265 bytes, each acknowledged) and an
// electronic copy (a stream of 1 KB chunks, each answered by 0xAA) through the windows' own
// handlers, against the register emulator over a pseudo-terminal paced at 115200 baud and over
// loopback TCP. For the paced line it prints the wall time against the floor: the bytes of both
// directions at 11520 bytes/s, plus the pause of three character times that ends each copy chunk;
// for TCP the time per frame or chunk. A ratio below 1.00 fails the run.
//
//   readout_throughput [N frames] [copy KB]      (defaults 1024 and 512; N up to 8192)
#include "bench/BenchLink.h"
#include "core/AppState.h"
#include "emulator/RegisterEmulator.h"
#include "link/Link.h"
#include "link/LinkSettings.h"
#include "platform/ClientSocket.h"
#include "platform/Prompts.h"
#include "platform/Time.h"
#include "service/KopiaPamieciPodrecznej.h"
#include "service/OdczytKopii.h"

#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTabWidget>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr std::size_t CacheFrameLength = 265;
constexpr std::size_t CopyChunk = 1024;

// Keeps every text the windows show; the run checks them.
class KeptPrompts : public Prompts {
public:
    void Message(const QString& text, const QString&, PromptIcon) override { Texts << text; }
    PromptAnswer Question(const QString& text, const QString&, PromptButtons, PromptIcon) override
    {
        Texts << text;
        return PromptAnswer::No;
    }
    QString OpenFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString SaveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QStringList Texts;
};

struct Run {
    double seconds = 0;
    std::size_t units = 0;          // frames or chunks
    std::size_t registerBytes = 0;  // what the register sends
    std::size_t pcBytes = 0;        // what the PC sends
    std::size_t chunkGaps = 0;      // pauses that end a chunk
    bool ok = false;
};

bool Print(const char* line, const char* what, const Run& r, bool paced)
{
    if (!r.ok) {
        std::printf("%-18s %-6s FAILED\n", line, what);
        return false;
    }
    if (paced) {
        if (r.chunkGaps == 0)
            return ReportAgainstFloor(what, r.seconds, r.registerBytes + r.pcBytes);
        return ReportAgainstFloor(what, r.seconds, r.registerBytes + r.pcBytes,
                                  {{"3 character times ending each chunk", double(r.chunkGaps) * 3 / LineBytesPerSecond}});
    }
    std::printf("%-18s %-6s %6zu units %9zu bytes  %8.3f s  %.3f ms per unit\n", line, what, r.units,
                r.registerBytes, r.seconds, r.seconds * 1000.0 / double(r.units));
    return true;
}

Run CacheDump(emu::RegisterEmulator& emulator, KeptPrompts& prompts, std::size_t frames)
{
    emulator.SetCacheMemory(emu::Bytes(frames * 256, 0x5A));
    prompts.Texts.clear();
    TKopiaPamieciPodrecznej window;
    const long long start = MonotonicMs();
    window.Button1Click();
    Run r;
    r.seconds = double(MonotonicMs() - start) / 1000.0;
    r.units = frames;
    r.registerBytes = frames * CacheFrameLength;
    r.pcBytes = 10 + frames * 10;
    r.ok = prompts.Texts == QStringList{QStringLiteral("Pamięć podręczna zapisana do pliku 'Kopia_cache.bin'.")};
    return r;
}

Run Copy(emu::RegisterEmulator& emulator, KeptPrompts& prompts, std::size_t kilobytes)
{
    // One document of lines of 63 characters, its NUL the last byte of the stream.
    std::string document;
    while (document.size() + 64 < kilobytes * 1024)
        document += std::string(63, 'K') + "\n";
    document.append(kilobytes * 1024 - 1 - document.size(), 'E');
    emulator.SetElectronicCopy({document});
    emulator.SetCopyStreaming(CopyChunk, false);
    prompts.Texts.clear();
    const std::size_t acksBefore = emulator.CopyAcks();
    const std::size_t skippedBefore = emulator.SkippedBytes();  // an 0xAA after the last chunk
    TOdczytKopii window;
    window.PageControl1->setCurrentIndex(3);
    window.ComboBox6->setCurrentIndex(1);
    const long long start = MonotonicMs();
    window.BitBtn1Click();
    Run r;
    r.seconds = double(MonotonicMs() - start) / 1000.0;
    r.units = (kilobytes * 1024 + CopyChunk - 1) / CopyChunk;
    r.registerBytes = kilobytes * 1024;
    // Exactly one 0xAA a chunk (the last one may still be crossing the line), and the whole text.
    const long long settle = MonotonicMs() + 1000;
    while (emulator.CopyAcks() - acksBefore < r.units && MonotonicMs() < settle)
        Sleep(1);
    const std::size_t acks = emulator.CopyAcks() - acksBefore + (emulator.SkippedBytes() - skippedBefore);
    r.pcBytes = 24 + acks;
    r.chunkGaps = r.units;
    r.ok = prompts.Texts == QStringList{QStringLiteral("Odebrano [ 1 ] dokum.")} && acks == r.units &&
           window.Memo1->toPlainText().size() == qsizetype(document.size());
    if (!r.ok)
        std::fprintf(stderr, "electronic copy: %zu chunks, %zu acknowledged, %lld of %zu characters\n", r.units, acks,
                     (long long)window.Memo1->toPlainText().size(), document.size());
    return r;
}

bool RunOver(bool tcp, KeptPrompts& prompts, std::size_t frames, std::size_t kilobytes)
{
    emu::RegisterEmulator emulator(emu::Model::Rivo, 1);
    emulator.KeepHistory(false);
    emu::EmulatorServer server(emulator);
    BenchLink link(server, tcp, LineBaud);
    if (!link.Ok)
        return false;
    App.WorkMode = WorkModeDatabase | WorkModeRegister;
    const char* name = tcp ? "tcp loopback" : "pty paced 115200";
    std::printf("%s\n", name);
    const Run cache = CacheDump(emulator, prompts, frames);
    const bool cacheOk = Print(name, "cache dump", cache, !tcp);
    const Run copy = Copy(emulator, prompts, kilobytes);
    const bool copyOk = Print(name, "electronic copy", copy, !tcp);
    if (!cache.ok || !copy.ok)
        std::fprintf(stderr, "shown: %s\n", prompts.Texts.join(" | ").toUtf8().constData());
    return cacheOk && copyOk;
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    WakeLatencyHold awake;
    const long frames = CountArgument(argc, argv, 1, 1024, 8192);
    const long kilobytes = CountArgument(argc, argv, 2, 512, 800);
    if (frames == 0 || kilobytes == 0)
        return 2;
    char tmpl[] = "/tmp/rivo-bench-XXXXXX";
    if (!::mkdtemp(tmpl))
        return 1;
    const std::string folder = tmpl;
    const std::filesystem::path oldCwd = std::filesystem::current_path();
    std::filesystem::current_path(folder);  // the dump goes to the current folder
    KeptPrompts prompts;
    SetPrompts(&prompts);

    std::printf("readout_throughput: cache dump of %ld frames, electronic copy of %ld KB in %zu-byte chunks\n", frames,
                kilobytes, CopyChunk);
    bool ok = RunOver(false, prompts, std::size_t(frames), std::size_t(kilobytes));
    ok = RunOver(true, prompts, std::size_t(frames), std::size_t(kilobytes)) && ok;

    SetPrompts(nullptr);
    std::error_code ec;
    std::filesystem::current_path(oldCwd, ec);
    std::filesystem::remove_all(folder, ec);
    return ok ? 0 : 1;
}
