// The player that the preview plays without sound: a playlist of pretend
// tracks whose time runs, a moving visualiser, and the mouse on the controls
// (buttons press and act, sliders drag, toggles toggle, title bars focus).
#pragma once
#include "player/PlayerState.h"
#include "raster/Rect.h"

#include <array>
#include <optional>
#include <vector>

namespace vk::player {

class PlayerModel {
public:
    static constexpr int kFramesPerSecond = 30;

    PlayerModel();

    const PlayerState& state() const { return state_; }
    void setDoubleSize(bool on) { state_.doubleSize = on; }
    // The windows shown, docked one under another in this order.
    std::vector<PlayerWindow> windows() const;

    // A point of one window, in the pixels of the docked windows as drawn (double size
    // doubles the main window and the equaliser, not the playlist).
    struct Hit {
        PlayerWindow window;
        Point at;  // in that window's pixels at 1x
    };
    Point framePoint(PlayerWindow window, Point at) const;
    std::optional<Hit> hitAt(Point framePixel) const;

    // One frame of time: the clock, the title and the visualiser move on.
    void tick();

    // The mouse: down on a point, moved (within the window it went down in), let go.
    void press(const Hit& hit);
    void drag(const Hit& hit);
    bool pressing() const { return pressed_ != PlayerButton::None; }
    PlayerWindow pressedWindow() const { return pressedWindow_; }
    // Whether the release asked for the player to close.
    bool release();
    // The keyboard: a button as if clicked (pressed and let go over it), the volume by a step.
    bool click(PlayerButton button);
    void changeVolume(int step);

private:
    void showEntry(int index);

    PlayerState state_;
    long long tickCount_ = 0;
    std::array<double, format::kVisBarCount> peaks_{};
    // The control the mouse went down on, kept through the drag.
    PlayerButton pressed_ = PlayerButton::None;
    PlayerWindow pressedWindow_ = PlayerWindow::Main;
};

} // namespace vk::player
