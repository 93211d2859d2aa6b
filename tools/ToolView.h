#pragma once
// What the editing tools need from the active view, so that the tools stay
// window-free and the dialogs over them stay thin. CViewToolAdapter
// (tooldialogs/ViewToolAdapter.h) implements it over the hex view; the tests
// over a document (tests/support/FakeToolView.h), and the find benchmark
// with one of its own.
#include <cstdint>

// The caret and the selection of a view, as the tools read them.
struct SelectionState {
    int64_t caret = 0;
    bool hasSelection = false;
    int64_t selStart = 0;  // selStart < selEnd while hasSelection
    int64_t selEnd = 0;

    // Where the tools start: the selection start, or the caret without a selection.
    int64_t Start() const { return hasSelection ? selStart : caret; }
    // Where a forward search starts: the selection end, or the caret.
    int64_t End() const { return hasSelection ? selEnd : caret; }
    // The end of the selection opposite the caret (the caret itself without one).
    int64_t Anchor() const
    {
        if (!hasSelection)
            return caret;
        return caret == selStart ? selEnd : selStart;
    }
};

class IToolView {
public:
    virtual ~IToolView() = default;

    virtual SelectionState Selection() const = 0;
    virtual int64_t FileSize() const = 0;
    // Puts the caret at caret and selects the bytes between anchor and caret
    // (nothing when they are equal), scrolling the caret into view.
    virtual void Select(int64_t anchor, int64_t caret) = 0;
    // The view's own delete-selection command: one undo step, views updated.
    virtual void DeleteSelection() = 0;
    // Repaints the whole view (the bookmark marks changed).
    virtual void RedrawAll() = 0;
};
