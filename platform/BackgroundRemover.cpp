#include "BackgroundRemover.h"

#include "FileErrors.h"
#include "FileNames.h"

#include <QCoreApplication>
#include <QObject>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace platform {

BackgroundRemover::BackgroundRemover(FailureFn failed)
    : failed_(std::move(failed)), owner_(std::make_unique<QObject>())
{
    worker_ = std::thread([this] { Work(); });
}

BackgroundRemover::~BackgroundRemover()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
    for (const auto& [error, path] : failures_)
        std::fprintf(stderr, "%s\n", qPrintable(FileErrorText(error, path)));
}

void BackgroundRemover::Remove(const QString& path)
{
    if (path.isEmpty())
        return;
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(EncodeFileName(path));
        ++handedOver_;
    }
    wake_.notify_one();
}

void BackgroundRemover::WaitForPending()
{
    {
        std::unique_lock lock(mutex_);
        const uint64_t target = handedOver_;
        progress_.wait(lock, [this, target] { return dealtWith_ >= target; });
    }
    // Off the reporting thread the failures stay queued for it.
    if (QThread::currentThread() == owner_->thread())
        ReportFailures();
}

void BackgroundRemover::Work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty())
            return;  // stopping, and everything is removed
        const QByteArray name = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        const int error = ::unlink(name.constData()) == 0 || errno == ENOENT ? 0 : errno;
        lock.lock();
        if (error != 0) {
            failures_.emplace_back(error, DecodeFileName(name));
            // One report call takes every failure collected until it runs.
            if (failures_.size() == 1 && QCoreApplication::instance())
                QMetaObject::invokeMethod(owner_.get(), [this] { ReportFailures(); }, Qt::QueuedConnection);
        }
        ++dealtWith_;
        progress_.notify_all();
    }
}

void BackgroundRemover::ReportFailures()
{
    std::vector<std::pair<int, QString>> failures;
    {
        const std::lock_guard lock(mutex_);
        failures.swap(failures_);
    }
    for (const auto& [error, path] : failures)
        failed_(error, path);
}

namespace {
BackgroundRemover& ProgramRemover()
{
    static BackgroundRemover remover([](int error, const QString& path) { ReportFileError(error, path); });
    return remover;
}
} // namespace

void RemoveFileInBackground(const QString& path) { ProgramRemover().Remove(path); }

void WaitForPendingRemovals() { ProgramRemover().WaitForPending(); }

} // namespace platform
