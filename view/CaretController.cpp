#include "CaretController.h"

#include "core/BinEditDoc.h"
#include "core/SelectionPos.h"

#include <algorithm>

void CCaretController::SetCaret(int64_t offset, CaretMode mode, bool pendingLowNibble)
{
    CBinEditDoc* doc = subject_.document;
    if (!doc)
        return;
    CSelectionPos& caret = subject_.caret;
    const int64_t oldCaret = caret.Offset();
    const int64_t target = int64_t(std::clamp<int64_t>(offset, 0, doc->Size()));
    caret.Seek(target);
    caret.spare = pendingLowNibble ? 1 : 0;

    // The caret shows at the end of the row above only where that still
    // means the same boundary.
    const int bpr = geometry_.Geometry().bytesPerRow;
    display_.SetEndOfRow(display_.EndOfRow() && target % bpr == 0 && target == offset && target != 0 &&
                         !pendingLowNibble);

    std::optional<OffsetRange> changed;
    if (mode == CaretMode::Extend) {
        anchor_ = AnchorFor(oldCaret);
        changed = SetSelection(anchor_, target);
        lastExtend_ = target;
    } else if (mode == CaretMode::Move && caret.hasSelection) {
        anchor_ = lastExtend_ = 0;
        changed = SetSelection(target, target);
    }
    if (changed) {
        updates_.RepaintOffsets(int64_t(changed->start), int64_t(changed->end - 1));
        updates_.NotifyStatusChanged();
    }
    scrolling_.EnsureCaretVisible();
    doc->NotifyStateChanged();
    updates_.NotifyStatusChanged();
}

int64_t CCaretController::AnchorFor(int64_t oldCaret) const
{
    const CSelectionPos& caret = subject_.caret;
    if (!caret.hasSelection)
        return oldCaret;
    // Edits in other views move the selection's ends but not the remembered
    // anchor; when the caret stands on one end, the other end is the anchor.
    if (oldCaret == caret.selEnd)
        return caret.selStart;
    if (oldCaret == caret.selStart)
        return caret.selEnd;
    return anchor_;
}

std::optional<OffsetRange> CCaretController::SetSelection(int64_t a, int64_t b)
{
    if (a > b)
        std::swap(a, b);
    CSelectionPos& caret = subject_.caret;
    const SelectionSpan before{caret.hasSelection, int64_t(caret.selStart), int64_t(caret.selEnd)};
    const SelectionSpan after{a != b, a != b ? a : 0, a != b ? b : 0};
    const std::optional<OffsetRange> changed = ChangedSelectionRange(before, after);
    if (!changed)
        return std::nullopt;
    caret.hasSelection = after.has;
    caret.selStart = after.start;
    caret.selEnd = after.end;
    return changed;
}

bool CCaretController::CanSelectAll() const { return subject_.document && subject_.document->Size() > 0; }

void CCaretController::SelectAll()
{
    if (!CanSelectAll())
        return;
    SetCaret(0, CaretMode::Move, false);
    SetCaret(subject_.document->Size(), CaretMode::Extend, false);
}
