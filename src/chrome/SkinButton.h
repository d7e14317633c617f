#pragma once
// The push button of kind "超级按钮".  Until it is skinned it is an ordinary
// push button; applySkin() gives it the three pictures of a skin (normal,
// pointer over, pressed), the two sounds and the skin's fixed size: 64 x 22
// for the standard skin, 60 x 50 for the toolbar skin.
#include "chrome/WindowSettings.h"

#include <QPushButton>

namespace moquan {

class SkinButton : public QPushButton {
    Q_OBJECT
public:
    explicit SkinButton(QWidget *parent = nullptr);
    explicit SkinButton(const QString &text, QWidget *parent = nullptr);

    void applySkin(SkinKind kind);
    bool isSkinned() const { return skinned_; }
    SkinKind skin() const { return kind_; }
    // The size every button of a skin is forced to.
    static QSize skinSize(SkinKind kind);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;

private:
    void onClicked();

    bool skinned_ = false;
    SkinKind kind_ = SkinKind::Standard;
};

} // namespace moquan
