#pragma once
// Dates are stored as text.  A DateText is year-MM-DD (2011-03-05), which sorts
// in date order; DateAddDays works in 30-day months and gives unpadded text
// (2011-3-5) that may name a day that does not exist.
#include <QDate>
#include <QString>

namespace moquan {

// Reads year, month and day from the date forms the program writes: separated
// by "-", "/", "." or ":", or written with 年, 月 and 日 (optionally followed by
// a time with 时, 分, 秒).  False when the text is no such form or the day does
// not exist.
bool parseDateText(const QString &text, int *year, int *month, int *day);
// The DateText of a date text; an invalid date gives 100-01-01.
QString ToDateText(const QString &text);
// Whether the text is a real date in one of the accepted forms.
bool isValidDateText(const QString &text);
// Date text plus a day count (given as text, read as atoi does), 30-day months.
QString DateAddDays(const QString &date, const QString &days);
QString DateAddDays(const QString &date, int days);
// The real date an unpadded year-month-day text means when its day or month
// runs past the calendar: 2011-2-30 is 2011-03-02, 2011-3--5 is 2011-02-23.
// Always a DateText; an unreadable text gives 100-01-01.
QString carriedDateText(const QString &unpadded);
// The DateText of a QDate and of today.
QString dateText(const QDate &date);
QString todayDateText();
// Reads a leading integer as C's atoi: blanks skipped, optional sign, digits
// up to the first other character; no digits gives 0.
long long leadingInteger(const QString &text);

} // namespace moquan
