#include "FileProperties.h"

#include "core/BinEditDoc.h"
#include "platform/FileNames.h"

QString GroupDigits(int64_t value)
{
    const bool negative = value < 0;
    QString digits = QString::number(value).remove(QLatin1Char('-'));
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return negative ? QLatin1Char('-') + digits : digits;
}

FileProperties FilePropertiesOf(const CBinEditDoc& document)
{
    FileProperties properties;
    const QString& path = document.PathName();
    properties.name = path.isEmpty() ? QStringLiteral("<Untitled>") : platform::DisplayFileName(document.Title());
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    properties.location = slash < 0 ? QString() : platform::DisplayFileName(path.left(slash));
    properties.size = GroupDigits(document.Size());
    properties.originalSize = GroupDigits(document.OriginalSize());
    properties.modified = document.IsModified() ? QStringLiteral("Yes") : QStringLiteral("No");
    properties.readOnly = document.IsReadOnly();
    return properties;
}
