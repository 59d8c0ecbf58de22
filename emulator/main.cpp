// rivo-emulator: the register emulator as a program of its own. It serves one register on a
// loopback TCP port and/or on pseudo-terminals linked as COM<n> in a folder, until SIGTERM or
// SIGINT.
#include "emulator/RegisterEmulator.h"

#include <cerrno>
#include <csignal>
#include <pthread.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const HelpText =
    "Usage: rivo-emulator [options]\n"
    "Stands in for a Rivo (or Tepo Dux) fiscal register on the register's frame protocol.\n"
    "\n"
    "Where it serves (at least one):\n"
    "  --tcp PORT          listen on 127.0.0.1:PORT (0 picks a free port); the first line\n"
    "                      printed is \"listening on 127.0.0.1:PORT\"\n"
    "  --com-dir DIR       folder for the serial port links: the user's own, that no one\n"
    "                      else can write (made, private to the user, when it does not\n"
    "                      exist)\n"
    "  --com N             serve a pseudo-terminal linked as DIR/COM<N> (may be repeated);\n"
    "                      prints \"serving DIR/COM<N>\"\n"
    "\n"
    "The register:\n"
    "  --model rivo|dux    register model (default rivo: 8000 goods; dux: 2000)\n"
    "  --address N         register address 1..9 (default 1)\n"
    "  --baud N            pace the bytes on the serial line at N baud, 10 bits a byte\n"
    "                      (default 0: no pacing)\n"
    "\n"
    "Faults (each for the next requests, counted down as used):\n"
    "  --printing N        N \"printing\" replies before the real one\n"
    "  --busy N            N \"busy\" replies before the real one\n"
    "  --busy-ms MS        time between busy replies and the real one (default 300)\n"
    "  --paper-out N       the next N replies start with \"paper out\"\n"
    "  --error-code CODE   answer the next program or delete request with this error code\n"
    "  --wrong-checksum N  send N replies with a wrong checksum\n"
    "  --short-reply B     cut the next reply to B bytes\n"
    "  --silent N          leave N requests unanswered\n"
    "  --garbage HEX       send these bytes (hex digits) once before the next reply\n"
    "  --drop-after N      drop the TCP connection after N data frames of a series\n"
    "  --any-address       answer frames of every address\n"
    "\n"
    "The operator:\n"
    "  --confirm-delay MS  a program frame with its confirm byte set is confirmed on the\n"
    "                      register's keyboard MS milliseconds after it came (default:\n"
    "                      never; the register then stays waiting and answers nothing)\n"
    "\n"
    "  --help              this text\n"
    "Runs until SIGTERM or SIGINT.\n";

bool ParseInt(const char* text, long min, long max, long& out)
{
    if (!text || !*text)
        return false;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || v < min || v > max)
        return false;
    out = v;
    return true;
}

bool ParseHex(const std::string& text, emu::Bytes& out)
{
    if (text.size() % 2 != 0)
        return false;
    out.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        char pair[3] = {text[i], text[i + 1], 0};
        char* end = nullptr;
        long v = std::strtol(pair, &end, 16);
        if (*end != '\0')
            return false;
        out.push_back(static_cast<uint8_t>(v));
    }
    return true;
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "rivo-emulator: %s\nTry --help.\n", message.c_str());
    return 2;
}

// The command line was right but the place to serve is not: what and why, with status 1.
int CannotServe(const std::string& what, const std::string& why)
{
    std::fprintf(stderr, "rivo-emulator: %s: %s\n", what.c_str(), why.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    long tcpPort = -1;
    std::string comDir;
    std::vector<long> comPorts;
    emu::Model model = emu::Model::Rivo;
    long address = 1;
    long baud = 0;
    emu::Faults faults;
    long confirmDelay = -1;

    for (int i = 1; i < argc; ++i) {
        const std::string opt = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        long n = 0;
        auto number = [&](long min, long max) {
            if (!ParseInt(value, min, max, n))
                return false;
            ++i;
            return true;
        };
        if (opt == "--help" || opt == "-h") {
            std::fputs(HelpText, stdout);
            return 0;
        } else if (opt == "--tcp") {
            if (!number(0, 65535))
                return Fail("--tcp needs a port 0..65535");
            tcpPort = n;
        } else if (opt == "--com-dir") {
            if (!value)
                return Fail("--com-dir needs a folder");
            comDir = value;
            ++i;
        } else if (opt == "--com") {
            if (!number(1, 255))
                return Fail("--com needs a port number 1..255");
            comPorts.push_back(n);
        } else if (opt == "--model") {
            if (value && std::strcmp(value, "rivo") == 0)
                model = emu::Model::Rivo;
            else if (value && std::strcmp(value, "dux") == 0)
                model = emu::Model::TepoDux;
            else
                return Fail("--model is rivo or dux");
            ++i;
        } else if (opt == "--address") {
            if (!number(1, 9))
                return Fail("--address needs a number 1..9");
            address = n;
        } else if (opt == "--baud") {
            if (!number(0, 4000000))
                return Fail("--baud needs a rate");
            baud = n;
        } else if (opt == "--printing") {
            if (!number(0, 1000))
                return Fail("--printing needs a count");
            faults.PrintingReplies = static_cast<int>(n);
        } else if (opt == "--busy") {
            if (!number(0, 1000))
                return Fail("--busy needs a count");
            faults.BusyReplies = static_cast<int>(n);
        } else if (opt == "--busy-ms") {
            if (!number(0, 60000))
                return Fail("--busy-ms needs milliseconds");
            faults.BusyDelayMs = static_cast<int>(n);
        } else if (opt == "--paper-out") {
            if (!number(0, 1000))
                return Fail("--paper-out needs a count");
            faults.PaperOutReplies = static_cast<int>(n);
        } else if (opt == "--error-code") {
            if (!number(0, 255))
                return Fail("--error-code needs a code 0..255");
            faults.WriteErrorCode = static_cast<int>(n);
        } else if (opt == "--wrong-checksum") {
            if (!number(0, 100000))
                return Fail("--wrong-checksum needs a count");
            faults.WrongChecksumReplies = static_cast<int>(n);
        } else if (opt == "--short-reply") {
            if (!number(0, 100000))
                return Fail("--short-reply needs a byte count");
            faults.ShortReplyBytes = static_cast<int>(n);
        } else if (opt == "--silent") {
            if (!number(0, 100000))
                return Fail("--silent needs a count");
            faults.SilentRequests = static_cast<int>(n);
        } else if (opt == "--garbage") {
            if (!value || !ParseHex(value, faults.Garbage))
                return Fail("--garbage needs hex digits, two a byte");
            ++i;
        } else if (opt == "--drop-after") {
            if (!number(0, 100000))
                return Fail("--drop-after needs a count");
            faults.DropAfterDataFrames = static_cast<int>(n);
        } else if (opt == "--any-address") {
            faults.AnyAddress = true;
        } else if (opt == "--confirm-delay") {
            if (!number(0, 600000))
                return Fail("--confirm-delay needs milliseconds");
            confirmDelay = n;
        } else {
            return Fail("unknown option " + opt);
        }
    }
    if (tcpPort < 0 && comPorts.empty())
        return Fail("give --tcp PORT and/or --com-dir DIR --com N");
    if (!comPorts.empty() && comDir.empty())
        return Fail("--com needs --com-dir");

    // The server thread inherits this mask, so the signals come to sigwait below.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    emu::RegisterEmulator emulator(model, static_cast<uint8_t>(address));
    emulator.SetFaults(faults);
    emulator.SetConfirmDelay(static_cast<int>(confirmDelay));
    emulator.KeepHistory(false); // nobody inspects it: no growing record of the traffic
    emu::EmulatorServer server(emulator);
    server.SetBaud(static_cast<unsigned>(baud));
    if (tcpPort >= 0) {
        int port = server.ListenTcp(static_cast<int>(tcpPort));
        if (port < 0) {
            const std::string why = std::strerror(errno);
            return CannotServe("cannot listen on 127.0.0.1:" + std::to_string(tcpPort), why);
        }
        std::printf("listening on 127.0.0.1:%d\n", port);
        std::fflush(stdout);
    }
    for (long n : comPorts) {
        if (std::string why; !server.ServeComPort(comDir, static_cast<int>(n), -1, &why))
            return CannotServe("cannot serve " + comDir + "/COM" + std::to_string(n), why);
        std::printf("serving %s/COM%ld\n", comDir.c_str(), n);
        std::fflush(stdout);
    }

    int sig = 0;
    sigwait(&stopSignals, &sig);
    server.Stop();
    return 0;
}
