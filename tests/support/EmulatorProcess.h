#pragma once
// rivo-emulator started as a child process for a test. The constructor waits (bounded) for its
// first line of output and learns the TCP port from "listening on 127.0.0.1:PORT"; the
// destructor stops it with SIGTERM and waits (bounded; SIGKILL after the bound).
#include <string>
#include <sys/types.h>
#include <vector>

class EmulatorProcess {
public:
    // args: the command line after the program name, e.g. {"--tcp", "0", "--model", "dux"}.
    // The program is the one test programs are built with (RIVO_EMULATOR_PATH). The lines read
    // are those of its stream `stream`: 1 its output, 2 its error messages.
    explicit EmulatorProcess(const std::vector<std::string>& args, int startTimeoutMs = 10000,
                             const std::string& program = RIVO_EMULATOR_PATH, int stream = 1);
    ~EmulatorProcess();
    EmulatorProcess(const EmulatorProcess&) = delete;
    EmulatorProcess& operator=(const EmulatorProcess&) = delete;

    // The child runs and printed its first line.
    bool Started() const { return !firstLine_.empty(); }
    const std::string& FirstLine() const { return firstLine_; }
    // The port of "listening on 127.0.0.1:PORT", -1 when the first line was not that.
    int Port() const { return port_; }
    // The next line of its output, "" when none came within timeoutMs.
    std::string ReadLine(int timeoutMs);
    // Waits up to timeoutMs for the child to end by itself. Returns its status as waitpid gives
    // it, or -1 when it still runs (or there was none).
    int WaitExit(int timeoutMs);
    // SIGTERM, then waits up to timeoutMs (SIGKILL after that). Returns the exit status as
    // waitpid gives it, or -1 when there was no child.
    int Stop(int timeoutMs = 5000);

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string pending_;
    std::string firstLine_;
    int port_ = -1;
};
