#pragma once
// The program's look: the 9-point Chinese font (so the forms' pixel sizes
// hold), the Fusion style with a light blue palette, and the program icon.
class QApplication;

namespace moquan {

// The family of the application font.
inline constexpr const char *kApplicationFontFamily = "WenQuanYi Zen Hei";

void applyApplicationLook(QApplication &app);

} // namespace moquan
