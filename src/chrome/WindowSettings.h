#pragma once
// The frame settings of every framed window: title text, height set on
// creation, moving, the state of the frame buttons and the buttons to skin.
#include <QString>

namespace moquan {

// The maker's web address, written at the end of every title line.
extern const QString kWebAddress;
// The program's name and version as the title lines show it.
extern const QString kProgramTitle;   // "墨泉进销存 V1.4 "

enum class SkinKind { Standard, Toolbar };

struct WindowSettings {
    QString window;          // "MainWindow", "BrandWindow", ...
    QString title;           // full title text, web address included
    int height = 0;          // height set on creation; 0 keeps the form height
    bool moveFreely = true;  // dragged by any point not covered by a control
    bool maximizable = false;
    bool minimizable = true;
    int skinnedButtons = 0;  // buttons tagged "1".."N" wear the skin
    SkinKind skin = SkinKind::Standard;
    QString caption;         // the window's own caption (task bar, window list)
    bool frameButtonsHidden = false; // minimize, maximize and close hidden (ProductInfoPopup)
};

// The row of the window table for a window; an unknown name gives a neutral
// row (title "    墨泉进销存 V1.4 " + address, move freely, nothing skinned)
// whose `window` is empty.
const WindowSettings &windowSettings(const QString &window);
// Every row, in table order.
const QList<WindowSettings> &allWindowSettings();

} // namespace moquan
