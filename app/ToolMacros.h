#pragma once
// The macros of a user tool's initial directory and arguments, such as
// "{@CurFilePath}", and what they stand for.
#include <QByteArray>
#include <QString>

// What the macros refer to: the active document, its view's selection and
// the program's working directory.
struct MacroContext {
    bool hasDocument = false;
    QString path;   // the document's full path, empty while it is untitled
    QString title;  // its name as shown
    QByteArray selection;
    QString activeDir;
};

// The selected bytes as text: the bytes up to the first zero byte (as a C
// string would end), decoded as UTF-8 with each invalid sequence as U+FFFD.
QString SelectedTextFromBytes(const QByteArray& bytes);
// "archive.tar.gz" gives "tar.gz": everything after the first dot.
QString TitleExtension(const QString& title);
// The path up to, not including, its last "/" (empty without one).
QString PathDirectory(const QString& path);

// Replaces every macro in one pass, left to right, case-sensitively. The
// replacement texts are never scanned again, so a file name that itself
// reads "{@ActiveDir}" stays as it is.
QString ExpandMacros(const QString& text, const MacroContext& context);
// Whether the text names a macro at all.
bool ContainsMacro(const QString& text);
