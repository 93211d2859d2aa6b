#pragma once
// The caret and the selection of one hex view: the one place that moves the
// caret (SetCaret) and changes the selection (SetSelection), keeping the
// anchor of a selection being extended and repainting only the rows whose
// selection state changed.
#include "EditTypes.h"
#include "ViewFacets.h"

#include <cstdint>
#include <optional>

class CCaretController {
public:
    CCaretController(ViewSubject subject, const IViewGeometry& geometry, ICaretDisplay& display,
                     IViewScrolling& scrolling, IViewUpdates& updates)
        : subject_(subject), geometry_(geometry), display_(display), scrolling_(scrolling), updates_(updates)
    {
    }

    // Moves the caret (clamped to the file) and treats the selection by mode;
    // pendingLowNibble puts the caret between the two digits of its byte.
    void SetCaret(int64_t offset, CaretMode mode, bool pendingLowNibble = false);
    // Selects [min(a, b), max(a, b)), or nothing when a = b. Returns the range
    // whose selection state changed; the caller repaints it.
    std::optional<OffsetRange> SetSelection(int64_t a, int64_t b);
    bool CanSelectAll() const;
    void SelectAll();

    // The fixed end of a selection being extended, and the offset the mouse
    // last extended it to.
    int64_t Anchor() const { return anchor_; }
    int64_t LastExtend() const { return lastExtend_; }
    // Back to a fresh view's state (the document's contents were replaced).
    void Reset() { anchor_ = lastExtend_ = 0; }

private:
    // The fixed end of the selection being extended from oldCaret.
    int64_t AnchorFor(int64_t oldCaret) const;

    ViewSubject subject_;
    const IViewGeometry& geometry_;
    ICaretDisplay& display_;
    IViewScrolling& scrolling_;
    IViewUpdates& updates_;
    int64_t anchor_ = 0;
    int64_t lastExtend_ = 0;
};
