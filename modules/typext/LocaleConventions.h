#pragma once
// The user's date and time conventions, read from the default locale on
// every call so that a change of locale shows at once.
#include <QLocale>
#include <QString>

namespace typext {

enum DateOrder { MonthDayYear = 0, DayMonthYear = 1, YearMonthDay = 2 };
enum ClockKind { TwelveHour = 0, TwentyFourHour = 1 };

struct LocaleConventions {
    QString dateSeparator = QStringLiteral("/"); // at most 4 characters
    int dateOrder = MonthDayYear;
    QString timeSeparator = QStringLiteral(":"); // at most 4 characters
    int clock = TwelveHour;
    // The locale's own names for the halves of the day; only the Variant
    // Date reader accepts them besides AM and PM.
    QString amText;
    QString pmText;
};

// Items the locale does not give keep the defaults above.
LocaleConventions ConventionsOf(const QLocale& locale);
inline LocaleConventions CurrentConventions() { return ConventionsOf(QLocale()); }

// A locale format pattern split into its fields and the literal text
// between them; quoted text counts as literal.
struct FormatToken {
    QChar field; // the pattern letter, or a null QChar for literal text
    QString text;
};
QList<FormatToken> TokenizeFormat(const QString& pattern);

} // namespace typext
