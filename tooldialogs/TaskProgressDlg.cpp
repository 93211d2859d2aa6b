#include "TaskProgressDlg.h"

#include "ext/BackgroundTaskRun.h"

#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

#include <memory>

namespace {
// Quick tasks finish before the progress window would flash up.
constexpr int kProgressDelayMs = 300;
constexpr int kTickMs = 250;
} // namespace

QString ElapsedText(qint64 milliseconds)
{
    const qint64 seconds = milliseconds / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

CTaskProgressDlg::CTaskProgressDlg(const QString& taskName, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Running Task"));
    setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("Running \"%1\"...").arg(taskName), this);
    elapsed_ = new QLabel(this);
    layout->addWidget(name);
    layout->addWidget(elapsed_);
    // Room for a longer task name, measured in the dialog's own font.
    name->setMinimumWidth(name->fontMetrics().averageCharWidth() * 40);
    clock_.start();
    UpdateElapsed();
    connect(&ticker_, &QTimer::timeout, this, &CTaskProgressDlg::UpdateElapsed);
    ticker_.start(kTickMs);
}

void CTaskProgressDlg::UpdateElapsed()
{
    elapsed_->setText(QStringLiteral("Elapsed time: %1").arg(ElapsedText(clock_.elapsed())));
}

BackgroundResult RunHandlerWithProgress(QWidget* parent, const QString& taskName, TaskHandler handler,
                                        const TaskArgs& args)
{
    UiThreadMessages messages;
    // What the finishing call reaches; shared because that call may come
    // after this function has returned.
    struct Waiters {
        QPointer<QEventLoop> loop;
        QPointer<QDialog> dialog;
    };
    auto waiters = std::make_shared<Waiters>();
    QEventLoop wait;
    waiters->loop = &wait;
    BackgroundTaskRun run(handler, args, [waiters] {
        if (waiters->loop)
            waiters->loop->quit();
        if (waiters->dialog)
            waiters->dialog->done(QDialog::Accepted);
    });
    // First a short wait that paints but takes no input, then the window.
    QTimer::singleShot(kProgressDelayMs, &wait, &QEventLoop::quit);
    if (!run.Finished())
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    waiters->loop = nullptr;
    if (!run.Finished()) {
        CTaskProgressDlg progress(taskName, parent);
        waiters->dialog = &progress;
        if (!run.Finished())
            progress.exec();
        waiters->dialog = nullptr;
    }
    BackgroundResult result;
    result.result = run.Result();
    result.outOfMemory = run.OutOfMemory();
    return result;
}
