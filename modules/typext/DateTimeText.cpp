#include "DateTimeText.h"

#include <algorithm>

namespace typext {

namespace {

QString Padded(int64_t value, int width) { return QStringLiteral("%1").arg(value, width, 10, QChar(u'0')); }

QString DateText(const DateTimeFields& f, const LocaleConventions& c)
{
    const QString year = Padded(f.year, 4), month = QString::number(f.month), day = QString::number(f.day);
    const QString& s = c.dateSeparator;
    switch (c.dateOrder) {
    case MonthDayYear: return month + s + day + s + year;
    case DayMonthYear: return day + s + month + s + year;
    case YearMonthDay: return year + s + month + s + day;
    default: return QString();
    }
}

QString TimeText(const DateTimeFields& f, const LocaleConventions& c)
{
    int hour = f.hour;
    if (c.clock == TwelveHour)
        hour = hour % 12 == 0 ? 12 : hour % 12;
    const QString& s = c.timeSeparator;
    QString text = QString::number(hour) + s + Padded(f.minute, 2) + s + Padded(f.second, 2);
    if (f.millisecond != 0)
        text += s + Padded(f.millisecond, 3);
    if (c.clock == TwelveHour)
        text += f.hour < 12 ? QStringLiteral(" AM") : QStringLiteral(" PM");
    return text;
}

bool IsSpace(QChar c) { return c.isSpace(); }
bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// One group: up to four numbers joined by one repeated separator.
struct Group {
    int64_t numbers[4] = {};
    int count = 0;
    QStringView separator;
};

enum class GroupResult { Read, Broken };

class Scanner {
public:
    explicit Scanner(QStringView text) : text_(text) {}

    void SkipSpace()
    {
        while (pos_ < text_.size() && IsSpace(text_[pos_]))
            ++pos_;
    }
    bool AtDigit() const { return pos_ < text_.size() && IsDigit(text_[pos_]); }

    // A number of at most five digits; false for six or more.
    bool Number(int64_t& value)
    {
        value = 0;
        int digits = 0;
        for (; AtDigit(); ++pos_, ++digits) {
            if (digits == 5)
                return false;
            value = value * 10 + (text_[pos_].unicode() - u'0');
        }
        return digits > 0;
    }

    // The run of up to five characters that are neither space nor digit.
    QStringView Run()
    {
        const qsizetype start = pos_;
        while (pos_ < text_.size() && pos_ - start < 5 && !IsSpace(text_[pos_]) && !IsDigit(text_[pos_]))
            ++pos_;
        return text_.mid(start, pos_ - start);
    }

    // Consumes word when the text at the current position starts with it,
    // compared without regard to case.
    bool Word(QStringView word)
    {
        if (word.isEmpty() || text_.size() - pos_ < word.size())
            return false;
        if (text_.mid(pos_, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        pos_ += word.size();
        return true;
    }

    qsizetype Position() const { return pos_; }
    void Rewind(qsizetype pos) { pos_ = pos; }

private:
    QStringView text_;
    qsizetype pos_ = 0;
};

GroupResult ReadGroup(Scanner& scanner, Group& group)
{
    if (!scanner.Number(group.numbers[0]))
        return GroupResult::Broken;
    group.count = 1;
    for (;;) {
        const qsizetype beforeSeparator = scanner.Position();
        scanner.SkipSpace();
        const QStringView run = scanner.Run();
        if (run.isEmpty() || (group.count > 1 && run != group.separator)) {
            // Not this group's separator: the group ends before it.
            scanner.Rewind(beforeSeparator);
            return GroupResult::Read;
        }
        if (group.count == 1)
            group.separator = run;
        scanner.SkipSpace();
        if (group.count == 4 || !scanner.AtDigit())
            return GroupResult::Broken;
        if (!scanner.Number(group.numbers[group.count]))
            return GroupResult::Broken;
        ++group.count;
    }
}

// Returns +12, 0 (AM), -1 (neither) after a time group.
int ReadDayHalf(Scanner& scanner, const ReadOptions& options, const LocaleConventions& c)
{
    const qsizetype start = scanner.Position();
    scanner.SkipSpace();
    if (scanner.Word(u"AM") || (options.localeDayHalves && scanner.Word(c.amText)))
        return 0;
    if (scanner.Word(u"PM") || (options.localeDayHalves && scanner.Word(c.pmText)))
        return 12;
    scanner.Rewind(start);
    return -1;
}

bool TakeTime(const Group& g, int dayHalf, DateTimeFields& f)
{
    if (g.count < 2)
        return false;
    int64_t hour = g.numbers[0];
    if (dayHalf == 0 && hour == 12)
        hour = 0;
    else if (dayHalf == 12 && hour != 12)
        hour += 12;
    const int64_t second = g.count > 2 ? g.numbers[2] : 0;
    const int64_t millisecond = g.count > 3 ? g.numbers[3] : 0;
    if (hour > 23 || g.numbers[1] >= 60 || second >= 60 || millisecond >= 1000)
        return false;
    f.hour = int(hour);
    f.minute = int(g.numbers[1]);
    f.second = int(second);
    f.millisecond = int(millisecond);
    return true;
}

bool TakeDate(const Group& g, int dateOrder, DateTimeFields& f)
{
    if (g.count < 3)
        return false;
    int64_t year, month, day;
    switch (dateOrder) {
    case MonthDayYear: month = g.numbers[0], day = g.numbers[1], year = g.numbers[2]; break;
    case DayMonthYear: day = g.numbers[0], month = g.numbers[1], year = g.numbers[2]; break;
    case YearMonthDay: year = g.numbers[0], month = g.numbers[1], day = g.numbers[2]; break;
    default: return false;
    }
    // Two-digit years fall in a window reaching 60 years ahead of 2000.
    if (year < 100)
        year += year <= 60 ? 2000 : 1900;
    if (month > 12 || day > 31 || !IsValidDate(year, int(month), int(day)))
        return false;
    f.year = year;
    f.month = int(month);
    f.day = int(day);
    return true;
}

} // namespace

QString InvalidText() { return QStringLiteral("<Invalid>"); }

QString WriteDateTime(const DateTimeFields& f, int wantedParts, const LocaleConventions& c)
{
    QString text;
    const bool dateValid = IsValidDate(f.year, f.month, f.day);
    if ((wantedParts & DatePart) && dateValid)
        text = DateText(f, c);
    if ((wantedParts & TimePart) && IsValidTime(f.hour, f.minute, f.second, f.millisecond)) {
        if ((wantedParts & DatePart) && dateValid)
            text += u' ';
        text += TimeText(f, c);
    }
    return text.isEmpty() ? InvalidText() : text;
}

bool ReadDateTime(QStringView text, const ReadOptions& options, const LocaleConventions& c, DateTimeFields& f,
                  int& foundParts)
{
    f = DateTimeFields();
    foundParts = 0;
    Scanner scanner(text);
    for (;;) {
        scanner.SkipSpace();
        if (!scanner.AtDigit())
            return foundParts != 0;
        Group group;
        if (ReadGroup(scanner, group) == GroupResult::Broken || group.count < 2)
            return false;
        int part;
        bool taken;
        // Separators are compared without the white space a locale may put
        // around them, because white space never belongs to a run.
        const QStringView separator = group.separator;
        const bool isTimeSeparator = separator == QStringView(c.timeSeparator).trimmed();
        const bool isDateSeparator =
            separator == QStringView(c.dateSeparator).trimmed() || separator == u"/" || separator == u"-";
        // Where a locale writes dates and times with the same separator (fi_FI
        // uses "." for both), a group that could be either is first tried as
        // the date while the type still wants one, then as a time; otherwise
        // no date could ever be read back in such a locale.
        const bool tryDateFirst = isTimeSeparator && isDateSeparator && (options.allowedParts & DatePart) &&
                                  !(foundParts & DatePart) && group.count >= 3;
        const DateTimeFields before = f;
        if (tryDateFirst && TakeDate(group, c.dateOrder, f)) {
            part = DatePart;
            taken = true;
        } else if (isTimeSeparator) {
            f = before;
            part = TimePart;
            taken = TakeTime(group, ReadDayHalf(scanner, options, c), f);
        } else if (isDateSeparator) {
            part = DatePart;
            taken = TakeDate(group, c.dateOrder, f);
        } else {
            return false;
        }
        if (!taken || (foundParts & part) || !(options.allowedParts & part))
            return false;
        foundParts |= part;
    }
}

void CopyToBuffer(const QString& text, char16_t* buffer, int capacity)
{
    if (!buffer || capacity <= 0)
        return;
    const qsizetype length = std::min<qsizetype>(text.size(), capacity - 1);
    std::copy_n(reinterpret_cast<const char16_t*>(text.utf16()), length, buffer);
    buffer[length] = u'\0';
}

QStringView ViewOf(const char16_t* text)
{
    if (!text)
        return QStringView();
    qsizetype length = 0;
    while (text[length])
        ++length;
    return QStringView(text, length);
}

} // namespace typext
