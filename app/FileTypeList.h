#pragma once
// The Open dialog's file types as the Options dialog edits them: pairs of a
// description and its file specifications, kept in the settings as
// "Text Files (*.txt)|*.txt|...|" with one more "|" at the end.
#include <QString>
#include <optional>
#include <vector>

struct FileType {
    QString description;  // without the "(specs)" the stored form adds
    QString specs;

    bool operator==(const FileType&) const = default;
};

// Cuts the stored list at "|" into pairs; a description's last parenthesised
// part and the character before it are removed.
std::vector<FileType> ParseFileTypes(const QString& fileFilters);
// "%1 (%2)|%2|" per entry and a final "|"; an empty list gives the filter
// for all files.
QString FormatFileTypes(const std::vector<FileType>& types);

enum class FileTypeEntryError { None, Missing, IllegalCharacter };
// Checks an entry as typed; on success returns it cleaned: the description
// trimmed, every blank removed from the specifications.
FileTypeEntryError CheckFileTypeEntry(const QString& description, const QString& specs, FileType* cleaned);
QString FileTypeEntryMessage(FileTypeEntryError error);

// How the list shows an entry: "Text Files (*.txt;*.log)".
QString FileTypeListText(const FileType& type);
