#include "dashboard/CalendarTexts.h"

#include <QTest>

using namespace moquan;

class TestCalendarTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Days with their lunar month and day taken from the lunar calendar.
    void festivalOfDate_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("expected");

        QTest::newRow("ordinary day") << QDate(2011, 3, 9) << "";
        QTest::newRow("new year's day") << QDate(2011, 1, 1) << "元旦";
        QTest::newRow("lunar new year alone") << QDate(2024, 2, 10) << " 春节";
        QTest::newRow("both, joined") << QDate(2010, 2, 14) << "情人节 春节";
        QTest::newRow("national day and mid-autumn") << QDate(2020, 10, 1) << "世界音乐日、国庆节中秋节";
        QTest::newRow("8 May, a Sunday") << QDate(2011, 5, 8) << "母亲节";
        QTest::newRow("8 May, a Tuesday") << QDate(2012, 5, 8) << "世界红十字日";
        QTest::newRow("14 May, a Sunday") << QDate(2017, 5, 14) << "母亲节";
        QTest::newRow("15 May, a Sunday") << QDate(2011, 5, 15) << "国际家庭日";
        QTest::newRow("8 August") << QDate(2011, 8, 8) << "父亲节";
        QTest::newRow("third Sunday of June") << QDate(2011, 6, 19) << "父亲节";
        QTest::newRow("fourth Sunday of June") << QDate(2011, 6, 26) << "国际禁毒日";
        QTest::newRow("22 November, a Sunday") << QDate(2015, 11, 22) << "感恩节";
        QTest::newRow("29 November, a Sunday") << QDate(2015, 11, 29) << "感恩节";
        QTest::newRow("15 November, a Sunday") << QDate(2015, 11, 15) << "";
        QTest::newRow("17 November, a Sunday") << QDate(2013, 11, 17) << "国际学生日";
        QTest::newRow("12th month, 8th day") << QDate(2024, 1, 18) << "腊八节";
        QTest::newRow("dragon boat") << QDate(2023, 6, 22) << "端午节";
        QTest::newRow("outside the lunar table") << QDate(2150, 1, 1) << "元旦";
    }
    void festivalOfDate()
    {
        QFETCH(QDate, date);
        QFETCH(QString, expected);
        QCOMPARE(festivalText(date), expected);
    }

    void festivalOfLunarValues()
    {
        QCOMPARE(festivalText(1, 15, false, 2011, 3, 9), QStringLiteral("元宵节"));
        QCOMPARE(festivalText(12, 24, false, 2011, 3, 9), QStringLiteral("小年"));
        QCOMPARE(festivalText(7, 7, false, 2011, 5, 8), QStringLiteral("母亲节七巧节"));
        // A leap month repeats the number of the month before it, not its festivals:
        // 2009-06-27 is the 5th day of the leap 5th month, 2023-03-23 the 2nd of the leap 2nd.
        QCOMPARE(festivalText(5, 5, true, 2009, 6, 27), QString());
        QCOMPARE(festivalText(QDate(2009, 6, 27)), QString());
        QCOMPARE(festivalText(QDate(2023, 3, 23)), QStringLiteral("国际气象日"));
        QCOMPARE(festivalText(QDate(2023, 2, 21)), QStringLiteral("中和节"));
    }

    void clock_data()
    {
        QTest::addColumn<QDate>("calendarDay");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("expected");

        QTest::newRow("no leading zeros") << QDate(2010, 12, 10) << QDateTime(QDate(2010, 12, 10), QTime(9, 5, 3))
                                          << "庚寅年(虎)冬月初五\r\n2010年12月10日★星期五★9:5:3";
        QTest::newRow("midnight, Sunday") << QDate(2011, 5, 8) << QDateTime(QDate(2011, 5, 8), QTime(0, 0, 0))
                                          << "辛卯年(兔)四月初六\r\n2011年5月8日★星期日★0:0:0";
        QTest::newRow("picked day differs from today")
            << QDate(2020, 6, 1) << QDateTime(QDate(2024, 2, 10), QTime(23, 59, 59))
            << "庚子年(鼠)闰四月初十\r\n2024年2月10日★星期六★23:59:59";
        QTest::newRow("picked day outside the lunar table")
            << QDate(1900, 6, 1) << QDateTime(QDate(2024, 2, 12), QTime(12, 30, 0))
            << "\r\n2024年2月12日★星期一★12:30:0";
    }
    void clock()
    {
        QFETCH(QDate, calendarDay);
        QFETCH(QDateTime, now);
        QFETCH(QString, expected);
        QCOMPARE(clockText(calendarDay, now), expected);
    }

    void clockNow()
    {
        const QString text = clockText(QDate(2010, 12, 10));
        QVERIFY(text.startsWith(QStringLiteral("庚寅年(虎)冬月初五\r\n")));
        QVERIFY(text.contains(QString::number(QDate::currentDate().year()) + "年"));
    }
};

QTEST_GUILESS_MAIN(TestCalendarTexts)
#include "tst_calendartexts.moc"
