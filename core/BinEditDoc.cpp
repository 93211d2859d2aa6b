#include "BinEditDoc.h"

#include <QFileInfo>
#include <algorithm>
#include <memory>
#include <new>

CBinEditDoc::CBinEditDoc(IDocumentHost* host, HistoryLevels levels) : host_(host)
{
    buffer_.SetProblemSink(&forwarder_);
    buffer_.SetSizeLimit(MAX_FILE_SIZE);
    buffer_.SetProgressHook([this](int64_t done, int64_t total) { return !host_ || host_->WorkProgress(done, total); });
    undo_.Connect(this, &redo_);
    redo_.Connect(this, &undo_);
    ConfigureHistory(levels.undo, levels.redo);
}

CBinEditDoc::~CBinEditDoc()
{
    // The histories and the buffer go in this order: redo, undo, buffer.
    redo_.Resize(0);
    undo_.Resize(0);
    buffer_.SetProblemSink(nullptr);
}

CBinEditDoc::WorkGuard::WorkGuard(IDocumentHost* host, DocumentWork work, const QString& path) : host_(host)
{
    if (host_)
        host_->WorkStarted(work, path);
}

CBinEditDoc::WorkGuard::~WorkGuard()
{
    if (host_)
        host_->WorkEnded();
}

void CBinEditDoc::SetHost(IDocumentHost* host) { host_ = host; }

void CBinEditDoc::ReportProblem(const CoreProblem& problem)
{
    lastProblem_ = problem;
    // The bytes on disk can no longer be trusted: no edit may build on them.
    if (problem.error == CoreError::SourceChanged)
        readOnly_ = true;
    if (host_)
        host_->OnProblem(problem);
}

bool CBinEditDoc::ProceedWithoutHistory(HistoryLoss loss) { return host_ && host_->ProceedWithoutHistory(loss); }

void CBinEditDoc::NotifyStateChanged()
{
    if (host_)
        host_->StateChanged(*this);
}

// ---------------------------------------------------------------- life cycle

bool CBinEditDoc::OnNewDocument()
{
    BeginOperation();
    buffer_.Reset();
    originalSize_ = 0;
    modified_ = false;
    undo_.Clear();
    return true;
}

bool CBinEditDoc::OnOpenDocument(const QString& path)
{
    BeginOperation();
    bool loaded = false;
    {
        WorkGuard work(host_, DocumentWork::Opening, path);
        loaded = buffer_.LoadFromFile(path);
    }
    if (!loaded)
        return false;
    originalSize_ = buffer_.Size();
    modified_ = false;
    undo_.Clear();
    SetPathName(path);
    // A disk or partition is looked at, never written.
    if (buffer_.ReadsBlockDevice())
        readOnly_ = true;
    return true;
}

bool CBinEditDoc::OnSaveDocument(const QString& path)
{
    BeginOperation();
    bool saved = false;
    {
        WorkGuard work(host_, DocumentWork::Saving, path);
        saved = buffer_.SaveToFile(path);
    }
    if (!saved)
        return false;
    // The saved file holds every byte: read from it instead of the old one,
    // whose blocks on disk are freed once no history entry names them.
    buffer_.MoveOntoFile(path);
    SetModifiedFlag(false);
    // The history stays: undo after a save leads back to what was saved over.
    undo_.MarkAllModified();
    redo_.MarkAllModified();
    SetPathName(path);
    return true;
}

bool CBinEditDoc::LoadForImport(const QString& path)
{
    BeginOperation();
    bool loaded = false;
    {
        WorkGuard work(host_, DocumentWork::Importing, path);
        buffer_.DetachAll();
        loaded = buffer_.LoadFromFile(path);
    }
    // Old history entries describe other contents.
    undo_.Clear();
    if (loaded) {
        originalSize_ = buffer_.Size();
        modified_ = false;
    }
    for (IDocView* view : views_)
        view->OnInitialUpdate();
    return loaded;
}

bool CBinEditDoc::SaveCopy(const QString& path) { return WriteCopy(path, &CFileBuffer::SaveToFile); }

bool CBinEditDoc::SaveCopyToTempFile(const QString& path) { return WriteCopy(path, &CFileBuffer::WriteToTempFile); }

bool CBinEditDoc::WriteCopy(const QString& path, bool (CFileBuffer::*write)(const QString&) const)
{
    BeginOperation();
    WorkGuard work(host_, DocumentWork::SavingCopy, path);
    return (buffer_.*write)(path);
}

void CBinEditDoc::SetModifiedFlag(bool modified)
{
    modified_ = modified;
    NotifyStateChanged();
}

void CBinEditDoc::SetReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    NotifyStateChanged();
}

void CBinEditDoc::SetPathName(const QString& path)
{
    pathName_ = path;
    title_ = QFileInfo(path).fileName();
}

// ---------------------------------------------------------------- views

void CBinEditDoc::AddView(IDocView* view)
{
    if (std::find(views_.begin(), views_.end(), view) == views_.end())
        views_.push_back(view);
}

void CBinEditDoc::RemoveView(IDocView* view) { views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end()); }

void CBinEditDoc::UpdateAllViews(IDocView* sender, const DocumentChange& change)
{
    const std::vector<IDocView*> views = views_;  // a view may close while it updates
    for (IDocView* view : views)
        if (view != sender)
            view->OnDocumentChanged(sender, change);
}

// ---------------------------------------------------------------- history

bool CBinEditDoc::RecordEdit(const CBufferPos& cursor, UndoKind kind, int64_t count, int64_t other)
{
    BeginOperation();
    redo_.Clear();
    return undo_.Push(cursor, kind, count, other);
}

bool CBinEditDoc::RecordReplaceAll(const ReplaceAllRecord& record)
{
    BeginOperation();
    redo_.Clear();
    return undo_.PushReplaceAll(record);
}

void CBinEditDoc::ConfigureHistory(int32_t undoLevels, int32_t redoLevels)
{
    undo_.Resize(std::clamp(undoLevels, 0, 1000));
    redo_.Resize(std::clamp(std::min(redoLevels, undoLevels), 0, 1000));
}

int64_t CBinEditDoc::Undo(CBufferPos& cursor)
{
    if (readOnly_ || undo_.IsEmpty())
        return -1;
    BeginOperation();
    WorkGuard work(host_, DocumentWork::UndoingRedoing, QString());
    const int64_t lowest = undo_.ApplyTop(cursor);
    lastEditLength_ = undo_.LastEditLength();
    return lowest;
}

int64_t CBinEditDoc::Redo(CBufferPos& cursor)
{
    if (readOnly_ || redo_.IsEmpty())
        return -1;
    BeginOperation();
    WorkGuard work(host_, DocumentWork::UndoingRedoing, QString());
    const int64_t lowest = redo_.ApplyTop(cursor);
    lastEditLength_ = redo_.LastEditLength();
    return lowest;
}

// ---------------------------------------------------------------- edits

bool CBinEditDoc::ReplaceSameLength(CBufferPos& at, const void* data, int64_t count, IDocView* sender)
{
    if (!RecordEdit(at, UndoKind::RestoreBytes, count, count))
        return false;
    at.Write(data, count);
    SetModifiedFlag(true);
    UpdateAllViews(sender, DocumentChange::Overwritten(at.Offset(), count));
    return true;
}

bool CBinEditDoc::ReplaceAt(CBufferPos& at, int64_t oldCount, const void* data, int64_t newCount, IDocView* sender)
{
    if (readOnly_ || oldCount < 0 || newCount < 0)
        return false;
    oldCount = std::min(oldCount, buffer_.Size() - at.Offset());
    if (oldCount == newCount)
        return newCount == 0 || ReplaceSameLength(at, data, newCount, sender);
    if (oldCount == 0)
        return InsertAt(at, data, newCount, sender) == newCount;
    if (newCount == 0)
        return DeleteAt(at, oldCount, sender);

    if (!RecordEdit(at, UndoKind::RestoreBytes, oldCount, newCount))
        return false;
    // An insertion that comes out short opens a smaller gap: only the replaced
    // bytes and the gap are written, never the bytes after them.
    int64_t written = newCount;
    if (newCount > oldCount)
        written = oldCount + at.Insert(newCount - oldCount);
    else
        at.Delete(oldCount - newCount);
    const bool complete = written == newCount;
    if (!complete)
        undo_.Clear();  // the entry no longer describes what happened
    at.Write(data, written);
    SetModifiedFlag(true);
    UpdateAllViews(sender, DocumentChange::Replaced(at.Offset(), oldCount, written));
    return complete;
}

bool CBinEditDoc::OverwriteAt(CBufferPos& at, const void* data, int64_t count, IDocView* sender)
{
    if (readOnly_ || count <= 0)
        return false;
    count = std::min(count, buffer_.Size() - at.Offset());
    return count > 0 && ReplaceSameLength(at, data, count, sender);
}

int64_t CBinEditDoc::InsertAt(CBufferPos& at, const void* data, int64_t count, IDocView* sender)
{
    if (readOnly_ || count <= 0)
        return 0;
    if (!RecordEdit(at, UndoKind::RemoveBytes, count, 0))
        return 0;
    const int64_t inserted = at.Insert(count);
    if (inserted < count)
        undo_.Clear();  // the entry would remove more than was inserted
    if (inserted == 0)
        return 0;
    if (data)
        at.Write(data, inserted);
    SetModifiedFlag(true);
    UpdateAllViews(sender, DocumentChange::Replaced(at.Offset(), 0, inserted));
    return inserted;
}

bool CBinEditDoc::DeleteAt(CBufferPos& at, int64_t count, IDocView* sender)
{
    if (readOnly_ || count <= 0)
        return false;
    count = std::min(count, buffer_.Size() - at.Offset());
    if (count <= 0 || !RecordEdit(at, UndoKind::ReinsertBytes, count, 0))
        return false;
    at.Delete(count);
    SetModifiedFlag(true);
    UpdateAllViews(sender, DocumentChange::Replaced(at.Offset(), count, 0));
    return true;
}

bool CBinEditDoc::MoveBlock(CBufferPos& at, int64_t source, int64_t count, int64_t dropOffset, IDocView* sender)
{
    const int64_t size = buffer_.Size();
    if (readOnly_ || count <= 0 || source < 0 || count > size - source || dropOffset < 0 || dropOffset > size ||
        (dropOffset >= source && dropOffset <= source + count))
        return false;
    BeginOperation();
    // The block moves as pieces: stretches still on disk are not read.
    std::vector<StoredSegment> segments;
    std::unique_ptr<uint8_t[]> bytes;
    int64_t byteCount = 0;
    if (!buffer_.DescribeRange(source, count, segments, bytes, byteCount)) {
        ReportProblem(CoreProblem{CoreError::CommandOutOfMemory});
        return false;
    }
    at.Seek(dropOffset);
    if (!RecordEdit(at, UndoKind::MoveBack, count, source))
        return false;
    at.Seek(source);
    at.Delete(count);
    at.Seek(dropOffset > source ? dropOffset - count : dropOffset);
    const int64_t inserted = buffer_.InsertPieces(at, segments, bytes.get());
    if (inserted < count)
        undo_.Clear();
    SetModifiedFlag(true);
    // Everything between the block's old place and its new one moved.
    const int64_t first = std::min(source, dropOffset);
    const int64_t last = std::max(source + count, dropOffset);
    UpdateAllViews(sender, DocumentChange::Overwritten(first, last - first));
    return inserted == count;
}
