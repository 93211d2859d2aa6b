#pragma once
// The texts the user reads when the document core reports a problem or
// needs a decision. The core hands over values (CoreProblem, HistoryLoss,
// DocumentWork); these turn them into words.
#include "core/CoreProblem.h"
#include "core/DocumentHost.h"

#include <QString>

struct CoreMessages {
    // An edit ran out of memory part way.
    static QString OutOfMemoryText();
    static QString SizeLimitLoadText();
    static QString SizeLimitInsertText();
    static QString CannotUndoQuestion();
    static QString CannotRedoQuestion();
    static QString OutOfSyncText();
    static QString NoMemoryForLevelsText();
    static QString SourceChangedText();

    // The one message for a problem; file errors name the file.
    static QString ProblemText(const CoreProblem& problem);
    static QString QuestionText(HistoryLoss loss);
    // The status-bar text while the work runs.
    static QString WorkText(DocumentWork work, const QString& path);
};

// Shows the problem's message as an error box (nothing for no problem).
void ShowCoreProblem(const CoreProblem& problem);
