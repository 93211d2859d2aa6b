#include "EditCommands.h"

#include "CaretController.h"
#include "core/BinEditDoc.h"
#include "core/SelectionPos.h"
#include "settings/AppSettings.h"
#include "types/DigitValue.h"

bool CEditCommands::Writable() const
{
    const CBinEditDoc* doc = subject_.document;
    return doc && !doc->IsReadOnly();
}

// ---------------------------------------------------------------- typing

bool CEditCommands::TypeCharacter(char16_t ch)
{
    if (!Writable())
        return false;
    const bool hex = display_.HexActive();
    const int digit = hex ? HexDigitValue(ch) : 0;
    if (hex ? digit < 0 : ch < 32)
        return false;

    CBinEditDoc& doc = *subject_.document;
    CSelectionPos& caret = subject_.caret;
    if (caret.hasSelection && caret.Offset() != caret.selStart) {
        caret.Seek(caret.selStart);
        caret.spare = 0;  // the half-typed byte was elsewhere
    }
    if (hex && display_.LowNibblePending() && caret.Offset() < doc.Size())
        return TypeLowNibble(digit);

    const AppSettings& s = subject_.settings;
    int64_t replaced = 0;
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
    caretControl_.SetCaret(int64_t(caret.Offset()) + (hex ? 0 : 1), CaretMode::Move, hex);
    return true;
}

bool CEditCommands::TypeLowNibble(int digit)
{
    // The undo entry made for the high digit already covers this byte.
    CBinEditDoc& doc = *subject_.document;
    CSelectionPos& caret = subject_.caret;
    uint8_t byte = 0;
    caret.Read(&byte, 1);
    byte = uint8_t((byte & 0xF0) | digit);
    caret.Write(&byte, 1);
    doc.SetModifiedFlag(true);
    doc.UpdateAllViews(nullptr, DocumentChange::Overwritten(caret.Offset(), 1));
    caretControl_.SetCaret(int64_t(caret.Offset()) + 1, CaretMode::Move, false);
    return true;
}

// ---------------------------------------------------------------- deleting

bool CEditCommands::CanDeleteSelection() const { return Writable() && subject_.caret.hasSelection; }

bool CEditCommands::DeleteSelection()
{
    if (!CanDeleteSelection())
        return false;
    CSelectionPos& caret = subject_.caret;
    caret.Seek(caret.selStart);
    if (!subject_.document->DeleteAt(caret, caret.selEnd - caret.selStart))
        return false;
    caretControl_.SetCaret(caret.Offset(), CaretMode::Move, false);
    return true;
}

bool CEditCommands::DeleteKey()
{
    if (!Writable())
        return false;
    CSelectionPos& caret = subject_.caret;
    if (caret.hasSelection)
        return DeleteSelection();
    if (caret.Offset() >= subject_.document->Size())
        return false;
    if (!subject_.document->DeleteAt(caret, 1))
        return false;
    caretControl_.SetCaret(caret.Offset(), CaretMode::Keep, false);
    return true;
}

bool CEditCommands::Backspace()
{
    if (!Writable())
        return false;
    CSelectionPos& caret = subject_.caret;
    if (caret.hasSelection)
        return DeleteSelection();
    const bool pending = display_.LowNibblePending();
    if (caret.Offset() == 0 && !pending)
        return false;
    // A half-typed byte goes as a whole; otherwise the byte before the caret.
    caretControl_.SetCaret(caret.Offset() - (pending ? 0 : 1), CaretMode::Keep, false);
    if (caret.Offset() >= subject_.document->Size())
        return false;
    return subject_.document->DeleteAt(caret, 1);
}

// ---------------------------------------------------------------- history

bool CEditCommands::CanUndo() const { return subject_.document && subject_.document->CanUndo(); }

bool CEditCommands::CanRedo() const { return subject_.document && subject_.document->CanRedo(); }

bool CEditCommands::Undo()
{
    if (!CanUndo())
        return false;
    const int64_t sizeBefore = subject_.document->Size();
    const int64_t lowest = subject_.document->Undo(subject_.caret);
    AfterHistoryStep(lowest, sizeBefore);
    return lowest >= 0;
}

bool CEditCommands::Redo()
{
    if (!CanRedo())
        return false;
    const int64_t sizeBefore = subject_.document->Size();
    const int64_t lowest = subject_.document->Redo(subject_.caret);
    AfterHistoryStep(lowest, sizeBefore);
    return lowest >= 0;
}

void CEditCommands::AfterHistoryStep(int64_t lowest, int64_t sizeBefore)
{
    if (lowest < 0)
        return;
    // The caret stands where the entry was applied; what it wrote back is
    // selected when it is more than one byte.
    const int64_t at = subject_.caret.Offset();
    const int64_t length = subject_.document->LastEditLength();
    caretControl_.SetCaret(at, CaretMode::Move, false);
    if (length >= 2)
        caretControl_.SetCaret(int64_t(at) + length, CaretMode::Extend, false);
    // An entry may touch several places: everything from its lowest offset on
    // counts as changed.
    const int64_t sizeAfter = subject_.document->Size();
    subject_.document->UpdateAllViews(nullptr,
                                      DocumentChange::Replaced(lowest, sizeBefore - lowest, sizeAfter - lowest));
}
