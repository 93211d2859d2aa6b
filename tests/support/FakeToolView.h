#pragma once
// The tool-view interface over a real document without a window: the caret
// and selection live here, deleting goes through the document's undoable
// delete, and repaints are counted.
#include "core/BinEditDoc.h"
#include "core/SelectionPos.h"
#include "tools/ToolView.h"

class FakeToolView : public IToolView {
public:
    explicit FakeToolView(CBinEditDoc& doc);

    SelectionState Selection() const override;
    int64_t FileSize() const override { return doc_.Size(); }
    void Select(int64_t anchor, int64_t caret) override;
    void DeleteSelection() override;
    void RedrawAll() override { ++redraws; }

    CSelectionPos& Caret() { return caret_; }
    int redraws = 0;

private:
    CBinEditDoc& doc_;
    CSelectionPos caret_;
};
