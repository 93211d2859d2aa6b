#pragma once
// A named range of offsets; end equals start for a bookmark without a range.
#include <QString>
#include <cstdint>

struct Bookmark {
    QString name;
    int64_t start = 0;
    int64_t end = 0;  // exclusive

    int64_t Length() const { return end - start; }
    bool operator==(const Bookmark&) const = default;
};
