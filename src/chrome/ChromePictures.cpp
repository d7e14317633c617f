#include "chrome/ChromePictures.h"

#include <QGuiApplication>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace moquan {

namespace {

const QColor kEdge = QColor::fromRgb(QRgb(kEdgeColour));

qreal pixelRatio()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

// A transparent pixmap of a logical size, ready for a painter.
QPixmap blank(int w, int h, qreal dpr = pixelRatio())
{
    QPixmap pm(qRound(w * dpr), qRound(h * dpr));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    return pm;
}

// The title strip's background over a rectangle 24 pixels high.
void paintStrip(QPainter &p, const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, QColor(0x5B, 0x8F, 0xE2));
    g.setColorAt(0.48, QColor(0x3A, 0x70, 0xD0));
    g.setColorAt(0.52, QColor(0x2E, 0x63, 0xC4));
    g.setColorAt(1.0, QColor(0x22, 0x52, 0xB0));
    p.fillRect(r, g);
    // A soft sheen over the upper half.
    QLinearGradient sheen(r.topLeft(), QPointF(r.left(), r.top() + r.height() / 2));
    sheen.setColorAt(0.0, QColor(255, 255, 255, 70));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 12));
    p.fillRect(QRectF(r.left(), r.top(), r.width(), r.height() / 2), sheen);
    // Light line at the top, the edge colour at the bottom.
    p.fillRect(QRectF(r.left(), r.top(), r.width(), 1), QColor(0x8C, 0xB4, 0xF2));
    p.fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), kEdge);
}

QPixmap drawStrip()
{
    QPixmap pm = blank(18, 24);
    QPainter p(&pm);
    paintStrip(p, QRectF(0, 0, 18, 24));
    return pm;
}

// A corner piece: the strip with the window's rounded outer rim.  The left
// piece lies at the window's left edge; the right one ends one pixel short of
// the window's right edge (its control is 32 wide at W - 31), so its rim runs
// just outside the picture and the window draws that last column itself.
QPixmap drawCorner(bool left)
{
    QPixmap pm = blank(30, 24);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    paintStrip(p, QRectF(0, 0, 30, 24));
    p.setPen(QPen(kEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cornerRim(left ? 0.0 : 31.0, left));
    return pm;
}

QPixmap drawEdge()
{
    QPixmap pm(1, 1);
    pm.fill(kEdge);
    return pm;
}

enum class Look { Normal, Hover, Pressed, Disabled };
enum class Glyph { Minimize, Maximize, Restore, Close };

// A frame button: a glyph on the strip, with a rounded highlight when the
// pointer is over it or it is pressed.
QPixmap drawFrameButton(Glyph glyph, Look look, int w)
{
    const int h = 16;
    QPixmap pm = blank(w, h);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face(1.5, 0.5, w - 3, h - 1.5);
    if (look == Look::Hover || look == Look::Pressed) {
        QColor top, bottom, rim;
        if (glyph == Glyph::Close) {
            top = look == Look::Hover ? QColor(0xF0, 0x6A, 0x5E) : QColor(0xB9, 0x32, 0x2A);
            bottom = look == Look::Hover ? QColor(0xC8, 0x2E, 0x26) : QColor(0x9A, 0x22, 0x1C);
            rim = QColor(0x7E, 0x1A, 0x14, 200);
        } else if (look == Look::Hover) {
            top = QColor(255, 255, 255, 110);
            bottom = QColor(255, 255, 255, 40);
            rim = QColor(255, 255, 255, 150);
        } else {
            top = QColor(0x0E, 0x2A, 0x6A, 150);
            bottom = QColor(0x0E, 0x2A, 0x6A, 90);
            rim = QColor(0x0B, 0x22, 0x58, 200);
        }
        QLinearGradient g(face.topLeft(), face.bottomLeft());
        g.setColorAt(0, top);
        g.setColorAt(1, bottom);
        p.setPen(QPen(rim, 1));
        p.setBrush(g);
        p.drawRoundedRect(face, 3, 3);
    }

    QColor ink = look == Look::Disabled ? QColor(255, 255, 255, 90) : QColor(Qt::white);
    const QPointF shift = look == Look::Pressed ? QPointF(0, 1) : QPointF(0, 0);
    const qreal cx = w / 2.0 + shift.x();
    const qreal cy = h / 2.0 + shift.y();

    auto drawGlyph = [&](QPainter &q, const QColor &c, const QPointF &off) {
        QPen pen(c, 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        q.setPen(pen);
        q.setBrush(Qt::NoBrush);
        const qreal x = cx + off.x(), y = cy + off.y();
        switch (glyph) {
        case Glyph::Minimize:
            q.drawLine(QPointF(x - 4.5, y + 3.5), QPointF(x + 4.5, y + 3.5));
            break;
        case Glyph::Maximize:
            q.drawRect(QRectF(x - 4.5, y - 4, 9, 8));
            q.drawLine(QPointF(x - 4.5, y - 3), QPointF(x + 4.5, y - 3));
            break;
        case Glyph::Restore:
            q.drawRect(QRectF(x - 4.5, y - 1.5, 7, 6));
            q.drawPolyline(QPolygonF({QPointF(x - 2, y - 1.5), QPointF(x - 2, y - 4.5),
                                      QPointF(x + 4.5, y - 4.5), QPointF(x + 4.5, y + 1.5),
                                      QPointF(x + 2.5, y + 1.5)}));
            break;
        case Glyph::Close:
            pen.setWidthF(1.8);
            pen.setCapStyle(Qt::RoundCap);
            q.setPen(pen);
            q.drawLine(QPointF(x - 4, y - 4), QPointF(x + 4, y + 4));
            q.drawLine(QPointF(x + 4, y - 4), QPointF(x - 4, y + 4));
            break;
        }
    };
    if (look != Look::Disabled)
        drawGlyph(p, QColor(0x08, 0x1E, 0x52, 110), QPointF(0, 1));
    drawGlyph(p, ink, QPointF(0, 0));
    return pm;
}

// A push-button skin picture: rounded, with a vertical gradient.
QPixmap drawSkin(int w, int h, Look look, qreal radius)
{
    QPixmap pm = blank(w, h);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QColor top, bottom, rim, inner;
    switch (look) {
    case Look::Hover:
        top = QColor(0xFF, 0xFF, 0xFF);
        bottom = QColor(0xC6, 0xDD, 0xFA);
        rim = QColor(0x3F, 0x7F, 0xDD);
        inner = QColor(255, 255, 255, 230);
        break;
    case Look::Pressed:
        top = QColor(0xB5, 0xCD, 0xEE);
        bottom = QColor(0xE2, 0xEC, 0xF9);
        rim = QColor(0x2C, 0x5A, 0xA8);
        inner = QColor(0x6A, 0x8E, 0xC6, 110);
        break;
    default:
        top = QColor(0xFF, 0xFF, 0xFF);
        bottom = QColor(0xD9, 0xE4, 0xF4);
        rim = QColor(0x86, 0xA3, 0xD0);
        inner = QColor(255, 255, 255, 200);
        break;
    }
    const QRectF outer(0.5, 0.5, w - 1, h - 1);
    QLinearGradient g(outer.topLeft(), outer.bottomLeft());
    g.setColorAt(0.0, top);
    g.setColorAt(0.45, top.toRgb().darker(look == Look::Pressed ? 100 : 102));
    g.setColorAt(0.55, bottom.lighter(103));
    g.setColorAt(1.0, bottom);
    p.setPen(QPen(rim, 1));
    p.setBrush(g);
    p.drawRoundedRect(outer, radius, radius);
    // Inner light (or shadow, when pressed) line along the top.
    p.setPen(QPen(inner, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(outer.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
    return pm;
}

// The program's icon: an ink drop over a spring.
QPixmap drawIcon(int size)
{
    QPixmap pm = blank(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    QPainterPath drop;
    drop.moveTo(8, 0.8);
    drop.cubicTo(9.2, 3.6, 13.2, 6.6, 13.2, 10.0);
    drop.cubicTo(13.2, 13.1, 10.9, 15.2, 8, 15.2);
    drop.cubicTo(5.1, 15.2, 2.8, 13.1, 2.8, 10.0);
    drop.cubicTo(2.8, 6.6, 6.8, 3.6, 8, 0.8);
    drop.closeSubpath();
    QRadialGradient g(QPointF(6.6, 8.6), 8.0, QPointF(6.0, 8.0));
    g.setColorAt(0.0, QColor(0x9B, 0xE3, 0xFF));
    g.setColorAt(0.45, QColor(0x2A, 0x86, 0xE0));
    g.setColorAt(1.0, QColor(0x0B, 0x2C, 0x78));
    p.setPen(QPen(QColor(255, 255, 255, 220), 0.9));
    p.setBrush(g);
    p.drawPath(drop);
    // Highlight.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 190));
    p.drawEllipse(QRectF(5.0, 8.0, 2.2, 3.4));
    // Ripple of the spring at the base.
    p.setPen(QPen(QColor(255, 255, 255, 160), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5.0, 11.6, 6.0, 2.4), 200 * 16, 140 * 16);
    return pm;
}

QPixmap drawTree(ChromePicture which)
{
    QPixmap pm = blank(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (which) {
    case ChromePicture::TreeRoot: {
        // A small ledger book.
        QLinearGradient g(0, 2, 0, 14);
        g.setColorAt(0, QColor(0x4F, 0x86, 0xDD));
        g.setColorAt(1, QColor(0x22, 0x52, 0xB0));
        p.setPen(QPen(QColor(0x16, 0x3A, 0x86), 1));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xF4, 0xF7, 0xFC));
        p.drawRect(QRectF(4.5, 3.5, 7, 2));
        p.setBrush(QColor(255, 255, 255, 120));
        p.drawRect(QRectF(4.5, 7, 7, 1));
        p.drawRect(QRectF(4.5, 9.5, 7, 1));
        break;
    }
    case ChromePicture::TreeFolder: {
        QLinearGradient g(0, 3, 0, 14);
        g.setColorAt(0, QColor(0xFF, 0xDB, 0x7A));
        g.setColorAt(1, QColor(0xE8, 0xA8, 0x2E));
        p.setPen(QPen(QColor(0xB0, 0x7A, 0x1A), 1));
        p.setBrush(QColor(0xF2, 0xC0, 0x55));
        QPainterPath tab;
        tab.moveTo(1.5, 4.5);
        tab.lineTo(1.5, 2.5);
        tab.lineTo(6, 2.5);
        tab.lineTo(7.5, 4.5);
        tab.closeSubpath();
        p.drawPath(tab);
        p.setBrush(g);
        p.drawRoundedRect(QRectF(1.5, 4.5, 13, 9), 1.2, 1.2);
        break;
    }
    default: {
        // A product: a small box.
        p.setPen(QPen(QColor(0x2C, 0x6E, 0x3E), 1));
        QLinearGradient g(0, 3, 0, 14);
        g.setColorAt(0, QColor(0x8E, 0xD9, 0x9C));
        g.setColorAt(1, QColor(0x3C, 0x9E, 0x55));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(3.5, 4.5, 9, 9), 1.2, 1.2);
        p.setBrush(QColor(0xC9, 0xF0, 0xD0));
        p.drawRoundedRect(QRectF(2.5, 2.5, 11, 3), 1, 1);
        break;
    }
    }
    return pm;
}

QPixmap draw(ChromePicture which)
{
    switch (which) {
    case ChromePicture::CornerLeft: return drawCorner(true);
    case ChromePicture::Strip: return drawStrip();
    case ChromePicture::CornerRight: return drawCorner(false);
    case ChromePicture::Edge: return drawEdge();
    case ChromePicture::MinimizeNormal: return drawFrameButton(Glyph::Minimize, Look::Normal, 24);
    case ChromePicture::MinimizeHover: return drawFrameButton(Glyph::Minimize, Look::Hover, 24);
    case ChromePicture::MinimizePressed: return drawFrameButton(Glyph::Minimize, Look::Pressed, 24);
    case ChromePicture::MinimizeDisabled: return drawFrameButton(Glyph::Minimize, Look::Disabled, 24);
    case ChromePicture::MaximizeNormal: return drawFrameButton(Glyph::Maximize, Look::Normal, 25);
    case ChromePicture::MaximizeHover: return drawFrameButton(Glyph::Maximize, Look::Hover, 25);
    case ChromePicture::MaximizePressed: return drawFrameButton(Glyph::Maximize, Look::Pressed, 25);
    case ChromePicture::MaximizeDisabled: return drawFrameButton(Glyph::Maximize, Look::Disabled, 25);
    case ChromePicture::RestoreNormal: return drawFrameButton(Glyph::Restore, Look::Normal, 25);
    case ChromePicture::RestoreHover: return drawFrameButton(Glyph::Restore, Look::Hover, 25);
    case ChromePicture::RestorePressed: return drawFrameButton(Glyph::Restore, Look::Pressed, 25);
    case ChromePicture::RestoreDisabled: return drawFrameButton(Glyph::Restore, Look::Disabled, 25);
    case ChromePicture::CloseNormal: return drawFrameButton(Glyph::Close, Look::Normal, 26);
    case ChromePicture::CloseHover: return drawFrameButton(Glyph::Close, Look::Hover, 26);
    case ChromePicture::ClosePressed: return drawFrameButton(Glyph::Close, Look::Pressed, 26);
    case ChromePicture::SkinNormal: return drawSkin(64, 22, Look::Normal, 3.5);
    case ChromePicture::SkinHover: return drawSkin(64, 22, Look::Hover, 3.5);
    case ChromePicture::SkinPressed: return drawSkin(64, 22, Look::Pressed, 3.5);
    case ChromePicture::ToolbarNormal: return drawSkin(60, 50, Look::Normal, 6);
    case ChromePicture::ToolbarHover: return drawSkin(60, 50, Look::Hover, 6);
    case ChromePicture::ToolbarPressed: return drawSkin(60, 50, Look::Pressed, 6);
    case ChromePicture::WindowIcon: return drawIcon(16);
    case ChromePicture::TreeRoot:
    case ChromePicture::TreeFolder:
    case ChromePicture::TreeLeaf: return drawTree(which);
    }
    return {};
}

} // namespace

QPainterPath cornerRim(qreal outerX, bool left)
{
    const qreal d = kCornerEllipseSize;
    QPainterPath rim;
    if (left) {
        rim.moveTo(outerX + 0.5, 24);
        rim.lineTo(outerX + 0.5, 0.5 + d / 2);
        rim.arcTo(QRectF(outerX + 0.5, 0.5, d, d), 180, -90);
    } else {
        rim.moveTo(outerX - 0.5, 24);
        rim.lineTo(outerX - 0.5, 0.5 + d / 2);
        rim.arcTo(QRectF(outerX - 0.5 - d, 0.5, d, d), 0, 90);
    }
    return rim;
}

const QPixmap &chromePicture(ChromePicture which)
{
    static QHash<int, QPixmap> cache;
    auto it = cache.find(int(which));
    if (it == cache.end())
        it = cache.insert(int(which), draw(which));
    return *it;
}

QIcon programIcon()
{
    static const QIcon icon = [] {
        QIcon i;
        for (int s : {16, 24, 32, 48, 64, 128})
            i.addPixmap(drawIcon(s));
        return i;
    }();
    return icon;
}

} // namespace moquan
