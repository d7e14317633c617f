// ProductFinderWindow and ProductInfoPopup driven through their named
// controls: brand → category → product picking, the quick search, the popup
// beside the finder, and the hand-over of the chosen product.
#include "app/AppContext.h"
#include "catalog/ProductFinderWindow.h"
#include "catalog/ProductInfoPopup.h"
#include "chrome/DialogService.h"
#include "chrome/FormKit.h"
#include "store/DataDirectory.h"
#include "store/Database.h"
#include "support/Drive.h"
#include "support/TestHome.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace moquan;
using namespace moquan::testing;

namespace {

void addProduct(const QString &name, const QString &number, const QString &quick, double price,
                const QString &category, const QString &brand, const QString &intro = {},
                const QByteArray &picture = {})
{
    exec("insert into 产品 (产品名称,产品编号,产品定价,库存数,警戒库存,类别,大类别,使用天数,"
         "产品介绍,产品图片,快速取编号) values (?,?,?,1,0,?,?,30,?,?,?)",
         {name, number, price, category, brand, intro, picture, quick});
}

} // namespace

class TestProductFinder : public QObject {
    Q_OBJECT
    std::unique_ptr<DatabaseHome> home;
    ScriptedDialogs *dlg = nullptr;

private Q_SLOTS:
    void initTestCase() { qputenv("MOQUAN_MUTE", "1"); }

    void init()
    {
        home = std::make_unique<DatabaseHome>();
        QVERIFY(home->opened());
        dlg = ScriptedDialogs::installNew();
        exec("insert into 品牌 (品牌) values ('安利'),('天狮')");
        exec("insert into 类别 (类别名称,净额比例,所属品牌) values ('护肤','0','安利'),"
             "('营养','0','安利'),('护肤','0','天狮')");
        addProduct("中国茶", "A12", "ZGC", 99.5, "营养", "安利", "好茶", imageBytes("PNG"));
        addProduct("雅姿乳液", "120", "YZRY", 20, "护肤", "安利");
        addProduct("天狮面霜", "B7", "TSMS", 30, "护肤", "天狮");
    }
    void cleanup()
    {
        ProductInfoPopup::closePopup();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        appContext().popupProductName.clear();
        ProductFinderWindow::setFallbackReceiver({});
        home.reset();
    }

    void picksByBrandThenCategory()
    {
        ProductFinderWindow f;
        auto *brand = child<QComboBox>(&f, "品牌");
        auto *category = child<QComboBox>(&f, "分类");
        auto *products = child<QListWidget>(&f, "产品");
        QCOMPARE(items(brand), (QStringList{"安利", "天狮"}));
        Q_EMIT brand->activated(0);
        QCOMPARE(items(category), (QStringList{"护肤", "营养"}));
        QCOMPARE(category->currentIndex(), 0);
        // A category is found by its name alone: both brands' 护肤 products.
        Q_EMIT category->activated(0);
        QCOMPARE(lines(products), (QStringList{"雅姿乳液", "天狮面霜"}));
        Q_EMIT category->activated(1);
        QCOMPARE(lines(products), (QStringList{"中国茶"}));
        Q_EMIT brand->activated(1);
        QCOMPARE(items(category), (QStringList{"护肤"}));
    }

    void quickSearchAndSelection()
    {
        ProductFinderWindow f;
        f.move(100, 80);
        f.show();
        auto *quick = child<LineEdit>(&f, "快速取词");
        auto *products = child<QListWidget>(&f, "产品");
        QTest::keyClicks(quick, "12");
        QCOMPARE(lines(products), (QStringList{"雅姿乳液", "中国茶"}));
        quick->clear();
        QCOMPARE(products->count(), 3);
        QTest::keyClicks(quick, "zg");
        QCOMPARE(lines(products), QStringList{"中国茶"});
        quick->setText("12");

        // Selecting writes the quick code without a new search, sets the
        // brand and category, and shows the popup at the finder's right edge.
        products->setCurrentRow(1);
        QCOMPARE(quick->text(), QString("ZGC"));
        QCOMPARE(lines(products), (QStringList{"雅姿乳液", "中国茶"}));
        QCOMPARE(child<QComboBox>(&f, "品牌")->currentText(), QString("安利"));
        QCOMPARE(child<QComboBox>(&f, "分类")->currentText(), QString("营养"));
        QCOMPARE(appContext().popupProductName, QString("中国茶"));
        ProductInfoPopup *popup = ProductInfoPopup::current();
        QVERIFY(popup);
        QVERIFY(popup->isVisible());
        QCOMPARE(child<QLabel>(popup, "产品名称")->text(), QString("    中国茶"));
        QCOMPARE(child<QLabel>(popup, "产品编号")->text(), QString("产品编号:A12"));
        QCOMPARE(child<QLabel>(popup, "产品定价")->text(), QString("产品定价:￥99"));
        QCOMPARE(child<TextEdit>(popup, "产品介绍")->text(), QString("好茶"));
        QCOMPARE(child<PictureBox>(popup, "产品图片")->bytes(), imageBytes("PNG"));
        QCOMPARE(popup->pos(), QPoint(f.x() + f.width(), f.y()));

        // The popup follows the finder; another product refills the same popup.
        f.move(300, 200);
        QCOMPARE(popup->pos(), QPoint(300 + f.width(), 200));
        products->setCurrentRow(0);
        QCOMPARE(ProductInfoPopup::current(), popup);
        QCOMPARE(child<QLabel>(popup, "产品编号")->text(), QString("产品编号:120"));
        QVERIFY(!child<PictureBox>(popup, "产品图片")->hasPicture());

        // Closing the finder closes the popup and forgets the name.
        child<QPushButton>(&f, "取消")->click();
        QVERIFY(!f.isVisible());
        QVERIFY(!ProductInfoPopup::current());
        QVERIFY(appContext().popupProductName.isEmpty());
    }

    void popupOfAnUnknownProduct()
    {
        appContext().popupProductName = "没有这个";
        ProductInfoPopup *p = ProductInfoPopup::showFor(nullptr);
        QVERIFY(p);
        QCOMPARE(child<QLabel>(p, "产品编号")->text(), QString("产品编号:"));
        QCOMPARE(child<QLabel>(p, "产品定价")->text(), QString("产品定价:￥0"));
        QVERIFY(!child<PictureBox>(p, "产品图片")->hasPicture());
        // An empty name closes it.
        appContext().popupProductName.clear();
        p->fill();
        QVERIFY(!ProductInfoPopup::current());
        appContext().popupProductName.clear();
        QVERIFY(!ProductInfoPopup::showFor(nullptr));
    }

    void opensBesidePurchaseListWhenPopupIsOpen()
    {
        QWidget purchaseList;
        purchaseList.move(40, 60);
        appContext().registerWindow("PurchaseListWindow", &purchaseList);
        appContext().popupProductName = "中国茶";
        ProductInfoPopup *p = ProductInfoPopup::showFor(nullptr);
        QVERIFY(p);
        {
            ProductFinderWindow f;
            f.move(500, 300);
            f.show();
            QCOMPARE(f.x(), 90);
            QCOMPARE(p->pos(), QPoint(f.x() + f.width(), f.y()));
        }
        QVERIFY(!ProductInfoPopup::current());
    }

    void choiceGoesToTheNewestWaitingReceiver()
    {
        QStringList got;
        auto older = std::make_unique<QObject>();
        auto newer = std::make_unique<QObject>();
        auto gone = std::make_unique<QObject>();
        ProductFinderWindow::addChoiceReceiver(older.get(), [&](const QString &n) {
            got << "older:" + n;
            return true;
        });
        ProductFinderWindow::addChoiceReceiver(newer.get(), [&](const QString &n) {
            got << "newer:" + n;
            return false; // not waiting now
        });
        ProductFinderWindow::addChoiceReceiver(gone.get(), [&](const QString &n) {
            got << "gone:" + n;
            return true;
        });
        ProductFinderWindow::setFallbackReceiver([&](const QString &n) {
            got << "fallback:" + n;
            return true;
        });
        gone.reset();

        ProductFinderWindow f;
        f.show();
        auto *products = child<QListWidget>(&f, "产品");
        QTest::keyClicks(child<LineEdit>(&f, "快速取词"), "zg");
        products->setCurrentRow(0);
        QVERIFY(ProductInfoPopup::current());
        Q_EMIT products->itemDoubleClicked(products->item(0));
        QCOMPARE(got, (QStringList{"newer:中国茶", "older:中国茶"}));
        QVERIFY(!f.isVisible());
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QVERIFY(!ProductInfoPopup::current());
        QCOMPARE(appContext().handedOverProductName, QString("中国茶"));

        // With no receiver that takes it, the fallback does; nothing selected
        // hands over an empty name.
        got.clear();
        older.reset();
        newer.reset();
        ProductFinderWindow g;
        g.show();
        child<QPushButton>(&g, "确定")->click();
        QCOMPARE(got, QStringList{"fallback:"});
        QVERIFY(appContext().handedOverProductName.isEmpty());
    }

    void chosenFromTheModalFinder()
    {
        QString got;
        QObject owner;
        ProductFinderWindow::addChoiceReceiver(&owner, [&](const QString &n) {
            got = n;
            return true;
        });
        ProductFinderWindow f;
        QTimer::singleShot(0, [&] {
            QCOMPARE(appContext().window<ProductFinderWindow>("ProductFinderWindow"), &f);
            auto *brand = child<QComboBox>(&f, "品牌");
            Q_EMIT brand->activated(1);
            auto *category = child<QComboBox>(&f, "分类");
            category->hidePopup();
            Q_EMIT category->activated(0);
            child<QListWidget>(&f, "产品")->setCurrentRow(1);
            child<QPushButton>(&f, "确定")->click();
        });
        QCOMPARE(f.exec(), int(QDialog::Accepted));
        QCOMPARE(got, QString("天狮面霜"));
    }
};

QTEST_MAIN(TestProductFinder)
#include "tst_productfinder.moc"
