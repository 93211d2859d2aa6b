#pragma once
// Records every message shown through the platform seam and answers with
// scripted results, so tests see the exact texts and never block.
#include "platform/MessageBox.h"

#include <deque>
#include <vector>

class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    // Queues the answer to the next question; unscripted messages get Ok,
    // unscripted questions the cautious answer (No, or Cancel).
    void Answer(platform::MsgResult result) { answers_.push_back(result); }

    const std::vector<platform::Message>& Messages() const { return messages_; }
    QStringList Texts() const;
    QString Last() const { return messages_.empty() ? QString() : messages_.back().text; }
    int Count() const { return int(messages_.size()); }
    void Clear() { messages_.clear(); }

private:
    platform::MsgResult Handle(const platform::Message& message);

    std::vector<platform::Message> messages_;
    std::deque<platform::MsgResult> answers_;
    platform::MessageHandler previous_;
};
