#include "BookmarkMarks.h"

#include "tools/BookmarkCollection.h"
#include "view/InspectedRange.h"

std::vector<int32_t> CBookmarkMarks::BookmarksIn(const CBinEditDoc&, int32_t from, int32_t to) const
{
    return bookmarks_.StartsIn(from, to);
}

std::pair<int32_t, int32_t> CBookmarkMarks::InspectorRange(const CBinEditDoc& doc) const
{
    return inspected_ ? inspected_->RangeFor(doc) : std::pair<int32_t, int32_t>{0, 0};
}
