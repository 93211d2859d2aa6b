#pragma once
// Runs a task handler on a thread of its own, so that the window keeps
// painting while a long task works on a big file. The handler gets the same
// TaskArgs it would get on the user-interface thread; the caller keeps them
// alive and leaves the document alone until the run has finished.
#include "ext/interface/VantrelExtension.h"
#include "platform/MessageBox.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class BackgroundTaskRun {
public:
    // onFinished is queued to the application object's thread once the
    // handler has returned; it may run after this object is gone, so it must
    // check what it touches.
    BackgroundTaskRun(TaskHandler handler, const TaskArgs& args, std::function<void()> onFinished);
    // Waits for the handler.
    ~BackgroundTaskRun();
    BackgroundTaskRun(const BackgroundTaskRun&) = delete;
    BackgroundTaskRun& operator=(const BackgroundTaskRun&) = delete;

    bool Finished() const { return state_->finished.load(); }
    // The handler's result code; meaningful once Finished().
    uint32_t Result() const { return state_->result; }
    // The host ran out of memory around the call (the handler's result is
    // then TASK_RESULT_REPORTED and the caller reports the shortage).
    bool OutOfMemory() const { return state_->outOfMemory; }

private:
    struct State {
        std::atomic<bool> finished{false};
        uint32_t result = TASK_RESULT_REPORTED;
        bool outOfMemory = false;
    };
    std::shared_ptr<State> state_;
    std::thread thread_;
};

// While it lives, a message that a module shows through platform::ShowMessage
// from another thread is shown by the installed handler on the application
// object's thread, and the module waits for the answer. That thread must
// keep running its event loop meanwhile.
class UiThreadMessages {
public:
    UiThreadMessages();
    ~UiThreadMessages();
    UiThreadMessages(const UiThreadMessages&) = delete;
    UiThreadMessages& operator=(const UiThreadMessages&) = delete;

private:
    platform::MsgResult Forward(const platform::Message& message) const;

    platform::MessageHandler previous_;
};
