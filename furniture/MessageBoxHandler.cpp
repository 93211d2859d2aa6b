#include "MessageBoxHandler.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>

namespace {
QMessageBox::Icon BoxIcon(platform::MsgIcon icon)
{
    switch (icon) {
    case platform::MsgIcon::Error: return QMessageBox::Critical;
    case platform::MsgIcon::Warning: return QMessageBox::Warning;
    case platform::MsgIcon::Question: return QMessageBox::Question;
    case platform::MsgIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(platform::MsgButtons buttons)
{
    switch (buttons) {
    case platform::MsgButtons::Ok: return QMessageBox::Ok;
    case platform::MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case platform::MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

platform::MsgResult ResultOf(int button)
{
    switch (button) {
    case QMessageBox::Yes: return platform::MsgResult::Yes;
    case QMessageBox::No: return platform::MsgResult::No;
    case QMessageBox::Cancel: return platform::MsgResult::Cancel;
    default: return platform::MsgResult::Ok;
    }
}
} // namespace

platform::MsgResult ShowMessageBox(const platform::Message& message)
{
    QMessageBox box(BoxIcon(message.icon), message.caption, message.text, BoxButtons(message.buttons),
                    QApplication::activeWindow());
    // Closing the box with Esc or the title bar is the cautious answer.
    if (message.buttons == platform::MsgButtons::YesNo)
        box.setEscapeButton(QMessageBox::No);
    else if (message.buttons == platform::MsgButtons::YesNoCancel)
        box.setEscapeButton(QMessageBox::Cancel);
    return ResultOf(box.exec());
}

namespace {
// With VANTREL_MESSAGE_LOG set, messages are appended to that file and take
// the cautious answer instead of waiting for a user: automated runs of the
// real program (tests, scripts) can read what it would have said.
platform::MsgResult LogMessage(const QString& logPath, const platform::Message& message)
{
    QFile log(logPath);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append))
        log.write(message.text.toUtf8() + "\n");
    switch (message.buttons) {
    case platform::MsgButtons::YesNo: return platform::MsgResult::No;
    case platform::MsgButtons::YesNoCancel: return platform::MsgResult::Cancel;
    case platform::MsgButtons::Ok: break;
    }
    return platform::MsgResult::Ok;
}
} // namespace

void InstallMessageBoxHandler()
{
    const QString logPath = qEnvironmentVariable("VANTREL_MESSAGE_LOG");
    if (logPath.isEmpty())
        platform::SetMessageHandler(&ShowMessageBox);
    else
        platform::SetMessageHandler([logPath](const platform::Message& message) { return LogMessage(logPath, message); });
}
