#include "ScreenFit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>

#include <algorithm>

QRect FitInside(const QRect& frame, const QRect& available)
{
    if (!available.isValid())
        return frame;
    const QSize size = frame.size().boundedTo(available.size());
    // Left and top edges win, so the title bar stays within reach.
    const int x = std::max(available.left(), std::min(frame.left(), available.right() + 1 - size.width()));
    const int y = std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - size.height()));
    return QRect(QPoint(x, y), size);
}

namespace {

bool IsFittedKind(const QWidget* window)
{
    switch (window->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::Tool:
        return true;
    default:
        return false;
    }
}

QScreen* ScreenOf(const QWidget* window)
{
    if (QScreen* under = QGuiApplication::screenAt(window->geometry().center()))
        return under;
    if (QScreen* own = window->screen())
        return own;
    return QGuiApplication::primaryScreen();
}

} // namespace

void FitWindowToScreen(QWidget* window)
{
    if (!window || !window->isWindow() || !IsFittedKind(window) || (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QScreen* screen = ScreenOf(window);
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // The window manager's frame, once known, must fit as well.
    const QRect inner = window->geometry();
    const QRect outer = window->frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    const QRect fitted = FitInside(outer, available);
    if (fitted == outer)
        return;
    const QRect client = fitted.marginsRemoved(frame);
    // A layout may ask for more than the screen has; the screen wins.
    if (window->minimumWidth() > client.width() || window->minimumHeight() > client.height())
        window->setMinimumSize(window->minimumSize().boundedTo(client.size()));
    window->setGeometry(client);
}

bool CScreenFit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType())
        FitWindowToScreen(static_cast<QWidget*>(watched));
    return QObject::eventFilter(watched, event);
}
