#pragma once
// The one way the program and its modules show a modal message. The window
// layer installs a handler that opens a real message box; tests install one
// that records the message and returns a scripted answer, so no test blocks.
#include <QString>
#include <cstdint>
#include <functional>

namespace platform {

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { Error, Warning, Question, Information };
enum class MsgResult { Ok, Yes, No, Cancel };

struct Message {
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::Error;
    QString caption;
};

using MessageHandler = std::function<MsgResult(const Message&)>;

// Shows the message and returns the button pressed. Without an installed
// handler the text goes to standard error and the most cautious answer is
// returned (No for Yes/No, Cancel for Yes/No/Cancel).
MsgResult ShowMessage(const QString& text, MsgButtons buttons = MsgButtons::Ok,
                      MsgIcon icon = MsgIcon::Error, const QString& caption = QString());

// What a number field outside its range says: "Please enter an integer
// between minimum and maximum."
QString IntegerRangeText(int64_t minimum, int64_t maximum);

// Installs a handler and returns the previous one.
MessageHandler SetMessageHandler(MessageHandler handler);

QString ApplicationCaption();

} // namespace platform
