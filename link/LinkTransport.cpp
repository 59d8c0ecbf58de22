// The two transports: the COM port and the main window's TCP socket.
#include "link/CzekajNaRS.h"
#include "link/ExchangeGuard.h"
#include "link/Link.h"
#include "link/LinkIo.h"
#include "platform/ClientSocket.h"
#include "platform/Modal.h"
#include "platform/Prompts.h"
#include "platform/SerialPort.h"
#include "platform/Time.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// The time-outs right after a command frame went out: 10 ms a byte plus 1 s.
constexpr CommTimeouts AfterSendTimeouts{0, 10, 1000, 20, 10};
constexpr CommTimeouts OpenTimeouts{0, 1, 100, 10, 100};
// The lowest rate the settings window offers; a zero rate must never divide.
constexpr uint32_t LowestBaudRate = 110;
constexpr int MaxShortWrites = 10;
constexpr int DrainReadLimit = 8192;
constexpr std::size_t DrainChunk = 50;
// A line that never goes quiet is given up after about 8 s.
constexpr long long DrainBoundMs = 8192;
// After the user's stop, a reply that arrives is over once no byte came for this long (or for four
// byte times, on a slower line).
constexpr long long ReplyEndGapMs = 50;

CommTimeouts currentTimeouts = AfterSendTimeouts;
std::function<int()> flowControlWait;

int RunFlowControlWait()
{
    if (flowControlWait)
        return flowControlWait();
    if (!CzekajNaRS)
        new TCzekajNaRS();  // sets CzekajNaRS; lives to the end like every window
    ExchangeGuard::Admit(CzekajNaRS);  // its "Przerwij" answers during the exchange that waits
    return ShowModal(*CzekajNaRS);
}

std::string ComPortName(int number)
{
    char name[32];
    if (number <= 9)
        std::snprintf(name, sizeof name, "COM%d", number);
    else
        std::snprintf(name, sizeof name, "\\\\.\\COM%d", number);
    return name;
}

// The line of the link in use: one put in the link state, else the TCP socket (when connected)
// or the COM port; nullptr when that link is down.
ByteTransport* TransportInUse(bool tcp)
{
    if (Link.Transport)
        return Link.Transport;
    if (tcp)
        return TcpSocket().Connected() ? &TcpSocket() : nullptr;
    return Link.SerialHandle;
}

// The time a byte takes on the serial line at the rate in force, in microseconds (two stop bits
// counted: a bound errs long).
long long ByteTimeUs()
{
    const uint32_t baud = std::max(LinkSettings.BaudRate, LowestBaudRate);
    const unsigned bits = 1u + LinkSettings.DataBits + (LinkSettings.Parity ? 1u : 0u) + 2u;
    return bits * 1'000'000LL / baud;
}

// The time these bytes need on the line, rounded up.
long long LineTimeMs(std::size_t bytes) { return (long long)bytes * ByteTimeUs() / 1000 + 1; }

void FailSend(uint8_t* buffer)
{
    if (buffer)
        buffer[0] = 0;
}

// Writes through a line that may take a long send in parts: goes on with the rest for as long
// as it moves; a write that takes nothing within its own wait fails the whole.
int SendWhole(ByteTransport& line, uint8_t* buffer, std::size_t total)
{
    std::size_t offset = 0;
    while (offset < total) {
        const int sent = line.Write(buffer + offset, total - offset);
        if (sent <= 0) {
            FailSend(buffer);
            return 1;
        }
        offset += std::size_t(sent);
    }
    SetLinkTimeouts(AfterSendTimeouts);
    return 0;
}

} // namespace

void ResetLinkIo()
{
    currentTimeouts = AfterSendTimeouts;
    flowControlWait = nullptr;
}

void SetFlowControlWait(std::function<int()> wait) { flowControlWait = std::move(wait); }

bool LinkIsTcp() { return LinkSettings.LinkType == 1; }

void SetLinkTimeouts(const CommTimeouts& t)
{
    currentTimeouts = t;
    if (Link.SerialHandle)
        Link.SerialHandle->SetTimeouts(t);
}

bool IsCompleteShortFrame(const uint8_t* buffer, std::size_t got, std::size_t want)
{
    if (got < 4 || buffer[0] != FrameStart)
        return false;
    const std::size_t length = FrameLengthField(buffer);
    return length >= MinFrameLength && length < want && length <= got && buffer[length - 1] == FrameEnd;
}

std::size_t ReadFromLink(uint8_t* buffer, std::size_t want, long long boundMs, bool stopAtFrame, unsigned intervalMs,
                         bool* stopped)
{
    const bool tcp = LinkIsTcp();
    ByteTransport* line = TransportInUse(tcp);
    if (stopped)
        *stopped = false;
    if (!line)
        return 0;
    // Only a guarded transfer lets events run: elsewhere a click could start a second exchange.
    // A stop asked for before this read is left to the frame's acknowledgement (status 4), so
    // that a series stopped between two frames still takes the frame on its way.
    const bool stoppable = stopped && ExchangeGuard::Held() && !Link.AbortRequestFlag;
    long long nextEvents = MonotonicMs() + EventSliceMs;
    long long deadline = MonotonicMs() + boundMs;
    long long gap = intervalMs;
    long long lastByte = 0;
    std::size_t got = 0;
    while (got < want) {
        std::size_t target = want;
        if (stopAtFrame) {
            if (IsCompleteShortFrame(buffer, got, want))
                break;
            if (got < 4) {
                target = std::min<std::size_t>(want, 4);  // learn the frame's length first
            } else if (buffer[0] == FrameStart) {
                const std::size_t length = FrameLengthField(buffer);
                if (length >= MinFrameLength && length < want && length > got)
                    target = length;  // take no byte past a shorter frame
            }
        }
        const int available = line->BytesWaiting();
        if (available < 0)
            break;
        if (available > 0) {
            const std::size_t take = std::min<std::size_t>(std::size_t(available), target - got);
            const int read = line->Read(buffer + got, take);
            if (read < 0)
                break;
            got += std::size_t(read);
            lastByte = MonotonicMs();
            continue;
        }
        const long long now = MonotonicMs();
        long long remaining = deadline - now;
        if (gap > 0 && got > 0)
            remaining = std::min(remaining, lastByte + gap - now);
        if (remaining <= 0)
            break;
        if (stoppable) {
            // Bytes that trickle in at a slow rate must not keep Esc waiting either.
            if (now >= nextEvents) {
                ProcessMessages();
                nextEvents = MonotonicMs() + EventSliceMs;
                line = TransportInUse(tcp);
                if (!line)
                    break;
            }
            if (Link.AbortRequestFlag && !*stopped) {
                *stopped = true;
                if (got == 0)
                    break;  // a silent line stops at once
                // A reply on its way is let end, so that the next exchange starts on a quiet line:
                // for as long as its bytes need on the line, and while they keep coming.
                if (gap <= 0)
                    gap = std::max(ReplyEndGapMs, LineTimeMs(4));
                deadline = MonotonicMs() + LineTimeMs((got < 4 ? want : target) - got) + gap;
                continue;
            }
            remaining = std::min(remaining, EventSliceMs);
        }
        if (line->WaitReadable(int(remaining)) && line->BytesWaiting() == 0) {
            // Readable with nothing to read: the other end has gone. A TCP read tells for
            // sure; on a serial line do not spin while the time runs out.
            if (tcp) {
                const int read = line->Read(buffer + got, target - got);
                if (read < 0)
                    break;
                got += std::size_t(read);
            } else {
                Sleep(5);
            }
        }
    }
    return got;
}

std::size_t ReadRawReply(uint8_t* buffer, std::size_t n, int boundMs, int gapMs, bool* stopped)
{
    return ReadFromLink(buffer, n, boundMs, false, unsigned(std::max(gapMs, 0)), stopped);
}

bool InputWaiting()
{
    ByteTransport* line = TransportInUse(LinkIsTcp());
    return line && line->BytesWaiting() > 0;
}

// ---- opening and closing ----

int OpenLink()
{
    if (LinkSettings.LinkType == 0)
        return OpenComPort(1, Link.SerialHandle);
    if (LinkSettings.LinkType == 1)
        return ConnectTcp();
    return 1;
}

int OpenComPort(int showErrors, SerialPort*& handle)
{
    // A handle still open would be lost, and would keep the device from opening again.
    if (handle) {
        if (handle == Link.SerialHandle)
            CloseComPort();
        else
            delete handle;
        handle = nullptr;
    }
    const int number = LinkSettings.ComPortNumber;
    std::unique_ptr<SerialPort> port = SerialPort::Open(ComPortName(number));
    if (!port) {
        if (showErrors == 1)
            ShowMessage(QStringLiteral("Nie mogę otworzyć portu COM%1.").arg(number));
        LinkSettings.ComPortNumber = NoComPort;
        return 1;
    }
    port->SetTimeouts(OpenTimeouts);
    currentTimeouts = OpenTimeouts;

    SerialLineSettings line;
    line.BaudRate = LinkSettings.BaudRate;
    line.DataBits = LinkSettings.DataBits;
    line.Parity = LinkSettings.Parity;
    line.StopBits = LinkSettings.StopBits;
    line.XonXoff = LinkSettings.XonXoffFlag != 0;
    line.RtsCts = LinkSettings.RtsCtsFlag != 0;
    // A zero rate is refused like any rate the device cannot take.
    if (line.BaudRate == 0 || !port->SetLineSettings(line)) {
        if (showErrors == 1)
            ShowMessage(QStringLiteral("Nie mogę otworzyć portu COM%1 z takimi ustawieniami.").arg(number));
        LinkSettings.ComPortNumber = NoComPort;
        return 1;
    }
    CheckCommError(port.get());  // clears line errors left from before
    handle = port.release();
    return 0;
}

void CloseComPort()
{
    delete Link.SerialHandle;
    Link.SerialHandle = nullptr;
}

int ConnectTcp()
{
    ClientSocket& socket = TcpSocket();
    if (socket.Active())
        socket.Close();
    socket.Host = LinkSettings.TcpHost;
    socket.Port = LinkSettings.TcpPort;
    Link.TcpConnectState = 1;
    if (!socket.Open()) {
        Link.TcpConnectState = 0;
        return 1;
    }
    return 0;
}

int CheckCommError(SerialPort* handle)
{
    if (!handle)
        return 1;
    CommStatus status;
    if (!handle->ClearCommError(status) || status.LineError)
        return 1;
    return status.OutputHeld ? 2 : 0;
}

// ---- sending ----

int SendBytes(uint8_t* buffer, int mode, std::size_t count)
{
    const std::size_t total = mode == 0 ? std::strlen(reinterpret_cast<const char*>(buffer)) : count;
    if (Link.Transport)
        return SendWhole(*Link.Transport, buffer, total);
    if (LinkIsTcp())
        return SendWhole(TcpSocket(), buffer, total);

    if (LinkSettings.ComPortNumber == NoComPort) {
        ShowMessage(QStringLiteral("Nie wybrano portu komunikacyjnego!!"));
        FailSend(buffer);
        return 1;
    }

    const uint32_t baud = std::max(LinkSettings.BaudRate, LowestBaudRate);
    std::size_t offset = 0;
    int shortWrites = 0;
    bool reopened = false;
    for (;;) {
        const std::size_t chunk = total - offset;
        CommTimeouts t{0, 10, 1000, 20, unsigned(chunk * 800 / baud + 10)};
        SetLinkTimeouts(t);

        SerialPort* port = Link.SerialHandle;
        const int written = port ? port->Write(buffer + offset, chunk) : -1;
        // The port went away under us (a USB adapter pulled and put back, a closed handle):
        // open it once more and write the same chunk again.
        if (written < 0 && !reopened && (!port || port->DeviceGone())) {
            reopened = true;
            CloseComPort();
            if (OpenComPort(1, Link.SerialHandle) != 0) {
                FailSend(buffer);
                return 1;
            }
            continue;
        }
        if (written >= 0 && std::size_t(written) == chunk)
            return 0;

        if (CheckCommError(Link.SerialHandle) == 1) {
            FailSend(buffer);
            ShowMessage(QStringLiteral("Wystąpił błąd transmisji."));
            CloseComPort();
            LinkSettings.ComPortNumber = NoComPort;
            return 1;
        }
        if (LinkSettings.RtsCtsFlag || LinkSettings.XonXoffFlag) {
            if (RunFlowControlWait() != 1) {
                FailSend(buffer);
                return 1;
            }
        } else {
            Sleep(1);
            if (++shortWrites > MaxShortWrites) {
                FailSend(buffer);
                return 1;
            }
        }
        if (written > 0)
            offset += std::size_t(written);
    }
}

// ---- receiving ----

namespace {

int ReceiveReply(uint8_t* buffer, std::size_t n, bool* stopped)
{
    if (stopped)
        *stopped = false;
    if (LinkSettings.LinkType > 1)
        return 0;
    n = std::min(n, ReceiveBufferSize);
    const std::size_t got = ReadFromLink(buffer, n, ReplyBoundMs, true, 0, stopped);
    if (stopped && *stopped)
        return 0;
    if (got == n)
        return int(got);
    // A status reply or an error frame in place of a longer frame is handed over whole.
    if (IsCompleteShortFrame(buffer, got, n))
        return int(FrameLengthField(buffer));
    return 0;
}

} // namespace

int ReceiveBytes(uint8_t* buffer, std::size_t n) { return ReceiveReply(buffer, n, nullptr); }

int ReceiveBytesUnlessStopped(uint8_t* buffer, std::size_t n, bool& stopped) { return ReceiveReply(buffer, n, &stopped); }

int ReadRaw(uint8_t* buffer, std::size_t n, bool stopAtFrame)
{
    if (n == 0)
        return 0;
    const CommTimeouts& t = LinkIsTcp() || !Link.SerialHandle ? currentTimeouts : Link.SerialHandle->Timeouts();
    if (!LinkIsTcp() && !stopAtFrame) {
        ByteTransport* line = TransportInUse(false);
        return line ? std::max(0, line->Read(buffer, n)) : 0;
    }
    long long bound = (long long)t.ReadTotalTimeoutMultiplier * (long long)n + t.ReadTotalTimeoutConstant;
    if (bound <= 0)
        bound = ReplyBoundMs;
    return int(ReadFromLink(buffer, n, bound, stopAtFrame, t.ReadIntervalTimeout));
}

int ReadWaiting(uint8_t* buffer, std::size_t max, int waitMs, bool& more)
{
    more = false;
    const bool tcp = LinkIsTcp();
    ByteTransport* line = TransportInUse(tcp);
    if (!line)
        return -1;
    int available = line->BytesWaiting();
    if (available == 0 && line->WaitReadable(waitMs)) {
        available = line->BytesWaiting();
        if (available == 0) {
            // Readable with nothing to read: over TCP the peer has gone (the read says so); a
            // serial line must not spin.
            if (tcp)
                return line->Read(buffer, max);
            Sleep(5);
        }
    }
    if (available <= 0)
        return available;
    const int read = line->Read(buffer, std::min<std::size_t>(std::size_t(available), max));
    if (read > 0)
        more = line->BytesWaiting() > 0 && std::size_t(read) == max;
    return read;
}

int ReadByte(uint8_t& byte)
{
    ByteTransport* line = TransportInUse(false);
    return line && line->Read(&byte, 1) == 1 ? 1 : 0;
}

int DrainInput()
{
    const bool tcp = LinkIsTcp();
    ByteTransport* line = TransportInUse(tcp);
    int lastRead = 0;
    if (line && tcp) {
        for (int pass = 0; pass < DrainReadLimit; ++pass) {
            const int waiting = line->BytesWaiting();
            if (waiting <= 0)
                break;
            line->Read(Link.ReceiveBuffer, std::min<std::size_t>(std::size_t(waiting), ReceiveBufferSize));
        }
        lastRead = line->BytesWaiting();
    } else if (line) {
        // Quiet means no byte for two byte times: at a slow rate a pause of a millisecond falls
        // between any two bytes of a reply.
        const unsigned quiet = unsigned(std::max<long long>(1, (2 * ByteTimeUs() + 999) / 1000));
        const unsigned interval = (Link.SerialHandle ? Link.SerialHandle->Timeouts() : currentTimeouts).ReadIntervalTimeout;
        SetLinkTimeouts(CommTimeouts{0, 0, quiet, 0, 1});
        const long long giveUp = MonotonicMs() + DrainBoundMs;
        int reads = 0;
        do {
            lastRead = line->Read(Link.ReceiveBuffer, DrainChunk);
        } while (lastRead > 0 && ++reads < DrainReadLimit && MonotonicMs() < giveUp);
        SetLinkTimeouts(CommTimeouts{interval, 1, 100, 10, 10});
    }
    if (lastRead > 0) {
        ShowMessage(QStringLiteral("Wystąpił błąd komunikacji"));
        return 1;
    }
    return 0;
}
