#pragma once
// The pictures of the window frame, the button skins and the small icons,
// all drawn by our own code on first use and kept for the life of the program.
#include <QIcon>
#include <QPainterPath>
#include <QPixmap>

namespace moquan {

enum class ChromePicture {
    CornerLeft,      // 30 x 24, "窗口顶左2"
    Strip,           // 18 x 24, "窗口顶边1", stretched across the window
    CornerRight,     // 30 x 24, "窗口顶右3"
    Edge,            // 1 x 1, #19449E, "窗口左4", "窗口右5", "窗口下6"
    MinimizeNormal, MinimizeHover, MinimizePressed, MinimizeDisabled,   // 24 x 16
    MaximizeNormal, MaximizeHover, MaximizePressed, MaximizeDisabled,   // 25 x 16
    RestoreNormal, RestoreHover, RestorePressed, RestoreDisabled,       // 25 x 16
    CloseNormal, CloseHover, ClosePressed,                              // 26 x 16
    SkinNormal, SkinHover, SkinPressed,                                 // 64 x 22
    ToolbarNormal, ToolbarHover, ToolbarPressed,                        // 60 x 50
    WindowIcon,      // 16 x 16, "图形按钮2"
    TreeRoot, TreeFolder, TreeLeaf,                                     // 16 x 16
};

// The colour of the window edges.
inline constexpr unsigned kEdgeColour = 0x19449E;
// The corner ellipses of the window shape are 15 x 15.
inline constexpr int kCornerEllipseSize = 15;

// The dark rim of one rounded top corner, for a window edge at outerX (the
// left edge's x, or the right edge's x + 1), from the bottom of the strip up
// around the corner.
QPainterPath cornerRim(qreal outerX, bool left);

// The picture; its logical size is the one listed above.
const QPixmap &chromePicture(ChromePicture which);
// The program icon in several sizes (window list, tray, task bar).
QIcon programIcon();

} // namespace moquan
