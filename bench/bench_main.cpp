// Times the operations that carry performance goals, on generated data in a
// temporary data directory, and prints one line per measurement:
//   sort of 200 000 list rows            (goal: well under 1 s)
//   opening the product list, 10 000 products (goal: no visible pause)
//   writing a 70 000-row workbook
#include "app/AppContext.h"
#include "catalog/ProductListWindow.h"
#include "chrome/ReportModel.h"
#include "chrome/AppLook.h"
#include "chrome/DialogService.h"
#include "listtools/ListSort.h"
#include "listtools/XlsWriter.h"
#include "store/DataDirectory.h"
#include "store/Database.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

using namespace moquan;

namespace {

void report(const char *what, qint64 ms, const char *goal)
{
    std::printf("%-44s %7lld ms   (%s)\n", what, static_cast<long long>(ms), goal);
}

void benchSort()
{
    QRandomGenerator rng(42);
    QList<ListRow> rows;
    rows.reserve(200000);
    for (int i = 0; i < 200000; ++i) {
        ListRow r;
        r.cells = {QStringLiteral("产品%1").arg(i), QStringLiteral("￥%1").arg(rng.bounded(5000)),
                   QStringLiteral("2011-%1-%2").arg(rng.bounded(1, 13)).arg(rng.bounded(1, 29))};
        r.hiddenValue = i;
        rows << r;
    }
    for (int col = 0; col < 3; ++col) {
        QList<ListRow> copy = rows;
        QElapsedTimer t;
        t.start();
        sortRows(copy, col, Qt::DescendingOrder);
        report(qPrintable(QStringLiteral("sort 200 000 rows, column %1").arg(col + 1)), t.elapsed(),
               "goal: well under 1000 ms");
    }
}

void benchProductList()
{
    Database &db = database();
    {
        Transaction tx(db);
        for (int i = 0; i < 10000; ++i)
            db.ExecuteSql(QStringLiteral("insert into 产品 (产品名称, 产品编号, 产品定价, 库存数, 类别, 大类别, "
                                         "使用天数, 快速取编号) values (?, ?, ?, ?, ?, ?, ?, ?)"),
                          {QStringLiteral("产品%1").arg(i), QStringLiteral("A%1").arg(i), 99.5, i % 7,
                           QStringLiteral("类别%1").arg(i % 20), QStringLiteral("品牌%1").arg(i % 5), 30,
                           QStringLiteral("CP%1").arg(i)});
        tx.commit();
    }
    QElapsedTimer t;
    t.start();
    {
        ProductListWindow w;
        w.show();
        QApplication::processEvents();
        const qint64 ms = t.elapsed();
        report(qPrintable(QStringLiteral("open the product list, %1 products listed").arg(w.model()->rowCount())),
               ms, "goal: no visible pause");
    }
}

void benchWorkbook()
{
    QTemporaryDir dir;
    QList<QList<QVariant>> rows;
    rows.reserve(70000);
    for (int i = 0; i < 70000; ++i)
        rows.append(QList<QVariant>{qint64(i), QStringLiteral("顾客%1").arg(i), QStringLiteral("产品%1").arg(i % 300),
                                    QStringLiteral("2011-03-05"), 84.15, qint64(i % 9)});
    QElapsedTimer t;
    t.start();
    QString error;
    const bool ok = saveXlsWorkbook(dir.filePath(QStringLiteral("销售列表.xls")), QStringLiteral("销售列表"),
                                    {QStringLiteral("ID"), QStringLiteral("购买顾客"), QStringLiteral("购买产品"),
                                     QStringLiteral("购买日期"), QStringLiteral("总金额"), QStringLiteral("数量")},
                                    rows, &error);
    report(ok ? "write a 70 000-row workbook" : "write a 70 000-row workbook FAILED", t.elapsed(),
           "for reference");
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("MOQUAN_MUTE", "1");
    QTemporaryDir home;
    qputenv("MOQUAN_HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    applyApplicationLook(app);
    ScriptedDialogs::installNew();
    appContext().resetForTest();
    database().open(databasePath());
    benchSort();
    benchProductList();
    benchWorkbook();
    database().close();
    return 0;
}
