#include "BinEditDoc.h"

#include "settings/AppSettings.h"
#include "platform/FileErrors.h"
#include "platform/MessageBox.h"
#include "platform/StatusHooks.h"

#include <QFileInfo>
#include <algorithm>
#include <memory>
#include <new>

namespace {
std::function<void()>& InspectorHook()
{
    static std::function<void()> hook;
    return hook;
}
} // namespace

CBinEditDoc::CBinEditDoc()
{
    undo_.Connect(this, &redo_);
    redo_.Connect(this, &undo_);
    ConfigureHistory(Settings().undoLevels, Settings().redoLevels);
}

CBinEditDoc::~CBinEditDoc()
{
    // The histories and the buffer go in this order: redo, undo, buffer.
    redo_.Resize(0);
    undo_.Resize(0);
}

void CBinEditDoc::SetInspectorRefreshHook(std::function<void()> hook) { InspectorHook() = std::move(hook); }

void CBinEditDoc::RefreshInspector()
{
    if (InspectorHook())
        InspectorHook()();
}

bool CBinEditDoc::WarnCantUndo() const { return Settings().warnCantUndo; }

// ---------------------------------------------------------------- life cycle

bool CBinEditDoc::OnNewDocument()
{
    buffer_.Reset();
    originalSize_ = 0;
    modified_ = false;
    undo_.Clear();
    return true;
}

bool CBinEditDoc::OnOpenDocument(const QString& path)
{
    platform::WaitCursor wait;
    platform::ShowStatusText(QStringLiteral("Loading %1").arg(path));
    const bool loaded = buffer_.LoadFromFile(path);
    platform::ShowStatusText(QString());
    if (!loaded)
        return false;
    originalSize_ = buffer_.Size();
    modified_ = false;
    undo_.Clear();
    SetPathName(path);
    return true;
}

bool CBinEditDoc::OnSaveDocument(const QString& path)
{
    platform::WaitCursor wait;
    platform::ShowStatusText(QStringLiteral("Saving %1").arg(path));
    const bool saved = buffer_.SaveToFile(path);
    platform::ShowStatusText(QString());
    if (!saved)
        return false;
    SetModifiedFlag(false);
    undo_.Clear();
    SetPathName(path);
    return true;
}

bool CBinEditDoc::LoadForImport(const QString& path)
{
    platform::WaitCursor wait;
    platform::ShowStatusText(QStringLiteral("Loading %1...").arg(path));
    buffer_.DetachAll();
    const bool loaded = buffer_.LoadFromFile(path);
    platform::ShowStatusText(QString());
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
    platform::WaitCursor wait;
    platform::ShowStatusText(QStringLiteral("Saving %1...").arg(path));
    const bool saved = (buffer_.*write)(path);
    platform::ShowStatusText(QString());
    return saved;
}

void CBinEditDoc::SetModifiedFlag(bool modified)
{
    modified_ = modified;
    RefreshInspector();
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

void CBinEditDoc::UpdateAllViews(IDocView* sender, UpdateHint hint, const HintArgs& args)
{
    const std::vector<IDocView*> views = views_;  // a view may close while it updates
    for (IDocView* view : views)
        if (view != sender)
            view->OnDocumentUpdate(sender, hint, args);
}

// ---------------------------------------------------------------- history

bool CBinEditDoc::RecordEdit(const CBufferPos& cursor, UndoKind kind, int32_t count, int32_t other)
{
    redo_.Clear();
    return undo_.Push(cursor, kind, count, other);
}

bool CBinEditDoc::RecordReplaceAll(const ReplaceAllRecord& record)
{
    redo_.Clear();
    return undo_.PushReplaceAll(record);
}

void CBinEditDoc::ConfigureHistory(int32_t undoLevels, int32_t redoLevels)
{
    undo_.Resize(std::clamp(undoLevels, 0, 1000));
    redo_.Resize(std::clamp(std::min(redoLevels, undoLevels), 0, 1000));
}

int32_t CBinEditDoc::Undo(CBufferPos& cursor)
{
    if (readOnly_)
        return -1;
    const int32_t lowest = undo_.ApplyTop(cursor);
    lastEditLength_ = undo_.LastEditLength();
    return lowest;
}

int32_t CBinEditDoc::Redo(CBufferPos& cursor)
{
    if (readOnly_)
        return -1;
    const int32_t lowest = redo_.ApplyTop(cursor);
    lastEditLength_ = redo_.LastEditLength();
    return lowest;
}

// ---------------------------------------------------------------- edits

bool CBinEditDoc::ReplaceSameLength(CBufferPos& at, const void* data, int32_t count, IDocView* sender)
{
    if (!RecordEdit(at, UndoKind::RestoreBytes, count, count))
        return false;
    at.Write(data, count);
    SetModifiedFlag(true);
    UpdateAllViews(sender, HINT_BYTES_CHANGED, HintArgs{at.Offset()});
    return true;
}

bool CBinEditDoc::ReplaceAt(CBufferPos& at, int32_t oldCount, const void* data, int32_t newCount, IDocView* sender)
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
    int32_t written = newCount;
    if (newCount > oldCount)
        written = oldCount + at.Insert(newCount - oldCount);
    else
        at.Delete(oldCount - newCount);
    const bool complete = written == newCount;
    if (!complete)
        undo_.Clear();  // the entry no longer describes what happened
    at.Write(data, written);
    SetModifiedFlag(true);
    UpdateAllViews(sender, HINT_SIZE_CHANGED, HintArgs{at.Offset()});
    return complete;
}

bool CBinEditDoc::OverwriteAt(CBufferPos& at, const void* data, int32_t count, IDocView* sender)
{
    if (readOnly_ || count <= 0)
        return false;
    count = std::min(count, buffer_.Size() - at.Offset());
    return count > 0 && ReplaceSameLength(at, data, count, sender);
}

int32_t CBinEditDoc::InsertAt(CBufferPos& at, const void* data, int32_t count, IDocView* sender)
{
    if (readOnly_ || count <= 0)
        return 0;
    if (!RecordEdit(at, UndoKind::RemoveBytes, count, 0))
        return 0;
    const int32_t inserted = at.Insert(count);
    if (inserted < count)
        undo_.Clear();  // the entry would remove more than was inserted
    if (inserted == 0)
        return 0;
    if (data)
        at.Write(data, inserted);
    SetModifiedFlag(true);
    UpdateAllViews(sender, HINT_SIZE_CHANGED, HintArgs{at.Offset()});
    return inserted;
}

bool CBinEditDoc::DeleteAt(CBufferPos& at, int32_t count, IDocView* sender)
{
    if (readOnly_ || count <= 0)
        return false;
    count = std::min(count, buffer_.Size() - at.Offset());
    if (count <= 0 || !RecordEdit(at, UndoKind::ReinsertBytes, count, 0))
        return false;
    at.Delete(count);
    SetModifiedFlag(true);
    UpdateAllViews(sender, HINT_SIZE_CHANGED, HintArgs{at.Offset()});
    return true;
}

bool CBinEditDoc::MoveBlock(CBufferPos& at, int32_t source, int32_t count, int32_t dropOffset, IDocView* sender)
{
    const int32_t size = buffer_.Size();
    if (readOnly_ || count <= 0 || source < 0 || count > size - source || dropOffset < 0 || dropOffset > size ||
        (dropOffset >= source && dropOffset <= source + count))
        return false;
    std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[size_t(count)]);
    if (!block) {
        platform::ShowMessage(platform::OutOfMemoryText());
        return false;
    }
    at.Seek(dropOffset);
    if (!RecordEdit(at, UndoKind::MoveBack, count, source))
        return false;
    at.Seek(source);
    at.Read(block.get(), count);
    at.Delete(count);
    at.Seek(dropOffset > source ? dropOffset - count : dropOffset);
    const int32_t inserted = at.Insert(count);
    if (inserted < count)
        undo_.Clear();
    at.Write(block.get(), inserted);
    SetModifiedFlag(true);
    UpdateAllViews(sender, HINT_SIZE_CHANGED, HintArgs{std::min(source, at.Offset())});
    return inserted == count;
}
