// The main window's sprites: where each is cut from its sheet (titlebar,
// cButtons, shufRep, volume, balance, posBar, monoSter, playPaus) and where
// the player draws it (the "At" points, main-window pixels at 1x). Where
// players disagree by a column, these are the figures of the web player.
#pragma once
#include "format/Geometry.h"

#include <array>

namespace vk::format {

inline constexpr Rect kMainBackground = kMainWindow;  // main.bmp, at (0, 0)

// --- titlebar.bmp -----------------------------------------------------------------
inline constexpr Rect kOptionsButton = xywh(0, 0, 9, 9);
inline constexpr Rect kOptionsButtonPressed = below(kOptionsButton, 9);
inline constexpr Rect kMinimiseButton = rightOf(kOptionsButton, 9);
inline constexpr Rect kMinimiseButtonPressed = below(kMinimiseButton, 9);
inline constexpr Rect kCloseButton = rightOf(kOptionsButton, 18);
inline constexpr Rect kCloseButtonPressed = below(kCloseButton, 9);
inline constexpr Rect kShadeButton = below(kOptionsButton, 18);
inline constexpr Rect kShadeButtonPressed = rightOf(kShadeButton, 9);
// The same button in the shaded window, where it unshades.
inline constexpr Rect kUnshadeButton = below(kShadeButton, 9);
inline constexpr Rect kUnshadeButtonPressed = rightOf(kUnshadeButton, 9);
inline constexpr Point kOptionsButtonAt{6, 3};
inline constexpr Point kMinimiseButtonAt{244, 3};
inline constexpr Point kShadeButtonAt{254, 3};
inline constexpr Point kCloseButtonAt{264, 3};

// The strips carry the released buttons at the "At" points above.
inline constexpr Rect kTitleBarActive = xywh(27, 0, 275, kTitleBarHeight);
inline constexpr Rect kTitleBarInactive = below(kTitleBarActive, 15);
inline constexpr Rect kShadeBarActive = below(kTitleBarActive, 29);
inline constexpr Rect kShadeBarInactive = below(kTitleBarActive, 42);
// Spare strips, shown by no normal player state.
inline constexpr Rect kEasterEggBarActive = below(kTitleBarActive, 57);
inline constexpr Rect kEasterEggBarInactive = below(kTitleBarActive, 72);

// The shaded window's mini position bar and its three thumbs.
inline constexpr Rect kShadePositionBar = xywh(0, 36, 17, 7);
inline constexpr Rect kShadePositionThumbLeft = xywh(17, 36, 3, 7);
inline constexpr Rect kShadePositionThumb = rightOf(kShadePositionThumbLeft, 3);
inline constexpr Rect kShadePositionThumbRight = rightOf(kShadePositionThumbLeft, 6);
inline constexpr Point kShadePositionBarAt{226, 4};

// The clutter bar (O A I D V): the strip at rest, and each letter pressed,
// cut from its own column 44 rows below where it sits in the strip.
inline constexpr Rect kClutterBar = xywh(304, 0, 8, 43);
inline constexpr Rect kClutterBarDisabled = rightOf(kClutterBar, 8);
inline constexpr Point kClutterBarAt{10, 22};
inline constexpr int kClutterLetterCount = 5;
inline constexpr int kClutterPressedDrop = 44;
struct ClutterBand { int top, height; };  // rows of the strip
inline constexpr std::array<ClutterBand, kClutterLetterCount> kClutterBands{{{3, 8}, {11, 7}, {18, 7}, {25, 8}, {33, 7}}};
constexpr Rect clutterLetterPressed(int letter) {
    return xywh(kClutterBar.left + kClutterBar.width() * letter, kClutterPressedDrop + kClutterBands[letter].top,
                kClutterBar.width(), kClutterBands[letter].height);
}
constexpr Point clutterLetterAt(int letter) { return offset(kClutterBarAt, 0, kClutterBands[letter].top); }

// --- cButtons.bmp ---------------------------------------------------------------
inline constexpr Rect kPreviousButton = xywh(0, 0, 23, 18);
inline constexpr Rect kPlayButton = rightOf(kPreviousButton, 23);
inline constexpr Rect kPauseButton = rightOf(kPreviousButton, 46);
inline constexpr Rect kStopButton = rightOf(kPreviousButton, 69);
// One column narrower than its cell: the column left of eject is never shown.
inline constexpr Rect kNextButton = xywh(92, 0, 22, 18);
inline constexpr Rect kEjectButton = xywh(114, 0, 22, 16);
inline constexpr int kTransportPressedDrop = kPreviousButton.height();
inline constexpr Rect kPreviousButtonPressed = below(kPreviousButton, kTransportPressedDrop);
inline constexpr Rect kPlayButtonPressed = below(kPlayButton, kTransportPressedDrop);
inline constexpr Rect kPauseButtonPressed = below(kPauseButton, kTransportPressedDrop);
inline constexpr Rect kStopButtonPressed = below(kStopButton, kTransportPressedDrop);
inline constexpr Rect kNextButtonPressed = below(kNextButton, kTransportPressedDrop);
inline constexpr Rect kEjectButtonPressed = below(kEjectButton, kEjectButton.height());
inline constexpr Point kPreviousButtonAt{16, 88};
inline constexpr Point kPlayButtonAt = offset(kPreviousButtonAt, 23, 0);
inline constexpr Point kPauseButtonAt = offset(kPreviousButtonAt, 46, 0);
inline constexpr Point kStopButtonAt = offset(kPreviousButtonAt, 69, 0);
inline constexpr Point kNextButtonAt = offset(kPreviousButtonAt, 92, 0);
inline constexpr Point kEjectButtonAt{136, 89};

// --- shufRep.bmp: four states each, off / off pressed / on / on pressed --------
inline constexpr Rect kRepeatButton = xywh(0, 0, 28, 15);
inline constexpr Rect kShuffleButton = xywh(28, 0, 47, 15);
constexpr Rect toggleState(const Rect& off, bool on, bool pressed) {
    return below(off, (on ? 2 * off.height() : 0) + (pressed ? off.height() : 0));
}
inline constexpr Point kRepeatButtonAt{210, 89};
inline constexpr Point kShuffleButtonAt{164, 89};
// EQ and PL toggles: lit one row of cells down, pressed two cells across.
inline constexpr Rect kEqToggle = xywh(0, 61, 23, 12);
inline constexpr Rect kPlToggle = rightOf(kEqToggle, 23);
constexpr Rect windowToggleState(const Rect& off, bool on, bool pressed) {
    return (on ? below(off, off.height()) : off).shifted(pressed ? 2 * off.width() : 0, 0);
}
inline constexpr Point kEqToggleAt{219, 58};
inline constexpr Point kPlToggleAt = offset(kEqToggleAt, 23, 0);

// --- volume.bmp and balance.bmp: 28 background frames 15 rows apart, and the thumb
inline constexpr int kSliderFrameCount = 28;
inline constexpr int kSliderFramePitch = 15;
inline constexpr Rect kVolumeFrame0 = xywh(0, 0, 68, 13);
constexpr Rect volumeFrame(int k) { return below(kVolumeFrame0, kSliderFramePitch * k); }
// The balance frames skip the sheet's first nine columns.
inline constexpr Rect kBalanceFrame0 = xywh(9, 0, 38, 13);
constexpr Rect balanceFrame(int k) { return below(kBalanceFrame0, kSliderFramePitch * k); }
inline constexpr Rect kVolumeThumb = xywh(15, 422, 14, 11);
inline constexpr Rect kVolumeThumbPressed = xywh(0, 422, 14, 11);
inline constexpr Rect kBalanceThumb = kVolumeThumb;
inline constexpr Rect kBalanceThumbPressed = kVolumeThumbPressed;
inline constexpr Point kVolumeAt{107, 57};
inline constexpr Point kBalanceAt{177, 57};
// The thumb rides one row below the frame's top, from its left edge across
// this many columns.
inline constexpr int kSliderThumbDrop = 1;
inline constexpr int kVolumeThumbTravel = 51;
inline constexpr int kBalanceThumbTravel = 24;

// --- posBar.bmp -------------------------------------------------------------------
inline constexpr Rect kPositionBar = xywh(0, 0, 248, 10);
inline constexpr Rect kPositionThumb = xywh(248, 0, 29, 10);
inline constexpr Rect kPositionThumbPressed = rightOf(kPositionThumb, 30);
inline constexpr Point kPositionBarAt{16, 72};
inline constexpr int kPositionThumbTravel = kPositionBar.width() - kPositionThumb.width();

// --- monoSter.bmp: lit on the top row, dim below; stereo sits left on the sheet
inline constexpr Rect kStereoLit = xywh(0, 0, 29, 12);
inline constexpr Rect kStereoDim = below(kStereoLit, 12);
inline constexpr Rect kMonoLit = xywh(29, 0, 27, 12);
inline constexpr Rect kMonoDim = below(kMonoLit, 12);
inline constexpr Point kStereoAt{239, 41};
inline constexpr Point kMonoAt{212, 41};

// --- playPaus.bmp -----------------------------------------------------------------
inline constexpr Rect kPlayingIcon = xywh(0, 0, 9, 9);
inline constexpr Rect kPausedIcon = rightOf(kPlayingIcon, 9);
inline constexpr Rect kStoppedIcon = rightOf(kPlayingIcon, 18);
inline constexpr Rect kPlayStateFiller = xywh(27, 0, 2, 9);
// The three-column lamps left of the icon: in sync while playing, working while buffering.
inline constexpr Rect kSyncedLamp = xywh(36, 0, 3, 9);
inline constexpr Rect kWorkingLamp = rightOf(kSyncedLamp, 3);
inline constexpr Point kPlayStateIconAt{26, 28};
inline constexpr Point kPlayStateLampAt{24, 28};

// --- display areas that show text.bmp glyphs and the visualiser ------------------
inline constexpr Point kSongTitleAt{111, 27};
inline constexpr int kSongTitleWidth = 154;
inline constexpr Point kKbpsAt{111, 43};
inline constexpr int kKbpsChars = 3;
inline constexpr Point kKhzAt{156, 43};
inline constexpr int kKhzChars = 2;
inline constexpr Rect kVisualiserArea = xywh(24, 43, 76, 16);

} // namespace vk::format
