// The player preview's skin, frames, animation and mouse: every place it hit-tests
// is a sprite table's rectangle, every value it sets is a field of the player state.
#include "app/window/PlayerPreview.h"

#include "app/QtImage.h"
#include "app/QtTextRasteriser.h"
#include "app/Workbench.h"
#include "format/EqSprites.h"
#include "format/MainSprites.h"
#include "format/PlayerGeometry.h"
#include "format/PlaylistSprites.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vk {

using namespace vk::format;
using player::PlayerButton;
using player::PlayerWindow;
using player::PlayState;

namespace {

struct Control {
    PlayerButton button;
    Rect area;  // window pixels at 1x
};

constexpr bool inside(const Rect& r, Point p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

std::vector<Control> controlsOf(PlayerWindow window, const player::PlayerState& st) {
    std::vector<Control> c;
    switch (window) {
    case PlayerWindow::Main:
        c = {{PlayerButton::Options, placed(kOptionsButtonAt, kOptionsButton)},
             {PlayerButton::Minimise, placed(kMinimiseButtonAt, kMinimiseButton)},
             {PlayerButton::Shade, placed(kShadeButtonAt, kShadeButton)},
             {PlayerButton::Close, placed(kCloseButtonAt, kCloseButton)},
             {PlayerButton::Previous, placed(kPreviousButtonAt, kPreviousButton)},
             {PlayerButton::Play, placed(kPlayButtonAt, kPlayButton)},
             {PlayerButton::Pause, placed(kPauseButtonAt, kPauseButton)},
             {PlayerButton::Stop, placed(kStopButtonAt, kStopButton)},
             {PlayerButton::Next, placed(kNextButtonAt, kNextButton)},
             {PlayerButton::Eject, placed(kEjectButtonAt, kEjectButton)},
             {PlayerButton::Shuffle, placed(kShuffleButtonAt, kShuffleButton)},
             {PlayerButton::Repeat, placed(kRepeatButtonAt, kRepeatButton)},
             {PlayerButton::EqToggle, placed(kEqToggleAt, kEqToggle)},
             {PlayerButton::PlaylistToggle, placed(kPlToggleAt, kPlToggle)},
             {PlayerButton::Volume, placed(kVolumeAt, kVolumeFrame0)},
             {PlayerButton::Balance, placed(kBalanceAt, kBalanceFrame0)},
             {PlayerButton::Position, placed(kPositionBarAt, kPositionBar)}};
        for (int letter = 0; letter < kClutterLetterCount; ++letter)
            c.push_back({PlayerButton(int(PlayerButton::ClutterO) + letter), placed(clutterLetterAt(letter), clutterLetterPressed(letter))});
        break;
    case PlayerWindow::Equaliser:
        c = {{PlayerButton::EqOn, placed(kEqOnButtonAt, kEqOnButton)},
             {PlayerButton::EqAuto, placed(kEqAutoButtonAt, kEqAutoButton)},
             {PlayerButton::EqPresets, placed(kEqPresetsButtonAt, kEqPresetsButton)},
             {PlayerButton::EqClose, placed(kEqCloseButtonAt, kEqCloseButton)},
             {PlayerButton::EqShade, placed(kEqShadeButtonAt, kEqShadeButtonPressed)},
             {PlayerButton::EqPreamp, placed(kEqPreampAt, kEqSliderFrame0)}};
        for (int band = 0; band < kEqBandCount; ++band) c.push_back({player::eqBandButton(band), placed(eqBandAt(band), kEqSliderFrame0)});
        break;
    case PlayerWindow::Playlist: {
        const Size size = snappedPlaylistSize(st.playlistSize);
        const Point groove = plScrollHandleAt(size, 0);
        c = {{PlayerButton::PlaylistClose, placed(plCloseButtonAt(size), kPlCloseButtonPressed)},
             {PlayerButton::PlaylistShade, placed(plShadeButtonAt(size), kPlShadeButtonPressed)},
             {PlayerButton::PlaylistScroll,
              xywh(groove.x, groove.y, kPlScrollHandle.width(), plScrollHandleTravel(size) + kPlScrollHandle.height())}};
        break;
    }
    }
    return c;
}

bool isSlider(PlayerButton b) {
    return b == PlayerButton::Volume || b == PlayerButton::Balance || b == PlayerButton::Position || b == PlayerButton::EqPreamp ||
           b == PlayerButton::PlaylistScroll || (b >= PlayerButton::EqBand1 && b <= PlayerButton::EqBand10);
}

// The value under the pointer: the thumb's middle follows it.
int sliderValue(int pointer, int start, int thumb, int travel, int range) {
    return int(std::lround((pointer - start - thumb / 2.0) * range / travel));
}

std::string clock(int seconds) {
    const int s = seconds % 60;
    return std::to_string(seconds / 60) + (s < 10 ? ":0" : ":") + std::to_string(s);
}

} // namespace

PlayerPreview::PlayerPreview(const Workbench& bench, QWidget* parent) : QWidget(parent, Qt::Window), bench_(bench) {
    setObjectName("PlayerPreview");
    setWindowTitle("Player Preview");
    setAttribute(Qt::WA_OpaquePaintEvent);
    state_.entries = {{"vellumKit - Player Preview", 225}, {"Second Entry", 192}, {"Third Entry", 301}};
    state_.vis.mode = player::VisFrame::Mode::Spectrum;
    showEntry(0);
    timer_.setInterval(kFrameInterval);
    connect(&timer_, &QTimer::timeout, this, &PlayerPreview::tick);

    // The size choice sits on the right button, as the player's double size does on "D".
    setContextMenuPolicy(Qt::ActionsContextMenu);
    for (int z = 1; z <= 2; ++z) {
        QAction* item = addAction(QString("&%1x").arg(z), this, [this, z] { setZoom(z); });
        item->setObjectName(QString("PreviewZoom%1").arg(z));
    }
}

std::vector<PlayerWindow> PlayerPreview::windows() const {
    std::vector<PlayerWindow> shown{PlayerWindow::Main};
    if (state_.equaliserOpen) shown.push_back(PlayerWindow::Equaliser);
    if (state_.playlistOpen) shown.push_back(PlayerWindow::Playlist);
    return shown;
}

QPoint PlayerPreview::framePoint(PlayerWindow window, Point at) const {
    int top = 0;
    for (PlayerWindow w : windows()) {
        if (w == window) break;
        top += player::windowSize(w, state_).height;
    }
    return QPoint(at.x, top + at.y) * zoom();
}

std::optional<PlayerPreview::Hit> PlayerPreview::hitAt(QPoint widgetPos) const {
    const Point p{widgetPos.x() / zoom(), widgetPos.y() / zoom()};
    if (p.x < 0 || p.y < 0) return std::nullopt;
    int top = 0;
    for (PlayerWindow w : windows()) {
        const Size size = player::windowSize(w, state_);
        if (p.y < top + size.height) {
            if (p.x >= size.width) return std::nullopt;
            return Hit{w, {p.x, p.y - top}};
        }
        top += size.height;
    }
    return std::nullopt;
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
    frame_ = player::renderPlayer(skin_, state_, windows(), 1, qtTextRasteriser());
    shown_ = toQImage(frame_);
    if (size() != shown_.size()) setFixedSize(shown_.size());
    ++frames_;
    update();
}

void PlayerPreview::setZoom(int zoom) {
    state_.doubleSize = zoom >= 2;
    if (isVisible()) drawFrame();
}

void PlayerPreview::showEntry(int index) {
    const int count = int(state_.entries.size());
    index = ((index % count) + count) % count;
    const player::PlaylistEntry& entry = state_.entries[std::size_t(index)];
    state_.currentEntry = index;
    state_.title = std::to_string(index + 1) + ". " + entry.title + " (" + clock(entry.seconds) + ")";
    state_.seconds = 0;
    state_.position = 0;
    state_.titleScroll = 0;
}

void PlayerPreview::tick() {
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
    if (const std::optional<Hit> hit = hitAt(event->position().toPoint())) press(*hit);
}

void PlayerPreview::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_ == PlayerButton::None) return;
    // A drag keeps to the window it began in, wherever the pointer goes.
    const QPoint top = framePoint(pressedWindow_, {0, 0});
    const QPoint p = event->position().toPoint() - top;
    drag({pressedWindow_, {p.x() / zoom(), p.y() / zoom()}});
}

void PlayerPreview::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || pressed_ == PlayerButton::None) return;
    mouseMoveEvent(event);  // where it is let go decides whether a button acts
    release();
}

void PlayerPreview::press(const Hit& hit) {
    for (const Control& c : controlsOf(hit.window, state_)) {
        if (!inside(c.area, hit.at)) continue;
        pressed_ = c.button;
        pressedWindow_ = hit.window;
        state_.held = c.button;
        if (isSlider(c.button)) drag(hit);
        else drawFrame();
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
    drawFrame();
}

void PlayerPreview::drag(const Hit& hit) {
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
    drawFrame();
}

void PlayerPreview::release() {
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
        case PlayerButton::Close: hide(); return;
        default: break;
        }
    }
    drawFrame();
}

// --- the keyboard ----------------------------------------------------------------------

void PlayerPreview::keyPressEvent(QKeyEvent* event) {
    // The player's own keys: Z X C V B along the transport buttons, Up and Down for the volume.
    constexpr int kVolumeStep = 5;
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
            state_.volume = clampInt(state_.volume + (event->key() == Qt::Key_Up ? kVolumeStep : -kVolumeStep), 0, 100);
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
        pressed_ = state_.held = button;
        release();
        return;
    }
    if (passKey && passKey(QKeySequence(event->keyCombination()))) return;
    QWidget::keyPressEvent(event);
}

} // namespace vk
