#pragma once
// The bookmark commands on the active view and the operations of the
// Bookmarks and Edit Bookmark dialogs, with their questions and messages.
#include "tools/Bookmark.h"

#include <QString>
#include <QStringView>
#include <cstdint>

class CBookmarkCollection;
class IToolView;
struct AppSettings;

// Whether the status bar shows offsets in hexadecimal ("StatusFormat" 1, or
// 2 with hexadecimal view offsets).
bool StatusRadixIsHex(const AppSettings& settings);

// "Bookmark: "%s", Offset=0x%X, Length=0x%X" or the decimal form.
QString BookmarkStatusText(const Bookmark& bookmark, bool hex);
QString BookmarkPastEndText();       // "Cannot reach bookmark : ..."
QString BookmarkRangePastEndText();  // "Cannot select entire bookmark : ..."

enum class ToggleResult { Added, Removed };

// Deletes the bookmark starting at the selection start (or the caret), or
// adds one there with the first free default name and the selection's range.
ToggleResult ToggleBookmark(CBookmarkCollection& bookmarks, IToolView& view);

// Selects the bookmark's range with the caret at its end and shows it in the
// status bar; a start past the end of the file is refused with a message,
// an end past it is selected as far as it goes, then a message follows.
bool GoToBookmark(const Bookmark& bookmark, IToolView& view, bool hexStatus);
// Next and Previous wrap around; they do nothing on an empty collection.
bool GoToNextBookmark(const CBookmarkCollection& bookmarks, IToolView& view, bool hexStatus);
bool GoToPreviousBookmark(const CBookmarkCollection& bookmarks, IToolView& view, bool hexStatus);

// Clear All Bookmarks: asks first; Yes empties the collection.
bool ClearAllBookmarks(CBookmarkCollection& bookmarks, IToolView* view);

// ---- the Bookmarks dialog

QString OverwriteBookmarkQuestion(const Bookmark& existing);
// Adds, asking before replacing a bookmark with the same start. Returns the
// new bookmark's index, or -1 when the user kept the old one.
int AddBookmarkAsking(CBookmarkCollection& bookmarks, const Bookmark& bookmark);
// Replaces the bookmark at index with edited, asking before replacing
// another bookmark with the new start. Returns the edited bookmark's new
// index, or -1 when nothing changed.
int EditBookmarkAsking(CBookmarkCollection& bookmarks, int index, const Bookmark& edited);
bool DeleteBookmarkAsking(CBookmarkCollection& bookmarks, int index);
bool DeleteAllBookmarksAsking(CBookmarkCollection& bookmarks);

// ---- the Edit Bookmark dialog

enum class BookmarkField { None, Offset, Length };

struct BookmarkFields {
    BookmarkField failed = BookmarkField::None;  // the field that gets the focus back
    Bookmark bookmark;
    int offsetRadix = 16;  // become "BookmarksOffsetRadix" and "BookmarksLengthRadix"
    int lengthRadix = 16;

    bool Ok() const { return failed == BookmarkField::None; }
};

// OK is enabled only while the trimmed name is not empty.
bool BookmarkNameAcceptable(QStringView name);
// OK: the name trimmed, the offset and then the length parsed (each 0 to
// the file size limit MAX_FILE_SIZE, and the end must stay within that
// too), with the field's message on failure.
BookmarkFields ValidateBookmarkFields(QStringView name, QStringView offsetText, QStringView lengthText);
