// Workbench pixels (0x00BBGGRR) to a Qt picture, and the press hook.
#include "app/window/ImageView.h"

#include <QMouseEvent>
#include <QPixmap>

#include <algorithm>

namespace vk {

QImage toQImage(const Image& image, int rows) {
    const int height = std::min(rows, image.height());
    QImage picture(image.width(), height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const TColor c = image.pixel(x, y);
            line[x] = qRgb(redOf(c), greenOf(c), blueOf(c));
        }
    }
    return picture;
}

ImageView::ImageView(const char* name, int width, int rows, QWidget* parent) : QLabel(parent), rows_(rows) {
    setObjectName(name);
    resize(width, rows);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ImageView::showImage(const Image& image) { setPixmap(QPixmap::fromImage(toQImage(image, rows_))); }

void ImageView::mousePressEvent(QMouseEvent* event) {
    if (onMouseDown) onMouseDown(int(event->position().x()), int(event->position().y()));
    event->accept();
}

} // namespace vk
