#pragma once
// A window without system border that wears the skinned frame: title strip
// with corner pieces, the title text beside the window icon, minimize,
// maximize/restore and close buttons, blue edges, rounded corners.
//
// A subclass builds its form as direct children at the form's coordinates
// (title strip included), then calls resize(formW, formH) and setUpFrame();
// after its own opening steps it calls skinButtons().
#include "chrome/WindowSettings.h"

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QRegion>

class QLabel;

namespace moquan {

class PictureButton;
class PictureBox;

class FramedWindow : public QDialog {
    Q_OBJECT
public:
    // The frame's fixed measures.
    static constexpr int kStripHeight = 24;
    static constexpr int kEdgeWidth = 4;
    static constexpr int kCornerEllipse = 15;

    explicit FramedWindow(const QString &window, QWidget *parent = nullptr);

    QString windowName() const { return window_; }
    const WindowSettings &settings() const;

    // "Set up the frame": title text into "标题", window settings and height of
    // the window table, then lay out the frame.
    void setUpFrame();
    // "Lay out the frame": places every frame control for the present size and
    // cuts the window to its rounded shape.
    void layOutFrame();
    // "Skin the buttons": the buttons tagged "1".."N" (N and the skin from the
    // window table) wear the skin.
    void skinButtons();
    void skinButtons(int count, SkinKind kind);

    void setTitleText(const QString &t);
    QString titleText() const;
    QLabel *titleLabel() const { return title_; }

    // Left, top, width and height saved at the last maximize (or grip resize).
    QRect restoreGeometryRect() const { return restoreRect_; }
    void setRestoreGeometryRect(const QRect &r) { restoreRect_ = r; }
    bool isFrameMaximized() const { return maximized_; }

    void setMaximizeEnabled(bool enabled);
    void setMinimizeEnabled(bool enabled);
    bool isMaximizeEnabled() const;
    // Hides (or shows) the minimize, maximize and close buttons.
    void setFrameButtonsHidden(bool hidden);

    // Makes the three resize grips "标签右下", "标签右" and "标签下"
    // (see addResizeGrips).
    void installResizeGrips();
    bool hasResizeGrips() const { return grips_; }

    // The rounded shape of a window of the given size.
    static QRegion roundedShape(const QSize &size);
    // The shape the window was last cut to (also where the platform cannot
    // cut windows, such as the offscreen test platform).
    QRegion frameShape() const { return shape_; }

public Q_SLOTS:
    // "窗口设置最小化": the window is minimized.
    virtual void frameMinimize();
    // "窗口设置最大化1": save the geometry, fill the screen's work area.
    void frameMaximize();
    // "窗口设置最大化": put back the saved geometry.
    void frameRestore();
    // "窗口设置关闭": closes the window, as its own exit button does.
    virtual void frameClose();

Q_SIGNALS:
    // The right mouse button was released on the title strip.
    void stripRightClicked(const QPoint &globalPos);
    // The frame was laid out for a new size.
    void frameLaidOut();

protected:
    // Whether a drag that starts at this point (window coordinates, a point
    // not covered by a control) moves the window: anywhere for windows that
    // move freely, on the title strip for the others.
    virtual bool canMoveFrom(const QPoint &pos) const;

    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void keyPressEvent(QKeyEvent *) override;

private:
    friend class ResizeGrip;
    void buildFrame();
    void layOutGrips();
    void gripResizeDone();

    QString window_;
    QLabel *title_ = nullptr;
    PictureButton *icon_ = nullptr;
    PictureButton *cornerLeft_ = nullptr;
    PictureBox *strip_ = nullptr;
    PictureButton *cornerRight_ = nullptr;
    PictureBox *edgeLeft_ = nullptr;
    PictureBox *edgeRight_ = nullptr;
    PictureBox *edgeBottom_ = nullptr;
    PictureButton *minimize_ = nullptr;
    PictureButton *maximize_ = nullptr;
    PictureButton *restore_ = nullptr;
    PictureButton *close_ = nullptr;
    bool buttonsHidden_ = false;
    bool grips_ = false;

    QRegion shape_;
    QRect restoreRect_;
    bool maximized_ = false;

    // Moving by hand where the system cannot move the window.
    enum class Drag { None, Pending, Manual };
    Drag drag_ = Drag::None;
    QPoint dragStartGlobal_;
    QPoint dragStartWindowPos_;
};

// Gives a window the three transparent resize grips along its right edge,
// bottom edge and bottom-right corner.  Pressing one starts the system's
// interactive resize (or resizes by hand where the system cannot); the grips
// follow every size change, and after a resize the new geometry is saved as
// the restore geometry and the frame is laid out again.
void addResizeGrips(FramedWindow *w);

} // namespace moquan
