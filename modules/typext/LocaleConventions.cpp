#include "LocaleConventions.h"

#include <algorithm>

namespace typext {

namespace {

bool IsPatternLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// The literal text right after the first token holding one of the given
// fields, when another field follows it.
QString SeparatorAfter(const QList<FormatToken>& tokens, QStringView fields)
{
    for (qsizetype i = 0; i + 2 < tokens.size(); ++i) {
        if (tokens[i].field.isNull() || !fields.contains(tokens[i].field))
            continue;
        if (tokens[i + 1].field.isNull() && !tokens[i + 2].field.isNull())
            return tokens[i + 1].text;
        return QString();
    }
    return QString();
}

int DateOrderOf(const QList<FormatToken>& tokens, int fallback)
{
    for (const FormatToken& token : tokens) {
        if (token.field == u'M' || token.field == u'L')
            return MonthDayYear;
        if (token.field == u'd')
            return DayMonthYear;
        if (token.field == u'y')
            return YearMonthDay;
    }
    return fallback;
}

bool HasDayHalf(const QList<FormatToken>& tokens)
{
    for (const FormatToken& token : tokens)
        if (token.field == u'a' || token.field == u'A')
            return true;
    return false;
}

} // namespace

QList<FormatToken> TokenizeFormat(const QString& pattern)
{
    QList<FormatToken> tokens;
    auto appendLiteral = [&tokens](QChar c) {
        if (tokens.isEmpty() || !tokens.back().field.isNull())
            tokens.append({QChar(), QString()});
        tokens.back().text.append(c);
    };
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == u'\'') {
            // Quoted literal; two quotes stand for one.
            qsizetype j = i + 1;
            if (j < pattern.size() && pattern[j] == u'\'') {
                appendLiteral(c);
                i = j + 1;
                continue;
            }
            for (; j < pattern.size(); ++j) {
                if (pattern[j] == u'\'') {
                    if (j + 1 < pattern.size() && pattern[j + 1] == u'\'') {
                        appendLiteral(u'\'');
                        ++j;
                        continue;
                    }
                    break;
                }
                appendLiteral(pattern[j]);
            }
            i = j + 1;
        } else if (IsPatternLetter(c)) {
            qsizetype j = i;
            while (j < pattern.size() && pattern[j] == c)
                ++j;
            tokens.append({c, pattern.mid(i, j - i)});
            i = j;
        } else {
            appendLiteral(c);
            ++i;
        }
    }
    return tokens;
}

// A separator the reader can find again: white space never separates
// numbers there (the C locale's short date "d MMM yyyy" would give a blank),
// so such a locale keeps the default separator.
static bool IsUsableSeparator(const QString& separator) { return !separator.trimmed().isEmpty(); }

LocaleConventions ConventionsOf(const QLocale& locale)
{
    LocaleConventions conventions;
    const QList<FormatToken> date = TokenizeFormat(locale.dateFormat(QLocale::ShortFormat));
    const QString dateSeparator = SeparatorAfter(date, u"dMLy");
    if (IsUsableSeparator(dateSeparator))
        conventions.dateSeparator = dateSeparator.left(4);
    conventions.dateOrder = DateOrderOf(date, MonthDayYear);

    const QList<FormatToken> time = TokenizeFormat(locale.timeFormat(QLocale::ShortFormat));
    const QString timeSeparator = SeparatorAfter(time, u"hH");
    if (IsUsableSeparator(timeSeparator))
        conventions.timeSeparator = timeSeparator.left(4);
    const bool hasHour = std::any_of(time.begin(), time.end(),
                                     [](const FormatToken& t) { return t.field == u'h' || t.field == u'H'; });
    if (hasHour)
        conventions.clock = HasDayHalf(time) ? TwelveHour : TwentyFourHour;
    conventions.amText = locale.amText();
    conventions.pmText = locale.pmText();
    return conventions;
}

} // namespace typext
