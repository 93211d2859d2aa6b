#include "FakeToolView.h"

#include <algorithm>

FakeToolView::FakeToolView(CBinEditDoc& doc) : doc_(doc) { caret_.Bind(&doc.Buffer(), true, 0); }

SelectionState FakeToolView::Selection() const
{
    return {int32_t(caret_.Offset()), caret_.hasSelection, int32_t(caret_.selStart), int32_t(caret_.selEnd)};
}

void FakeToolView::Select(int32_t anchor, int32_t caret)
{
    caret_.Seek(caret);
    caret_.hasSelection = anchor != caret;
    caret_.selStart = std::min(anchor, caret);
    caret_.selEnd = std::max(anchor, caret);
}

void FakeToolView::DeleteSelection()
{
    if (!caret_.hasSelection)
        return;
    const int32_t start = caret_.selStart;
    CBufferPos at;
    at.Bind(&doc_.Buffer(), false, start);
    if (doc_.DeleteAt(at, caret_.selEnd - start)) {
        caret_.Seek(start);
        caret_.hasSelection = false;
    }
}
