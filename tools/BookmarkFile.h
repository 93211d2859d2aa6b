#pragma once
// The bookmark collection file (".bmk"): the magic "BOOK", version 0, the
// number of bookmarks, then per bookmark its name length in UTF-16 code
// units, the code units (little-endian, no terminator), start and end. All
// integers are 32-bit little-endian.
//
// The reader takes any bytes: it never trusts a count or a length further
// than the bytes actually present, so a damaged file costs at most what it
// holds.
#include "tools/Bookmark.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

class CBookmarkCollection;

constexpr char BOOKMARK_FILE_MAGIC[4] = {'B', 'O', 'O', 'K'};
// Version 0 holds offsets in 32 bits, version 1 in 64. A collection is
// written as version 0 whenever every offset fits, so files of earlier
// copies of the program stay readable by them; a copy that reads only
// version 0 refuses version 1 as written by another version.
constexpr int32_t BOOKMARK_FILE_VERSION = 0;
constexpr int32_t BOOKMARK_FILE_VERSION_64 = 1;

QByteArray EncodeBookmarks(const std::vector<Bookmark>& bookmarks);

// Where the reader takes its bytes from.
class IBookmarkSource {
public:
    virtual ~IBookmarkSource() = default;
    // Reads up to count bytes; fewer at the end or on an error.
    virtual int64_t Read(void* into, int64_t count) = 0;
    // Bytes not yet read, as far as is known.
    virtual int64_t Remaining() const = 0;
    // The errno of a failed read, 0 when the bytes simply ran out.
    virtual int Error() const = 0;
};

class CMemoryBookmarkSource : public IBookmarkSource {
public:
    explicit CMemoryBookmarkSource(QByteArray bytes) : bytes_(std::move(bytes)) {}
    int64_t Read(void* into, int64_t count) override;
    int64_t Remaining() const override { return bytes_.size() - position_; }
    int Error() const override { return 0; }

private:
    QByteArray bytes_;
    int64_t position_ = 0;
};

enum class BookmarkReadStatus {
    Ok,
    BadMagic,    // not a bookmark collection file
    BadVersion,  // written by another version
    Corrupt,     // a negative count or name length, or offsets that are no range
    ShortRead,   // the file ends inside a field: it was cut short
    FileError,   // a read failed; the source's Error() says why
};

struct BookmarkReadResult {
    BookmarkReadStatus status = BookmarkReadStatus::Ok;
    // The complete records in file order; after a failure, those before it.
    std::vector<Bookmark> bookmarks;
};

// Reads the header and then every record in file order.
BookmarkReadResult ReadBookmarks(IBookmarkSource& source);

QString BookmarkFileCorruptText(const QString& path);
QString BookmarkFileVersionText(const QString& path);
QString NoBookmarksToSaveText();  // "Unable to save bookmark collection : No bookmarks defined."

// Writes the collection to path, remembers the path and clears the changed
// flag. An empty collection is not written (the user is told); file errors
// are reported naming the file.
bool SaveBookmarkFile(CBookmarkCollection& bookmarks, const QString& path);

// Loads path into the collection, but only once the whole file has been
// read well: the collection then holds its bookmarks (sorted by start; of
// records with the same start the later one), takes the path and an
// unchanged state. Every failure leaves the collection as it was and is
// reported: a damaged or cut-short file as corrupt, a failed open or read by
// the file layer's text. Returns whether the file was taken.
bool LoadBookmarkFile(CBookmarkCollection& bookmarks, const QString& path);
