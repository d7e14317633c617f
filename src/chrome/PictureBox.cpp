#include "chrome/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace moquan {

PictureBox::PictureBox(QWidget *parent) : QFrame(parent) {}

bool PictureBox::setBytes(const QByteArray &bytes)
{
    bytes_ = bytes;
    image_ = bytes.isEmpty() ? QImage() : QImage::fromData(bytes);
    picture_ = QPixmap();
    update();
    return !image_.isNull();
}

void PictureBox::setPicture(const QPixmap &picture)
{
    bytes_.clear();
    image_ = QImage();
    picture_ = picture;
    update();
}

void PictureBox::clear()
{
    bytes_.clear();
    image_ = QImage();
    picture_ = QPixmap();
    update();
}

void PictureBox::setFit(Fit fit)
{
    fit_ = fit;
    update();
}

void PictureBox::paintEvent(QPaintEvent *e)
{
    QFrame::paintEvent(e);
    const QRect area = contentsRect();
    if (area.isEmpty())
        return;
    QPainter p(this);
    if (!picture_.isNull()) {
        switch (fit_) {
        case Fit::Stretch:
            p.drawPixmap(area, picture_);
            return;
        case Fit::Tile:
            p.drawTiledPixmap(area, picture_);
            return;
        case Fit::KeepAspect:
            break;
        }
    }
    if (image_.isNull() && picture_.isNull())
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize source = !image_.isNull() ? image_.size() : picture_.deviceIndependentSize().toSize();
    QSize shown = source;
    if (fit_ == Fit::Stretch) {
        shown = area.size();
    } else if (source.width() > area.width() || source.height() > area.height()) {
        shown = source.scaled(area.size(), Qt::KeepAspectRatio);
    }
    const QRect target(area.left() + (area.width() - shown.width()) / 2,
                       area.top() + (area.height() - shown.height()) / 2, shown.width(), shown.height());
    if (!image_.isNull())
        p.drawImage(target, image_);
    else
        p.drawPixmap(target, picture_);
}

void PictureBox::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        Q_EMIT leftPressed();
    QFrame::mousePressEvent(e);
}

} // namespace moquan
