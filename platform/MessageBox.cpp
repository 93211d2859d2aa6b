#include "MessageBox.h"

#include <cstdio>

namespace platform {

namespace {
MessageHandler& CurrentHandler()
{
    static MessageHandler handler;
    return handler;
}

MsgResult CautiousAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok: return MsgResult::Ok;
    case MsgButtons::YesNo: return MsgResult::No;
    case MsgButtons::YesNoCancel: return MsgResult::Cancel;
    }
    return MsgResult::Ok;
}
} // namespace

QString ApplicationCaption() { return QStringLiteral("Vantrel"); }

MsgResult ShowMessage(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& caption)
{
    Message message{text, buttons, icon, caption.isEmpty() ? ApplicationCaption() : caption};
    if (CurrentHandler())
        return CurrentHandler()(message);
    std::fprintf(stderr, "%s: %s\n", qPrintable(message.caption), qPrintable(message.text));
    return CautiousAnswer(buttons);
}

MessageHandler SetMessageHandler(MessageHandler handler)
{
    MessageHandler previous = std::move(CurrentHandler());
    CurrentHandler() = std::move(handler);
    return previous;
}

QString IntegerRangeText(int64_t minimum, int64_t maximum)
{
    return QStringLiteral("Please enter an integer between %1 and %2.").arg(qlonglong(minimum)).arg(qlonglong(maximum));
}

} // namespace platform
