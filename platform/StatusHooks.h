#pragma once
// Feedback for long operations. The window layer installs the handlers; until
// then these do nothing, so window-free code can call them freely.
#include <QString>
#include <functional>

namespace platform {

using StatusTextHandler = std::function<void(const QString&)>;
void SetStatusTextHandler(StatusTextHandler handler);
// Shows text in the status bar's message pane; an empty text restores the idle prompt.
void ShowStatusText(const QString& text);

using WaitCursorHandler = std::function<void(bool busy)>;
void SetWaitCursorHandler(WaitCursorHandler handler);

// Shows the wait cursor for its lifetime; guards nest.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace platform
