// The program's icon, drawn here so it is crisp at every size a desktop asks for.
#include "app/window/Look.h"

#include <QPainter>
#include <QPixmap>

namespace vk {

namespace {

// A raised silver window with a dark title strip and three bevelled buttons.
QPixmap iconPicture(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const int edge = std::max(1, size / 16);
    const QRect body(0, 0, size, size);
    painter.fillRect(body, kSilverFace);
    painter.fillRect(QRect(0, 0, size, edge), Qt::white);
    painter.fillRect(QRect(0, 0, edge, size), Qt::white);
    painter.fillRect(QRect(0, size - edge, size, edge), QColor(64, 64, 64));
    painter.fillRect(QRect(size - edge, 0, edge, size), QColor(64, 64, 64));
    painter.fillRect(QRect(2 * edge, 2 * edge, size - 4 * edge, size / 4), QColor(0, 0, 128));
    painter.fillRect(QRect(2 * edge, size / 4 + 3 * edge, size - 4 * edge, size / 3), QColor(0, 96, 0));
    const int button = (size - 6 * edge) / 3;
    for (int i = 0; i < 3; ++i) {
        const QRect face(2 * edge + i * (button + edge), size - 2 * edge - button / 2, button, button / 2);
        painter.fillRect(face, QColor(128, 128, 128));
        painter.fillRect(face.adjusted(0, 0, -edge, -edge), Qt::white);
        painter.fillRect(face.adjusted(edge, edge, -edge, -edge), kSilverFace);
    }
    return picture;
}

} // namespace

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) icon.addPixmap(iconPicture(size));
    return icon;
}

} // namespace vk
