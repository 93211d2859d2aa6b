#pragma once
// The progress window of a task that runs off the user-interface thread. It
// names the task and counts the elapsed seconds; it cannot be closed, since a
// running handler cannot be stopped, and it goes away when the task ends.
#include "ext/interface/VantrelExtension.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

class QLabel;

class CTaskProgressDlg : public QDialog {
    Q_OBJECT
public:
    CTaskProgressDlg(const QString& taskName, QWidget* parent);

    QLabel* ElapsedLabel() const { return elapsed_; }
    void reject() override {}

private:
    void UpdateElapsed();

    QLabel* elapsed_;
    QElapsedTimer clock_;
    QTimer ticker_;
};

// "0:07": minutes and seconds.
QString ElapsedText(qint64 milliseconds);

struct BackgroundResult {
    uint32_t result = TASK_RESULT_REPORTED;
    bool outOfMemory = false;
};

// Calls the handler on a thread of its own. The window keeps painting but
// takes no input; after a short moment the progress window opens over it.
// A message box the module raises from its task is shown on this thread and
// its answer handed back. Returns once the handler has returned.
BackgroundResult RunHandlerWithProgress(QWidget* parent, const QString& taskName, TaskHandler handler,
                                        const TaskArgs& args);
