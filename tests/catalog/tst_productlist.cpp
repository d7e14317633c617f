// ProductListWindow driven through its named controls with scripted dialogs:
// the tree, the list with its totals, search and stock filters, in-place
// corrections booked as purchases, deletes, context menus and the product
// editor opened from the list.
#include "app/AppContext.h"
#include "catalog/ProductEditWindow.h"
#include "catalog/ProductListWindow.h"
#include "chrome/DialogService.h"
#include "chrome/FormKit.h"
#include "store/DataDirectory.h"
#include "store/Database.h"
#include "store/DateText.h"
#include "support/Drive.h"
#include "support/TestHome.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>

using namespace moquan;
using namespace moquan::testing;

namespace {

qint64 addProduct(const QString &name, const QString &number, const QString &quick, double price,
                  qint64 stock, const QString &category, const QString &brand,
                  const QByteArray &picture = {})
{
    database().ExecuteSql(
        "insert into 产品 (产品名称,产品编号,产品定价,库存数,警戒库存,类别,大类别,使用天数,"
        "产品介绍,产品图片,快速取编号) values (?,?,?,?,0,?,?,30,'',?,?)",
        {name, number, price, stock, category, brand, picture, quick});
    return database().lastInsertId();
}

QStringList childTexts(QTreeWidgetItem *item)
{
    QStringList out;
    for (int i = 0; i < item->childCount(); ++i)
        out << item->child(i)->text(0);
    return out;
}

QTreeWidgetItem *node(QTreeWidget *tree, const QStringList &path)
{
    QTreeWidgetItem *it = tree->topLevelItem(0);
    for (const QString &p : path) {
        QTreeWidgetItem *next = nullptr;
        for (int i = 0; it && i < it->childCount(); ++i)
            if (it->child(i)->text(0) == p)
                next = it->child(i);
        it = next;
    }
    return it;
}

} // namespace

class TestProductList : public QObject {
    Q_OBJECT
    std::unique_ptr<DatabaseHome> home;
    ScriptedDialogs *dlg = nullptr;
    qint64 tea = 0, lotion = 0, cream = 0, soap = 0;

    QString label(QWidget *w, const char *name) { return child<QLabel>(w, name)->text(); }

private Q_SLOTS:
    void initTestCase() { qputenv("MOQUAN_MUTE", "1"); }

    void init()
    {
        home = std::make_unique<DatabaseHome>();
        QVERIFY(home->opened());
        dlg = ScriptedDialogs::installNew();
        exec("insert into 品牌 (品牌) values ('安利'),('天狮'),('无类')");
        exec("insert into 类别 (类别名称,净额比例,所属品牌) values ('护肤','0','安利'),"
             "('营养','0','安利'),('护肤','0','天狮')");
        tea = addProduct("中国茶", "A12", "ZGC", 99.5, 5, "营养", "安利", imageBytes("PNG"));
        lotion = addProduct("雅姿乳液", "120", "YZRY", 20, 2, "护肤", "安利");
        cream = addProduct("天狮面霜", "B7", "TSMS", 30, -1, "护肤", "天狮");
        soap = addProduct("香皂", "C1", "XZ", 3, 0, "", "无类");
    }
    void cleanup()
    {
        home.reset();
    }

    void opensOnEveryProductWithTheTree()
    {
        ProductListWindow w;
        QCOMPARE(w.size(), QSize(869, 500));
        QVERIFY(w.titleText().startsWith("    产品管理 -> 墨泉进销存 V1.4 "));
        QCOMPARE(appContext().openWindow("ProductListWindow"), &w);
        QCOMPARE(child<ReportView>(&w, "产品目录")->geometry(), QRect(192, 26, 664, 400));
        ReportModel *m = w.model();
        QCOMPARE(m->columnCount(), 9);
        QCOMPARE(m->headerText(3), QString("总价钱"));
        QCOMPARE(column(m, ColName), (QStringList{"香皂", "天狮面霜", "雅姿乳液", "中国茶"}));
        QCOMPARE(m->rowCells(3), (QStringList{"中国茶", "A12", "￥99", "￥495", "￥84.15",
                                              "￥420.75", "30", "5", "营养"}));
        QCOMPARE(m->value(3), tea);
        QVERIFY(m->isCheckable());
        QCOMPARE(label(&w, "总数量"), QString("总数量:4"));
        QCOMPARE(label(&w, "当前数量"), QString("当前数量:4"));
        QCOMPARE(label(&w, "现有产品"), QString("总进货数量:6"));
        QCOMPARE(label(&w, "现有产品总余额"), QString("总进货金额:￥505.00元"));
        QCOMPARE(label(&w, "现有产品净额"), QString("总净额:￥429.25元"));

        auto *tree = child<QTreeWidget>(&w, "类型列表");
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem *root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), QString("产品总目录"));
        QVERIFY(root->isExpanded());
        QCOMPARE(childTexts(root), (QStringList{"安利", "天狮", "无类"}));
        QCOMPARE(childTexts(root->child(0)), (QStringList{"护肤", "营养"}));
        QCOMPARE(root->child(2)->childCount(), 0);
        QVERIFY(tree->selectedItems().isEmpty());
        QVERIFY(!child<LineEdit>(&w, "输入数量")->isVisible());
        QVERIFY(!child<QPushButton>(&w, "提交")->isVisible());
    }

    void treeNodesSelectTheList()
    {
        appContext().productTreeNode = "stale";
        ProductListWindow w;
        QVERIFY(appContext().productTreeNode.isEmpty());
        auto *tree = child<QTreeWidget>(&w, "类型列表");
        node(tree, {"安利"})->setSelected(true);
        QCOMPARE(column(w.model(), ColName), (QStringList{"中国茶", "雅姿乳液"}));
        QCOMPARE(appContext().productTreeNode, QString("安利"));
        QVERIFY(appContext().productTreeParent.isEmpty());
        tree->setCurrentItem(node(tree, {"天狮", "护肤"}));
        QCOMPARE(column(w.model(), ColName), QStringList{"天狮面霜"});
        QCOMPARE(appContext().productTreeNode, QString("护肤"));
        QCOMPARE(appContext().productTreeParent, QString("天狮"));
        QCOMPARE(label(&w, "当前数量"), QString("当前数量:1"));
        QCOMPARE(label(&w, "总数量"), QString("总数量:4"));
        // A brand without categories lists its products.
        tree->setCurrentItem(node(tree, {"无类"}));
        QCOMPARE(column(w.model(), ColName), QStringList{"香皂"});
        // Another product of the brand shows on a reload by selection.
        addProduct("洗发水", "D1", "XFS", 1, 1, "", "无类");
        w.reloadForCurrentNode();
        QCOMPARE(column(w.model(), ColName), (QStringList{"香皂", "洗发水"}));
        tree->setCurrentItem(node(tree, {}));
        QCOMPARE(w.model()->rowCount(), 5);
        QVERIFY(appContext().productTreeNode.isEmpty());
    }

    void searchAndStockFilters()
    {
        ProductListWindow w;
        auto *search = child<LineEdit>(&w, "搜索框内容");
        QTest::keyClicks(search, "1");
        QCOMPARE(column(w.model(), ColName), (QStringList{"香皂", "雅姿乳液", "中国茶"}));
        search->setText("zg");
        QCOMPARE(column(w.model(), ColName), QStringList{"中国茶"});
        search->setText("0");
        QCOMPARE(w.model()->rowCount(), 0);
        search->clear();
        QCOMPARE(w.model()->rowCount(), 4);

        // With 现有的存货 ticked, a brand node still lists every product in stock.
        auto *tree = child<QTreeWidget>(&w, "类型列表");
        auto *inStock = child<QCheckBox>(&w, "现有的存货");
        auto *belowZero = child<QCheckBox>(&w, "缺陷的存货");
        tree->setCurrentItem(node(tree, {"天狮"}));
        inStock->click();
        QCOMPARE(w.stockFilter(), StockFilter::InStock);
        QCOMPARE(column(w.model(), ColName), (QStringList{"中国茶", "雅姿乳液"}));
        search->setText("ts");
        QCOMPARE(column(w.model(), ColName), (QStringList{"中国茶", "雅姿乳液"}));
        belowZero->click();
        QVERIFY(!inStock->isChecked());
        QCOMPARE(column(w.model(), ColName), QStringList{"天狮面霜"});
        belowZero->click();
        QCOMPARE(w.stockFilter(), StockFilter::None);
        QCOMPARE(column(w.model(), ColName), QStringList{"天狮面霜"});
    }

    void stockCorrectionIsBookedAsAPurchase()
    {
        ProductListWindow w;
        w.show();
        // Enter in a box presses no button.
        QTest::keyClick(child<LineEdit>(&w, "搜索框内容"), Qt::Key_Return);
        QVERIFY(dlg->shown.isEmpty());
        ReportView *view = child<ReportView>(&w, "产品目录");
        const int row = w.model()->findValue(tea);
        // A real double-click on the 库存 cell lays the editor over it.
        const QRect cell = view->visualRect(w.model()->index(row, ColStock));
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        auto *edit = child<LineEdit>(&w, "输入数量");
        auto *commit = child<QPushButton>(&w, "提交");
        QVERIFY(edit->isVisible());
        QVERIFY(commit->isVisible());
        QCOMPARE(edit->text(), QString("5"));
        QCOMPARE(edit->selectedText(), QString("5"));
        QCOMPARE(edit->width(), view->columnWidth(ColStock));
        QCOMPARE(commit->x(), edit->x());
        QVERIFY(commit->y() > edit->y());
        QVERIFY(!view->isEnabled());
        edit->setText("3");
        commit->click();
        QVERIFY(!edit->isVisible());
        QVERIFY(view->isEnabled());
        QCOMPARE(w.model()->text(row, ColStock), QString("3"));
        QCOMPARE(w.model()->text(row, ColValue), QString("￥297"));
        QCOMPARE(w.model()->text(row, ColNetValue), QString("￥252.45"));
        QCOMPARE(label(&w, "现有产品"), QString("总进货数量:4"));
        QCOMPARE(label(&w, "现有产品总余额"), QString("总进货金额:￥307.00元"));
        // Nothing is written before 保持数据.
        QCOMPARE(one("select 库存数 from 产品 where id=?", {tea}), QString("5"));

        // An edit left empty becomes 0; days of use are corrected the same way.
        const int lrow = w.model()->findValue(lotion);
        Q_EMIT view->rowDoubleClicked(lrow, ColDays);
        edit->clear();
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(w.model()->text(lrow, ColDays), QString("0"));
        QVERIFY(dlg->shown.isEmpty());

        dlg->answer(DialogAnswer::Ok);
        click(&w, "保持数据");
        QCOMPARE(dlg->shown.first().text, QString("真要保存记录吗？"));
        QCOMPARE(dlg->lastMessage(), QString("修改成功!!!"));
        QCOMPARE(dlg->lastTitle(), QString("提示"));
        QCOMPARE(one("select 库存数 from 产品 where id=?", {tea}), QString("3"));
        QCOMPARE(one("select 使用天数 from 产品 where id=?", {lotion}), QString("0"));
        QCOMPARE(one("select count(*) from 进货"), QString("1"));
        Recordset rs = database().Query("select * from 进货");
        QCOMPARE(rs.text("产品名称"), QString("中国茶"));
        QCOMPARE(rs.integer("本次进货"), qint64(-2));
        QCOMPARE(rs.text("进货日期"), todayDateText());
        QCOMPARE(rs.number("进货合计"), -198.0);
        // The list was read again.
        QCOMPARE(w.model()->text(w.model()->findValue(tea), ColStock), QString("3"));
    }

    void cancelledOrFailedSaveWritesNothing()
    {
        ProductListWindow w;
        w.show();
        ReportView *view = child<ReportView>(&w, "产品目录");
        auto *edit = child<LineEdit>(&w, "输入数量");
        const int row = w.model()->findValue(lotion);
        Q_EMIT view->rowDoubleClicked(row, ColStock);
        edit->setText("9");
        click(&w, "提交");

        dlg->answer(DialogAnswer::Cancel);
        click(&w, "保持数据");
        QCOMPARE(dlg->shown.size(), 1);
        QCOMPARE(one("select 库存数 from 产品 where id=?", {lotion}), QString("2"));

        exec("create temp trigger refuse before insert on 进货 begin select raise(abort,'no'); end");
        dlg->answer(DialogAnswer::Ok);
        click(&w, "保持数据");
        QCOMPARE(dlg->lastMessage(), QString("修改失败"));
        QCOMPARE(one("select 库存数 from 产品 where id=?", {lotion}), QString("2"));
        QCOMPARE(one("select count(*) from 进货"), QString("0"));
        // The correction stays in the list for another try.
        QCOMPARE(w.model()->text(row, ColStock), QString("9"));
    }

    void deleteSelectedAndTicked()
    {
        ProductListWindow w;
        ReportView *view = child<ReportView>(&w, "产品目录");
        // Nothing selected: nothing asked.
        click(&w, "删除产品");
        QVERIFY(dlg->shown.isEmpty());

        // Cancelling still lists the products again.
        view->setCurrentRow(w.model()->findValue(soap));
        exec("delete from 产品 where id=?", {cream});
        dlg->answer(DialogAnswer::Cancel);
        click(&w, "删除产品");
        QCOMPARE(column(w.model(), ColName), (QStringList{"香皂", "雅姿乳液", "中国茶"}));

        view->setCurrentRow(w.model()->findValue(soap));
        dlg->answer(DialogAnswer::Ok);
        click(&w, "删除产品");
        QCOMPARE(dlg->shown.size(), 2);
        QCOMPARE(column(w.model(), ColName), (QStringList{"雅姿乳液", "中国茶"}));
        QCOMPARE(one("select count(*) from 产品 where id=?", {soap}), QString("0"));

        // Ticked rows go together.
        addProduct("洗发水", "D1", "XFS", 1, 1, "", "无类");
        w.reloadForCurrentNode();
        ReportModel *m = w.model();
        m->setData(m->index(m->findValue(tea), 0), Qt::Checked, Qt::CheckStateRole);
        m->setData(m->index(m->findValue(lotion), 0), Qt::Checked, Qt::CheckStateRole);
        dlg->answer(DialogAnswer::Ok);
        click(&w, "删除选中");
        QCOMPARE(dlg->lastMessage(), QString("删除成功"));
        QCOMPARE(column(m, ColName), QStringList{"洗发水"});
        QCOMPARE(one("select count(*) from 产品"), QString("1"));

        // A delete the database refuses is reported, and nothing goes.
        addProduct("牙膏", "E1", "YG", 1, 1, "", "无类");
        w.reloadForCurrentNode();
        exec("create temp trigger keep before delete on 产品 when old.产品名称='洗发水' "
             "begin select raise(abort,'kept'); end");
        for (int r = 0; r < m->rowCount(); ++r)
            m->setData(m->index(r, 0), Qt::Checked, Qt::CheckStateRole);
        dlg->answer(DialogAnswer::Ok);
        click(&w, "删除选中");
        QCOMPARE(dlg->lastMessage(), QString("删除失败"));
        QCOMPARE(column(m, ColName), (QStringList{"牙膏", "洗发水"}));
        view->setCurrentRow(1);
        dlg->answer(DialogAnswer::Ok);
        click(&w, "删除产品");
        QCOMPARE(dlg->lastMessage(), QString("删除失败"));
        QCOMPARE(m->rowCount(), 2);
    }

    void selectedRowShowsPictureAndName()
    {
        ProductListWindow w;
        ReportView *view = child<ReportView>(&w, "产品目录");
        auto *picture = child<PictureBox>(&w, "产品图片");
        view->setCurrentRow(w.model()->findValue(tea));
        QCOMPARE(label(&w, "产品名称"), QString("中国茶"));
        QCOMPARE(picture->bytes(), imageBytes("PNG"));
        QCOMPARE(w.selectedProductName(), QString("中国茶"));
        QCOMPARE(w.selectedProductId(), tea);
        view->setCurrentRow(w.model()->findValue(cream));
        QCOMPARE(label(&w, "产品名称"), QString("天狮面霜"));
        QVERIFY(!picture->hasPicture());
    }

    void contextMenus()
    {
        ProductListWindow w;
        w.show();
        ReportView *view = child<ReportView>(&w, "产品目录");
        auto *empty = child<QMenu>(&w, "右键菜单");
        auto *row = child<QMenu>(&w, "右键管理");
        Q_EMIT view->rightClicked(-1, w.mapToGlobal(QPoint(300, 300)));
        QVERIFY(empty->isVisible());
        QVERIFY(!row->isVisible());
        empty->hide();
        view->setCurrentRow(w.model()->findValue(soap));
        Q_EMIT view->rightClicked(w.model()->findValue(soap), w.mapToGlobal(QPoint(300, 300)));
        QVERIFY(row->isVisible());
        row->hide();
        dlg->answer(DialogAnswer::Ok);
        row->findChild<QAction *>("删除")->trigger();
        QCOMPARE(w.model()->findValue(soap), -1);
        dlg->answer(DialogAnswer::Ok);
        row->findChild<QAction *>("修改")->trigger();
        QCOMPARE(dlg->lastMessage(), QString("修改成功!!!"));
    }

    void productEditorOpensFromTheList()
    {
        ProductListWindow w;
        w.show();
        ReportView *view = child<ReportView>(&w, "产品目录");
        auto *tree = child<QTreeWidget>(&w, "类型列表");
        tree->setCurrentItem(node(tree, {"安利"}));

        // A double-click on one of the first six columns edits that product.
        QString key;
        int mode = -1;
        whenOpen("ProductEditWindow", [&](QWidget *e) {
            auto *editor = qobject_cast<ProductEditWindow *>(e);
            key = editor->keyName();
            mode = editor->mode();
            editor->close();
        });
        Q_EMIT view->rowDoubleClicked(w.model()->findValue(lotion), ColNetValue);
        QCOMPARE(mode, 3);
        QCOMPARE(key, QString("雅姿乳液"));
        QCOMPARE(appContext().handedOverProductName, QString("雅姿乳液"));

        // 增加产品 opens it in add mode.
        whenOpen("ProductEditWindow", [&](QWidget *e) {
            mode = qobject_cast<ProductEditWindow *>(e)->mode();
            e->close();
        });
        click(&w, "增加产品");
        QCOMPARE(mode, 1);

        // The editor's 删除 takes the list's selected row and the list follows.
        view->setCurrentRow(w.model()->findValue(tea));
        whenOpen("ProductEditWindow", [&](QWidget *e) {
            dlg->answer(DialogAnswer::Ok);
            click(e, "删除");
        });
        Q_EMIT view->rowDoubleClicked(w.model()->findValue(tea), ColName);
        QCOMPARE(one("select count(*) from 产品 where id=?", {tea}), QString("0"));
        QCOMPARE(column(w.model(), ColName), QStringList{"雅姿乳液"});
    }

    void tenThousandProducts()
    {
        {
            Transaction tx(database());
            for (int i = 1; i <= 10000; ++i)
                addProduct(QString("产品%1").arg(i), QString::number(i), "CP", 10, 2, "护肤", "安利");
            QVERIFY(tx.commit());
        }
        ProductListWindow w;
        QCOMPARE(w.model()->rowCount(), 10004);
        QCOMPARE(w.model()->text(0, ColName), QString("产品10000"));
        QCOMPARE(w.model()->text(9999, ColName), QString("产品1"));
        QCOMPARE(label(&w, "当前数量"), QString("当前数量:10004"));
        QCOMPARE(label(&w, "现有产品"), QString("总进货数量:20006"));
        QCOMPARE(label(&w, "现有产品总余额"), QString("总进货金额:￥200505.00元"));
        QCOMPARE(w.model()->findValue(tea), 10003);
    }
};

QTEST_MAIN(TestProductList)
#include "tst_productlist.moc"
