#include "BookmarkMarks.h"

#include "tools/BookmarkCollection.h"

std::vector<int32_t> CBookmarkMarks::BookmarksIn(const CBinEditDoc&, int32_t from, int32_t to) const
{
    return bookmarks_.StartsIn(from, to);
}

std::pair<int32_t, int32_t> CBookmarkMarks::InspectorRange(const CBinEditDoc&) const { return {0, 0}; }
