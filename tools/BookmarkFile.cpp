#include "BookmarkFile.h"

#include "platform/AtomicFileWriter.h"
#include "platform/FileErrors.h"
#include "platform/FileReader.h"
#include "platform/MessageBox.h"
#include "tools/BookmarkCollection.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <limits>

// ---------------------------------------------------------------- writing

namespace {
void AppendInt32(QByteArray& out, int32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void AppendInt64(QByteArray& out, int64_t value)
{
    char bytes[8];
    qToLittleEndian(value, bytes);
    out.append(bytes, 8);
}

bool NeedsWideOffsets(const std::vector<Bookmark>& bookmarks)
{
    return std::any_of(bookmarks.begin(), bookmarks.end(),
                       [](const Bookmark& b) { return b.end > std::numeric_limits<int32_t>::max(); });
}
} // namespace

QByteArray EncodeBookmarks(const std::vector<Bookmark>& bookmarks)
{
    QByteArray out;
    const bool wide = NeedsWideOffsets(bookmarks);
    out.append(BOOKMARK_FILE_MAGIC, 4);
    AppendInt32(out, wide ? BOOKMARK_FILE_VERSION_64 : BOOKMARK_FILE_VERSION);
    AppendInt32(out, int32_t(bookmarks.size()));
    for (const Bookmark& b : bookmarks) {
        AppendInt32(out, int32_t(b.name.size()));
        for (const QChar c : b.name) {
            const char16_t unit = c.unicode();
            out.append(char(unit & 0xFF));
            out.append(char(unit >> 8));
        }
        if (wide) {
            AppendInt64(out, b.start);
            AppendInt64(out, b.end);
        } else {
            AppendInt32(out, int32_t(b.start));
            AppendInt32(out, int32_t(b.end));
        }
    }
    return out;
}

// ---------------------------------------------------------------- reading

int64_t CMemoryBookmarkSource::Read(void* into, int64_t count)
{
    const int64_t n = std::clamp<int64_t>(count, 0, Remaining());
    std::memcpy(into, bytes_.constData() + position_, size_t(n));
    position_ += n;
    return n;
}

namespace {

// Why a read came up short: the bytes ran out, or reading them failed.
BookmarkReadStatus Shortfall(const IBookmarkSource& source)
{
    return source.Error() != 0 ? BookmarkReadStatus::FileError : BookmarkReadStatus::ShortRead;
}

bool ReadInt32(IBookmarkSource& source, int32_t& value)
{
    char bytes[4];
    if (source.Read(bytes, 4) != 4)
        return false;
    value = qFromLittleEndian<int32_t>(bytes);
    return true;
}

// An offset in the width of the file's version.
bool ReadOffset(IBookmarkSource& source, bool wide, int64_t& value)
{
    if (wide) {
        char bytes[8];
        if (source.Read(bytes, 8) != 8)
            return false;
        value = qFromLittleEndian<int64_t>(bytes);
        return true;
    }
    int32_t narrow = 0;
    if (!ReadInt32(source, narrow))
        return false;
    value = narrow;
    return true;
}

// One record, or the reason there is none.
BookmarkReadStatus ReadRecord(IBookmarkSource& source, bool wide, Bookmark& bookmark)
{
    int32_t length = 0;
    if (!ReadInt32(source, length))
        return Shortfall(source);
    if (length < 0)
        return BookmarkReadStatus::Corrupt;
    const int64_t nameBytes = int64_t(length) * 2;
    if (nameBytes > source.Remaining())
        return BookmarkReadStatus::ShortRead;  // never allocate for bytes that are not there
    bookmark.name.resize(length);
    QChar* units = bookmark.name.data();
    if (source.Read(units, nameBytes) != nameBytes)
        return Shortfall(source);
    qFromLittleEndian<char16_t>(units, length, units);
    if (!ReadOffset(source, wide, bookmark.start) || !ReadOffset(source, wide, bookmark.end))
        return Shortfall(source);
    if (bookmark.start < 0 || bookmark.end < bookmark.start)
        return BookmarkReadStatus::Corrupt;
    return BookmarkReadStatus::Ok;
}

BookmarkReadStatus ReadHeader(IBookmarkSource& source, bool& wide, int32_t& count)
{
    char magic[4];
    if (source.Read(magic, 4) != 4)
        return source.Error() != 0 ? BookmarkReadStatus::FileError : BookmarkReadStatus::BadMagic;
    if (std::memcmp(magic, BOOKMARK_FILE_MAGIC, 4) != 0)
        return BookmarkReadStatus::BadMagic;
    int32_t version = 0;
    if (!ReadInt32(source, version))
        return Shortfall(source);
    if (version != BOOKMARK_FILE_VERSION && version != BOOKMARK_FILE_VERSION_64)
        return BookmarkReadStatus::BadVersion;
    wide = version == BOOKMARK_FILE_VERSION_64;
    if (!ReadInt32(source, count))
        return Shortfall(source);
    return count < 0 ? BookmarkReadStatus::Corrupt : BookmarkReadStatus::Ok;
}

constexpr int64_t kSmallestRecord = 12;  // name length, start and end

} // namespace

BookmarkReadResult ReadBookmarks(IBookmarkSource& source)
{
    BookmarkReadResult result;
    int32_t count = 0;
    bool wide = false;
    result.status = ReadHeader(source, wide, count);
    if (result.status != BookmarkReadStatus::Ok)
        return result;
    // Room for no more records than the bytes can hold, so a huge count
    // costs nothing beyond the file; the loop ends when they run out.
    result.bookmarks.reserve(size_t(std::min<int64_t>(count, source.Remaining() / kSmallestRecord)));
    for (int32_t i = 0; i < count; ++i) {
        Bookmark bookmark;
        result.status = ReadRecord(source, wide, bookmark);
        if (result.status != BookmarkReadStatus::Ok)
            return result;
        result.bookmarks.push_back(std::move(bookmark));
    }
    return result;
}

namespace {

// Reads a file through the platform layer in blocks.
class CFileBookmarkSource : public IBookmarkSource {
public:
    explicit CFileBookmarkSource(platform::FileReader& reader) : reader_(reader)
    {
        const int64_t size = reader_.Size();
        remaining_ = size < 0 ? 0 : size;
    }
    int64_t Read(void* into, int64_t count) override
    {
        auto* out = static_cast<char*>(into);
        int64_t done = 0;
        while (done < count) {
            if (position_ == filled_ && !Fill())
                break;
            const int64_t n = std::min(count - done, filled_ - position_);
            std::memcpy(out + done, block_ + position_, size_t(n));
            position_ += n;
            done += n;
        }
        remaining_ = std::max<int64_t>(0, remaining_ - done);
        return done;
    }
    int64_t Remaining() const override { return remaining_; }
    int Error() const override { return error_; }

private:
    bool Fill()
    {
        const int64_t n = reader_.Read(block_, sizeof block_);
        if (n < 0)
            error_ = reader_.Error();
        position_ = 0;
        filled_ = std::max<int64_t>(n, 0);
        return filled_ > 0;
    }

    platform::FileReader& reader_;
    char block_[4096];
    int64_t position_ = 0;
    int64_t filled_ = 0;
    int64_t remaining_ = 0;
    int error_ = 0;
};

} // namespace

QString BookmarkFileCorruptText(const QString& path)
{
    return QStringLiteral("Unable to load file:\r\n\r\n\"%1\" is corrupt or is not a valid bookmark collection file.")
        .arg(path);
}

QString BookmarkFileVersionText(const QString& path)
{
    return QStringLiteral("Unable to load file:\r\n\r\n\"%1\" contains unrecognizable data. It may have been created "
                          "by a different version of Vantrel Hex Editor.")
        .arg(path);
}

QString NoBookmarksToSaveText() { return QStringLiteral("Unable to save bookmark collection : No bookmarks defined."); }

bool SaveBookmarkFile(CBookmarkCollection& bookmarks, const QString& path)
{
    if (bookmarks.IsEmpty()) {
        platform::ShowMessage(NoBookmarksToSaveText());
        return false;
    }
    const QByteArray bytes = EncodeBookmarks(bookmarks.Items());
    platform::AtomicFileWriter writer;
    if (!writer.Open(path) || !writer.Write(bytes.constData(), bytes.size()) || !writer.Commit()) {
        platform::ReportFileError(writer.Error(), path);
        return false;
    }
    bookmarks.SetPath(path);
    bookmarks.SetChanged(false);
    return true;
}

bool LoadBookmarkFile(CBookmarkCollection& bookmarks, const QString& path)
{
    platform::FileReader reader;
    if (!reader.Open(path)) {
        platform::ReportFileError(reader.Error(), path);
        return false;
    }
    CFileBookmarkSource source(reader);
    BookmarkReadResult read = ReadBookmarks(source);
    switch (read.status) {
    case BookmarkReadStatus::Ok:
        bookmarks.Assign(std::move(read.bookmarks), path);
        return true;
    case BookmarkReadStatus::BadMagic:
    case BookmarkReadStatus::Corrupt:
    case BookmarkReadStatus::ShortRead:
        platform::ShowMessage(BookmarkFileCorruptText(path));
        return false;
    case BookmarkReadStatus::BadVersion:
        platform::ShowMessage(BookmarkFileVersionText(path));
        return false;
    case BookmarkReadStatus::FileError:
        platform::ReportFileError(source.Error(), path);
        return false;
    }
    return false;
}
