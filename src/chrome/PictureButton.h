#pragma once
// A button drawn entirely from pictures: normal, pointer over, pressed and
// disabled.  The picture is drawn at the top-left corner of the control, in
// its own size.  A missing picture falls back to the normal one.
#include <QAbstractButton>
#include <QPixmap>

namespace moquan {

class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget *parent = nullptr);

    void setPictures(const QPixmap &normal, const QPixmap &hover = {}, const QPixmap &pressed = {},
                     const QPixmap &disabled = {});
    QPixmap normalPicture() const { return normal_; }
    QPixmap hoverPicture() const { return hover_; }
    QPixmap pressedPicture() const { return pressed_; }
    QPixmap disabledPicture() const { return disabled_; }
    // The picture for the button's present look.
    QPixmap currentPicture() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;

private:
    QPixmap normal_, hover_, pressed_, disabled_;
};

} // namespace moquan
