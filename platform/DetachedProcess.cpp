#include "DetachedProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

// Only async-signal-safe calls from here on: the fork copied one thread of a
// program that has several.
[[noreturn]] void ReportAndExit(int reportFd, int error)
{
    [[maybe_unused]] const ssize_t written = ::write(reportFd, &error, sizeof error);
    ::_exit(127);
}

[[noreturn]] void RunProgram(int reportFd, const char* program, char* const* argv, const char* workingDir)
{
    // Ignored signals stay ignored across exec; this program ignores
    // SIGXFSZ for itself, which a tool must not inherit.
    ::signal(SIGXFSZ, SIG_DFL);
    ::signal(SIGPIPE, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    if (workingDir && ::chdir(workingDir) != 0)
        ReportAndExit(reportFd, errno);
    ::execv(program, argv);
    ReportAndExit(reportFd, errno);
}

} // namespace

int StartDetached(const QByteArray& program, const QList<QByteArray>& arguments, const QByteArray& workingDir)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.constData()));
    for (const QByteArray& argument : arguments)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);
    const char* directory = workingDir.isEmpty() ? nullptr : workingDir.constData();

    // The grandchild reports a failure through the pipe; a successful exec
    // closes it (close-on-exec) with nothing written.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return errno;
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        return error;
    }
    if (child == 0) {
        // The intermediate child ends at once, so the program is not ours to
        // wait for and never stays a zombie.
        ::close(report[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0)
            RunProgram(report[1], program.constData(), argv.data(), directory);
        if (grandchild < 0)
            ReportAndExit(report[1], errno);
        ::_exit(0);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    do {
        got = ::read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    if (got == ssize_t(sizeof error))
        return error != 0 ? error : ECHILD;
    return 0;
}

} // namespace platform
