#pragma once
// SIGTERM and SIGINT (a desktop session ending, `kill`, Ctrl+C in the
// terminal that started the program) arrive as a call on the user-interface
// thread instead of ending the process, so the program can close the way
// File > Exit does: asking about unsaved changes and writing its settings.
//
// Long work that lets events through (the Esc check of a print or a
// comparison, a task's progress window) must not have its documents closed
// under it. Such work holds requests back: a request that arrives meanwhile
// only becomes pending, the work's Esc checks see it and stop, and the
// handler runs once the work has returned to the event loop.
#include <functional>

namespace platform {

// Installs the handlers once; later calls only replace the functions.
// handler takes a request when it is safe (at once, or once the last hold
// has ended). whileHeld runs at once for a request that has to wait, so
// that whatever keeps the work waiting (a message box, a dialog) can be
// closed. Call it once the application object exists: the handlers go with it.
void OnTerminationSignal(std::function<void()> handler, std::function<void()> whileHeld = {});

// A request has arrived and the handler has not taken it yet.
bool TerminationPending();

// Holds requests back for its lifetime; holds nest. When the last one ends
// with a request pending, the handler is called from the event loop.
class TerminationHold {
public:
    TerminationHold();
    ~TerminationHold();
    TerminationHold(const TerminationHold&) = delete;
    TerminationHold& operator=(const TerminationHold&) = delete;
};

} // namespace platform
