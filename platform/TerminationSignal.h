#pragma once
// SIGTERM and SIGINT (a desktop session ending, `kill`, Ctrl+C in the
// terminal that started the program) arrive as a call on the user-interface
// thread instead of ending the process, so the program can close the way
// File > Exit does: asking about unsaved changes and writing its settings.
#include <functional>

namespace platform {

// Installs the handlers once; later calls only replace the function. Call it
// once the application object exists: the handlers go with it.
void OnTerminationSignal(std::function<void()> handler);

} // namespace platform
