#include "AlignedPos.h"
#include "FileBuffer.h"

void CAlignedPos::OnInsert(const CBufferPos& editor, const BufferEdit& edit)
{
    CBufferPos::OnInsert(editor, edit);
    // An insertion that failed outright moved no byte, so no position moves.
    if (unit <= 1 || edit.count == 0 || Offset() < edit.offset)
        return;
    const int64_t remainder = Offset() % unit;
    if (remainder != 0)
        Back(remainder);
}

void CAlignedPos::OnDelete(const CBufferPos& editor, const BufferEdit& edit)
{
    CBufferPos::OnDelete(editor, edit);
    if (unit <= 1 || Offset() < edit.offset)
        return;
    const int64_t remainder = Offset() % unit;
    if (remainder == 0)
        return;
    if (Buffer()->Size() - Offset() < unit - remainder)
        Back(remainder);
    else
        Forward(unit - remainder);
}
