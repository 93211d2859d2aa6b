#pragma once
// What the File Properties sheet shows for a document.
#include <QString>
#include <cstdint>

class CBinEditDoc;

struct FileProperties {
    QString name;          // the title, or "<Untitled>" without a path
    QString location;      // the path up to, not including, its last "/"
    QString size;          // current size, digits grouped by commas
    QString originalSize;  // size at load time
    QString modified;      // "Yes" or "No"
    bool readOnly = false;

    bool operator==(const FileProperties&) const = default;
};

FileProperties FilePropertiesOf(const CBinEditDoc& document);

// 2147483647 -> "2,147,483,647"; the grouping never follows the locale.
QString GroupDigits(int64_t value);
