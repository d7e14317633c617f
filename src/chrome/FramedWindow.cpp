#include "chrome/FramedWindow.h"

#include "chrome/ChromePictures.h"
#include "chrome/FormKit.h"
#include "chrome/PictureBox.h"
#include "chrome/PictureButton.h"
#include "chrome/SkinButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <cmath>

namespace moquan {

namespace {

const char *const kTitle = "标题";
const char *const kIcon = "图形按钮2";
const char *const kCornerLeft = "窗口顶左2";
const char *const kStrip = "窗口顶边1";
const char *const kCornerRight = "窗口顶右3";
const char *const kEdgeLeft = "窗口左4";
const char *const kEdgeRight = "窗口右5";
const char *const kEdgeBottom = "窗口下6";
const char *const kMinimize = "窗口设置最小化";
const char *const kMaximize = "窗口设置最大化1";
const char *const kRestore = "窗口设置最大化";
const char *const kClose = "窗口设置关闭";

// The title text in white with a soft shadow, over the strip.
class TitleLabel : public Label {
public:
    using Label::Label;

protected:
    void paintEvent(QPaintEvent *) override
    {
        // The title texts start with blanks that leave room for the window
        // icon; each leading blank stands for 6 pixels whatever the font.
        const QString t = text();
        int blanks = 0;
        while (blanks < t.size() && t.at(blanks) == QLatin1Char(' '))
            ++blanks;
        QPainter p(this);
        p.setFont(font());
        const QRect r = contentsRect().adjusted(blanks * kBlankWidth, 0, 0, 0);
        const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
        const QString shown = fontMetrics().elidedText(t.mid(blanks), Qt::ElideRight, r.width());
        p.setPen(QColor(0x08, 0x1E, 0x52, 150));
        p.drawText(r.translated(1, 1), flags, shown);
        p.setPen(Qt::white);
        p.drawText(r, flags, shown);
    }

private:
    static constexpr int kBlankWidth = 6;
};

// The offscreen platform of the tests has no window shapes (and says so on
// every attempt).
bool platformCutsWindows()
{
    static const bool cuts = QGuiApplication::platformName() != QLatin1String("offscreen");
    return cuts;
}

} // namespace

// A transparent label that resizes its window from one edge or corner.
class ResizeGrip : public Label {
public:
    ResizeGrip(FramedWindow *w, const QString &name, Qt::Edges edges)
        : Label(w), window_(w), edges_(edges)
    {
        setObjectName(name);
        setAttribute(Qt::WA_NoSystemBackground);
        setProperty("transparent", true);
        if (edges == (Qt::RightEdge | Qt::BottomEdge))
            setCursor(Qt::SizeFDiagCursor);
        else if (edges == Qt::RightEdge)
            setCursor(Qt::SizeHorCursor);
        else
            setCursor(Qt::SizeVerCursor);
    }
    Qt::Edges edges() const { return edges_; }

protected:
    void mousePressEvent(QMouseEvent *e) override
    {
        if (e->button() != Qt::LeftButton || window_->isFrameMaximized()) {
            e->ignore();
            return;
        }
        Q_EMIT leftPressed();
        e->accept();
        QWindow *handle = window_->windowHandle();
        if (handle && handle->startSystemResize(edges_)) {
            manual_ = false;
            return;
        }
        manual_ = true;
        startGlobal_ = e->globalPosition().toPoint();
        startSize_ = window_->size();
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        if (!manual_ || !(e->buttons() & Qt::LeftButton))
            return;
        const QPoint d = e->globalPosition().toPoint() - startGlobal_;
        QSize s = startSize_;
        if (edges_ & Qt::RightEdge)
            s.setWidth(startSize_.width() + d.x());
        if (edges_ & Qt::BottomEdge)
            s.setHeight(startSize_.height() + d.y());
        s = s.expandedTo(window_->minimumSize()).expandedTo(QSize(120, 60)).boundedTo(window_->maximumSize());
        window_->resize(s);
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        if (manual_ && e->button() == Qt::LeftButton) {
            manual_ = false;
            window_->gripResizeDone();
        }
    }

private:
    FramedWindow *window_;
    Qt::Edges edges_;
    bool manual_ = false;
    QPoint startGlobal_;
    QSize startSize_;
};

FramedWindow::FramedWindow(const QString &window, QWidget *parent) : QDialog(parent), window_(window)
{
    setWindowFlag(Qt::FramelessWindowHint, true);
    setWindowIcon(programIcon());
    setSizeGripEnabled(false);
    buildFrame();
}

const WindowSettings &FramedWindow::settings() const
{
    return windowSettings(window_);
}

void FramedWindow::buildFrame()
{
    auto makeBox = [this](const char *name, ChromePicture pic, QSize size) {
        auto *b = new PictureBox(this);
        b->setObjectName(QString::fromUtf8(name));
        b->setPicture(chromePicture(pic));
        b->setFit(PictureBox::Fit::Stretch);
        b->setAttribute(Qt::WA_TransparentForMouseEvents);
        // The form keeps the pieces out of sight until the frame is laid out.
        b->setGeometry(QRect(QPoint(-100, -100), size));
        return b;
    };
    auto makeButton = [this](const char *name, QSize size) {
        auto *b = new PictureButton(this);
        b->setObjectName(QString::fromUtf8(name));
        b->setGeometry(QRect(QPoint(-100, -100), size));
        return b;
    };

    strip_ = makeBox(kStrip, ChromePicture::Strip, {10, 24});
    edgeLeft_ = makeBox(kEdgeLeft, ChromePicture::Edge, {4, 10});
    edgeRight_ = makeBox(kEdgeRight, ChromePicture::Edge, {4, 10});
    edgeBottom_ = makeBox(kEdgeBottom, ChromePicture::Edge, {10, 4});

    cornerLeft_ = makeButton(kCornerLeft, {32, 24});
    cornerLeft_->setPictures(chromePicture(ChromePicture::CornerLeft));
    cornerLeft_->setEnabled(false);
    cornerLeft_->setAttribute(Qt::WA_TransparentForMouseEvents);
    cornerRight_ = makeButton(kCornerRight, {32, 24});
    cornerRight_->setPictures(chromePicture(ChromePicture::CornerRight));
    cornerRight_->setEnabled(false);
    cornerRight_->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto *title = new TitleLabel(this);
    title->setObjectName(QString::fromUtf8(kTitle));
    title->setGeometry(8, 5, 536, 16);
    title->setAttribute(Qt::WA_TransparentForMouseEvents);
    title->setProperty("transparent", true);
    title_ = title;

    icon_ = makeButton(kIcon, {16, 16});
    icon_->setGeometry(14, 5, 16, 16);
    icon_->setPictures(chromePicture(ChromePicture::WindowIcon));
    icon_->setAttribute(Qt::WA_TransparentForMouseEvents);

    minimize_ = makeButton(kMinimize, {26, 16});
    maximize_ = makeButton(kMaximize, {26, 16});
    restore_ = makeButton(kRestore, {26, 16});
    close_ = makeButton(kClose, {26, 16});
    for (PictureButton *b : {minimize_, maximize_, restore_, close_})
        b->setCursor(Qt::ArrowCursor);
    minimize_->setToolTip(QStringLiteral("最小化"));
    maximize_->setToolTip(QStringLiteral("最大化"));
    restore_->setToolTip(QStringLiteral("还原"));
    close_->setToolTip(QStringLiteral("关闭"));
    restore_->hide();

    connect(minimize_, &QAbstractButton::clicked, this, &FramedWindow::frameMinimize);
    connect(maximize_, &QAbstractButton::clicked, this, &FramedWindow::frameMaximize);
    connect(restore_, &QAbstractButton::clicked, this, &FramedWindow::frameRestore);
    connect(close_, &QAbstractButton::clicked, this, &FramedWindow::frameClose);
}

void FramedWindow::setUpFrame()
{
    const WindowSettings &s = settings();
    setTitleText(s.title);
    if (!s.caption.isEmpty())
        setWindowTitle(s.caption);
    if (s.height > 0)
        resize(width(), s.height);
    setMaximizeEnabled(s.maximizable);
    setMinimizeEnabled(s.minimizable);
    setFrameButtonsHidden(s.frameButtonsHidden);
    layOutFrame();
}

void FramedWindow::layOutFrame()
{
    const int W = width();
    const int H = height();

    minimize_->move(W - 85, 0);
    maximize_->move(W - 61, 0);
    restore_->move(W - 61, 0);
    close_->move(W - 36, 0);
    strip_->setGeometry(0, 0, W - 30, strip_->height());
    cornerLeft_->move(0, 0);
    cornerRight_->move(W - 31, 0);
    edgeLeft_->setGeometry(0, kStripHeight, edgeLeft_->width(), H - 28);
    edgeRight_->setGeometry(W - 5, kStripHeight, edgeRight_->width(), H - 28);
    edgeBottom_->setGeometry(0, H - 5, W, edgeBottom_->height());

    // The title keeps its place; it stops short of the frame buttons.
    const int titleRight = buttonsHidden_ ? W - 8 : W - 85;
    title_->resize(qBound(0, titleRight - title_->x(), 536), title_->height());

    // Pictures of the frame controls.
    minimize_->setPictures(chromePicture(ChromePicture::MinimizeNormal),
                           chromePicture(ChromePicture::MinimizeHover),
                           chromePicture(ChromePicture::MinimizePressed),
                           chromePicture(ChromePicture::MinimizeDisabled));
    maximize_->setPictures(chromePicture(ChromePicture::MaximizeNormal),
                           chromePicture(ChromePicture::MaximizeHover),
                           chromePicture(ChromePicture::MaximizePressed),
                           chromePicture(ChromePicture::MaximizeDisabled));
    restore_->setPictures(chromePicture(ChromePicture::RestoreNormal),
                          chromePicture(ChromePicture::RestoreHover),
                          chromePicture(ChromePicture::RestorePressed),
                          chromePicture(ChromePicture::RestoreDisabled));
    close_->setPictures(chromePicture(ChromePicture::CloseNormal),
                        chromePicture(ChromePicture::CloseHover),
                        chromePicture(ChromePicture::ClosePressed));

    // Stacking: strip under corners under edges, title and icon, buttons on top.
    for (QWidget *w : std::initializer_list<QWidget *>{strip_, cornerLeft_, cornerRight_, edgeLeft_,
                                                       edgeRight_, edgeBottom_, title_, icon_, minimize_,
                                                       maximize_, restore_, close_})
        w->raise();

    layOutGrips();
    shape_ = roundedShape(size());
    if (platformCutsWindows())
        setMask(shape_);
    update();
    Q_EMIT frameLaidOut();
}

QRegion FramedWindow::roundedShape(const QSize &size)
{
    // A rectangle with corner ellipses of 15 x 15, row by row.
    const int w = size.width();
    const int h = size.height();
    if (w <= 0 || h <= 0)
        return {};
    const double r = kCornerEllipse / 2.0;
    const int rows = int(std::ceil(r));
    if (h < 2 * rows || w < 2 * rows)
        return QRegion(0, 0, w, h);
    QRegion shape(0, rows, w, h - 2 * rows);
    for (int y = 0; y < rows; ++y) {
        const double dy = r - (y + 0.5);
        const int inset = int(std::lround(r - std::sqrt(std::max(0.0, r * r - dy * dy))));
        shape += QRect(inset, y, w - 2 * inset, 1);
        shape += QRect(inset, h - 1 - y, w - 2 * inset, 1);
    }
    return shape;
}

void FramedWindow::skinButtons()
{
    skinButtons(settings().skinnedButtons, settings().skin);
}

void FramedWindow::skinButtons(int count, SkinKind kind)
{
    if (count <= 0)
        return;
    const auto buttons = findChildren<SkinButton *>();
    for (int tag = 1; tag <= count; ++tag) {
        for (SkinButton *b : buttons) {
            const QVariant v = b->property("tag");
            if (v.isValid() && v.toString().trimmed().toInt() == tag)
                b->applySkin(kind);
        }
    }
}

void FramedWindow::setTitleText(const QString &t)
{
    title_->setText(t);
}

QString FramedWindow::titleText() const
{
    return title_->text();
}

void FramedWindow::setMaximizeEnabled(bool enabled)
{
    maximize_->setEnabled(enabled);
    restore_->setEnabled(enabled);
}

bool FramedWindow::isMaximizeEnabled() const
{
    return maximize_->isEnabled();
}

void FramedWindow::setMinimizeEnabled(bool enabled)
{
    minimize_->setEnabled(enabled);
}

void FramedWindow::setFrameButtonsHidden(bool hidden)
{
    buttonsHidden_ = hidden;
    minimize_->setVisible(!hidden);
    close_->setVisible(!hidden);
    maximize_->setVisible(!hidden && !maximized_);
    restore_->setVisible(!hidden && maximized_);
}

void FramedWindow::frameMinimize()
{
    if (!minimize_->isEnabled())
        return;
    showMinimized();
}

void FramedWindow::frameMaximize()
{
    if (!maximize_->isEnabled() || maximized_)
        return;
    restoreRect_ = geometry();
    maximized_ = true;
    QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s)
        setGeometry(s->availableGeometry());
    layOutFrame();
    restore_->setVisible(!buttonsHidden_);
    maximize_->hide();
}

void FramedWindow::frameRestore()
{
    if (!restore_->isEnabled() || !maximized_)
        return;
    maximized_ = false;
    if (restoreRect_.isValid())
        setGeometry(restoreRect_);
    layOutFrame();
    restore_->hide();
    maximize_->setVisible(!buttonsHidden_);
}

void FramedWindow::frameClose()
{
    close();
}

bool FramedWindow::canMoveFrom(const QPoint &pos) const
{
    if (maximized_)
        return false;
    if (settings().moveFreely)
        return true;
    return pos.y() >= 0 && pos.y() < kStripHeight;
}

void FramedWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int W = width();
    const int H = height();
    const QColor edge = QColor::fromRgb(QRgb(kEdgeColour));
    p.fillRect(rect(), edge);
    p.drawTiledPixmap(QRect(0, 0, W, kStripHeight), chromePicture(ChromePicture::Strip));
    p.fillRect(QRect(kEdgeWidth, kStripHeight, W - 9, H - 29), palette().window());
    // The rounded rims of the two top corners; the corner pieces draw the same.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(edge, 1));
    p.drawPath(cornerRim(0, true));
    p.drawPath(cornerRim(W, false));
}

void FramedWindow::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    layOutFrame();
    if (grips_ && !maximized_ && isVisible())
        restoreRect_ = geometry();
}

void FramedWindow::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && canMoveFrom(e->position().toPoint())) {
        drag_ = Drag::Pending;
        dragStartGlobal_ = e->globalPosition().toPoint();
        dragStartWindowPos_ = pos();
        e->accept();
        return;
    }
    QDialog::mousePressEvent(e);
}

void FramedWindow::mouseMoveEvent(QMouseEvent *e)
{
    if (drag_ == Drag::None || !(e->buttons() & Qt::LeftButton)) {
        drag_ = Drag::None;
        QDialog::mouseMoveEvent(e);
        return;
    }
    const QPoint delta = e->globalPosition().toPoint() - dragStartGlobal_;
    if (drag_ == Drag::Pending) {
        if (delta.manhattanLength() < QApplication::startDragDistance())
            return;
        QWindow *handle = windowHandle();
        if (handle && handle->startSystemMove()) {
            drag_ = Drag::None;
            return;
        }
        drag_ = Drag::Manual;
    }
    move(dragStartWindowPos_ + delta);
}

void FramedWindow::mouseReleaseEvent(QMouseEvent *e)
{
    drag_ = Drag::None;
    if (e->button() == Qt::RightButton && e->position().y() >= 0 && e->position().y() < kStripHeight) {
        Q_EMIT stripRightClicked(e->globalPosition().toPoint());
        e->accept();
        return;
    }
    QDialog::mouseReleaseEvent(e);
}

void FramedWindow::keyPressEvent(QKeyEvent *e)
{
    // Escape does not close a framed window behind its own close routine.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void FramedWindow::installResizeGrips()
{
    if (grips_)
        return;
    grips_ = true;
    new ResizeGrip(this, QStringLiteral("标签右下"), Qt::RightEdge | Qt::BottomEdge);
    new ResizeGrip(this, QStringLiteral("标签右"), Qt::RightEdge);
    new ResizeGrip(this, QStringLiteral("标签下"), Qt::BottomEdge);
    layOutGrips();
}

void FramedWindow::layOutGrips()
{
    if (!grips_)
        return;
    const int W = width();
    const int H = height();
    auto *corner = findChild<ResizeGrip *>(QStringLiteral("标签右下"), Qt::FindDirectChildrenOnly);
    auto *right = findChild<ResizeGrip *>(QStringLiteral("标签右"), Qt::FindDirectChildrenOnly);
    auto *bottom = findChild<ResizeGrip *>(QStringLiteral("标签下"), Qt::FindDirectChildrenOnly);
    // The right grip starts below the title strip so that it never lies over
    // the close button.
    if (bottom) {
        bottom->setGeometry(0, H - 10, W, 12);
        bottom->raise();
    }
    if (right) {
        right->setGeometry(W - 10, kStripHeight, 16, H - kStripHeight);
        right->raise();
    }
    if (corner) {
        corner->setGeometry(W - 10, H - 10, 16, 16);
        corner->raise();
    }
}

void FramedWindow::gripResizeDone()
{
    if (!maximized_)
        restoreRect_ = geometry();
    layOutFrame();
}

void addResizeGrips(FramedWindow *w)
{
    if (w)
        w->installResizeGrips();
}

} // namespace moquan
