#include "FileTypeList.h"

#include <QStringList>
#include <algorithm>

namespace {
const QString kAllFiles = QStringLiteral("All Files (*.*)|*.*||");

QString WithoutParenthesisedPart(QString description)
{
    const qsizetype open = description.lastIndexOf(u'(');
    if (open < 0)
        return description;
    return description.left(std::max<qsizetype>(0, open - 1));
}
} // namespace

std::vector<FileType> ParseFileTypes(const QString& fileFilters)
{
    const QStringList parts = fileFilters.split(u'|');
    std::vector<FileType> types;
    // Pairs until the empty description that the final "|" leaves.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        types.push_back({WithoutParenthesisedPart(parts[i]), parts[i + 1]});
    }
    return types;
}

QString FormatFileTypes(const std::vector<FileType>& types)
{
    if (types.empty())
        return kAllFiles;
    QString text;
    for (const FileType& type : types)
        text += QStringLiteral("%1 (%2)|%2|").arg(type.description, type.specs);
    return text + u'|';
}

FileTypeEntryError CheckFileTypeEntry(const QString& description, const QString& specs, FileType* cleaned)
{
    const QString trimmedDescription = description.trimmed();
    const QString trimmedSpecs = specs.trimmed();
    if (trimmedDescription.isEmpty() || trimmedSpecs.isEmpty())
        return FileTypeEntryError::Missing;
    if (description.contains(u'|') || specs.contains(u'|'))
        return FileTypeEntryError::IllegalCharacter;
    if (cleaned) {
        QString compact = trimmedSpecs;
        compact.removeIf([](QChar c) { return c.isSpace(); });
        *cleaned = {trimmedDescription, compact};
    }
    return FileTypeEntryError::None;
}

QString FileTypeEntryMessage(FileTypeEntryError error)
{
    switch (error) {
    case FileTypeEntryError::Missing:
        return QStringLiteral("You must enter a description and file specification. Please enter both items.");
    case FileTypeEntryError::IllegalCharacter:
        return QStringLiteral("Illegal characters.\n\nNeither the description or the file specifications can include "
                              "the \"|\" character. Please remove all occurrences of this character.");
    case FileTypeEntryError::None:
        break;
    }
    return QString();
}

QString FileTypeListText(const FileType& type) { return QStringLiteral("%1 (%2)").arg(type.description, type.specs); }
