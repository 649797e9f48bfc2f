// The equaliser window's sprites in eqMain.bmp and eq_ex.bmp, and where the
// player draws them (equaliser-window pixels at 1x).
#pragma once
#include "format/Geometry.h"

namespace vk::format {

// --- eqMain.bmp ---------------------------------------------------------------------
inline constexpr Rect kEqBackground = kEqWindow;

inline constexpr Rect kEqTitleBarActive = xywh(0, 134, 275, kTitleBarHeight);
inline constexpr Rect kEqTitleBarInactive = below(kEqTitleBarActive, 15);

inline constexpr Rect kEqCloseButton = xywh(0, 116, 9, 9);
inline constexpr Rect kEqCloseButtonPressed = below(kEqCloseButton, 9);
inline constexpr Point kEqCloseButtonAt{264, 3};
inline constexpr Point kEqShadeButtonAt{254, 3};
// The pressed shade button when a skin has no eq_ex.bmp.
inline constexpr Rect kEqShadeButtonPressedFallback = xywh(254, 152, 9, 9);

// ON and AUTO: four groups 59 columns apart (off, on, off pressed, on pressed).
inline constexpr Rect kEqOnButton = xywh(10, 119, 26, 12);
inline constexpr Rect kEqAutoButton = xywh(36, 119, 32, 12);
inline constexpr int kEqButtonGroupPitch = 59;
constexpr Rect eqButtonState(const Rect& off, bool on, bool pressed) {
    return rightOf(off, (on ? kEqButtonGroupPitch : 0) + (pressed ? 2 * kEqButtonGroupPitch : 0));
}
inline constexpr Point kEqOnButtonAt{14, 18};
inline constexpr Point kEqAutoButtonAt{40, 18};

inline constexpr Rect kEqPresetsButton = xywh(224, 164, 44, 12);
inline constexpr Rect kEqPresetsButtonPressed = below(kEqPresetsButton, 12);
inline constexpr Point kEqPresetsButtonAt{217, 18};

// The sliders: 28 bar frames of 14 x 63 in two rows of 14, 15 columns and
// 65 rows apart; frame 0 has the knob at the bottom, frame 27 at the top.
inline constexpr Rect kEqSliderThumb = xywh(0, 164, 11, 11);
inline constexpr Rect kEqSliderThumbPressed = below(kEqSliderThumb, 12);
inline constexpr int kEqSliderFrameCount = 28;
inline constexpr int kEqSliderFramesPerRow = 14;
inline constexpr Rect kEqSliderFrame0 = xywh(13, 164, 14, 63);
inline constexpr int kEqSliderFramePitchX = 15;
inline constexpr int kEqSliderFramePitchY = 65;
constexpr Rect eqSliderFrame(int n) {
    return kEqSliderFrame0.shifted(kEqSliderFramePitchX * (n % kEqSliderFramesPerRow),
                                   kEqSliderFramePitchY * (n / kEqSliderFramesPerRow));
}
inline constexpr Rect kEqSliderFrames{kEqSliderFrame0.left, kEqSliderFrame0.top, eqSliderFrame(kEqSliderFramesPerRow - 1).right,
                                      eqSliderFrame(kEqSliderFrameCount - 1).bottom};
inline constexpr int kEqBandCount = 10;
inline constexpr Point kEqPreampAt{21, 38};
inline constexpr Point kEqFirstBandAt{78, 38};
inline constexpr int kEqBandPitch = 18;
constexpr Point eqBandAt(int band) { return offset(kEqFirstBandAt, kEqBandPitch * band, 0); }
// The thumb sits one column in and moves over a 62-row track: 0 is the top
// (+12 dB), 25 the middle, 51 the bottom.
inline constexpr int kEqThumbInset = 1;
inline constexpr int kEqThumbTravel = 51;

// The response graph: its background, the column of curve colours (one per
// graph row, top to bottom) and the preamp line.
inline constexpr Rect kEqGraphBackground = xywh(0, 294, 113, 19);
inline constexpr Rect kEqGraphLineColours = xywh(115, 294, 1, 19);
inline constexpr Rect kEqPreampLine = xywh(0, 314, 113, 1);
inline constexpr Point kEqGraphAt{86, 17};

// --- eq_ex.bmp: the shaded equaliser -------------------------------------------------
inline constexpr Rect kEqShadeBarActive = xywh(0, 0, 275, kTitleBarHeight);
inline constexpr Rect kEqShadeBarInactive = below(kEqShadeBarActive, 15);
inline constexpr Rect kEqShadeVolumeThumbLeft = xywh(1, 30, 3, 7);
inline constexpr Rect kEqShadeVolumeThumb = rightOf(kEqShadeVolumeThumbLeft, 3);
inline constexpr Rect kEqShadeVolumeThumbRight = rightOf(kEqShadeVolumeThumbLeft, 6);
inline constexpr Rect kEqShadeBalanceThumbLeft = rightOf(kEqShadeVolumeThumbLeft, 10);
inline constexpr Rect kEqShadeBalanceThumb = rightOf(kEqShadeBalanceThumbLeft, 3);
inline constexpr Rect kEqShadeBalanceThumbRight = rightOf(kEqShadeBalanceThumbLeft, 6);
inline constexpr Point kEqShadeVolumeAt{61, 4};
inline constexpr int kEqShadeVolumeTravel = 94;
inline constexpr Point kEqShadeBalanceAt{164, 4};
inline constexpr int kEqShadeBalanceTravel = 40;  // the 43-column slider less its 3-column thumb
// Pressed shade button of the open window; pressed unshade and close of the shaded one.
inline constexpr Rect kEqShadeButtonPressed = xywh(1, 38, 9, 9);
inline constexpr Rect kEqUnshadeButtonPressed = below(kEqShadeButtonPressed, 9);
inline constexpr Rect kEqShadeCloseButton = xywh(11, 38, 9, 9);
inline constexpr Rect kEqShadeCloseButtonPressed = below(kEqShadeCloseButton, 9);

} // namespace vk::format
