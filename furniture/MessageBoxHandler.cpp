#include "MessageBoxHandler.h"

#include <QApplication>
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

void InstallMessageBoxHandler() { platform::SetMessageHandler(&ShowMessageBox); }
