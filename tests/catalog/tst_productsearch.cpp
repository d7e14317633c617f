// The quick product search rule, the product list's cells and totals, the
// tree queries and the booking of stock corrections, without widgets.
#include "catalog/ProductSearch.h"
#include "store/DataDirectory.h"
#include "store/Database.h"
#include "store/DateText.h"
#include "support/Drive.h"
#include "support/TestHome.h"

#include <QTest>
#include <memory>

using namespace moquan;
using namespace moquan::testing;

namespace {

qint64 addProduct(const QString &name, const QString &number, const QString &quick, double price,
                  qint64 stock, qint64 days = 30, const QString &category = QStringLiteral("护肤"),
                  const QString &brand = QStringLiteral("安利"))
{
    const bool ok = database().ExecuteSql(
        QStringLiteral("insert into 产品 (产品名称,产品编号,产品定价,库存数,警戒库存,类别,大类别,"
                       "使用天数,产品介绍,快速取编号) values (?,?,?,?,0,?,?,?,'',?)"),
        {name, number, price, stock, category, brand, days, quick});
    return ok ? database().lastInsertId() : -1;
}

QStringList names(const ProductQuery &q)
{
    QStringList out;
    for (const ProductListEntry &e : readProductEntries(q))
        out << e.name;
    return out;
}

QStringList searchNames(const QString &text)
{
    return names(quickSearchQuery(text, kProductListColumns));
}

} // namespace

class TestProductSearch : public QObject {
    Q_OBJECT
    std::unique_ptr<DatabaseHome> home;

private Q_SLOTS:
    void init()
    {
        home = std::make_unique<DatabaseHome>();
        QVERIFY(home->opened());
    }
    void cleanup()
    {
        home.reset();
    }

    void searchColumnRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("byNumber");
        QTest::newRow("12") << "12" << true;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("letters") << "zg" << false;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("digits then letters") << "3abc" << true;
        QTest::newRow("negative") << "-4" << true;
        QTest::newRow("fraction below one") << "0.5" << false;
        QTest::newRow("leading blanks") << "  12" << true;
        QTest::newRow("letter first") << "a12" << false;
        QTest::newRow("zero padded") << "007" << true;
        QTest::newRow("sign alone") << "-" << false;
    }
    void searchColumnRule()
    {
        QFETCH(QString, text);
        QFETCH(bool, byNumber);
        QCOMPARE(quickSearchColumn(text) == QuickSearchColumn::ProductNumber, byNumber);
    }

    void quickSearchFindsByNumberOrQuickCode()
    {
        addProduct("中国茶", "A12", "ZGC", 10, 1);    // 1
        addProduct("安利", "120", "AL", 20, 1);       // 2
        addProduct("维生素", "B3", "WSS0", 30, 1);    // 3: a quick code holding 0
        addProduct("中国面", "X9", "ZGM", 40, 1);     // 4
        // Number search, newest first.
        QCOMPARE(searchNames("12"), (QStringList{"安利", "中国茶"}));
        // Letters search quick codes, ignoring letter case.
        QCOMPARE(searchNames("zg"), (QStringList{"中国面", "中国茶"}));
        QCOMPARE(searchNames("ZG"), searchNames("zg"));
        // 0 alone searches quick codes, not numbers.
        QCOMPARE(searchNames("0"), (QStringList{"维生素"}));
        // Empty: every product, newest first.
        QCOMPARE(searchNames(""), (QStringList{"中国面", "维生素", "安利", "中国茶"}));
        QCOMPARE(searchNames("9"), (QStringList{"中国面"}));
    }

    void wildcardsTypedAreMatchedAsThemselves()
    {
        addProduct("甲", "1%2", "J%", 1, 1);
        addProduct("乙", "152", "YX", 1, 1);
        addProduct("丙", "1_2", "B_C", 1, 1);
        addProduct("丁", "1\\2", "D\\", 1, 1);
        QCOMPARE(searchNames("1%"), (QStringList{"甲"}));
        QCOMPARE(searchNames("1_"), (QStringList{"丙"}));
        QCOMPARE(searchNames("1\\"), (QStringList{"丁"}));
        QCOMPARE(searchNames("%"), (QStringList{"甲"}));
        QCOMPARE(searchNames("_"), (QStringList{"丙"}));
        QCOMPARE(searchNames("'"), QStringList());
        QCOMPARE(likeContainsPattern("a%b_c\\"), QString("%a\\%b\\_c\\\\%"));
    }

    void treeQueries()
    {
        addProduct("p1", "1", "P1", 1, 1, 1, "X", "A");
        addProduct("p2", "2", "P2", 1, 1, 1, "X", "B");
        addProduct("p3", "3", "P3", 1, 1, 1, "Y", "A");
        QCOMPARE(names(productTreeQuery("A", "")), (QStringList{"p1", "p3"}));
        QCOMPARE(names(productTreeQuery("X", "A")), (QStringList{"p1"}));
        QCOMPARE(names(productTreeQuery("", "")), (QStringList{"p3", "p2", "p1"}));
        QCOMPARE(names(rootProductsQuery()), (QStringList{"p1", "p2", "p3"}));
        // Two brands with a category X: the finder lists both by the name alone.
        QCOMPARE(productNamesOfCategory("X"), (QStringList{"p1", "p2"}));
        QCOMPARE(productCount(), 3);
    }

    void stockFilters()
    {
        addProduct("plus", "1", "P", 1, 5);
        addProduct("zero", "2", "Z", 1, 0);
        addProduct("minus", "3", "M", 1, -2);
        QCOMPARE(names(stockFilterQuery(StockFilter::InStock)), (QStringList{"plus"}));
        QCOMPARE(names(stockFilterQuery(StockFilter::BelowZero)), (QStringList{"minus"}));
    }

    void listCellsAndTotals()
    {
        ProductListEntry e;
        e.id = 7;
        e.name = "中国";
        e.number = "N1";
        e.price = 99.5; // the fraction is dropped, not rounded
        e.stock = 3;
        e.days = 30;
        e.category = "护肤";
        const QStringList cells = productListCells(e);
        QCOMPARE(cells, (QStringList{"中国", "N1", "￥99", "￥297", "￥84.15", "￥252.45", "30", "3",
                                     "护肤"}));
        e.price = 1234567;
        e.stock = 10;
        const QStringList big = productListCells(e);
        QCOMPARE(big.at(ColValue), QString("￥12345670"));

        const ProductTotals t = productTotals({cells, big});
        QCOMPARE(stockTotalText(t), QString("总进货数量:13"));
        QCOMPARE(valueTotalText(t), QString("总进货金额:￥12345967.00元"));
        QCOMPARE(netTotalText(t), QString("总净额:￥10494071.95元"));
        QCOMPARE(stockTotalText(productTotals({})), QString("总进货数量:0"));
        QCOMPARE(wholePriceOfCell("￥99"), 99.0);
        // Amounts past 13 digits are written with an exponent and still add up.
        QCOMPARE(stockValueCell(5000000, 4000000), QString("￥2e+13"));
        QCOMPARE(productTotals({{"a", "", "￥5000000", "￥2e+13", "", "", "", "4000000", ""}}).value, 2e13);
        QCOMPARE(stockNetValueCell(99, -2), QString("￥-168.3"));
    }

    void correctionNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qint64>("value");
        QTest::newRow("plain") << "3" << true << qint64(3);
        QTest::newRow("empty is 0") << "" << true << qint64(0);
        QTest::newRow("negative") << "-7" << true << qint64(-7);
        QTest::newRow("blanks") << " 12 " << true << qint64(12);
        QTest::newRow("fraction") << "3.5" << false << qint64(0);
        QTest::newRow("letters") << "abc" << false << qint64(0);
        QTest::newRow("sign alone") << "-" << false << qint64(0);
        QTest::newRow("too big") << "99999999999" << false << qint64(0);
    }
    void correctionNumbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(qint64, value);
        qint64 v = -1;
        QCOMPARE(parseCorrectionNumber(text, &v), ok);
        if (ok)
            QCOMPARE(v, value);
    }

    void stockCorrectionBooksAPurchase()
    {
        const qint64 id = addProduct("中国茶", "A12", "ZGC", 99.5, 5, 30, "茶", "天狮");
        const qint64 other = addProduct("安利", "B1", "AL", 10, 1, 20);
        const CorrectionResult r =
            saveProductCorrections({{id, 30, 3}, {other, 45, 1}}, "2011-03-05");
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.purchasesBooked, 1);
        QCOMPARE(r.daysChanged, 1);
        QCOMPARE(one("select 库存数 from 产品 where id=?", {id}), QString("3"));
        QCOMPARE(one("select 使用天数 from 产品 where id=?", {other}), QString("45"));
        QCOMPARE(one("select count(*) from 进货"), QString("1"));
        Recordset rs = database().Query("select * from 进货");
        QCOMPARE(rs.text("产品名称"), QString("中国茶"));
        QCOMPARE(rs.text("产品编号"), QString("A12"));
        QCOMPARE(rs.text("进货日期"), QString("2011-03-05"));
        QCOMPARE(rs.number("产品定价"), 99.5);
        QCOMPARE(rs.number("净额"), 84.15);
        QCOMPARE(rs.integer("本次进货"), qint64(-2));
        QCOMPARE(rs.number("进货合计"), -198.0);
        QCOMPARE(rs.number("进货净额"), -168.3);
        QCOMPARE(rs.text("类别"), QString("茶"));
        QCOMPARE(rs.text("大类别"), QString("天狮"));
    }

    void unchangedAndVanishedProductsWriteNothing()
    {
        const qint64 id = addProduct("p", "1", "P", 10, 5, 30);
        const CorrectionResult r = saveProductCorrections({{id, 30, 5}, {id + 100, 1, 1}},
                                                          todayDateText());
        QVERIFY(r.ok);
        QCOMPARE(r.purchasesBooked, 0);
        QCOMPARE(r.daysChanged, 0);
        QCOMPARE(one("select count(*) from 进货"), QString("0"));
        QCOMPARE(one("select count(*) from 产品"), QString("1"));
    }

    void failedCorrectionLeavesEverythingUnchanged()
    {
        const qint64 a = addProduct("a", "1", "A", 10, 5, 30);
        const qint64 b = addProduct("b", "2", "B", 10, 5, 30);
        // The second product's purchase row is refused by the database.
        QVERIFY(database().ExecuteSql(
            "create temp trigger refuse before insert on 进货 when new.产品名称='b' "
            "begin select raise(abort, 'refused'); end"));
        const CorrectionResult r = saveProductCorrections({{a, 40, 8}, {b, 30, 1}}, "2011-03-05");
        QVERIFY(!r.ok);
        QVERIFY(r.error.contains("refused"));
        QCOMPARE(one("select 库存数 from 产品 where id=?", {a}), QString("5"));
        QCOMPARE(one("select 使用天数 from 产品 where id=?", {a}), QString("30"));
        QCOMPARE(one("select count(*) from 进货"), QString("0"));
    }

    void deletesAllOrNothing()
    {
        const qint64 a = addProduct("a", "1", "A", 1, 1);
        const qint64 b = addProduct("b", "2", "B", 1, 1);
        const qint64 c = addProduct("c", "3", "C", 1, 1);
        QVERIFY(deleteProducts({a, c}));
        QCOMPARE(names(allProductsQuery()), QStringList{"b"});
        QVERIFY(database().ExecuteSql(
            "create temp trigger keep before delete on 产品 when old.产品名称='b' "
            "begin select raise(abort, 'kept'); end"));
        const qint64 d = addProduct("d", "4", "D", 1, 1);
        QVERIFY(!deleteProducts({d, b}));
        QCOMPARE(names(allProductsQuery()), (QStringList{"d", "b"}));
    }
};

QTEST_GUILESS_MAIN(TestProductSearch)
#include "tst_productsearch.moc"
