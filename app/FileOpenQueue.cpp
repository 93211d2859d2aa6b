#include "FileOpenQueue.h"

#include "platform/StatusHooks.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>

CFileOpenQueue::CFileOpenQueue(OpenFile open, QObject* parent) : QObject(parent), open_(std::move(open)) {}

CFileOpenQueue::~CFileOpenQueue() { SetWatchingKeys(false); }

int CFileOpenQueue::PendingFiles() const
{
    int pending = 0;
    for (const Batch& batch : batches_)
        pending += int(batch.paths.size()) - batch.next;
    return pending;
}

void CFileOpenQueue::Add(const QStringList& paths, BatchDone done)
{
    if (paths.isEmpty()) {
        if (done)
            done(0, true);
        return;
    }
    if (batches_.empty()) {
        doneInRun_ = totalInRun_ = 0;
        if (runBegins_)
            runBegins_();
    }
    totalInRun_ += int(paths.size());
    batches_.push_back(Batch{paths, 0, 0, std::move(done)});
    SetWatchingKeys(true);
    Schedule();
}

void CFileOpenQueue::Stop()
{
    while (!batches_.empty())
        FinishFront(false);
}

void CFileOpenQueue::Schedule()
{
    if (scheduled_ || batches_.empty())
        return;
    scheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        scheduled_ = false;
        Step();
    });
}

void CFileOpenQueue::Step()
{
    // A file that fails shows a modal message, whose event loop may call
    // here again; the outer step carries on once the message is closed.
    if (stepping_)
        return;
    stepping_ = true;
    platform::WaitCursor wait;
    QElapsedTimer slice;
    slice.start();
    while (!batches_.empty() && slice.elapsed() < kSliceMs) {
        Batch& batch = batches_.front();
        const QString path = batch.paths[batch.next++];
        ++doneInRun_;
        const bool opened = open_(path);
        // Esc during a failure message may have emptied the queue.
        if (batches_.empty() || &batches_.front() != &batch)
            break;
        if (opened)
            ++batch.opened;
        if (!opened)
            FinishFront(false);
        else if (batch.next >= batch.paths.size())
            FinishFront(true);
    }
    stepping_ = false;
    ShowProgress();
    if (batches_.empty())
        SetWatchingKeys(false);
    Schedule();
}

void CFileOpenQueue::FinishFront(bool complete)
{
    Batch batch = std::move(batches_.front());
    batches_.pop_front();
    doneInRun_ += int(batch.paths.size()) - batch.next;
    if (batches_.empty()) {
        SetWatchingKeys(false);
        platform::ShowStatusText(QString());
        if (runEnds_)
            runEnds_();
    }
    if (batch.done)
        batch.done(batch.opened, complete);
}

void CFileOpenQueue::ShowProgress() const
{
    if (batches_.empty())
        platform::ShowStatusText(QString());
    else
        platform::ShowStatusText(QStringLiteral("Opening files: %1 of %2.  Press Esc to stop").arg(doneInRun_).arg(totalInRun_));
}

void CFileOpenQueue::SetWatchingKeys(bool on)
{
    if (on == watchingKeys_ || !QCoreApplication::instance())
        return;
    watchingKeys_ = on;
    if (on)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
}

bool CFileOpenQueue::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && IsBusy()) {
        Stop();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
