#include "app/LoginPassword.h"
#include "app/LoginSettings.h"
#include "app/SettingsFile.h"
#include "app/Startup.h"
#include "chrome/DialogService.h"
#include "platform/SystemMarks.h"
#include "store/DataDirectory.h"
#include "support/TestHome.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>

using namespace moquan;

// Keeps the registry file and the desktop inside the test's directory.
struct Sandbox {
    TestHome home;
    QByteArray oldHome = qgetenv("HOME");
    Sandbox()
    {
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
        qputenv("XDG_DESKTOP_DIR", (home.path() + "/Desktop").toUtf8());
    }
    ~Sandbox()
    {
        qputenv("HOME", oldHome);
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DESKTOP_DIR");
    }
    QString desktopShortcut() const { return desktopDirectory() + "/" + shortcutFileName(); }
};

class TestStartup : public QObject {
    Q_OBJECT
private:
    ScriptedDialogs *dlg = nullptr;
private Q_SLOTS:
    void init() { dlg = ScriptedDialogs::installNew(); }

    void firstRunWritesDefaultsAndMarks()
    {
        Sandbox box;
        std::unique_ptr<SingleInstance> lock;
        QVERIFY(runStartupSequence(lock));
        QVERIFY(lock && lock->isFirst());
        QCOMPARE(SettingsFile::lines(SettingsFile::path()),
                 QStringList({"[软件设置]", "自动备份=1", "自动升级=1", "自动创建快捷方式=0"}));
        QVERIFY(dlg->shown.isEmpty());
        QVERIFY(!QFile::exists(box.desktopShortcut()));
        QSettings reg(registryFilePath(), QSettings::IniFormat);
        QCOMPARE(reg.value("Software/Name").toString(), QString("墨泉进销存"));
        QCOMPARE(reg.value("Software/version").toString(), QString("1.4"));
        QCOMPARE(reg.value("Software/Install").toString(), dataDirectory());
    }

    void existingSettingsAreNeverReset()
    {
        Sandbox box;
        setSetting("自动升级", "0");
        std::unique_ptr<SingleInstance> lock;
        QVERIFY(runStartupSequence(lock));
        QCOMPARE(SettingsFile::lines(SettingsFile::path()), QStringList({"[软件设置]", "自动升级=0"}));
    }

    void secondInstanceIsRefusedAfterMakingTheShortcut()
    {
        Sandbox box;
        setSetting("自动创建快捷方式", "1");
        SingleInstance first(dataDirectory());
        QVERIFY(first.isFirst());
        std::unique_ptr<SingleInstance> lock;
        QVERIFY(!runStartupSequence(lock));
        QVERIFY(!lock);
        QCOMPARE(dlg->lastMessage(), QString("软件已经在运行"));
        QCOMPARE(dlg->lastTitle(), QString("信息："));
        QVERIFY(QFile::exists(box.desktopShortcut()));
        QFile f(box.desktopShortcut());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("Name=墨泉进销存"));
    }

    void loginPrompt_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QVariant>("typed"); // invalid: cancel
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("runs");
        QTest::addColumn<QString>("message");
        QTest::newRow("no password") << "1" << "" << QVariant() << false << true << "";
        QTest::newRow("flag off") << "0" << "abc" << QVariant() << false << true << "";
        QTest::newRow("right") << "1" << "Abc 1" << QVariant("Abc 1") << true << true << "";
        QTest::newRow("wrong case") << "1" << "Abc 1" << QVariant("abc 1") << true << false
                                    << "你输入的密码认证错误，请重新输入！";
        QTest::newRow("empty typed") << "1" << "x" << QVariant("") << true << false
                                     << "你输入的密码认证错误，请重新输入！";
        QTest::newRow("cancel") << "1" << "x" << QVariant() << true << false << "";
    }
    void loginPrompt()
    {
        QFETCH(QString, flag);
        QFETCH(QString, stored);
        QFETCH(QVariant, typed);
        QFETCH(bool, asked);
        QFETCH(bool, runs);
        QFETCH(QString, message);
        Sandbox box;
        setSetting("设置软件密码", flag);
        if (!stored.isEmpty())
            setSetting("请设置密码", ScramblePassword(stored));
        if (typed.isValid())
            dlg->answerText(typed.toString());
        else
            dlg->answerCancel();
        std::unique_ptr<SingleInstance> lock;
        QCOMPARE(runStartupSequence(lock), runs);
        const bool prompted = !dlg->shown.isEmpty() && dlg->shown.first().kind == "input";
        QCOMPARE(prompted, asked);
        if (asked)
            QCOMPARE(dlg->shown.first().title, QString("请输入密码进入操作！"));
        QCOMPARE(dlg->lastMessage(), message);
        if (!message.isEmpty())
            QCOMPARE(dlg->lastTitle(), QString("提示"));
    }

    void loginSettingsDialogue()
    {
        Sandbox box;
        // First use: the default password opens the dialogue.
        dlg->answerText("ruvel");
        dlg->answerText("新密码");
        dlg->answerText("新密码");
        runLoginSettings(nullptr);
        QCOMPARE(dlg->shown.first().title, QString("请输入密码，默认密码为 ruvel"));
        QCOMPARE(dlg->lastMessage(), QString("你的密码已设置，请重新启动软件方可生效！"));
        QCOMPARE(setting("设置软件密码"), QString("1"));
        QCOMPARE(UnscramblePassword(setting("请设置密码")), QString("新密码"));

        // Mismatching entries change nothing.
        dlg->clear();
        dlg->answerText("新密码");
        dlg->answerText("a");
        dlg->answerText("b");
        runLoginSettings(nullptr);
        QCOMPARE(dlg->shown.first().title, QString("密码已设置，请输入正确的密码"));
        QCOMPARE(dlg->lastMessage(), QString("对不起，你两次输入的密码不一致，请重新设置！"));
        QCOMPARE(UnscramblePassword(setting("请设置密码")), QString("新密码"));

        // An empty new password switches the prompt off but keeps the old one.
        dlg->clear();
        dlg->answerText("新密码");
        dlg->answerText("");
        dlg->answerText("");
        runLoginSettings(nullptr);
        QCOMPARE(setting("设置软件密码"), QString("0"));
        QCOMPARE(UnscramblePassword(setting("请设置密码")), QString("新密码"));
        std::unique_ptr<SingleInstance> lock;
        dlg->clear();
        QVERIFY(runStartupSequence(lock));
        QVERIFY(dlg->shown.isEmpty());

        // A wrong current password stops at once.
        lock.reset();
        dlg->clear();
        dlg->answerText("ruvel");
        runLoginSettings(nullptr);
        QCOMPARE(dlg->lastMessage(), QString("你输入的密码认证错误，请重新输入！"));
        QCOMPARE(dlg->shown.size(), 2);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
