#include "StatusHooks.h"

namespace platform {

namespace {
StatusTextHandler& StatusHandler()
{
    static StatusTextHandler handler;
    return handler;
}
WaitCursorHandler& CursorHandler()
{
    static WaitCursorHandler handler;
    return handler;
}
} // namespace

void SetStatusTextHandler(StatusTextHandler handler) { StatusHandler() = std::move(handler); }

void ShowStatusText(const QString& text)
{
    if (StatusHandler())
        StatusHandler()(text);
}

void SetWaitCursorHandler(WaitCursorHandler handler) { CursorHandler() = std::move(handler); }

WaitCursor::WaitCursor()
{
    if (CursorHandler())
        CursorHandler()(true);
}

WaitCursor::~WaitCursor()
{
    if (CursorHandler())
        CursorHandler()(false);
}

} // namespace platform
