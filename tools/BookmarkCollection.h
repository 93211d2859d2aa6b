#pragma once
// The application's one collection of bookmarks, shared by every open
// document: kept sorted by start offset with at most one bookmark per start,
// the path of the file it was last loaded from or saved to, and whether it
// changed since.
#include "tools/Bookmark.h"

#include <QString>
#include <cstdint>
#include <vector>

class CBookmarkCollection {
public:
    int Count() const { return int(items_.size()); }
    bool IsEmpty() const { return items_.empty(); }
    const Bookmark& At(int index) const { return items_[size_t(index)]; }
    const std::vector<Bookmark>& Items() const { return items_; }

    // Binary search over the starts: the index of the bookmark starting
    // exactly at start, or -1.
    int IndexAt(int64_t start) const;
    // The index a bookmark starting at start would be inserted at.
    int InsertionIndex(int64_t start) const;

    // Inserts in order, replacing a bookmark with the same start. Returns its index.
    int Insert(Bookmark bookmark);
    void RemoveAt(int index);
    void Clear();
    // Replaces every bookmark with these, given in any order, leaving what
    // inserting them one by one would: sorted by start and, of several with
    // one start, the last. Takes the path and an unchanged state (a load).
    void Assign(std::vector<Bookmark> bookmarks, const QString& path);

    // "Bookmark %03d" with the lowest number from 1 that no bookmark's name
    // uses (names compared without regard to case).
    QString DefaultName() const;

    // The first bookmark starting after position, else the first (wrap).
    // -1 when empty.
    int NextIndex(int64_t position) const;
    // The last bookmark starting before position, else the last (wrap).
    int PreviousIndex(int64_t position) const;

    // Starts of the bookmarks in [from, to), ascending: what the view marks.
    std::vector<int64_t> StartsIn(int64_t from, int64_t to) const;

    // Set by every insertion, removal and clearing; cleared by load and save.
    bool IsChanged() const { return changed_; }
    void SetChanged(bool changed) { changed_ = changed; }
    const QString& Path() const { return path_; }
    void SetPath(const QString& path) { path_ = path; }

private:
    std::vector<Bookmark> items_;
    QString path_;
    bool changed_ = false;
};
