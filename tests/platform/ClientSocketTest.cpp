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

// A socket bound on the loopback, listening unless told not to.
class Listener {
public:
    explicit Listener(bool listen = true) : fd_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0
            || (listen && ::listen(fd_, 4) != 0))
            return;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~Listener()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool Ok() const { return port_ > 0; }
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
    int fd_;
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

    ClientSocket socket;
    int connects = 0;
    std::vector<int> errors;
    int peer = -1;
};

} // namespace

TEST_F(ClientSocketTest, ConnectionsAreReportedOnceFromTheEventLoopAndNotAfterAClose)
{
    Listener listener;
    Listener bound(false);  // a port that is taken but not listened on
    ASSERT_TRUE(listener.Ok());
    ASSERT_TRUE(bound.Ok());
    const struct {
        const char* Host;
        int Port;
        bool CloseAtOnce;
        int Connects;
        std::vector<int> Errors;
    } cases[] = {
        {"127.0.0.1", listener.Port(), true, 0, {}},
        {"127.0.0.1", bound.Port(), true, 0, {}},
        {"127.0.0.1", listener.Port(), false, 1, {}},
        // "localhost" may give ::1 first, which this IPv4 listener refuses: the next address is tried.
        {"localhost", listener.Port(), false, 1, {}},
        {"127.0.0.1", bound.Port(), false, 0, {ECONNREFUSED}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Host) + (c.Port == bound.Port() ? " refusing" : "") + (c.CloseAtOnce ? " closed" : ""));
        connects = 0;
        errors.clear();
        socket.Host = c.Host;
        socket.Port = c.Port;
        ASSERT_TRUE(socket.Open());
        EXPECT_TRUE(socket.Active());
        EXPECT_EQ(connects, 0);  // never from inside Open
        if (c.CloseAtOnce) {
            socket.Close();
            WaitUntil([] { return false; }, 100);  // nothing after the close, not even later
        } else {
            EXPECT_TRUE(WaitUntil([&] { return connects + errors.size() > 0; }));
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(connects, c.Connects);
        EXPECT_EQ(errors, c.Errors);
        EXPECT_EQ(socket.Connected(), c.Connects == 1);
        EXPECT_EQ(socket.Active(), c.Connects == 1);
        if (c.Connects == 1) {
            EXPECT_GE(listener.Accept(), 0);
        }
        socket.Close();
    }

    // Those that cannot start fail at once and report no event.
    errors.clear();
    for (auto [host, port] : {std::pair<const char*, int>{"", 5000}, {"127.0.0.1", 0}, {"127.0.0.1", 70000}}) {
        socket.Host = host;
        socket.Port = port;
        EXPECT_FALSE(socket.Open()) << host << ":" << port;
        EXPECT_EQ(socket.LastError(), EINVAL);
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(errors.empty());
}

TEST_F(ClientSocketTest, SendArrivesWholeOrStopsAtItsBound)
{
    Listener listener;
    Connect(listener);
    // Far more than the socket buffers hold: it goes in parts as the peer reads.
    std::vector<uint8_t> data(8 << 20);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = uint8_t(i * 31 + (i >> 12));
    std::vector<uint8_t> received(data.size());
    ssize_t got = 0;
    std::thread reader([&] { got = ::recv(peer, received.data(), received.size(), MSG_WAITALL); });
    EXPECT_EQ(socket.SendBuf(data.data(), data.size(), 20000), int(data.size()));
    reader.join();
    EXPECT_EQ(got, ssize_t(data.size()));
    EXPECT_TRUE(received == data);

    // A peer that reads nothing: the send comes back short at its bound, and says so.
    data.assign(64 << 20, 0x77);
    const long long start = MonotonicMs();
    const int sent = socket.SendBuf(data.data(), data.size(), 300);
    const long long elapsed = MonotonicMs() - start;
    EXPECT_GT(sent, 0);
    EXPECT_LT(sent, int(data.size()));
    EXPECT_GE(elapsed, 290);
    EXPECT_LT(elapsed, 3000);
    EXPECT_TRUE(socket.Connected());
}

TEST_F(ClientSocketTest, ReceivesInPartsUntilThePeerCloses)
{
    uint8_t buffer[16] = {};
    // Not open: no traffic at all.
    EXPECT_EQ(socket.SendBuf(buffer, 4), -1);
    EXPECT_EQ(socket.ReceiveBuf(buffer, 4), -1);
    EXPECT_EQ(socket.ReceiveLength(), 0);
    EXPECT_FALSE(socket.WaitReadable(0));
    EXPECT_FALSE(socket.WaitConnected(0));

    // The close is seen by a receive, or by sends once the reset comes back (without SIGPIPE).
    for (bool byReceive : {true, false}) {
        SCOPED_TRACE(byReceive);
        Listener listener;
        Connect(listener);
        std::vector<uint8_t> data(1 << 16, 1);
        if (byReceive) {
            EXPECT_EQ(socket.ReceiveBuf(buffer, sizeof buffer), 0);  // nothing yet is no error
            EXPECT_FALSE(socket.WaitReadable(60));
            const uint8_t reply[5] = {0x02, 0x01, 0x0A, 0x00, 0x03};
            ASSERT_EQ(::send(peer, reply, 5, 0), 5);
            ASSERT_TRUE(WaitUntil([&] { return socket.ReceiveLength() == 5; }));
            ASSERT_EQ(socket.ReceiveBuf(buffer, 3), 3);
            EXPECT_EQ(buffer[2], 0x0A);
            EXPECT_EQ(socket.ReceiveLength(), 2);
            ASSERT_EQ(socket.ReceiveBuf(buffer, sizeof buffer), 2);
            EXPECT_EQ(buffer[1], 0x03);
        }
        ::close(peer);
        peer = -1;
        if (byReceive) {
            EXPECT_TRUE(socket.WaitReadable(3000));
            EXPECT_EQ(socket.ReceiveBuf(data.data(), 8), -1);
            EXPECT_EQ(socket.ReceiveLength(), 0);
        } else {
            int result = 0;
            const long long deadline = MonotonicMs() + 3000;
            while ((result = socket.SendBuf(data.data(), data.size(), 100)) >= 0 && MonotonicMs() < deadline)
                ::poll(nullptr, 0, 5);
            EXPECT_EQ(result, -1);
        }
        EXPECT_FALSE(socket.Connected());
        EXPECT_EQ(socket.SendBuf(data.data(), 8), -1);
        socket.Close();
    }
}
