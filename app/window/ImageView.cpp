// Workbench pixels (0x00BBGGRR) to a Qt picture, drawn at a whole number of
// device pixels per image pixel so one-pixel bevels stay sharp.
#include "app/window/ImageView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace vk {

ImageView::ImageView(const char* name, int width, int rows, QWidget* parent)
    : QLabel(parent), width_(width), rows_(rows) {
    setObjectName(name);
    resize(width, rows);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ImageView::showImage(const Image& image) { setPixmap(QPixmap::fromImage(toQImage(image, rows_))); }

void ImageView::setZoom(int zoom) {
    zoom_ = std::max(1, zoom);
    resize(width_ * zoom_, rows_ * zoom_);
    update();
}

void ImageView::paintEvent(QPaintEvent*) {
    const QPixmap shown = pixmap();
    if (shown.isNull()) return;
    QPainter painter(this);
    // Whole device pixels per image pixel, copied, never blended; only a
    // fractional display scale leaves the last step to nearest-pixel drawing.
    const qreal ratio = painter.device()->devicePixelRatioF();
    const int scale = std::max(1, int(std::lround(zoom_ * ratio)));
    const QImage source = shown.toImage();
    QPixmap sharp = QPixmap::fromImage(source.scaled(source.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    sharp.setDevicePixelRatio(qreal(scale) / zoom_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(0, 0, sharp);
    if (bands_ > 0 && hasFocus()) {
        const QRect chosen(0, band_ * bandHeight_ * zoom_, width() - 1, bandHeight_ * zoom_ - 1);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(chosen);
    }
}

void ImageView::setKeyboardBands(int bandHeight, int count) {
    bandHeight_ = bandHeight;
    bands_ = count;
    band_ = 0;
    setFocusPolicy(count > 0 ? Qt::StrongFocus : Qt::NoFocus);
}

void ImageView::keyPressEvent(QKeyEvent* event) {
    if (bands_ == 0) return QLabel::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Up: band_ = (band_ + bands_ - 1) % bands_; break;
    case Qt::Key_Down: band_ = (band_ + 1) % bands_; break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (onMouseDown) onMouseDown(width_ / 2, band_ * bandHeight_ + bandHeight_ / 2);
        break;
    default: return QLabel::keyPressEvent(event);
    }
    update();
    event->accept();
}

void ImageView::mousePressEvent(QMouseEvent* event) {
    if (onMouseDown) onMouseDown(int(event->position().x()) / zoom_, int(event->position().y()) / zoom_);
    event->accept();
}

QString ImageView::droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().first().isLocalFile()) return {};
    return data->urls().first().toLocalFile();
}

void ImageView::dragEnterEvent(QDragEnterEvent* event) {
    // Anything may come in, so that a refused drop can say why.
    if (onFileDropped) event->acceptProposedAction();
}

void ImageView::dropEvent(QDropEvent* event) {
    if (!onFileDropped) return;
    const QString file = droppedFile(event->mimeData());
    event->acceptProposedAction();
    if (!file.isEmpty()) {
        onFileDropped(file);
    } else if (onDropRefused) {
        onDropRefused(event->mimeData()->hasUrls() ? "Drop one picture file at a time, from this computer."
                                                   : "Only a picture file can be dropped here.");
    }
}

} // namespace vk
