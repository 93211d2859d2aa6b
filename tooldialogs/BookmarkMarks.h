#pragma once
// What the hex views mark: the start byte of every bookmark of the
// application's collection. The data inspector's range is not marked here.
#include "view/BinEditView.h"

class CBookmarkCollection;

class CBookmarkMarks : public IViewMarks {
public:
    explicit CBookmarkMarks(const CBookmarkCollection& bookmarks) : bookmarks_(bookmarks) {}

    std::vector<int32_t> BookmarksIn(const CBinEditDoc& doc, int32_t from, int32_t to) const override;
    std::pair<int32_t, int32_t> InspectorRange(const CBinEditDoc& doc) const override;

private:
    const CBookmarkCollection& bookmarks_;
};
