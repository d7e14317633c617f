#include "catalog/QuickCode.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace moquan;

class TestQuickCode : public QObject {
    Q_OBJECT

private slots:
    void quickCode_data();
    void quickCode();
    void initialsAcrossTheTable_data();
    void initialsAcrossTheTable();
    void generatorReproducesTable();
};

void TestQuickCode::quickCode_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("code");

    QTest::newRow("中国") << "中国" << "ZG";
    QTest::newRow("安利") << "安利" << "AL";
    QTest::newRow("Chinese then ASCII") << "产品A1" << "CPA1";
    QTest::newRow("full-width letters and digits") << "ＡＢ１" << "AB1";
    QTest::newRow("full-width lower case and signs") << "ｘｙ－（２）" << "XY-(2)";
    QTest::newRow("ideographic space") << "中\u3000国" << "Z G";
    QTest::newRow("lower case ASCII") << "vitamin c" << "VITAMIN C";
    QTest::newRow("ASCII signs kept") << "安利-3号 (大)" << "AL-3H (D)";
    QTest::newRow("empty") << "" << "";
    // First reading of a character with several: 长 zhǎng, 重 zhòng, 行 xíng.
    QTest::newRow("first reading") << "长重行" << "ZZX";
    // Readings that start with a vowel or a toned letter.
    QTest::newRow("toned initials") << "鹅爱欧绿嗯" << "EAOLN";
    // GB2312 punctuation, symbols and the 〇 of the symbol rows give nothing;
    // the full-width comma is a full-width form and becomes ",".
    QTest::newRow("GB2312 symbols") << "中。、，《》〇国※" << "Z,G";
    QTest::newRow("full-width yen") << "￥99" << "99";
    QTest::newRow("outside GB2312: GBK only") << "丂中" << "Z";
    QTest::newRow("outside GB2312: Latin-1") << "café" << "CAF";
    QTest::newRow("outside GB2312: traditional") << "國" << "";
    QTest::newRow("outside GB2312: beyond the BMP") << "\U00020000国" << "G";
    QTest::newRow("outside GB2312: emoji") << "好\U0001F600" << "H";
}

void TestQuickCode::quickCode()
{
    QFETCH(QString, name);
    QFETCH(QString, code);
    QCOMPARE(moquan::quickCode(name), code);
}

void TestQuickCode::initialsAcrossTheTable_data()
{
    QTest::addColumn<QString>("ch");
    QTest::addColumn<QString>("initial");

    QTest::newRow("first place B0A1") << "啊" << "A";
    QTest::newRow("last of level one D7F9") << "座" << "Z";
    QTest::newRow("first of level two D8A1") << "亍" << "C";
    QTest::newRow("last place F7FE") << "齄" << "Z";
    QTest::newRow("lowest code point") << "一" << "Y";
    QTest::newRow("highest code point") << "龠" << "Y";
    QTest::newRow("ASCII") << "a" << "";
    QTest::newRow("GB2312 symbol row") << "①" << "";
}

void TestQuickCode::initialsAcrossTheTable()
{
    QFETCH(QString, ch);
    QFETCH(QString, initial);
    const QChar got = pinyinInitial(ch.at(0).unicode());
    QCOMPARE(got.isNull() ? QString() : QString(got), initial);
}

// The committed table is what the generator makes of the installed Unihan
// data, byte for byte.
void TestQuickCode::generatorReproducesTable()
{
    const QString python = QStringLiteral("/usr/bin/python3");
    const QString unihan = QStringLiteral("/usr/share/unicode/Unihan_Readings.txt.bz2");
    if (!QFileInfo::exists(python) || !QFileInfo::exists(unihan))
        QSKIP("needs /usr/bin/python3 and Debian's unicode-data");
    const QDir source(qEnvironmentVariable("MOQUAN_TEST_SOURCE"));
    const QString script = source.filePath("tools/gen_pinyin_table.py");
    QVERIFY2(QFileInfo::exists(script), qPrintable(script));

    QTemporaryDir tmp;
    const QString fresh = tmp.filePath("PinyinTable.cpp");
    QProcess gen;
    gen.start(python, {script, "--unihan", unihan, "--output", fresh});
    QVERIFY(gen.waitForFinished(120000));
    QVERIFY2(gen.exitStatus() == QProcess::NormalExit && gen.exitCode() == 0,
             gen.readAllStandardError().constData());

    QFile a(fresh), b(source.filePath("src/catalog/PinyinTable.cpp"));
    QVERIFY(a.open(QIODevice::ReadOnly));
    QVERIFY(b.open(QIODevice::ReadOnly));
    QVERIFY2(a.readAll() == b.readAll(),
             "src/catalog/PinyinTable.cpp differs from tools/gen_pinyin_table.py's output");
}

QTEST_GUILESS_MAIN(TestQuickCode)
#include "tst_quickcode.moc"
