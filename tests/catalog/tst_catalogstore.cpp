// Brands, categories and products in the database: duplicate refusals, the
// renames carried into every table (all or nothing), product save with the
// re-pricing of its purchases and sales.
#include "catalog/CatalogStore.h"
#include "store/DataDirectory.h"
#include "store/Database.h"
#include "support/Drive.h"
#include "support/TestHome.h"

#include <QTest>
#include <memory>

using namespace moquan;
using namespace moquan::testing;

namespace {

void addPurchase(const QString &product, int quantity, const QString &category,
                 const QString &brand)
{
    exec("insert into 进货 (产品名称, 产品编号, 进货日期, 产品定价, 净额, 本次进货, 进货合计, "
         "进货净额, 类别, 大类别) values (?, 'N0', '2011-03-05', 10, 8.5, ?, 0, 0, ?, ?)",
         {product, quantity, category, brand});
}

void addSale(const QString &product, int quantity, const QString &category)
{
    exec("insert into 销售 (购买顾客, 购买产品, 产品编号, 购买日期, 预期用至, 产品定价, 净额, 数量, "
         "总金额, 总净额, 类别) values ('张三', ?, 'N0', '2011-03-05', '2011-4-5', 10, 8.5, ?, 0, 0, ?)",
         {product, quantity, category});
}

ProductFields fields(const QString &name, const QString &price = "10")
{
    ProductFields f;
    f.name = name;
    f.number = "P1";
    f.price = price;
    f.stock = "5";
    f.alertLevel = "1";
    f.category = "面霜";
    f.brand = "安利";
    f.daysOfUse = "30";
    f.introduction = "介绍";
    f.quickCode = "QC";
    return f;
}

// Makes the next UPDATE of a table fail, as a full disk or a locked file would.
void breakUpdatesOf(const QString &table)
{
    exec(QStringLiteral("create temp trigger fail_update before update on main.%1 "
                        "begin select raise(abort, 'broken'); end")
             .arg(table));
}

// All brand, category and product names in every table, for "nothing changed".
QStringList snapshot()
{
    QStringList s;
    s << column("select 品牌 from 品牌 order by rowid")
      << column("select 类别名称 || '/' || 所属品牌 || '/' || 净额比例 from 类别 order by rowid")
      << column("select 产品名称 || '/' || 类别 || '/' || 大类别 || '/' || 产品定价 from 产品 order by ID")
      << column("select 产品名称 || '/' || 类别 || '/' || 大类别 || '/' || 进货合计 from 进货 order by id")
      << column("select 购买产品 || '/' || 类别 || '/' || 总金额 from 销售 order by ID");
    return s;
}

} // namespace

class TestCatalogStore : public QObject {
    Q_OBJECT
    std::unique_ptr<DatabaseHome> home;
    CatalogStore store;

    // Two brands, a category under each, a product of 安利 with a purchase and a sale.
    void seed()
    {
        QCOMPARE(store.addBrand("安利"), CatalogResult::Ok);
        QCOMPARE(store.addBrand("雅芳"), CatalogResult::Ok);
        QCOMPARE(store.addCategory("安利", "面霜", ""), CatalogResult::Ok);
        QCOMPARE(store.addCategory("雅芳", "口红", "0.3"), CatalogResult::Ok);
        QCOMPARE(store.addProduct(fields("雪花膏")), CatalogResult::Ok);
        addPurchase("雪花膏", 3, "面霜", "安利");
        addSale("雪花膏", 2, "面霜");
    }

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

    void brandNamesAreUnique_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("result");
        QTest::newRow("new") << "雅芳" << int(CatalogResult::Ok);
        QTest::newRow("same") << "Amway" << int(CatalogResult::Exists);
        QTest::newRow("other case") << "AMWAY" << int(CatalogResult::Exists);
        QTest::newRow("empty") << "" << int(CatalogResult::Exists);
        QTest::newRow("quote and percent") << "O'Neil 100%" << int(CatalogResult::Ok);
    }
    void brandNamesAreUnique()
    {
        QFETCH(QString, name);
        QFETCH(int, result);
        QCOMPARE(store.addBrand("Amway"), CatalogResult::Ok);
        QCOMPARE(int(store.addBrand(name)), result);
        const QStringList expected = result == int(CatalogResult::Ok)
            ? QStringList{"Amway", name}
            : QStringList{"Amway"};
        QCOMPARE(store.brands(), expected);
    }

    void renameBrandCarriesTheName()
    {
        seed();
        QCOMPARE(store.renameBrand("安利", "安利中国"), CatalogResult::Ok);
        QCOMPARE(store.brands(), QStringList({"安利中国", "雅芳"}));
        QCOMPARE(one("select 大类别 from 产品 where 产品名称='雪花膏'"), QString("安利中国"));
        QCOMPARE(one("select 所属品牌 from 类别 where 类别名称='面霜'"), QString("安利中国"));
        QCOMPARE(one("select 大类别 from 进货"), QString("安利中国"));
        QCOMPARE(one("select 所属品牌 from 类别 where 类别名称='口红'"), QString("雅芳"));
        // Refused: the unchanged name, another brand's name, the empty name.
        for (const QString &name : {QString("安利中国"), QString("雅芳"), QString()})
            QCOMPARE(store.renameBrand("安利中国", name), CatalogResult::Exists);
        // Letter case alone may change.
        QCOMPARE(store.addBrand("amway"), CatalogResult::Ok);
        QCOMPARE(store.renameBrand("amway", "Amway"), CatalogResult::Ok);
    }

    void failedRenameChangesNothing_data()
    {
        QTest::addColumn<QString>("brokenTable");
        QTest::addColumn<bool>("brand"); // brand rename, else category edit
        QTest::newRow("brand: 品牌") << "品牌" << true;
        QTest::newRow("brand: 类别") << "类别" << true;
        QTest::newRow("brand: 进货 (last)") << "进货" << true;
        QTest::newRow("category: 产品") << "产品" << false;
        QTest::newRow("category: 销售 (last)") << "销售" << false;
    }
    void failedRenameChangesNothing()
    {
        QFETCH(QString, brokenTable);
        QFETCH(bool, brand);
        seed();
        const QStringList before = snapshot();
        breakUpdatesOf(brokenTable);
        if (brand)
            QCOMPARE(store.renameBrand("安利", "新品牌"), CatalogResult::Failed);
        else
            QCOMPARE(store.editCategory("面霜", "安利", "晚霜", "0.5"), CatalogResult::Failed);
        QCOMPARE(snapshot(), before);
        QVERIFY(!database().inTransaction());
    }

    void categoryBrandIsCheckedExactly_data()
    {
        QTest::addColumn<QString>("brand");
        QTest::addColumn<int>("result");
        QTest::newRow("exact, a longer brand listed first") << "A" << int(CatalogResult::Ok);
        QTest::newRow("part of a brand") << "B" << int(CatalogResult::NoSuchBrand);
        QTest::newRow("other case") << "a" << int(CatalogResult::NoSuchBrand);
        QTest::newRow("empty") << "" << int(CatalogResult::NoSuchBrand);
    }
    void categoryBrandIsCheckedExactly()
    {
        QFETCH(QString, brand);
        QFETCH(int, result);
        QCOMPARE(store.addBrand("AB"), CatalogResult::Ok);
        QCOMPARE(store.addBrand("A"), CatalogResult::Ok);
        QCOMPARE(int(store.addCategory(brand, "面霜", "")), result);
        QCOMPARE(int(store.editCategory("面霜", brand, "面霜", "")), result);
    }

    void categoryNamesAreUnique()
    {
        seed();
        QCOMPARE(store.categories().first().ratio, QString("0")); // empty ratio stored as 0
        QCOMPARE(store.addCategory("雅芳", "面霜", "1"), CatalogResult::Exists);
        QCOMPARE(store.addCategory("雅芳", "", "1"), CatalogResult::Exists);
        QCOMPARE(store.editCategory("面霜", "安利", "口红", "1"), CatalogResult::Exists);
        QCOMPARE(store.categories().size(), 2);
        // Keeping its own name and changing the ratio and brand is fine.
        QCOMPARE(store.editCategory("面霜", "雅芳", "面霜", "abc"), CatalogResult::Ok);
        QCOMPARE(store.category("面霜")->ratio, QString("abc"));
        QCOMPARE(store.categoryNames("雅芳"), QStringList({"面霜", "口红"}));
    }

    void editCategoryCarriesTheName()
    {
        seed();
        QCOMPARE(store.editCategory("面霜", "安利", "晚霜", "0.5"), CatalogResult::Ok);
        QCOMPARE(one("select count(*) from 类别 where 类别名称='晚霜' and 净额比例='0.5'"), QString("1"));
        QCOMPARE(one("select 类别 from 产品"), QString("晚霜"));
        QCOMPARE(one("select 类别 from 进货"), QString("晚霜"));
        QCOMPARE(one("select 类别 from 销售"), QString("晚霜"));
        QCOMPARE(store.category("面霜"), std::nullopt);
    }

    void deletesTouchOnlyTheirOwnTable()
    {
        seed();
        QVERIFY(store.deleteBrand("安利"));
        QCOMPARE(store.brands(), QStringList{"雅芳"});
        QCOMPARE(store.category("面霜")->brand, QString("安利"));
        QVERIFY(store.deleteCategories({"面霜", "口红"}));
        QVERIFY(store.categories().isEmpty());
        QVERIFY(store.deleteProduct("雪花膏"));
        QVERIFY(!store.productExists("雪花膏"));
        QCOMPARE(one("select count(*) from 进货"), QString("1"));
        QCOMPARE(one("select count(*) from 销售"), QString("1"));
    }

    void productNumbersMustBeNumbers_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("result");
        QTest::newRow("price with fraction") << "price" << "99.5" << int(CatalogResult::Ok);
        QTest::newRow("blank-padded stock") << "stock" << " 7 " << int(CatalogResult::Ok);
        QTest::newRow("price text") << "price" << "abc" << int(CatalogResult::Invalid);
        QTest::newRow("empty price") << "price" << "" << int(CatalogResult::Invalid);
        QTest::newRow("fraction of stock") << "stock" << "1.5" << int(CatalogResult::Invalid);
        QTest::newRow("empty days") << "days" << "" << int(CatalogResult::Invalid);
        QTest::newRow("alert beyond long") << "alert" << "3000000000" << int(CatalogResult::Invalid);
    }
    void productNumbersMustBeNumbers()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(int, result);
        ProductFields f = fields("雪花膏");
        (field == "price" ? f.price : field == "stock" ? f.stock
                                    : field == "days"  ? f.daysOfUse
                                                       : f.alertLevel) = text;
        QCOMPARE(int(store.addProduct(f)), result);
        QCOMPARE(store.productExists("雪花膏"), result == int(CatalogResult::Ok));
    }

    void addProductStoresWhatWasTyped()
    {
        ProductFields f = fields("产品'A_%");
        f.quickCode = QString(60, 'Q');
        f.picture = QByteArray("GIF89a\x01\x00\x01\x00\x00\xff\x00", 13);
        QCOMPARE(store.addProduct(f), CatalogResult::Ok);
        const std::optional<Product> p = store.product("产品'A_%");
        QVERIFY(p);
        QCOMPARE(p->quickCode, QString(50, 'Q'));
        QCOMPARE(p->picture, f.picture);
        QCOMPARE(p->stock, 5);
        QCOMPARE(p->daysOfUse, 30);
        QCOMPARE(store.addProduct(fields("产品'a_%")), CatalogResult::Exists);
    }

    void saveProductRepricesPurchasesAndSales()
    {
        seed();
        QCOMPARE(store.addProduct(fields("口红一号")), CatalogResult::Ok);
        addPurchase("雪花膏", 5, "面霜", "安利");
        addPurchase("口红一号", 4, "口红", "雅芳");
        ProductFields f = fields("雪花膏二代", "99.5");
        f.number = "X2";
        f.category = "晚霜";
        f.brand = "雅芳";
        QCOMPARE(store.saveProduct("雪花膏", f), CatalogResult::Ok);

        const std::optional<Product> p = store.product("雪花膏二代");
        QVERIFY(p);
        QCOMPARE(p->price, 99.5);
        QCOMPARE(p->brand, QString("雅芳"));
        QVERIFY(!store.productExists("雪花膏"));
        // W = 99: each row's amounts follow its own quantity; the brand of a
        // purchase row stays.
        QCOMPARE(column("select 产品编号 || '/' || 产品定价 || '/' || 净额 || '/' || 进货合计 || '/' || "
                        "进货净额 || '/' || 类别 || '/' || 大类别 from 进货 where 产品名称='雪花膏二代' "
                        "order by id"),
                 QStringList({"X2/99.5/84.15/297.0/252.45/晚霜/安利",
                              "X2/99.5/84.15/495.0/420.75/晚霜/安利"}));
        QCOMPARE(column("select 产品编号 || '/' || 产品定价 || '/' || 净额 || '/' || 总金额 || '/' || "
                        "总净额 || '/' || 类别 from 销售 where 购买产品='雪花膏二代'"),
                 QStringList({"X2/99.5/84.15/198.0/168.3/晚霜"}));
        // The other product's rows are untouched.
        QCOMPARE(one("select 进货合计 from 进货 where 产品名称='口红一号'"), QString("0"));
    }

    void saveProductRefusesAnotherProductsName()
    {
        seed();
        QCOMPARE(store.addProduct(fields("口红一号")), CatalogResult::Ok);
        QCOMPARE(store.saveProduct("雪花膏", fields("口红一号")), CatalogResult::Exists);
        QCOMPARE(store.saveProduct("雪花膏", fields("雪花膏", "12")), CatalogResult::Ok);
        QCOMPARE(store.product("雪花膏")->price, 12.0);
        // A product that is not there (deleted meanwhile) is not reported saved.
        QCOMPARE(store.saveProduct("没有", fields("没有")), CatalogResult::Failed);
        QVERIFY(!store.productExists("没有"));
    }

    void failedProductSaveChangesNothing_data()
    {
        QTest::addColumn<QString>("brokenTable");
        QTest::newRow("进货") << "进货";
        QTest::newRow("销售 (last)") << "销售";
    }
    void failedProductSaveChangesNothing()
    {
        QFETCH(QString, brokenTable);
        seed();
        const QStringList before = snapshot();
        breakUpdatesOf(brokenTable);
        QCOMPARE(store.saveProduct("雪花膏", fields("新名字", "50")), CatalogResult::Failed);
        QCOMPARE(snapshot(), before);
    }

    void closedDatabaseFails()
    {
        database().close();
        QCOMPARE(store.addBrand("A"), CatalogResult::Failed);
        QCOMPARE(store.renameBrand("A", "B"), CatalogResult::Failed);
        QCOMPARE(store.addProduct(fields("x")), CatalogResult::Failed);
        QVERIFY(!store.deleteProduct("x"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogStore)
#include "tst_catalogstore.moc"
