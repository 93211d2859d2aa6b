#pragma once
// File names as the kernel sees them: byte strings, usually but not always
// UTF-8. Qt turns invalid bytes into U+FFFD, after which the file cannot be
// found again. Here each byte that is not part of valid UTF-8 is kept as the
// lone surrogate U+DC80 to U+DCFF, so every name survives the trip through a
// QString (and through the forwarding block) unchanged.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace platform {

QString DecodeFileName(const QByteArray& bytes);
QByteArray EncodeFileName(const QString& name);
// For showing to the user: kept bytes appear as replacement characters.
QString DisplayFileName(const QString& name);
// Whether something exists under the name (looked up by its bytes).
bool FileNameExists(const QString& name);
// Whether the name holds bytes that are not UTF-8.
bool HasBytesOutsideUtf8(const QString& name);
struct FolderEntry {
    QString path;  // the exact name, folder included
    bool isFolder = false;
};
// The entries of folder by their exact names, hidden names left out:
// folders first, then files, each sorted by their bytes. The toolkit's own
// listing leaves out every entry whose name is not UTF-8 (and cannot list a
// folder whose path is not), so its file dialogs cannot show them; with
// onlyNotUtf8, only the entries it leaves out.
QList<FolderEntry> ListFolderByBytes(const QString& folder, bool onlyNotUtf8);
// A path as the user sees it (DisplayFileName: U+FFFD in place of each byte
// that is not UTF-8), which no longer leads to the file. Each such part of
// the path is looked up in its folder by bytes; when exactly one entry shows
// under that name, the result carries the entry's real bytes. A path that
// leads somewhere as it is, or whose parts match no entry or several, comes
// back unchanged.
QString RecoverFileName(const QString& shownPath);
// The local file a URL names (files dropped from a file manager), with the
// exact bytes of its name; empty for a URL that is not a local file.
QString FileNameOfUrl(const QUrl& url);
// The name made absolute against the working directory. The toolkit's own
// (QFileInfo::absoluteFilePath) turns each byte of a relative name that is
// not UTF-8 into U+FFFD, which names another file.
QString AbsoluteFileName(const QString& name);
// The URL of a local file (an absolute path), with each byte of its name that is not UTF-8
// escaped as %XX, so that FileNameOfUrl gives the exact name back.
QUrl UrlOfFileName(const QString& name);
// The process's arguments decoded the same way (program name first).
QStringList DecodeArguments(int argc, char** argv);

} // namespace platform
