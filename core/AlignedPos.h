#pragma once
#include "BufferPos.h"

// A position kept on a multiple of unit, such as the first byte of the top
// row of a view (unit = bytes per row).
class CAlignedPos : public CBufferPos {
public:
    using CBufferPos::CBufferPos;

    int64_t unit = 1;

    void OnInsert(const CBufferPos& editor, const BufferEdit& edit) override;
    void OnDelete(const CBufferPos& editor, const BufferEdit& edit) override;
};
