#include "CaretMoves.h"

#include <algorithm>

namespace {

// Moves without Shift start from the selection's near end.
int64_t BaseBackward(const CaretContext& c, bool shift)
{
    return c.hasSelection && !shift ? c.selStart : c.caret;
}

int64_t BaseForward(const CaretContext& c, bool shift)
{
    return c.hasSelection && !shift ? c.selEnd : c.caret;
}

// Whether the base offset is the caret shown at the end of the row above it.
bool BaseShownAtRowEnd(const CaretContext& c, int64_t base) { return base == c.caret && c.shownAtRowEnd; }

CaretMove To(int64_t target)
{
    CaretMove move;
    move.target = target;
    return move;
}

CaretMove ScrollOnly(int rows)
{
    CaretMove move;
    move.moveCaret = false;
    move.scrollRows = rows;
    return move;
}

CaretMove Horizontal(bool forward, bool shift, bool ctrl, const CaretContext& c)
{
    if (c.hasSelection && !shift)
        return To(forward ? c.selEnd : c.selStart);
    const int64_t g = ctrl ? c.groupSize : 1;
    const int64_t intoGroup = c.caret % g;
    if (forward)
        return To(c.caret + g - intoGroup);
    return To(c.caret - (intoGroup != 0 ? intoGroup : g));
}

CaretMove Page(bool forward, bool shift, const CaretContext& c)
{
    const int rows = std::max(c.rowsInWindow, 1);
    const int64_t span = int64_t(rows) * c.bytesPerRow;
    CaretMove move = forward ? To(BaseForward(c, shift) + span) : To(BaseBackward(c, shift) - span);
    move.scrollRows = forward ? rows : -rows;
    return move;
}

CaretMove Home(bool shift, const CaretContext& c)
{
    const int64_t base = BaseBackward(c, shift);
    if (BaseShownAtRowEnd(c, base))
        return To(base - c.bytesPerRow);
    return To(base - base % c.bytesPerRow);
}

CaretMove End(bool shift, const CaretContext& c)
{
    const int64_t base = BaseForward(c, shift);
    CaretMove move = To(BaseShownAtRowEnd(c, base) ? base : base - base % c.bytesPerRow + c.bytesPerRow);
    move.endOfRow = true;
    return move;
}

} // namespace

CaretMove ComputeCaretMove(CaretKey key, bool shift, bool ctrl, const CaretContext& c)
{
    switch (key) {
    case CaretKey::Left:
        return Horizontal(false, shift, ctrl, c);
    case CaretKey::Right:
        return Horizontal(true, shift, ctrl, c);
    case CaretKey::Up:
        return ctrl ? ScrollOnly(-1) : To(BaseBackward(c, shift) - c.bytesPerRow);
    case CaretKey::Down:
        return ctrl ? ScrollOnly(1) : To(BaseForward(c, shift) + c.bytesPerRow);
    case CaretKey::PageUp:
        return Page(false, shift, c);
    case CaretKey::PageDown:
        return Page(true, shift, c);
    case CaretKey::Home:
        return ctrl ? To(0) : Home(shift, c);
    case CaretKey::End:
        return ctrl ? To(c.size) : End(shift, c);
    }
    return To(c.caret);
}
