#include "dashboard/LunarCalendar.h"

#include <array>

namespace moquan {

namespace {

// One lunar year: the Gregorian month and day of its first day (in the
// Gregorian year of the same number), its leap month (0 for none; the leap
// month follows the month of that number), and its long months: bit i set
// means that the i-th month of the year, counted in order from 0 with the leap
// month in its place, has 30 days instead of 29.
struct LunarYear {
    unsigned char newYearMonth;
    unsigned char newYearDay;
    unsigned char leapMonth;
    unsigned short longMonths;
};

constexpr int kFirstYear = 1900;

// Lunar years 1900 to 2099 (of 1900 only its last two months are reached). A
// month begins on the day of its new moon in China (Beijing time; before 1929
// Beijing local mean time), as in the published tables, which also keep two
// starts that the computation alone does not give: 1906-04-24, the day after a
// new moon at 23:52, as the calendar of that year had it, and 2057-09-29, where
// the new moon falls within seconds of midnight.
// Built from the day-by-day output of liblunar-date 3.0.1 and checked against
// the computed new moons; the library misplaces five month starts that this
// table has on the day of the new moon: 1933-07-23 (sixth month), 1954-11-25
// and 1956-12-02 (eleventh), 1978-09-03 (eighth) and 2060-04-30 (fourth).
constexpr LunarYear kYears[] = {
    {1, 31,  8, 0x16d2}, // 1900
    {2, 19,  0, 0x0752}, // 1901
    {2,  8,  0, 0x0ea5}, // 1902
    {1, 29,  5, 0x164a}, // 1903
    {2, 16,  0, 0x064b}, // 1904
    {2,  4,  0, 0x0a9b}, // 1905
    {1, 25,  4, 0x1556}, // 1906
    {2, 13,  0, 0x056a}, // 1907
    {2,  2,  0, 0x0b59}, // 1908
    {1, 22,  2, 0x1752}, // 1909
    {2, 10,  0, 0x0752}, // 1910
    {1, 30,  6, 0x1b25}, // 1911
    {2, 18,  0, 0x0b25}, // 1912
    {2,  6,  0, 0x0a4b}, // 1913
    {1, 26,  5, 0x14ab}, // 1914
    {2, 14,  0, 0x02ad}, // 1915
    {2,  3,  0, 0x056b}, // 1916
    {1, 23,  2, 0x0b69}, // 1917
    {2, 11,  0, 0x0da9}, // 1918
    {2,  1,  7, 0x1d92}, // 1919
    {2, 20,  0, 0x0e92}, // 1920
    {2,  8,  0, 0x0d25}, // 1921
    {1, 28,  5, 0x1a4d}, // 1922
    {2, 16,  0, 0x0a56}, // 1923
    {2,  5,  0, 0x02b6}, // 1924
    {1, 24,  4, 0x15b5}, // 1925
    {2, 13,  0, 0x06d4}, // 1926
    {2,  2,  0, 0x0ea9}, // 1927
    {1, 23,  2, 0x1e92}, // 1928
    {2, 10,  0, 0x0e92}, // 1929
    {1, 30,  6, 0x0d26}, // 1930
    {2, 17,  0, 0x052b}, // 1931
    {2,  6,  0, 0x0a57}, // 1932
    {1, 26,  5, 0x12b6}, // 1933
    {2, 14,  0, 0x0b5a}, // 1934
    {2,  4,  0, 0x06d4}, // 1935
    {1, 24,  3, 0x0ec9}, // 1936
    {2, 11,  0, 0x0749}, // 1937
    {1, 31,  7, 0x1693}, // 1938
    {2, 19,  0, 0x0a93}, // 1939
    {2,  8,  0, 0x052b}, // 1940
    {1, 27,  6, 0x0a5b}, // 1941
    {2, 15,  0, 0x0aad}, // 1942
    {2,  5,  0, 0x056a}, // 1943
    {1, 25,  4, 0x1b55}, // 1944
    {2, 13,  0, 0x0ba4}, // 1945
    {2,  2,  0, 0x0b49}, // 1946
    {1, 22,  2, 0x1a93}, // 1947
    {2, 10,  0, 0x0a95}, // 1948
    {1, 29,  7, 0x152d}, // 1949
    {2, 17,  0, 0x0536}, // 1950
    {2,  6,  0, 0x0aad}, // 1951
    {1, 27,  5, 0x15aa}, // 1952
    {2, 14,  0, 0x05b2}, // 1953
    {2,  3,  0, 0x0da5}, // 1954
    {1, 24,  3, 0x1d4a}, // 1955
    {2, 12,  0, 0x0d4a}, // 1956
    {1, 31,  8, 0x0a95}, // 1957
    {2, 18,  0, 0x0a97}, // 1958
    {2,  8,  0, 0x0556}, // 1959
    {1, 28,  6, 0x0ab5}, // 1960
    {2, 15,  0, 0x0ad5}, // 1961
    {2,  5,  0, 0x06d2}, // 1962
    {1, 25,  4, 0x0ea5}, // 1963
    {2, 13,  0, 0x0ea5}, // 1964
    {2,  2,  0, 0x064a}, // 1965
    {1, 21,  3, 0x0c97}, // 1966
    {2,  9,  0, 0x0a9b}, // 1967
    {1, 30,  7, 0x155a}, // 1968
    {2, 17,  0, 0x056a}, // 1969
    {2,  6,  0, 0x0b69}, // 1970
    {1, 27,  5, 0x1752}, // 1971
    {2, 15,  0, 0x0b52}, // 1972
    {2,  3,  0, 0x0b25}, // 1973
    {1, 23,  4, 0x164b}, // 1974
    {2, 11,  0, 0x0a4b}, // 1975
    {1, 31,  8, 0x14ab}, // 1976
    {2, 18,  0, 0x02ad}, // 1977
    {2,  7,  0, 0x056d}, // 1978
    {1, 28,  6, 0x0b69}, // 1979
    {2, 16,  0, 0x0da9}, // 1980
    {2,  5,  0, 0x0d92}, // 1981
    {1, 25,  4, 0x1d25}, // 1982
    {2, 13,  0, 0x0d25}, // 1983
    {2,  2, 10, 0x1a4d}, // 1984
    {2, 20,  0, 0x0a56}, // 1985
    {2,  9,  0, 0x02b6}, // 1986
    {1, 29,  6, 0x05b5}, // 1987
    {2, 17,  0, 0x06d5}, // 1988
    {2,  6,  0, 0x0ea9}, // 1989
    {1, 27,  5, 0x1e92}, // 1990
    {2, 15,  0, 0x0e92}, // 1991
    {2,  4,  0, 0x0d26}, // 1992
    {1, 23,  3, 0x0a56}, // 1993
    {2, 10,  0, 0x0a57}, // 1994
    {1, 31,  8, 0x14d6}, // 1995
    {2, 19,  0, 0x035a}, // 1996
    {2,  7,  0, 0x06d5}, // 1997
    {1, 28,  5, 0x16c9}, // 1998
    {2, 16,  0, 0x0749}, // 1999
    {2,  5,  0, 0x0693}, // 2000
    {1, 24,  4, 0x152b}, // 2001
    {2, 12,  0, 0x052b}, // 2002
    {2,  1,  0, 0x0a5b}, // 2003
    {1, 22,  2, 0x155a}, // 2004
    {2,  9,  0, 0x056a}, // 2005
    {1, 29,  7, 0x1b55}, // 2006
    {2, 18,  0, 0x0ba4}, // 2007
    {2,  7,  0, 0x0b49}, // 2008
    {1, 26,  5, 0x1a93}, // 2009
    {2, 14,  0, 0x0a95}, // 2010
    {2,  3,  0, 0x052d}, // 2011
    {1, 23,  4, 0x0aad}, // 2012
    {2, 10,  0, 0x0ab5}, // 2013
    {1, 31,  9, 0x15aa}, // 2014
    {2, 19,  0, 0x05d2}, // 2015
    {2,  8,  0, 0x0da5}, // 2016
    {1, 28,  6, 0x1d4a}, // 2017
    {2, 16,  0, 0x0d4a}, // 2018
    {2,  5,  0, 0x0c95}, // 2019
    {1, 25,  4, 0x152e}, // 2020
    {2, 12,  0, 0x0556}, // 2021
    {2,  1,  0, 0x0ab5}, // 2022
    {1, 22,  2, 0x15b2}, // 2023
    {2, 10,  0, 0x06d2}, // 2024
    {1, 29,  6, 0x0ea5}, // 2025
    {2, 17,  0, 0x0725}, // 2026
    {2,  6,  0, 0x064b}, // 2027
    {1, 26,  5, 0x0c97}, // 2028
    {2, 13,  0, 0x0cab}, // 2029
    {2,  3,  0, 0x055a}, // 2030
    {1, 23,  3, 0x0ad6}, // 2031
    {2, 11,  0, 0x0b69}, // 2032
    {1, 31, 11, 0x1752}, // 2033
    {2, 19,  0, 0x0b52}, // 2034
    {2,  8,  0, 0x0b25}, // 2035
    {1, 28,  6, 0x1a4b}, // 2036
    {2, 15,  0, 0x0a4b}, // 2037
    {2,  4,  0, 0x04ab}, // 2038
    {1, 24,  5, 0x055b}, // 2039
    {2, 12,  0, 0x05ad}, // 2040
    {2,  1,  0, 0x0b6a}, // 2041
    {1, 22,  2, 0x1b52}, // 2042
    {2, 10,  0, 0x0d92}, // 2043
    {1, 30,  7, 0x1d25}, // 2044
    {2, 17,  0, 0x0d25}, // 2045
    {2,  6,  0, 0x0a55}, // 2046
    {1, 26,  5, 0x14ad}, // 2047
    {2, 14,  0, 0x04b6}, // 2048
    {2,  2,  0, 0x05b5}, // 2049
    {1, 23,  3, 0x0daa}, // 2050
    {2, 11,  0, 0x0ec9}, // 2051
    {2,  1,  8, 0x1e92}, // 2052
    {2, 19,  0, 0x0e92}, // 2053
    {2,  8,  0, 0x0d26}, // 2054
    {1, 28,  6, 0x0a56}, // 2055
    {2, 15,  0, 0x0a57}, // 2056
    {2,  4,  0, 0x04d6}, // 2057
    {1, 24,  4, 0x06d5}, // 2058
    {2, 12,  0, 0x0755}, // 2059
    {2,  2,  0, 0x0749}, // 2060
    {1, 21,  3, 0x0e93}, // 2061
    {2,  9,  0, 0x0693}, // 2062
    {1, 29,  7, 0x152b}, // 2063
    {2, 17,  0, 0x052b}, // 2064
    {2,  5,  0, 0x0a5b}, // 2065
    {1, 26,  5, 0x155a}, // 2066
    {2, 14,  0, 0x056a}, // 2067
    {2,  3,  0, 0x0b65}, // 2068
    {1, 23,  4, 0x174a}, // 2069
    {2, 11,  0, 0x0b4a}, // 2070
    {1, 31,  8, 0x1a95}, // 2071
    {2, 19,  0, 0x0a95}, // 2072
    {2,  7,  0, 0x052d}, // 2073
    {1, 27,  6, 0x0aad}, // 2074
    {2, 15,  0, 0x0ab5}, // 2075
    {2,  5,  0, 0x05aa}, // 2076
    {1, 24,  4, 0x0ba5}, // 2077
    {2, 12,  0, 0x0da5}, // 2078
    {2,  2,  0, 0x0d4a}, // 2079
    {1, 22,  3, 0x1c95}, // 2080
    {2,  9,  0, 0x0c96}, // 2081
    {1, 29,  7, 0x194e}, // 2082
    {2, 17,  0, 0x0556}, // 2083
    {2,  6,  0, 0x0ab5}, // 2084
    {1, 26,  5, 0x15b2}, // 2085
    {2, 14,  0, 0x06d2}, // 2086
    {2,  3,  0, 0x0ea5}, // 2087
    {1, 24,  4, 0x0e4a}, // 2088
    {2, 10,  0, 0x068b}, // 2089
    {1, 30,  8, 0x0c97}, // 2090
    {2, 18,  0, 0x04ab}, // 2091
    {2,  7,  0, 0x055b}, // 2092
    {1, 27,  6, 0x0ad6}, // 2093
    {2, 15,  0, 0x0b6a}, // 2094
    {2,  5,  0, 0x0752}, // 2095
    {1, 25,  4, 0x1725}, // 2096
    {2, 12,  0, 0x0b45}, // 2097
    {2,  1,  0, 0x0a8b}, // 2098
    {1, 21,  2, 0x149b}, // 2099
};

constexpr int kYearCount = int(sizeof(kYears) / sizeof(kYears[0]));

qint64 newYearDay(int index)
{
    const LunarYear &y = kYears[index];
    return QDate(kFirstYear + index, y.newYearMonth, y.newYearDay).toJulianDay();
}

int monthsIn(const LunarYear &y) { return y.leapMonth ? 13 : 12; }

int monthLength(const LunarYear &y, int position) { return (y.longMonths >> position) & 1 ? 30 : 29; }

const std::array<const char *, 10> kStems = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
const std::array<const char *, 12> kBranches = {"子", "丑", "寅", "卯", "辰", "巳",
                                                "午", "未", "申", "酉", "戌", "亥"};
const std::array<const char *, 12> kAnimals = {"鼠", "牛", "虎", "兔", "龙", "蛇",
                                               "马", "羊", "猴", "鸡", "狗", "猪"};
const std::array<const char *, 12> kMonths = {"正月", "二月", "三月", "四月", "五月", "六月",
                                              "七月", "八月", "九月", "十月", "冬月", "腊月"};
const std::array<const char *, 10> kDigits = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};

// Position of the year 1984 (甲子) in the sixty-year cycle is 0.
int cyclePosition(int lunarYear, int length) { return (((lunarYear - 1984) % length) + length) % length; }

} // namespace

QDate lunarCalendarFirstDate() { return QDate(1901, 1, 1); }

QDate lunarCalendarLastDate() { return QDate(2100, 2, 8); }

LunarDate lunarDate(const QDate &date)
{
    if (!date.isValid() || date < lunarCalendarFirstDate() || date > lunarCalendarLastDate())
        return {};
    const qint64 jd = date.toJulianDay();
    int index = date.year() - kFirstYear;
    if (index >= kYearCount || jd < newYearDay(index))
        --index;
    const LunarYear &y = kYears[index];
    qint64 offset = jd - newYearDay(index);
    int position = 0;
    while (position < monthsIn(y) && offset >= monthLength(y, position)) {
        offset -= monthLength(y, position);
        ++position;
    }
    if (position == monthsIn(y)) // cannot happen while the table is consistent
        return {};
    LunarDate result;
    result.year = kFirstYear + index;
    result.day = int(offset) + 1;
    if (y.leapMonth && position >= y.leapMonth) {
        result.month = position; // the leap month repeats the number before it
        result.leap = position == y.leapMonth;
    } else {
        result.month = position + 1;
    }
    return result;
}

LunarDate lunarDate(int year, int month, int day) { return lunarDate(QDate(year, month, day)); }

QDate gregorianDate(const LunarDate &lunar)
{
    const int index = lunar.year - kFirstYear;
    if (index < 0 || index >= kYearCount || lunar.month < 1 || lunar.month > 12 || lunar.day < 1)
        return {};
    const LunarYear &y = kYears[index];
    if (lunar.leap && y.leapMonth != lunar.month)
        return {};
    int position = lunar.month - 1;
    if (y.leapMonth && (lunar.month > y.leapMonth || lunar.leap))
        ++position;
    if (lunar.day > monthLength(y, position))
        return {};
    qint64 jd = newYearDay(index);
    for (int i = 0; i < position; ++i)
        jd += monthLength(y, i);
    const QDate date = QDate::fromJulianDay(jd + lunar.day - 1);
    if (date < lunarCalendarFirstDate() || date > lunarCalendarLastDate())
        return {};
    return date;
}

QString lunarYearName(int lunarYear)
{
    if (lunarYear <= 0)
        return {};
    return QString::fromUtf8(kStems[cyclePosition(lunarYear, 10)]) +
           QString::fromUtf8(kBranches[cyclePosition(lunarYear, 12)]);
}

QString lunarZodiac(int lunarYear)
{
    if (lunarYear <= 0)
        return {};
    return QString::fromUtf8(kAnimals[cyclePosition(lunarYear, 12)]);
}

QString lunarMonthName(int month, bool leap)
{
    if (month < 1 || month > 12)
        return {};
    const QString name = QString::fromUtf8(kMonths[month - 1]);
    return leap ? QStringLiteral("闰") + name : name;
}

QString lunarDayName(int day)
{
    if (day < 1 || day > 30)
        return {};
    if (day <= 10)
        return QStringLiteral("初") + QString::fromUtf8(kDigits[day - 1]);
    if (day < 20)
        return QStringLiteral("十") + QString::fromUtf8(kDigits[day - 11]);
    if (day == 20)
        return QStringLiteral("二十");
    if (day < 30)
        return QStringLiteral("廿") + QString::fromUtf8(kDigits[day - 21]);
    return QStringLiteral("三十");
}

QString lunarCellText(const QDate &date)
{
    const LunarDate lunar = lunarDate(date);
    if (!lunar.isValid())
        return {};
    return lunar.day == 1 ? lunarMonthName(lunar.month, lunar.leap) : lunarDayName(lunar.day);
}

} // namespace moquan
