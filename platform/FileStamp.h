#pragma once
// What a file looked like on disk: its identity (device and inode) and the
// size and modification time. Two stamps that differ mean that another
// program replaced or rewrote the file in between.
#include <QString>
#include <cstdint>

namespace platform {

struct FileStamp {
    bool exists = false;
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file the path leads to (symbolic links followed); one
// that does not exist gives a stamp with exists false.
FileStamp StampOf(const QString& path);
// The stamp of an open file, whatever its name leads to now.
FileStamp StampOfOpenFile(int descriptor);

} // namespace platform
