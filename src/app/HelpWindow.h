#pragma once
#include "chrome/FramedWindow.h"

namespace moquan {

// "使用说明": author, version, completion date and the introduction.
class HelpWindow : public FramedWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);
    static QString introduction();
};

} // namespace moquan
