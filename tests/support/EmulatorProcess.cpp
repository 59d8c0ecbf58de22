#include "tests/support/EmulatorProcess.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using Clock = std::chrono::steady_clock;

EmulatorProcess::EmulatorProcess(const std::vector<std::string>& args, int startTimeoutMs, const std::string& path,
                                 int stream)
{
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return;
    std::vector<std::string> argvStore{path};
    argvStore.insert(argvStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argvStore)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    // Only async-signal-safe calls between fork and exec: the test process has threads.
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], stream);
        ::execv(path.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    if (pid < 0) {
        ::close(pipeFds[0]);
        return;
    }
    pid_ = pid;
    out_ = pipeFds[0];
    firstLine_ = ReadLine(startTimeoutMs);
    const std::string prefix = "listening on 127.0.0.1:";
    if (firstLine_.compare(0, prefix.size(), prefix) == 0)
        port_ = std::atoi(firstLine_.c_str() + prefix.size());
}

EmulatorProcess::~EmulatorProcess()
{
    Stop();
}

std::string EmulatorProcess::ReadLine(int timeoutMs)
{
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        auto nl = pending_.find('\n');
        if (nl != std::string::npos) {
            std::string line = pending_.substr(0, nl);
            pending_.erase(0, nl + 1);
            return line;
        }
        if (out_ < 0)
            return {};
        pollfd p{out_, POLLIN, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        int r = ::poll(&p, 1, static_cast<int>(std::max<long long>(left, 0)));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return {};
        char buf[512];
        ssize_t n = ::read(out_, buf, sizeof buf);
        if (n <= 0) {
            ::close(out_);
            out_ = -1;
            return {};
        }
        pending_.append(buf, static_cast<std::size_t>(n));
    }
}

int EmulatorProcess::WaitExit(int timeoutMs)
{
    if (pid_ <= 0)
        return -1;
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    // Looked at every few milliseconds until it ends or the bound passes.
    for (pid_t r; (r = ::waitpid(pid_, &status, WNOHANG)) != pid_ && !(r < 0 && errno != EINTR);) {
        if (Clock::now() >= end)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    pid_ = -1;
    if (out_ >= 0)
        ::close(out_);
    out_ = -1;
    return status;
}

int EmulatorProcess::Stop(int timeoutMs)
{
    if (pid_ <= 0)
        return -1;
    ::kill(pid_, SIGTERM);
    int status = WaitExit(timeoutMs);
    if (status == -1 && pid_ > 0) {
        ::kill(pid_, SIGKILL);
        status = WaitExit(5000);
    }
    return status;
}
