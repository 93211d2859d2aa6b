#pragma once
// One open file: its bytes, its undo and redo histories, the read-only
// switch and the modified flag. It tells its views what changed after every
// edit. Window-free: the commands and dialogs live with the main window, and
// everything the user sees or is asked goes through the document's host.
#include "DocumentHost.h"
#include "FileBuffer.h"
#include "UndoList.h"
#include "DocumentChange.h"

#include <QString>
#include <vector>

// How many edits the undo and redo lists keep (the redo list never keeps
// more than the undo list).
struct HistoryLevels {
    int32_t undo = 100;
    int32_t redo = 100;
};

class CBinEditDoc {
public:
    explicit CBinEditDoc(IDocumentHost* host = nullptr, HistoryLevels levels = {});
    ~CBinEditDoc();
    CBinEditDoc(const CBinEditDoc&) = delete;
    CBinEditDoc& operator=(const CBinEditDoc&) = delete;

    // ---- life cycle
    bool OnNewDocument();
    bool OnOpenDocument(const QString& path);
    bool OnSaveDocument(const QString& path);
    // Replaces the contents with a file's without touching the path name;
    // on failure the document stays open and empty.
    bool LoadForImport(const QString& path);
    // Writes the contents elsewhere; flag and histories stay as they are.
    bool SaveCopy(const QString& path);
    // The same into a private temporary file (a task's input), written
    // straight through without the safe replace.
    bool SaveCopyToTempFile(const QString& path);

    // ---- the program around the document
    IDocumentHost* Host() const { return host_; }
    // Attaches the host that hears of problems (the buffer's too), decides
    // about edits without history and shows long work.
    void SetHost(IDocumentHost* host);
    // The latest problem of the last load, save, edit, undo or redo, or none.
    const CoreProblem& LastProblem() const { return lastProblem_; }
    // Hands a problem of the document or its histories to the host.
    void ReportProblem(const CoreProblem& problem);
    // False when the edit must not be made without its history entry.
    bool ProceedWithoutHistory(HistoryLoss loss);
    // Tells the host that what the document shows at a caret may have changed.
    void NotifyStateChanged();

    // ---- state
    CFileBuffer& Buffer() { return buffer_; }
    const CFileBuffer& Buffer() const { return buffer_; }
    int64_t Size() const { return buffer_.Size(); }
    int64_t OriginalSize() const { return originalSize_; }
    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true);
    bool IsReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    const QString& PathName() const { return pathName_; }
    void SetPathName(const QString& path);
    const QString& Title() const { return title_; }
    void SetTitle(const QString& title) { title_ = title; }

    // ---- views
    void AddView(IDocView* view);
    void RemoveView(IDocView* view);
    const std::vector<IDocView*>& Views() const { return views_; }
    // Sends the hint to every view but the sender.
    void UpdateAllViews(IDocView* sender, const DocumentChange& change);

    // ---- undo and redo
    CUndoList& UndoList() { return undo_; }
    CUndoList& RedoList() { return redo_; }
    // Records an edit about to be made at the cursor; false means do not make it.
    bool RecordEdit(const CBufferPos& cursor, UndoKind kind, int64_t count, int64_t other);
    bool RecordReplaceAll(const ReplaceAllRecord& record);
    void ConfigureHistory(int32_t undoLevels, int32_t redoLevels);
    bool CanUndo() const { return !readOnly_ && !undo_.IsEmpty(); }
    bool CanRedo() const { return !readOnly_ && !redo_.IsEmpty(); }
    int64_t Undo(CBufferPos& cursor);
    int64_t Redo(CBufferPos& cursor);
    // Bytes the last Undo or Redo of this document wrote back (0 for a
    // removal or a replace-all); the view selects them.
    int64_t LastEditLength() const { return lastEditLength_; }

    // ---- edits, each one undo step made in the one edit order: refuse when
    // read-only, record, change the buffer through the cursor (which stands
    // at the edit's offset and stays there), mark modified, send the hint.
    bool ReplaceAt(CBufferPos& at, int64_t oldCount, const void* data, int64_t newCount, IDocView* sender = nullptr);
    bool OverwriteAt(CBufferPos& at, const void* data, int64_t count, IDocView* sender = nullptr);
    int64_t InsertAt(CBufferPos& at, const void* data, int64_t count, IDocView* sender = nullptr);
    bool DeleteAt(CBufferPos& at, int64_t count, IDocView* sender = nullptr);
    // Moves count bytes from source to dropOffset (an offset of the file as it
    // is before the move, outside the block); the block ends up at dropOffset,
    // or at dropOffset - count when it moved forward.
    bool MoveBlock(CBufferPos& at, int64_t source, int64_t count, int64_t dropOffset, IDocView* sender = nullptr);

private:
    class ProblemForwarder : public ICoreProblemSink {
    public:
        explicit ProblemForwarder(CBinEditDoc& document) : document_(document) {}
        void OnProblem(const CoreProblem& problem) override { document_.ReportProblem(problem); }

    private:
        CBinEditDoc& document_;
    };
    // Shows long work through the host for the lifetime of the guard.
    class WorkGuard {
    public:
        WorkGuard(IDocumentHost* host, DocumentWork work, const QString& path);
        ~WorkGuard();
        WorkGuard(const WorkGuard&) = delete;
        WorkGuard& operator=(const WorkGuard&) = delete;

    private:
        IDocumentHost* host_;
    };

    void BeginOperation() { lastProblem_ = CoreProblem{}; }

    bool WriteCopy(const QString& path, bool (CFileBuffer::*write)(const QString&) const);
    bool ReplaceSameLength(CBufferPos& at, const void* data, int64_t count, IDocView* sender);

    IDocumentHost* host_ = nullptr;
    ProblemForwarder forwarder_{*this};
    CoreProblem lastProblem_;
    CFileBuffer buffer_;
    int64_t originalSize_ = 0;
    CUndoList undo_{false};
    CUndoList redo_{true};
    bool readOnly_ = false;
    bool modified_ = false;
    int64_t lastEditLength_ = 0;
    QString pathName_;
    QString title_;
    std::vector<IDocView*> views_;
};
