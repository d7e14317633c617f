#pragma once
// A picture box.  It shows a picture given as the bytes of a JPEG, BMP or GIF
// file and gives back exactly those bytes; it can also show a picture made in
// code, stretched over the control (the frame edges) or fitted into it.
#include <QByteArray>
#include <QFrame>
#include <QImage>
#include <QPixmap>

namespace moquan {

class PictureBox : public QFrame {
    Q_OBJECT
public:
    enum class Fit { KeepAspect, Stretch, Tile };

    explicit PictureBox(QWidget *parent = nullptr);

    // Shows the picture held in the bytes and keeps them as they are.  Returns
    // false (and shows nothing, but still keeps the bytes) when they hold no
    // picture that can be read.
    bool setBytes(const QByteArray &bytes);
    // The bytes last given to setBytes, unchanged; empty after clear() or setPicture().
    QByteArray bytes() const { return bytes_; }
    bool hasPicture() const { return !image_.isNull(); }
    QImage image() const { return image_; }

    // A picture made in code (no bytes behind it).
    void setPicture(const QPixmap &picture);
    void clear();

    void setFit(Fit fit);
    Fit fit() const { return fit_; }

Q_SIGNALS:
    // The left mouse button was pressed on the box.
    void leftPressed();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;

private:
    QByteArray bytes_;
    QImage image_;
    QPixmap picture_;
    Fit fit_ = Fit::KeepAspect;
};

} // namespace moquan
