#include "FakeToolView.h"

#include <algorithm>

FakeToolView::FakeToolView(CBinEditDoc& doc) : doc_(doc) { caret_.Bind(&doc.Buffer(), true, 0); }

SelectionState FakeToolView::Selection() const
{
    return {caret_.Offset(), caret_.hasSelection, caret_.selStart, caret_.selEnd};
}

void FakeToolView::Select(int64_t anchor, int64_t caret)
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
    const int64_t start = caret_.selStart;
    CBufferPos at;
    at.Bind(&doc_.Buffer(), false, start);
    if (doc_.DeleteAt(at, caret_.selEnd - start)) {
        caret_.Seek(start);
        caret_.hasSelection = false;
    }
}
