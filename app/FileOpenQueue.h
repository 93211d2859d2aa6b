#pragma once
// Files handed over by another copy of the program, opened from the event
// loop a few at a time. The sender is answered before the first file opens,
// the window keeps painting and answering later copies meanwhile, and Esc
// drops whatever has not been opened yet.
#include <QObject>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

class CFileOpenQueue : public QObject {
    Q_OBJECT
public:
    // open returns false when the file could not be opened (already reported).
    using OpenFile = std::function<bool(const QString& path)>;
    // Called when a batch is over: how many of its files opened, and whether
    // it ran to its end (not stopped by a failure or Esc).
    using BatchDone = std::function<void(int opened, bool complete)>;

    explicit CFileOpenQueue(OpenFile open, QObject* parent = nullptr);
    ~CFileOpenQueue() override;

    // Queues one batch; like a command line, a batch stops at its first
    // file that cannot be opened.
    void Add(const QStringList& paths, BatchDone done = {});
    bool IsBusy() const { return !batches_.empty(); }
    // Called when the queue starts opening and when it has nothing left.
    void SetRunHooks(std::function<void()> begin, std::function<void()> end)
    {
        runBegins_ = std::move(begin);
        runEnds_ = std::move(end);
    }
    int PendingFiles() const;
    // Drops every file not opened yet (what Esc does).
    void Stop();

    // Time given to opening files before the event loop runs again.
    static constexpr int kSliceMs = 40;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Batch {
        QStringList paths;
        int next = 0;
        int opened = 0;
        BatchDone done;
    };
    void Schedule();
    void Step();
    void FinishFront(bool complete);
    void ShowProgress() const;
    void SetWatchingKeys(bool on);

    OpenFile open_;
    std::function<void()> runBegins_;
    std::function<void()> runEnds_;
    std::deque<Batch> batches_;
    int doneInRun_ = 0;
    int totalInRun_ = 0;
    bool scheduled_ = false;
    bool stepping_ = false;
    bool watchingKeys_ = false;
};
