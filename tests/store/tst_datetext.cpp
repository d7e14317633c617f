#include "store/DateText.h"

#include <QTest>

using namespace moquan;

class TestDateText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dateAddDays_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "2011-03-05" << "10" << "2011-3-15";
        QTest::newRow("past month end") << "2011-03-25" << "10" << "2011-4-5";
        QTest::newRow("past year end") << "2011-12-25" << "10" << "2012-1-5";
        QTest::newRow("31st carried") << "2011-01-31" << "0" << "2011-2-1";
        QTest::newRow("one month") << "2011-03-05" << "30" << "2011-4-5";
        QTest::newRow("a year") << "2011-03-05" << "365" << "2012-3-10";
        QTest::newRow("400 days") << "2011-03-05" << "400" << "2012-4-15";
        QTest::newRow("day 30 of Feb") << "2011-01-30" << "30" << "2011-2-30";
        QTest::newRow("back ten") << "2011-03-15" << "-10" << "2011-3-5";
        QTest::newRow("negative day") << "2011-03-05" << "-10" << "2011-3--5";
        QTest::newRow("negative month") << "2011-03-05" << "-45" << "2011-2--40";
        QTest::newRow("empty count") << "2011-03-05" << "" << "2011-3-5";
        QTest::newRow("leading blanks and text") << "2011-03-05" << "  12abc" << "2011-3-17";
        QTest::newRow("invalid date") << "abc" << "1" << "100-1-2";
        QTest::newRow("chinese form") << "2011年3月5日" << "10" << "2011-3-15";
    }
    void dateAddDays()
    {
        QFETCH(QString, date);
        QFETCH(QString, days);
        QFETCH(QString, expected);
        QCOMPARE(DateAddDays(date, days), expected);
    }

    void toDateText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("chinese") << "2011年3月5日" << "2011-03-05";
        QTest::newRow("chinese with time") << "2011年3月5日 10时20分30秒" << "2011-03-05";
        QTest::newRow("unpadded") << "2011-3-5" << "2011-03-05";
        QTest::newRow("padded") << "2011-03-05" << "2011-03-05";
        QTest::newRow("slash") << "2011/12/31" << "2011-12-31";
        QTest::newRow("dot") << "2011.1.2" << "2011-01-02";
        QTest::newRow("colon") << "2011:10:01" << "2011-10-01";
        QTest::newRow("empty") << "" << "100-01-01";
        QTest::newRow("text") << "abc" << "100-01-01";
        QTest::newRow("no such day") << "2011-2-30" << "100-01-01";
        QTest::newRow("month 13") << "2011-13-01" << "100-01-01";
        QTest::newRow("day 0") << "2011-01-00" << "100-01-01";
        QTest::newRow("negative day") << "2011-3--5" << "100-01-01";
        QTest::newRow("leap day") << "2012-2-29" << "2012-02-29";
        QTest::newRow("no leap day") << "2100-2-29" << "100-01-01";
    }
    void toDateText()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(ToDateText(text), expected);
    }

    void carriedDate_data()
    {
        QTest::addColumn<QString>("unpadded");
        QTest::addColumn<QString>("expected");
        QTest::newRow("real") << "2011-3-15" << "2011-03-15";
        QTest::newRow("Feb 30") << "2011-2-30" << "2011-03-02";
        QTest::newRow("negative day") << "2011-3--5" << "2011-02-23";
        QTest::newRow("negative day, prior month") << "2011-2--40" << "2010-12-22";
        QTest::newRow("month 0") << "2011-0-5" << "2010-12-05";
        QTest::newRow("unreadable") << "x" << "100-01-01";
    }
    void carriedDate()
    {
        QFETCH(QString, unpadded);
        QFETCH(QString, expected);
        QCOMPARE(carriedDateText(unpadded), expected);
    }

    void dateTextsSortAsText()
    {
        QVERIFY(ToDateText("2011-3-5") < ToDateText("2011-10-1"));
        QVERIFY(QString("2011-3-5") > QString("2011-10-1")); // unpadded texts do not
    }
};

QTEST_GUILESS_MAIN(TestDateText)
#include "tst_datetext.moc"
