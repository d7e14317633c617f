// BrandWindow, CategoryWindow and CategoryEditWindow driven through their
// named controls with scripted dialogs.
#include "app/AppContext.h"
#include "catalog/BrandWindow.h"
#include "catalog/CatalogStore.h"
#include "catalog/CategoryEditWindow.h"
#include "catalog/CategoryWindow.h"
#include "chrome/DialogService.h"
#include "chrome/FormKit.h"
#include "store/DataDirectory.h"
#include "store/Database.h"
#include "support/Drive.h"
#include "support/TestHome.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace moquan;
using namespace moquan::testing;

class TestBrandCategory : public QObject {
    Q_OBJECT
    std::unique_ptr<DatabaseHome> home;
    ScriptedDialogs *dlg = nullptr;
    CatalogStore store;

    void seed()
    {
        QCOMPARE(store.addBrand("安利"), CatalogResult::Ok);
        QCOMPARE(store.addBrand("雅芳"), CatalogResult::Ok);
        QCOMPARE(store.addCategory("安利", "面霜", "0.2"), CatalogResult::Ok);
        QCOMPARE(store.addCategory("雅芳", "口红", "0.3"), CatalogResult::Ok);
        ProductFields f;
        f.name = "雪花膏";
        f.price = f.stock = f.alertLevel = f.daysOfUse = "1";
        f.category = "面霜";
        f.brand = "安利";
        QCOMPARE(store.addProduct(f), CatalogResult::Ok);
        QVERIFY(database().ExecuteSql(
            "insert into 进货 (产品名称, 本次进货, 类别, 大类别) values ('雪花膏', 1, '面霜', '安利')"));
        QVERIFY(database().ExecuteSql(
            "insert into 销售 (购买产品, 数量, 类别) values ('雪花膏', 1, '面霜')"));
    }

private Q_SLOTS:
    void init()
    {
        qputenv("MOQUAN_MUTE", "1");
        home = std::make_unique<DatabaseHome>();
        QVERIFY(home->opened());
        dlg = ScriptedDialogs::installNew();
        appContext().categoryEditMode = 0;
    }
    void cleanup()
    {
        home.reset();
    }

    void brandWindowForm()
    {
        BrandWindow w;
        QCOMPARE(w.size(), QSize(225, 213));
        QVERIFY(w.titleText().startsWith("    品牌管理墨泉进销存 V1.4 "));
        QCOMPARE(w.findChild<QListWidget *>("品牌列表")->geometry(), QRect(9, 27, 208, 152));
        QCOMPARE(w.findChild<QPushButton *>("退出")->geometry(), QRect(184, 184, 32, 22));
        QCOMPARE(appContext().openWindow("BrandWindow"), &w);
    }

    void addBrands()
    {
        BrandWindow w;
        auto *list = w.findChild<QListWidget *>("品牌列表");
        dlg->answerText("安利");
        click(&w, "增加品牌");
        QCOMPARE(dlg->lastMessage(), QString("添加成功"));
        QCOMPARE(dlg->lastTitle(), QString("成功"));
        dlg->answerText("雅芳");
        click(&w, "增加品牌");
        QCOMPARE(lines(list), QStringList({"安利", "雅芳"}));

        // A name that exists, and the empty name, are refused.
        dlg->answerText("安利");
        click(&w, "增加品牌");
        QCOMPARE(dlg->lastMessage(), QString("安利已经存在拉!"));
        QCOMPARE(dlg->lastTitle(), QString("失败"));
        dlg->answerText("");
        click(&w, "增加品牌");
        QCOMPARE(dlg->lastMessage(), QString("已经存在拉!"));
        QCOMPARE(lines(list), QStringList({"安利", "雅芳"}));

        // Cancelling asks and shows nothing more.
        dlg->clear();
        dlg->answerCancel();
        click(&w, "增加品牌");
        QCOMPARE(dlg->shown.size(), 1);
        QCOMPARE(dlg->shown[0].kind, QString("input"));
    }

    void renameBrandThroughTheList()
    {
        seed();
        BrandWindow w;
        auto *list = w.findChild<QListWidget *>("品牌列表");

        // Nothing selected: the buttons and a double-click do nothing.
        click(&w, "修改品牌");
        click(&w, "删除品牌");
        QVERIFY(dlg->shown.isEmpty());

        list->setCurrentRow(0);
        dlg->answerText("安利");
        click(&w, "修改品牌");
        QCOMPARE(dlg->shown.last().kind, QString("message"));
        QCOMPARE(dlg->lastMessage(), QString("安利已经存在拉!"));

        list->setCurrentRow(0);
        dlg->answerText("安利中国");
        emit list->itemDoubleClicked(list->currentItem());
        QCOMPARE(dlg->lastMessage(), QString("修改成功"));
        QCOMPARE(dlg->lastTitle(), QString("提示"));
        QCOMPARE(lines(list), QStringList({"安利中国", "雅芳"}));
        QCOMPARE(one("select 大类别 from 产品"), QString("安利中国"));
        QCOMPARE(one("select 所属品牌 from 类别 where 类别名称='面霜'"), QString("安利中国"));
        QCOMPARE(one("select 大类别 from 进货"), QString("安利中国"));
    }

    void failedRenameIsReportedAndChangesNothing()
    {
        seed();
        QVERIFY(database().ExecuteSql("create temp trigger t before update on main.进货 "
                                      "begin select raise(abort, 'x'); end"));
        BrandWindow w;
        auto *list = w.findChild<QListWidget *>("品牌列表");
        list->setCurrentRow(0);
        dlg->answerText("新安利");
        click(&w, "修改品牌");
        QCOMPARE(dlg->lastMessage(), QString("修改失败"));
        QCOMPARE(lines(list), QStringList({"安利", "雅芳"}));
        QCOMPARE(one("select 大类别 from 产品"), QString("安利"));
        QCOMPARE(one("select 所属品牌 from 类别 where 类别名称='面霜'"), QString("安利"));
    }

    void deleteBrandAsksFirst()
    {
        seed();
        BrandWindow w;
        auto *list = w.findChild<QListWidget *>("品牌列表");
        list->setCurrentRow(1);
        dlg->answer(DialogAnswer::Cancel);
        click(&w, "删除品牌");
        QCOMPARE(dlg->lastMessage(), QString("真要删除这条记录吗？"));
        QCOMPARE(dlg->shown.last().buttons, DialogButtons::OkCancel);
        QCOMPARE(list->count(), 2);
        list->setCurrentRow(1);
        click(&w, "删除品牌");
        QCOMPARE(dlg->lastMessage(), QString("删除成功"));
        QCOMPARE(lines(list), QStringList{"安利"});
        QCOMPARE(one("select 所属品牌 from 类别 where 类别名称='口红'"), QString("雅芳"));
    }

    void categoryWindowListsNewestFirst()
    {
        seed();
        CategoryWindow w;
        QCOMPARE(w.height(), 395);
        QVERIFY(w.titleText().startsWith("    类别管理 -> 墨泉进销存 V1.4 "));
        ReportView *view = w.view();
        QCOMPARE(view->objectName(), QString("类别列表"));
        QCOMPARE(view->reportModel()->headerText(1), QString("静额比例"));
        QCOMPARE(column(view, 0), QStringList({"口红", "面霜"}));
        QCOMPARE(column(view, 1), QStringList({"0.3", "0.2"}));
        QCOMPARE(column(view, 2), QStringList({"雅芳", "安利"}));
        for (const char *name : {"增加类别", "修改类别", "删除类别", "删除选中", "退出"})
            QCOMPARE(w.findChild<QPushButton *>(name)->size(), QSize(64, 22));
    }

    void addCategoryThroughTheEditor()
    {
        seed();
        CategoryWindow w;
        w.show();
        whenOpen("CategoryEditWindow", [this](QWidget *e) {
            QCOMPARE(appContext().categoryEditMode, 2);
            QCOMPARE(e->height(), 150);
            QVERIFY(!e->findChild<QPushButton *>("删除")->isEnabled());
            auto *brand = e->findChild<QComboBox *>("所属品牌");
            QCOMPARE(brand->count(), 2);
            QCOMPARE(brand->currentText(), QString());
            brand->setEditText("雅芳");
            e->findChild<QLineEdit *>("类别名称")->setText("眼影");
            click(e, "保存");
            QCOMPARE(dlg->lastMessage(), QString("添加成功"));
            QCOMPARE(dlg->lastTitle(), QString("成功"));
        });
        click(&w, "增加类别");
        QCOMPARE(appContext().categoryEditMode, 0);
        QCOMPARE(column(w.view(), 0), QStringList({"眼影", "口红", "面霜"}));
        QCOMPARE(column(w.view(), 1).first(), QString("0")); // empty ratio stored as 0
    }

    void categoryEditorRefusals_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("brand");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("add: name exists") << 2 << "雅芳" << "面霜" << "面霜 已经存在拉!";
        QTest::newRow("add: empty name") << 2 << "雅芳" << "" << " 已经存在拉!";
        QTest::newRow("add: part of a brand") << 2 << "雅" << "眼影" << "不存在此品牌!!!";
        QTest::newRow("add: empty brand") << 2 << "" << "眼影" << "不存在此品牌!!!";
        QTest::newRow("edit: another category's name") << 1 << "雅芳" << "面霜" << "面霜 已经存在拉!";
    }
    void categoryEditorRefusals()
    {
        QFETCH(int, mode);
        QFETCH(QString, brand);
        QFETCH(QString, name);
        QFETCH(QString, message);
        seed();
        CategoryWindow w;
        w.show();
        w.view()->setCurrentRow(0); // 口红
        bool stayedOpen = false;
        whenOpen("CategoryEditWindow", [&](QWidget *e) {
            e->findChild<QComboBox *>("所属品牌")->setEditText(brand);
            e->findChild<QLineEdit *>("类别名称")->setText(name);
            click(e, "保存");
            stayedOpen = e->isVisible();
        });
        click(&w, mode == 2 ? "增加类别" : "修改类别");
        QCOMPARE(dlg->lastMessage(), message);
        QCOMPARE(dlg->lastTitle(), QString("失败"));
        QVERIFY(stayedOpen);
        QCOMPARE(column(w.view(), 0), QStringList({"口红", "面霜"}));
    }

    void editCategoryCarriesTheName()
    {
        seed();
        CategoryWindow w;
        w.show();
        // Nothing selected: no editor.
        click(&w, "修改类别");
        QVERIFY(!appContext().isOpen("CategoryEditWindow"));

        w.view()->setCurrentRow(1); // 面霜
        whenOpen("CategoryEditWindow", [this](QWidget *e) {
            QVERIFY(e->findChild<QPushButton *>("删除")->isEnabled());
            QCOMPARE(e->findChild<QComboBox *>("所属品牌")->currentText(), QString("安利"));
            QCOMPARE(e->findChild<QLineEdit *>("类别名称")->text(), QString("面霜"));
            QCOMPARE(e->findChild<QLineEdit *>("静额比例")->text(), QString("0.2"));
            e->findChild<QLineEdit *>("类别名称")->setText("晚霜");
            e->findChild<QLineEdit *>("静额比例")->clear();
            click(e, "保存");
            QCOMPARE(dlg->lastMessage(), QString("修改成功"));
        });
        emit w.view()->rowDoubleClicked(1, 0);
        QCOMPARE(column(w.view(), 0), QStringList({"口红", "晚霜"}));
        QCOMPARE(column(w.view(), 1), QStringList({"0.3", "0"}));
        QCOMPARE(one("select 类别 from 产品"), QString("晚霜"));
        QCOMPARE(one("select 类别 from 进货"), QString("晚霜"));
        QCOMPARE(one("select 类别 from 销售"), QString("晚霜"));
    }

    void failedCategoryEditKeepsTheEditorOpen()
    {
        seed();
        QVERIFY(database().ExecuteSql("create temp trigger t before update on main.销售 "
                                      "begin select raise(abort, 'x'); end"));
        CategoryWindow w;
        w.show();
        w.view()->setCurrentRow(1);
        bool stayedOpen = false;
        whenOpen("CategoryEditWindow", [&](QWidget *e) {
            e->findChild<QLineEdit *>("类别名称")->setText("晚霜");
            click(e, "保存");
            stayedOpen = e->isVisible();
            QCOMPARE(e->findChild<QLineEdit *>("类别名称")->text(), QString("晚霜"));
        });
        click(&w, "修改类别");
        QVERIFY(stayedOpen);
        QCOMPARE(dlg->lastMessage(), QString("修改失败"));
        QCOMPARE(one("select 类别 from 产品"), QString("面霜"));
        QCOMPARE(column(w.view(), 0), QStringList({"口红", "面霜"}));
    }

    void deleteFromTheEditorUsesTheLoadedName()
    {
        seed();
        CategoryWindow w;
        w.show();
        w.view()->setCurrentRow(0);
        whenOpen("CategoryEditWindow", [](QWidget *e) {
            e->findChild<QLineEdit *>("类别名称")->setText("别的名字");
            click(e, "删除");
        });
        click(&w, "修改类别");
        QCOMPARE(dlg->lastMessage(), QString("删除成功"));
        QCOMPARE(column(w.view(), 0), QStringList({"面霜"}));
        QCOMPARE(one("select count(*) from 产品 where 类别='面霜'"), QString("1"));
    }

    void deleteSelectedAndTicked()
    {
        seed();
        QCOMPARE(store.addCategory("雅芳", "眼影", ""), CatalogResult::Ok);
        CategoryWindow w;
        // No tick: still asks, still says so.
        click(&w, "删除选中");
        QCOMPARE(dlg->messages(), QStringList({"真要删除这条记录吗？", "删除成功"}));
        QCOMPARE(w.view()->reportModel()->rowCount(), 3);

        w.view()->reportModel()->setChecked(0, true); // 眼影
        w.view()->reportModel()->setChecked(2, true); // 面霜
        click(&w, "删除选中");
        QCOMPARE(column(w.view(), 0), QStringList{"口红"});

        dlg->answer(DialogAnswer::Cancel);
        w.view()->setCurrentRow(0);
        click(&w, "删除类别");
        QCOMPARE(w.view()->reportModel()->rowCount(), 1);
        w.view()->setCurrentRow(0);
        click(&w, "删除类别");
        QCOMPARE(dlg->lastMessage(), QString("删除成功"));
        QCOMPARE(w.view()->reportModel()->rowCount(), 0);
    }

    void editorPlusOpensBrandWindow()
    {
        appContext().categoryEditMode = 2;
        CategoryEditWindow e;
        e.show();
        whenOpen("BrandWindow", [this](QWidget *b) {
            dlg->answerText("新品牌");
            click(b, "增加品牌");
        });
        QPushButton *plus = e.findChild<QPushButton *>("增加");
        QCOMPARE(plus->geometry(), QRect(234, 33, 16, 16));
        plus->click();
        QVERIFY(store.isBrand("新品牌"));
        // The editor's brand list is not reloaded until it opens again.
        QCOMPARE(e.findChild<QComboBox *>("所属品牌")->count(), 0);
    }
};

QTEST_MAIN(TestBrandCategory)
#include "tst_brandcategory.moc"
