// Serves the register emulator on loopback TCP and on pseudo-terminals. One thread polls every
// descriptor; writes are non-blocking and wait in a bounded queue per connection.
#include "emulator/RegisterEmulator.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <arpa/inet.h>

namespace emu {

namespace {

using Clock = std::chrono::steady_clock;

// Reply bytes that may wait for a reader; beyond this new replies are dropped.
constexpr std::size_t MaxQueuedBytes = 64 * 1024;

// The last byte of a paced reply ends the exchange: the thread stays awake for it from this long
// before it is due, since a wake-up from sleep comes tens of microseconds late. Earlier bytes are
// left to the sleep: a late one is written with the next, and the line keeps its clock.
constexpr auto LastByteWatch = std::chrono::microseconds(150);

void SetNonBlocking(int fd)
{
    int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
}

void MakeRaw(int fd)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return;
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    ::cfsetispeed(&t, B115200);
    ::cfsetospeed(&t, B115200);
    ::tcsetattr(fd, TCSANOW, &t);
}

int MillisecondsUntil(Clock::time_point t, Clock::time_point now)
{
    if (t <= now)
        return 0;
    auto us = std::chrono::duration_cast<std::chrono::microseconds>(t - now).count();
    return static_cast<int>(std::min<long long>((us + 999) / 1000, INT_MAX));
}

// Makes dir and every missing folder above it, private to the user; folders that exist are left
// as they are. False with errno set.
bool MakeFolder(const std::string& dir)
{
    for (std::size_t at = dir.find('/', 1);; at = dir.find('/', at + 1)) {
        const std::string part = dir.substr(0, at);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (at == std::string::npos)
            return true;
    }
}

// Closes the descriptors given and fails, keeping the errno of the failure for the caller.
template <typename... Fds>
bool FailClosing(Fds... fds)
{
    const int why = errno;
    for (int fd : {fds...})
        if (fd >= 0)
            ::close(fd);
    errno = why;
    return false;
}

// The folder the links go in, resolved once and used by its descriptor from then on. Only a folder
// of the user's own that no one else can write will do: anyone else could swap a link in it for
// one to a device of theirs. -1 with errno set, and why saying what is wrong with a folder.
int OpenComFolder(const std::string& dir, std::string& why)
{
    const int fd = MakeFolder(dir) ? ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
    struct stat st{};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        FailClosing(fd);
        return -1;
    }
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
    if (st.st_uid != ::geteuid())
        why = "the folder belongs to another user (uid " + std::to_string(st.st_uid) + ")";
    else if ((st.st_mode & 022) != 0)
        why = std::string("other users can write in the folder (mode ") + mode + ")";
    else
        return fd;
    ::close(fd);
    errno = EPERM;
    return -1;
}

} // namespace

struct EmulatorServer::Impl {
    enum class Kind { Listen, Tcp, Pty };
    struct Channel {
        int id = 0;
        Kind kind = Kind::Tcp;
        int fd = -1;
        int slaveFd = -1;       // pseudo-terminal: our own slave descriptor, kept open
        int dirFd = -1;         // pseudo-terminal: the folder of its link
        std::string link;       //   and the link's name there, COM<n>
        std::string slavePath;
        int portCode = -1;      // pseudo-terminal: the register port it stands for
        int watchFd = -1;       // pseudo-terminal: opens and closes of the slave by the PC
        int openers = 0;        //   and how many of its descriptors are open now
        std::deque<uint8_t> out;
        bool closeAfterFlush = false;
        bool closed = false;
        // Paced line: the last byte written is in at lineFreeAt; the front of out is due at nextDue.
        Clock::time_point lineFreeAt{};
        Clock::time_point nextDue{};
        Clock::time_point readPausedUntil{};
        // Paced line: bytes the PC wrote, each chunk taken when its last byte would have arrived.
        std::deque<std::pair<Clock::time_point, Bytes>> inbound;
        Clock::time_point inLineFreeAt{};
    };

    explicit Impl(RegisterEmulator& e) : emu(e) {}

    RegisterEmulator& emu;
    std::mutex mu; // guards incoming and the thread's start
    std::vector<std::unique_ptr<Channel>> incoming;
    std::vector<std::unique_ptr<Channel>> channels; // server thread only
    std::thread thread;
    int wakeRead = -1, wakeWrite = -1;
    std::atomic<bool> stopping{false};
    std::atomic<unsigned> baud{0};
    std::atomic<std::size_t> dropped{0};
    int nextId = 1;
    int lastFed = 0;
    // Paced input being fed: the time its last byte was in, where the register's answer may start.
    Clock::time_point answerFrom{};

    void Add(std::unique_ptr<Channel> ch);
    void Wake();
    void Run();
    Channel* Find(int id);
    void Enqueue(int id, const Bytes& bytes);
    void Flush(Channel& ch);
    void ReadFrom(Channel& ch);
    void FeedBytes(Channel& ch, const uint8_t* data, std::size_t n);
    void FeedDueInbound(Channel& ch, Clock::time_point now);
    void Take(Channel& ch, const uint8_t* data, std::size_t n);
    bool CountOpeners(Channel& ch);
    void ForgetClient(Channel& ch);
    void WatchOpeners(Channel& ch);
    bool Paced(const Channel& ch) const { return ch.kind == Kind::Pty && baud.load() != 0; }
    void Accept(Channel& listener, std::vector<std::unique_ptr<Channel>>& added);
    void Close(Channel& ch);
    std::chrono::nanoseconds ByteTime() const
    {
        unsigned b = baud.load();
        return b ? std::chrono::nanoseconds(10'000'000'000LL / b) : std::chrono::nanoseconds(0);
    }
};

void EmulatorServer::Impl::Wake()
{
    if (wakeWrite >= 0) {
        uint8_t b = 1;
        [[maybe_unused]] auto n = ::write(wakeWrite, &b, 1);
    }
}

void EmulatorServer::Impl::Add(std::unique_ptr<Channel> ch)
{
    std::lock_guard<std::mutex> l(mu);
    ch->id = nextId++;
    incoming.push_back(std::move(ch));
    if (!thread.joinable()) {
        int p[2];
        if (::pipe2(p, O_NONBLOCK | O_CLOEXEC) == 0) {
            wakeRead = p[0];
            wakeWrite = p[1];
        }
        stopping = false;
        thread = std::thread([this] { Run(); });
    } else {
        Wake();
    }
}

EmulatorServer::Impl::Channel* EmulatorServer::Impl::Find(int id)
{
    for (auto& c : channels)
        if (c->id == id && !c->closed)
            return c.get();
    return nullptr;
}

void EmulatorServer::Impl::Enqueue(int id, const Bytes& bytes)
{
    Channel* ch = Find(id);
    if (!ch || ch->closeAfterFlush) {
        dropped += bytes.size();
        return;
    }
    if (ch->out.size() + bytes.size() > MaxQueuedBytes) {
        dropped += bytes.size(); // nobody reads: the reply is dropped, the emulator goes on
        return;
    }
    if (ch->out.empty() && Paced(*ch))
        ch->nextDue = std::max(ch->lineFreeAt, answerFrom == Clock::time_point{} ? Clock::now() : answerFrom) +
                      ByteTime();
    ch->out.insert(ch->out.end(), bytes.begin(), bytes.end());
}

void EmulatorServer::Impl::Flush(Channel& ch)
{
    const auto byteTime = Paced(ch) ? ByteTime() : std::chrono::nanoseconds(0);
    while (!ch.out.empty()) {
        std::size_t n = ch.out.size();
        if (byteTime.count() > 0) {
            // Paced: a byte leaves once its last bit is in, never before; a late wake-up writes
            // every byte due by now, so the line keeps its clock.
            const auto now = Clock::now();
            if (now < ch.nextDue)
                return;
            n = std::min<std::size_t>(n, static_cast<std::size_t>(1 + (now - ch.nextDue) / byteTime));
        }
        uint8_t buf[4096];
        n = std::min(n, sizeof buf);
        std::copy_n(ch.out.begin(), n, buf);
        ssize_t w = ch.kind == Kind::Tcp ? ::send(ch.fd, buf, n, MSG_NOSIGNAL) : ::write(ch.fd, buf, n);
        if (w < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                return;
            if (ch.kind == Kind::Tcp)
                ch.closed = true;
            else
                ch.out.clear(); // the terminal refuses the bytes: they are lost as on a line
            return;
        }
        ch.out.erase(ch.out.begin(), ch.out.begin() + w);
        if (byteTime.count() > 0 && w > 0) {
            ch.lineFreeAt = ch.nextDue + byteTime * (w - 1);
            ch.nextDue = ch.lineFreeAt + byteTime;
        }
    }
    if (ch.closeAfterFlush && ch.out.empty())
        ch.closed = true;
}

void EmulatorServer::Impl::FeedBytes(Channel& ch, const uint8_t* data, std::size_t n)
{
    if (lastFed != ch.id) {
        emu.ResetInput(); // bytes of another line never join these
        lastFed = ch.id;
    }
    const int id = ch.id;
    emu.SetReplySink([this, id](const Bytes& b) { Enqueue(id, b); });
    emu.SetInputPort(ch.portCode);
    emu.Feed(data, n);
    if (emu.TakeDropRequest() && ch.kind == Kind::Tcp)
        ch.closeAfterFlush = true;
}

void EmulatorServer::Impl::FeedDueInbound(Channel& ch, Clock::time_point now)
{
    while (!ch.inbound.empty() && ch.inbound.front().first <= now) {
        const Bytes bytes = std::move(ch.inbound.front().second);
        answerFrom = ch.inbound.front().first;
        ch.inbound.pop_front();
        FeedBytes(ch, bytes.data(), bytes.size());
        answerFrom = {};
    }
}

// Counts the PC's opens and closes of the slave, every event queued so far; true when the count
// came down to none on the way (a client left, though the next one may have come since).
bool EmulatorServer::Impl::CountOpeners(Channel& ch)
{
    bool left = false;
    alignas(inotify_event) char buf[4096];
    ssize_t n;
    while ((n = ::read(ch.watchFd, buf, sizeof buf)) > 0) {
        for (ssize_t at = 0; at < n;) {
            const auto* ev = reinterpret_cast<const inotify_event*>(buf + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + ev->len);
            if (ev->mask & IN_OPEN)
                ++ch.openers;
            if ((ev->mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE)) && ch.openers > 0 && --ch.openers == 0)
                left = true;
        }
    }
    return left;
}

// Nothing a client that left asked for may reach the next one: the replies still queued or in the
// terminal, the requests still crossing the line, a request begun.
void EmulatorServer::Impl::ForgetClient(Channel& ch)
{
    ::tcflush(ch.slaveFd, TCIFLUSH);
    dropped += ch.out.size();
    ch.out.clear();
    ch.inbound.clear();
    if (lastFed == ch.id) {
        emu.ResetInput();
        lastFed = 0;
    }
}

// The PC's descriptors of the slave come and go; when the last one goes, so does the client. The
// program closes and reopens the port within a millisecond, so one batch of events may hold the
// close and the next open: the whole batch is counted first, and what the terminal holds is
// dropped only while nobody has the port open, for once someone has, it may be their request.
void EmulatorServer::Impl::WatchOpeners(Channel& ch)
{
    for (bool left = CountOpeners(ch); left;) {
        ForgetClient(ch);
        if (ch.openers > 0)
            return;
        Bytes unread;
        uint8_t buf[4096];
        for (ssize_t n; (n = ::read(ch.fd, buf, sizeof buf)) > 0;)
            unread.insert(unread.end(), buf, buf + n);
        // A client opens before it writes: one that came while the terminal was read shows in the
        // events after it, and then the bytes read may be its own.
        left = CountOpeners(ch);
        if (ch.openers > 0) {
            Take(ch, unread.data(), unread.size());
            return;
        }
    }
}

void EmulatorServer::Impl::Take(Channel& ch, const uint8_t* data, std::size_t n)
{
    if (n == 0 || (ch.portCode >= 0 && !emu.PortTalksToPc(ch.portCode)))
        return; // a port the port test turned away from the PC hears nothing
    if (Paced(ch)) {
        // The PC's bytes cross the line at its rate too: a request counts only once its last
        // byte is in.
        const auto now = Clock::now();
        ch.inLineFreeAt = std::max(ch.inLineFreeAt, now) + ByteTime() * static_cast<long>(n);
        ch.inbound.emplace_back(ch.inLineFreeAt, Bytes(data, data + n));
        return;
    }
    FeedBytes(ch, data, n);
}

void EmulatorServer::Impl::ReadFrom(Channel& ch)
{
    uint8_t buf[4096];
    for (int rounds = 0; rounds < 16; ++rounds) {
        ssize_t n = ::read(ch.fd, buf, sizeof buf);
        if (n > 0) {
            Take(ch, buf, static_cast<std::size_t>(n));
            continue;
        }
        if (n == 0) {
            if (ch.kind == Kind::Tcp)
                ch.closed = true;
            else
                ch.readPausedUntil = Clock::now() + std::chrono::milliseconds(20);
            return;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
            return;
        if (ch.kind == Kind::Tcp)
            ch.closed = true;
        else
            ch.readPausedUntil = Clock::now() + std::chrono::milliseconds(20); // EIO: no reader side
        return;
    }
}

void EmulatorServer::Impl::Accept(Channel& listener, std::vector<std::unique_ptr<Channel>>& added)
{
    for (;;) {
        int fd = ::accept4(listener.fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        // One PC at a time: a new connection replaces the one before.
        for (auto& c : channels)
            if (c->kind == Kind::Tcp)
                c->closed = true;
        for (auto& c : added)
            if (c->kind == Kind::Tcp)
                c->closed = true;
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        auto ch = std::make_unique<Channel>();
        {
            std::lock_guard<std::mutex> l(mu);
            ch->id = nextId++;
        }
        ch->kind = Kind::Tcp;
        ch->fd = fd;
        emu.ResetInput();
        lastFed = ch->id;
        added.push_back(std::move(ch));
    }
}

void EmulatorServer::Impl::Close(Channel& ch)
{
    if (ch.watchFd >= 0)
        ::close(ch.watchFd);
    ch.watchFd = -1;
    if (ch.fd >= 0)
        ::close(ch.fd);
    ch.fd = -1;
    if (ch.slaveFd >= 0)
        ::close(ch.slaveFd);
    ch.slaveFd = -1;
    if (ch.dirFd >= 0) {
        char target[PATH_MAX];
        ssize_t n = ::readlinkat(ch.dirFd, ch.link.c_str(), target, sizeof target - 1);
        if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == ch.slavePath)
            ::unlinkat(ch.dirFd, ch.link.c_str(), 0);
        ::close(ch.dirFd);
        ch.dirFd = -1;
    }
    ch.closed = true;
}

void EmulatorServer::Impl::Run()
{
    // Paced bytes are due every few tens of microseconds: wake up on time, not 50 us late.
    ::prctl(PR_SET_TIMERSLACK, 1UL);
    ::prctl(PR_SET_NAME, ServerThreadName);
    std::vector<pollfd> fds;
    std::vector<std::pair<Channel*, bool>> owners; // the channel, and whether it is its watch
    while (!stopping) {
        {
            std::lock_guard<std::mutex> l(mu);
            for (auto& c : incoming)
                channels.push_back(std::move(c));
            incoming.clear();
        }
        int timeout = emu.Pump();
        const auto now = Clock::now();
        Clock::time_point due = Clock::time_point::max(); // the next paced byte, either way
        bool awake = false;                                // the last byte of a reply is near
        fds.clear();
        owners.clear();
        fds.push_back(pollfd{wakeRead, POLLIN, 0});
        owners.emplace_back(nullptr, false);
        for (auto& c : channels) {
            if (c->closed)
                continue;
            short events = 0;
            if (c->kind == Kind::Listen) {
                events = POLLIN;
            } else {
                if (!c->inbound.empty())
                    due = std::min(due, c->inbound.front().first);
                if (c->readPausedUntil <= now)
                    events |= POLLIN;
                else
                    timeout = timeout < 0 ? MillisecondsUntil(c->readPausedUntil, now)
                                          : std::min(timeout, MillisecondsUntil(c->readPausedUntil, now));
                if (!c->out.empty()) {
                    if (Paced(*c) && c->nextDue > now) {
                        due = std::min(due, c->nextDue);
                        const auto lastDue = c->nextDue + ByteTime() * (c->out.size() - 1);
                        awake = awake || lastDue - now <= LastByteWatch;
                    } else {
                        events |= POLLOUT;
                    }
                }
            }
            fds.push_back(pollfd{c->fd, events, 0});
            owners.emplace_back(c.get(), false);
            if (c->watchFd >= 0) {
                fds.push_back(pollfd{c->watchFd, POLLIN, 0});
                owners.emplace_back(c.get(), true);
            }
        }
        if (timeout < 0 || timeout > 200)
            timeout = 200;
        auto wait = std::chrono::nanoseconds(std::chrono::milliseconds(timeout));
        if (due != Clock::time_point::max())
            wait = std::min(wait, std::max(std::chrono::nanoseconds(0), due - now));
        if (awake)
            wait = std::chrono::nanoseconds(0);
        const timespec ts{static_cast<time_t>(wait.count() / 1'000'000'000),
                          static_cast<long>(wait.count() % 1'000'000'000)};
        int r = ::ppoll(fds.data(), fds.size(), &ts, nullptr);
        if (r < 0 && errno != EINTR)
            break;
        if (fds[0].revents & POLLIN) {
            uint8_t b[64];
            while (::read(wakeRead, b, sizeof b) > 0) {
            }
        }
        for (std::size_t i = 1; i < fds.size(); ++i)
            if (owners[i].second && (fds[i].revents & POLLIN) && !owners[i].first->closed)
                WatchOpeners(*owners[i].first);
        for (auto& c : channels)
            if (!c->closed && !c->inbound.empty())
                FeedDueInbound(*c, Clock::now());
        std::vector<std::unique_ptr<Channel>> added;
        for (std::size_t i = 1; i < fds.size(); ++i) {
            Channel* c = owners[i].first;
            const short re = fds[i].revents;
            if (owners[i].second || c->closed)
                continue;
            if (c->kind == Kind::Listen) {
                if (re & POLLIN)
                    Accept(*c, added);
                continue;
            }
            if (re & (POLLIN | POLLHUP | POLLERR))
                ReadFrom(*c);
            if (c->closed)
                continue;
            if ((re & (POLLHUP | POLLERR)) && c->kind == Kind::Pty && c->readPausedUntil <= Clock::now())
                c->readPausedUntil = Clock::now() + std::chrono::milliseconds(20);
            // Paced bytes fall due without an event; Flush writes only what is due. A client
            // that has just left gets none of them, nor does the one that came after it.
            if (c->watchFd >= 0 && !c->out.empty())
                WatchOpeners(*c);
            if (!c->out.empty() || c->closeAfterFlush)
                Flush(*c);
        }
        for (auto& c : added)
            channels.push_back(std::move(c));
        for (auto& c : channels)
            if (c->closed && c->fd >= 0)
                Close(*c);
        channels.erase(std::remove_if(channels.begin(), channels.end(), [](const auto& c) { return c->closed; }),
                       channels.end());
    }
}

// ---------------------------------------------------------------------------------------------

EmulatorServer::EmulatorServer(RegisterEmulator& emulator) : impl_(std::make_unique<Impl>(emulator)) {}

EmulatorServer::~EmulatorServer()
{
    Stop();
}

int EmulatorServer::ListenTcp(int port)
{
    if (port < 0 || port > 65535) {
        errno = EINVAL;
        return -1;
    }
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<uint16_t>(port));
    socklen_t len = sizeof a;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, 8) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        FailClosing(fd);
        return -1;
    }
    auto ch = std::make_unique<Impl::Channel>();
    ch->kind = Impl::Kind::Listen;
    ch->fd = fd;
    impl_->Add(std::move(ch));
    return ntohs(a.sin_port);
}

// A failure leaves errno set, and why saying what went wrong, for the caller to tell the user;
// ListenTcp leaves errno too.
bool EmulatorServer::ServeComPort(const std::string& dir, int n, int portCode, std::string* why)
{
    std::string reason;
    const int folder = OpenComFolder(dir, reason);
    int master = -1, slave = -1, watch = -1;
    auto fail = [&] {
        if (why)
            *why = reason.empty() ? std::strerror(errno) : reason;
        return FailClosing(watch, slave, master, folder);
    };
    if (folder < 0 || (master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC)) < 0)
        return fail();
    char name[256];
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0)
        return fail();
    if (const int e = ::ptsname_r(master, name, sizeof name); e != 0) {
        errno = e;
        return fail();
    }
    // Our own slave descriptor stays open, so that the program opening and closing the port
    // never hangs the line up for us.
    slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0)
        return fail();
    MakeRaw(slave);
    MakeRaw(master);
    SetNonBlocking(master);
    // Our own slave descriptor was opened before the watch: only the PC's opens are counted.
    watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch >= 0 && ::inotify_add_watch(watch, name, IN_OPEN | IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) < 0) {
        ::close(watch);
        watch = -1;
    }
    const std::string link = "COM" + std::to_string(n);
    struct stat st{};
    if (::fstatat(folder, link.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode))
        ::unlinkat(folder, link.c_str(), 0);
    if (::symlinkat(name, folder, link.c_str()) != 0)
        return fail();
    auto ch = std::make_unique<Impl::Channel>();
    ch->kind = Impl::Kind::Pty;
    ch->fd = master;
    ch->slaveFd = slave;
    ch->watchFd = watch;
    ch->dirFd = folder;
    ch->link = link;
    ch->slavePath = name;
    ch->portCode = portCode;
    impl_->Add(std::move(ch));
    return true;
}

void EmulatorServer::SetBaud(unsigned baud)
{
    impl_->baud = baud;
    impl_->Wake();
}

std::size_t EmulatorServer::DroppedBytes() const
{
    return impl_->dropped.load();
}

void EmulatorServer::Stop()
{
    std::thread t;
    {
        std::lock_guard<std::mutex> l(impl_->mu);
        if (!impl_->thread.joinable())
            return;
        impl_->stopping = true;
        t = std::move(impl_->thread);
    }
    impl_->Wake();
    t.join();
    // Nothing may call into this server any more: the sink and the replies still waiting go.
    impl_->emu.SetReplySink(nullptr);
    impl_->emu.ResetInput();
    for (auto& c : impl_->channels)
        impl_->Close(*c);
    impl_->channels.clear();
    for (auto& c : impl_->incoming)
        impl_->Close(*c);
    impl_->incoming.clear();
    ::close(impl_->wakeRead);
    ::close(impl_->wakeWrite);
    impl_->wakeRead = impl_->wakeWrite = -1;
    impl_->lastFed = 0;
}

} // namespace emu
