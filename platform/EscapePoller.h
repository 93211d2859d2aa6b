#pragma once
// The Esc check of long runs (Replace All, comparisons). Each call lets the
// window system catch up (painting, timers) but swallows what the user types
// or clicks meanwhile, so nothing can start another command in the middle of
// the run; it answers whether Esc was pressed since the previous call, or a
// request to end the program is pending (the run must hold such requests
// back, see TerminationSignal.h).
#include <functional>

namespace platform {

// A poller for the running application. Without a QCoreApplication it never
// reports Esc.
std::function<bool()> MakeEventEscapePoller();

} // namespace platform
