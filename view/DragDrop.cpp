#include "DragDrop.h"

#include "CaretController.h"
#include "DragSource.h"
#include "EditCommands.h"
#include "TransferCount.h"
#include "ViewClipboard.h"
#include "settings/AppSettings.h"
#include "platform/Clipboard.h"
#include "platform/FileNames.h"
#include "core/BinEditDoc.h"
#include "core/SelectionPos.h"
#include "furniture/UserInterface.h"

#include <QCursor>
#include <memory>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QUrl>
#include <QWidget>

namespace {
const QString kTextFormat = QString::fromLatin1(platform::kClipboardTextFormat);
const QString kLengthFormat = QString::fromLatin1(platform::kClipboardBinaryFormat);
}  // namespace

QStringList CDragDrop::LocalFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files << platform::FileNameOfUrl(url);
    return files;
}

// ---------------------------------------------------------------- source

CDragDrop::~CDragDrop()
{
    if (const auto origin = origin_.lock())
        origin->caret = nullptr;
}

void CDragDrop::StartDrag()
{
    CBinEditDoc* doc = subject_.document;
    CSelectionPos& caret = subject_.caret;
    QByteArray bytes;
    if (!doc || !editors_.clipboard.GetSelectionBytes(bytes))
        return;
    // The same blocks as the clipboard: the bytes and their length.
    const std::unique_ptr<QMimeData> formats(platform::NewTextMimeData(bytes, int64_t(bytes.size())));
    const Qt::DropActions offered = doc->IsReadOnly() ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction;

    const auto origin = std::make_shared<DragOrigin>(DragOrigin{doc, &caret});
    origin_ = origin;
    QPointer<QWidget> alive(&viewport_);
    const Qt::DropAction action = ui_.RunDrag(&viewport_, new CViewDragData(*formats, origin), offered);
    if (!alive)
        return;  // the view closed during the drag; its caret was withdrawn from the origin
    origin_.reset();
    // A move whose drop did not take the block itself (another document or
    // program) leaves the deletion to the source.
    if (action == Qt::MoveAction && !origin->taken)
        editors_.edits.DeleteSelection();
    else if (action == Qt::IgnoreAction) {
        const QPoint p = viewport_.mapFromGlobal(QCursor::pos());
        if (viewport_.rect().contains(p)) {
            const HitResult hit = geometry_.HitTest(p.x(), p.y());
            display_.SetHexActive(hit.hex);
            display_.SetEndOfRow(hit.endOfRow);
            editors_.caret.SetCaret(hit.offset, CaretMode::Move);
        }
    }
}

// ---------------------------------------------------------------- target

bool CDragDrop::AcceptsData(const QMimeData* data) const
{
    const CBinEditDoc* doc = subject_.document;
    return doc && !doc->IsReadOnly() && subject_.settings.dragAndDrop && data && data->hasFormat(kTextFormat);
}

Qt::DropAction CDragDrop::ChosenAction(Qt::DropActions possible, Qt::KeyboardModifiers modifiers) const
{
    const Qt::DropAction wanted = (modifiers & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
    if (possible & wanted)
        return wanted;
    return (possible & Qt::CopyAction) ? Qt::CopyAction : Qt::IgnoreAction;
}

void CDragDrop::FollowCaret(QPoint p)
{
    const HitResult hit = geometry_.HitTest(p.x(), p.y());
    display_.SetHexActive(hit.hex);
    display_.SetEndOfRow(hit.endOfRow);
    editors_.caret.SetCaret(hit.offset, CaretMode::Keep);
}

void CDragDrop::DragEnter(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    const Qt::DropAction action = ChosenAction(event->possibleActions(), event->modifiers());
    if (!AcceptsData(event->mimeData()) || action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    display_.SetDropCaret(true);
    event->setDropAction(action);
    event->accept();
}

void CDragDrop::DragMove(QDragMoveEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    const Qt::DropAction action = ChosenAction(event->possibleActions(), event->modifiers());
    if (!AcceptsData(event->mimeData()) || action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    FollowCaret(event->position().toPoint());
    event->setDropAction(action);
    event->accept();
}

void CDragDrop::DragLeave() { display_.SetDropCaret(false); }

void CDragDrop::Drop(QDropEvent* event)
{
    display_.SetDropCaret(false);
    const QStringList files = LocalFiles(event->mimeData());
    if (!files.isEmpty()) {
        event->acceptProposedAction();
        requests_.OpenDroppedFiles(files);
        return;
    }
    const Qt::DropAction action = ChosenAction(event->possibleActions(), event->modifiers());
    if (!AcceptsData(event->mimeData()) || action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    const OwnDrop own = DropOnOwnDocument(event->position().toPoint(), action,
                                          CViewDragData::OriginOf(event->mimeData()));
    if (own == OwnDrop::Refused || (own == OwnDrop::NotOwn && !PasteDropped(event->mimeData()))) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

// A drop of a block dragged from this same document: a move is one edit, and
// dropping onto the block itself only places the caret.
CDragDrop::OwnDrop CDragDrop::DropOnOwnDocument(QPoint p, Qt::DropAction action, DragOrigin* origin)
{
    CBinEditDoc* doc = subject_.document;
    CSelectionPos* source = origin && origin->document == doc ? origin->caret : nullptr;
    const HitResult hit = geometry_.HitTest(p.x(), p.y());
    display_.SetHexActive(hit.hex);
    display_.SetEndOfRow(hit.endOfRow);
    const int64_t d = hit.offset;
    if (!source || !source->hasSelection) {
        editors_.caret.SetCaret(d, CaretMode::Move);
        return OwnDrop::NotOwn;
    }
    const int64_t start = source->selStart;
    const int64_t end = source->selEnd;
    if (action == Qt::MoveAction) {
        if (d >= start && d <= end) {
            editors_.caret.SetCaret(d, CaretMode::Move);
            origin->taken = true;  // nothing moved, so the source has nothing to delete
            return OwnDrop::Done;
        }
        CSelectionPos& caret = subject_.caret;
        const bool moved = doc->MoveBlock(caret, start, end - start, d);
        // Either way the source must not delete the block afterwards.
        origin->taken = true;
        if (!moved)
            return OwnDrop::Refused;  // the user has been told why
        const int64_t at = caret.Offset();
        editors_.caret.SetCaret(at, CaretMode::Move);
        editors_.caret.SetCaret(int64_t(at) + (end - start), CaretMode::Extend);
        return OwnDrop::Done;
    }
    editors_.caret.SetCaret(d, CaretMode::Move);
    // A copy onto the block itself only places the caret.
    return d > start && d < end ? OwnDrop::Done : OwnDrop::NotOwn;
}

bool CDragDrop::PasteDropped(const QMimeData* data)
{
    const QByteArray text = data->data(kTextFormat);
    std::optional<int64_t> length;
    if (data->hasFormat(kLengthFormat))
        length = platform::DecodeBinaryLength(data->data(kLengthFormat));
    const int64_t count = TransferByteCount(text, length);
    // Only a paste that happened counts as taken: a move from elsewhere would
    // otherwise delete its source for nothing.
    return editors_.clipboard.PasteBytes(text.constData(), count, PasteMode::InsertAndSelect, true);
}
