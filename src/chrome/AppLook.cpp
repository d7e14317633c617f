#include "chrome/AppLook.h"

#include "chrome/ChromePictures.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace moquan {

void applyApplicationLook(QApplication &app)
{
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(fusion);

    QFont font(QString::fromLatin1(kApplicationFontFamily));
    font.setPointSize(9);
    font.setStyleHint(QFont::SansSerif);
    app.setFont(font);

    QPalette pal = app.style()->standardPalette();
    const QColor face(0xEE, 0xF3, 0xFA);
    const QColor text(0x1A, 0x2C, 0x4E);
    pal.setColor(QPalette::Window, face);
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::AlternateBase, QColor(0xF4, 0xF8, 0xFE));
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::Button, QColor(0xF3, 0xF7, 0xFD));
    pal.setColor(QPalette::ButtonText, text);
    pal.setColor(QPalette::Highlight, QColor(0x3D, 0x7B, 0xD9));
    pal.setColor(QPalette::HighlightedText, Qt::white);
    pal.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFB, 0xE6));
    pal.setColor(QPalette::ToolTipText, text);
    pal.setColor(QPalette::Light, Qt::white);
    pal.setColor(QPalette::Midlight, QColor(0xDC, 0xE6, 0xF4));
    pal.setColor(QPalette::Mid, QColor(0xA9, 0xBD, 0xDB));
    pal.setColor(QPalette::Dark, QColor(0x86, 0x9F, 0xC7));
    pal.setColor(QPalette::Shadow, QColor(0x5A, 0x6E, 0x90));
    pal.setColor(QPalette::Link, QColor(0x1E, 0x5C, 0xC8));
    pal.setColor(QPalette::PlaceholderText, QColor(0x8A, 0x96, 0xAA));
    const QColor grey(0x8A, 0x96, 0xAA);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, grey);
    pal.setColor(QPalette::Disabled, QPalette::Text, grey);
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, grey);
    pal.setColor(QPalette::Disabled, QPalette::Base, QColor(0xF2, 0xF4, 0xF8));
    app.setPalette(pal);

    app.setWindowIcon(programIcon());
}

} // namespace moquan
