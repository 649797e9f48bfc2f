// What the player draws beyond the sprite tables: how a value picks its
// slider frame and thumb place, the visualiser's bars and scope colours, the
// response graph's layout, the title marquee, the playlist's rows, and where
// the three windows dock. Values run 0-100 (balance -100..100) as the web
// player keeps them.
#pragma once
#include "format/EqSprites.h"
#include "format/MainSprites.h"
#include "format/PlaylistSprites.h"
#include "format/SkinTextFiles.h"
#include "format/TextFont.h"

#include <array>
#include <string_view>

namespace vk::format {

constexpr int clampInt(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }
// Round half away from zero, as the web player's Math.round does for positives.
constexpr int roundHalfUp(double v) { return int(v + 0.5); }

// --- main window sliders ------------------------------------------------------------
// 0 % shows frame 0, 100 % frame 27; balance by its distance from the centre.
constexpr int volumeFrameFor(int volume) {
    return clampInt(roundHalfUp(clampInt(volume, 0, 100) * kSliderFrameCount / 100.0) - 1, 0, kSliderFrameCount - 1);
}
constexpr int balanceFrameFor(int balance) {
    return volumeFrameFor(balance < 0 ? -balance : balance);
}
constexpr int volumeThumbOffset(int volume) { return roundHalfUp(clampInt(volume, 0, 100) * kVolumeThumbTravel / 100.0); }
constexpr int balanceThumbOffset(int balance) {
    return roundHalfUp((clampInt(balance, -100, 100) + 100) * kBalanceThumbTravel / 200.0);
}
constexpr int positionThumbOffset(double position) {
    return roundHalfUp((position < 0 ? 0 : (position > 1 ? 1 : position)) * kPositionThumbTravel);
}

// --- equaliser sliders and graph -----------------------------------------------------
// 0 is -12 dB (knob at the bottom), 50 flat, 100 +12 dB.
constexpr int eqFrameFor(int value) { return roundHalfUp(clampInt(value, 0, 100) * (kEqSliderFrameCount - 1) / 100.0); }
constexpr int eqThumbOffset(int value) { return (100 - clampInt(value, 0, 100)) * kEqThumbTravel / 100; }
// The graph's curve: one knot per band, 12 columns apart, from this column.
inline constexpr int kEqGraphKnotPitch = 12;
inline constexpr int kEqGraphCurveLeft = 2;
// The preamp line: its row grows with the preamp value.
constexpr int eqPreampLineRow(int preamp) { return roundHalfUp(clampInt(preamp, 0, 100) * (kEqGraphBackground.height() - 1) / 100.0); }

// --- the visualiser ----------------------------------------------------------------------
inline constexpr int kVisBarCount = 19;
inline constexpr int kVisBarWidth = 3;
inline constexpr int kVisBarPitch = 4;
inline constexpr int kVisHeight = kVisualiserArea.height();
// A bar's pixel at display row y (0 at the top) takes colour kVisBarTop + y.
constexpr int visBarColour(int row) { return kVisBarTop + row; }
// The oscilloscope's colour per display row: brightest at the centre line.
inline constexpr std::array<int, kVisHeight> kScopeRowColours{{22, 22, 21, 21, 20, 20, 19, 19, 18, 19, 19, 20, 20, 21, 21, 22}};

// --- text fields --------------------------------------------------------------------------
// A title longer than its field scrolls round with this between the ends.
inline constexpr std::string_view kMarqueeSeparator = "  ***  ";

// --- the playlist's entries ---------------------------------------------------------------
inline constexpr int kPlEntryHeight = 13;
inline constexpr int kPlEntryFontHeight = 11;
inline constexpr int kPlEntryInset = 3;

// The playlist's mini time: sign, two minute and two second glyphs, from plMiniTimeAt.
inline constexpr std::array<int, 5> kPlMiniTimeColumns{{1, 7, 12, 20, 25}};

// --- shaded windows -----------------------------------------------------------------------
// The shaded main window's time: sign, minutes and seconds glyphs at these columns, row 4.
inline constexpr std::array<int, 5> kShadeTimeColumns{{128, 134, 139, 147, 152}};
inline constexpr int kShadeTimeRow = 4;
// The mini position thumb rides the 17-column bar; its left face up to a third of the track,
// its right one from two thirds (in whole hundredths, as the player counts them).
inline constexpr int kShadePositionTravel = kShadePositionBar.width() - kShadePositionThumb.width();
constexpr Rect shadePositionThumbFace(double position, const Rect& left, const Rect& middle, const Rect& right) {
    return position * 100 <= 33 ? left : (position * 100 >= 66 ? right : middle);
}
// The shaded equaliser's volume and balance thumbs: the left face below a quarter of the
// slider's range, the right one from three quarters.
constexpr Rect eqShadeThumbFace(int value, int min, int max, const Rect& left, const Rect& middle, const Rect& right) {
    return 4 * (value - min) < max - min ? left : (4 * (value - min) < 3 * (max - min) ? middle : right);
}
// The shaded playlist: the current entry's number and title from (5, 4), as many glyphs as fit
// in 205 columns and the width added to the window (the last one an ellipsis when cut), and
// its length ending 30 columns from the right.
inline constexpr Point kPlShadeTitleAt{5, 4};
inline constexpr int kPlShadeTitleWidth = 205;
inline constexpr int kPlShadeTimeRightInset = 30;

// --- the docked windows: main on top, the equaliser and the playlist below -------------
inline constexpr Point kMainWindowAt{0, 0};
inline constexpr Point kEqWindowAt{0, kMainWindowSize.height};
inline constexpr Point kPlaylistWindowAt{0, kMainWindowSize.height + kEqWindowSize.height};

// The clutter bar's "D" lights while the windows are doubled.
inline constexpr int kClutterDoubleSizeLetter = 3;

} // namespace vk::format
