#include "tests/support/EmulatorProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point end)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

} // namespace

EmulatorProcess::EmulatorProcess(const std::vector<std::string>& args, int startTimeoutMs, const std::string& program)
{
    std::string path = program;
    if (path.empty())
        if (const char* env = std::getenv("RIVO_EMULATOR_PATH"))
            path = env;
    if (path.empty())
        return;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return;
    std::vector<std::string> argvStore;
    argvStore.push_back(path);
    argvStore.insert(argvStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argvStore)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    pid_t pid = -1;
    int rc = ::posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc != 0) {
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
        int r = ::poll(&p, 1, RemainingMs(end));
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
    // The child's descriptor becomes readable when it ends: a wait with a bound.
    int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
    bool ended = false;
    for (;;) {
        pid_t r = ::waitpid(pid_, &status, WNOHANG);
        if (r == pid_ || (r < 0 && errno != EINTR)) {
            ended = true;
            break;
        }
        if (Clock::now() >= end)
            break;
        if (pidfd >= 0) {
            pollfd p{pidfd, POLLIN, 0};
            ::poll(&p, 1, RemainingMs(end));
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5)); // no pidfd: poll waitpid
        }
    }
    if (pidfd >= 0)
        ::close(pidfd);
    if (!ended)
        return -1;
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
