#include "app/AppContext.h"
#include "app/BackupProgressWindow.h"
#include "app/HelpWindow.h"
#include "app/MainWindow.h"
#include "app/SettingsFile.h"
#include "chrome/DialogService.h"
#include "store/Backup.h"
#include "store/DataDirectory.h"
#include "store/Database.h"
#include "support/TestHome.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QComboBox>
#include <QSystemTrayIcon>

using namespace moquan;

class TestMainWindow : public QObject {
    Q_OBJECT
private:
    ScriptedDialogs *dlg = nullptr;

    static QStringList itemTexts(QMenu *m)
    {
        QStringList out;
        for (QAction *a : m->actions())
            out << (a->isSeparator() ? QString("-") : a->text());
        return out;
    }

private Q_SLOTS:
    void init()
    {
        qputenv("MOQUAN_MUTE", "1");
        dlg = ScriptedDialogs::installNew();
        appContext().resetForTest();
    }
    void cleanup() { database().close(); }

    void formAndMenus()
    {
        TestHome home;
        MainWindow w;
        w.show();
        QCOMPARE(w.height(), 490);
        QVERIFY(QFile::exists(databasePath()));
        QVERIFY(database().isOpen());
        const QStringList tools = {"库存查看", "进货", "销售", "品牌", "类别", "产品", "顾客", "个人备忘", "课程列表"};
        for (const QString &name : tools) {
            auto *b = w.findChild<QPushButton *>(name);
            QVERIFY2(b, qPrintable(name));
            QCOMPARE(b->size(), QSize(60, 50));
        }
        QCOMPARE(w.findChild<QPushButton *>("课程列表")->text(), QString("信息设置"));
        QCOMPARE(itemTexts(w.menu("设置(&S)")),
                 QStringList({"基本设置(&J)", "-", "登陆设置(&L)", "-", "数据管理(&D)", "-", "在线升级(&Z)", "-", "退出(&C)"}));
        QCOMPARE(itemTexts(w.menu("产品(&C)")), QStringList({"产品管理(&G)", "-", "类别管理(&L)", "-", "品牌管理(&P)"}));
        QCOMPARE(itemTexts(w.menu("经销(&V)")), QStringList({"进货(&J)", "-", "销售(&X)", "-", "库存(&K)"}));
        QCOMPARE(itemTexts(w.menu("功能(&T)")), QStringList({"顾客列表(&G)", "-", "个人备忘(&B)", "-", "信息设置(&K)"}));
        QCOMPARE(itemTexts(w.menu("帮助(&H)")), QStringList({"使用说明(&H)", "-", "关于墨泉进销存(&V)"}));
        QCOMPARE(itemTexts(w.menu("右键")), QStringList({"最小化(&N)", "关闭墨泉进销存(&C)", "-", "关于墨泉进销存(&V)"}));
        for (const char *name : {"设置", "产品产品", "经销", "功能", "帮助"})
            QCOMPARE(w.findChild<QPushButton *>(name)->size(), QSize(48, 20));
        QCOMPARE(w.findChild<QLabel *>("广告条")->text(), QString("欢迎您使用，如果您有什么问题或者意见提出！"));
        QVERIFY(w.findChild<QLabel *>("显示时间")->text().contains("★"));
        auto *year = w.findChild<QComboBox *>("年");
        QCOMPARE(year->itemText(0), QString("2007"));
        QCOMPARE(year->itemText(year->count() - 1), QString::number(QDate::currentDate().year() + 1));
        QCOMPARE(year->currentText(), QString::number(QDate::currentDate().year()));
        QCOMPARE(w.findChild<QTreeWidget *>("月统计")->topLevelItemCount(), 12);
        QCOMPARE(w.trayIcon()->toolTip(), QString("墨泉进销存"));
        // Online upgrade only explains itself.
        w.findChild<QAction *>("在线升级(&Z)")->trigger();
        QVERIFY(dlg->lastMessage().contains("在线升级"));
    }

    void upgradeTimerOnlyWhenAsked_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("timer");
        QTest::newRow("on") << "1" << true;
        QTest::newRow("off") << "0" << false;
    }
    void upgradeTimerOnlyWhenAsked()
    {
        QFETCH(QString, value);
        QFETCH(bool, timer);
        TestHome home;
        setSetting("自动升级", value);
        MainWindow w;
        QCOMPARE(w.findChild<QTimer *>("升级时钟") != nullptr, timer);
    }

    void foreignDatabaseIsReportedAndKept()
    {
        TestHome home;
        QFile f(databasePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("hello, not a database");
        f.close();
        MainWindow w;
        QVERIFY(!database().isOpen());
        QVERIFY(dlg->lastMessage().contains("不是本软件的数据库"));
        QVERIFY(dlg->lastMessage().contains("还原"));
        QFile again(databasePath());
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), QByteArray("hello, not a database"));
    }

    void closeCancelledKeepsRunning()
    {
        TestHome home;
        setSetting("自动备份", "1");
        MainWindow w;
        w.show();
        dlg->answer(DialogAnswer::Cancel);
        w.close();
        QCOMPARE(dlg->lastMessage(), QString("是否真的退出？"));
        QCOMPARE(dlg->lastTitle(), QString("询问"));
        QVERIFY(w.isVisible());
        QVERIFY(!appContext().programEnded());
        QVERIFY(!QDir(backupDirectory()).exists() || backupSet().isEmpty());
    }

    void closeRoutes_data()
    {
        QTest::addColumn<QString>("route");
        QTest::newRow("frame button") << "窗口设置关闭";
        QTest::newRow("menu 退出") << "退出(&C)";
        QTest::newRow("menu 关闭") << "关闭墨泉进销存(&C)";
        QTest::newRow("window system") << "";
    }
    void closeRoutes()
    {
        QFETCH(QString, route);
        TestHome home;
        setSetting("自动备份", "0");
        MainWindow w;
        w.show();
        dlg->answer(DialogAnswer::Ok);
        if (route.isEmpty())
            w.close();
        else if (auto *a = w.findChild<QAction *>(route))
            a->trigger();
        else
            QTest::mouseClick(w.findChild<QWidget *>(route), Qt::LeftButton);
        QCOMPARE(dlg->messages(), QStringList({"是否真的退出？"}));
        QVERIFY(appContext().programEnded());
        QVERIFY(!database().isOpen());
        QVERIFY(backupSet().isEmpty());
    }

    void closeWithBackupRunsTheBar()
    {
        TestHome home;
        setSetting("自动备份", "1");
        MainWindow w;
        w.show();
        database().ExecuteSql("insert into 品牌 (品牌) values (?)", {"安利"});
        // Watch the bar while it runs: some step strictly between 0 and 100
        // must be seen before the program ends.
        int seenStep = -1;
        QTimer watch;
        watch.setInterval(20);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (auto *p = appContext().window<BackupProgressWindow>("BackupProgressWindow"))
                if (p->step() > 0 && p->step() < 100)
                    seenStep = p->step();
        });
        watch.start();
        dlg->answer(DialogAnswer::Ok);
        QVERIFY(w.runCloseSequence());
        QVERIFY(appContext().programEnded());
        QVERIFY(seenStep > 0 && seenStep < 100);
        const QString name = backupFileName(QDate::currentDate());
        QCOMPARE(backupSet(), QStringList({name}));
        Database copy;
        QCOMPARE(copy.open(backupDirectory() + "/" + name), Database::OpenResult::Opened);
        QCOMPARE(copy.Query("select 品牌 from 品牌").text("品牌"), QString("安利"));
    }

    void closingTheBarEarlyKeepsRunning()
    {
        TestHome home;
        setSetting("自动备份", "1");
        MainWindow w;
        w.show();
        QTimer::singleShot(200, [&] {
            if (auto *p = appContext().window<BackupProgressWindow>("BackupProgressWindow"))
                p->frameClose();
        });
        dlg->answer(DialogAnswer::Ok);
        QVERIFY(!w.runCloseSequence());
        QVERIFY(!appContext().programEnded());
        QVERIFY(database().isOpen());
        QCOMPARE(backupSet().size(), 1);
    }

    void minimizeAndBringBack()
    {
        TestHome home;
        MainWindow w;
        w.show();
        QTest::mouseClick(w.findChild<QWidget *>("窗口设置最小化"), Qt::LeftButton);
        QVERIFY(w.isHidden() || w.isMinimized());
        w.toggleFromTray();
        QVERIFY(w.isVisible());
        QVERIFY(!w.isMinimized());
        QVERIFY(!w.isMaximized());
    }

    void toolbarAndMenusOpenCatalogWindows_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("window");
        QTest::newRow("品牌 button") << "品牌" << "BrandWindow";
        QTest::newRow("类别 button") << "类别" << "CategoryWindow";
        QTest::newRow("产品 button") << "产品" << "ProductListWindow";
        QTest::newRow("品牌管理 menu") << "品牌管理(&P)" << "BrandWindow";
        QTest::newRow("类别管理 menu") << "类别管理(&L)" << "CategoryWindow";
        QTest::newRow("产品管理 menu") << "产品管理(&G)" << "ProductListWindow";
    }
    void toolbarAndMenusOpenCatalogWindows()
    {
        QFETCH(QString, control);
        QFETCH(QString, window);
        TestHome home;
        MainWindow w;
        w.show();
        bool seen = false;
        QTimer::singleShot(0, [&] {
            if (auto *opened = appContext().window<FramedWindow>(window)) {
                seen = opened->isVisible() && opened->isModal();
                opened->frameClose();
            }
        });
        if (auto *a = w.findChild<QAction *>(control))
            a->trigger();
        else
            QTest::mouseClick(w.findChild<QPushButton *>(control), Qt::LeftButton);
        QVERIFY(seen);
        QVERIFY(!appContext().isOpen(window));
    }

    void helpWindow()
    {
        TestHome home;
        appContext().helpWindowMode = 2;
        HelpWindow help;
        QCOMPARE(help.height(), 310);
        QCOMPARE(help.findChild<QLabel *>("软件版本")->text(), QString("V 1.4"));
        QVERIFY(HelpWindow::introduction().startsWith("    直销人员量身定做的一款简单快捷进销存管理软件。包含\n"));
        QVERIFY(HelpWindow::introduction().contains("墨泉交流论坛"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
