#include "TerminationSignal.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

// The signal handler may only write to a pipe; the notifier reads it on the
// user-interface thread.
int g_pipe[2] = {-1, -1};
int g_holds = 0;
bool g_pending = false;

void WriteToPipe(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
}

std::function<void()>& Handler()
{
    static std::function<void()> handler;
    return handler;
}

std::function<void()>& WhileHeld()
{
    static std::function<void()> whileHeld;
    return whileHeld;
}

// A hold that began after the call was queued keeps the request pending
// until it ends in turn.
void Deliver()
{
    if (!g_pending || g_holds > 0)
        return;
    g_pending = false;
    if (Handler())
        Handler()();
}

void OnRequest()
{
    g_pending = true;
    if (g_holds == 0) {
        Deliver();
        return;
    }
    if (WhileHeld())
        WhileHeld()();
}

bool InstallOnce()
{
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    // Owned by the application object, so it goes with it at exit.
    auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char bytes[16];
        while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
        }
        OnRequest();
    });
    struct sigaction action {};
    action.sa_handler = WriteToPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    return true;
}

} // namespace

void OnTerminationSignal(std::function<void()> handler, std::function<void()> whileHeld)
{
    static const bool installed = InstallOnce();
    (void)installed;
    Handler() = std::move(handler);
    WhileHeld() = std::move(whileHeld);
}

bool TerminationPending() { return g_pending; }

TerminationHold::TerminationHold() { ++g_holds; }

TerminationHold::~TerminationHold()
{
    if (--g_holds > 0 || !g_pending)
        return;
    // Queued: the work that held the request has not returned yet.
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, &Deliver, Qt::QueuedConnection);
}

} // namespace platform
