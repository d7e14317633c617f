// The skinned frame: layout, maximize and restore, disabled buttons, the
// rounded shape, resize grips, button skins and the window table.
#include "chrome/AppLook.h"
#include "chrome/ChromePictures.h"
#include "chrome/FormKit.h"
#include "chrome/FramedWindow.h"
#include "chrome/WindowSettings.h"

#include <QApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

using namespace moquan;

namespace {

// A window of a given form size with a few tagged buttons, like the windows
// of the program build themselves.
class SampleWindow : public FramedWindow {
public:
    SampleWindow(const QString &name, QSize form, int taggedButtons = 0) : FramedWindow(name)
    {
        for (int i = 1; i <= taggedButtons; ++i)
            form::button(this, QStringLiteral("按钮%1").arg(i), QStringLiteral("确  定"),
                         QRect(10 + 70 * (i - 1), 60, 58, 20), i);
        resize(form);
        setUpFrame();
    }
};

QWidget *piece(QWidget *w, const char *name)
{
    QWidget *p = w->findChild<QWidget *>(QString::fromUtf8(name));
    if (!p)
        qWarning("frame control %s missing", name);
    return p;
}

QAbstractButton *frameButton(QWidget *w, const char *name)
{
    return qobject_cast<QAbstractButton *>(piece(w, name));
}

QImage pictureImage(ChromePicture p)
{
    return chromePicture(p).toImage();
}

} // namespace

class TestFrame : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        qputenv("MOQUAN_MUTE", "1");
        applyApplicationLook(*qApp);
    }

    void layout_data();
    void layout();
    void windowTable_data();
    void windowTable();
    void maximizeAndRestore_data();
    void maximizeAndRestore();
    void disabledButtonsDoNothing();
    void popupHidesFrameButtons();
    void roundedShape();
    void gripsFollowResize();
    void gripDragResizesByHand();
    void moving();
    void stripRightClick();
    void skinButtons();
    void framePixels();
};

void TestFrame::layout_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QSize>("form");
    QTest::addColumn<QSize>("expectedSize");
    QTest::addColumn<int>("minimizeX");
    QTest::addColumn<int>("maximizeX");
    QTest::addColumn<int>("closeX");
    QTest::newRow("BrandWindow 225") << "BrandWindow" << QSize(225, 213) << QSize(225, 213) << 140 << 164 << 189;
    QTest::newRow("MainWindow height 490") << "MainWindow" << QSize(641, 576) << QSize(641, 490) << 556 << 580 << 605;
    QTest::newRow("StockWindow") << "StockWindow" << QSize(858, 539) << QSize(858, 539) << 773 << 797 << 822;
    QTest::newRow("CategoryEditWindow height 150") << "CategoryEditWindow" << QSize(300, 260) << QSize(300, 150)
                                                   << 215 << 239 << 264;
}

void TestFrame::layout()
{
    QFETCH(QString, window);
    QFETCH(QSize, form);
    QFETCH(QSize, expectedSize);
    QFETCH(int, minimizeX);
    QFETCH(int, maximizeX);
    QFETCH(int, closeX);

    SampleWindow w(window, form);
    QCOMPARE(w.size(), expectedSize);
    const int W = w.width();
    const int H = w.height();

    QCOMPARE(piece(&w, "窗口设置最小化")->geometry(), QRect(minimizeX, 0, 26, 16));
    QCOMPARE(piece(&w, "窗口设置最大化1")->geometry(), QRect(maximizeX, 0, 26, 16));
    QCOMPARE(piece(&w, "窗口设置最大化")->geometry(), QRect(maximizeX, 0, 26, 16));
    QCOMPARE(piece(&w, "窗口设置关闭")->geometry(), QRect(closeX, 0, 26, 16));
    QCOMPARE(piece(&w, "窗口顶边1")->geometry(), QRect(0, 0, W - 30, 24));
    QCOMPARE(piece(&w, "窗口顶左2")->geometry(), QRect(0, 0, 32, 24));
    QCOMPARE(piece(&w, "窗口顶右3")->geometry(), QRect(W - 31, 0, 32, 24));
    QCOMPARE(piece(&w, "窗口左4")->geometry(), QRect(0, 24, 4, H - 28));
    QCOMPARE(piece(&w, "窗口右5")->geometry(), QRect(W - 5, 24, 4, H - 28));
    QCOMPARE(piece(&w, "窗口下6")->geometry(), QRect(0, H - 5, W, 4));
    QCOMPARE(piece(&w, "图形按钮2")->geometry(), QRect(14, 5, 16, 16));
    QCOMPARE(piece(&w, "标题")->pos(), QPoint(8, 5));

    // Exactly one of maximize and restore is shown; buttons lie above the title.
    QVERIFY(!piece(&w, "窗口设置最大化1")->isHidden());
    QVERIFY(piece(&w, "窗口设置最大化")->isHidden());
    QWidget *close = piece(&w, "窗口设置关闭");
    QCOMPARE(w.childAt(close->geometry().center()), close);

    // Each frame button carries its pictures, of the fixed sizes.
    auto *min = qobject_cast<PictureButton *>(piece(&w, "窗口设置最小化"));
    auto *max = qobject_cast<PictureButton *>(piece(&w, "窗口设置最大化1"));
    auto *cls = qobject_cast<PictureButton *>(piece(&w, "窗口设置关闭"));
    QVERIFY(min && max && cls);
    QCOMPARE(min->normalPicture().deviceIndependentSize().toSize(), QSize(24, 16));
    QCOMPARE(max->disabledPicture().deviceIndependentSize().toSize(), QSize(25, 16));
    QCOMPARE(cls->pressedPicture().deviceIndependentSize().toSize(), QSize(26, 16));
}

void TestFrame::windowTable_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("moveFreely");
    QTest::addColumn<bool>("maximizable");
    QTest::addColumn<bool>("minimizable");
    QTest::addColumn<int>("skinned");
    QTest::addColumn<int>("skin");
    const QString tail = QStringLiteral("墨泉进销存 V1.4 www.moquan.net");
    const int standard = int(SkinKind::Standard);
    QTest::newRow("MainWindow") << "MainWindow" << QStringLiteral("    ") + tail << 490 << false << false << true
                                << 9 << int(SkinKind::Toolbar);
    QTest::newRow("BrandWindow, no arrow") << "BrandWindow" << QStringLiteral("    品牌管理") + tail << 0 << true
                                           << false << true << 0 << standard;
    QTest::newRow("PurchaseListWindow") << "PurchaseListWindow" << QStringLiteral("    进货 -> ") + tail << 0
                                        << true << true << true << 9 << standard;
    QTest::newRow("ProductEditWindow") << "ProductEditWindow" << QStringLiteral("    产品管理 -> ") + tail << 440
                                       << false << false << true << 5 << standard;
    QTest::newRow("HelpWindow") << "HelpWindow" << QStringLiteral("    ") + tail << 310 << false << false << false
                                << 0 << standard;
    QTest::newRow("StockWindow") << "StockWindow" << QStringLiteral("    查看库存 -> ") + tail << 0 << true
                                 << true << true << 2 << standard;
    QTest::newRow("ListFilterWindow") << "ListFilterWindow" << QStringLiteral("    设置显示方式 -> ") + tail << 0
                                      << true << false << true << 3 << standard;
}

void TestFrame::windowTable()
{
    QFETCH(QString, window);
    QFETCH(QString, title);
    QFETCH(int, height);
    QFETCH(bool, moveFreely);
    QFETCH(bool, maximizable);
    QFETCH(bool, minimizable);
    QFETCH(int, skinned);
    QFETCH(int, skin);

    const WindowSettings &s = windowSettings(window);
    QCOMPARE(s.window, window);
    QCOMPARE(s.title, title);
    QCOMPARE(s.height, height);
    QCOMPARE(s.moveFreely, moveFreely);
    QCOMPARE(s.maximizable, maximizable);
    QCOMPARE(s.minimizable, minimizable);
    QCOMPARE(s.skinnedButtons, skinned);
    QCOMPARE(int(s.skin), skin);

    // Setting up the frame writes the title and the button states.
    SampleWindow w(window, QSize(400, 300));
    QCOMPARE(w.titleText(), title);
    QCOMPARE(qobject_cast<QLabel *>(piece(&w, "标题"))->text(), title);
    QCOMPARE(frameButton(&w, "窗口设置最大化1")->isEnabled(), maximizable);
    QCOMPARE(frameButton(&w, "窗口设置最小化")->isEnabled(), minimizable);

    // Every window of the program is in the table, each once.
    QCOMPARE(allWindowSettings().size(), 23);
    QVERIFY(windowSettings(QStringLiteral("NoSuchWindow")).window.isEmpty());
}

void TestFrame::maximizeAndRestore_data()
{
    QTest::addColumn<QPoint>("moveFirst");
    QTest::newRow("where it opened") << QPoint();
    QTest::newRow("moved first") << QPoint(37, 41);
}

void TestFrame::maximizeAndRestore()
{
    QFETCH(QPoint, moveFirst);
    SampleWindow w(QStringLiteral("PurchaseListWindow"), QSize(500, 380));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (!moveFirst.isNull())
        w.move(moveFirst);
    const QRect before = w.geometry();
    QVERIFY(!w.isFrameMaximized());

    QTest::mouseClick(frameButton(&w, "窗口设置最大化1"), Qt::LeftButton);
    const QRect screenArea = w.screen()->availableGeometry();
    QVERIFY(w.isFrameMaximized());
    QCOMPARE(w.geometry(), screenArea);
    QCOMPARE(w.restoreGeometryRect(), before);
    // The frame follows: close button 36 pixels from the right edge, edges at the new size.
    QCOMPARE(piece(&w, "窗口设置关闭")->x(), w.width() - 36);
    QCOMPARE(piece(&w, "窗口下6")->geometry(), QRect(0, w.height() - 5, w.width(), 4));
    QCOMPARE(w.frameShape().boundingRect(), QRect(QPoint(0, 0), screenArea.size()));
    QVERIFY(piece(&w, "窗口设置最大化1")->isHidden());
    QVERIFY(!piece(&w, "窗口设置最大化")->isHidden());

    QTest::mouseClick(frameButton(&w, "窗口设置最大化"), Qt::LeftButton);
    QVERIFY(!w.isFrameMaximized());
    QCOMPARE(w.geometry(), before);
    QCOMPARE(piece(&w, "窗口设置关闭")->x(), before.width() - 36);
    QCOMPARE(w.frameShape().boundingRect(), QRect(QPoint(0, 0), before.size()));
    QVERIFY(!piece(&w, "窗口设置最大化1")->isHidden());
    QVERIFY(piece(&w, "窗口设置最大化")->isHidden());
}

void TestFrame::disabledButtonsDoNothing()
{
    SampleWindow brand(QStringLiteral("BrandWindow"), QSize(225, 213));
    brand.show();
    QVERIFY(QTest::qWaitForWindowExposed(&brand));
    const QRect before = brand.geometry();
    auto *max = qobject_cast<PictureButton *>(piece(&brand, "窗口设置最大化1"));
    QVERIFY(!max->isEnabled());
    QCOMPARE(max->currentPicture().toImage(), pictureImage(ChromePicture::MaximizeDisabled));
    QTest::mouseClick(max, Qt::LeftButton);
    brand.frameMaximize();   // also when called directly
    QVERIFY(!brand.isFrameMaximized());
    QCOMPARE(brand.geometry(), before);
    QVERIFY(!max->isHidden());
    QVERIFY(piece(&brand, "窗口设置最大化")->isHidden());

    // HelpWindow: minimize is disabled too.
    SampleWindow help(QStringLiteral("HelpWindow"), QSize(520, 359));
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QTest::mouseClick(frameButton(&help, "窗口设置最小化"), Qt::LeftButton);
    help.frameMinimize();
    QVERIFY(!help.isMinimized());

    // The close button closes.
    QTest::mouseClick(frameButton(&help, "窗口设置关闭"), Qt::LeftButton);
    QVERIFY(!help.isVisible());
}

void TestFrame::popupHidesFrameButtons()
{
    SampleWindow popup(QStringLiteral("ProductInfoPopup"), QSize(422, 375));
    for (const char *name : {"窗口设置最小化", "窗口设置最大化1", "窗口设置最大化", "窗口设置关闭"})
        QVERIFY2(piece(&popup, name)->isHidden(), name);
    QVERIFY(popup.titleText().isEmpty());
    QVERIFY(!piece(&popup, "窗口下6")->isHidden());
}

void TestFrame::roundedShape()
{
    SampleWindow w(QStringLiteral("CategoryWindow"), QSize(425, 420));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QRegion m = w.frameShape();
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QCOMPARE(w.mask(), m);
    QCOMPARE(m.boundingRect(), QRect(0, 0, 425, 395));
    // The corners are cut, the middle of every side is kept.
    for (QPoint outside : {QPoint(0, 0), QPoint(424, 0), QPoint(0, 394), QPoint(424, 394), QPoint(1, 1)})
        QVERIFY2(!m.contains(outside), qPrintable(QStringLiteral("%1,%2").arg(outside.x()).arg(outside.y())));
    for (QPoint inside : {QPoint(212, 0), QPoint(0, 197), QPoint(424, 197), QPoint(212, 394), QPoint(7, 0),
                          QPoint(0, 7), QPoint(4, 2)})
        QVERIFY2(m.contains(inside), qPrintable(QStringLiteral("%1,%2").arg(inside.x()).arg(inside.y())));
    // Symmetric: as much is cut from each corner.
    const QRegion cut = QRegion(0, 0, 425, 395) - m;
    QCOMPARE(cut.intersected(QRect(0, 0, 8, 8)).boundingRect().size(),
             cut.intersected(QRect(417, 387, 8, 8)).boundingRect().size());

    // The shape is cut again at every layout.
    w.resize(300, 200);
    QCOMPARE(w.frameShape().boundingRect(), QRect(0, 0, 300, 200));
}

void TestFrame::gripsFollowResize()
{
    SampleWindow w(QStringLiteral("StockWindow"), QSize(858, 539));
    addResizeGrips(&w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.move(20, 30);

    // The window system resizes the window (as after an interactive resize).
    w.resize(700, 450);
    QCOMPARE(piece(&w, "标签下")->geometry(), QRect(0, 440, 700, 12));
    QCOMPARE(piece(&w, "标签右")->x(), 690);
    QCOMPARE(piece(&w, "标签右")->geometry().bottom(), 449);
    QCOMPARE(piece(&w, "标签右下")->geometry(), QRect(690, 440, 16, 16));
    QCOMPARE(piece(&w, "窗口设置关闭")->x(), 664);
    QCOMPARE(piece(&w, "窗口右5")->geometry(), QRect(695, 24, 4, 422));
    QCOMPARE(piece(&w, "窗口下6")->geometry(), QRect(0, 445, 700, 4));
    QCOMPARE(w.frameShape().boundingRect(), QRect(0, 0, 700, 450));
    QCOMPARE(w.restoreGeometryRect(), w.geometry());
    // The grips lie above the window's own controls; the right grip leaves the close button free.
    QCOMPARE(w.childAt(695, 445), piece(&w, "标签右下"));
    QCOMPARE(w.childAt(piece(&w, "窗口设置关闭")->geometry().center()), piece(&w, "窗口设置关闭"));
}

void TestFrame::gripDragResizesByHand()
{
    // Without a window manager the system resize is refused; the grip resizes by hand.
    SampleWindow w(QStringLiteral("StockWindow"), QSize(600, 400));
    addResizeGrips(&w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (w.windowHandle()->startSystemResize(Qt::RightEdge))
        QSKIP("the platform resizes windows itself");
    QWidget *corner = piece(&w, "标签右下");
    QTest::mousePress(corner, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseMove(corner, QPoint(4 + 50, 4 + 30));
    QTest::mouseRelease(corner, Qt::LeftButton, {}, QPoint(4 + 50, 4 + 30));
    QCOMPARE(w.size(), QSize(650, 430));
    QCOMPARE(w.restoreGeometryRect(), w.geometry());
    QCOMPARE(piece(&w, "窗口设置关闭")->x(), 650 - 36);
    QCOMPARE(piece(&w, "标签右下")->pos(), QPoint(640, 420));
}

void TestFrame::moving()
{
    // A window that moves freely follows a drag from any free point; MainWindow only from its strip.
    SampleWindow free(QStringLiteral("SalesListWindow"), QSize(500, 400));
    free.show();
    QVERIFY(QTest::qWaitForWindowExposed(&free));
    if (free.windowHandle()->startSystemMove())
        QSKIP("the platform moves windows itself");
    free.move(50, 50);
    QTest::mousePress(&free, Qt::LeftButton, {}, QPoint(200, 200));
    QTest::mouseMove(&free, QPoint(230, 220));
    QTest::mouseRelease(&free, Qt::LeftButton, {}, QPoint(230, 220));
    QCOMPARE(free.pos(), QPoint(80, 70));

    SampleWindow main(QStringLiteral("MainWindow"), QSize(641, 576));
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    main.move(10, 10);
    QTest::mousePress(&main, Qt::LeftButton, {}, QPoint(300, 200));
    QTest::mouseMove(&main, QPoint(340, 230));
    QTest::mouseRelease(&main, Qt::LeftButton, {}, QPoint(340, 230));
    QCOMPARE(main.pos(), QPoint(10, 10));
    QTest::mousePress(&main, Qt::LeftButton, {}, QPoint(300, 10));
    QTest::mouseMove(&main, QPoint(340, 30));
    QTest::mouseRelease(&main, Qt::LeftButton, {}, QPoint(340, 30));
    QCOMPARE(main.pos(), QPoint(50, 30));

    // A maximized window stays where it is.
    SampleWindow list(QStringLiteral("PurchaseListWindow"), QSize(500, 400));
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.frameMaximize();
    const QPoint at = list.pos();
    QTest::mousePress(&list, Qt::LeftButton, {}, QPoint(200, 10));
    QTest::mouseMove(&list, QPoint(260, 60));
    QTest::mouseRelease(&list, Qt::LeftButton, {}, QPoint(260, 60));
    QCOMPARE(list.pos(), at);
}

void TestFrame::stripRightClick()
{
    SampleWindow w(QStringLiteral("MainWindow"), QSize(641, 576));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy spy(&w, &FramedWindow::stripRightClicked);
    QTest::mouseClick(&w, Qt::RightButton, {}, QPoint(300, 200));   // not on the strip
    QCOMPARE(spy.count(), 0);
    // The title text and the strip pieces let the pointer through to the window.
    QCOMPARE(w.childAt(60, 10), nullptr);
    QCOMPARE(w.childAt(300, 12), nullptr);
    QTest::mouseClick(&w, Qt::RightButton, {}, QPoint(60, 10));
    QTest::mouseClick(&w, Qt::RightButton, {}, QPoint(300, 12));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.last().at(0).toPoint(), w.mapToGlobal(QPoint(300, 12)));
}

void TestFrame::skinButtons()
{
    // CategoryEditWindow skins three buttons; a fourth tagged one and an
    // untagged one keep their form size; tags may be texts.
    SampleWindow w(QStringLiteral("CategoryEditWindow"), QSize(300, 260), 4);
    auto *byText = form::button(&w, QStringLiteral("文字标记"), QStringLiteral("退出"), QRect(10, 100, 40, 20));
    byText->setProperty("tag", QStringLiteral("3"));
    auto *untagged = form::button(&w, QStringLiteral("无标记"), QStringLiteral("+"), QRect(10, 120, 18, 18));
    w.skinButtons();
    for (int i = 1; i <= 3; ++i) {
        auto *b = w.findChild<SkinButton *>(QStringLiteral("按钮%1").arg(i));
        QVERIFY(b->isSkinned());
        QCOMPARE(b->size(), QSize(64, 22));
        QCOMPARE(b->pos(), QPoint(10 + 70 * (i - 1), 60));
    }
    QVERIFY(byText->isSkinned());
    QCOMPARE(byText->size(), QSize(64, 22));
    auto *fourth = w.findChild<SkinButton *>(QStringLiteral("按钮4"));
    QVERIFY(!fourth->isSkinned());
    QCOMPARE(fourth->size(), QSize(58, 20));
    QVERIFY(!untagged->isSkinned());
    QCOMPARE(untagged->size(), QSize(18, 18));

    // MainWindow: nine toolbar buttons of 60 x 50.
    SampleWindow main(QStringLiteral("MainWindow"), QSize(641, 576), 9);
    main.skinButtons();
    const auto buttons = main.findChildren<SkinButton *>();
    QCOMPARE(buttons.size(), 9);
    for (SkinButton *b : buttons) {
        QCOMPARE(b->skin(), SkinKind::Toolbar);
        QCOMPARE(b->size(), QSize(60, 50));
    }
    // The skin pictures have the skins' sizes.
    QCOMPARE(chromePicture(ChromePicture::SkinHover).deviceIndependentSize().toSize(), QSize(64, 22));
    QCOMPARE(chromePicture(ChromePicture::ToolbarPressed).deviceIndependentSize().toSize(), QSize(60, 50));
}

void TestFrame::framePixels()
{
    // The drawn frame: edge colour on the three sides, a blue strip, the
    // form's face inside, transparent corners outside the shape.
    SampleWindow w(QStringLiteral("CategoryEditWindow"), QSize(300, 260), 3);
    form::label(&w, QStringLiteral("标签1"), QStringLiteral("类别名称:"), QRect(14, 40, 70, 20));
    form::edit(&w, QStringLiteral("类别名称"), QRect(90, 38, 190, 20), QStringLiteral("营养品"));
    w.skinButtons();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QImage img = w.grab().toImage();
    const QString shot = qEnvironmentVariable("MOQUAN_CHROME_SHOT");
    if (!shot.isEmpty())
        img.save(shot);
    const QColor edge = QColor::fromRgb(QRgb(kEdgeColour));
    const int W = w.width(), H = w.height();
    QCOMPARE(img.pixelColor(1, H / 2), edge);
    QCOMPARE(img.pixelColor(W - 3, H / 2), edge);
    QCOMPARE(img.pixelColor(W / 2, H - 3), edge);
    const QColor strip = img.pixelColor(W / 2, 22);
    QVERIFY(strip.blue() > strip.red() + 60);
    QCOMPARE(img.pixelColor(W / 2, 120), w.palette().window().color());
}

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
