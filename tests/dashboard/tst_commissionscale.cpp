#include "dashboard/CommissionScale.h"

#include <QTest>

using namespace moquan;

class TestCommissionScale : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void steps_data()
    {
        QTest::addColumn<double>("net");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("rate");

        QTest::newRow("negative") << -850.0 << "" << 0.0;
        QTest::newRow("zero") << 0.0 << "" << 0.0;
        QTest::newRow("just short of 1600") << 1599.9999998 << "" << 0.0;
        QTest::newRow("within the tolerance of 1600") << 1599.99999995 << "09%" << 0.09;
        QTest::newRow("exactly 1600") << 1600.0 << "09%" << 0.09;
        QTest::newRow("4800") << 4800.0 << "12%" << 0.12;
        QTest::newRow("9599.9") << 9599.9 << "12%" << 0.12;
        QTest::newRow("9600") << 9600.0 << "15%" << 0.15;
        QTest::newRow("19200") << 19200.0 << "18%" << 0.18;
        QTest::newRow("32000") << 32000.0 << "21%" << 0.21;
        QTest::newRow("56000") << 56000.0 << "24%" << 0.24;
        QTest::newRow("79999.99") << 79999.99 << "24%" << 0.24;
        QTest::newRow("exactly 80000") << 80000.0 << "27%" << 0.27;
        QTest::newRow("far above") << 1e9 << "27%" << 0.27;
    }
    void steps()
    {
        QFETCH(double, net);
        QFETCH(QString, text);
        QFETCH(double, rate);
        const CommissionStep step = commissionStep(net);
        QCOMPARE(step.text, text);
        QCOMPARE(step.rate, rate);
    }

    // The four columns of a month. Mode 2 passes purchases and sales; modes 1
    // and 3 pass the one sum (sales = -1 marks them here).
    void month_data()
    {
        QTest::addColumn<double>("purchases");
        QTest::addColumn<double>("sales");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("net");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("commission");

        QTest::newRow("no rows") << 0.0 << -1.0 << "￥0" << "￥0" << "" << "￥0";
        QTest::newRow("2000") << 2000.0 << -1.0 << "￥2000" << "￥1700" << "09%" << "￥153";
        QTest::newRow("fraction kept in the net amount")
            << 2000.5 << -1.0 << "￥2000" << "￥1700.425" << "09%" << "￥153";
        // Net 1600.125 reaches 9 %; the commission is taken at that same rate
        // from that same net amount.
        QTest::newRow("rate and commission agree at a threshold")
            << 1882.5 << -1.0 << "￥1882" << "￥1600.125" << "09%" << "￥144";
        QTest::newRow("just over 80000") << 94117.6471 << -1.0 << "￥94117" << "￥80000.000035" << "27%" << "￥21600";
        QTest::newRow("just under 80000") << 94117.647 << -1.0 << "￥94117" << "￥79999.99995" << "24%" << "￥19199";
        QTest::newRow("below the scale") << 1000.0 << -1.0 << "￥1000" << "￥850" << "" << "￥0";
        // Single precision would show 1.23457e+06 and compute from 123456792.
        QTest::newRow("a million") << 1234567.0 << -1.0 << "￥1234567" << "￥1049381.95" << "27%" << "￥283333";
        QTest::newRow("large, exact to the cent")
            << 123456789.5 << -1.0 << "￥123456789" << "￥104938271.075" << "27%" << "￥28333333";

        QTest::newRow("stock: sums truncated first")
            << 5000.9 << 1000.9 << "￥4000" << "￥3400" << "09%" << "￥306";
        QTest::newRow("stock: more sales than purchases")
            << 1000.0 << 2000.7 << "￥-1000" << "￥-850" << "" << "￥0";
        QTest::newRow("stock: nothing") << 0.0 << 0.0 << "￥0" << "￥0" << "" << "￥0";
        QTest::newRow("stock: fractions only") << 0.5 << 0.7 << "￥0" << "￥0" << "" << "￥0";
    }
    void month()
    {
        QFETCH(double, purchases);
        QFETCH(double, sales);
        QFETCH(QString, amount);
        QFETCH(QString, net);
        QFETCH(QString, rate);
        QFETCH(QString, commission);

        const MonthFigures f = sales < 0 ? monthFiguresOfSum(purchases) : monthFiguresOfStock(purchases, sales);
        QCOMPARE(f.amount, amount);
        QCOMPARE(f.net, net);
        QCOMPARE(f.rate, rate);
        QCOMPARE(f.commission, commission);
    }

    void monthBounds_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");

        QTest::newRow("January") << 2011 << 1 << "2011-01-01" << "2011-01-31";
        QTest::newRow("April") << 2011 << 4 << "2011-04-01" << "2011-04-30";
        QTest::newRow("February") << 2011 << 2 << "2011-02-01" << "2011-02-28";
        QTest::newRow("February, leap year") << 2012 << 2 << "2012-02-01" << "2012-02-29";
        QTest::newRow("February 1900") << 1900 << 2 << "1900-02-01" << "1900-02-28";
        QTest::newRow("February 2000") << 2000 << 2 << "2000-02-01" << "2000-02-29";
        QTest::newRow("December") << 2013 << 12 << "2013-12-01" << "2013-12-31";
        QTest::newRow("no such month") << 2013 << 13 << "" << "";
    }
    void monthBounds()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QCOMPARE(monthFirstDay(year, month), first);
        QCOMPARE(monthLastDay(year, month), last);
    }
};

QTEST_GUILESS_MAIN(TestCommissionScale)
#include "tst_commissionscale.moc"
