// link_throughput: programs N goods records into the register emulator (each frame followed by
// its acknowledgement) and reads the N-record goods table back as a series, over a
// pseudo-terminal paced at 115200 baud and over loopback TCP. For the paced line it prints the
// wall time against the line-rate floor (all bytes on the wire, both ways, at 11520 bytes/s);
// for TCP the time per frame. A ratio below 1.00 fails the run.
//
//   link_throughput [N]      (default 2000)
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

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr std::size_t AckLength = 10;
constexpr std::size_t ReadRequestLength = 11;

// Any message the link shows is a failure of the run: print it instead of opening a box.
class PrintedPrompts : public Prompts {
public:
    void Message(const QString& text, const QString&, PromptIcon) override
    {
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
        ++shown;
    }
    PromptAnswer Question(const QString& text, const QString&, PromptButtons, PromptIcon) override
    {
        std::fprintf(stderr, "question: %s\n", text.toUtf8().constData());
        ++shown;
        return PromptAnswer::No;
    }
    QString OpenFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString SaveFileName(const QString&, const QString&, const QString&) override { return {}; }
    int shown = 0;
};

struct Phase {
    double seconds = 0;
    std::size_t frames = 0;
    std::size_t bytes = 0;          // both directions
    bool ok = false;
};

Phase ProgramGoods(uint16_t count)
{
    Phase p;
    const long long start = MonotonicMs();
    const std::size_t frameLength = App.GoodsRecordSize + 10u;
    for (uint16_t plu = 1; plu <= count; ++plu) {
        const uint16_t number = plu == count ? uint16_t(plu | LastFrameBit) : plu;
        if (SendGoodsRecord(Link.RegisterAddress, number, plu, 0, 0) != 1)
            return p;
        const int ack = ReceiveAck();
        if (ack != AckAccepted && ack != AckDone) {
            std::fprintf(stderr, "goods %u: reply %d\n", plu, ack);
            return p;
        }
        ++p.frames;
        p.bytes += frameLength + AckLength;
    }
    p.seconds = double(MonotonicMs() - start) / 1000.0;
    p.ok = true;
    return p;
}

Phase ReadGoods(uint16_t count)
{
    Phase p;
    Link.AbortRequestFlag = 0;
    DrainInput();
    const long long start = MonotonicMs();
    if (SendCommandWithWord(Link.RegisterAddress, 1, 'T', 0) != 1)
        return p;
    p.bytes += ReadRequestLength;
    int result = FrameMore;
    while (result == FrameMore) {
        result = ReceiveFrame(GoodsDataFrameLength);
        if (result != FrameMore && result != FrameLast)
            return p;
        ++p.frames;
        p.bytes += GoodsDataFrameLength + AckLength;
    }
    p.seconds = double(MonotonicMs() - start) / 1000.0;
    p.ok = p.frames == count;
    return p;
}

bool Report(const char* transport, const char* what, const Phase& p, bool paced)
{
    if (!p.ok) {
        std::printf("%-22s %-8s FAILED after %zu frames\n", transport, what, p.frames);
        return false;
    }
    if (paced)
        return ReportAgainstFloor(what, p.seconds, p.bytes);
    std::printf("%-22s %-8s %5zu frames %8zu bytes  %7.3f s  %.3f ms/frame\n", transport, what, p.frames, p.bytes,
                p.seconds, p.seconds * 1000.0 / double(p.frames));
    return true;
}

bool RunOver(bool tcp, uint16_t count)
{
    emu::RegisterEmulator emulator(emu::Model::Rivo, 1);
    emu::EmulatorServer server(emulator);
    BenchLink link(server, tcp, LineBaud);
    if (!link.Ok)
        return false;

    const char* name = tcp ? "tcp loopback" : "pty paced 115200";
    std::printf("%s\n", name);
    const bool programmed = Report(name, "goods program (link)", ProgramGoods(count), !tcp);
    const bool read = Report(name, "goods read (link)", ReadGoods(count), !tcp);
    return programmed && read;
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    WakeLatencyHold awake;
    const long n = CountArgument(argc, argv, 1, 2000, 8000);
    if (n == 0)
        return 2;
    const uint16_t count = uint16_t(n);

    BenchDatabase database;
    PrintedPrompts prompts;
    SetPrompts(&prompts);
    if (!database.Open(count))
        return 1;

    std::printf("link_throughput: %u goods records (%u-byte program frames, %zu-byte data frames)\n", count,
                App.GoodsRecordSize + 10u, GoodsDataFrameLength);
    bool ok = RunOver(false, count);
    ok = RunOver(true, count) && ok;

    SetPrompts(nullptr);
    return ok && prompts.shown == 0 ? 0 : 1;
}
