#include "BackgroundTaskRun.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <cstdio>
#include <new>

BackgroundTaskRun::BackgroundTaskRun(TaskHandler handler, const TaskArgs& args, std::function<void()> onFinished)
    : state_(std::make_shared<State>())
{
    thread_ = std::thread([state = state_, handler, argsPtr = &args, done = std::move(onFinished)] {
        try {
            state->result = handler(argsPtr);
        } catch (const std::bad_alloc&) {
            state->outOfMemory = true;
        } catch (...) {
            // A module must not throw across the contract; count it as a failure.
            state->result = 1;
        }
        state->finished.store(true);
        if (QCoreApplication* app = QCoreApplication::instance(); app && done)
            QMetaObject::invokeMethod(app, done, Qt::QueuedConnection);
    });
}

BackgroundTaskRun::~BackgroundTaskRun()
{
    if (thread_.joinable())
        thread_.join();
}

UiThreadMessages::UiThreadMessages()
{
    previous_ = platform::SetMessageHandler([this](const platform::Message& message) {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app || QThread::currentThread() == app->thread())
            return Forward(message);
        platform::MsgResult answer = platform::MsgResult::Cancel;
        QMetaObject::invokeMethod(
            app, [&] { answer = Forward(message); }, Qt::BlockingQueuedConnection);
        return answer;
    });
}

UiThreadMessages::~UiThreadMessages() { platform::SetMessageHandler(std::move(previous_)); }

platform::MsgResult UiThreadMessages::Forward(const platform::Message& message) const
{
    if (previous_)
        return previous_(message);
    std::fprintf(stderr, "%s: %s\n", qPrintable(message.caption), qPrintable(message.text));
    switch (message.buttons) {
    case platform::MsgButtons::Ok: return platform::MsgResult::Ok;
    case platform::MsgButtons::YesNo: return platform::MsgResult::No;
    case platform::MsgButtons::YesNoCancel: return platform::MsgResult::Cancel;
    }
    return platform::MsgResult::Cancel;
}
