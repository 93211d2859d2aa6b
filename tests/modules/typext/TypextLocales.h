#pragma once
// The locales the date and time types are tested in, with the texts each
// must produce: one month-day-year locale with a 12-hour clock and two
// day-month-year locales with a 24-hour clock (separators "." and "/").
#include "TypextHarness.h"

#include <gtest/gtest.h>
#include <ostream>

struct LocaleCase {
    const char* locale;
    // Written texts.
    const char* dosDate1980;    // 1 January 1980
    const char* dosDate2107;    // 31 December 2107
    const char* fiveAfterMidnight;
    const char* afternoon;      // 13:45:30
    const char* noon;
    const char* systemTimeMs;   // 4 March 2021 5:06:07.250
    const char* fileTimeZero;   // 1 January 1601 0:00:00
    const char* fileTime2000;   // 1 January 2000 0:00:00
    const char* fileTime2000Ms; // 1 January 2000 0:00:00.250
    // Date texts in the locale's order.
    const char* leapDay2000;
    const char* leapDay2001;
    const char* firstOfFeb05;   // 1 February of year "05"
    const char* firstOfFeb75;
    const char* foreignSeparator; // a date with a separator the locale does not read
    // Variant Date texts.
    const char* oleZero;
    const char* oleOne;
    const char* oleNoon2000;
    const char* oleBefore1899;  // 29 December 1899 6:00
    const char* oleFirstDay;    // 1 January 100
    const char* oleLastEvening; // 31 December 9999 18:00
};

inline std::ostream& operator<<(std::ostream& out, const LocaleCase& c) { return out << c.locale; }

inline const LocaleCase kLocaleCases[] = {
    {"en_US", "1/1/1980", "12/31/2107", "12:05:00 AM", "1:45:30 PM", "12:00:00 PM", "3/4/2021 5:06:07:250 AM",
     "1/1/1601 12:00:00 AM", "1/1/2000 12:00:00 AM",
     "1/1/2000 12:00:00:250 AM", "2/29/2000", "2/29/2001", "2/1/05", "2/1/75", "2.1.2005",
     "12:00:00 AM", "12/31/1899", "1/1/2000 12:00:00 PM", "12/29/1899 6:00:00 AM", "1/1/0100",
     "12/31/9999 6:00:00 PM"},
    {"de_DE", "1.1.1980", "31.12.2107", "0:05:00", "13:45:30", "12:00:00", "4.3.2021 5:06:07:250",
     "1.1.1601 0:00:00", "1.1.2000 0:00:00",
     "1.1.2000 0:00:00:250", "29.2.2000", "29.2.2001", "1.2.05", "1.2.75", "1,2,2005",
     "00:00:00", "31.12.1899", "01.01.2000 12:00:00", "29.12.1899 06:00:00", "01.01.0100",
     "31.12.9999 18:00:00"},
    {"en_GB", "1/1/1980", "31/12/2107", "0:05:00", "13:45:30", "12:00:00", "4/3/2021 5:06:07:250",
     "1/1/1601 0:00:00", "1/1/2000 0:00:00",
     "1/1/2000 0:00:00:250", "29/2/2000", "29/2/2001", "1/2/05", "1/2/75", "1.2.2005",
     "00:00:00", "31/12/1899", "01/01/2000 12:00:00", "29/12/1899 06:00:00", "01/01/0100",
     "31/12/9999 18:00:00"},
};

// Runs each test with its locale set as the default.
class TypextLocaleTest : public testing::TestWithParam<LocaleCase> {
protected:
    void SetUp() override { guard_ = std::make_unique<LocaleGuard>(QString::fromLatin1(GetParam().locale)); }
    void TearDown() override { guard_.reset(); }

    static const TypeRecord& Type(const char* name) { return TypextModule::Get().Type(QString::fromLatin1(name)); }

private:
    std::unique_ptr<LocaleGuard> guard_;
};

inline std::string LocaleName(const testing::TestParamInfo<LocaleCase>& info) { return info.param.locale; }
