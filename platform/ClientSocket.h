#pragma once
// A non-blocking TCP client socket in the shape of the form framework's client socket: Open
// starts a connection that completes later and reports "connected" or "error" through the
// callbacks, from the Qt event loop; send, bytes waiting and receive work on the open socket.
#include "platform/ByteTransport.h"

#include <QObject>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <sys/socket.h>
#include <vector>

class QSocketNotifier;

class ClientSocket : public QObject, public ByteTransport {
    Q_OBJECT
public:
    explicit ClientSocket(QObject* parent = nullptr);
    ~ClientSocket() override;

    std::string Host;
    int Port = 0;

    // Called from the event loop when a started connection is made or fails; errorCode is the
    // errno of the failure. The error handler may set errorCode to 0 (nothing else is done).
    std::function<void()> OnConnect;
    std::function<void(int& errorCode)> OnError;

    // Starts a connection to Host:Port; false when it cannot even be started (bad host, no
    // socket), and then OnError has not been called. A host with several addresses (localhost:
    // ::1 and 127.0.0.1) is tried address by address; OnError reports the last failure.
    bool Open();
    void Close();
    bool Active() const { return fd_ >= 0; }
    bool Connected() const { return connected_; }
    // Runs the event loop until the connection is made or fails, at most timeoutMs; true when
    // connected.
    bool WaitConnected(int timeoutMs);

    // Sends all n bytes, waiting for room as needed (at most timeoutMs in all); returns the
    // count sent (short only when the time ran out), -1 on an error or when not connected.
    int SendBuf(const uint8_t* data, std::size_t n, int timeoutMs = 5000);
    // Bytes that can be read at once; 0 when none or not connected.
    int ReceiveLength();
    // Reads up to n bytes that are there now; returns the count, 0 when none, -1 on an error
    // (a closed connection counts as an error).
    int ReceiveBuf(uint8_t* data, std::size_t n);
    // Waits up to timeoutMs for bytes to read; true when some are there.
    bool WaitReadable(int timeoutMs) override;
    // The line to the register as the link reads it.
    int BytesWaiting() override { return ReceiveLength(); }
    int Read(uint8_t* data, std::size_t n) override { return ReceiveBuf(data, n); }
    int Write(const uint8_t* data, std::size_t n) override { return SendBuf(data, n); }
    // errno of the last failure (EINVAL for a bad port, EHOSTUNREACH for a host not found).
    int LastError() const { return lastError_; }

private:
    struct Address {
        sockaddr_storage Storage{};
        socklen_t Length = 0;
    };
    bool StartNextAddress();
    void OnWritable();
    void Fail(int error);
    void DropNotifier();
    int fd_ = -1;
    bool connected_ = false;
    bool pending_ = false;     // a connection is under way or its failure is yet to be reported
    bool socketMade_ = false;  // some address got as far as a socket
    unsigned attempt_ = 0;     // tells a stale queued failure from the current attempt
    int lastError_ = 0;
    std::vector<Address> addresses_;
    std::size_t nextAddress_ = 0;
    QSocketNotifier* writeNotifier_ = nullptr;
};
