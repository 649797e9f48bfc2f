// The renderer against a skin whose every sprite has its own colour: each
// sprite must come from its table rectangle and land on its window point.
#include "format/PlayerGeometry.h"
#include "player/PlayerRenderer.h"
#include "tests/player/SyntheticSkin.h"

#include <gtest/gtest.h>

#include <functional>

namespace vk::test {
namespace {

using namespace vk::format;
using player::PlayerButton;
using player::PlayerState;
using player::PlayerWindow;
using player::PlayState;

struct SpriteCase {
    const char* name;
    PlayerWindow window;
    Sheet sheet;
    Rect sprite;
    Point at;
    std::function<void(PlayerState&)> state;
};

auto with(PlayerButton b) { return [b](PlayerState& s) { s.held = b; }; }
auto none() { return [](PlayerState&) {}; }
auto playing(PlayState p) { return [p](PlayerState& s) { s.play = p; }; }

// The shuffle button's last column lies under the repeat button.
Rect shown(Rect shuffle) { return {shuffle.left, shuffle.top, shuffle.right - 1, shuffle.bottom}; }

// A tile's first columns, and its last 12 (the columns the 13-px piece leaves alone).
Rect leftOf(const Rect& tile, int width) { return xywh(tile.left, tile.top, width, tile.height()); }
Rect rightOf(const Rect& tile) { return xywh(tile.right - kPlTopLeftSpacer, tile.top, kPlTopLeftSpacer, tile.height()); }

std::vector<SpriteCase> spriteCases() {
    const Size wide = playlistSize(4, 2);
    std::vector<SpriteCase> cases = {
        {"MainBackground", PlayerWindow::Main, Sheet::Main, kMainBackground, {0, 0}, none()},
        {"TitleBarActive", PlayerWindow::Main, Sheet::TitleBar, kTitleBarActive, {0, 0}, none()},
        {"TitleBarInactive", PlayerWindow::Main, Sheet::TitleBar, kTitleBarInactive, {0, 0}, [](PlayerState& s) { s.focused = PlayerWindow::Equaliser; }},
        {"OptionsPressed", PlayerWindow::Main, Sheet::TitleBar, kOptionsButtonPressed, kOptionsButtonAt, with(PlayerButton::Options)},
        {"MinimisePressed", PlayerWindow::Main, Sheet::TitleBar, kMinimiseButtonPressed, kMinimiseButtonAt, with(PlayerButton::Minimise)},
        {"ShadePressed", PlayerWindow::Main, Sheet::TitleBar, kShadeButtonPressed, kShadeButtonAt, with(PlayerButton::Shade)},
        {"ClosePressed", PlayerWindow::Main, Sheet::TitleBar, kCloseButtonPressed, kCloseButtonAt, with(PlayerButton::Close)},
        {"ClutterBar", PlayerWindow::Main, Sheet::TitleBar, kClutterBar, kClutterBarAt, none()},
        {"StereoLit", PlayerWindow::Main, Sheet::MonoSter, kStereoLit, kStereoAt, none()},
        {"MonoDim", PlayerWindow::Main, Sheet::MonoSter, kMonoDim, kMonoAt, none()},
        {"MonoLit", PlayerWindow::Main, Sheet::MonoSter, kMonoLit, kMonoAt, [](PlayerState& s) { s.stereo = false; }},
        {"StereoDimWhenStopped", PlayerWindow::Main, Sheet::MonoSter, kStereoDim, kStereoAt, playing(PlayState::Stopped)},
        {"PlayingIcon", PlayerWindow::Main, Sheet::PlayPaus, kPlayingIcon, kPlayStateIconAt, none()},
        {"PausedIcon", PlayerWindow::Main, Sheet::PlayPaus, kPausedIcon, kPlayStateIconAt, playing(PlayState::Paused)},
        {"StoppedIcon", PlayerWindow::Main, Sheet::PlayPaus, kStoppedIcon, kPlayStateIconAt, playing(PlayState::Stopped)},
        {"SyncedLamp", PlayerWindow::Main, Sheet::PlayPaus, kSyncedLamp, kPlayStateLampAt, none()},
        {"VolumeFrame0", PlayerWindow::Main, Sheet::Volume, volumeFrame(0), kVolumeAt, [](PlayerState& s) { s.volume = 0; }},
        {"VolumeFrame13", PlayerWindow::Main, Sheet::Volume, volumeFrame(13), kVolumeAt, [](PlayerState& s) { s.volume = 50; }},
        {"VolumeFrame27", PlayerWindow::Main, Sheet::Volume, volumeFrame(27), kVolumeAt, [](PlayerState& s) { s.volume = 100; }},
        {"VolumeThumbAt50", PlayerWindow::Main, Sheet::Volume, kVolumeThumb, {107 + 26, 58}, [](PlayerState& s) { s.volume = 50; }},
        {"VolumeThumbPressed", PlayerWindow::Main, Sheet::Volume, kVolumeThumbPressed, {107 + 51, 58}, [](PlayerState& s) { s.volume = 100, s.held = PlayerButton::Volume; }},
        {"BalanceFrame0", PlayerWindow::Main, Sheet::Balance, balanceFrame(0), kBalanceAt, none()},
        {"BalanceFrame13Left", PlayerWindow::Main, Sheet::Balance, balanceFrame(13), kBalanceAt, [](PlayerState& s) { s.balance = -50; }},
        {"BalanceFrame27Right", PlayerWindow::Main, Sheet::Balance, balanceFrame(27), kBalanceAt, [](PlayerState& s) { s.balance = 100; }},
        {"BalanceThumbCentre", PlayerWindow::Main, Sheet::Balance, kBalanceThumb, {177 + 12, 58}, none()},
        {"BalanceThumbPressedLeft", PlayerWindow::Main, Sheet::Balance, kBalanceThumbPressed, {177, 58}, [](PlayerState& s) { s.balance = -100, s.held = PlayerButton::Balance; }},
        {"PositionBar", PlayerWindow::Main, Sheet::PosBar, kPositionBar, kPositionBarAt, playing(PlayState::Stopped)},
        {"PositionThumbEnd", PlayerWindow::Main, Sheet::PosBar, kPositionThumb, {16 + 219, 72}, [](PlayerState& s) { s.position = 1; }},
        {"PositionThumbPressed", PlayerWindow::Main, Sheet::PosBar, kPositionThumbPressed, {16 + 110, 72}, [](PlayerState& s) { s.position = 0.5, s.held = PlayerButton::Position; }},
        {"EqToggleLit", PlayerWindow::Main, Sheet::ShufRep, windowToggleState(kEqToggle, true, false), kEqToggleAt, none()},
        {"EqToggleOffPressed", PlayerWindow::Main, Sheet::ShufRep, windowToggleState(kEqToggle, false, true), kEqToggleAt, [](PlayerState& s) { s.equaliserOpen = false, s.held = PlayerButton::EqToggle; }},
        {"PlToggleOff", PlayerWindow::Main, Sheet::ShufRep, windowToggleState(kPlToggle, false, false), kPlToggleAt, [](PlayerState& s) { s.playlistOpen = false; }},
        {"PlToggleLitPressed", PlayerWindow::Main, Sheet::ShufRep, windowToggleState(kPlToggle, true, true), kPlToggleAt, with(PlayerButton::PlaylistToggle)},
        {"ShuffleOnPressed", PlayerWindow::Main, Sheet::ShufRep, shown(toggleState(kShuffleButton, true, true)), kShuffleButtonAt, [](PlayerState& s) { s.shuffle = true, s.held = PlayerButton::Shuffle; }},
        {"ShuffleOff", PlayerWindow::Main, Sheet::ShufRep, shown(toggleState(kShuffleButton, false, false)), kShuffleButtonAt, none()},
        {"RepeatOn", PlayerWindow::Main, Sheet::ShufRep, toggleState(kRepeatButton, true, false), kRepeatButtonAt, [](PlayerState& s) { s.repeat = true; }},
        {"RepeatOffPressed", PlayerWindow::Main, Sheet::ShufRep, toggleState(kRepeatButton, false, true), kRepeatButtonAt, with(PlayerButton::Repeat)},

        {"EqBackground", PlayerWindow::Equaliser, Sheet::EqMain, kEqBackground, {0, 0}, none()},
        {"EqTitleActive", PlayerWindow::Equaliser, Sheet::EqMain, kEqTitleBarActive, {0, 0}, [](PlayerState& s) { s.focused = PlayerWindow::Equaliser; }},
        {"EqTitleInactive", PlayerWindow::Equaliser, Sheet::EqMain, kEqTitleBarInactive, {0, 0}, none()},
        {"EqClosePressed", PlayerWindow::Equaliser, Sheet::EqMain, kEqCloseButtonPressed, kEqCloseButtonAt, with(PlayerButton::EqClose)},
        {"EqShadePressed", PlayerWindow::Equaliser, Sheet::EqEx, kEqShadeButtonPressed, kEqShadeButtonAt, with(PlayerButton::EqShade)},
        {"EqOnLit", PlayerWindow::Equaliser, Sheet::EqMain, eqButtonState(kEqOnButton, true, false), kEqOnButtonAt, none()},
        {"EqOnOffPressed", PlayerWindow::Equaliser, Sheet::EqMain, eqButtonState(kEqOnButton, false, true), kEqOnButtonAt, [](PlayerState& s) { s.eqOn = false, s.held = PlayerButton::EqOn; }},
        {"EqAutoOff", PlayerWindow::Equaliser, Sheet::EqMain, eqButtonState(kEqAutoButton, false, false), kEqAutoButtonAt, none()},
        {"EqAutoOnPressed", PlayerWindow::Equaliser, Sheet::EqMain, eqButtonState(kEqAutoButton, true, true), kEqAutoButtonAt, [](PlayerState& s) { s.eqAuto = true, s.held = PlayerButton::EqAuto; }},
        {"EqPresets", PlayerWindow::Equaliser, Sheet::EqMain, kEqPresetsButton, kEqPresetsButtonAt, none()},
        {"EqPresetsPressed", PlayerWindow::Equaliser, Sheet::EqMain, kEqPresetsButtonPressed, kEqPresetsButtonAt, with(PlayerButton::EqPresets)},
        {"EqGraphBackground", PlayerWindow::Equaliser, Sheet::EqMain, kEqGraphBackground, kEqGraphAt, none()},
        {"PreampFrame0", PlayerWindow::Equaliser, Sheet::EqMain, eqSliderFrame(0), kEqPreampAt, [](PlayerState& s) { s.preamp = 0; }},
        {"Band1Frame14", PlayerWindow::Equaliser, Sheet::EqMain, eqSliderFrame(14), eqBandAt(0), none()},
        {"Band10Frame27", PlayerWindow::Equaliser, Sheet::EqMain, eqSliderFrame(27), eqBandAt(9), [](PlayerState& s) { s.bands[9] = 100; }},
        {"BandThumbBottom", PlayerWindow::Equaliser, Sheet::EqMain, kEqSliderThumb, offset(eqBandAt(4), 1, 51), [](PlayerState& s) { s.bands[4] = 0; }},
        {"PreampThumbPressedTop", PlayerWindow::Equaliser, Sheet::EqMain, kEqSliderThumbPressed, offset(kEqPreampAt, 1, 0), [](PlayerState& s) { s.preamp = 100, s.held = PlayerButton::EqPreamp; }},

        {"PlTopLeftActive", PlayerWindow::Playlist, Sheet::PlEdit, kPlTopLeftCorner, {0, 0}, [](PlayerState& s) { s.focused = PlayerWindow::Playlist; }},
        {"PlTopLeftInactive", PlayerWindow::Playlist, Sheet::PlEdit, plFocus(kPlTopLeftCorner, false), {0, 0}, none()},
        {"PlTitleInactive", PlayerWindow::Playlist, Sheet::PlEdit, plFocus(kPlTitleBar, false), plTitleBarAt(kPlaylistMinimumSize), none()},
        {"PlTopRightActive", PlayerWindow::Playlist, Sheet::PlEdit, kPlTopRightCorner, plTopRightCornerAt(kPlaylistMinimumSize), [](PlayerState& s) { s.focused = PlayerWindow::Playlist; }},
        // Whole tiles end at the title and at the right corner, after a 12- and a 13-px piece
        // of the tile (each case its own columns of the tile, so that none repaints another's).
        {"PlTopTileLeftEnd", PlayerWindow::Playlist, Sheet::PlEdit, rightOf(plFocus(kPlTopTile, false)), {plTitleBarAt(kPlaylistMinimumSize).x - kPlTopLeftSpacer, 0}, none()},
        {"PlTopTileLeftPiece", PlayerWindow::Playlist, Sheet::PlEdit, leftOf(plFocus(kPlTopTile, false), kPlTopLeftSpacer), {kPlTileWidth, 0}, none()},
        {"PlTopTileRightEnd", PlayerWindow::Playlist, Sheet::PlEdit, rightOf(kPlTopTile), {wide.width - kPlTileWidth - kPlTopLeftSpacer, 0}, [wide](PlayerState& s) { s.playlistSize = wide, s.focused = PlayerWindow::Playlist; }},
        {"PlTopTileRightPiece", PlayerWindow::Playlist, Sheet::PlEdit, leftOf(kPlTopTile, kPlTopRightSpacer), {plTitleBarAt(kPlaylistMinimumSize).x + kPlTitleBar.width(), 0}, [](PlayerState& s) { s.focused = PlayerWindow::Playlist; }},
        {"PlLeftTile", PlayerWindow::Playlist, Sheet::PlEdit, kPlLeftTile, plLeftTileAt(1), [wide](PlayerState& s) { s.playlistSize = wide; }},
        {"PlRightTile", PlayerWindow::Playlist, Sheet::PlEdit, kPlRightTile, plRightTileAt(wide, 3), [wide](PlayerState& s) { s.playlistSize = wide; }},
        {"PlBottomLeft", PlayerWindow::Playlist, Sheet::PlEdit, kPlBottomLeftCorner, plBottomLeftCornerAt(wide), [wide](PlayerState& s) { s.playlistSize = wide; }},
        {"PlBottomTile", PlayerWindow::Playlist, Sheet::PlEdit, kPlBottomTile, {kPlBottomLeftCorner.width(), wide.height - kPlBottomHeight}, [wide](PlayerState& s) { s.playlistSize = wide; }},
        {"PlVisualiser", PlayerWindow::Playlist, Sheet::PlEdit, kPlVisualiser, plVisualiserAt(wide), [wide](PlayerState& s) { s.playlistSize = wide; }},
        {"PlBottomRight", PlayerWindow::Playlist, Sheet::PlEdit, kPlBottomRightCorner, plBottomRightCornerAt(wide), [wide](PlayerState& s) { s.playlistSize = wide; }},
        {"PlCloseButtonPressed", PlayerWindow::Playlist, Sheet::PlEdit, kPlCloseButtonPressed, plCloseButtonAt(kPlaylistMinimumSize), with(PlayerButton::PlaylistClose)},
        {"PlShadeButtonPressed", PlayerWindow::Playlist, Sheet::PlEdit, kPlShadeButtonPressed, plShadeButtonAt(kPlaylistMinimumSize), with(PlayerButton::PlaylistShade)},
        {"PlScrollHandleTop", PlayerWindow::Playlist, Sheet::PlEdit, kPlScrollHandle, plScrollHandleAt(kPlaylistMinimumSize, 0), none()},
        {"PlScrollHandlePressedBottom", PlayerWindow::Playlist, Sheet::PlEdit, kPlScrollHandlePressed, plScrollHandleAt(wide, plScrollHandleTravel(wide)), [wide](PlayerState& s) { s.playlistSize = wide, s.scroll = 1, s.held = PlayerButton::PlaylistScroll; }},

        // The two shade strips share a sheet row: the active one, painted last, keeps it.
        {"MainShadeBarInactive", PlayerWindow::Main, Sheet::TitleBar, kShadeBarInactive, {0, 0}, [](PlayerState& s) { s.mainShaded = true, s.anyFocused = false, s.play = PlayState::Stopped; }},
        {"MainShadeBarActive", PlayerWindow::Main, Sheet::TitleBar, kShadeBarActive, {0, 0}, [](PlayerState& s) { s.mainShaded = true, s.play = PlayState::Stopped; }},
        {"UnshadePressed", PlayerWindow::Main, Sheet::TitleBar, kUnshadeButtonPressed, kShadeButtonAt, [](PlayerState& s) { s.mainShaded = true, s.held = PlayerButton::Shade; }},
        // The focused strip shows the unshade face; stopped, the position bar stands empty.
        {"UnshadeFocused", PlayerWindow::Main, Sheet::TitleBar, kUnshadeButton, kShadeButtonAt, [](PlayerState& s) { s.mainShaded = true; }},
        {"ShadePositionBar", PlayerWindow::Main, Sheet::TitleBar, kShadePositionBar, kShadePositionBarAt, [](PlayerState& s) { s.mainShaded = true, s.play = PlayState::Stopped; }},
        {"ShadePositionThumbLeft", PlayerWindow::Main, Sheet::TitleBar, kShadePositionThumbLeft, kShadePositionBarAt, [](PlayerState& s) { s.mainShaded = true; }},
        {"ShadePositionThumb", PlayerWindow::Main, Sheet::TitleBar, kShadePositionThumb, offset(kShadePositionBarAt, 5, 0), [](PlayerState& s) { s.mainShaded = true, s.position = 0.34; }},
        {"ShadePositionThumbRight", PlayerWindow::Main, Sheet::TitleBar, kShadePositionThumbRight, offset(kShadePositionBarAt, kShadePositionTravel, 0), [](PlayerState& s) { s.mainShaded = true, s.position = 1; }},
        {"EqShadeBarInactive", PlayerWindow::Equaliser, Sheet::EqEx, kEqShadeBarInactive, {0, 0}, [](PlayerState& s) { s.equaliserShaded = true; }},
        {"EqShadeVolumeThumbRight", PlayerWindow::Equaliser, Sheet::EqEx, kEqShadeVolumeThumbRight, offset(kEqShadeVolumeAt, kEqShadeVolumeTravel, 0), [](PlayerState& s) { s.equaliserShaded = true, s.volume = 100; }},
        // The faces by quarters of the range: 30 % and 70 % show the middle one.
        {"EqShadeVolumeThumb", PlayerWindow::Equaliser, Sheet::EqEx, kEqShadeVolumeThumb, offset(kEqShadeVolumeAt, 28, 0), [](PlayerState& s) { s.equaliserShaded = true, s.volume = 30; }},
        {"EqShadeBalanceThumb", PlayerWindow::Equaliser, Sheet::EqEx, kEqShadeBalanceThumb, offset(kEqShadeBalanceAt, 28, 0), [](PlayerState& s) { s.equaliserShaded = true, s.balance = 40; }},
        {"EqShadeClosePressed", PlayerWindow::Equaliser, Sheet::EqEx, kEqShadeCloseButtonPressed, kEqCloseButtonAt, [](PlayerState& s) { s.equaliserShaded = true, s.held = PlayerButton::EqClose; }},
        {"PlShadeLeft", PlayerWindow::Playlist, Sheet::PlEdit, kPlShadeLeft, {0, 0}, [](PlayerState& s) { s.playlistShaded = true; }},
        {"PlShadeTile", PlayerWindow::Playlist, Sheet::PlEdit, kPlShadeTile, {kPlTileWidth, 0}, [](PlayerState& s) { s.playlistShaded = true; }},
        {"PlShadeRightActive", PlayerWindow::Playlist, Sheet::PlEdit, kPlShadeRightActive, {wide.width - 50, 0}, [wide](PlayerState& s) { s.playlistShaded = true, s.playlistSize = wide, s.focused = PlayerWindow::Playlist; }},
    };
    struct Transport { const char* name; Rect up, down; Point at; PlayerButton b; };
    const Transport transport[] = {{"Previous", kPreviousButton, kPreviousButtonPressed, kPreviousButtonAt, PlayerButton::Previous},
                                   {"Play", kPlayButton, kPlayButtonPressed, kPlayButtonAt, PlayerButton::Play},
                                   {"Pause", kPauseButton, kPauseButtonPressed, kPauseButtonAt, PlayerButton::Pause},
                                   {"Stop", kStopButton, kStopButtonPressed, kStopButtonAt, PlayerButton::Stop},
                                   {"Next", kNextButton, kNextButtonPressed, kNextButtonAt, PlayerButton::Next},
                                   {"Eject", kEjectButton, kEjectButtonPressed, kEjectButtonAt, PlayerButton::Eject}};
    for (const Transport& t : transport) {
        cases.push_back({t.name, PlayerWindow::Main, Sheet::CButtons, t.up, t.at, none()});
        cases.push_back({t.name, PlayerWindow::Main, Sheet::CButtons, t.down, t.at, with(t.b)});
    }
    for (int letter = 0; letter < kClutterLetterCount; ++letter)
        cases.push_back({"ClutterLetterPressed", PlayerWindow::Main, Sheet::TitleBar, clutterLetterPressed(letter), clutterLetterAt(letter),
                         with(PlayerButton(int(PlayerButton::ClutterO) + letter))});
    return cases;
}

TEST(PlayerRenderer, EverySpriteComesFromItsRectangleAndLandsOnItsPoint) {
    const std::vector<SpriteCase> cases = spriteCases();
    SyntheticSkin synthetic;
    std::vector<TColor> colours;
    for (const SpriteCase& c : cases) colours.push_back(synthetic.paint(c.sheet, c.sprite));
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const SpriteCase& c = cases[i];
        PlayerState state;
        state.title.clear();
        c.state(state);
        const Image window = player::renderWindow(synthetic.skin, c.window, state);
        const int w = c.sprite.width(), h = c.sprite.height();
        // The bottom row's ends: off by a row or a column either way, or cut too small, fails.
        for (const Point p : {offset(c.at, 1, h - 1), offset(c.at, w - 1, h - 1)})
            EXPECT_EQ(window.pixel(p.x, p.y), colours[i]) << c.name << " #" << i << " at (" << p.x << "," << p.y << ")";
    }
}

}  // namespace
}  // namespace vk::test
