#include "CommandWords.h"

#include <algorithm>
#include <utility>

namespace {

bool IsBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// Characters a backslash escapes inside double quotes.
bool EscapableInDoubleQuotes(QChar c) { return c == u'\\' || c == u'"' || c == u'$' || c == u'`'; }

} // namespace

std::optional<std::vector<CommandWord>> SplitCommandWords(const QString& line)
{
    std::vector<CommandWord> words;
    CommandWord word;
    bool inWord = false;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = line[i];
        if (IsBlank(c)) {
            if (inWord)
                words.push_back(std::exchange(word, CommandWord{}));
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == u'\'') {
            word.quoted = true;
            const qsizetype close = line.indexOf(u'\'', i + 1);
            if (close < 0)
                return std::nullopt;
            word.text += line.mid(i + 1, close - i - 1);
            i = close;
        } else if (c == u'"') {
            word.quoted = true;
            qsizetype j = i + 1;
            for (; j < n && line[j] != u'"'; ++j) {
                if (line[j] == u'\\' && j + 1 < n && EscapableInDoubleQuotes(line[j + 1]))
                    ++j;
                word.text += line[j];
            }
            if (j >= n)
                return std::nullopt;
            i = j;
        } else if (c == u'\\') {
            if (i + 1 >= n)
                return std::nullopt;
            word.quoted = true;
            word.text += line[++i];
        } else {
            word.text += c;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

QString QuoteCommandWord(const QString& argument)
{
    static const QString kPlain = QStringLiteral("+-./:=@_%,");
    const bool plain = !argument.isEmpty() && std::all_of(argument.begin(), argument.end(), [](QChar c) {
        return (c.unicode() < 128 && c.isLetterOrNumber()) || kPlain.contains(c) || c.unicode() >= 128;
    });
    if (plain)
        return argument;
    QString quoted = argument;
    quoted.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + quoted + u'\'';
}

QString JoinCommandWords(const QStringList& arguments)
{
    QStringList quoted;
    quoted.reserve(arguments.size());
    for (const QString& argument : arguments)
        quoted << QuoteCommandWord(argument);
    return quoted.join(u' ');
}
