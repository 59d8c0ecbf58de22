#include "tests/support/PtyPair.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

long long NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void MakeRaw(int fd)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return;
    ::cfmakeraw(&t);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    ::tcsetattr(fd, TCSANOW, &t);
}

} // namespace

PtyPair::PtyPair(int port, const std::string& folder) : port_(port)
{
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    MakeRaw(slave_);
    MakeRaw(master_);
    slavePath_ = name;

    if (folder.empty()) {
        char tmpl[] = "/tmp/rivo-pty-XXXXXX";
        if (!::mkdtemp(tmpl)) {
            HangUp();
            return;
        }
        folder_ = tmpl;
        comDir_.emplace({"RIVO_COM_DIR"});
        ::setenv("RIVO_COM_DIR", folder_.c_str(), 1);
    } else {
        folder_ = folder;
    }
    link_ = folder_ + "/COM" + std::to_string(port);
    std::error_code ec;
    std::filesystem::remove(link_, ec);
    std::filesystem::create_symlink(slavePath_, link_, ec);
    if (ec)
        HangUp();
}

PtyPair::~PtyPair()
{
    HangUp();
    std::error_code ec;
    if (comDir_)  // the folder is this pair's own
        std::filesystem::remove_all(folder_, ec);
}

bool PtyPair::Write(const void* data, std::size_t n)
{
    if (master_ < 0)
        return false;
    const auto* p = static_cast<const uint8_t*>(data);
    const long long deadline = NowMs() + 5000;
    std::size_t done = 0;
    while (done < n) {
        ssize_t r = ::write(master_, p + done, n - done);
        if (r > 0) {
            done += std::size_t(r);
            continue;
        }
        if (r < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        const long long left = deadline - NowMs();
        if (left <= 0)
            return false;
        pollfd pfd{master_, POLLOUT, 0};
        ::poll(&pfd, 1, int(left));
    }
    return true;
}

// Up to n bytes; stops when none came for quietMs, or after maxMs in all.
std::vector<uint8_t> PtyPair::ReadSome(std::size_t n, int quietMs, int maxMs)
{
    std::vector<uint8_t> out;
    if (master_ < 0)
        return out;
    const long long deadline = NowMs() + maxMs;
    uint8_t buffer[4096];
    while (out.size() < n) {
        ssize_t r = ::read(master_, buffer, std::min(n - out.size(), sizeof buffer));
        if (r > 0) {
            out.insert(out.end(), buffer, buffer + r);
            continue;
        }
        if (r < 0 && errno != EAGAIN && errno != EINTR)
            break;
        const long long left = deadline - NowMs();
        if (left <= 0)
            break;
        pollfd pfd{master_, POLLIN, 0};
        if (::poll(&pfd, 1, int(std::min<long long>(quietMs, left))) == 0 && quietMs < maxMs)
            break;
    }
    return out;
}

void PtyPair::HangUp()
{
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = slave_ = -1;
    // The pty's number is free for the next one made: a link left behind would lead there.
    std::error_code ec;
    if (!link_.empty())
        std::filesystem::remove(link_, ec);
}
