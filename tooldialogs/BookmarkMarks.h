#pragma once
// What the hex views mark: the start byte of every bookmark of the
// application's collection, and the bytes the inspector pages highlight.
#include "view/BinEditView.h"

class CBookmarkCollection;
class CInspectedRange;

class CBookmarkMarks : public IViewMarks {
public:
    // Without an inspected range nothing is highlighted.
    explicit CBookmarkMarks(const CBookmarkCollection& bookmarks, const CInspectedRange* inspected = nullptr)
        : bookmarks_(bookmarks), inspected_(inspected)
    {
    }

    std::vector<int32_t> BookmarksIn(const CBinEditDoc& doc, int32_t from, int32_t to) const override;
    std::pair<int32_t, int32_t> InspectorRange(const CBinEditDoc& doc) const override;

private:
    const CBookmarkCollection& bookmarks_;
    const CInspectedRange* inspected_;
};
