#include "BookmarkCommands.h"

#include "settings/AppSettings.h"
#include "core/BufferChunk.h"
#include "platform/MessageBox.h"
#include "platform/StatusHooks.h"
#include "tools/BookmarkCollection.h"
#include "types/IntegerText.h"
#include "tools/ToolView.h"

#include <algorithm>

bool StatusRadixIsHex(const AppSettings& settings)
{
    if (settings.statusFormat == 2)
        return settings.offsetFormat == 1;
    return settings.statusFormat == 1;
}

QString BookmarkStatusText(const Bookmark& b, bool hex)
{
    if (hex)
        return QStringLiteral("Bookmark: \"%1\", Offset=0x%2, Length=0x%3")
            .arg(b.name, QString::number(b.start, 16).toUpper(), QString::number(b.Length(), 16).toUpper());
    return QStringLiteral("Bookmark: \"%1\", Offset=%2, Length=%3").arg(b.name).arg(b.start).arg(b.Length());
}

QString BookmarkPastEndText()
{
    return QStringLiteral("Cannot reach bookmark : Bookmark is located past the end of the current file.");
}

QString BookmarkRangePastEndText()
{
    return QStringLiteral(
        "Cannot select entire bookmark : Bookmark range extends beyond the end of the current file.");
}

ToggleResult ToggleBookmark(CBookmarkCollection& bookmarks, IToolView& view)
{
    const SelectionState selection = view.Selection();
    const int64_t position = selection.Start();
    ToggleResult result = ToggleResult::Added;
    const int existing = bookmarks.IndexAt(position);
    if (existing >= 0) {
        bookmarks.RemoveAt(existing);
        result = ToggleResult::Removed;
    } else {
        bookmarks.Insert({bookmarks.DefaultName(), position, selection.End()});
    }
    view.RedrawAll();
    return result;
}

bool GoToBookmark(const Bookmark& bookmark, IToolView& view, bool hexStatus)
{
    const int64_t size = view.FileSize();
    if (bookmark.start > size) {
        platform::ShowMessage(BookmarkPastEndText());
        return false;
    }
    view.Select(bookmark.start, std::min(bookmark.end, size));
    platform::ShowStatusText(BookmarkStatusText(bookmark, hexStatus));
    if (bookmark.end > size)
        platform::ShowMessage(BookmarkRangePastEndText(), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
    return true;
}

bool GoToNextBookmark(const CBookmarkCollection& bookmarks, IToolView& view, bool hexStatus)
{
    const int index = bookmarks.NextIndex(view.Selection().Start());
    return index >= 0 && GoToBookmark(bookmarks.At(index), view, hexStatus);
}

bool GoToPreviousBookmark(const CBookmarkCollection& bookmarks, IToolView& view, bool hexStatus)
{
    const int index = bookmarks.PreviousIndex(view.Selection().Start());
    return index >= 0 && GoToBookmark(bookmarks.At(index), view, hexStatus);
}

namespace {
bool Confirm(const QString& question)
{
    return platform::ShowMessage(question, platform::MsgButtons::YesNo, platform::MsgIcon::Question) ==
           platform::MsgResult::Yes;
}
} // namespace

bool ClearAllBookmarks(CBookmarkCollection& bookmarks, IToolView* view)
{
    if (!Confirm(QStringLiteral("Are you sure you want to clear all bookmarks?")))
        return false;
    bookmarks.Clear();
    if (view)
        view->RedrawAll();
    return true;
}

QString OverwriteBookmarkQuestion(const Bookmark& existing)
{
    return QStringLiteral("You already have a bookmark defined at offset %1 with the name \"%2\". Do you want to "
                          "overwrite the existing bookmark?")
        .arg(QString::number(existing.start, 16).toUpper(), existing.name);
}

int AddBookmarkAsking(CBookmarkCollection& bookmarks, const Bookmark& bookmark)
{
    const int existing = bookmarks.IndexAt(bookmark.start);
    if (existing >= 0) {
        if (!Confirm(OverwriteBookmarkQuestion(bookmarks.At(existing))))
            return -1;
        bookmarks.RemoveAt(existing);
    }
    return bookmarks.Insert(bookmark);
}

int EditBookmarkAsking(CBookmarkCollection& bookmarks, int index, const Bookmark& edited)
{
    if (index < 0 || index >= bookmarks.Count())
        return -1;
    const int other = bookmarks.IndexAt(edited.start);
    if (other >= 0 && other != index) {
        if (!Confirm(OverwriteBookmarkQuestion(bookmarks.At(other))))
            return -1;
        bookmarks.RemoveAt(other);
        if (other < index)
            --index;
    }
    bookmarks.RemoveAt(index);
    return bookmarks.Insert(edited);
}

bool DeleteBookmarkAsking(CBookmarkCollection& bookmarks, int index)
{
    if (index < 0 || index >= bookmarks.Count() ||
        !Confirm(QStringLiteral("Are you sure you want to delete the selected bookmark?")))
        return false;
    bookmarks.RemoveAt(index);
    return true;
}

bool DeleteAllBookmarksAsking(CBookmarkCollection& bookmarks)
{
    if (!Confirm(QStringLiteral("Are you sure you want to delete all bookmarks?")))
        return false;
    bookmarks.Clear();
    return true;
}

bool BookmarkNameAcceptable(QStringView name) { return !name.trimmed().isEmpty(); }

namespace {
// A field value: 0 to the file size limit, as the up-down control allows.
bool ParseField(QStringView text, int64_t& value, int& radix)
{
    const ParsedInteger parsed = ParseInteger(text);
    if (!parsed.Ok() || parsed.negative || parsed.value > uint64_t(MAX_FILE_SIZE))
        return false;
    value = int64_t(parsed.value);
    radix = parsed.radix;
    return true;
}
} // namespace

BookmarkFields ValidateBookmarkFields(QStringView name, QStringView offsetText, QStringView lengthText)
{
    BookmarkFields fields;
    fields.bookmark.name = name.trimmed().toString();
    int64_t offset = 0;
    int64_t length = 0;
    if (!ParseField(offsetText, offset, fields.offsetRadix)) {
        platform::ShowMessage(
            QStringLiteral("The bookmark offset value is not valid. Please enter a valid integer number."));
        fields.failed = BookmarkField::Offset;
        return fields;
    }
    // The end must stay a file offset too; compared so that it cannot overflow.
    if (!ParseField(lengthText, length, fields.lengthRadix) || length > MAX_FILE_SIZE - offset) {
        platform::ShowMessage(
            QStringLiteral("The bookmark length value is not valid. Please enter a valid integer number."));
        fields.failed = BookmarkField::Length;
        return fields;
    }
    fields.bookmark.start = offset;
    fields.bookmark.end = offset + length;
    return fields;
}
