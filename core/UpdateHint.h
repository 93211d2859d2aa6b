#pragma once
#include <cstdint>

// What changed, announced to every view of a document after each change.
enum UpdateHint : int32_t {
    HINT_REDRAW = 0,         // repaint everything
    HINT_LAYOUT = 1,         // recompute the row layout, then repaint
    HINT_BYTES_CHANGED = 2,  // bytes overwritten in place at offset
    HINT_SIZE_CHANGED = 3,   // bytes inserted or deleted at offset
    HINT_SELECTION = 4,      // selection state of [start, end) changed
};

struct HintArgs {
    int64_t offset = 0;                // HINT_BYTES_CHANGED, HINT_SIZE_CHANGED
    bool bytesPerRowFromSettings = false;  // HINT_LAYOUT: take bytes per row afresh
    int64_t start = 0;                 // HINT_SELECTION
    int64_t end = 0;
};

// Implemented by every view of a document.
class IDocView {
public:
    virtual ~IDocView() = default;
    virtual void OnDocumentUpdate(IDocView* sender, UpdateHint hint, const HintArgs& args) = 0;
    // The document's contents were replaced: bind to them afresh at offset 0.
    virtual void OnInitialUpdate() = 0;
};
