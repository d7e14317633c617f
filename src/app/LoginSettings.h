#pragma once
class QWidget;

namespace moquan {

// The dialogue behind 登陆设置(&L): asks for the current password (or the
// default one), then the new one twice, and stores it scrambled.
void runLoginSettings(QWidget *parent);

} // namespace moquan
