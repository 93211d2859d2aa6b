#include "FileNames.h"

#include <QDir>
#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <dirent.h>
#include <sys/stat.h>

namespace platform {

namespace {
constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscapedByte(char16_t unit) { return unit >= 0xDC80 && unit <= 0xDCFF; }

// The length of the valid UTF-8 sequence at bytes[i], or 0 when it is not one
// (overlong forms, surrogates and values past U+10FFFF are not valid).
int ValidSequenceLength(const QByteArray& bytes, qsizetype i, char32_t* code)
{
    const auto at = [&](qsizetype k) { return uint8_t(bytes[k]); };
    const uint8_t lead = at(i);
    int length = 0;
    char32_t value = 0;
    char32_t lowest = 0;
    if (lead < 0x80) {
        *code = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, lowest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, lowest = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        const uint8_t next = at(i + k);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *code = value;
    return length;
}
} // namespace

QString DecodeFileName(const QByteArray& bytes)
{
    QString name;
    name.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t code = 0;
        const int length = ValidSequenceLength(bytes, i, &code);
        if (length == 0) {
            name.append(QChar(char16_t(kEscapeBase + uint8_t(bytes[i]))));
            ++i;
            continue;
        }
        const char32_t one[1] = {code};
        name.append(QString::fromUcs4(one, 1));
        i += length;
    }
    return name;
}

QByteArray EncodeFileName(const QString& name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype runStart = 0;
    const auto flush = [&](qsizetype end) {
        if (end > runStart)
            bytes += QStringView(name).mid(runStart, end - runStart).toUtf8();
    };
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        // A low surrogate that follows a high one is half of a real character.
        const bool paired = i > 0 && name[i - 1].isHighSurrogate();
        if (IsEscapedByte(unit) && !paired) {
            flush(i);
            bytes += char(unit - kEscapeBase);
            runStart = i + 1;
        }
    }
    flush(name.size());
    return bytes;
}

QString DisplayFileName(const QString& name)
{
    QString shown = name;
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (IsEscapedByte(shown[i].unicode()) && !(i > 0 && shown[i - 1].isHighSurrogate()))
            shown[i] = QChar::ReplacementCharacter;
    return shown;
}

bool FileNameExists(const QString& name)
{
    struct stat info {};
    return !name.isEmpty() && ::stat(EncodeFileName(name).constData(), &info) == 0;
}

namespace {
bool EntryExists(const QByteArray& path)
{
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0;
}

// The bytes of the entry of folder (ending in "/", or empty for the working
// directory) that is shown to the user as shown, or the shown name's own bytes.
QByteArray EntryShownAs(const QByteArray& folder, const QString& shown)
{
    const QByteArray asWritten = EncodeFileName(shown);
    if (!shown.contains(QChar::ReplacementCharacter) || EntryExists(folder + asWritten))
        return asWritten;
    DIR* listing = ::opendir(folder.isEmpty() ? "." : folder.constData());
    if (!listing)
        return asWritten;
    QByteArray found;
    int matches = 0;
    while (const dirent* entry = ::readdir(listing)) {
        if (DisplayFileName(DecodeFileName(entry->d_name)) == shown) {
            found = entry->d_name;
            ++matches;
        }
    }
    ::closedir(listing);
    return matches == 1 ? found : asWritten;
}
} // namespace

bool HasBytesOutsideUtf8(const QString& name) { return DisplayFileName(name) != name; }

QList<FolderEntry> ListFolderByBytes(const QString& folder, bool onlyNotUtf8)
{
    QByteArray path = EncodeFileName(folder);
    if (!path.endsWith('/'))
        path += '/';
    QList<QByteArray> folders;
    QList<QByteArray> files;
    if (DIR* listing = ::opendir(path.constData())) {
        while (const dirent* entry = ::readdir(listing)) {
            const QByteArray name(entry->d_name);
            struct stat info {};
            if (name.startsWith('.') || (onlyNotUtf8 && !HasBytesOutsideUtf8(DecodeFileName(name))) ||
                ::stat((path + name).constData(), &info) != 0)
                continue;
            (S_ISDIR(info.st_mode) ? folders : files).append(name);
        }
        ::closedir(listing);
    }
    std::sort(folders.begin(), folders.end());
    std::sort(files.begin(), files.end());
    QList<FolderEntry> entries;
    for (const QByteArray& name : folders)
        entries.append({DecodeFileName(path + name), true});
    for (const QByteArray& name : files)
        entries.append({DecodeFileName(path + name), false});
    return entries;
}

QString RecoverFileName(const QString& shownPath)
{
    if (!shownPath.contains(QChar::ReplacementCharacter) || FileNameExists(shownPath))
        return shownPath;
    QByteArray recovered;
    const QStringList parts = shownPath.split(QLatin1Char('/'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            recovered += '/';
        recovered += EntryShownAs(recovered, parts[i]);
    }
    return DecodeFileName(recovered);
}

QString FileNameOfUrl(const QUrl& url)
{
    if (!url.isLocalFile())
        return QString();
    // toLocalFile() reads the escaped bytes as UTF-8 and turns the bytes that
    // are not into U+FFFD; a file on another host keeps the toolkit's form.
    if (!url.host().isEmpty())
        return url.toLocalFile();
    return DecodeFileName(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

QString AbsoluteFileName(const QString& name)
{
    if (name.isEmpty() || QDir::isAbsolutePath(name))
        return name;
    return QDir::currentPath() + QLatin1Char('/') + name;
}

QUrl UrlOfFileName(const QString& name)
{
    if (!HasBytesOutsideUtf8(name))
        return QUrl::fromLocalFile(name);
    return QUrl::fromEncoded("file://" + EncodeFileName(name).toPercentEncoding("/"), QUrl::StrictMode);
}

QStringList DecodeArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << DecodeFileName(QByteArray(argv[i]));
    return arguments;
}

} // namespace platform
