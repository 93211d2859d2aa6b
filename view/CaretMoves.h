#pragma once
// Where each caret key of the hex view takes the caret. Pure arithmetic over
// the caret, the selection and the row geometry, so the key table is tested
// without a window; the view applies the result through SetCaret.
#include <cstdint>

enum class CaretKey { Left, Right, Up, Down, PageUp, PageDown, Home, End };

struct CaretContext {
    int64_t caret = 0;
    int64_t size = 0;
    bool hasSelection = false;
    int64_t selStart = 0;
    int64_t selEnd = 0;
    // The caret is drawn after the last byte of the row above its offset.
    bool shownAtRowEnd = false;
    int bytesPerRow = 16;
    int groupSize = 1;
    int rowsInWindow = 1;
};

struct CaretMove {
    bool moveCaret = true;  // false: the key only scrolls
    int64_t target = 0;     // the offset asked for; SetCaret clamps it to the file
    // Show the caret at the end of the row above target (End). Other moves
    // leave the flag to SetCaret, which keeps it only where it still fits.
    bool endOfRow = false;
    int scrollRows = 0;     // rows to scroll first (negative: up)
};

// The move a key makes; shift extends the selection, ctrl as in the key table.
CaretMove ComputeCaretMove(CaretKey key, bool shift, bool ctrl, const CaretContext& context);
