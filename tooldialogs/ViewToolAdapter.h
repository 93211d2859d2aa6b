#pragma once
// The hex view as the editing tools see it: its caret and selection, its
// file size, selecting through the view's own caret moves, its delete
// command and repainting.
#include "tools/ToolView.h"

class CBinEditView;

class CViewToolAdapter : public IToolView {
public:
    explicit CViewToolAdapter(CBinEditView& view) : view_(view) {}

    SelectionState Selection() const override;
    int64_t FileSize() const override;
    void Select(int64_t anchor, int64_t caret) override;
    void DeleteSelection() override;
    // Bookmarks belong to every document, so every open view repaints.
    void RedrawAll() override;

private:
    CBinEditView& view_;
};

// Repaints every hex view of the application (the bookmark marks changed).
void RepaintAllHexViews();
