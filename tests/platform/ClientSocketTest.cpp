#include "platform/ClientSocket.h"

#include "platform/Time.h"
#include "tests/support/TestEnvironment.h"

#include <QCoreApplication>
#include <arpa/inet.h>
#include <cerrno>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// A listening socket on the loopback, for the client to connect to.
class Listener {
public:
    explicit Listener(int family = AF_INET, bool listen = true)
    {
        fd_ = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd_ < 0)
            return;
        sockaddr_storage address{};
        socklen_t length;
        if (family == AF_INET) {
            auto* a = reinterpret_cast<sockaddr_in*>(&address);
            a->sin_family = AF_INET;
            a->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            length = sizeof *a;
        } else {
            auto* a = reinterpret_cast<sockaddr_in6*>(&address);
            a->sin6_family = AF_INET6;
            a->sin6_addr = in6addr_loopback;
            length = sizeof *a;
        }
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 || (listen && ::listen(fd_, 4) != 0)) {
            Close();
            return;
        }
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(family == AF_INET ? reinterpret_cast<sockaddr_in*>(&address)->sin_port
                                        : reinterpret_cast<sockaddr_in6*>(&address)->sin6_port);
    }
    ~Listener() { Close(); }
    bool Ok() const { return fd_ >= 0; }
    int Port() const { return port_; }
    // The accepted connection, -1 when none came within timeoutMs.
    int Accept(int timeoutMs = 3000)
    {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0)
            return -1;
        return ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    }

private:
    void Close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    int fd_ = -1;
    int port_ = 0;
};

class ClientSocketTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        socket.OnConnect = [this] { ++connects; };
        socket.OnError = [this](int& code) {
            errors.push_back(code);
            code = 0;
        };
    }
    void TearDown() override
    {
        if (peer >= 0)
            ::close(peer);
    }
    // Connects the socket to the listener and accepts the peer end.
    void Connect(Listener& listener)
    {
        ASSERT_TRUE(listener.Ok());
        socket.Host = "127.0.0.1";
        socket.Port = listener.Port();
        ASSERT_TRUE(socket.Open());
        ASSERT_TRUE(socket.WaitConnected(5000));
        peer = listener.Accept();
        ASSERT_GE(peer, 0);
    }
    // Runs the event loop for up to timeoutMs or until the condition holds.
    template <class Condition>
    bool RunEventsUntil(Condition condition, int timeoutMs = 5000)
    {
        const long long deadline = MonotonicMs() + timeoutMs;
        while (!condition()) {
            if (MonotonicMs() >= deadline)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            ::poll(nullptr, 0, 1);
        }
        return true;
    }

    ClientSocket socket;
    int connects = 0;
    std::vector<int> errors;
    int peer = -1;
};

} // namespace

TEST_F(ClientSocketTest, ConnectionIsReportedFromTheEventLoop)
{
    Listener listener;
    ASSERT_TRUE(listener.Ok());
    socket.Host = "127.0.0.1";
    socket.Port = listener.Port();
    ASSERT_TRUE(socket.Open());
    EXPECT_TRUE(socket.Active());
    EXPECT_EQ(connects, 0);  // never from inside Open
    ASSERT_TRUE(RunEventsUntil([&] { return connects > 0; }));
    EXPECT_TRUE(socket.Connected());
    EXPECT_TRUE(errors.empty());
    // Nothing more is reported for the same connection.
    QCoreApplication::processEvents();
    EXPECT_EQ(connects, 1);
    EXPECT_GE(listener.Accept(), 0);
}

TEST_F(ClientSocketTest, RefusedConnectionGivesTheErrorEvent)
{
    Listener bound(AF_INET, false);  // a port that is taken but not listened on
    ASSERT_TRUE(bound.Ok());
    socket.Host = "127.0.0.1";
    socket.Port = bound.Port();
    ASSERT_TRUE(socket.Open());
    const long long start = MonotonicMs();
    EXPECT_FALSE(socket.WaitConnected(5000));
    EXPECT_LT(MonotonicMs() - start, 3000);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], ECONNREFUSED);
    EXPECT_EQ(connects, 0);
    EXPECT_FALSE(socket.Connected());
    EXPECT_FALSE(socket.Active());
}

TEST_F(ClientSocketTest, HostNameIsResolved)
{
    Listener listener;  // IPv4 only: where localhost also gives ::1, that address is refused first
    ASSERT_TRUE(listener.Ok());
    socket.Host = "localhost";
    socket.Port = listener.Port();
    ASSERT_TRUE(socket.Open());
    EXPECT_TRUE(socket.WaitConnected(5000));
    EXPECT_EQ(connects, 1);
    EXPECT_TRUE(errors.empty());
}

TEST_F(ClientSocketTest, Ipv6Loopback)
{
    Listener listener(AF_INET6);
    if (!listener.Ok())
        GTEST_SKIP() << "no IPv6 loopback here";
    socket.Host = "::1";
    socket.Port = listener.Port();
    ASSERT_TRUE(socket.Open());
    EXPECT_TRUE(socket.WaitConnected(5000));
}

TEST_F(ClientSocketTest, ConnectionThatCannotStartFailsAtOnce)
{
    socket.Host = "";
    socket.Port = 5000;
    EXPECT_FALSE(socket.Open());
    socket.Host = "127.0.0.1";
    socket.Port = 0;
    EXPECT_FALSE(socket.Open());
    socket.Port = 70000;
    EXPECT_FALSE(socket.Open());
    EXPECT_EQ(socket.LastError(), EINVAL);
    EXPECT_FALSE(socket.Active());
    QCoreApplication::processEvents();
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(connects, 0);
}

TEST_F(ClientSocketTest, CloseDropsAConnectionUnderWay)
{
    Listener listener;
    socket.Host = "127.0.0.1";
    socket.Port = listener.Port();
    ASSERT_TRUE(socket.Open());
    socket.Close();
    EXPECT_FALSE(socket.Active());

    Listener bound(AF_INET, false);
    socket.Port = bound.Port();
    ASSERT_TRUE(socket.Open());
    socket.Close();
    // Neither attempt reports anything after its close, not even later.
    RunEventsUntil([] { return false; }, 200);
    EXPECT_EQ(connects, 0);
    EXPECT_TRUE(errors.empty());

    // The socket can be opened again.
    socket.Port = listener.Port();
    ASSERT_TRUE(socket.Open());
    EXPECT_TRUE(socket.WaitConnected(5000));
    EXPECT_EQ(connects, 1);
}

TEST_F(ClientSocketTest, ClosedSocketRefusesTraffic)
{
    uint8_t b[4] = {1, 2, 3, 4};
    EXPECT_EQ(socket.SendBuf(b, 4), -1);
    EXPECT_EQ(socket.ReceiveBuf(b, 4), -1);
    EXPECT_EQ(socket.ReceiveLength(), 0);
    EXPECT_FALSE(socket.WaitReadable(0));
    EXPECT_FALSE(socket.WaitConnected(0));
}

TEST_F(ClientSocketTest, LargeSendArrivesWhole)
{
    Listener listener;
    Connect(listener);
    std::vector<uint8_t> data(8 << 20);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = uint8_t(i * 31 + (i >> 12));
    std::vector<uint8_t> received;
    std::thread reader([&] {
        uint8_t buffer[65536];
        while (received.size() < data.size()) {
            pollfd p{peer, POLLIN, 0};
            if (::poll(&p, 1, 5000) <= 0)
                return;
            ssize_t r = ::recv(peer, buffer, sizeof buffer, 0);
            if (r <= 0)
                return;
            received.insert(received.end(), buffer, buffer + r);
        }
    });
    const int sent = socket.SendBuf(data.data(), data.size(), 20000);
    reader.join();
    EXPECT_EQ(sent, int(data.size()));
    EXPECT_TRUE(received == data);
}

TEST_F(ClientSocketTest, SendThatThePeerDoesNotTakeStopsAtItsBound)
{
    Listener listener;
    Connect(listener);
    std::vector<uint8_t> data(64 << 20, 0x77);
    const long long start = MonotonicMs();
    const int sent = socket.SendBuf(data.data(), data.size(), 300);
    const long long elapsed = MonotonicMs() - start;
    EXPECT_GT(sent, 0);
    EXPECT_LT(sent, int(data.size()));  // short, and said so
    EXPECT_GE(elapsed, 290);
    EXPECT_LT(elapsed, 3000);
    EXPECT_TRUE(socket.Connected());
}

TEST_F(ClientSocketTest, ReceiveLengthAndReceive)
{
    Listener listener;
    Connect(listener);
    uint8_t buffer[16] = {};
    EXPECT_EQ(socket.ReceiveBuf(buffer, sizeof buffer), 0);  // nothing yet is no error
    long long start = MonotonicMs();
    EXPECT_FALSE(socket.WaitReadable(60));
    EXPECT_GE(MonotonicMs() - start, 50);

    const uint8_t reply[5] = {0x02, 0x01, 0x0A, 0x00, 0x03};
    ASSERT_EQ(::send(peer, reply, 5, 0), 5);
    EXPECT_TRUE(socket.WaitReadable(3000));
    const long long deadline = MonotonicMs() + 3000;
    while (socket.ReceiveLength() < 5 && MonotonicMs() < deadline)
        socket.WaitReadable(10);
    EXPECT_EQ(socket.ReceiveLength(), 5);
    ASSERT_EQ(socket.ReceiveBuf(buffer, 3), 3);
    EXPECT_EQ(buffer[2], 0x0A);
    EXPECT_EQ(socket.ReceiveLength(), 2);
    ASSERT_EQ(socket.ReceiveBuf(buffer, sizeof buffer), 2);
    EXPECT_EQ(buffer[1], 0x03);
    EXPECT_EQ(socket.ReceiveLength(), 0);
    EXPECT_EQ(socket.SendBuf(reply, 5), 5);
    uint8_t echo[5];
    EXPECT_EQ(::recv(peer, echo, 5, MSG_WAITALL), 5);
}

TEST_F(ClientSocketTest, PeerCloseEndsTheConnection)
{
    Listener listener;
    Connect(listener);
    ::close(peer);
    peer = -1;
    EXPECT_TRUE(socket.WaitReadable(3000));
    uint8_t buffer[8];
    EXPECT_EQ(socket.ReceiveBuf(buffer, sizeof buffer), -1);
    EXPECT_FALSE(socket.Connected());
    EXPECT_EQ(socket.ReceiveLength(), 0);
    EXPECT_EQ(socket.SendBuf(buffer, sizeof buffer), -1);
}

TEST_F(ClientSocketTest, SendToAClosedPeerFailsWithoutSignal)
{
    Listener listener;
    Connect(listener);
    ::close(peer);
    peer = -1;
    // The first send may still be taken; the reset then fails the next ones (no SIGPIPE).
    std::vector<uint8_t> data(1 << 16, 1);
    int result = 0;
    const long long deadline = MonotonicMs() + 3000;
    while ((result = socket.SendBuf(data.data(), data.size(), 100)) >= 0 && MonotonicMs() < deadline)
        ::poll(nullptr, 0, 5);
    EXPECT_EQ(result, -1);
    EXPECT_FALSE(socket.Connected());
}
