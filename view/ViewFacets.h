#pragma once
// The narrow faces a hex view shows its input helpers (caret, edit
// commands, clipboard, keys, mouse, drag and drop). Each helper takes only
// the faces it uses, so it can be read, and changed, without the whole view.
#include "ViewGeometry.h"

#include <QStringList>
#include <cstdint>

class CAlignedPos;
class CBinEditDoc;
class CSelectionPos;
struct AppSettings;

// The document a view shows (null for none), the view's caret with its
// selection, and the settings the view follows (typing and pasting modes,
// drag and drop, file filters; the paste question records its answer there).
// Helpers read the caret here; they move it through the caret controller,
// which keeps the anchor and repaints.
struct ViewSubject {
    CBinEditDoc* document;
    CSelectionPos& caret;
    AppSettings& settings;
};

// How the caret is shown: in which column, at the end of the row above,
// between the two digits of its byte, and as the drop point while data is
// dragged over the view. The column and the drop point repaint at once; the
// end-of-row flag is only recorded, for the caret move that follows it.
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

// Where things are in the window, read only.
class IViewGeometry {
public:
    virtual const RowLayout& Geometry() const = 0;
    // The first byte of the top row.
    virtual const CAlignedPos& Top() const = 0;
    // The horizontal scroll position, in pixels.
    virtual int HScroll() const = 0;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    virtual int RowsInWindow() const = 0;
    // The byte boundary under a client point.
    virtual HitResult HitTest(int x, int y) const = 0;

protected:
    ~IViewGeometry() = default;
};

// Moving the window over the file.
class IViewScrolling {
public:
    // Scrolls so that offset's row is the top row (clamped, rounded down to a
    // row start). Scrolls of less than a window move the painted pixels.
    virtual void SetTop(int64_t offset, bool moveCaret = true) = 0;
    // Horizontal position in pixels; with syncPanes the other pane follows.
    virtual void SetHScroll(int pixels, bool moveCaret, bool syncPanes) = 0;
    // Scrolls as little as possible to bring the caret into the window.
    virtual void EnsureCaretVisible() = 0;

protected:
    ~IViewScrolling() = default;
};

// What a helper tells the view after changing what it shows.
class IViewUpdates {
public:
    // Repaints the window rows holding offsets from first to last.
    virtual void RepaintOffsets(int64_t first, int64_t last) = 0;
    // The status panes' texts may have changed.
    virtual void NotifyStatusChanged() = 0;

protected:
    ~IViewUpdates() = default;
};

// What the view asks of the window around it.
class IViewRequests {
public:
    // The Insert key was pressed: the application owns the shared mode.
    virtual void RequestInsertModeToggle() = 0;
    // Files dragged from a file manager were dropped on the view: open them.
    virtual void OpenDroppedFiles(const QStringList& paths) = 0;

protected:
    ~IViewRequests() = default;
};
