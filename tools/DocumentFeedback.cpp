#include "DocumentFeedback.h"

#include "CoreMessages.h"
#include "platform/MessageBox.h"
#include "platform/StatusHooks.h"
#include "settings/AppSettings.h"

DocumentFeedback::DocumentFeedback(std::function<void(CBinEditDoc&)> stateChanged)
    : stateChanged_(std::move(stateChanged))
{
}

DocumentFeedback::~DocumentFeedback() = default;

void DocumentFeedback::OnProblem(const CoreProblem& problem) { ShowCoreProblem(problem); }

bool DocumentFeedback::ProceedWithoutHistory(HistoryLoss loss)
{
    if (!Settings().warnCantUndo)
        return true;
    return platform::ShowMessage(CoreMessages::QuestionText(loss), platform::MsgButtons::YesNo,
                                 platform::MsgIcon::Warning) == platform::MsgResult::Yes;
}

void DocumentFeedback::WorkStarted(DocumentWork work, const QString& path)
{
    busy_.push_back(std::make_unique<platform::WaitCursor>());
    platform::ShowStatusText(CoreMessages::WorkText(work, path));
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
