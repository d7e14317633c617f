// ProductEditWindow driven through its named controls: the three modes, the
// quick code as the name is typed, pictures, save with the re-pricing of
// purchases and sales, delete, and the "+" buttons.
#include "app/AppContext.h"
#include "catalog/CatalogStore.h"
#include "catalog/ProductEditWindow.h"
#include "catalog/ProductListWindow.h"
#include "chrome/DialogService.h"
#include "chrome/FormKit.h"
#include "store/DataDirectory.h"
#include "store/Database.h"
#include "support/Drive.h"
#include "support/TestHome.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QInputMethodEvent>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace moquan;
using namespace moquan::testing;

namespace {

QLineEdit *edit(QWidget *w, const char *name)
{
    return w->findChild<QLineEdit *>(QString::fromUtf8(name));
}

QComboBox *combo(QWidget *w, const char *name)
{
    return w->findChild<QComboBox *>(QString::fromUtf8(name));
}

// Chinese text arrives as an input method's commit, as typed with a pinyin IME.
void typeChinese(QWidget *w, const QString &text)
{
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(w, &e);
}

} // namespace

class TestProductEditor : public QObject {
    Q_OBJECT
    std::unique_ptr<DatabaseHome> home;
    ScriptedDialogs *dlg = nullptr;
    CatalogStore store;

    // Brands 安利 (面霜, 洗发水) and 雅芳 (口红); the product 雪花膏 at 99.5
    // with two purchases and a sale.
    void seed()
    {
        for (const char *b : {"安利", "雅芳"})
            QCOMPARE(store.addBrand(b), CatalogResult::Ok);
        QCOMPARE(store.addCategory("安利", "面霜", ""), CatalogResult::Ok);
        QCOMPARE(store.addCategory("雅芳", "口红", ""), CatalogResult::Ok);
        QCOMPARE(store.addCategory("安利", "洗发水", ""), CatalogResult::Ok);
        ProductFields f;
        f.name = "雪花膏";
        f.number = "A001";
        f.price = "99.5";
        f.stock = "5";
        f.alertLevel = "2";
        f.daysOfUse = "30";
        f.category = "面霜";
        f.brand = "安利";
        f.introduction = "滋润";
        f.quickCode = "XHG1";
        f.picture = imageBytes("GIF");
        QCOMPARE(store.addProduct(f), CatalogResult::Ok);
        f.name = "口红一号";
        f.brand = "雅芳";
        f.category = "口红";
        QCOMPARE(store.addProduct(f), CatalogResult::Ok);
        for (int q : {3, 5})
            QVERIFY(database().ExecuteSql(
                "insert into 进货 (产品名称, 产品定价, 本次进货, 类别, 大类别) "
                "values ('雪花膏', 99.5, ?, '面霜', '安利')",
                {q}));
        QVERIFY(database().ExecuteSql("insert into 销售 (购买产品, 产品定价, 数量, 类别) "
                                      "values ('雪花膏', 99.5, 2, '面霜')"));
    }

    std::unique_ptr<ProductEditWindow> openEditor(int mode, const QString &name = {},
                                                  QWidget *parent = nullptr)
    {
        appContext().productEditMode = mode;
        appContext().handedOverProductName = name;
        return std::make_unique<ProductEditWindow>(parent);
    }

private Q_SLOTS:
    void init()
    {
        qputenv("MOQUAN_MUTE", "1");
        home = std::make_unique<DatabaseHome>();
        QVERIFY(home->opened());
        dlg = ScriptedDialogs::installNew();
    }
    void cleanup()
    {
        home.reset();
    }

    void formInAddMode()
    {
        seed();
        auto w = openEditor(1);
        QCOMPARE(w->size(), QSize(522, 440));
        QVERIFY(w->titleText().startsWith("    产品管理 -> 墨泉进销存 V1.4 "));
        QCOMPARE(edit(w.get(), "产品名称")->geometry(), QRect(71, 34, 200, 20));
        QCOMPARE(edit(w.get(), "快速助记词")->geometry(), QRect(369, 375, 128, 20));
        QCOMPARE(w->findChild<PictureBox *>("产品图片")->geometry(), QRect(293, 33, 216, 304));
        for (const char *name : {"产品定价", "库存数", "警戒库存", "产品编号", "预计可用天数"})
            QCOMPARE(edit(w.get(), name)->text(), QString("0"));
        for (const char *name : {"打开图片钮", "保存图片钮", "保存", "删除", "退出"})
            QCOMPARE(w->findChild<QPushButton *>(name)->size(), QSize(64, 22));
        QCOMPARE(w->findChild<QPushButton *>("保存")->text(), QString("保  存"));
        QVERIFY(!w->findChild<QPushButton *>("删除")->isEnabled());
        QCOMPARE(items(combo(w.get(), "所属品牌")), QStringList({"安利", "雅芳"}));
        QCOMPARE(combo(w.get(), "所属品牌")->currentText(), QString());
        QCOMPARE(combo(w.get(), "所属类别")->count(), 0);
        QCOMPARE(appContext().openWindow("ProductEditWindow"), w.get());
    }

    void quickCodeFollowsTheName()
    {
        auto w = openEditor(1);
        QLineEdit *name = edit(w.get(), "产品名称");
        QLineEdit *code = edit(w.get(), "快速助记词");
        typeChinese(name, "中国");
        QCOMPARE(code->text(), QString("ZG"));
        code->setText("自己写的");
        QTest::keyClicks(name, "a1");
        QCOMPARE(code->text(), QString("ZGA1"));
        name->setText("安利");
        QCOMPARE(code->text(), QString("AL"));
        name->setText(QString(60, QChar(u'中')));
        QCOMPARE(code->text(), QString(50, 'Z'));
    }

    void pickingABrandListsItsCategories()
    {
        seed();
        auto w = openEditor(1);
        QComboBox *brand = combo(w.get(), "所属品牌");
        emit brand->activated(0);
        QCOMPARE(items(combo(w.get(), "所属类别")), QStringList({"面霜", "洗发水"}));
        QCOMPARE(combo(w.get(), "所属类别")->currentText(), QString("面霜"));
        brand->setCurrentIndex(1);
        emit brand->activated(1);
        QCOMPARE(items(combo(w.get(), "所属类别")), QStringList({"口红"}));
    }

    void addAProduct()
    {
        seed();
        const QString jpeg = home->file("photo.jpg");
        writeFile(jpeg, imageBytes("JPEG"));
        auto w = openEditor(1);
        w->show();
        edit(w.get(), "产品名称")->setText("洗发露");
        combo(w.get(), "所属品牌")->setCurrentIndex(0);
        emit combo(w.get(), "所属品牌")->activated(0);
        combo(w.get(), "所属类别")->setCurrentIndex(1);
        edit(w.get(), "产品定价")->setText("45.8");
        edit(w.get(), "库存数")->setText("12");
        edit(w.get(), "预计可用天数")->setText("60");
        w->findChild<TextEdit *>("产品介绍")->setText("第一行\n第二行");
        dlg->answerFile(jpeg);
        click(w.get(), "打开图片钮");
        click(w.get(), "保存");
        QCOMPARE(dlg->lastMessage(), QString("添加成功"));
        QCOMPARE(dlg->lastTitle(), QString("成功"));
        QVERIFY(!w->isVisible());
        QCOMPARE(appContext().productEditMode, 0);

        const std::optional<Product> p = store.product("洗发露");
        QVERIFY(p);
        QCOMPARE(p->brand, QString("安利"));
        QCOMPARE(p->category, QString("洗发水"));
        QCOMPARE(p->price, 45.8);
        QCOMPARE(p->stock, 12);
        QCOMPARE(p->daysOfUse, 60);
        QCOMPARE(p->introduction, QString("第一行\n第二行"));
        QCOMPARE(p->quickCode, QString("XFL"));
        QCOMPARE(p->picture, fileBytes(jpeg));
        QCOMPARE(one("select count(*) from 进货 where 产品名称='洗发露'"), QString("0"));
    }

    void addRefusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("message");
        QTest::newRow("name exists") << "雪花膏" << "1" << "雪花膏已经存在拉!";
        QTest::newRow("price not a number") << "新产品" << "十块" << "添加失败";
    }
    void addRefusals()
    {
        QFETCH(QString, name);
        QFETCH(QString, price);
        QFETCH(QString, message);
        seed();
        auto w = openEditor(1);
        w->show();
        edit(w.get(), "产品名称")->setText(name);
        edit(w.get(), "产品定价")->setText(price);
        click(w.get(), "保存");
        QCOMPARE(dlg->lastMessage(), message);
        QCOMPARE(dlg->lastTitle(), QString("失败"));
        QVERIFY(w->isVisible());
        QCOMPARE(edit(w.get(), "产品名称")->text(), name);
        QCOMPARE(one("select count(*) from 产品"), QString("2"));
    }

    void editLoadsTheHandedOverProduct()
    {
        seed();
        auto w = openEditor(3, "雪花膏");
        QCOMPARE(w->keyName(), QString("雪花膏"));
        QVERIFY(w->findChild<QPushButton *>("删除")->isEnabled());
        QCOMPARE(edit(w.get(), "产品名称")->text(), QString("雪花膏"));
        QCOMPARE(combo(w.get(), "所属品牌")->currentText(), QString("安利"));
        QCOMPARE(combo(w.get(), "所属类别")->currentText(), QString("面霜"));
        QCOMPARE(items(combo(w.get(), "所属类别")), QStringList({"面霜", "洗发水"}));
        QCOMPARE(edit(w.get(), "产品定价")->text(), QString("99")); // whole part
        QCOMPARE(edit(w.get(), "库存数")->text(), QString("5"));
        QCOMPARE(edit(w.get(), "警戒库存")->text(), QString("2"));
        QCOMPARE(edit(w.get(), "产品编号")->text(), QString("A001"));
        QCOMPARE(edit(w.get(), "预计可用天数")->text(), QString("30"));
        QCOMPARE(w->findChild<TextEdit *>("产品介绍")->text(), QString("滋润"));
        QCOMPARE(edit(w.get(), "快速助记词")->text(), QString("XHG1")); // stored code wins
        QCOMPARE(w->findChild<PictureBox *>("产品图片")->bytes(), imageBytes("GIF"));
    }

    void editFromTheSaleEntry()
    {
        seed();
        QWidget sale;
        auto *box = new QLineEdit(&sale);
        box->setObjectName("购买产品");
        box->setText("口红一号");
        appContext().registerWindow("SaleEntryWindow", &sale);
        auto w = openEditor(2);
        QCOMPARE(w->keyName(), QString("口红一号"));
        QCOMPARE(combo(w.get(), "所属品牌")->currentText(), QString("雅芳"));
    }

    void saveCarriesTheChangeIntoPurchasesAndSales()
    {
        seed();
        auto w = openEditor(3, "雪花膏");
        w->show();
        edit(w.get(), "产品名称")->setText("雪花膏二代");
        edit(w.get(), "产品编号")->setText("A002");
        combo(w.get(), "所属类别")->setEditText("洗发水");
        click(w.get(), "保存");
        QCOMPARE(dlg->lastMessage(), QString("修改成功"));
        QCOMPARE(dlg->lastTitle(), QString("提示"));
        QVERIFY(!w->isVisible());

        QVERIFY(!store.productExists("雪花膏"));
        const std::optional<Product> p = store.product("雪花膏二代");
        QCOMPARE(p->price, 99.0); // the whole part shown is what is saved
        QCOMPARE(p->quickCode, QString("XHGED"));
        QCOMPARE(p->picture, imageBytes("GIF"));
        QCOMPARE(one("select group_concat(产品编号 || '/' || 产品定价 || '/' || 进货合计 || '/' || 类别, ' ') "
                     "from 进货 where 产品名称='雪花膏二代'"),
                 QString("A002/99.0/297.0/洗发水 A002/99.0/495.0/洗发水"));
        QCOMPARE(one("select 总金额 || '/' || 总净额 from 销售 where 购买产品='雪花膏二代'"),
                 QString("198.0/168.3"));
    }

    void editRefusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stock");
        QTest::addColumn<QString>("message");
        QTest::newRow("another product's name") << "口红一号" << "5" << "口红一号已经存在拉!";
        QTest::newRow("stock not a number") << "雪花膏" << "五" << "修改失败";
    }
    void editRefusals()
    {
        QFETCH(QString, name);
        QFETCH(QString, stock);
        QFETCH(QString, message);
        seed();
        auto w = openEditor(3, "雪花膏");
        w->show();
        edit(w.get(), "产品名称")->setText(name);
        edit(w.get(), "库存数")->setText(stock);
        click(w.get(), "保存");
        QCOMPARE(dlg->lastMessage(), message);
        QVERIFY(w->isVisible());
        QCOMPARE(one("select 库存数 from 产品 where 产品名称='雪花膏'"), QString("5"));
    }

    void deleteActsOnTheProductShown()
    {
        seed();
        auto w = openEditor(3, "雪花膏");
        w->show();
        dlg->answer(DialogAnswer::Cancel);
        click(w.get(), "删除");
        QVERIFY(store.productExists("雪花膏"));
        QVERIFY(w->isVisible());
        click(w.get(), "删除");
        QCOMPARE(dlg->lastMessage(), QString("真要删除这条记录吗？"));
        QVERIFY(!store.productExists("雪花膏"));
        QVERIFY(store.productExists("口红一号"));
        QVERIFY(!w->isVisible());
        QCOMPARE(one("select count(*) from 进货"), QString("2")); // purchases stay
    }

    void deleteFromTheListActsOnItsSelectedRow()
    {
        seed();
        ProductListWindow list;
        list.show();
        auto w = openEditor(3, "雪花膏", &list);
        w->show();
        // Nothing selected in the list: nothing happens.
        list.view()->setCurrentRow(-1);
        click(w.get(), "删除");
        QVERIFY(dlg->shown.isEmpty());

        const int row = list.model()->text(0, 0) == "雪花膏" ? 0 : 1;
        list.view()->setCurrentRow(row);
        click(w.get(), "删除");
        QVERIFY(!store.productExists("雪花膏"));
        QCOMPARE(list.model()->rowCount(), 1);
        QCOMPARE(list.model()->text(0, 0), QString("口红一号"));
    }

    void openAndSavePictures_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("JPEG") << QByteArray("JPEG");
        QTest::newRow("BMP") << QByteArray("BMP");
        QTest::newRow("GIF") << QByteArray("GIF");
    }
    void openAndSavePictures()
    {
        QFETCH(QByteArray, format);
        const QString source = home->file("in." + format.toLower());
        writeFile(source, imageBytes(format.constData()));
        QVERIFY(!QImage::fromData(fileBytes(source)).isNull());
        auto w = openEditor(1);
        auto *box = w->findChild<PictureBox *>("产品图片");

        dlg->answerFile(source);
        click(w.get(), "打开图片钮");
        QCOMPARE(dlg->shown.last().text, QString("请选择打开文件："));
        QCOMPARE(box->bytes(), fileBytes(source));
        QVERIFY(box->hasPicture());

        // No extension: ".jpg" is added; an extension is kept.
        dlg->answerFile(home->file("out"));
        click(w.get(), "保存图片钮");
        QCOMPARE(dlg->shown.last().text, QString("请请输入文件名："));
        QCOMPARE(fileBytes(home->file("out.jpg")), fileBytes(source));
        dlg->answerFile(home->file("copy.jpg"));
        click(w.get(), "保存图片钮");
        QCOMPARE(fileBytes(home->file("copy.jpg")), fileBytes(source));
        QVERIFY(!QFile::exists(home->file("copy.jpg.jpg")));
    }

    void pictureDialogsCancelledOrRefused()
    {
        auto w = openEditor(1);
        auto *box = w->findChild<PictureBox *>("产品图片");
        // No picture yet: nothing to save, no file written.
        click(w.get(), "保存图片钮");
        QCOMPARE(dlg->shown.last().kind, QString("message"));
        dlg->clear();

        const QString text = home->file("notes.jpg");
        writeFile(text, "not a picture");
        dlg->answerFile(text);
        click(w.get(), "打开图片钮");
        QCOMPARE(dlg->lastTitle(), QString("失败"));
        QVERIFY(box->bytes().isEmpty());

        const QString gif = home->file("a.gif");
        writeFile(gif, imageBytes("GIF"));
        dlg->answerFile(gif);
        click(w.get(), "打开图片钮");
        dlg->answerCancel();
        click(w.get(), "打开图片钮");
        QCOMPARE(box->bytes(), imageBytes("GIF"));
        dlg->answerCancel();
        click(w.get(), "保存图片钮");
        QCOMPARE(QDir(home->path()).entryList(QDir::Files).filter(".jpg").size(), 1); // notes.jpg
    }

    void plusButtonsOpenBrandAndCategoryWindows()
    {
        seed();
        auto w = openEditor(3, "雪花膏");
        w->show();
        whenOpen("BrandWindow", [](QWidget *) {});
        click(w.get(), "增加品牌");
        // CategoryWindow closing lists this brand's categories again.
        whenOpen("CategoryWindow", [this](QWidget *) {
            QCOMPARE(store.addCategory("安利", "精华", ""), CatalogResult::Ok);
        });
        click(w.get(), "增加类别");
        QCOMPARE(items(combo(w.get(), "所属类别")), QStringList({"面霜", "洗发水", "精华"}));
        QCOMPARE(combo(w.get(), "所属类别")->currentText(), QString("面霜"));
    }

    void stockPlusAndReopening()
    {
        seed();
        QWidget purchase;
        appContext().registerWindow("PurchaseEntryWindow", &purchase);
        {
            auto w = openEditor(3, "雪花膏");
            QVERIFY(!w->findChild<QPushButton *>("增加库存")->isEnabled());
        }
        appContext().registerWindow("PurchaseEntryWindow", nullptr);
        auto w = openEditor(3, "雪花膏");
        QVERIFY(w->findChild<QPushButton *>("增加库存")->isEnabled());
        click(w.get(), "增加库存");
        QCOMPARE(appContext().handedOverProductName, QString("雪花膏"));
        // After a purchase the editor shows the new stock, each category once.
        QVERIFY(database().ExecuteSql("update 产品 set 库存数 = 库存数 + 3 where 产品名称 = '雪花膏'"));
        w->reopen();
        QCOMPARE(edit(w.get(), "库存数")->text(), QString("8"));
        QCOMPARE(items(combo(w.get(), "所属类别")), QStringList({"面霜", "洗发水"}));
        QCOMPARE(items(combo(w.get(), "所属品牌")), QStringList({"安利", "雅芳"}));
    }
};

QTEST_MAIN(TestProductEditor)
#include "tst_producteditor.moc"
