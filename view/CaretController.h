#pragma once
// The caret and the selection of one hex view: the one place that moves the
// caret (SetCaret) and changes the selection (SetSelection), keeping the
// anchor of a selection being extended and repainting only the rows whose
// selection state changed.
#include "EditTypes.h"

#include <cstdint>
#include <optional>

class CBinEditView;

class CCaretController {
public:
    explicit CCaretController(CBinEditView& view) : view_(view) {}

    void SetCaret(int64_t offset, CaretMode mode, bool pendingLowNibble = false);
    // The range whose selection state changed, for the caller to repaint.
    std::optional<OffsetRange> SetSelection(int32_t a, int32_t b);
    void SelectAll();

    int32_t Anchor() const { return anchor_; }
    int32_t LastExtend() const { return lastExtend_; }
    // Back to a fresh view's state (the document's contents were replaced).
    void Reset() { anchor_ = lastExtend_ = 0; }

private:
    // The fixed end of the selection being extended from oldCaret.
    int32_t AnchorFor(int32_t oldCaret) const;

    CBinEditView& view_;
    int32_t anchor_ = 0;
    int32_t lastExtend_ = 0;
};
