// The player preview: a window beside the main one that shows the workbench's
// skin as the player draws it, animated while shown and played with the mouse
// (no sound): buttons press, sliders drag, toggles toggle, title bars focus.
#pragma once
#include "player/PlayerModel.h"
#include "player/PlayerRenderer.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace vk {

class Workbench;

class PlayerPreview : public QWidget {
public:
    // About 30 frames a second while shown.
    static constexpr int kFrameInterval = 33;
    static constexpr int kFramesPerSecond = player::PlayerModel::kFramesPerSecond;

    explicit PlayerPreview(const Workbench& bench, QWidget* parent = nullptr);

    // Keys the player does not answer go on to the main window through this; true when taken.
    std::function<bool(const QKeySequence&)> passKey;

    // The document changed: the skin is made again now if shown, else at the next show.
    void documentChanged();
    // One animation frame, as the timer gives it: the time, the title and the visualiser move on.
    void tick();
    // 1x or 2x: the player's double size, with its "D" lamp.
    void setZoom(int zoom);
    int zoom() const { return model_.state().doubleSize ? 2 : 1; }

    // What is drawn: the skin, the state, the docked windows and the frame made from them.
    const player::ClassicSkin& skin() const { return skin_; }
    const player::PlayerState& state() const { return model_.state(); }
    std::vector<player::PlayerWindow> windows() const { return model_.windows(); }
    const Image& frame() const { return frame_; }
    // The frame pixel (widget position at 1 device pixel per pixel) of a point of one window at 1x.
    QPoint framePoint(player::PlayerWindow window, Point at) const;
    bool animating() const { return timer_.isActive(); }
    // How often the skin was made from the document, and how often a frame was drawn.
    int skinBuilds() const { return skinBuilds_; }
    int frames() const { return frames_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void rebuildSkin();
    void drawFrame();

    const Workbench& bench_;
    player::ClassicSkin skin_;
    player::PlayerModel model_;
    Image frame_;
    QImage shown_;
    QTimer timer_;
    bool stale_ = true;
    int skinBuilds_ = 0, frames_ = 0;
};

} // namespace vk
