#include "ChildProcess.h"

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

ChildOutcome RunInChildProcess(const std::function<int()>& body, int timeLimitMs)
{
    const pid_t child = ::fork();
    if (child < 0)
        return {};
    if (child == 0) {
        int code = 111;
        try {
            code = body();
        } catch (...) {
        }
        ::_exit(code);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs);
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return ChildOutcome{false, false, -1, SIGKILL};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ChildOutcome outcome;
    outcome.finished = true;
    outcome.exited = WIFEXITED(status);
    outcome.code = outcome.exited ? WEXITSTATUS(status) : -1;
    outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return outcome;
}
