#pragma once
// The narrow faces a hex view shows its input helpers (caret, edit
// commands, clipboard, keys, mouse, drag and drop). Each helper takes only
// the faces it uses, so it can be read, and changed, without the whole view.
class CBinEditDoc;
class CSelectionPos;

// The document a view shows (null for none) and the view's caret with its
// selection. Helpers read the caret here; they move it through the caret
// controller, which keeps the anchor and repaints.
struct ViewSubject {
    CBinEditDoc* document;
    CSelectionPos& caret;
};

// How the caret is shown: in which column, at the end of the row above,
// between the two digits of its byte, and as the drop point while data is
// dragged over the view. Each setter repaints what it changed.
class ICaretDisplay {
public:
    virtual bool HexActive() const = 0;
    // Moves the caret between the hex and character columns; a column that
    // is not shown is never chosen.
    virtual void SetHexActive(bool hex) = 0;
    // The caret is shown at the end of the previous row.
    virtual bool EndOfRow() const = 0;
    virtual void SetEndOfRow(bool endOfRow) = 0;
    // The high digit of the caret's byte has been typed; the caret stands
    // between the two digits. Kept in the caret position, which edits move.
    virtual bool LowNibblePending() const = 0;
    // Shows the caret where dropped data would go, even over a selection.
    virtual void SetDropCaret(bool shown) = 0;

protected:
    ~ICaretDisplay() = default;
};
