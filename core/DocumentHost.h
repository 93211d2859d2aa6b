#pragma once
// What a document needs from the program around it: someone to hear of its
// problems, a decision when an edit cannot be kept in the history, and
// someone to show that long work is under way. The program attaches one host
// to each document; a document without a host still returns its results but
// refuses edits it cannot record, since nobody can be asked.
#include "CoreProblem.h"

class CBinEditDoc;

// The long pieces of work a document announces.
enum class DocumentWork : uint8_t {
    Opening,         // loading the document's own file
    Saving,          // saving under the document's name
    Importing,       // replacing the contents with another file's
    SavingCopy,      // writing the contents elsewhere
    UndoingRedoing,  // applying a history entry
};

// The history an edit cannot be kept in (too large, or no memory).
enum class HistoryLoss : uint8_t {
    Undo,  // recording a new edit: going on clears undo and redo
    Redo,  // building the inverse while undoing: going on clears redo
};

class IDocumentHost : public ICoreProblemSink {
public:
    // True to make the edit anyway without history, false to leave everything as it is.
    virtual bool ProceedWithoutHistory(HistoryLoss loss) = 0;
    // Long work on path (empty when there is none) begins; WorkEnded follows.
    virtual void WorkStarted(DocumentWork work, const QString& path) = 0;
    virtual void WorkEnded() = 0;
    // Long work has done this much of total; false stops it (Esc). Called
    // between blocks, so the window can keep painting meanwhile.
    virtual bool WorkProgress(int64_t done, int64_t total)
    {
        (void)done;
        (void)total;
        return true;
    }
    // The modified flag or the read-only switch changed, or a view moved its
    // caret: whatever shows the bytes at the caret looks again.
    virtual void StateChanged(CBinEditDoc& document) = 0;
};
