#include "InspectedRange.h"

#include "view/BinEditView.h"

#include <algorithm>

void CInspectedRange::Set(CBinEditView* view, int64_t start, int64_t end)
{
    if (view) {
        start = std::clamp<int64_t>(start, 0, view->Document()->Size());
        end = std::clamp<int64_t>(end, start, view->Document()->Size());
    }
    if (!view || start >= end) {
        view = nullptr;
        start = end = 0;
    }
    if (view == view_ && start == start_ && end == end_)
        return;
    Repaint();
    view_ = view;
    start_ = start;
    end_ = end;
    Repaint();
}

std::pair<int64_t, int64_t> CInspectedRange::RangeFor(const CBinEditDoc& doc) const
{
    if (!view_ || view_->Document() != &doc)
        return {0, 0};
    return {start_, end_};
}

void CInspectedRange::Repaint() const
{
    if (view_ && start_ < end_)
        view_->RepaintOffsets(start_, end_ - 1);
}

CBinEditView* CInspectedRange::View() const { return view_.data(); }
