#include "BookmarkMarks.h"

#include "tooldialogs/CompareSession.h"
#include "tools/BookmarkCollection.h"
#include "view/InspectedRange.h"

std::vector<int64_t> CBookmarkMarks::BookmarksIn(const CBinEditDoc&, int64_t from, int64_t to) const
{
    return bookmarks_.StartsIn(from, to);
}

std::pair<int64_t, int64_t> CBookmarkMarks::InspectorRange(const CBinEditDoc& doc) const
{
    return inspected_ ? inspected_->RangeFor(doc) : std::pair<int64_t, int64_t>{0, 0};
}

std::vector<std::pair<int64_t, int64_t>> CBookmarkMarks::DifferencesIn(const CBinEditDoc& doc, int64_t from,
                                                                       int64_t to) const
{
    const CCompareSession* session = comparison_ ? comparison_() : nullptr;
    return session ? session->DifferencesIn(doc, from, to) : std::vector<std::pair<int64_t, int64_t>>{};
}
