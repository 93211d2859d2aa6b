#include "ProcessSignals.h"

#include <csignal>

namespace platform {

void IgnoreFileSizeLimitSignal()
{
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGXFSZ, &action, nullptr);
}

} // namespace platform
