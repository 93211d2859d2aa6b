#pragma once
// The bytes the inspector pages highlight in a hex view: the value selected
// in a page's list, from the caret on. There is one such range for all pages
// and all views; setting a new one repaints the old and the new bytes.
#include <QPointer>

#include <cstdint>
#include <utility>

class CBinEditDoc;
class CBinEditView;

class CInspectedRange {
public:
    // Highlights [start, end) in view (clipped to its file); an empty range
    // or no view clears the highlight.
    void Set(CBinEditView* view, int64_t start, int64_t end);
    void Clear() { Set(nullptr, 0, 0); }

    // The highlighted range when it lies in doc's views, else an empty one.
    std::pair<int64_t, int64_t> RangeFor(const CBinEditDoc& doc) const;
    CBinEditView* View() const;

private:
    void Repaint() const;

    QPointer<CBinEditView> view_;
    int64_t start_ = 0;
    int64_t end_ = 0;
};
