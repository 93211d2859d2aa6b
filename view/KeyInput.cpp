#include "KeyInput.h"

#include "CaretController.h"
#include "CaretMoves.h"
#include "EditCommands.h"
#include "ViewClipboard.h"
#include "core/AlignedPos.h"
#include "core/BinEditDoc.h"
#include "core/SelectionPos.h"

#include <QKeyEvent>
#include <algorithm>
#include <optional>

namespace {

std::optional<CaretKey> CaretKeyOf(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return CaretKey::Left;
    case Qt::Key_Right:
        return CaretKey::Right;
    case Qt::Key_Up:
        return CaretKey::Up;
    case Qt::Key_Down:
        return CaretKey::Down;
    case Qt::Key_PageUp:
        return CaretKey::PageUp;
    case Qt::Key_PageDown:
        return CaretKey::PageDown;
    case Qt::Key_Home:
        return CaretKey::Home;
    case Qt::Key_End:
        return CaretKey::End;
    default:
        return std::nullopt;
    }
}

// Modifiers that matter for the key table (the keypad flag does not).
Qt::KeyboardModifiers Relevant(const QKeyEvent* event)
{
    return event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

} // namespace

bool CKeyInput::KeyPress(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        if (subject_.caret.hasSelection)
            editors_.caret.SetCaret(subject_.caret.selStart, CaretMode::Move);
        return false;  // the default handling still sees Escape
    }
    return CommandKey(event) || MoveKey(event) || TypeText(event);
}

// The Edit menu's keys. The main window's commands normally take them first;
// these keep the view usable on its own, and every command checks that it is
// enabled, exactly as the menu does.
bool CKeyInput::CommandKey(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = Relevant(event);
    const bool ctrl = mods == Qt::ControlModifier;
    const bool shift = mods == Qt::ShiftModifier;
    const bool none = mods == Qt::NoModifier;

    if ((ctrl && key == Qt::Key_Z) || (mods == Qt::AltModifier && key == Qt::Key_Backspace))
        editors_.edits.Undo();
    else if ((ctrl && key == Qt::Key_Y) || (mods == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_Z))
        editors_.edits.Redo();
    else if ((ctrl && key == Qt::Key_X) || (shift && key == Qt::Key_Delete))
        editors_.clipboard.Cut();
    else if (ctrl && (key == Qt::Key_C || key == Qt::Key_Insert))
        editors_.clipboard.Copy();
    else if ((ctrl && key == Qt::Key_V) || (shift && key == Qt::Key_Insert))
        editors_.clipboard.Paste();
    else if (ctrl && key == Qt::Key_A)
        editors_.caret.SelectAll();
    else if (none && key == Qt::Key_Insert)
        requests_.RequestInsertModeToggle();
    else if (none && key == Qt::Key_Delete)
        editors_.edits.DeleteKey();
    else if (none && key == Qt::Key_Backspace)
        editors_.edits.Backspace();
    else if ((none && key == Qt::Key_Tab) || key == Qt::Key_Backtab) {
        const RowLayout& l = geometry_.Geometry();
        if (l.hexShown && l.charShown)
            display_.SetHexActive(!display_.HexActive());
    } else {
        return false;
    }
    return true;
}

bool CKeyInput::MoveKey(QKeyEvent* event)
{
    const std::optional<CaretKey> key = CaretKeyOf(event->key());
    const Qt::KeyboardModifiers mods = Relevant(event);
    if (!key || (mods & (Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;

    const CSelectionPos& caret = subject_.caret;
    const RowLayout& l = geometry_.Geometry();
    CaretContext context;
    context.caret = caret.Offset();
    context.size = subject_.document ? subject_.document->Size() : 0;
    context.hasSelection = caret.hasSelection;
    context.selStart = caret.selStart;
    context.selEnd = caret.selEnd;
    context.shownAtRowEnd = display_.EndOfRow() && caret.Offset() % l.bytesPerRow == 0 && caret.Offset() != 0 &&
                            !display_.LowNibblePending();
    context.bytesPerRow = l.bytesPerRow;
    context.groupSize = l.groupSize;
    context.rowsInWindow = geometry_.RowsInWindow();

    const CaretMove move = ComputeCaretMove(*key, shift, ctrl, context);
    if (move.scrollRows != 0) {
        const int64_t top = int64_t(geometry_.Top().Offset()) + int64_t(move.scrollRows) * l.bytesPerRow;
        scrolling_.SetTop(std::max<int64_t>(top, 0), true);
    }
    if (move.moveCaret) {
        if (move.endOfRow)
            display_.SetEndOfRow(true);
        editors_.caret.SetCaret(move.target, shift ? CaretMode::Extend : CaretMode::Move);
    }
    return true;
}

bool CKeyInput::TypeText(QKeyEvent* event)
{
    // Ctrl and Alt combinations are commands, never typed characters.
    if (Relevant(event) & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    for (const QChar ch : text)
        editors_.edits.TypeCharacter(ch.unicode());
    return true;
}
