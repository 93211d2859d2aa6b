#include "EscapePoller.h"
#include "TerminationSignal.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <memory>

namespace platform {

namespace {

// Installed on the application only while pending events are processed.
class InputSwallower : public QObject {
public:
    bool escapePressed = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
                escapePressed = true;
            return true;
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }
};

} // namespace

std::function<bool()> MakeEventEscapePoller()
{
    auto swallower = std::make_shared<InputSwallower>();
    return [swallower] {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return false;
        swallower->escapePressed = false;
        app->installEventFilter(swallower.get());
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        app->removeEventFilter(swallower.get());
        // A request to end the program stops the run the way Esc does.
        return swallower->escapePressed || TerminationPending();
    };
}

} // namespace platform
