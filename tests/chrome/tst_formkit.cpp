// The form kit: picture boxes, the report list model and view, the control
// makers and the skin sounds.
#include "chrome/AppLook.h"
#include "chrome/FormKit.h"
#include "chrome/ReportModel.h"
#include "chrome/SkinSounds.h"

#include <QBuffer>
#include <QHeaderView>
#include <QSignalSpy>
#include <QtEndian>
#include <QtTest>

using namespace moquan;

namespace {

QByteArray encoded(const char *format)
{
    QImage img(23, 17, QImage::Format_RGB32);
    img.fill(QColor(0x33, 0x66, 0x99));
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return bytes;
}

// A 1 x 1 GIF (Qt reads GIF but does not write it).
QByteArray tinyGif()
{
    static const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80,
                                        0x00, 0x00, 0xff, 0xff, 0xff, 0x00, 0x00, 0x00, 0x21, 0xf9, 0x04,
                                        0x01, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x01,
                                        0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3b};
    return QByteArray(reinterpret_cast<const char *>(gif), sizeof gif);
}

QList<ReportColumn> columns()
{
    return {{QStringLiteral("产品名称"), 170}, {QStringLiteral("产品编号"), 60},
            {QStringLiteral("数量"), 50, true}};
}

} // namespace

class TestFormKit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        qputenv("MOQUAN_MUTE", "1");
        applyApplicationLook(*qApp);
    }

    void pictureBoxGivesBackItsBytes_data();
    void pictureBoxGivesBackItsBytes();
    void reportModelBulkFill();
    void reportModelUserEdits();
    void reportModelOrder();
    void reportView();
    void controlsByFormTable();
    void skinSounds();
    void applicationFont();
};

void TestFormKit::pictureBoxGivesBackItsBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("picture");
    QTest::addColumn<QSize>("size");
    QTest::newRow("jpeg") << encoded("JPEG") << true << QSize(23, 17);
    QTest::newRow("bmp") << encoded("BMP") << true << QSize(23, 17);
    QTest::newRow("gif") << tinyGif() << true << QSize(1, 1);
    QTest::newRow("jpeg with trailing bytes") << encoded("JPEG") + QByteArray("\0\1tail", 6) << true
                                              << QSize(23, 17);
    QTest::newRow("not a picture") << QByteArray("plain text, not a picture") << false << QSize(0, 0);
    QTest::newRow("empty") << QByteArray() << false << QSize(0, 0);
}

void TestFormKit::pictureBoxGivesBackItsBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, picture);
    QFETCH(QSize, size);
    QWidget form;
    PictureBox *box = form::pictureBox(&form, QStringLiteral("产品图片"), QRect(293, 33, 216, 304));
    QCOMPARE(box->setBytes(bytes), picture);
    QCOMPARE(box->bytes(), bytes);
    QCOMPARE(box->hasPicture(), picture);
    QCOMPARE(box->image().size(), size);
    box->grab();   // draws without trouble
    QCOMPARE(box->bytes(), bytes);
    box->clear();
    QVERIFY(box->bytes().isEmpty());
    QVERIFY(!box->hasPicture());
}

void TestFormKit::reportModelBulkFill()
{
    ReportModel m;
    m.setColumns(columns());
    m.setCheckable(true);
    QList<ReportRow> rows;
    const int n = 100000;
    rows.reserve(n);
    for (int i = 0; i < n; ++i)
        rows.append(ReportRow{{QStringLiteral("产品%1").arg(i), QString::number(1000 + i), QString()},
                              qint64(i) * 3 + 1, i % 7 == 0});
    QSignalSpy reset(&m, &QAbstractItemModel::modelReset);
    m.setRows(std::move(rows));
    QCOMPARE(reset.count(), 1);
    QCOMPARE(m.rowCount(), n);
    QCOMPARE(m.columnCount(), 3);
    QCOMPARE(m.value(99999), qint64(99999) * 3 + 1);
    QCOMPARE(m.text(12345, 1), QStringLiteral("13345"));
    QCOMPARE(m.checkedRows().size(), (n + 6) / 7);
    QCOMPARE(m.data(m.index(14, 0), Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(m.data(m.index(15, 0), Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QVERIFY(!m.data(m.index(14, 1), Qt::CheckStateRole).isValid());
    QCOMPARE(m.data(m.index(5, 2), ReportModel::ValueRole).toLongLong(), qint64(16));
    QCOMPARE(m.findValue(31), 10);
    QCOMPARE(m.findValue(2), -1);
    QCOMPARE(m.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("产品编号"));

    // Rows shorter than the columns read empty text; setText grows them.
    const int added = m.addRow({QStringLiteral("单格")}, 7);
    QCOMPARE(m.text(added, 2), QString());
    m.setText(added, 2, QStringLiteral("5"));
    QCOMPARE(m.rowCells(added), QStringList({QStringLiteral("单格"), QString(), QStringLiteral("5")}));
    m.removeRowAt(added);
    QCOMPARE(m.rowCount(), n);
    m.clear();
    QCOMPARE(m.rowCount(), 0);
    QCOMPARE(m.text(0, 0), QString());
    QCOMPARE(m.value(0), qint64(0));
}

void TestFormKit::reportModelUserEdits()
{
    ReportModel m;
    m.setColumns(columns());
    m.setCheckable(true);
    m.addRow({QStringLiteral("甲"), QStringLiteral("1"), QStringLiteral("2")}, 11);
    QSignalSpy toggled(&m, &ReportModel::checkToggled);
    QSignalSpy edited(&m, &ReportModel::cellEdited);

    QVERIFY(m.flags(m.index(0, 0)) & Qt::ItemIsUserCheckable);
    QVERIFY(m.setData(m.index(0, 0), Qt::Checked, Qt::CheckStateRole));
    QVERIFY(m.isChecked(0));
    QCOMPARE(toggled.count(), 1);
    QCOMPARE(toggled.last(), QVariantList({0, true}));
    m.setChecked(0, false);   // by the program: no user signal
    QCOMPARE(toggled.count(), 1);
    QVERIFY(!m.isChecked(0));

    // Only editable columns take edits.
    QVERIFY(!(m.flags(m.index(0, 1)) & Qt::ItemIsEditable));
    QVERIFY(!m.setData(m.index(0, 1), QStringLiteral("9"), Qt::EditRole));
    QCOMPARE(m.text(0, 1), QStringLiteral("1"));
    QVERIFY(m.flags(m.index(0, 2)) & Qt::ItemIsEditable);
    QVERIFY(m.setData(m.index(0, 2), QStringLiteral("8"), Qt::EditRole));
    QCOMPARE(m.text(0, 2), QStringLiteral("8"));
    QCOMPARE(edited.count(), 1);
    QCOMPARE(edited.last(), QVariantList({0, 2, QStringLiteral("2"), QStringLiteral("8")}));
    m.setColumnEditable(2, false);
    QVERIFY(!m.setData(m.index(0, 2), QStringLiteral("3"), Qt::EditRole));

    // Without check boxes there is no check state.
    m.setCheckable(false);
    QVERIFY(!m.data(m.index(0, 0), Qt::CheckStateRole).isValid());
    QVERIFY(!(m.flags(m.index(0, 0)) & Qt::ItemIsUserCheckable));
}

void TestFormKit::reportModelOrder()
{
    ReportModel m;
    m.setColumns(columns());
    m.setCheckable(true);
    for (int i = 0; i < 4; ++i)
        m.addRow({QStringLiteral("r%1").arg(i)}, 100 + i);
    m.setChecked(1, true);
    QPersistentModelIndex kept(m.index(1, 0));
    m.applyOrder({3, 1, 0, 2});
    QCOMPARE(m.text(0, 0), QStringLiteral("r3"));
    QCOMPARE(m.value(0), qint64(103));
    QCOMPARE(m.value(2), qint64(100));
    QCOMPARE(m.checkedRows(), QList<int>({1}));
    QCOMPARE(kept.row(), 1);
    // Not a permutation: nothing moves.
    m.applyOrder({0, 0, 1, 2});
    m.applyOrder({0, 1});
    QCOMPARE(m.text(0, 0), QStringLiteral("r3"));
    QCOMPARE(m.text(3, 0), QStringLiteral("r2"));
}

void TestFormKit::reportView()
{
    QWidget form;
    form.resize(600, 400);
    ReportView *v = form::listView(&form, QStringLiteral("产品目录"), QRect(8, 27, 500, 300), columns(), true);
    QCOMPARE(v->objectName(), QStringLiteral("产品目录"));
    QCOMPARE(v->columnWidth(0), 170);
    QCOMPARE(v->columnWidth(2), 50);
    QVERIFY(v->reportModel()->isCheckable());
    for (int i = 0; i < 8; ++i)   // fewer rows than the list shows
        v->reportModel()->addRow({QStringLiteral("产品%1").arg(i), QString::number(i)}, i);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QSignalSpy current(v, &ReportView::currentRowChanged);
    QCOMPARE(v->currentRow(), -1);
    v->setCurrentRow(3);
    QCOMPARE(v->currentRow(), 3);
    QCOMPARE(current.last().at(0).toInt(), 3);

    QSignalSpy doubled(v, &ReportView::rowDoubleClicked);
    const QRect cell = v->visualRect(v->reportModel()->index(5, 1));
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(doubled.count(), 1);
    QCOMPARE(doubled.last(), QVariantList({5, 1}));
    QCOMPARE(v->rowAtPoint(cell.center()), 5);
    QCOMPARE(v->columnAtPoint(cell.center()), 1);
    QCOMPARE(v->cellRect(5, 1).topLeft(), cell.topLeft() + v->viewport()->pos());

    QSignalSpy right(v, &ReportView::rightClicked);
    QTest::mouseClick(v->viewport(), Qt::RightButton, {}, cell.center());
    QCOMPARE(right.last().at(0).toInt(), 5);
    QCOMPARE(v->currentRow(), 5);
    QTest::mouseClick(v->viewport(), Qt::RightButton, {}, QPoint(10, v->viewport()->height() - 2));
    QCOMPARE(right.last().at(0).toInt(), -1);

    // Header texts change in place; the sort marker comes and goes.
    v->reportModel()->setHeaderText(2, QStringLiteral("销售"));
    QCOMPARE(v->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("销售"));
    v->setSortMarker(1, Qt::DescendingOrder);
    QVERIFY(v->horizontalHeader()->isSortIndicatorShown());
    QCOMPARE(v->horizontalHeader()->sortIndicatorSection(), 1);
    v->setSortMarker(-1, Qt::AscendingOrder);
    QVERIFY(!v->horizontalHeader()->isSortIndicatorShown());
}

void TestFormKit::controlsByFormTable()
{
    QWidget form;
    auto *b = form::button(&form, QStringLiteral("增加品牌"), QStringLiteral("增加品牌"), QRect(9, 184, 58, 22), 2);
    QCOMPARE(b->objectName(), QStringLiteral("增加品牌"));
    QCOMPARE(b->geometry(), QRect(9, 184, 58, 22));
    QCOMPARE(b->property("tag").toInt(), 2);
    QVERIFY(!b->isSkinned());
    QVERIFY(!form::button(&form, QStringLiteral("退出"), {}, QRect(0, 0, 32, 22))->property("tag").isValid());

    auto *masked = form::maskedEdit(&form, QStringLiteral("密码"), QRect(1, 2, 100, 20));
    QCOMPARE(masked->echoMode(), QLineEdit::Password);

    auto *combo = form::comboBox(&form, QStringLiteral("年"), QRect(0, 0, 80, 20), true,
                                 {QStringLiteral("2010"), QStringLiteral("2011")});
    QCOMPARE(combo->count(), 2);
    QVERIFY(combo->currentText().isEmpty());
    auto *fixed = form::comboBox(&form, QStringLiteral("性别"), QRect(0, 0, 80, 20), false,
                                 {QStringLiteral("男"), QStringLiteral("女")});
    QCOMPARE(fixed->currentText(), QStringLiteral("男"));

    auto *date = form::datePicker(&form, QStringLiteral("日期框1"), QRect(65, 62, 104, 24));
    QCOMPARE(date->date(), QDate::currentDate());
    QCOMPARE(date->displayFormat(), QStringLiteral("yyyy-MM-dd"));

    auto *label = form::label(&form, QStringLiteral("节日"), QStringLiteral("元旦"), QRect(0, 0, 80, 20), true);
    QSignalSpy pressed(label, &Label::leftPressed);
    QTest::mousePress(label, Qt::LeftButton);
    QTest::mouseRelease(label, Qt::LeftButton);
    QCOMPARE(pressed.count(), 1);

    auto *tree = form::treeView(&form, QStringLiteral("类型列表"), QRect(8, 27, 176, 199));
    QVERIFY(tree->isHeaderHidden());
    QVERIFY(!treeIcon(TreeIcon::Folder).isNull());

    auto *edit = form::multiEdit(&form, QStringLiteral("产品介绍"), QRect(0, 0, 100, 100), QStringLiteral("一\n二"));
    QCOMPARE(edit->text(), QStringLiteral("一\n二"));
}

void TestFormKit::skinSounds()
{
    struct Expect {
        SkinSound sound;
        int ms;
    };
    for (Expect e : {Expect{SkinSound::Enter, 96}, Expect{SkinSound::Click, 4}}) {
        const QByteArray wav = skinSoundWav(e.sound);
        const auto *d = reinterpret_cast<const uchar *>(wav.constData());
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(qFromLittleEndian<quint32>(d + 4), quint32(wav.size() - 8));
        QCOMPARE(qFromLittleEndian<quint16>(d + 20), quint16(1));       // PCM
        QCOMPARE(qFromLittleEndian<quint16>(d + 22), quint16(1));       // mono
        QCOMPARE(qFromLittleEndian<quint32>(d + 24), quint32(22050));
        QCOMPARE(qFromLittleEndian<quint16>(d + 34), quint16(16));
        QCOMPARE(wav.mid(36, 4), QByteArray("data"));
        const quint32 dataBytes = qFromLittleEndian<quint32>(d + 40);
        QCOMPARE(dataBytes, quint32(wav.size() - 44));
        QCOMPARE(int(dataBytes / 2), 22050 * e.ms / 1000);
        // Not silent.
        bool sound = false;
        for (quint32 i = 0; i < dataBytes / 2 && !sound; ++i)
            sound = qAbs(qFromLittleEndian<qint16>(d + 44 + 2 * i)) > 1000;
        QVERIFY(sound);
    }
    QVERIFY(skinSoundsMuted());
    playSkinSound(SkinSound::Enter);   // muted: returns at once
}

void TestFormKit::applicationFont()
{
    QCOMPARE(QApplication::font().family(), QStringLiteral("WenQuanYi Zen Hei"));
    QCOMPARE(QApplication::font().pointSize(), 9);
    // The font is installed and has the Chinese characters.
    QFontMetrics fm(QApplication::font());
    QVERIFY(fm.inFont(QChar(0x58A8)));   // 墨
    QCOMPARE(QFontInfo(QApplication::font()).family(), QStringLiteral("WenQuanYi Zen Hei"));
}

QTEST_MAIN(TestFormKit)
#include "tst_formkit.moc"
