#include "store/Backup.h"
#include "store/DataDirectory.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

using namespace moquan;

class TestDatabase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void createsTheEightTablesInOrder()
    {
        TestHome home;
        Database db;
        QCOMPARE(db.open(databasePath()), Database::OpenResult::Created);
        const QStringList expected = {"备忘", "产品", "顾客", "进货", "课程", "类别", "品牌", "销售"};
        QCOMPARE(tableNames(), expected);
        for (const QString &table : expected) {
            Recordset rs = db.Query(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
            QStringList cols;
            for (; !rs.IsEOF(); rs.MoveNext())
                cols << rs.text("name");
            QCOMPARE(cols, tableColumns(table));
            Recordset count = db.Query(QStringLiteral("select count(*) from \"%1\"").arg(table));
            QCOMPARE(count.ReadColByIndex(1).toLongLong(), 0);
        }
        QCOMPARE(tableColumns("销售").first(), QString("ID"));
        QCOMPARE(tableColumns("产品").size(), 12);
        QCOMPARE(tableColumns("顾客").size(), 19);
        db.close();
        // An existing file is opened as it is.
        QCOMPARE(db.open(databasePath()), Database::OpenResult::Opened);
    }

    void foreignFilesAreLeftUntouched_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("result");
        QTest::newRow("text file") << QByteArray("not a database at all, just some text\n")
                                   << int(Database::OpenResult::NotADatabase);
        QTest::newRow("other sqlite db") << QByteArray() << int(Database::OpenResult::MissingTables);
    }
    void foreignFilesAreLeftUntouched()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, result);
        TestHome home;
        const QString path = databasePath();
        if (content.isEmpty()) {
            Database other;
            QVERIFY(other.open(home.file("other.db")) == Database::OpenResult::Created);
            QVERIFY(other.ExecuteSql("DROP TABLE 品牌"));
            other.close();
            QVERIFY(QFile::copy(home.file("other.db"), path));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        QFile before(path);
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray bytes = before.readAll();
        before.close();
        Database db;
        QCOMPARE(int(db.open(path)), result);
        QVERIFY(!db.isOpen());
        QVERIFY(!db.Query("select * from 产品").isValid());
        QVERIFY(!db.ExecuteSql("delete from 产品"));
        QFile after(path);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), bytes);
    }

    void zeroByteFileCountsAsMissing()
    {
        TestHome home;
        QFile f(databasePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        Database db;
        QCOMPARE(db.open(databasePath()), Database::OpenResult::Created);
    }

    void valuesAreBoundNotPasted()
    {
        TestHome home;
        Database db;
        db.open(databasePath());
        const QString name = QStringLiteral("O'Neil 100% _x_");
        QVERIFY(db.ExecuteSql("insert into 品牌 (品牌) values (?)", {name}));
        QVERIFY(db.ExecuteSql("insert into 品牌 (品牌) values (?)", {QStringLiteral("O'Neil 1000 ax")}));
        Recordset rs = db.Query("select * from 品牌 where 品牌=?", {name});
        QCOMPARE(rs.text("品牌"), name);
        rs.MoveNext();
        QVERIFY(rs.IsEOF());
        // Missing rows and columns read as the empty text, which is 0 as a number.
        Recordset none = db.Query("select * from 产品 where 产品名称=?", {"无"});
        QVERIFY(none.IsEOF());
        QCOMPARE(none.ReadColByName("库存数").toString(), QString());
        QCOMPARE(none.integer("库存数"), 0);
        QCOMPARE(rs.ReadColByName("没有这列").toString(), QString());
    }

    void typesAreEnforced()
    {
        TestHome home;
        Database db;
        db.open(databasePath());
        QVERIFY(db.ExecuteSql("insert into 产品 (产品名称, 库存数, 产品定价) values (?, ?, ?)",
                              {"A", "12", "99.5"}));
        Recordset rs = db.Query("select 库存数, 产品定价 from 产品");
        QCOMPARE(rs.ReadColByName("库存数").typeId(), int(QMetaType::LongLong));
        QCOMPARE(rs.integer("库存数"), 12);
        QCOMPARE(rs.number("产品定价"), 99.5);
        QVERIFY(!db.ExecuteSql("insert into 产品 (产品名称, 库存数) values (?, ?)", {"B", "abc"}));
        QVERIFY(!db.ExecuteSql("insert into 品牌 (品牌) values (?)", {QString(51, QChar(u'字'))}));
        QVERIFY(db.ExecuteSql("insert into 品牌 (品牌) values (?)", {QString(50, QChar(u'字'))}));
        // Picture bytes come back unchanged.
        QByteArray picture("GIF89a\x00\x01\xff", 9);
        QVERIFY(db.ExecuteSqlWithBytes("update 产品 set 产品图片=? where 产品名称=?", picture, {"A"}));
        QCOMPARE(db.Query("select 产品图片 from 产品").bytes("产品图片"), picture);
        // Table and column names are matched without regard to Latin case.
        QVERIFY(db.Query("select id from 产品 where ID=1").isValid());
    }

    void transactionRollsBackTogether()
    {
        TestHome home;
        Database db;
        db.open(databasePath());
        {
            Transaction tx(db);
            QVERIFY(db.ExecuteSql("insert into 品牌 (品牌) values (?)", {"甲"}));
            QVERIFY(!db.ExecuteSql("insert into 产品 (库存数) values (?)", {"x"}));
        } // no commit
        QVERIFY(db.Query("select * from 品牌").IsEOF());
        {
            Transaction tx(db);
            QVERIFY(db.ExecuteSql("insert into 品牌 (品牌) values (?)", {"乙"}));
            QVERIFY(tx.commit());
        }
        QCOMPARE(db.Query("select * from 品牌").text("品牌"), QString("乙"));
    }

    void backupIsACheckedCopyPrunedToFive()
    {
        TestHome home;
        Database db;
        db.open(databasePath());
        db.ExecuteSql("insert into 品牌 (品牌) values (?)", {"安利"});
        QDir().mkpath(backupDirectory());
        for (int d = 1; d <= 6; ++d) {
            QFile f(backupDirectory() + "/" + backupFileName(QDate(2011, 3, d)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QFile other(backupDirectory() + "/手工备份.kemotari");
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        QString error;
        QVERIFY2(makeBackup(db, QDate(2011, 3, 7), &error), qPrintable(error));
        QVERIFY2(makeBackup(db, QDate(2011, 3, 7), &error), qPrintable(error));
        const QStringList set = backupSet();
        QCOMPARE(set.size(), 5);
        QCOMPARE(set.first(), backupFileName(QDate(2011, 3, 3)));
        QCOMPARE(set.last(), QString("自动备份2011年03月07日.kemotari"));
        QVERIFY(QFile::exists(backupDirectory() + "/手工备份.kemotari"));
        const QString copy = backupDirectory() + "/" + set.last();
        QVERIFY(isGoodDatabaseFile(copy));
        Database restored;
        QCOMPARE(restored.open(copy), Database::OpenResult::Opened);
        QCOMPARE(restored.Query("select * from 品牌").text("品牌"), QString("安利"));
        QVERIFY(QDir(backupDirectory()).entryList({"*.tmp"}, QDir::Files).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
