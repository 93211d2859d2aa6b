#include "EditCommands.h"

#include "BinEditView.h"
#include "settings/AppSettings.h"
#include "types/DigitValue.h"

bool CEditCommands::Writable() const
{
    const CBinEditDoc* doc = view_.Document();
    return doc && !doc->IsReadOnly();
}

// ---------------------------------------------------------------- typing

bool CEditCommands::TypeCharacter(char16_t ch)
{
    if (!Writable())
        return false;
    const bool hex = view_.HexActive();
    const int digit = hex ? HexDigitValue(ch) : 0;
    if (hex ? digit < 0 : ch < 32)
        return false;

    CBinEditDoc& doc = *view_.Document();
    CSelectionPos& caret = view_.Caret();
    if (caret.hasSelection && caret.Offset() != caret.selStart) {
        caret.Seek(caret.selStart);
        caret.spare = 0;  // the half-typed byte was elsewhere
    }
    if (hex && view_.LowNibblePending() && caret.Offset() < doc.Size())
        return TypeLowNibble(digit);

    const AppSettings& s = Settings();
    int32_t replaced = 0;
    bool keepLowBits = false;
    if (caret.hasSelection && s.replaceSelection) {
        replaced = caret.selEnd - caret.selStart;
    } else if (!s.insertMode && caret.Offset() < doc.Size()) {
        replaced = 1;
        keepLowBits = hex;
    }

    uint8_t byte = uint8_t(ch & 0xFF);  // the character code, truncated to 8 bits
    if (hex) {
        uint8_t old = 0;
        if (keepLowBits)
            caret.Read(&old, 1);
        byte = uint8_t(digit << 4 | (old & 0x0F));
    }
    const bool done = replaced > 0 ? doc.ReplaceAt(caret, replaced, &byte, 1) : doc.InsertAt(caret, &byte, 1) == 1;
    if (!done)
        return false;
    // The hex column waits for the low digit on the same byte.
    view_.SetCaret(int64_t(caret.Offset()) + (hex ? 0 : 1), CaretMode::Move, hex);
    return true;
}

bool CEditCommands::TypeLowNibble(int digit)
{
    // The undo entry made for the high digit already covers this byte.
    CBinEditDoc& doc = *view_.Document();
    CSelectionPos& caret = view_.Caret();
    uint8_t byte = 0;
    caret.Read(&byte, 1);
    byte = uint8_t((byte & 0xF0) | digit);
    caret.Write(&byte, 1);
    doc.SetModifiedFlag(true);
    doc.UpdateAllViews(nullptr, DocumentChange::Overwritten(caret.Offset(), 1));
    view_.SetCaret(int64_t(caret.Offset()) + 1, CaretMode::Move, false);
    return true;
}

// ---------------------------------------------------------------- deleting

bool CEditCommands::CanDeleteSelection() const { return Writable() && view_.Caret().hasSelection; }

bool CEditCommands::DeleteSelection()
{
    if (!CanDeleteSelection())
        return false;
    CSelectionPos& caret = view_.Caret();
    caret.Seek(caret.selStart);
    if (!view_.Document()->DeleteAt(caret, caret.selEnd - caret.selStart))
        return false;
    view_.SetCaret(caret.Offset(), CaretMode::Move, false);
    return true;
}

bool CEditCommands::DeleteKey()
{
    if (!Writable())
        return false;
    CSelectionPos& caret = view_.Caret();
    if (caret.hasSelection)
        return DeleteSelection();
    if (caret.Offset() >= view_.Document()->Size())
        return false;
    if (!view_.Document()->DeleteAt(caret, 1))
        return false;
    view_.SetCaret(caret.Offset(), CaretMode::Keep, false);
    return true;
}

bool CEditCommands::Backspace()
{
    if (!Writable())
        return false;
    CSelectionPos& caret = view_.Caret();
    if (caret.hasSelection)
        return DeleteSelection();
    const bool pending = view_.LowNibblePending();
    if (caret.Offset() == 0 && !pending)
        return false;
    // A half-typed byte goes as a whole; otherwise the byte before the caret.
    view_.SetCaret(caret.Offset() - (pending ? 0 : 1), CaretMode::Keep, false);
    if (caret.Offset() >= view_.Document()->Size())
        return false;
    return view_.Document()->DeleteAt(caret, 1);
}

// ---------------------------------------------------------------- history

bool CEditCommands::CanUndo() const { return view_.Document() && view_.Document()->CanUndo(); }

bool CEditCommands::CanRedo() const { return view_.Document() && view_.Document()->CanRedo(); }

bool CEditCommands::Undo()
{
    if (!CanUndo())
        return false;
    const int64_t sizeBefore = view_.Document()->Size();
    const int32_t lowest = view_.Document()->Undo(view_.Caret());
    AfterHistoryStep(lowest, sizeBefore);
    return lowest >= 0;
}

bool CEditCommands::Redo()
{
    if (!CanRedo())
        return false;
    const int64_t sizeBefore = view_.Document()->Size();
    const int32_t lowest = view_.Document()->Redo(view_.Caret());
    AfterHistoryStep(lowest, sizeBefore);
    return lowest >= 0;
}

void CEditCommands::AfterHistoryStep(int32_t lowest, int64_t sizeBefore)
{
    if (lowest < 0)
        return;
    // The caret stands where the entry was applied; what it wrote back is
    // selected when it is more than one byte.
    const int32_t at = view_.Caret().Offset();
    const int32_t length = view_.Document()->LastEditLength();
    view_.SetCaret(at, CaretMode::Move, false);
    if (length >= 2)
        view_.SetCaret(int64_t(at) + length, CaretMode::Extend, false);
    // An entry may touch several places: everything from its lowest offset on
    // counts as changed.
    const int64_t sizeAfter = view_.Document()->Size();
    view_.Document()->UpdateAllViews(nullptr,
                                     DocumentChange::Replaced(lowest, sizeBefore - lowest, sizeAfter - lowest));
}
