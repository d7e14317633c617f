#pragma once
// The two calendar texts of the main window: the festival line (节日), set once
// when the window is created, and the two-line clock (显示时间), rebuilt every
// second.
#include <QDate>
#include <QDateTime>
#include <QString>

namespace moquan {

// The festivals and memorial days of a day: the Gregorian table (the last
// matching row wins), then the weekday rules (母亲节, 父亲节, 感恩节), each
// replacing the text so far; then the lunar festival of the lunar month and
// day, appended (lunar New Year appends " 春节" with its blank). A leap month
// holds no lunar festival: its days repeat the numbers of the month before it.
// Empty for an ordinary day.
QString festivalText(int lunarMonth, int lunarDay, bool lunarLeap, int year, int month, int day);
// The same for a Gregorian date, with its lunar month and day from the lunar
// calendar (no lunar festival outside the calendar's range).
QString festivalText(const QDate &date);

// "星期日", "星期一" ... "星期六" for QDate::dayOfWeek() 7, 1 ... 6; empty otherwise.
QString weekdayName(int dayOfWeek);

// The clock: year name + "年(" + zodiac + ")" + month name + day name, "\r\n",
// then now's date as "%d年%d月%d日", "★", weekday, "★", and the time as
// hour:minute:second without leading zeros (9:5:3). The lunar part is that of
// calendarDay (the day shown in the calendar box); it is empty when that day
// lies outside the lunar calendar's range.
QString clockText(const QDate &calendarDay, const QDateTime &now);
// The same for the current time.
QString clockText(const QDate &calendarDay);

} // namespace moquan
