#include "dashboard/CalendarTexts.h"

#include "dashboard/LunarCalendar.h"

namespace moquan {

namespace {

struct Festival {
    int month;
    int day;
    const char *text;
};

// Tried in this order; a later match replaces an earlier one.
constexpr Festival kGregorianFestivals[] = {
    {1, 1, "元旦"},
    {2, 14, "情人节"},
    {3, 5, "雷峰纪念日"},
    {3, 8, "国际劳动妇女节"},
    {3, 12, "植树节"},
    {3, 15, "国际消费者权益日"},
    {3, 23, "国际气象日"},
    {3, 31, "安全教育日"},
    {4, 1, "愚人节"},
    {4, 7, "世界卫生日"},
    {4, 22, "世界地球日"},
    {5, 1, "国际劳动节"},
    {5, 4, "青年节"},
    {5, 8, "世界红十字日"},
    {5, 12, "国际护士节"},
    {5, 15, "国际家庭日"},
    {5, 16, "全国助残日"},
    {5, 17, "国际电信日"},
    {5, 31, "世界无烟日"},
    {6, 1, "国际儿童节"},
    {6, 5, "国际环境保护日"},
    {6, 6, "全国爱眼日"},
    {6, 25, "全国土地日"},
    {6, 26, "国际禁毒日"},
    {7, 1, "党的生日、香港回归日"},
    {7, 7, "抗日战争胜利日"},
    {7, 11, "世界人口日"},
    {8, 1, "中国建军节"},
    {8, 8, "父亲节"},
    {9, 8, "国际扫盲日"},
    {9, 9, "毛泽东逝世"},
    {9, 10, "中国教师节"},
    {9, 20, "中国爱牙日"},
    {9, 27, "世界旅游日"},
    {9, 28, "世界聋人日、孔子诞辰"},
    {10, 1, "世界音乐日、国庆节"},
    {10, 4, "世界动物日"},
    {10, 6, "老人节"},
    {10, 8, "全国高血压日"},
    {10, 9, "世界邮政日"},
    {10, 14, "世界标准日"},
    {10, 24, "联合国日"},
    {11, 1, "万圣节"},
    {11, 2, "万灵节"},
    {11, 12, "孙中山诞辰"},
    {11, 17, "国际学生日"},
    {12, 5, "国际志愿人员日"},
    {12, 20, "澳门回归"},
    {12, 25, "圣诞节"},
    {12, 26, "毛泽东诞辰"},
};

// Lunar month and day; the text is appended.
constexpr Festival kLunarFestivals[] = {
    {1, 1, " 春节"},
    {1, 15, "元宵节"},
    {2, 2, "中和节"},
    {5, 5, "端午节"},
    {7, 7, "七巧节"},
    {8, 15, "中秋节"},
    {9, 9, "重阳节"},
    {12, 8, "腊八节"},
    {12, 24, "小年"},
};

} // namespace

QString festivalText(int lunarMonth, int lunarDay, bool lunarLeap, int year, int month, int day)
{
    QString text;
    for (const Festival &f : kGregorianFestivals) {
        if (f.month == month && f.day == day)
            text = QString::fromUtf8(f.text);
    }

    const QDate date(year, month, day);
    if (date.isValid() && date.dayOfWeek() == Qt::Sunday) {
        if (month == 5 && day >= 8 && day <= 14)
            text = QStringLiteral("母亲节");
        if (month == 6 && day >= 15 && day <= 21)
            text = QStringLiteral("父亲节");
        if (month == 11 && day >= 22)
            text = QStringLiteral("感恩节");
    }

    if (!lunarLeap) {
        for (const Festival &f : kLunarFestivals) {
            if (f.month == lunarMonth && f.day == lunarDay)
                text += QString::fromUtf8(f.text);
        }
    }
    return text;
}

QString festivalText(const QDate &date)
{
    if (!date.isValid())
        return {};
    const LunarDate lunar = lunarDate(date);
    return festivalText(lunar.month, lunar.day, lunar.leap, date.year(), date.month(), date.day());
}

QString weekdayName(int dayOfWeek)
{
    static const char *const names[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
    if (dayOfWeek < 1 || dayOfWeek > 7)
        return {};
    return QString::fromUtf8(names[dayOfWeek - 1]);
}

QString clockText(const QDate &calendarDay, const QDateTime &now)
{
    QString text;
    const LunarDate lunar = lunarDate(calendarDay);
    if (lunar.isValid()) {
        text = lunarYearName(lunar.year) + QStringLiteral("年(") + lunarZodiac(lunar.year) + QStringLiteral(")") +
               lunarMonthName(lunar.month, lunar.leap) + lunarDayName(lunar.day);
    }
    const QDate today = now.date();
    const QTime time = now.time();
    text += QStringLiteral("\r\n");
    text += QString::asprintf("%d年%d月%d日", today.year(), today.month(), today.day());
    text += QStringLiteral("★") + weekdayName(today.dayOfWeek()) + QStringLiteral("★");
    text += QString::asprintf("%d:%d:%d", time.hour(), time.minute(), time.second());
    return text;
}

QString clockText(const QDate &calendarDay) { return clockText(calendarDay, QDateTime::currentDateTime()); }

} // namespace moquan
