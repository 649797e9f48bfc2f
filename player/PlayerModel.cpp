// Every place the player hit-tests is a sprite table's rectangle, every value
// it sets is a field of the player state.
#include "player/PlayerModel.h"

#include "format/EqSprites.h"
#include "format/MainSprites.h"
#include "format/PlayerGeometry.h"
#include "format/PlaylistSprites.h"
#include "player/PlayerControls.h"
#include "player/PlayerRenderer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace vk::player {

using namespace vk::format;

namespace {

constexpr bool inside(const Rect& r, Point p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

// The value under the pointer: the thumb's middle follows it.
int sliderValue(int pointer, int start, int thumb, int travel, int range) {
    return int(std::lround((pointer - start - thumb / 2.0) * range / travel));
}

} // namespace

PlayerModel::PlayerModel() {
    state_.entries = {{"vellumKit - Player Preview", 225}, {"Second Entry", 192}, {"Third Entry", 301}};
    state_.vis.mode = VisFrame::Mode::Spectrum;
    showEntry(0);
}

std::vector<PlayerWindow> PlayerModel::windows() const {
    std::vector<PlayerWindow> shown{PlayerWindow::Main};
    if (state_.equaliserOpen) shown.push_back(PlayerWindow::Equaliser);
    if (state_.playlistOpen) shown.push_back(PlayerWindow::Playlist);
    return shown;
}

Point PlayerModel::framePoint(PlayerWindow window, Point at) const {
    int top = 0;
    for (PlayerWindow w : windows()) {
        if (w == window) break;
        top += windowSize(w, state_).height * windowZoom(w, state_);
    }
    const int zoom = windowZoom(window, state_);
    return {at.x * zoom, top + at.y * zoom};
}

std::optional<PlayerModel::Hit> PlayerModel::hitAt(Point p) const {
    if (p.x < 0 || p.y < 0) return std::nullopt;
    int top = 0;
    for (PlayerWindow w : windows()) {
        const int zoom = windowZoom(w, state_);
        const Size size = windowSize(w, state_);
        if (p.y < top + size.height * zoom) {
            if (p.x >= size.width * zoom) return std::nullopt;
            return Hit{w, {p.x / zoom, (p.y - top) / zoom}};
        }
        top += size.height * zoom;
    }
    return std::nullopt;
}

void PlayerModel::showEntry(int index) {
    const int count = int(state_.entries.size());
    index = ((index % count) + count) % count;
    const PlaylistEntry& entry = state_.entries[std::size_t(index)];
    state_.currentEntry = index;
    state_.title = std::to_string(index + 1) + ". " + entry.title + " (" + clockText(entry.seconds) + ")";
    state_.seconds = 0;
    state_.position = 0;
    state_.titleScroll = 0;
}

void PlayerModel::tick() {
    ++tickCount_;
    ++state_.titleScroll;
    if (state_.play == PlayState::Playing) {
        const int length = state_.entries[std::size_t(state_.currentEntry)].seconds;
        if (tickCount_ % kFramesPerSecond == 0 && ++state_.seconds >= length) {
            if (state_.repeat || state_.currentEntry + 1 < int(state_.entries.size())) showEntry(state_.currentEntry + 1);
            else {
                showEntry(0);
                state_.play = PlayState::Stopped;
            }
        }
        state_.position = length > 0 ? double(state_.seconds) / length : 0;
    }
    // A synthetic signal: a drifting spectrum, falling towards the treble, with a kick twice a second.
    const double t = double(tickCount_) / kFramesPerSecond;
    const bool sounding = state_.play == PlayState::Playing;
    for (int i = 0; i < kVisBarCount; ++i) {
        const auto k = std::size_t(i);
        int& bar = state_.vis.bars[k];
        if (sounding) {
            const double kick = i < 6 ? 4 * std::pow(std::max(0.0, std::sin(2 * std::numbers::pi * 2 * t)), 4) : 0;
            const double level = 11 - 0.35 * i + 3.5 * std::sin(2.1 * t + 0.9 * i) + 2 * std::sin(5.3 * t - 1.7 * i) + kick;
            bar = clampInt(int(std::lround(level)), 0, kVisHeight);
        } else if (state_.play == PlayState::Stopped) {
            bar = std::max(0, bar - 1);
        }
        peaks_[k] = bar >= peaks_[k] ? bar : std::max(0.0, peaks_[k] - 0.25);
        state_.vis.peaks[k] = int(std::lround(peaks_[k]));
    }
}

void PlayerModel::press(const Hit& hit) {
    for (const Control& c : controlsOf(hit.window, state_)) {
        if (!inside(c.area, hit.at)) continue;
        pressed_ = c.button;
        pressedWindow_ = hit.window;
        state_.held = c.button;
        if (isSlider(c.button)) drag(hit);
        return;
    }
    const int titleRows = hit.window == PlayerWindow::Playlist ? kPlTopHeight : kTitleBarHeight;
    if (hit.at.y < titleRows) {
        // The title bar: the unfocused window takes the focus, the focused one gives it up.
        const bool wasActive = state_.anyFocused && state_.focused == hit.window;
        state_.anyFocused = !wasActive;
        state_.focused = hit.window;
    } else if (hit.window == PlayerWindow::Playlist) {
        const Rect list = plListArea(snappedPlaylistSize(state_.playlistSize));
        if (inside(list, hit.at)) {
            const int row = state_.firstVisibleEntry + (hit.at.y - list.top) / kPlEntryHeight;
            state_.selectedEntries.assign(state_.entries.size(), false);
            if (row < int(state_.entries.size())) state_.selectedEntries[std::size_t(row)] = true;
        }
    }
}

void PlayerModel::drag(const Hit& hit) {
    const Point p = hit.at;
    auto band = [&](Point at) {
        return clampInt(100 - sliderValue(p.y, at.y, kEqSliderThumb.height(), kEqThumbTravel, 100), 0, 100);
    };
    switch (pressed_) {
    case PlayerButton::Volume:
        state_.volume = clampInt(sliderValue(p.x, kVolumeAt.x, kVolumeThumb.width(), kVolumeThumbTravel, 100), 0, 100);
        break;
    case PlayerButton::Balance:
        state_.balance = clampInt(sliderValue(p.x, kBalanceAt.x, kBalanceThumb.width(), kBalanceThumbTravel, 200) - 100, -100, 100);
        break;
    case PlayerButton::Position: {
        const int length = state_.entries[std::size_t(state_.currentEntry)].seconds;
        state_.position = clampInt(sliderValue(p.x, kPositionBarAt.x, kPositionThumb.width(), kPositionThumbTravel, 1000), 0, 1000) / 1000.0;
        state_.seconds = int(state_.position * length);
        break;
    }
    case PlayerButton::EqPreamp: state_.preamp = band(kEqPreampAt); break;
    case PlayerButton::PlaylistScroll: {
        const Size size = snappedPlaylistSize(state_.playlistSize);
        state_.scroll = clampInt(sliderValue(p.y, kPlTopHeight, kPlScrollHandle.height(), plScrollHandleTravel(size), 1000), 0, 1000) / 1000.0;
        break;
    }
    default:
        if (pressed_ >= PlayerButton::EqBand1 && pressed_ <= PlayerButton::EqBand10) {
            const int b = int(pressed_) - int(PlayerButton::EqBand1);
            state_.bands[std::size_t(b)] = band(eqBandAt(b));
        } else {
            // A button shows pressed only while the pointer stays on it.
            bool over = false;
            for (const Control& c : controlsOf(hit.window, state_))
                if (c.button == pressed_) over = inside(c.area, p);
            state_.held = over ? pressed_ : PlayerButton::None;
        }
    }
}

bool PlayerModel::click(PlayerButton button) {
    pressed_ = state_.held = button;
    return release();
}

void PlayerModel::changeVolume(int step) { state_.volume = std::clamp(state_.volume + step, 0, 100); }

bool PlayerModel::release() {
    const PlayerButton b = std::exchange(pressed_, PlayerButton::None);
    const bool acted = state_.held == b;  // released over the button (sliders are always held)
    state_.held = PlayerButton::None;
    if (acted && !isSlider(b)) {
        switch (b) {
        case PlayerButton::Previous: showEntry(state_.currentEntry - 1); break;
        case PlayerButton::Next: showEntry(state_.currentEntry + 1); break;
        case PlayerButton::Play:
            if (state_.play == PlayState::Stopped) state_.seconds = 0;
            state_.play = PlayState::Playing;
            break;
        case PlayerButton::Pause:
            if (state_.play != PlayState::Stopped)
                state_.play = state_.play == PlayState::Paused ? PlayState::Playing : PlayState::Paused;
            break;
        case PlayerButton::Stop:
            state_.play = PlayState::Stopped;
            state_.seconds = 0;
            state_.position = 0;
            break;
        case PlayerButton::Shuffle: state_.shuffle = !state_.shuffle; break;
        case PlayerButton::Repeat: state_.repeat = !state_.repeat; break;
        case PlayerButton::EqToggle: state_.equaliserOpen = !state_.equaliserOpen; break;
        case PlayerButton::PlaylistToggle: state_.playlistOpen = !state_.playlistOpen; break;
        case PlayerButton::EqClose: state_.equaliserOpen = false; break;
        case PlayerButton::PlaylistClose: state_.playlistOpen = false; break;
        case PlayerButton::EqOn: state_.eqOn = !state_.eqOn; break;
        case PlayerButton::EqAuto: state_.eqAuto = !state_.eqAuto; break;
        case PlayerButton(int(PlayerButton::ClutterO) + kClutterDoubleSizeLetter): state_.doubleSize = !state_.doubleSize; break;
        case PlayerButton::Close: return true;
        default: break;
        }
    }
    return false;
}

} // namespace vk::player
