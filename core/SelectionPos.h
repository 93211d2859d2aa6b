#pragma once
#include "BufferPos.h"

// The view's caret: a position with the selection that moves with the bytes.
class CSelectionPos : public CBufferPos {
public:
    using CBufferPos::CBufferPos;

    bool hasSelection = false;
    int64_t selStart = 0;  // selStart < selEnd while hasSelection
    int64_t selEnd = 0;
    int64_t spare = 0;     // the view keeps its pending-low-nibble flag here

    void OnInsert(const CBufferPos& editor, const BufferEdit& edit) override;
    void OnDelete(const CBufferPos& editor, const BufferEdit& edit) override;
    void OnReset() override;
};
