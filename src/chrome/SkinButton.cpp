#include "chrome/SkinButton.h"

#include "chrome/ChromePictures.h"
#include "chrome/SkinSounds.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace moquan {

SkinButton::SkinButton(QWidget *parent) : QPushButton(parent)
{
    connect(this, &QAbstractButton::clicked, this, &SkinButton::onClicked);
}

SkinButton::SkinButton(const QString &text, QWidget *parent) : SkinButton(parent)
{
    setText(text);
}

QSize SkinButton::skinSize(SkinKind kind)
{
    return kind == SkinKind::Toolbar ? QSize(60, 50) : QSize(64, 22);
}

void SkinButton::applySkin(SkinKind kind)
{
    skinned_ = true;
    kind_ = kind;
    setAttribute(Qt::WA_Hover);
    setFlat(true);
    setFixedSize(skinSize(kind));
    update();
}

QSize SkinButton::sizeHint() const
{
    return skinned_ ? skinSize(kind_) : QPushButton::sizeHint();
}

void SkinButton::onClicked()
{
    if (skinned_)
        playSkinSound(SkinSound::Click);
}

void SkinButton::enterEvent(QEnterEvent *e)
{
    QPushButton::enterEvent(e);
    if (skinned_) {
        if (isEnabled())
            playSkinSound(SkinSound::Enter);
        update();
    }
}

void SkinButton::leaveEvent(QEvent *e)
{
    QPushButton::leaveEvent(e);
    if (skinned_)
        update();
}

void SkinButton::paintEvent(QPaintEvent *e)
{
    if (!skinned_) {
        QPushButton::paintEvent(e);
        return;
    }
    const bool toolbar = kind_ == SkinKind::Toolbar;
    ChromePicture look = toolbar ? ChromePicture::ToolbarNormal : ChromePicture::SkinNormal;
    const bool pressed = isDown() || isChecked();
    if (isEnabled() && pressed)
        look = toolbar ? ChromePicture::ToolbarPressed : ChromePicture::SkinPressed;
    else if (isEnabled() && underMouse())
        look = toolbar ? ChromePicture::ToolbarHover : ChromePicture::SkinHover;

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        p.setOpacity(0.55);
    p.drawPixmap(rect(), chromePicture(look));
    p.setOpacity(1.0);

    QRect area = rect();
    if (pressed && isEnabled())
        area.translate(0, 1);
    const QColor ink = isEnabled() ? QColor(0x1A, 0x2C, 0x4E) : QColor(0x8A, 0x96, 0xAA);
    p.setPen(ink);
    p.setFont(font());
    if (!icon().isNull()) {
        // Icon above the text (toolbar) or before it (standard).
        const QSize is = iconSize();
        const QPixmap pm = icon().pixmap(is, isEnabled() ? QIcon::Normal : QIcon::Disabled);
        if (toolbar) {
            const int textH = fontMetrics().height();
            const int top = area.top() + (area.height() - is.height() - textH - 2) / 2;
            p.drawPixmap(area.left() + (area.width() - is.width()) / 2, top, pm);
            p.drawText(QRect(area.left(), top + is.height() + 2, area.width(), textH),
                       Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic, text());
        } else {
            const int textW = fontMetrics().horizontalAdvance(text());
            const int left = area.left() + (area.width() - is.width() - 3 - textW) / 2;
            p.drawPixmap(left, area.top() + (area.height() - is.height()) / 2, pm);
            p.drawText(QRect(left + is.width() + 3, area.top(), textW + 2, area.height()),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, text());
        }
    } else {
        p.drawText(area, Qt::AlignCenter | Qt::TextShowMnemonic, text());
    }
    if (hasFocus()) {
        QPen pen(QColor(0x3F, 0x7F, 0xDD, 160), 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5), 2, 2);
    }
}

} // namespace moquan
