#pragma once
// The edits a hex view makes from the keyboard and the Edit menu: typing a
// hex digit or a character, Delete, Backspace, deleting the selection, and
// stepping through the document's undo and redo histories. Each edit is one
// undo step made in the document's one edit order; the caret follows through
// SetCaret.
#include "ViewFacets.h"

#include <cstdint>

class CCaretController;

class CEditCommands {
public:
    CEditCommands(ViewSubject subject, const ICaretDisplay& display, CCaretController& caretControl)
        : subject_(subject), display_(display), caretControl_(caretControl)
    {
    }

    // A character typed into the caret's column; false when it was ignored
    // or the edit was refused.
    bool TypeCharacter(char16_t ch);
    bool DeleteKey();
    bool Backspace();
    bool DeleteSelection();
    bool CanDeleteSelection() const;

    bool CanUndo() const;
    bool CanRedo() const;
    bool Undo();
    bool Redo();

private:
    bool Writable() const;
    bool TypeLowNibble(int digit);
    // After an undo or redo step that touched the file from `lowest` on.
    void AfterHistoryStep(int64_t lowest, int64_t sizeBefore);

    ViewSubject subject_;
    const ICaretDisplay& display_;
    CCaretController& caretControl_;
};
