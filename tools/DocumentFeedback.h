#pragma once
// The host the program gives its documents: problems become message boxes,
// an edit that cannot be kept in the history asks the user (when the
// "warn when cannot undo" preference is on), and long work shows the wait
// cursor and a status text. What a state change refreshes is the caller's
// choice.
#include "core/DocumentHost.h"

#include <functional>
#include <memory>
#include <vector>

namespace platform {
class WaitCursor;
}

class DocumentFeedback : public IDocumentHost {
public:
    // askWithoutHistory tells, at each such edit, whether the user wants to
    // be asked before an edit goes ahead without its undo history (the
    // option can change while documents are open); none: always ask.
    explicit DocumentFeedback(std::function<void(CBinEditDoc&)> stateChanged = {},
                              std::function<bool()> askWithoutHistory = {});
    ~DocumentFeedback() override;
    DocumentFeedback(const DocumentFeedback&) = delete;
    DocumentFeedback& operator=(const DocumentFeedback&) = delete;

    void OnProblem(const CoreProblem& problem) override;
    bool ProceedWithoutHistory(HistoryLoss loss) override;
    void WorkStarted(DocumentWork work, const QString& path) override;
    void WorkEnded() override;
    bool WorkProgress(int64_t done, int64_t total) override;
    void StateChanged(CBinEditDoc& document) override;

private:
    std::function<void(CBinEditDoc&)> stateChanged_;
    std::function<bool()> askWithoutHistory_;
    std::vector<std::unique_ptr<platform::WaitCursor>> busy_;
    QString workText_;
    std::function<bool()> escapePoller_;
};
