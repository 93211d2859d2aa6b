#pragma once
// Command lines as a user writes them in a tool's argument field, split into
// words by the quoting rules of a POSIX shell, without ever running a shell:
// blanks separate words; 'single quotes' keep everything literally; "double
// quotes" keep blanks, and a backslash inside them escapes only \ " $ and `;
// outside quotes a backslash makes the next character literal.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// One word of a command line. `quoted` marks a word that had quotes (or an
// escape) in it, so that it stays an argument even when it comes out empty.
struct CommandWord {
    QString text;
    bool quoted = false;

    bool operator==(const CommandWord&) const = default;
};

// The words, or nothing when a quote is left open or the line ends in a
// lone backslash.
std::optional<std::vector<CommandWord>> SplitCommandWords(const QString& line);

// Quotes one argument so that SplitCommandWords gives it back unchanged.
QString QuoteCommandWord(const QString& argument);
// The arguments as one line that splits back into the same list.
QString JoinCommandWords(const QStringList& arguments);
