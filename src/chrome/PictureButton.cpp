#include "chrome/PictureButton.h"

#include <QPainter>

namespace moquan {

PictureButton::PictureButton(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void PictureButton::setPictures(const QPixmap &normal, const QPixmap &hover, const QPixmap &pressed,
                                const QPixmap &disabled)
{
    normal_ = normal;
    hover_ = hover;
    pressed_ = pressed;
    disabled_ = disabled;
    update();
}

QPixmap PictureButton::currentPicture() const
{
    auto orNormal = [this](const QPixmap &p) { return p.isNull() ? normal_ : p; };
    if (!isEnabled())
        return orNormal(disabled_);
    if (isDown())
        return orNormal(pressed_);
    if (underMouse())
        return orNormal(hover_);
    return normal_;
}

QSize PictureButton::sizeHint() const
{
    return normal_.isNull() ? QSize(16, 16) : normal_.deviceIndependentSize().toSize();
}

void PictureButton::paintEvent(QPaintEvent *)
{
    const QPixmap pm = currentPicture();
    if (pm.isNull())
        return;
    QPainter p(this);
    p.drawPixmap(0, 0, pm);
}

void PictureButton::enterEvent(QEnterEvent *e)
{
    QAbstractButton::enterEvent(e);
    update();
}

void PictureButton::leaveEvent(QEvent *e)
{
    QAbstractButton::leaveEvent(e);
    update();
}

} // namespace moquan
