#pragma once
// The traditional Chinese (lunar) calendar: a Gregorian date turned into its
// lunar year, month, day and leap-month flag, and the Chinese names that the
// main window shows for them (year name 庚寅, zodiac 虎, month 冬月, day 初五).
//
// The conversion runs on a table of the lunar years 1900 to 2099 (first day,
// leap month, long and short months), so it covers the Gregorian dates from
// lunarCalendarFirstDate() to lunarCalendarLastDate().
#include <QDate>
#include <QString>

namespace moquan {

struct LunarDate {
    int year = 0;      // the Gregorian year in which this lunar year begins
    int month = 0;     // 1 to 12
    int day = 0;       // 1 to 30
    bool leap = false; // a leap month, which repeats the number of the month before it

    bool isValid() const { return month != 0; }
    bool operator==(const LunarDate &) const = default;
};

// The first and last Gregorian day that the conversion knows
// (1901-01-01 and 2100-02-08, the last day of lunar year 2099).
QDate lunarCalendarFirstDate();
QDate lunarCalendarLastDate();

// The lunar date of a Gregorian date; an invalid LunarDate (isValid() false)
// for an invalid date or one outside the range above.
LunarDate lunarDate(const QDate &date);
LunarDate lunarDate(int year, int month, int day);

// The Gregorian date of a lunar date; an invalid QDate when that lunar date
// does not exist (no such leap month, day 30 of a short month, out of range).
QDate gregorianDate(const LunarDate &lunar);

// Names. Each gives the empty text for a value out of its range.
// Stem and branch of a lunar year: 1984 -> "甲子", 2010 -> "庚寅".
QString lunarYearName(int lunarYear);
// Zodiac animal of a lunar year: 1984 -> "鼠", 2010 -> "虎".
QString lunarZodiac(int lunarYear);
// "正月" ... "十月", "冬月", "腊月"; "闰" in front of a leap month ("闰四月").
QString lunarMonthName(int month, bool leap = false);
// "初一" ... "初十", "十一" ... "十九", "二十", "廿一" ... "廿九", "三十".
QString lunarDayName(int day);

// The short text of a day in a lunar calendar grid: the month name on the first
// day of a lunar month, the day name on the other days; empty out of range.
QString lunarCellText(const QDate &date);

} // namespace moquan
