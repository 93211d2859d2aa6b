#include "BookmarkCollection.h"

#include <QSet>
#include <algorithm>

int CBookmarkCollection::InsertionIndex(int64_t start) const
{
    const auto it = std::lower_bound(items_.begin(), items_.end(), start,
                                     [](const Bookmark& b, int64_t value) { return b.start < value; });
    return int(it - items_.begin());
}

int CBookmarkCollection::IndexAt(int64_t start) const
{
    const int index = InsertionIndex(start);
    return index < Count() && items_[size_t(index)].start == start ? index : -1;
}

int CBookmarkCollection::Insert(Bookmark bookmark)
{
    const int index = InsertionIndex(bookmark.start);
    if (index < Count() && items_[size_t(index)].start == bookmark.start)
        items_[size_t(index)] = std::move(bookmark);
    else
        items_.insert(items_.begin() + index, std::move(bookmark));
    changed_ = true;
    return index;
}

void CBookmarkCollection::RemoveAt(int index)
{
    if (index < 0 || index >= Count())
        return;
    items_.erase(items_.begin() + index);
    changed_ = true;
}

void CBookmarkCollection::Clear()
{
    items_.clear();
    changed_ = true;
}

void CBookmarkCollection::Assign(std::vector<Bookmark> bookmarks, const QString& path)
{
    // Sorting once instead of inserting each keeps a file in descending order
    // from costing quadratic time. Reversed, the later of two equal starts
    // comes first; the stable sort keeps it first and unique keeps only it.
    std::reverse(bookmarks.begin(), bookmarks.end());
    std::stable_sort(bookmarks.begin(), bookmarks.end(),
                     [](const Bookmark& a, const Bookmark& b) { return a.start < b.start; });
    const auto end = std::unique(bookmarks.begin(), bookmarks.end(),
                                 [](const Bookmark& a, const Bookmark& b) { return a.start == b.start; });
    bookmarks.erase(end, bookmarks.end());
    items_ = std::move(bookmarks);
    path_ = path;
    changed_ = false;
}

QString CBookmarkCollection::DefaultName() const
{
    QSet<QString> used;
    for (const Bookmark& b : items_)
        used.insert(b.name.toCaseFolded());
    // Among Count() + 1 numbers at least one is free.
    for (int number = 1;; ++number) {
        const QString name = QStringLiteral("Bookmark %1").arg(number, 3, 10, QLatin1Char('0'));
        if (!used.contains(name.toCaseFolded()))
            return name;
    }
}

int CBookmarkCollection::NextIndex(int64_t position) const
{
    if (items_.empty())
        return -1;
    const auto it = std::upper_bound(items_.begin(), items_.end(), position,
                                     [](int64_t value, const Bookmark& b) { return value < b.start; });
    return it == items_.end() ? 0 : int(it - items_.begin());
}

int CBookmarkCollection::PreviousIndex(int64_t position) const
{
    if (items_.empty())
        return -1;
    const int index = InsertionIndex(position) - 1;
    return index < 0 ? Count() - 1 : index;
}

std::vector<int64_t> CBookmarkCollection::StartsIn(int64_t from, int64_t to) const
{
    std::vector<int64_t> starts;
    for (int i = InsertionIndex(from); i < Count() && items_[size_t(i)].start < to; ++i)
        starts.push_back(items_[size_t(i)].start);
    return starts;
}
