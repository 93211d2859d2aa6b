#include "SelectionPos.h"

#include <algorithm>

void CSelectionPos::OnInsert(const CBufferPos& editor, const BufferEdit& edit)
{
    CBufferPos::OnInsert(editor, edit);
    if (!hasSelection)
        return;
    // Strictly greater: a selection starting at the insertion point grows to
    // cover the inserted bytes.
    if (selStart > edit.offset)
        selStart += edit.count;
    if (selEnd > edit.offset)
        selEnd += edit.count;
}

void CSelectionPos::OnDelete(const CBufferPos& editor, const BufferEdit& edit)
{
    CBufferPos::OnDelete(editor, edit);
    if (!hasSelection)
        return;
    if (selStart > edit.offset)
        selStart = std::max(selStart - edit.count, edit.offset);
    if (selEnd > edit.offset)
        selEnd = std::max(selEnd - edit.count, edit.offset);
    if (selStart == selEnd)
        hasSelection = false;
}

void CSelectionPos::OnReset()
{
    CBufferPos::OnReset();
    hasSelection = false;
    selStart = selEnd = 0;
    spare = 0;
}
