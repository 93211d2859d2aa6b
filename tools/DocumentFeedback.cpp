#include "DocumentFeedback.h"

#include "CoreMessages.h"
#include "platform/EscapePoller.h"
#include "platform/MessageBox.h"
#include "platform/StatusHooks.h"

#include <QTimer>

DocumentFeedback::DocumentFeedback(std::function<void(CBinEditDoc&)> stateChanged,
                                   std::function<bool()> askWithoutHistory)
    : stateChanged_(std::move(stateChanged)), askWithoutHistory_(std::move(askWithoutHistory))
{
}

DocumentFeedback::~DocumentFeedback() = default;

void DocumentFeedback::OnProblem(const CoreProblem& problem)
{
    if (!problem.whileReading) {
        ShowCoreProblem(problem);
        return;
    }
    // A message box opened inside a paint would paint again beneath it.
    QTimer::singleShot(0, [problem] { ShowCoreProblem(problem); });
}

bool DocumentFeedback::ProceedWithoutHistory(HistoryLoss loss)
{
    if (askWithoutHistory_ && !askWithoutHistory_())
        return true;
    return platform::ShowMessage(CoreMessages::QuestionText(loss), platform::MsgButtons::YesNo,
                                 platform::MsgIcon::Warning) == platform::MsgResult::Yes;
}

void DocumentFeedback::WorkStarted(DocumentWork work, const QString& path)
{
    busy_.push_back(std::make_unique<platform::WaitCursor>());
    workText_ = CoreMessages::WorkText(work, path);
    platform::ShowStatusText(workText_);
}

bool DocumentFeedback::WorkProgress(int64_t done, int64_t total)
{
    if (total > 0)
        platform::ShowStatusText(QStringLiteral("%1 (%2%, Esc stops)").arg(workText_).arg(done * 100 / total));
    if (!escapePoller_)
        escapePoller_ = platform::MakeEventEscapePoller();
    return !escapePoller_();
}

void DocumentFeedback::WorkEnded()
{
    platform::ShowStatusText(QString());
    if (!busy_.empty())
        busy_.pop_back();
}

void DocumentFeedback::StateChanged(CBinEditDoc& document)
{
    if (stateChanged_)
        stateChanged_(document);
}
