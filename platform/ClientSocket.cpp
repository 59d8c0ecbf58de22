#include "platform/ClientSocket.h"

#include "platform/Time.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

int ClampToInt(long long ms)
{
    if (ms < 0)
        return 0;
    return ms > INT_MAX ? INT_MAX : int(ms);
}

// Polls one descriptor, restarting after signals, for at most timeoutMs; the revents, 0 on
// time-out or error.
short PollFor(int fd, short events, int timeoutMs)
{
    const long long deadline = MonotonicMs() + std::max(timeoutMs, 0);
    for (;;) {
        pollfd p{fd, events, 0};
        int r = ::poll(&p, 1, ClampToInt(deadline - MonotonicMs()));
        if (r > 0)
            return p.revents;
        if (r == 0 || errno != EINTR)
            return 0;
    }
}

} // namespace

ClientSocket::ClientSocket(QObject* parent) : QObject(parent) {}

ClientSocket::~ClientSocket()
{
    // No event loop may be left to run a deferred delete (a socket that outlives the application).
    delete writeNotifier_;
    writeNotifier_ = nullptr;
    Close();
}

bool ClientSocket::Open()
{
    Close();
    lastError_ = 0;
    if (Host.empty() || Port < 1 || Port > 65535) {
        lastError_ = EINVAL;
        return false;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* list = nullptr;
    const int rc = ::getaddrinfo(Host.c_str(), std::to_string(Port).c_str(), &hints, &list);
    if (rc != 0) {
        lastError_ = rc == EAI_SYSTEM ? errno : EHOSTUNREACH;
        return false;
    }
    for (const addrinfo* a = list; a; a = a->ai_next) {
        if (a->ai_addrlen > sizeof(sockaddr_storage))
            continue;
        Address address;
        std::memcpy(&address.Storage, a->ai_addr, a->ai_addrlen);
        address.Length = a->ai_addrlen;
        addresses_.push_back(address);
    }
    ::freeaddrinfo(list);

    pending_ = true;
    socketMade_ = false;
    if (StartNextAddress())
        return true;
    if (!socketMade_) {
        Close();
        lastError_ = lastError_ ? lastError_ : EHOSTUNREACH;
        return false;
    }
    // Every address refused at once; the failure is still reported from the event loop, as a
    // later one would be.
    const unsigned attempt = attempt_;
    const int error = lastError_;
    QMetaObject::invokeMethod(
        this,
        [this, attempt, error] {
            if (attempt == attempt_ && pending_)
                Fail(error);
        },
        Qt::QueuedConnection);
    return true;
}

bool ClientSocket::StartNextAddress()
{
    while (nextAddress_ < addresses_.size()) {
        const Address& a = addresses_[nextAddress_++];
        int fd = ::socket(a.Storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP);
        if (fd < 0) {
            lastError_ = errno;
            continue;
        }
        socketMade_ = true;
        // Frames are small and answered one by one: no coalescing delay.
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&a.Storage), a.Length) == 0 || errno == EINPROGRESS) {
            fd_ = fd;
            writeNotifier_ = new QSocketNotifier(fd_, QSocketNotifier::Write, this);
            connect(writeNotifier_, &QSocketNotifier::activated, this, [this] { OnWritable(); });
            return true;
        }
        lastError_ = errno;
        ::close(fd);
    }
    return false;
}

void ClientSocket::OnWritable()
{
    if (fd_ < 0 || !pending_)
        return;
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        error = errno;
    DropNotifier();
    if (error == 0) {
        connected_ = true;
        pending_ = false;
        addresses_.clear();
        if (OnConnect)
            OnConnect();
        return;
    }
    ::close(fd_);
    fd_ = -1;
    lastError_ = error;
    if (StartNextAddress())
        return;
    Fail(lastError_);
}

void ClientSocket::Fail(int error)
{
    Close();
    lastError_ = error;
    int code = error;
    if (OnError)
        OnError(code);
}

void ClientSocket::DropNotifier()
{
    if (!writeNotifier_)
        return;
    // It may be the sender of the signal being handled, so it goes later.
    writeNotifier_->setEnabled(false);
    writeNotifier_->deleteLater();
    writeNotifier_ = nullptr;
}

void ClientSocket::Close()
{
    DropNotifier();
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    connected_ = false;
    pending_ = false;
    ++attempt_;
    addresses_.clear();
    nextAddress_ = 0;
}

bool ClientSocket::WaitConnected(int timeoutMs)
{
    const long long deadline = MonotonicMs() + std::max(timeoutMs, 0);
    for (;;) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        if (!pending_)
            return connected_;
        const long long left = deadline - MonotonicMs();
        if (left <= 0)
            return connected_;
        const int slice = ClampToInt(std::min(left, 10LL));
        if (fd_ >= 0) {
            if (PollFor(fd_, POLLOUT, slice) != 0)
                OnWritable();
        } else {
            // A failure is queued for the event loop.
            ::poll(nullptr, 0, slice);
        }
    }
}

int ClientSocket::SendBuf(const uint8_t* data, std::size_t n, int timeoutMs)
{
    if (fd_ < 0 || !connected_) {
        lastError_ = ENOTCONN;
        return -1;
    }
    n = std::min<std::size_t>(n, INT_MAX);
    const long long deadline = MonotonicMs() + std::max(timeoutMs, 0);
    std::size_t done = 0;
    while (done < n) {
        ssize_t r = ::send(fd_, data + done, n - done, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (r > 0) {
            done += static_cast<std::size_t>(r);
            continue;
        }
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            lastError_ = errno;
            connected_ = false;
            return -1;
        }
        const long long left = deadline - MonotonicMs();
        if (left <= 0)
            break;
        PollFor(fd_, POLLOUT, ClampToInt(left));
    }
    return int(done);
}

int ClientSocket::ReceiveLength()
{
    if (fd_ < 0 || !connected_)
        return 0;
    int waiting = 0;
    if (::ioctl(fd_, FIONREAD, &waiting) != 0)
        return 0;
    return std::max(waiting, 0);
}

int ClientSocket::ReceiveBuf(uint8_t* data, std::size_t n)
{
    if (fd_ < 0 || !connected_) {
        lastError_ = ENOTCONN;
        return -1;
    }
    n = std::min<std::size_t>(n, INT_MAX);
    if (n == 0)
        return 0;
    for (;;) {
        ssize_t r = ::recv(fd_, data, n, MSG_DONTWAIT);
        if (r > 0)
            return int(r);
        if (r == 0) {
            // The peer closed the connection.
            lastError_ = ECONNRESET;
            connected_ = false;
            return -1;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return 0;
        lastError_ = errno;
        connected_ = false;
        return -1;
    }
}

bool ClientSocket::WaitReadable(int timeoutMs)
{
    if (fd_ < 0 || !connected_)
        return false;
    return (PollFor(fd_, POLLIN, timeoutMs) & POLLIN) != 0;
}
