#include "app/LoginPassword.h"
#include "app/SettingsFile.h"
#include "platform/Gbk.h"
#include "platform/ProtectedFile.h"
#include "support/TestHome.h"

#include <QFile>
#include <QTest>

using namespace moquan;

namespace {
const QString S = QStringLiteral("软件设置");

void writeRawLines(const QString &file, const QStringList &lines)
{
    QByteArray plain;
    for (const QString &l : lines)
        plain += toGbk(l) + "\r\n";
    QVERIFY(writeProtectedFile(file, "9157", plain));
}
} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstWriteCreatesSectionAndKey()
    {
        TestHome home;
        QVERIFY(!QFile::exists(SettingsFile::path()));
        QVERIFY(SettingsFile::write(S, "自动备份", "1"));
        QCOMPARE(SettingsFile::lines(SettingsFile::path()), QStringList({"[软件设置]", "自动备份=1"}));
        QVERIFY(SettingsFile::write(S, "自动升级", "1"));
        QVERIFY(SettingsFile::write(S, "自动创建快捷方式", "0"));
        QCOMPARE(SettingsFile::lines(SettingsFile::path()),
                 QStringList({"[软件设置]", "自动备份=1", "自动升级=1", "自动创建快捷方式=0"}));
        // Replacing keeps the place and the order of the others.
        QVERIFY(SettingsFile::write(S, "自动备份", "0"));
        QCOMPARE(SettingsFile::lines(SettingsFile::path()),
                 QStringList({"[软件设置]", "自动备份=0", "自动升级=1", "自动创建快捷方式=0"}));
        QCOMPARE(SettingsFile::read(S, "自动备份"), QString("0"));
        QCOMPARE(SettingsFile::read(S, "没有"), QString());
        QCOMPARE(SettingsFile::read("别的", "自动备份", "默认"), QString("默认"));
    }

    void nothingReadableOnDisk()
    {
        TestHome home;
        SettingsFile::write(S, "自动备份", "1");
        SettingsFile::write(S, "请设置密码", ScramblePassword("ruvel"));
        QFile f(SettingsFile::path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray raw = f.readAll();
        for (const QString &word : {QString("软件设置"), QString("自动备份"), QString("请设置密码"),
                                    ScramblePassword("ruvel")}) {
            QVERIFY(!raw.contains(toGbk(word)));
            QVERIFY(!raw.contains(word.toUtf8()));
        }
        QVERIFY(!raw.contains("=1\r\n"));
    }

    void refusesEmptyValues_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("empty value") << S << "自动备份" << "";
        QTest::newRow("blank value") << S << "自动备份" << "  ";
        QTest::newRow("empty key") << S << "" << "1";
        QTest::newRow("blank section") << " " << "自动备份" << "1";
    }
    void refusesEmptyValues()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        TestHome home;
        SettingsFile::write(S, "自动备份", "1");
        QFile f(SettingsFile::path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        QVERIFY(!SettingsFile::write(section, key, value));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    void oddLines()
    {
        TestHome home;
        const QString file = SettingsFile::path();
        // A section line with a leading blank is not the section.
        writeRawLines(file, {" [软件设置]", "自动备份=1"});
        QCOMPARE(SettingsFile::read(S, "自动备份"), QString());
        QVERIFY(SettingsFile::write(S, "自动备份", "0"));
        QCOMPARE(SettingsFile::lines(file),
                 QStringList({" [软件设置]", "自动备份=1", "[软件设置]", "自动备份=0"}));
        QCOMPARE(SettingsFile::read(S, "自动备份"), QString("0"));

        // Blanks around the key are forgiven, around the value kept.
        writeRawLines(file, {"[软件设置]", " 自动备份 = 1 ", "注释行", "[其它]", "a=b"});
        QCOMPARE(SettingsFile::read(S, "自动备份"), QString(" 1 "));
        // A value holding "=" cannot be read back.
        writeRawLines(file, {"[软件设置]", "k=a=b"});
        QCOMPARE(SettingsFile::read(S, "k"), QString());
        // A new key goes at the end of its section, before the next one; the
        // section name's Latin letters match in any case.
        writeRawLines(file, {"[abc]", "x=1", "注释行", "[其它]", "a=b"});
        QVERIFY(SettingsFile::write("ABC", "y", "2"));
        QCOMPARE(SettingsFile::lines(file), QStringList({"[abc]", "x=1", "注释行", "y=2", "[其它]", "a=b"}));
        // A replaced key keeps its own spelling.
        QVERIFY(SettingsFile::write("abc", "x", "9"));
        QCOMPARE(SettingsFile::lines(file).at(1), QString("x=9"));
    }

    void damagedFileIsKeptAside()
    {
        TestHome home;
        SettingsFile::write(S, "自动备份", "1");
        QFile f(SettingsFile::path());
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray raw = f.readAll();
        raw[raw.size() - 1] = char(raw[raw.size() - 1] ^ 0x55);
        f.seek(0);
        f.write(raw);
        f.close();
        QCOMPARE(SettingsFile::read(S, "自动备份"), QString());
        QVERIFY(SettingsFile::write(S, "自动升级", "1"));
        QVERIFY(QFile::exists(SettingsFile::path() + ".bad"));
        QFile bad(SettingsFile::path() + ".bad");
        QVERIFY(bad.open(QIODevice::ReadOnly));
        QCOMPARE(bad.readAll(), raw);
        QCOMPARE(SettingsFile::read(S, "自动升级"), QString("1"));
    }

    void passwordScrambling_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("scrambled");
        QTest::newRow("default") << "ruvel" << "12C2C61AF1";
        QTest::newRow("chinese") << "密码123" << "A36B7294ACBF1E";
        QTest::newRow("empty") << "" << "";
    }
    void passwordScrambling()
    {
        QFETCH(QString, password);
        QFETCH(QString, scrambled);
        QCOMPARE(ScramblePassword(password), scrambled);
        QCOMPARE(UnscramblePassword(scrambled), password);
    }

    void passwordRoundTrip()
    {
        for (const QString &p : {QString("a"), QString("Pass Word 1"), QString(" 中文 "),
                                 QString(200, QChar('x'))}) {
            const QString s = ScramblePassword(p);
            QCOMPARE(s.size(), toGbk(p).size() * 2);
            QCOMPARE(s, s.toUpper());
            QCOMPARE(UnscramblePassword(s), p);
        }
        // A last odd digit is ignored.
        QCOMPARE(UnscramblePassword("12C2C61AF1F"), QString("ruvel"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
