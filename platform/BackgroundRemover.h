#pragma once
// Removes files on a thread of its own. Freeing the blocks of a large file
// takes time the user gains nothing from waiting for (on a file system
// mounted with discard the removal waits for the device), so a command hands
// its used temporary files over and returns at once. One worker removes them
// in the order they came. A file that cannot be removed is reported with the
// file layer's message naming it, on the thread that made the remover (the
// user-interface thread), never from the worker. The program waits for the
// queue before it exits, so no file handed over is left behind.
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

class QObject;

namespace platform {

class BackgroundRemover {
public:
    // Told the errno of a removal that failed and the file's path.
    using FailureFn = std::function<void(int errorNumber, const QString& path)>;

    // failed runs on the thread that makes the remover: queued to its event
    // loop as soon as a removal fails, or within WaitForPending.
    explicit BackgroundRemover(FailureFn failed);
    // Removes whatever is still queued first. Failures not reported by then
    // go to standard error: at the end of the process no window is left to
    // show them.
    ~BackgroundRemover();
    BackgroundRemover(const BackgroundRemover&) = delete;
    BackgroundRemover& operator=(const BackgroundRemover&) = delete;

    // Queues the file for removal and returns at once. A file that is
    // already gone is no failure.
    void Remove(const QString& path);
    // Returns once every file handed over before the call is removed (or
    // failed to be), after reporting the failures not yet reported.
    void WaitForPending();

private:
    void Work();
    // Hands the failures collected so far to failed_, each once.
    void ReportFailures();

    FailureFn failed_;
    std::unique_ptr<QObject> owner_;  // lives on the reporting thread
    std::mutex mutex_;
    std::condition_variable wake_;     // the worker: work or stop
    std::condition_variable progress_; // waiters: another file dealt with
    std::deque<QByteArray> queue_;
    std::vector<std::pair<int, QString>> failures_;
    uint64_t handedOver_ = 0;
    uint64_t dealtWith_ = 0;
    bool stopping_ = false;
    std::thread worker_;
};

// The program's own remover, made on first use; failures are shown with
// ReportFileError.
void RemoveFileInBackground(const QString& path);
// Waits for the program's remover. The program calls it before it exits;
// tests call it before they look for files left behind.
void WaitForPendingRemovals();

} // namespace platform
