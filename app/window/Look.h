// The program's classic look: silver faces, grey disabled text, a small
// sans-serif font, and its own icon.
#pragma once
#include <QFont>
#include <QIcon>
#include <QWidget>

namespace vk {

inline const QColor kSilverFace{192, 192, 192};

inline QPalette silverPalette(QPalette palette) {
    const QColor greyText{128, 128, 128};
    palette.setColor(QPalette::Window, kSilverFace);
    palette.setColor(QPalette::Button, kSilverFace);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, greyText);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, greyText);
    return palette;
}

inline void paintSilver(QWidget* widget) {
    widget->setPalette(silverPalette(widget->palette()));
    widget->setAutoFillBackground(true);
}

// "MS Sans Serif" where it exists, else a metric look-alike.
inline QFont classicFont(int pointSize = 8) {
    QFont font;
    font.setFamilies({"MS Sans Serif", "Liberation Sans", "Arial"});
    font.setPointSize(pointSize);
    return font;
}

// The program's icon at every usual size.
QIcon programIcon();

} // namespace vk
