#include "listtools/ListSort.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace moquan;

class TestListSort : public QObject {
    Q_OBJECT

private slots:
    void sortKey_data();
    void sortKey();
    void keysWithinToleranceAreEqual();
    void sortRows_data();
    void sortRows();
    void wholeRowsMove();
    void matchesStableInsertionOnManyTies();
    void directionRule();
    void reopenedWindowKeepsLastColumnButNoMarker();
};

void TestListSort::sortKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("key");

    QTest::newRow("integer") << "12" << 12.0;
    QTest::newRow("decimal, blanks trimmed") << "  12.5 " << 12.5;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("plus sign") << "+4" << 4.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("sign and point") << "-.5kg" << -0.5;
    QTest::newRow("trailing point") << "7." << 7.0;
    QTest::newRow("exponent") << "1.5e+06" << 1.5e6;
    QTest::newRow("incomplete exponent") << "3e" << 3.0;
    QTest::newRow("exponent sign without digits") << "3e+x" << 3.0;
    QTest::newRow("date reads as its year") << "2010-05-01" << 2010.0;
    QTest::newRow("number then text") << "3号" << 3.0;
    QTest::newRow("thousands comma stops") << "1,234" << 1.0;
    QTest::newRow("name") << "玫瑰精油" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("sign then blank") << "- 5" << 0.0;
    QTest::newRow("no hex") << "0x1A" << 0.0;
    QTest::newRow("no inf") << "inf" << 0.0;
    QTest::newRow("no nan") << "nan" << 0.0;
    QTest::newRow("full-width digits") << "１２．５" << 12.5;
    QTest::newRow("full-width sign") << "－７" << -7.0;
    QTest::newRow("ideographic blanks") << "\u3000８\u3000" << 8.0;
    QTest::newRow("money") << "￥12.5" << 12.5;
    QTest::newRow("negative money") << "￥-150" << -150.0;
    QTest::newRow("money in exponent form") << "￥1.5e+06" << 1.5e6;
    QTest::newRow("money sign in the middle") << "12￥" << 12.0;
}

void TestListSort::sortKey()
{
    QFETCH(QString, text);
    QFETCH(double, key);
    QCOMPARE(moquan::sortKey(text), key);
}

void TestListSort::keysWithinToleranceAreEqual()
{
    QVERIFY(sortKeysEqual(1.0, 1.00000005));
    QVERIFY(sortKeysEqual(1.00000005, 1.0));
    QVERIFY(!sortKeysEqual(1.0, 1.0000002));
    QVERIFY(sortKeysEqual(HUGE_VAL, moquan::sortKey(u"1e999")));
}

void TestListSort::sortRows_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<QList<int>>("order"); // present indices, top to bottom

    const QStringList prices{"12.5", "12", "100", "20"};
    QTest::newRow("prices ascending") << prices << true << QList<int>{1, 0, 3, 2};
    QTest::newRow("prices descending") << prices << false << QList<int>{2, 3, 0, 1};
    const QStringList money{"￥12.5", "￥12", "￥100", "￥20", "￥-1"};
    QTest::newRow("money ascending") << money << true << QList<int>{4, 1, 0, 3, 2};

    const QStringList names{"玫瑰", "百合", "兰花", "茉莉"};
    QTest::newRow("names keep their order") << names << true << QList<int>{0, 1, 2, 3};
    QTest::newRow("names reversed") << names << false << QList<int>{3, 2, 1, 0};
    const QStringList numbered{"3号", "甲", "10号", "乙"};
    QTest::newRow("leading digits count") << numbered << true << QList<int>{1, 3, 0, 2};

    const QStringList dates{"2011-03-01", "2010-05-01", "2011-01-02", "2010-01-09", "2011-12-31"};
    QTest::newRow("dates by year, ascending") << dates << true << QList<int>{1, 3, 0, 2, 4};
    QTest::newRow("dates by year, descending") << dates << false << QList<int>{4, 2, 0, 3, 1};

    // A key equal to the first one of its group still comes after it.
    const QStringList ties{"0", "10", "0", "5", "10", "5"};
    QTest::newRow("ties stay in order") << ties << true << QList<int>{0, 2, 3, 5, 1, 4};
    QTest::newRow("ties reversed") << ties << false << QList<int>{4, 1, 5, 3, 2, 0};

    const QStringList close{"1.00000005", "0.5", "1", "1.0000001"};
    QTest::newRow("keys within tolerance tie") << close << true << QList<int>{1, 0, 2, 3};

    QTest::newRow("empty list") << QStringList{} << true << QList<int>{};
    QTest::newRow("one row") << QStringList{"x"} << false << QList<int>{0};
}

void TestListSort::sortRows()
{
    QFETCH(QStringList, texts);
    QFETCH(bool, ascending);
    QFETCH(QList<int>, order);
    const Qt::SortOrder dir = ascending ? Qt::AscendingOrder : Qt::DescendingOrder;

    QCOMPARE(sortPermutation(texts, dir), order);

    // The same through whole rows, sorting the second column.
    QList<ListRow> rows;
    for (int i = 0; i < texts.size(); ++i)
        rows.append(ListRow{{QStringLiteral("名称"), texts[i]}, i, false, -1});
    moquan::sortRows(rows, 1, dir);
    QList<int> moved;
    for (const ListRow &row : rows)
        moved.append(int(row.hiddenValue));
    QCOMPARE(moved, order);
}

void TestListSort::wholeRowsMove()
{
    QList<ListRow> rows{
        {{"玫瑰", "30", "2010-01-01"}, 101, true, 1},
        {{"百合", "12.5", "2011-01-01"}, 102, false, 2},
        {{"兰花", "100"}, 103, true, -1}, // no third cell: counts as 0
    };
    const QList<ListRow> before = rows;

    moquan::sortRows(rows, 1, Qt::AscendingOrder);
    QCOMPARE(rows[0].hiddenValue, qint64(102));
    QCOMPARE(rows[1].hiddenValue, qint64(101));
    QCOMPARE(rows[2].hiddenValue, qint64(103));
    for (const ListRow &row : rows) {
        const ListRow &old = before[int(row.hiddenValue - 101)];
        QCOMPARE(row.cells, old.cells);
        QCOMPARE(row.checked, old.checked);
        QCOMPARE(row.image, old.image);
    }

    // The names all count as 0: descending reverses the present order.
    moquan::sortRows(rows, 0, Qt::DescendingOrder);
    QCOMPARE(rows[0].hiddenValue, qint64(103));
    QCOMPARE(rows[0].checked, true);
    QCOMPARE(rows[1].hiddenValue, qint64(101));
    QCOMPARE(rows[2].hiddenValue, qint64(102));
    QCOMPARE(rows[2].image, 2);
}

// The order against a plain insertion, row by row into a growing list, each
// going after every row whose key is not greater than its own.
void TestListSort::matchesStableInsertionOnManyTies()
{
    QRandomGenerator rng(20240611);
    const QStringList forms{"%1", " %1 ", "￥%1", "%1.0", "%1号", "%1-05-01"};
    for (int round = 0; round < 20; ++round) {
        const int n = 1 + int(rng.bounded(400));
        const int distinct = 1 + int(rng.bounded(12));
        QStringList texts;
        for (int i = 0; i < n; ++i) {
            const int value = int(rng.bounded(distinct)) - distinct / 3;
            texts.append(rng.bounded(8) == 0 ? QStringLiteral("名称")
                                             : forms[int(rng.bounded(forms.size()))].arg(value));
        }

        QList<int> reference;
        for (int i = 0; i < n; ++i) {
            const double x = moquan::sortKey(texts[i]);
            qsizetype at = reference.size();
            while (at > 0 && moquan::sortKey(texts[reference[at - 1]]) > x)
                --at;
            reference.insert(at, i);
        }
        QCOMPARE(sortPermutation(texts, Qt::AscendingOrder), reference);
        std::reverse(reference.begin(), reference.end());
        QCOMPARE(sortPermutation(texts, Qt::DescendingOrder), reference);
    }
}

void TestListSort::directionRule()
{
    ListSorter sorter;
    QCOMPARE(sorter.lastColumn(), 0);

    // The first click sorts descending; the same column again reverses.
    QCOMPARE(sorter.click(4), Qt::DescendingOrder);
    QCOMPARE(sorter.marker(4), SortMarker::Descending);
    QCOMPARE(sorter.click(4), Qt::AscendingOrder);
    QCOMPARE(sorter.marker(4), SortMarker::Ascending);
    QCOMPARE(sorter.click(4), Qt::DescendingOrder);

    // Another column sorts opposite to what the previous one showed, and only
    // the newly sorted column shows a marker.
    QCOMPARE(sorter.click(3), Qt::AscendingOrder);
    QCOMPARE(sorter.lastColumn(), 3);
    QCOMPARE(sorter.marker(3), SortMarker::Ascending);
    QCOMPARE(sorter.marker(4), SortMarker::None);
    QCOMPARE(sorter.click(5), Qt::DescendingOrder);
    QCOMPARE(sorter.marker(5), SortMarker::Descending);
    QCOMPARE(sorter.marker(3), SortMarker::None);

    // Column 0 is the last sorted column at program start.
    ListSorter fresh;
    QCOMPARE(fresh.click(0), Qt::DescendingOrder);
    QCOMPARE(fresh.click(0), Qt::AscendingOrder);
}

void TestListSort::reopenedWindowKeepsLastColumnButNoMarker()
{
    ListSorter sorter;
    sorter.click(2);
    QCOMPARE(sorter.click(2), Qt::AscendingOrder);

    sorter.clearMarker();
    QCOMPARE(sorter.lastColumn(), 2);
    QCOMPARE(sorter.marker(2), SortMarker::None);
    QCOMPARE(sorter.click(2), Qt::DescendingOrder);

    sorter.click(2); // ascending
    sorter.clearMarker();
    QCOMPARE(sorter.click(6), Qt::DescendingOrder);
}

QTEST_GUILESS_MAIN(TestListSort)
#include "tst_listsort.moc"
