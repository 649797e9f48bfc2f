// The player preview's skin, frames and events: the player it shows, and
// what the mouse and the clock do to it, is player::PlayerModel.
#include "app/window/PlayerPreview.h"

#include "app/qt/QtImage.h"
#include "app/qt/QtTextRasteriser.h"
#include "app/Workbench.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vk {

using player::PlayerWindow;

PlayerPreview::PlayerPreview(const Workbench& bench, QWidget* parent) : QWidget(parent, Qt::Window), bench_(bench) {
    setObjectName("PlayerPreview");
    setWindowTitle("Player Preview");
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_.setInterval(kFrameInterval);
    connect(&timer_, &QTimer::timeout, this, &PlayerPreview::tick);

    // The size choice sits on the right button, as the player's double size does on "D".
    setContextMenuPolicy(Qt::ActionsContextMenu);
    for (int z = 1; z <= 2; ++z) {
        QAction* item = addAction(QString("&%1x").arg(z), this, [this, z] { setZoom(z); });
        item->setObjectName(QString("PreviewZoom%1").arg(z));
    }
}

QPoint PlayerPreview::framePoint(PlayerWindow window, Point at) const {
    const Point p = model_.framePoint(window, at);
    return QPoint(p.x, p.y);
}

void PlayerPreview::documentChanged() {
    stale_ = true;
    if (!isVisible()) return;  // made again when next shown
    rebuildSkin();
    drawFrame();
}

void PlayerPreview::rebuildSkin() {
    skin_ = bench_.currentSkin();
    stale_ = false;
    ++skinBuilds_;
}

void PlayerPreview::drawFrame() {
    frame_ = player::renderPlayer(skin_, model_.state(), model_.windows(), 1, qtTextRasteriser());
    shown_ = toQImage(frame_);
    if (size() != shown_.size()) setFixedSize(shown_.size());
    ++frames_;
    update();
}

void PlayerPreview::setZoom(int zoom) {
    model_.setDoubleSize(zoom >= 2);
    if (isVisible()) drawFrame();
}

void PlayerPreview::tick() {
    model_.tick();
    if (isVisible()) drawFrame();
}

// --- drawing and showing -----------------------------------------------------------

void PlayerPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Whole device pixels per frame pixel, copied, never blended.
    const int scale = std::max(1, int(std::lround(painter.device()->devicePixelRatioF())));
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (scale == 1) {
        painter.drawImage(0, 0, shown_);
        return;
    }
    QImage sharp = shown_.scaled(shown_.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    sharp.setDevicePixelRatio(scale);
    painter.drawImage(0, 0, sharp);
}

void PlayerPreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_) rebuildSkin();
    drawFrame();
    timer_.start();
}

void PlayerPreview::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    timer_.stop();
}

// --- the mouse -------------------------------------------------------------------------

void PlayerPreview::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    if (const auto hit = model_.hitAt({at.x(), at.y()})) {
        model_.press(*hit);
        drawFrame();
    }
}

void PlayerPreview::mouseMoveEvent(QMouseEvent* event) {
    if (!model_.pressing()) return;
    // A drag keeps to the window it began in, wherever the pointer goes.
    const QPoint top = framePoint(model_.pressedWindow(), {0, 0});
    const QPoint p = event->position().toPoint() - top;
    const int zoom = player::windowZoom(model_.pressedWindow(), model_.state());
    model_.drag({model_.pressedWindow(), {p.x() / zoom, p.y() / zoom}});
    drawFrame();
}

void PlayerPreview::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !model_.pressing()) return;
    mouseMoveEvent(event);  // where it is let go decides whether a button acts
    if (model_.release()) hide();
    else drawFrame();
}

// --- the keyboard ----------------------------------------------------------------------

void PlayerPreview::keyPressEvent(QKeyEvent* event) {
    // The player's own keys: Z X C V B along the transport buttons, Up and Down for the volume.
    constexpr int kVolumeStep = 5;
    using player::PlayerButton;
    PlayerButton button = PlayerButton::None;
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        switch (event->key()) {
        case Qt::Key_Z: button = PlayerButton::Previous; break;
        case Qt::Key_X: button = PlayerButton::Play; break;
        case Qt::Key_C: button = PlayerButton::Pause; break;
        case Qt::Key_V: button = PlayerButton::Stop; break;
        case Qt::Key_B: button = PlayerButton::Next; break;
        case Qt::Key_Up:
        case Qt::Key_Down:
            model_.changeVolume(event->key() == Qt::Key_Up ? kVolumeStep : -kVolumeStep);
            drawFrame();
            return;
        case Qt::Key_Escape:
            if (QWidget* home = parentWidget()) {
                home->window()->raise();
                home->window()->activateWindow();
            }
            return;
        default: break;
        }
    }
    if (button != PlayerButton::None) {
        // As a click on the button, pressed and let go over it.
        if (model_.click(button)) hide();
        else drawFrame();
        return;
    }
    if (passKey && passKey(QKeySequence(event->keyCombination()))) return;
    QWidget::keyPressEvent(event);
}

} // namespace vk
