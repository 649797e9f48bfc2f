// Workbench pixels (0x00BBGGRR) to a Qt picture, and the press hook.
#include "app/window/ImageView.h"

#include <QMouseEvent>
#include <QPixmap>

#include <algorithm>

namespace vk {

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
