#include "MessageRecorder.h"

#include <QStringList>

MessageRecorder::MessageRecorder()
{
    previous_ = platform::SetMessageHandler([this](const platform::Message& m) { return Handle(m); });
}

MessageRecorder::~MessageRecorder() { platform::SetMessageHandler(std::move(previous_)); }

QStringList MessageRecorder::Texts() const
{
    QStringList texts;
    for (const auto& m : messages_)
        texts << m.text;
    return texts;
}

platform::MsgResult MessageRecorder::Handle(const platform::Message& message)
{
    using platform::MsgButtons;
    using platform::MsgResult;
    messages_.push_back(message);
    if (message.buttons == MsgButtons::Ok)
        return MsgResult::Ok;
    if (!answers_.empty()) {
        MsgResult answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return message.buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
}
